#include "station/core/search/note_text.h"

#include "platform/text_gbk.h"

namespace station {

std::wstring TrimmedNote(const std::wstring& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && text[begin] <= L' ') ++begin;
    while (end > begin && text[end - 1] <= L' ') --end;
    return text.substr(begin, end - begin);
}

std::string NoteForStorage(const std::wstring& note) {
    const std::string gbk = plat::wide_to_gbk(note.substr(0, kNoteMaxCharacters));
    return gbk.substr(0, plat::gbk_prefix_length(gbk, kNoteMaxBytes));
}

} // namespace station
