#include "station/core/database/odbc_connection_string.h"

namespace calldb {

namespace {

bool needs_braces(std::string_view value) {
    if (value.empty()) return false;
    if (value.front() == ' ' || value.back() == ' ') return true;
    return value.find_first_of(";{}") != std::string_view::npos;
}

void add_value(std::string& out, std::string_view value) {
    if (!needs_braces(value)) {
        out += value;
        return;
    }
    out += '{';
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    out += '}';
}

} // namespace

std::string odbc_connection_string(std::string_view dsn, std::string_view user, std::string_view password) {
    std::string out = "DSN=";
    add_value(out, dsn);
    out += ";Uid=";
    add_value(out, user);
    out += ";Pwd=";
    add_value(out, password);
    return out;
}

} // namespace calldb
