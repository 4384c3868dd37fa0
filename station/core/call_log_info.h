// One call as the station holds it in memory: one row of CallLogTable.
#pragma once
#include <cstdint>
#include <string>

namespace station {

struct ACallLogInfo {
    std::int32_t ID = 0;
    std::string LineID;
    std::int32_t Chan = 0;
    std::string AgentID;
    std::string AgentName;
    std::string StartDate;     // "yyyy-MM-dd"
    std::string StartTime;     // "hh:nn:ss"
    std::string DuringTime;    // "hh:nn:ss"
    std::string CallerID;
    std::string CallerName;    // never stored
    std::string DTMF;
    std::string WaveFilePath;  // "<device folder>\<yyyymmdd>\<file name>" below the save folder; older rows "<yyyymmdd>\<file name>"
    std::int32_t CallType = 0; // 0 incoming, 1 outgoing, 2 missed, other unknown
    std::int32_t Rings = 0;
    std::int32_t VIFlag = 0;
    std::int32_t BackUpFlag = 0;
    std::string CNote;
    std::string SeqID;
    std::int32_t VerID = 0;
    std::int32_t RingSecs = 0;
    std::int32_t MaxScore = 0;
    double TestScore = 0.0;
    double TestGrade = 0.0;
};

} // namespace station
