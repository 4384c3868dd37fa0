// A station with a data folder of generated recordings and a scripted database, for the
// search view's flows.
#pragma once
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "station/core/gbk_literal.h"
#include "station/core/globals.h"
#include "station/core/search/call_store.h"
#include "station/core/search/recording_files.h"
#include "station/core/search/station_prompts.h"
#include "tests/support/test_folder.h"

namespace station_search_test {

using namespace station;

inline ACallLogInfo MakeCall(int id, const std::string& date, const std::string& time, int type,
                             const std::string& file) {
    ACallLogInfo r;
    r.ID = id;
    r.StartDate = date;
    r.StartTime = time;
    r.DuringTime = "00:00:10";
    r.CallType = type;
    r.Chan = id % 4;
    r.CallerID = "0755" + std::to_string(1000 + id);
    std::string day = date;
    day.erase(std::remove(day.begin(), day.end(), '-'), day.end());
    if (!file.empty()) r.WaveFilePath = day + "\\" + file;
    return r;
}

// Rows answer from a list; chosen IDs fail to delete. Each delete notes whether the row's
// recording was still on disk at that moment.
class ScriptedStore : public ICallLogStore {
public:
    std::vector<ACallLogInfo> rows;
    int search_result = 0;
    std::set<int> failing_deletes;
    std::vector<int> deleted;
    std::vector<bool> file_present_at_delete;
    std::string data_dir;
    std::vector<std::pair<int, std::string>> notes;

    int SearchCallLogs(const calldb::SearchConditions&, std::vector<ACallLogInfo>& out) override {
        out.insert(out.end(), rows.begin(), rows.end());
        return search_result;
    }
    bool DeleteCallLog(const ACallLogInfo& record) override {
        const int id = record.ID;
        for (const ACallLogInfo& r : rows) {
            if (r.ID == id) file_present_at_delete.push_back(plat::file_exists(data_dir + "\\" + r.WaveFilePath));
        }
        if (failing_deletes.count(id)) return false;
        deleted.push_back(id);
        return true;
    }
    void UpdateCallLogNote(std::int32_t id, const std::string& note) override { notes.emplace_back(id, note); }
};

// Answers the boxes from a script and records what they were asked.
class ScriptedPrompts : public IStationPrompts {
public:
    std::vector<bool> confirms;
    std::vector<MultiAnswer> multi;
    std::vector<std::string> asked;
    std::vector<std::pair<std::string, std::string>> messages;

    bool Confirm(const std::string& text) override {
        asked.push_back(text);
        if (confirms.empty()) return false;
        const bool answer = confirms.front();
        confirms.erase(confirms.begin());
        return answer;
    }
    MultiAnswer MultiConfirm(const std::string& text) override {
        asked.push_back(text);
        if (multi.empty()) return MultiAnswer::Closed;
        const MultiAnswer answer = multi.front();
        multi.erase(multi.begin());
        return answer;
    }
    void Message(const std::string& caption, const std::string& text) override { messages.emplace_back(caption, text); }
};

class ScriptedDialogs : public IFileDialogs {
public:
    std::string save_path;   // empty: cancelled
    std::string folder;      // empty: cancelled
    std::string asked_filter, asked_extension, proposed_name;

    bool SaveFile(const std::string& filter, const std::string& ext, std::string& path) override {
        asked_filter = filter;
        asked_extension = ext;
        proposed_name = path;
        if (save_path.empty()) return false;
        path = save_path;
        return true;
    }
    bool BrowseFolder(const std::string&, std::string& chosen) override {
        if (folder.empty()) return false;
        chosen = folder;
        return true;
    }
};

// Globals whose data folder holds the recordings.
class StationFolder {
public:
    explicit StationFolder(const std::string& name) : temp_(name) {
        g_.ProgramDir = temp_.path();
        g_.DataDir = temp_.path() + "\\Data";
        plat::force_directories(g_.DataDir);
    }
    StationGlobals& globals() { return g_; }
    const std::string& root() const { return temp_.path(); }
    std::string data(const std::string& rel) const { return g_.DataDir + "\\" + rel; }
    // A recording of `bytes` bytes at its stored relative path.
    void AddRecording(const std::string& rel, std::size_t bytes = 64) {
        plat::force_directories(plat::extract_file_dir(data(rel)));
        plat::write_whole_file(data(rel), std::string(bytes, 'w'));
    }

private:
    test_support::TestFolder temp_;
    StationGlobals g_;
};

} // namespace station_search_test
