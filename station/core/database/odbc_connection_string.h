// The connection string for a data source with its user and password.
#pragma once
#include <string>
#include <string_view>

namespace calldb {

// "DSN=..;Uid=..;Pwd=..". A value holding ';', '{' or '}' (or blanks at its ends) goes in
// braces with every '}' doubled, so a password like "a;b}" stays one value instead of ending
// early or adding a keyword. Plain values stay bare: drivers we meet (PostgreSQL's, SQLite's)
// take braces around a data source or user name literally.
std::string odbc_connection_string(std::string_view dsn, std::string_view user, std::string_view password);

} // namespace calldb
