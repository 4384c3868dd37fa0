// The station's named texts and column names taken from the chosen language file.
#pragma once
#include "station/core/columns.h"
#include "station/core/language_file.h"
#include "station/core/station_texts.h"

namespace station {

// Re-reads the texts a change of language replaces (a key missing from the file, or empty in it,
// gives the built-in text), then every column's name and caption; the first column's header
// caption stays as it is.
void LoadLanguageTexts(const TLanguageFile& language, StationTexts& texts, AProgramColumnsInfo& columns);

// The texts the main window sets in code after a change of language, built-in where the file has
// none.
void LoadMainWindowTexts(const TLanguageFile& language, StationTexts& texts);

} // namespace station
