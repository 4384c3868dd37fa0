// Filling "%d" and "%s" placeholders of texts that may come from a language file. A translated
// text is untrusted: instead of reading an argument that is not there or of another kind, the
// formatter says the text does not fit, and the caller falls back to the built-in text.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace station {

class FormatArg {
public:
    FormatArg(int v) : number_(v), is_number_(true) {}
    FormatArg(long v) : number_(v), is_number_(true) {}
    FormatArg(long long v) : number_(v), is_number_(true) {}
    FormatArg(unsigned v) : number_(v), is_number_(true) {}
    FormatArg(const char* s) : text_(s ? s : "") {}
    FormatArg(std::string s) : text_(std::move(s)) {}
    FormatArg(std::string_view s) : text_(s) {}
    bool is_number() const { return is_number_; }
    std::int64_t number() const { return number_; }
    const std::string& text() const { return text_; }
private:
    std::int64_t number_ = 0;
    std::string text_;
    bool is_number_ = false;
};

// Supports "%%" and "%[index:][-][width][.precision]" followed by d, u, x (numbers) or s (text).
// Arguments the text does not use are ignored. No value when a placeholder is malformed, names a
// missing argument or one of the other kind.
std::optional<std::string> TryFormat(std::string_view pattern, const std::vector<FormatArg>& args);

} // namespace station
