#include "platform/ui/description_parser.h"

#include <cctype>

#include "platform/text_utf16.h"
#include "platform/ui/text_util.h"

namespace ui {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {
        if (s_.size() >= 3 && s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // a UTF-8 signature
    }

    DescObject parse() {
        skip_space();
        DescObject root = parse_object(0);
        skip_space();
        if (pos_ != s_.size()) fail("text after the end of the description");
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw DescriptionError("line " + std::to_string(line_) + ": " + what);
    }

    bool at_end() const { return pos_ >= s_.size(); }
    char peek() const { return at_end() ? '\0' : s_[pos_]; }
    char next() {
        char c = s_[pos_++];
        if (c == '\n') ++line_;
        return c;
    }

    void skip_space() {
        while (!at_end()) {
            char c = peek();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                next();
            } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
                while (!at_end() && peek() != '\n') next();
            } else {
                break;
            }
        }
    }

    static bool ident_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool ident_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    // An identifier, dotted parts included ("Font.Name", "Form1.Button1").
    std::string identifier() {
        skip_space();
        if (!ident_start(peek())) fail("identifier expected");
        std::string out;
        for (;;) {
            while (!at_end() && ident_char(peek())) out += next();
            if (peek() == '.' && pos_ + 1 < s_.size() && ident_start(s_[pos_ + 1])) {
                out += next();
                continue;
            }
            return out;
        }
    }

    bool keyword(std::string_view word) {
        skip_space();
        if (s_.size() - pos_ < word.size()) return false;
        if (!same_text(s_.substr(pos_, word.size()), word)) return false;
        std::size_t after = pos_ + word.size();
        if (after < s_.size() && ident_char(s_[after])) return false;
        for (std::size_t i = 0; i < word.size(); ++i) next();
        return true;
    }

    void expect(char c) {
        skip_space();
        if (peek() != c) fail(std::string("'") + c + "' expected");
        next();
    }

    DescObject parse_object(int depth) {
        if (depth > kMaxDepth) fail("components nested too deeply");
        skip_space();
        DescObject obj;
        obj.line = line_;
        if (!keyword("object") && !keyword("inherited") && !keyword("inline")) fail("'object' expected");
        obj.name = identifier();
        expect(':');
        obj.class_name = identifier();
        for (;;) {
            skip_space();
            if (at_end()) fail("'end' expected for " + obj.name);
            if (keyword("end")) return obj;
            std::size_t save = pos_;
            int save_line = line_;
            if (keyword("object") || keyword("inherited") || keyword("inline")) {
                pos_ = save;
                line_ = save_line;
                obj.children.push_back(parse_object(depth + 1));
                continue;
            }
            obj.properties.push_back(parse_property(depth));
        }
    }

    DescProperty parse_property(int depth) {
        DescProperty p;
        p.line = line_;
        p.name = identifier();
        expect('=');
        p.value.push_back(parse_value(depth));
        return p;
    }

    DescValue parse_value(int depth) {
        if (depth > kMaxDepth) fail("values nested too deeply");
        skip_space();
        DescValue v;
        v.line = line_;
        char c = peek();
        if (c == '\'' || c == '#') {
            v.kind = DescValue::Kind::String;
            v.text = string_value();
        } else if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            number_value(v);
        } else if (c == '[') {
            next();
            v.kind = DescValue::Kind::Set;
            skip_space();
            if (peek() == ']') {
                next();
                return v;
            }
            for (;;) {
                v.identifiers.push_back(identifier());
                skip_space();
                if (peek() == ']') {
                    next();
                    return v;
                }
                expect(',');
            }
        } else if (c == '(') {
            next();
            v.kind = DescValue::Kind::List;
            for (;;) {
                skip_space();
                if (at_end()) fail("')' expected");
                if (peek() == ')') {
                    next();
                    return v;
                }
                v.list.push_back(parse_value(depth + 1));
                skip_space();
                if (peek() == ',') next();
            }
        } else if (c == '<') {
            next();
            v.kind = DescValue::Kind::Collection;
            for (;;) {
                skip_space();
                if (peek() == '>') {
                    next();
                    return v;
                }
                if (!keyword("item")) fail("'item' or '>' expected");
                std::vector<DescProperty> props;
                for (;;) {
                    skip_space();
                    if (at_end()) fail("'end' expected for a collection item");
                    if (keyword("end")) break;
                    props.push_back(parse_property(depth + 1));
                }
                v.items.push_back(std::move(props));
            }
        } else if (c == '{') {
            next();
            v.kind = DescValue::Kind::Binary;
            int high = -1;
            for (;;) {
                skip_space();
                if (at_end()) fail("'}' expected");
                char h = next();
                if (h == '}') break;
                int d = std::isdigit(static_cast<unsigned char>(h)) ? h - '0'
                        : (std::tolower(static_cast<unsigned char>(h)) >= 'a' && std::tolower(static_cast<unsigned char>(h)) <= 'f')
                            ? std::tolower(static_cast<unsigned char>(h)) - 'a' + 10
                            : -1;
                if (d < 0) fail("hexadecimal digit expected in binary data");
                if (high < 0) {
                    high = d;
                } else {
                    v.bytes.push_back(static_cast<std::uint8_t>(high * 16 + d));
                    high = -1;
                }
            }
            if (high >= 0) fail("odd number of hexadecimal digits in binary data");
        } else if (ident_start(c)) {
            v.kind = DescValue::Kind::Identifier;
            v.text = identifier();
        } else {
            fail("value expected");
        }
        return v;
    }

    void number_value(DescValue& v) {
        std::size_t start = pos_;
        if (peek() == '-' || peek() == '+') next();
        bool hex = peek() == '$';
        if (hex) next();
        bool is_float = false;
        while (!at_end()) {
            char c = peek();
            if (std::isdigit(static_cast<unsigned char>(c)) || (hex && std::isxdigit(static_cast<unsigned char>(c)))) {
                next();
            } else if (!hex && (c == '.' || c == 'e' || c == 'E')) {
                is_float = true;
                next();
                if ((c == 'e' || c == 'E') && (peek() == '-' || peek() == '+')) next();
            } else {
                break;
            }
        }
        std::string_view t = s_.substr(start, pos_ - start);
        if (is_float) {
            auto f = parse_float(t);
            if (!f) fail("malformed number " + std::string(t));
            v.kind = DescValue::Kind::Float;
            v.number = *f;
        } else {
            auto i = parse_integer(t);
            if (!i) fail("malformed number " + std::string(t));
            v.kind = DescValue::Kind::Integer;
            v.integer = *i;
        }
    }


    // 'quoted' parts, #code points, joined directly or by '+'.
    std::string string_value() {
        std::string out;
        for (;;) {
            char c = peek();
            if (c == '\'') {
                next();
                for (;;) {
                    if (at_end() || peek() == '\n') fail("unterminated string");
                    char d = next();
                    if (d == '\'') {
                        if (peek() == '\'') {
                            next();
                            out += '\'';
                            continue;
                        }
                        break;
                    }
                    out += d;
                }
            } else if (c == '#') {
                next();
                unsigned long cp = 0;
                int digits = 0;
                while (std::isdigit(static_cast<unsigned char>(peek())) && digits < 7) {
                    cp = cp * 10 + static_cast<unsigned long>(next() - '0');
                    ++digits;
                }
                if (digits == 0 || cp > 0x10FFFF) fail("malformed character code");
                plat::append_utf8(out, cp);
            } else {
                break;
            }
            // Pieces written next to each other ('a'#13#10'b') or joined by '+' form one text.
            if (peek() == '\'' || peek() == '#') continue;
            std::size_t save = pos_;
            int save_line = line_;
            skip_space();
            if (peek() == '+') {
                next();
                skip_space();
                if (peek() != '\'' && peek() != '#') fail("string expected after '+'");
                continue;
            }
            pos_ = save;
            line_ = save_line;
            break;
        }
        return out;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

DescObject parse_description(std::string_view text) { return Parser(text).parse(); }

const char* value_kind_name(DescValue::Kind kind) {
    switch (kind) {
    case DescValue::Kind::Integer: return "an integer";
    case DescValue::Kind::Float: return "a number";
    case DescValue::Kind::String: return "a string";
    case DescValue::Kind::Identifier: return "an identifier";
    case DescValue::Kind::Set: return "a set";
    case DescValue::Kind::List: return "a list";
    case DescValue::Kind::Collection: return "a collection";
    case DescValue::Kind::Binary: return "binary data";
    }
    return "a value";
}

} // namespace ui
