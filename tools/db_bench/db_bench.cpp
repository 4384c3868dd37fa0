// Times the station's call search on a large table: fills CallLogTable with calls spread over
// four years, then runs a one-day search, a one-month search and a one-day search with a
// caller-number condition through the search function the station uses, printing the figures.
//
//   db_bench --file <path> [--rows N] [--keep]       the SQLite file (made afresh unless --keep)
//   db_bench --dsn <name> [--user U] [--password P] [--rows N] [--keep]
//                                                    an ODBC data source holding CallLogTable
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "station/core/database/call_log_database.h"
#include "station/core/database/call_log_statements.h"
#include "station/core/database/file_database.h"
#include "station/core/database/odbc_connection.h"
#include "station/core/database/odbc_connection_string.h"
#include "station/core/database/sqlite_connection.h"

using namespace calldb;

namespace {

constexpr int kFirstYear = 2021;
constexpr int kYears = 4;
constexpr int kBatchRows = 500;  // rows per multi-row insert

struct Options {
    DatabaseSettings settings;
    long long rows = 2000000;
    bool keep = false;
};

bool is_leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int days_in_month(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && is_leap(y) ? 29 : days[m - 1];
}

// Day number d (0-based from 1 January of the first year) as "yyyy-MM-dd".
std::string date_of_day(int d) {
    int y = kFirstYear, m = 1;
    for (;;) {
        const int dim = days_in_month(y, m);
        if (d < dim) break;
        d -= dim;
        if (++m > 12) { m = 1; ++y; }
    }
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d + 1);
    return text;
}

int total_days() {
    int days = 0;
    for (int y = kFirstYear; y < kFirstYear + kYears; ++y) days += is_leap(y) ? 366 : 365;
    return days;
}

struct Random {
    unsigned long long state = 0x9E3779B97F4A7C15ull;
    unsigned next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<unsigned>(state >> 11);
    }
};

ACallLogInfo make_call(long long i, long long rows, int days, Random& rnd) {
    ACallLogInfo r;
    // Rows arrive in time order, as the station stores them.
    const int day = static_cast<int>(i * days / rows);
    const int second = static_cast<int>(rnd.next() % 86400);
    char text[64];
    r.StartDate = date_of_day(day);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    r.StartTime = text;
    const int duration = static_cast<int>(rnd.next() % 900);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", duration / 3600, duration / 60 % 60, duration % 60);
    r.DuringTime = text;
    r.Chan = static_cast<int>(rnd.next() % 16) + 1;
    std::snprintf(text, sizeof text, "Line %d", r.Chan);
    r.LineID = text;
    r.AgentName = "Agent " + std::to_string(rnd.next() % 40);
    // A tenth of the callers are local numbers starting 0755.
    std::snprintf(text, sizeof text, rnd.next() % 10 == 0 ? "0755%08u" : "1%010u", rnd.next() % 100000000u);
    r.CallerID = text;
    r.DTMF = std::to_string(rnd.next() % 1000);
    r.CallType = static_cast<int>(rnd.next() % 3);
    r.Rings = static_cast<int>(rnd.next() % 8);
    r.RingSecs = r.Rings * 5;
    std::snprintf(text, sizeof text, "%.4s%.2s%.2s\\%08lld.wav", r.StartDate.c_str(), r.StartDate.c_str() + 5,
                  r.StartDate.c_str() + 8, i);
    r.WaveFilePath = text;
    r.SeqID = std::to_string(i);
    r.VerID = 2;
    return r;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool fill(DbConnection& db, long long rows) {
    const int days = total_days();
    Random rnd;
    const auto start = std::chrono::steady_clock::now();
    if (!db.execute("BEGIN")) return false;
    std::string batch;
    int in_batch = 0;
    for (long long i = 0; i < rows; ++i) {
        const std::string one = insert_call_log_statement(make_call(i, rows, days, rnd));
        const std::size_t values = one.find(" Values(");
        if (in_batch == 0) batch = one.substr(0, values) + " Values";
        else batch += ',';
        batch.append(one, values + 7, std::string::npos);  // "(...)"
        if (++in_batch == kBatchRows || i + 1 == rows) {
            if (!db.execute(batch)) return false;
            in_batch = 0;
        }
        if ((i + 1) % 200000 == 0) std::printf("  %lld rows, %.1f s\n", i + 1, seconds_since(start));
    }
    if (!db.execute("COMMIT")) return false;
    db.execute(db.dialect() == SqlDialect::PostgreSQL ? "ANALYZE CallLogTable" : "ANALYZE");
    std::printf("filled %lld rows in %.1f s\n", rows, seconds_since(start));
    return true;
}

void time_search(TMyDataModule& module, const char* name, const SearchConditions& c) {
    constexpr int kRuns = 7;
    std::vector<double> ms;
    std::size_t rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<ACallLogInfo> records;
        const auto start = std::chrono::steady_clock::now();
        const int result = module.SearchCallLogs(c, records);
        ms.push_back(seconds_since(start) * 1000.0);
        if (result != 0) {
            std::printf("%-28s failed\n", name);
            return;
        }
        rows = records.size();
    }
    const double first = ms.front();
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s %7zu rows  first %8.1f ms  median %8.1f ms  best %8.1f ms\n", name, rows, first,
                ms[ms.size() / 2], ms.front());
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* a = argv[i];
        const char* v = nullptr;
        if (!std::strcmp(a, "--keep")) { o.keep = true; continue; }
        if (!(v = value())) return false;
        if (!std::strcmp(a, "--file")) {
            o.settings.ConnMode = ConnModeFile;
            o.settings.LocalFile = false;
            o.settings.UserFilePath = v;
        } else if (!std::strcmp(a, "--dsn")) {
            o.settings.ConnMode = ConnModeOdbc;
            o.settings.ODBCDsn = v;
        } else if (!std::strcmp(a, "--user")) {
            o.settings.ODBCUser = v;
        } else if (!std::strcmp(a, "--password")) {
            o.settings.ODBCPass = v;
        } else if (!std::strcmp(a, "--rows")) {
            o.rows = std::atoll(v);
        } else {
            return false;
        }
    }
    return o.rows > 0 && (!o.settings.UserFilePath.empty() || !o.settings.ODBCDsn.empty());
}

SearchConditions period(const char* from, const char* to) {
    SearchConditions c;
    c.DateFrom = from;
    c.TimeFrom = "00:00:00";
    c.DateTo = to;
    c.TimeTo = "23:59:59";
    return c;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: db_bench --file <path> | --dsn <name> [--user U] [--password P]"
                             " [--rows N] [--keep]\n");
        return 2;
    }
    if (!o.keep) {
        std::unique_ptr<DbConnection> db;
        if (o.settings.ConnMode == ConnModeFile) {
            plat::remove_file(o.settings.UserFilePath);
            if (create_call_log_file(o.settings.UserFilePath))
                db = SqliteConnection::open(o.settings.UserFilePath, false);
        } else {
            db = OdbcConnection::open(odbc_connection_string(o.settings.ODBCDsn, o.settings.ODBCUser, o.settings.ODBCPass));
            if (db && !db->execute("Delete from CallLogTable")) db.reset();
        }
        if (!db || !fill(*db, o.rows)) {
            std::fprintf(stderr, "filling the table failed\n");
            return 1;
        }
    }

    TMyDataModule module([&] { return o.settings; });
    time_search(module, "one day", period("2023-06-15", "2023-06-15"));
    time_search(module, "one month", period("2023-06-01", "2023-06-30"));
    SearchConditions caller = period("2023-06-15", "2023-06-15");
    caller.ByCallerID = {true, "0755"};
    time_search(module, "one day, caller like 0755", caller);
    return 0;
}
