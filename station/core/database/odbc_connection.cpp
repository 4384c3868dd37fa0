#include "station/core/database/odbc_connection.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

#include "station/core/database/database_text.h"
#include "platform/text_utf16.h"

namespace calldb {

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the wide ODBC entry points take UTF-16");

// How long a data source may take to answer a connection before we give up.
constexpr SQLULEN kLoginTimeoutSeconds = 8;

bool succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

using WideText = std::basic_string<SQLWCHAR>;

WideText to_wide(const std::string& gbk) {
    const std::u16string utf16 = plat::utf8_to_utf16(gbk_to_database_text(gbk));
    return WideText(utf16.begin(), utf16.end());
}

std::string from_wide(const SQLWCHAR* text, std::size_t length) {
    std::u16string utf16(length, u'\0');
    for (std::size_t i = 0; i < length; ++i) utf16[i] = static_cast<char16_t>(text[i]);
    return database_text_to_gbk(plat::utf16_to_utf8(utf16));
}

// A statement handle that frees itself.
class Statement {
public:
    explicit Statement(SQLHDBC dbc) {
        if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_))) handle_ = SQL_NULL_HSTMT;
    }
    ~Statement() {
        if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    SQLHSTMT get() const { return handle_; }
    bool valid() const { return handle_ != SQL_NULL_HSTMT; }

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

bool exec_direct(SQLHSTMT stmt, const std::string& sql) {
    WideText text = to_wide(sql);
    const SQLRETURN rc = SQLExecDirectW(stmt, text.data(), static_cast<SQLINTEGER>(text.size()));
    // A searched update or delete that touches no row reports "no data"; it still succeeded.
    return succeeded(rc) || rc == SQL_NO_DATA;
}

class OdbcCursor final : public DbCursor {
public:
    explicit OdbcCursor(std::unique_ptr<Statement> stmt) : stmt_(std::move(stmt)) {
        SQLSMALLINT count = 0;
        if (succeeded(SQLNumResultCols(stmt_->get(), &count))) columns_ = count;
    }

    int column_count() const override { return columns_; }

    std::string column_name(int column) const override {
        SQLWCHAR name[256];
        SQLSMALLINT length = 0;
        if (!succeeded(SQLColAttributeW(stmt_->get(), static_cast<SQLUSMALLINT>(column + 1), SQL_DESC_NAME,
                                        name, sizeof name, &length, nullptr)))
            return {};
        const std::size_t chars = static_cast<std::size_t>(length < 0 ? 0 : length) / sizeof(SQLWCHAR);
        return from_wide(name, std::min<std::size_t>(chars, 255));
    }

    bool fetch() override {
        if (done_) return false;
        const SQLRETURN rc = SQLFetch(stmt_->get());
        if (succeeded(rc)) return true;
        done_ = true;
        failed_ = rc != SQL_NO_DATA;
        return false;
    }
    bool failed() const override { return failed_; }

    std::string text(int column) override {
        // Long values arrive in pieces; each piece but the last fills the buffer and ends in a
        // NUL that is not part of the value.
        constexpr std::size_t kChunk = 256;
        SQLWCHAR buffer[kChunk];
        std::basic_string<SQLWCHAR> value;
        for (int piece = 0; piece < 4096; ++piece) {
            SQLLEN indicator = 0;
            const SQLRETURN rc = SQLGetData(stmt_->get(), static_cast<SQLUSMALLINT>(column + 1), SQL_C_WCHAR,
                                            buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA || indicator == SQL_NULL_DATA || !succeeded(rc)) break;
            std::size_t chars = kChunk - 1;
            if (indicator != SQL_NO_TOTAL && indicator >= 0 &&
                static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR) < kChunk)
                chars = static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR);
            value.append(buffer, chars);
            if (rc == SQL_SUCCESS) break;  // the last piece
        }
        return from_wide(value.data(), value.size());
    }

    std::int32_t integer(int column) override {
        SQLINTEGER value = 0;
        SQLLEN indicator = 0;
        if (!succeeded(SQLGetData(stmt_->get(), static_cast<SQLUSMALLINT>(column + 1), SQL_C_SLONG, &value,
                                  sizeof value, &indicator)) ||
            indicator == SQL_NULL_DATA)
            return 0;
        return value;
    }

    double real(int column) override {
        SQLDOUBLE value = 0;
        SQLLEN indicator = 0;
        if (!succeeded(SQLGetData(stmt_->get(), static_cast<SQLUSMALLINT>(column + 1), SQL_C_DOUBLE, &value,
                                  sizeof value, &indicator)) ||
            indicator == SQL_NULL_DATA)
            return 0.0;
        return value;
    }

private:
    std::unique_ptr<Statement> stmt_;
    int columns_ = 0;
    bool done_ = false;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<OdbcConnection> OdbcConnection::open(const std::string& connection_string) {
    std::unique_ptr<OdbcConnection> connection = connect(connection_string);
    // PostgreSQL would otherwise wait for another program's lock without end.
    if (connection && connection->dialect() == SqlDialect::PostgreSQL)
        connection->execute("SET lock_timeout = " + std::to_string(kLockWaitMs));
    return connection;
}

bool data_source_uses_sqlite(const std::string& dsn) {
    SQLHENV env = SQL_NULL_HENV;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return false;
    bool sqlite = false;
    if (succeeded(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
        SQLWCHAR name[256];
        SQLWCHAR driver[256];
        SQLSMALLINT name_length = 0;
        SQLSMALLINT driver_length = 0;
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        // Bounded: a driver manager lists each data source once.
        for (int listed = 0; listed < 4096; ++listed, direction = SQL_FETCH_NEXT) {
            if (!succeeded(SQLDataSourcesW(env, direction, name, 256, &name_length, driver, 256, &driver_length))) break;
            const std::string listed_name = from_wide(name, std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(name_length, 0)), 255));
            if (listed_name != dsn) continue;
            const std::string description = from_wide(driver, std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(driver_length, 0)), 255));
            sqlite = dialect_from_dbms_name(description) == SqlDialect::SQLite;
            break;
        }
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return sqlite;
}

std::unique_ptr<OdbcConnection> OdbcConnection::connect(const std::string& connection_string) {
    SQLHENV env = SQL_NULL_HENV;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return nullptr;
    SQLHDBC dbc = SQL_NULL_HDBC;
    auto fail = [&]() -> std::unique_ptr<OdbcConnection> {
        if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        return nullptr;
    };
    if (!succeeded(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)))
        return fail();
    SQLSetConnectAttrW(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);

    WideText text = to_wide(connection_string);
    SQLWCHAR completed[1024];
    SQLSMALLINT completed_length = 0;
    if (!succeeded(SQLDriverConnectW(dbc, nullptr, text.data(), static_cast<SQLSMALLINT>(text.size()), completed,
                                     static_cast<SQLSMALLINT>(sizeof completed / sizeof completed[0]),
                                     &completed_length, SQL_DRIVER_NOPROMPT)))
        return fail();

    SQLWCHAR dbms[128];
    SQLSMALLINT dbms_bytes = 0;
    std::string dbms_name;
    if (succeeded(SQLGetInfoW(dbc, SQL_DBMS_NAME, dbms, sizeof dbms, &dbms_bytes)) && dbms_bytes > 0)
        dbms_name = from_wide(dbms, std::min<std::size_t>(static_cast<std::size_t>(dbms_bytes) / sizeof(SQLWCHAR), 127));
    return std::unique_ptr<OdbcConnection>(new OdbcConnection(env, dbc, dialect_from_dbms_name(dbms_name)));
}

OdbcConnection::~OdbcConnection() {
    SQLDisconnect(static_cast<SQLHDBC>(dbc_));
    SQLFreeHandle(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc_));
    SQLFreeHandle(SQL_HANDLE_ENV, static_cast<SQLHENV>(env_));
}

bool OdbcConnection::execute(const std::string& sql) {
    Statement stmt(static_cast<SQLHDBC>(dbc_));
    return stmt.valid() && exec_direct(stmt.get(), sql);
}

std::unique_ptr<DbCursor> OdbcConnection::query(const std::string& sql) {
    auto stmt = std::make_unique<Statement>(static_cast<SQLHDBC>(dbc_));
    if (!stmt->valid() || !exec_direct(stmt->get(), sql)) return nullptr;
    return std::make_unique<OdbcCursor>(std::move(stmt));
}

} // namespace calldb
