#include "station/forms/station_database_settings.h"

namespace forms {

calldb::DatabaseSettings StationDatabaseSettings(const station::StationGlobals& g) {
    const station::ADBInfo& db = g.Settings.DBInfo;
    calldb::DatabaseSettings s;
    s.ConnMode = db.ConnMode == 0 ? calldb::ConnModeOdbc : calldb::ConnModeFile;
    s.ODBCDsn = db.ODBCDsn;
    s.ODBCUser = db.ODBCUser;
    s.ODBCPass = db.ODBCPass;
    s.LocalFile = db.LocalAccess;
    s.UserFilePath = db.UserAccessPath;
    s.ProgramDir = g.ProgramDir;
    return s;
}

} // namespace forms
