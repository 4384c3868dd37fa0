// The station's named texts: every message and caption that code (not a window description)
// shows or logs, each with its language key and its built-in Simplified Chinese text (GBK).
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "station/core/text_format.h"

namespace station {

class StationTexts {
public:
    // Every text starts as its built-in default.
    StationTexts();

    void SetDefaults();
    // The current text of a key; the empty text for a key that is not one of the station's.
    const std::string& Get(std::string_view key) const;
    // False for a key that is not one of the station's.
    bool Set(std::string_view key, std::string value);
    static const std::string& DefaultOf(std::string_view key);

    // The current text with its placeholders filled. A text whose placeholders do not fit the
    // arguments (a faulty translation) gives the built-in text filled instead.
    std::string Format(std::string_view key, const std::vector<FormatArg>& args) const;

    // Keys in the order of the built-in table: the ones re-read by a change of language, then
    // the ones the main window sets in code.
    static const std::vector<std::string>& LanguageTextKeys();
    static const std::vector<std::string>& MainWindowTextKeys();

private:
    std::vector<std::pair<std::string, std::string>> texts_;
};

// A fixed text (one without a language key) filled the same careful way: a mismatch leaves the
// pattern with the arguments appended, never an unread or misread argument.
std::string FormatFixed(std::string_view pattern, const std::vector<FormatArg>& args);

} // namespace station
