#include "station/core/search/call_store.h"

#include <algorithm>

#include "station/core/database/call_log_database.h"

namespace station {

int DataModuleStore::SearchCallLogs(const calldb::SearchConditions& conditions, std::vector<ACallLogInfo>& records) {
    return module_.SearchCallLogs(conditions, records);
}

bool DataModuleStore::DeleteCallLog(const ACallLogInfo& record) {
    if (module_.OpenCallLogDatabase() != 0) return false;
    module_.DeleteCallLog(record.ID);
    // The data module does not report the statement's result: look whether the row is gone,
    // among the rows of the call's own start moment.
    calldb::SearchConditions moment;
    moment.DateFrom = moment.DateTo = record.StartDate;
    moment.TimeFrom = moment.TimeTo = record.StartTime;
    std::vector<ACallLogInfo> left;
    if (module_.SearchCallLogs(moment, left) != 0) return false;
    return std::none_of(left.begin(), left.end(), [&](const ACallLogInfo& r) { return r.ID == record.ID; });
}

void DataModuleStore::UpdateCallLogNote(std::int32_t id, const std::string& note) {
    module_.UpdateCallLogNote(id, note);
}

} // namespace station
