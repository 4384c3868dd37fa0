// What the search view needs of the call-record database, so its flows can run against the
// station's data module or a test double.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "station/core/call_log_info.h"
#include "station/core/database/search_query.h"

namespace calldb {
class TMyDataModule;
}

namespace station {

class ICallLogStore {
public:
    virtual ~ICallLogStore() = default;
    // -1 when the database cannot be opened or a read fails; the rows read before stay.
    virtual int SearchCallLogs(const calldb::SearchConditions& conditions, std::vector<ACallLogInfo>& records) = 0;
    // Deletes the record's row; false when the row may still be there: its recording must then
    // be kept.
    virtual bool DeleteCallLog(const ACallLogInfo& record) = 0;
    virtual void UpdateCallLogNote(std::int32_t id, const std::string& note) = 0;
};

class DataModuleStore : public ICallLogStore {
public:
    explicit DataModuleStore(calldb::TMyDataModule& module) : module_(module) {}
    int SearchCallLogs(const calldb::SearchConditions& conditions, std::vector<ACallLogInfo>& records) override;
    bool DeleteCallLog(const ACallLogInfo& record) override;
    void UpdateCallLogNote(std::int32_t id, const std::string& note) override;

private:
    calldb::TMyDataModule& module_;
};

} // namespace station
