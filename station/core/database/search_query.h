// The search view's conditions and the SQL text they make. A pure function, so the text can be
// checked for every database kind without a database.
#pragma once
#include <string>

#include "station/core/database/sql_dialect.h"

namespace calldb {

struct TextCondition {
    bool Enabled = false;
    std::string Text;  // GBK, as typed: trimmed and quoted by the search
};

struct LimitCondition {
    bool Enabled = false;
    int Value = 0;
};

struct SearchConditions {
    // The period: date "yyyy-MM-dd" and time of day "HH:mm:ss" of both ends.
    std::string DateFrom, TimeFrom;
    std::string DateTo, TimeTo;
    TextCondition ByCallerID, ByDialed, ByNote, ByAgent, BySessionID;
    bool ByIn = false, ByOut = false, ByNoanswer = false;
    LimitCondition LongerThan, ShorterThan;          // seconds
    LimitCondition RingLargerThan, RingSmallerThan;  // ring count, bounds included
};

std::string build_search_sql(const SearchConditions& conditions, SqlDialect dialect);


} // namespace calldb
