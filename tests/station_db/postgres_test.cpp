// PostgreSQL through ODBC: the shared cases and the password that needs quoting.
#include <gtest/gtest.h>

#include "backend_fixture.h"

namespace calldb::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Server, BackendTest, ::testing::Values(Backend::OdbcPostgres), backend_name);

using PostgresLoginTest = BackendTest;

TEST_P(PostgresLoginTest, OnlyTheWholePasswordIsAccepted) {
    EXPECT_EQ(db.InsertCallLog(sample_record()), 0);
    // What an unquoted connection string would have sent: the text up to the ';'.
    settings.ODBCPass = "pa";
    EXPECT_EQ(db.InsertCallLog(sample_record()), 0);  // refused: it waits
    EXPECT_EQ(db.PendingRowCount(), 1u);
    settings.ODBCPass = kPostgresPassword;
    EXPECT_EQ(search_all().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Server, PostgresLoginTest, ::testing::Values(Backend::OdbcPostgres), backend_name);

} // namespace
} // namespace calldb::testing
