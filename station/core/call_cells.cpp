#include "station/core/call_cells.h"

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <map>

#include "station/core/columns.h"
#include "station/core/gbk_literal.h"

namespace station {
namespace {

enum class KeyId {
    Direction, LockFlag, BackupFlag, LineDescription, AgentName, Date, Time, CallerID, Dialed, Duration,
    AgentID, CallerName, Note, SessionID, Channel, FileName, Rings, RingSecs, Score, FullScore, ScoreRate,
};

const std::map<std::string, KeyId>& key_ids() {
    static const std::map<std::string, KeyId> ids = {
        {Gbk(u8"方向"), KeyId::Direction},        {Gbk(u8"锁定标志"), KeyId::LockFlag},
        {Gbk(u8"备份标志"), KeyId::BackupFlag},   {Gbk(u8"线路名称"), KeyId::LineDescription},
        {Gbk(u8"坐席名称"), KeyId::AgentName},    {Gbk(u8"日期"), KeyId::Date},
        {Gbk(u8"时间"), KeyId::Time},             {Gbk(u8"主叫"), KeyId::CallerID},
        {Gbk(u8"按键码"), KeyId::Dialed},         {Gbk(u8"持续时间"), KeyId::Duration},
        {Gbk(u8"坐席工号"), KeyId::AgentID},      {Gbk(u8"主叫名称"), KeyId::CallerName},
        {Gbk(u8"备注"), KeyId::Note},             {Gbk(u8"呼叫序号"), KeyId::SessionID},
        {Gbk(u8"通道"), KeyId::Channel},          {Gbk(u8"录音文件"), KeyId::FileName},
        {Gbk(u8"振铃次数"), KeyId::Rings},        {Gbk(u8"振铃秒数"), KeyId::RingSecs},
        {Gbk(u8"得分"), KeyId::Score},            {Gbk(u8"满分"), KeyId::FullScore},
        {Gbk(u8"得分率"), KeyId::ScoreRate},
    };
    return ids;
}

bool find_key(const std::string& key, KeyId& id) {
    auto it = key_ids().find(key);
    if (it == key_ids().end()) return false;
    id = it->second;
    return true;
}

double round_to(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;  // halves away from zero, whatever printf does with ties
}

// Two decimals at seven significant digits; values too large for that switch to the
// exponent form rather than show digits that are not there.
std::string fixed_two(double v) {
    char buffer[64];
    if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v > 0 ? "INF" : "-INF");
    if (std::fabs(v) >= 1e7) {
        std::snprintf(buffer, sizeof buffer, "%.6E", v);
        return buffer;
    }
    const int digits_before = v == 0.0 ? 1 : static_cast<int>(std::floor(std::log10(std::fabs(v)))) + 1;
    if (digits_before > 5) v = round_to(v, 7 - digits_before);
    v = round_to(v, 2);
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    std::string out = buffer;
    return out == "-0.00" ? "0.00" : out;
}

int compare_int(std::int64_t a, std::int64_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

int compare_double(double a, double b) { return a > b ? 1 : (a < b ? -1 : 0); }

// ASCII letters compare without case; every other byte by its value.
int compare_text(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return compare_int(static_cast<std::int64_t>(a.size()), static_cast<std::int64_t>(b.size()));
}

bool compare(KeyId id, const ACallLogInfo& a, const ACallLogInfo& b, int& result) {
    switch (id) {
    case KeyId::Direction: result = compare_int(a.CallType, b.CallType); return true;
    case KeyId::LockFlag: result = compare_int(a.VIFlag, b.VIFlag); return true;
    case KeyId::BackupFlag: result = compare_int(a.BackUpFlag, b.BackUpFlag); return true;
    case KeyId::LineDescription: result = compare_text(a.LineID, b.LineID); return true;
    case KeyId::AgentName: result = compare_text(a.AgentName, b.AgentName); return true;
    case KeyId::Date:
        result = compare_text(a.StartDate, b.StartDate);
        if (result == 0) result = compare_text(a.StartTime, b.StartTime);
        return true;
    case KeyId::Time: result = compare_text(a.StartTime, b.StartTime); return true;
    case KeyId::CallerID: result = compare_text(a.CallerID, b.CallerID); return true;
    case KeyId::Dialed: result = compare_text(a.DTMF, b.DTMF); return true;
    case KeyId::Duration: result = compare_text(a.DuringTime, b.DuringTime); return true;
    case KeyId::AgentID: result = compare_text(a.AgentID, b.AgentID); return true;
    case KeyId::CallerName: result = compare_text(a.CallerName, b.CallerName); return true;
    case KeyId::Note: result = compare_text(a.CNote, b.CNote); return true;
    case KeyId::SessionID: result = compare_text(a.SeqID, b.SeqID); return true;
    case KeyId::Channel: result = compare_int(a.Chan, b.Chan); return true;
    case KeyId::Rings: result = compare_int(a.Rings, b.Rings); return true;
    case KeyId::RingSecs: result = compare_int(a.RingSecs, b.RingSecs); return true;
    case KeyId::Score: result = compare_double(a.TestScore, b.TestScore); return true;
    case KeyId::FullScore: result = compare_int(a.MaxScore, b.MaxScore); return true;
    case KeyId::ScoreRate: result = compare_double(a.TestGrade, b.TestGrade); return true;
    case KeyId::FileName: return false;
    }
    return false;
}

} // namespace

std::string RecordingFileName(const std::string& path) {
    // '\' can be the second byte of a GBK character: walk characters.
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size();) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) { i += 2; continue; }
        if (c == '\\') start = i + 1;
        ++i;
    }
    return path.substr(start);
}

std::string CallLogCellTextByKey(const std::string& key, const ACallLogInfo& r, const StationTexts& texts) {
    KeyId id;
    if (!find_key(key, id)) return {};
    switch (id) {
    case KeyId::Direction:
        switch (r.CallType) {
        case 0: return texts.Get("Log.CallInbound");
        case 1: return texts.Get("Log.CallOutbound");
        case 2: return texts.Get("Log.CallMissed");
        default: return texts.Get("Log.CallUnknown");
        }
    case KeyId::LockFlag: return {};
    case KeyId::BackupFlag: return r.BackUpFlag == 1 ? Gbk(u8"已备份") : std::string();
    case KeyId::LineDescription: return r.LineID;
    case KeyId::AgentName: return r.AgentName;
    case KeyId::Date: return r.StartDate;
    case KeyId::Time: return r.StartTime;
    case KeyId::CallerID: return r.CallerID;
    case KeyId::Dialed: return r.DTMF;
    case KeyId::Duration: return r.DuringTime;
    case KeyId::AgentID: return r.AgentID;
    case KeyId::CallerName: return r.CallerName;
    case KeyId::Note: return r.CNote;
    case KeyId::SessionID: return r.SeqID;
    case KeyId::Channel: return std::to_string(r.Chan);
    case KeyId::FileName: return RecordingFileName(r.WaveFilePath);
    case KeyId::Rings: return std::to_string(r.Rings);
    case KeyId::RingSecs: return r.Rings > 0 ? std::to_string(r.RingSecs) : std::string();
    case KeyId::Score: return r.MaxScore > 0 ? fixed_two(r.TestScore) : std::string();
    case KeyId::FullScore: return r.MaxScore > 0 ? std::to_string(r.MaxScore) : std::string();
    case KeyId::ScoreRate: return r.MaxScore > 0 ? fixed_two(r.TestGrade) + "%" : std::string();
    }
    return {};
}

std::string CallLogCellText(int position, const ACallLogInfo& record, const StationTexts& texts) {
    if (position < 0 || position >= kColumnCount) return {};
    return CallLogCellTextByKey(BuiltInColumn(position).Key, record, texts);
}

int ColumnImageIndex(const std::string& key) {
    KeyId id;
    if (!find_key(key, id)) return -1;
    if (id == KeyId::LockFlag) return 6;
    if (id == KeyId::BackupFlag) return 7;
    return -1;
}

ColumnAlign ColumnAlignment(const std::string& key) {
    KeyId id;
    if (!find_key(key, id)) return ColumnAlign::Left;
    switch (id) {
    case KeyId::Channel: case KeyId::Date: case KeyId::Time: case KeyId::Duration: case KeyId::Rings:
    case KeyId::RingSecs:
        return ColumnAlign::Center;
    case KeyId::Score: case KeyId::FullScore: case KeyId::ScoreRate:
        return ColumnAlign::Right;
    default:
        return ColumnAlign::Left;
    }
}

bool ColumnShowsSortArrow(const std::string& key) {
    KeyId id;
    if (!find_key(key, id)) return true;
    return id != KeyId::LockFlag && id != KeyId::BackupFlag;
}

bool HasCallLogComparator(const std::string& key) {
    KeyId id;
    int unused = 0;
    return find_key(key, id) && compare(id, ACallLogInfo{}, ACallLogInfo{}, unused);
}

int CompareCallLogs(const std::string& key, const ACallLogInfo& a, const ACallLogInfo& b, bool ascending) {
    KeyId id;
    int result = 0;
    if (!find_key(key, id) || !compare(id, a, b, result)) return 0;
    return ascending ? result : -result;
}

} // namespace station
