#include "station/core/columns.h"

#include <algorithm>

#include "station/core/gbk_literal.h"
#include "station/core/settings.h"

namespace station {
namespace {

struct ColumnRow {
    const char* key;
    const char* caption;
    int width;
    const char* language_key;
};

const ColumnRow kColumns[kColumnCount] = {
    {u8"方向", u8"", 60, "Col.Direction"},
    {u8"通道", u8"通道", 50, "Col.Channel"},
    {u8"日期", u8"日期", 70, "Col.Date"},
    {u8"时间", u8"时间", 70, "Col.Time"},
    {u8"线路名称", u8"线路名称", 80, "Col.LineDescription"},
    {u8"主叫", u8"来电号码", 100, "Col.CallerID"},
    {u8"按键码", u8"拨出号码", 100, "Col.Dialed"},
    {u8"持续时间", u8"持续时间", 80, "Col.Duration"},
    {u8"录音文件", u8"录音文件", 160, "Col.FileName"},
    {u8"备注", u8"备注", 80, "Col.Note"},
    {u8"坐席名称", u8"坐席", 80, "Col.AgentName"},
    {u8"振铃次数", u8"振铃次数", 80, "Col.Rings"},
    {u8"振铃秒数", u8"振铃秒数", 80, "Col.RingSecs"},
    {u8"呼叫序号", u8"呼叫序号", 150, "Col.CallSessionID"},
};

const std::array<AColumnInfo, kColumnCount>& built_in() {
    static const std::array<AColumnInfo, kColumnCount> table = [] {
        std::array<AColumnInfo, kColumnCount> t;
        for (int i = 0; i < kColumnCount; ++i) {
            const ColumnRow& r = kColumns[i];
            // The built-in name of every column is its key.
            t[static_cast<std::size_t>(i)] = AColumnInfo{Gbk(r.key), Gbk(r.caption), i, r.width, Gbk(r.key)};
        }
        return t;
    }();
    return table;
}

} // namespace

const AColumnInfo& BuiltInColumn(int position) { return built_in().at(static_cast<std::size_t>(position)); }

const char* ColumnLanguageKey(int position) { return kColumns[std::clamp(position, 0, kColumnCount - 1)].language_key; }

void LoadColumns(const std::string& ini_path, AProgramColumnsInfo& c) {
    c.AllColumns = built_in();
    c.VisibleColumns = c.AllColumns;
    const int n = std::min(ReadIniInteger(ini_path, "CallColumnsInfo", "TotalColumnsNum", -1), kColumnCount);
    int j = 0;
    for (int k = 1; k <= n; ++k) {
        const int index = ReadIniInteger(ini_path, "CallColumnsInfo", "Column" + std::to_string(k), -1);
        if (index < 0 || index >= kColumnCount) continue;
        auto taken = c.VisibleColumns.begin() + j;
        if (std::any_of(c.VisibleColumns.begin(), taken, [&](const AColumnInfo& v) { return v.Index == index; }))
            continue;
        AColumnInfo& v = c.VisibleColumns[static_cast<std::size_t>(j)];
        const AColumnInfo& all = c.AllColumns[static_cast<std::size_t>(index)];
        v.Key = all.Key;
        v.Name = all.Name;
        v.Caption = all.Caption;
        v.Index = index;
        v.Width = ReadIniInteger(ini_path, "CallColumnsInfo", "Column" + std::to_string(k) + "Width", all.Width);
        ++j;
    }
    c.VisibleCount = j > 0 ? j : kDefaultVisibleColumns;
}

} // namespace station
