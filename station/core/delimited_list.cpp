#include "station/core/delimited_list.h"

namespace station {
namespace {

constexpr char kDelimiter = '|';
constexpr char kQuote = '"';

bool is_lead(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x81 && u <= 0xFE;
}
bool is_trail(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x40 && u <= 0x7E) || (u >= 0x80 && u <= 0xFE);
}
bool is_blank(char c) { unsigned char u = static_cast<unsigned char>(c); return u >= 1 && u <= ' '; }

// Index of the character after the one at i. A lead byte takes only a byte that can follow it
// in GBK: a lone lead byte never swallows the quote or blank after it.
std::size_t next_char(std::string_view s, std::size_t i) {
    return (is_lead(s[i]) && i + 1 < s.size() && is_trail(s[i + 1])) ? i + 2 : i + 1;
}

// An item whose last byte is a lone lead byte would take the '|' after it as its trail byte.
bool ends_in_lone_lead(std::string_view item) {
    std::size_t last = item.size();
    for (std::size_t i = 0; i < item.size(); i = next_char(item, i)) last = i;
    return last + 1 == item.size() && is_lead(item[last]);
}

// A quoted item starting at the quote at i; i ends after the closing quote (or at the end).
std::string quoted_item(std::string_view s, std::size_t& i) {
    std::string out;
    ++i;
    while (i < s.size()) {
        if (s[i] == kQuote) {
            if (i + 1 < s.size() && s[i + 1] == kQuote) { out.push_back(kQuote); i += 2; continue; }
            ++i;
            return out;
        }
        std::size_t n = next_char(s, i);
        out.append(s.substr(i, n - i));
        i = n;
    }
    return out;
}

bool needs_quotes(std::string_view item) {
    if (ends_in_lone_lead(item)) return true;
    for (std::size_t i = 0; i < item.size(); i = next_char(item, i)) {
        unsigned char c = static_cast<unsigned char>(item[i]);
        if (c <= ' ' || item[i] == kQuote || item[i] == kDelimiter) return true;
    }
    return false;
}

} // namespace

std::vector<std::string> SplitDelimitedList(std::string_view s) {
    std::vector<std::string> items;
    std::size_t i = 0;
    // A NUL ends the text as it would a C string.
    if (auto nul = s.find('\0'); nul != std::string_view::npos) s = s.substr(0, nul);
    while (i < s.size() && is_blank(s[i])) ++i;
    while (i < s.size()) {
        if (s[i] == kQuote) {
            items.push_back(quoted_item(s, i));
        } else {
            std::size_t start = i;
            while (i < s.size() && static_cast<unsigned char>(s[i]) > ' ' && s[i] != kDelimiter) i = next_char(s, i);
            items.emplace_back(s.substr(start, i - start));
        }
        while (i < s.size() && is_blank(s[i])) ++i;
        if (i < s.size() && s[i] == kDelimiter) {
            if (i + 1 == s.size()) items.emplace_back();
            do { ++i; } while (i < s.size() && is_blank(s[i]));
        }
    }
    return items;
}

std::string JoinDelimitedList(const std::vector<std::string>& items) {
    // One empty item must survive the round trip, so it is written as a pair of quotes.
    if (items.size() == 1 && items[0].empty()) return std::string(2, kQuote);
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) out.push_back(kDelimiter);
        const std::string& item = items[k];
        if (!needs_quotes(item)) { out += item; continue; }
        out.push_back(kQuote);
        for (std::size_t i = 0; i < item.size();) {
            std::size_t n = next_char(item, i);
            if (item[i] == kQuote) out.push_back(kQuote);
            out.append(item, i, n - i);
            i = n;
        }
        out.push_back(kQuote);
    }
    return out;
}

} // namespace station
