// Turns the rows of a CallLogTable query into records. Columns are found by name, ignoring
// case: PostgreSQL reports its names in lower case.
#pragma once
#include "station/core/database/call_log_info.h"
#include "station/core/database/db_connection.h"

namespace calldb {

class CallLogRowReader {
public:
    explicit CallLogRowReader(DbCursor& cursor);
    // False when a column of the table is missing from the result.
    bool valid() const { return valid_; }
    // The current row; texts trimmed, CallerName left empty.
    ACallLogInfo read();

private:
    enum Column {
        ID, LineID, Chan, AgentID, AgentName, StartDate, StartTime, DuringTime, CallerID, DTMF,
        WaveFilePath, CNote, CallType, Rings, VIFlag, BackUpFlag, SeqID, VerID, RingSecs, MaxScore,
        TestScore, TestGrade, ColumnCount
    };
    void read_column(Column column, ACallLogInfo& record);

    DbCursor& cursor_;
    int index_[ColumnCount];
    Column order_[ColumnCount];  // by position in the result: some drivers read only forwards
    bool valid_ = true;
};

} // namespace calldb
