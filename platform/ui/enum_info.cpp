#include "platform/ui/enum_info.h"

#include "platform/ui/text_util.h"

namespace ui {

EnumInfo::EnumInfo(std::string type_name, std::string_view names) : type_name_(std::move(type_name)) {
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t comma = names.find(',', start);
        if (comma == std::string_view::npos) comma = names.size();
        std::string_view one = trim(names.substr(start, comma - start));
        if (!one.empty()) names_.emplace_back(one);
        start = comma + 1;
    }
}

std::optional<int> EnumInfo::value_of(std::string_view identifier) const {
    std::string_view id = trim(identifier);
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (same_text(names_[i], id)) return static_cast<int>(i);
    return std::nullopt;
}

std::string EnumInfo::name_of(std::int64_t value) const {
    if (value >= 0 && static_cast<std::uint64_t>(value) < names_.size()) return names_[static_cast<std::size_t>(value)];
    return std::to_string(value);
}

std::string EnumInfo::set_to_text(std::uint32_t bits) const {
    std::string text = "[";
    bool first = true;
    for (std::size_t i = 0; i < names_.size() && i < 32; ++i) {
        if ((bits & (std::uint32_t{1} << i)) == 0) continue;
        if (!first) text += ',';
        text += names_[i];
        first = false;
    }
    return text + "]";
}

std::optional<std::uint32_t> EnumInfo::set_from_text(std::string_view text) const {
    std::string_view t = trim(text);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    t = t.substr(1, t.size() - 2);
    std::uint32_t bits = 0;
    if (trim(t).empty()) return bits;
    std::size_t start = 0;
    while (start <= t.size()) {
        std::size_t comma = t.find(',', start);
        if (comma == std::string_view::npos) comma = t.size();
        auto v = value_of(t.substr(start, comma - start));
        if (!v || *v >= 32) return std::nullopt;
        bits |= std::uint32_t{1} << *v;
        start = comma + 1;
    }
    return bits;
}

} // namespace ui
