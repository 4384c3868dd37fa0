#include "station/core/database/database_text.h"

#include "platform/text_gbk.h"

namespace calldb {

namespace {

// Bytes that GBK cannot carry as they stand (a lead byte without its trail byte at the end of
// a device's truncated text, 0x80, 0xFF, a pair the code page does not map) would turn into
// "?" in UTF-8. Each is stored as one code point of a private-use block that no GBK character
// decodes to, U+F700 + the byte, and turns back into that byte when read.
constexpr unsigned kStrayBase = 0xF700;
constexpr unsigned char kStrayUtf8Lead = 0xEF;  // U+F780..U+F7FF: EF 9E 80 .. EF 9F BF

bool is_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool is_trail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

bool is_ascii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Length of the stray-byte code point starting at i of a UTF-8 text, or 0.
std::size_t stray_at(std::string_view utf8, std::size_t i) {
    if (i + 3 > utf8.size() || static_cast<unsigned char>(utf8[i]) != kStrayUtf8Lead) return 0;
    const auto second = static_cast<unsigned char>(utf8[i + 1]);
    const auto third = static_cast<unsigned char>(utf8[i + 2]);
    return (second == 0x9E || second == 0x9F) && third >= 0x80 && third <= 0xBF ? 3 : 0;
}

unsigned char stray_byte(std::string_view utf8, std::size_t i) {
    const unsigned code_point = ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                                (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu) | 0xF000u;
    return static_cast<unsigned char>(code_point - kStrayBase);
}

bool holds_stray(std::string_view utf8) {
    for (std::size_t i = utf8.find(static_cast<char>(kStrayUtf8Lead)); i != std::string_view::npos;
         i = utf8.find(static_cast<char>(kStrayUtf8Lead), i + 1))
        if (stray_at(utf8, i)) return true;
    return false;
}

void append_stray(std::string& utf8, unsigned char byte) {
    const unsigned code_point = kStrayBase + byte;
    utf8 += static_cast<char>(0xE0 | (code_point >> 12));
    utf8 += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (code_point & 0x3F));
}

// The UTF-8 of GBK that reads back as the same bytes, else nothing.
bool convert_exactly(std::string_view gbk, std::string& utf8) {
    utf8 = plat::gbk_to_utf8(gbk);
    return !holds_stray(utf8) && plat::utf8_to_gbk(utf8) == gbk;
}

// A run of whole characters. Almost always it converts in one call; a pair the code page does
// not map is found character by character and kept byte by byte.
void append_run(std::string& out, std::string_view run) {
    std::string utf8;
    if (run.empty()) return;
    if (convert_exactly(run, utf8)) {
        out += utf8;
        return;
    }
    for (std::size_t i = 0; i < run.size();) {
        const std::size_t width = is_lead(static_cast<unsigned char>(run[i])) ? 2 : 1;
        const std::string_view character = run.substr(i, width);
        if (width == 1 && static_cast<unsigned char>(run[i]) < 0x80) {
            out += run[i];
        } else if (convert_exactly(character, utf8)) {
            out += utf8;
        } else {
            append_stray(out, static_cast<unsigned char>(character[0]));
            if (width == 2) {
                if (static_cast<unsigned char>(character[1]) < 0x80) out += character[1];
                else append_stray(out, static_cast<unsigned char>(character[1]));
            }
        }
        i += width;
    }
}

} // namespace

std::string gbk_to_database_text(std::string_view gbk) {
    if (is_ascii(gbk)) return std::string(gbk);
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    std::size_t run_start = 0;
    for (std::size_t i = 0; i < gbk.size();) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            ++i;
        } else if (is_lead(c) && i + 1 < gbk.size() && is_trail(static_cast<unsigned char>(gbk[i + 1]))) {
            i += 2;
        } else {
            append_run(out, gbk.substr(run_start, i - run_start));
            append_stray(out, c);
            run_start = ++i;
        }
    }
    append_run(out, gbk.substr(run_start));
    return out;
}

std::string database_text_to_gbk(std::string_view utf8) {
    if (!holds_stray(utf8)) return plat::utf8_to_gbk(utf8);
    std::string out;
    std::size_t run_start = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        if (const std::size_t width = stray_at(utf8, i)) {
            out += plat::utf8_to_gbk(utf8.substr(run_start, i - run_start));
            out += static_cast<char>(stray_byte(utf8, i));
            i += width;
            run_start = i;
        } else {
            ++i;
        }
    }
    out += plat::utf8_to_gbk(utf8.substr(run_start));
    return out;
}

} // namespace calldb
