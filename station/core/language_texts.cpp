#include "station/core/language_texts.h"

namespace station {

void LoadLanguageTexts(const TLanguageFile& language, StationTexts& texts, AProgramColumnsInfo& columns) {
    for (const std::string& key : StationTexts::LanguageTextKeys()) texts.Set(key, language.GetText(key));
    for (int i = 0; i < kColumnCount; ++i) {
        AColumnInfo& column = columns.AllColumns[static_cast<std::size_t>(i)];
        column.Name = language.GetText(ColumnLanguageKey(i));
        if (i != 0) column.Caption = column.Name;
    }
    for (int j = 0; j < columns.VisibleCount && j < kColumnCount; ++j) {
        AColumnInfo& visible = columns.VisibleColumns[static_cast<std::size_t>(j)];
        if (visible.Index < 0 || visible.Index >= kColumnCount) continue;
        const AColumnInfo& shown = columns.AllColumns[static_cast<std::size_t>(visible.Index)];
        visible.Name = shown.Name;
        visible.Caption = shown.Caption;
    }
}

void LoadMainWindowTexts(const TLanguageFile& language, StationTexts& texts) {
    for (const std::string& key : StationTexts::MainWindowTextKeys()) texts.Set(key, language.GetText(key));
}

} // namespace station
