// An ODBC data source, through the wide entry points only (Wine lacks SQLDriverConnectA).
#pragma once
#include <memory>
#include <string>

#include "station/core/database/db_connection.h"

namespace calldb {

class OdbcConnection final : public DbConnection {
public:
    ~OdbcConnection() override;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // Connects with a GBK connection string; null on failure.
    static std::unique_ptr<OdbcConnection> open(const std::string& connection_string);

    SqlDialect dialect() const override { return dialect_; }
    bool execute(const std::string& sql) override;
    std::unique_ptr<DbCursor> query(const std::string& sql) override;

private:
    static std::unique_ptr<OdbcConnection> connect(const std::string& connection_string);
    OdbcConnection(void* env, void* dbc, SqlDialect dialect) : env_(env), dbc_(dbc), dialect_(dialect) {}
    void* env_;
    void* dbc_;
    SqlDialect dialect_;
};

// Whether the driver manager lists the data source with an SQLite driver. That driver waits
// for another program's lock by its own connection attribute "Timeout" (100 s unless given),
// whatever the statements ask.
bool data_source_uses_sqlite(const std::string& dsn);

} // namespace calldb
