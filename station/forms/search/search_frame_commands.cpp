// The commands of the search view that act on the selected calls: delete, export, save-as and
// copy of recordings, properties and note.
#include "station/forms/search/search_frame.h"

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/core/search/note_text.h"
#include "station/core/search/record_export.h"

namespace forms {

std::vector<station::ACallLogInfo> TSearchRecFrame::SelectedRecords() {
    std::vector<station::ACallLogInfo> records;
    std::lock_guard<std::mutex> guard(calls_.Lock());
    for (int row : lvCalls->selected_rows()) {
        if (row < calls_.Count()) records.push_back(calls_.Records()[static_cast<std::size_t>(row)]);
    }
    return records;
}

void TSearchRecFrame::NodeDelClick() {
    const std::vector<int> rows = lvCalls->selected_rows();
    if (rows.empty()) return;
    ui::HourGlass hourglass;
    const station::StationTexts& texts = s_.globals->Texts;
    const std::string question = rows.size() == 1
        ? texts.Get("Log.ConfirmDelRecord")
        : texts.Format("Log.ConfirmDelRecords", {static_cast<int>(rows.size())});
    if (!s_.prompts->Confirm(question)) return;
    lvCalls->clear_selection();
    const station::DeleteOutcome outcome = calls_.DeleteRows(
        rows, *s_.store, *s_.files,
        [this](const std::string& path) {
            // The player holds the file it plays: let go of it before the file goes.
            if (s_.player && s_.player->Url() == path) {
                s_.player->Stop();
                s_.player->Close();
            }
        },
        [this](const std::string& question) { return s_.prompts->Confirm(question); });
    lvCalls->set_item_count(calls_.Count());
    lvCalls->redraw_rows();
    SetStatus(calls_.StatusText());
    s_.globals->Log.WriteLog(texts.Format("Log.DeleteCount", {outcome.rows_deleted}), station::LogReminder);
    lvCallsClick();
}

void TSearchRecFrame::NodeExportClick() {
    const std::vector<station::ACallLogInfo> records = SelectedRecords();
    if (records.empty()) return;
    station::ExportCallRecords(records, s_.globals->ColumnsInfo, s_.globals->Texts, *s_.file_dialogs, *s_.prompts,
                               *s_.files, [this](const std::string& m, int level) { s_.globals->Log.WriteLog(m, level); });
}

void TSearchRecFrame::NodeSaveAsClick() {
    const std::vector<station::ACallLogInfo> records = SelectedRecords();
    if (records.empty()) return;
    const auto log = [this](const std::string& m, int level) { s_.globals->Log.WriteLog(m, level); };
    if (records.size() >= 2) {
        station::CopyRecordings(records, s_.globals->Texts, *s_.file_dialogs, *s_.prompts, *s_.files, log);
        return;
    }
    station::SaveRecordingAs(records.front(), s_.globals->Texts, *s_.file_dialogs, *s_.prompts, *s_.files);
}

void TSearchRecFrame::NodePropertyClick() {
    const int row = lvCalls->selected_index();
    if (row < 0 || !s_.call_dialogs) return;
    station::ACallLogInfo record;
    {
        std::lock_guard<std::mutex> guard(calls_.Lock());
        if (row >= calls_.Count()) return;
        record = calls_.Records()[static_cast<std::size_t>(row)];
    }
    const station::StationTexts& texts = s_.globals->Texts;
    const station::CallTypeTexts type_texts{texts.Get("Log.CallInbound"), texts.Get("Log.CallOutbound"),
                                            texts.Get("Log.CallMissed"), FUnknownText};
    s_.call_dialogs->ShowProperties(station::DescribeCall(record, type_texts, *s_.files));
}

void TSearchRecFrame::NodeEditNotesClick() {
    const int row = lvCalls->selected_index();
    if (row < 0 || !s_.call_dialogs) return;
    std::int32_t id = 0;
    std::wstring note;
    {
        std::lock_guard<std::mutex> guard(calls_.Lock());
        if (row >= calls_.Count()) return;
        const station::ACallLogInfo& r = calls_.Records()[static_cast<std::size_t>(row)];
        id = r.ID;
        note = plat::gbk_to_wide(r.CNote);
    }
    if (!s_.call_dialogs->EditNote(note)) return;
    ui::HourGlass hourglass;
    const std::string stored = station::NoteForStorage(note);
    {
        std::lock_guard<std::mutex> guard(calls_.Lock());
        // The rows may have changed while the editor was open: store by ID.
        for (station::ACallLogInfo& r : calls_.Records()) {
            if (r.ID == id) r.CNote = stored;
        }
    }
    s_.store->UpdateCallLogNote(id, stored);
    lvCalls->redraw_rows();
}

} // namespace forms
