// Names of enumeration values and set elements as stored in window descriptions: the text form
// of a value is its identifier, of a set the identifiers in brackets ("[akLeft,akTop]").
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class EnumInfo {
public:
    // `names` is the stringised enumerator list "a, b, c" of the declaring macro.
    EnumInfo(std::string type_name, std::string_view names);

    const std::string& type_name() const { return type_name_; }
    const std::vector<std::string>& names() const { return names_; }
    std::size_t count() const { return names_.size(); }
    // Case-insensitive; nothing for an unknown identifier.
    std::optional<int> value_of(std::string_view identifier) const;
    // The identifier, or the number as text for a value outside the enumeration.
    std::string name_of(std::int64_t value) const;

    std::string set_to_text(std::uint32_t bits) const;
    // Accepts "[a,b]", "[ a , b ]" and "[]"; nothing on unknown names or a malformed text.
    std::optional<std::uint32_t> set_from_text(std::string_view text) const;

private:
    std::string type_name_;
    std::vector<std::string> names_;
};

// A set of up to 32 enumeration values, bit i standing for the value i.
template <class E>
class SetOf {
public:
    constexpr SetOf() = default;
    constexpr SetOf(std::initializer_list<E> values) {
        for (E v : values) bits_ |= bit(v);
    }
    static constexpr SetOf from_bits(std::uint32_t bits) { SetOf s; s.bits_ = bits; return s; }
    constexpr std::uint32_t bits() const { return bits_; }
    constexpr bool has(E v) const { return (bits_ & bit(v)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    SetOf& include(E v) { bits_ |= bit(v); return *this; }
    SetOf& exclude(E v) { bits_ &= ~bit(v); return *this; }
    friend constexpr bool operator==(SetOf a, SetOf b) { return a.bits_ == b.bits_; }
    friend constexpr bool operator!=(SetOf a, SetOf b) { return a.bits_ != b.bits_; }

private:
    static constexpr std::uint32_t bit(E v) { return std::uint32_t{1} << static_cast<int>(v); }
    std::uint32_t bits_ = 0;
};

} // namespace ui

// Declares `enum class Type` and its names in one place so that the stored identifiers can never
// drift from the values (stored descriptions depend on the order).
#define UI_ENUM(Type, ...)                                                   \
    enum class Type : int { __VA_ARGS__ };                                   \
    inline const ::ui::EnumInfo& enum_info(Type) {                           \
        static const ::ui::EnumInfo info(#Type, #__VA_ARGS__);               \
        return info;                                                         \
    }
