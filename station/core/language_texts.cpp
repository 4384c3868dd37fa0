#include "station/core/language_texts.h"

namespace station {

namespace {

// A text the file lacks, or leaves empty or blank, would blank a caption or a log line: the built-in
// text stands in for it.
std::string text_or(const TLanguageFile& language, const std::string& key, const std::string& built_in) {
    std::string text = language.GetText(key);
    const bool blank = text.find_first_not_of(" \t") == std::string::npos;
    return blank ? built_in : text;
}

} // namespace

void LoadLanguageTexts(const TLanguageFile& language, StationTexts& texts, AProgramColumnsInfo& columns) {
    for (const std::string& key : StationTexts::LanguageTextKeys())
        texts.Set(key, text_or(language, key, StationTexts::DefaultOf(key)));
    for (int i = 0; i < kColumnCount; ++i) {
        AColumnInfo& column = columns.AllColumns[static_cast<std::size_t>(i)];
        column.Name = text_or(language, ColumnLanguageKey(i), BuiltInColumn(i).Name);
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
    for (const std::string& key : StationTexts::MainWindowTextKeys())
        texts.Set(key, text_or(language, key, StationTexts::DefaultOf(key)));
}

} // namespace station
