#include "station/forms/station_database_settings.h"

#include <gtest/gtest.h>

namespace {

TEST(StationDatabaseSettings, TheStationsDbSettingsNameTheDatabase) {
    struct Case {
        int conn_mode;
        bool local;
        int expected_mode;
    };
    const Case cases[] = {
        {0, true, calldb::ConnModeOdbc},
        {1, true, calldb::ConnModeFile},
        {1, false, calldb::ConnModeFile},
        {7, false, calldb::ConnModeFile},  // a hand-edited value: the file, as the dialog shows it
        {-1, true, calldb::ConnModeFile},
    };
    for (const Case& c : cases) {
        station::StationGlobals g;
        g.ProgramDir = "C:\\Station";
        station::ADBInfo& db = g.Settings.DBInfo;
        db.ConnMode = c.conn_mode;
        db.ODBCDsn = "calls";
        db.ODBCUser = "clerk";
        db.ODBCPass = "secret";
        db.LocalAccess = c.local;
        db.UserAccessPath = "D:\\Data\\calls.db";
        const calldb::DatabaseSettings s = forms::StationDatabaseSettings(g);
        SCOPED_TRACE(c.conn_mode);
        EXPECT_EQ(s.ConnMode, c.expected_mode);
        EXPECT_EQ(s.ODBCDsn, "calls");
        EXPECT_EQ(s.ODBCUser, "clerk");
        EXPECT_EQ(s.ODBCPass, "secret");
        EXPECT_EQ(s.LocalFile, c.local);
        EXPECT_EQ(s.UserFilePath, "D:\\Data\\calls.db");
        EXPECT_EQ(s.ProgramDir, "C:\\Station");
        EXPECT_EQ(calldb::call_log_file_path(s), c.local ? "C:\\Station\\DB\\CallLog.db" : "D:\\Data\\calls.db");
    }
}

} // namespace
