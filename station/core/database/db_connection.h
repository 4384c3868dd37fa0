// One open database: the SQLite file or an ODBC data source. Statements and texts are GBK;
// each back end converts at its own boundary.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "station/core/database/sql_dialect.h"

namespace calldb {

// How long a statement waits for a lock that another program holds on the database. The
// window thread runs every operation and may wait at most 200 ms on the database in one; a
// row that meets a lock waits in the pending file instead.
constexpr int kLockWaitMs = 80;

// Rows of one query, read forwards until the end. Columns are numbered from 0.
class DbCursor {
public:
    virtual ~DbCursor() = default;
    virtual int column_count() const = 0;
    virtual std::string column_name(int column) const = 0;
    // Moves to the next row: false at the end or on an error (see failed()).
    virtual bool fetch() = 0;
    virtual bool failed() const = 0;
    // Values of the current row; NULL reads as empty text or 0.
    virtual std::string text(int column) = 0;
    virtual std::int32_t integer(int column) = 0;
    virtual double real(int column) = 0;
};

class DbConnection {
public:
    virtual ~DbConnection() = default;
    virtual SqlDialect dialect() const = 0;
    // Runs a statement without a result set.
    virtual bool execute(const std::string& sql) = 0;
    // Null when the statement fails. The cursor must end before the connection.
    virtual std::unique_ptr<DbCursor> query(const std::string& sql) = 0;
    // Groups the statements up to commit() into one transaction: one write to the disk for
    // many rows. False when the back end does not group them here (a data source's drivers
    // differ in how they do it): the statements then take effect one by one.
    virtual bool begin_transaction() { return false; }
    virtual bool commit() { return false; }
    virtual void rollback() {}
};

} // namespace calldb
