// The note of a call as the editor hands it over and as the database stores it.
#pragma once
#include <string>

namespace station {

constexpr std::size_t kNoteMaxCharacters = 200;
constexpr std::size_t kNoteMaxBytes = 250;

// Blanks and control characters trimmed from both ends, as the editor does.
std::wstring TrimmedNote(const std::wstring& text);

// The first 200 characters as GBK, cut to at most 250 bytes on a character boundary so that no
// lone lead byte is stored.
std::string NoteForStorage(const std::wstring& note);

} // namespace station
