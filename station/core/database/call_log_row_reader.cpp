#include "station/core/database/call_log_row_reader.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace calldb {

namespace {

constexpr const char* kColumnNames[] = {
    "ID", "LineID", "Chan", "AgentID", "AgentName", "StartDate", "StartTime", "DuringTime",
    "CallerID", "DTMF", "WaveFilePath", "CNote", "CallType", "Rings", "VIFlag", "BackUpFlag",
    "SeqID", "VerID", "RingSecs", "MaxScore", "TestScore", "TestGrade",
};

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string trimmed(std::string text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

} // namespace

CallLogRowReader::CallLogRowReader(DbCursor& cursor) : cursor_(cursor) {
    static_assert(sizeof kColumnNames / sizeof kColumnNames[0] == ColumnCount, "one name per column");
    const int count = cursor.column_count();
    for (int c = 0; c < ColumnCount; ++c) {
        index_[c] = -1;
        for (int k = 0; k < count && index_[c] < 0; ++k)
            if (equal_ignoring_case(cursor.column_name(k), kColumnNames[c])) index_[c] = k;
        if (index_[c] < 0) valid_ = false;
        order_[c] = static_cast<Column>(c);
    }
    std::sort(std::begin(order_), std::end(order_), [this](Column a, Column b) { return index_[a] < index_[b]; });
}

void CallLogRowReader::read_column(Column column, ACallLogInfo& r) {
    const int k = index_[column];
    switch (column) {
    case ID: r.ID = cursor_.integer(k); break;
    case LineID: r.LineID = trimmed(cursor_.text(k)); break;
    case Chan: r.Chan = cursor_.integer(k); break;
    case AgentID: r.AgentID = trimmed(cursor_.text(k)); break;
    case AgentName: r.AgentName = trimmed(cursor_.text(k)); break;
    case StartDate: r.StartDate = trimmed(cursor_.text(k)); break;
    case StartTime: r.StartTime = trimmed(cursor_.text(k)); break;
    case DuringTime: r.DuringTime = trimmed(cursor_.text(k)); break;
    case CallerID: r.CallerID = trimmed(cursor_.text(k)); break;
    case DTMF: r.DTMF = trimmed(cursor_.text(k)); break;
    case WaveFilePath: r.WaveFilePath = trimmed(cursor_.text(k)); break;
    case CNote: r.CNote = trimmed(cursor_.text(k)); break;
    case CallType: r.CallType = cursor_.integer(k); break;
    case Rings: r.Rings = cursor_.integer(k); break;
    case VIFlag: r.VIFlag = cursor_.integer(k); break;
    case BackUpFlag: r.BackUpFlag = cursor_.integer(k); break;
    case SeqID: r.SeqID = trimmed(cursor_.text(k)); break;
    case VerID: r.VerID = cursor_.integer(k); break;
    case RingSecs: r.RingSecs = cursor_.integer(k); break;
    case MaxScore: r.MaxScore = cursor_.integer(k); break;
    case TestScore: r.TestScore = cursor_.real(k); break;
    case TestGrade: r.TestGrade = cursor_.real(k); break;
    case ColumnCount: break;
    }
}

ACallLogInfo CallLogRowReader::read() {
    ACallLogInfo record;
    for (Column column : order_) read_column(column, record);
    return record;
}

} // namespace calldb
