#include "platform/text_gbk.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <cerrno>
#endif

namespace plat {
namespace {

constexpr unsigned kGbkCodePage = 936;

bool is_lead_byte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

#ifdef _WIN32
std::wstring to_wide(unsigned code_page, std::string_view text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}
std::string from_wide(unsigned code_page, std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}
#else
// One converter per direction and thread: opening one costs far more than most conversions.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }
private:
    iconv_t cd_;
};

bool is_ascii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Bytes that cannot be converted become '?', so a damaged text still converts instead of
// vanishing.
std::string convert(const Converter& converter, std::string_view text, std::size_t unit) {
    std::string out;
    if (text.empty()) return out;
    if (!converter.valid()) return std::string(text);
    iconv_t cd = converter.get();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string in(text);
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    std::string buffer(in.size() * 4 + 16, '\0');
    while (in_left > 0) {
        char* out_ptr = buffer.data();
        std::size_t out_left = buffer.size();
        std::size_t r = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
        out.append(buffer.data(), buffer.size() - out_left);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // Invalid or incomplete input: replace one input unit and go on.
            std::size_t skip = std::min(in_left, unit);
            in_ptr += skip;
            in_left -= skip;
            out.push_back('?');
        }
    }
    return out;
}

const Converter& gbk_to_utf8_converter() { thread_local Converter c("UTF-8", "CP936"); return c; }
const Converter& utf8_to_gbk_converter() { thread_local Converter c("CP936", "UTF-8"); return c; }
const Converter& gbk_to_wide_converter() { thread_local Converter c("WCHAR_T", "CP936"); return c; }
const Converter& wide_to_gbk_converter() { thread_local Converter c("CP936", "WCHAR_T"); return c; }
#endif

} // namespace

std::string gbk_to_utf8(std::string_view gbk) {
#ifdef _WIN32
    return from_wide(CP_UTF8, to_wide(kGbkCodePage, gbk));
#else
    return is_ascii(gbk) ? std::string(gbk) : convert(gbk_to_utf8_converter(), gbk, 1);
#endif
}

std::string utf8_to_gbk(std::string_view utf8) {
#ifdef _WIN32
    return from_wide(kGbkCodePage, to_wide(CP_UTF8, utf8));
#else
    return is_ascii(utf8) ? std::string(utf8) : convert(utf8_to_gbk_converter(), utf8, 1);
#endif
}

std::wstring gbk_to_wide(std::string_view gbk) {
#ifdef _WIN32
    return to_wide(kGbkCodePage, gbk);
#else
    std::string u32 = convert(gbk_to_wide_converter(), gbk, 1);
    return std::wstring(reinterpret_cast<const wchar_t*>(u32.data()), u32.size() / sizeof(wchar_t));
#endif
}

std::string wide_to_gbk(std::wstring_view wide) {
#ifdef _WIN32
    return from_wide(kGbkCodePage, wide);
#else
    std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return convert(wide_to_gbk_converter(), bytes, sizeof(wchar_t));
#endif
}

std::size_t gbk_prefix_length(std::string_view text, std::size_t max_bytes) {
    std::size_t limit = std::min(text.size(), max_bytes);
    std::size_t i = 0;
    while (i < limit) {
        std::size_t width = is_lead_byte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + width > limit) break;
        i += width;
    }
    return i;
}

void copy_text_field(char* field, std::size_t field_size, std::string_view text) {
    if (field_size == 0) return;
    std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::size_t n = gbk_prefix_length(text, field_size - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, field_size - n);
}

std::string field_text(const char* field, std::size_t field_size) {
    const void* nul = std::memchr(field, 0, field_size);
    std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : field_size;
    return std::string(field, n);
}

} // namespace plat
