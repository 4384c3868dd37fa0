// Where the call records live, as the station's [DB] settings name it. The main window's data
// module and the search view both ask here, so they always open the same database.
#pragma once
#include "station/core/database/database_settings.h"
#include "station/core/globals.h"

namespace forms {

// Connection mode 0 is an ODBC data source; every other value is the database file, as the
// settings dialog offers only the two.
calldb::DatabaseSettings StationDatabaseSettings(const station::StationGlobals& g);

} // namespace forms
