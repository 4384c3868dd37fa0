// A PostgreSQL server that goes away and comes back while the station keeps its connection.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "backend_fixture.h"

namespace calldb::testing {
namespace {

// Stops or starts the test run's server through the cluster script, which left a copy of
// itself in the folder of the data source files.
bool server(const char* action) {
    const char* dir = std::getenv("ODBCSYSINI");
    if (!dir) return false;
    const std::string command = std::string("sh '") + dir + "/pg_cluster.sh' " + action + " '" + dir + "'";
    return std::system(command.c_str()) == 0;
}

class PostgresRestartTest : public BackendTest {
protected:
    void TearDown() override { server("resume"); }  // a failed case must not leave it stopped
};

TEST_P(PostgresRestartTest, NextOperationReconnectsAfterTheServerCameBack) {
    ACallLogInfo before = sample_record();
    before.LineID = "before";
    ASSERT_EQ(db.InsertCallLog(before), 0);

    ASSERT_TRUE(server("halt"));
    ACallLogInfo during = sample_record();
    during.LineID = "during";
    EXPECT_EQ(db.InsertCallLog(during), 0);  // waits in the pending file
    EXPECT_EQ(db.PendingRowCount(), 1u);
    std::vector<ACallLogInfo> rows;
    EXPECT_EQ(db.SearchCallLogs(SearchConditions{}, rows), -1);

    ASSERT_TRUE(server("resume"));
    ACallLogInfo after = sample_record();
    after.LineID = "after";
    EXPECT_EQ(db.InsertCallLog(after), 0);
    ASSERT_TRUE(store_waiting_rows(db));
    const auto all = search_all();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].LineID, "before");
    EXPECT_EQ(all[1].LineID, "during");
    EXPECT_EQ(all[2].LineID, "after");
}

TEST_P(PostgresRestartTest, ARowThatMeetsADeadConnectionWaitsAndArrives) {
    ASSERT_EQ(db.InsertCallLog(sample_record()), 0);
    ASSERT_TRUE(server("halt"));
    ASSERT_TRUE(server("resume"));
    // The open connection died with the server: this insert finds out and keeps its row.
    EXPECT_EQ(db.InsertCallLog(sample_record()), 0);
    EXPECT_EQ(db.InsertCallLog(sample_record()), 0);
    ASSERT_TRUE(store_waiting_rows(db));
    EXPECT_EQ(search_all().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Server, PostgresRestartTest, ::testing::Values(Backend::OdbcPostgres), backend_name);

} // namespace
} // namespace calldb::testing
