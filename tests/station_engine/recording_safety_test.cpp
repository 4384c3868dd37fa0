// What keeps a recording and its row: local names for names Windows cannot take as they are,
// a row for a recording found complete without one, refusals that end, and a transfer whose
// end never came.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/files.h"
#include "station/core/engine/local_file_name.h"
#include "station/core/engine/stored_recording.h"
#include "station/core/station_log.h"
#include "tarnlink/resume_record.h"
#include "tests/support/standin/recording_files.h"

namespace engine_test {
namespace {

using namespace station;

class RecordingSafety : public EngineTest {
protected:
    void SetUp() override {
        Load(1);
        Login(0, "SN1");
        Board(0).FTPRunning = 1;
        engine.SetCallLogCounter([this](const std::string& path) {
            counted.push_back(path);
            if (count_result < 0) return count_result;
            int n = 0;
            for (const ACallLogInfo& r : rows) n += r.WaveFilePath == path;
            return n;
        });
    }
    // Device 0 offered `name` and its machine is at the start of the download.
    void Offer(const std::string& name, int db_index = 7) {
        ABoardInfo& b = Board(0);
        b.State = StateFTPStart;
        b.FileName = name;
        b.FileSize = 100;
        b.DBIndex = db_index;
        b.DateFolder = "20120301";
        b.StateTime = NowDateTime();
    }
    // A recording of device 0 stored under `name` in its date folder, as the library leaves a
    // finished download; its embedded record names `recorded_name`.
    std::string StoreRecording(const std::string& name, const std::string& recorded_name) {
        standin::CallRecordFields fields;
        fields.file_name = recorded_name;
        fields.start_date = "20120229";  // the call's date need not be the folder's
        const std::string file = path("Data\\SN1\\20120301\\" + name);
        plat::force_directories(plat::extract_file_dir(file));
        const std::vector<std::uint8_t> wav =
            standin::make_wav(standin::WavLayout::Adpcm17, standin::build_call_record(fields, standin::kRawRecordSize));
        EXPECT_TRUE(plat::write_whole_file(file, std::string(wav.begin(), wav.end())));
        return file;
    }

    std::vector<std::string> counted;
    int count_result = 0;  // negative: the database cannot tell
};

// Each name's local name; the row names the local name, the device is asked for its own.
TEST_F(RecordingSafety, NamesWindowsReservesGetALocalNameRecordedInTheRow) {
    const std::pair<std::string, std::string> names[] = {
        {"CON", "_CON"},           {"NUL", "_NUL"},           {"nul.wav", "_nul.wav"},
        {"COM1", "_COM1"},         {"AUX.txt", "_AUX.txt"},   {"LPT1.wav", "_LPT1.wav"},
        {"CONIN$", "_CONIN$"},     {"conout$.wav", "_conout$.wav"}, {"prn .wav", "_prn .wav"},
        {"...", "____"},           {"a.wav.", "_a.wav_"},     {"a.wav .", "_a.wav__"},
        {"b.wav ", "_b.wav_"},     {".", "__"},               {"..", "___"},
        {"call.wav.ltf", "call.wav.ltf_"}, {"call.wav.DXC", "call.wav.DXC_"}, {"NUL.ltf", "_NUL.ltf_"},
        {"COM10.wav", "COM10.wav"}, {"CONSOLE.wav", "CONSOLE.wav"}, {"rec_CON.wav", "rec_CON.wav"},
    };
    for (const auto& [name, local] : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(LocalFileName(name), local);
        Offer(name);
        lib.calls.clear();
        log.clear();
        Step(0);
        ASSERT_EQ(Board(0).State, StateFTPProcessing);
        EXPECT_EQ(lib.CallsOf("start_uploadfile"), std::vector<std::string>{"start_uploadfile 0 " + name + " 100 - 1 7 1"})
            << "the device is asked for its own name";
        EXPECT_EQ(lib.last_local_path, path("Data\\SN1\\20120301\\" + local));
        EXPECT_EQ(Board(0).RowPath, "SN1\\20120301\\" + local);
        EXPECT_EQ(Logged("File " + name + " is stored as " + local, LogReminder), local != name);

        // The name really holds a file of its own here, and nothing else answers to it.
        ASSERT_TRUE(plat::write_whole_file(lib.last_local_path, name));
        std::string back;
        EXPECT_TRUE(plat::read_whole_file(lib.last_local_path, back));
        EXPECT_EQ(back, name);
        bool listed = false;
        for (const plat::DirEntry& e : plat::list_directory(path("Data\\SN1\\20120301"))) listed |= e.name == local;
        EXPECT_TRUE(listed);
    }
    std::size_t files = 0;
    for (const plat::DirEntry& e : plat::list_directory(path("Data\\SN1\\20120301"))) files += !e.is_directory;
    EXPECT_EQ(files, std::size(names)) << "no two names met in one file";
}

TEST_F(RecordingSafety, FifthRefusalOfOneFileSkipsIt) {
    for (int attempt = 1; attempt <= 5; ++attempt) {
        SCOPED_TRACE(attempt);
        Offer("a.wav");
        Step(0);
        ASSERT_EQ(Board(0).State, StateFTPProcessing);
        engine.HandleLibraryEvent(ftp_event{EVT_FTP_TRANSFER_END, 0, UPL_RESULT_REFUSED, 1, 0});
        EXPECT_EQ(lib.CallsOf("ignore_uploadfile").size(), attempt < 5 ? 0u : 1u);
        EXPECT_EQ(Board(0).RowPath, "");
    }
    EXPECT_EQ(lib.CallsOf("start_uploadfile").size(), 5u);
    EXPECT_TRUE(Logged("Ignore File a.wav, cause: refused 5 times", LogError));
    EXPECT_TRUE(rows.empty());

    // A refusal of another file in between starts the count again.
    lib.calls.clear();
    for (int db_index : {8, 8, 9, 8, 8, 8, 8, 8}) {
        Offer("b.wav", db_index);
        Step(0);
        engine.HandleLibraryEvent(ftp_event{EVT_FTP_TRANSFER_END, 0, UPL_RESULT_REFUSED, 1, 0});
    }
    EXPECT_EQ(lib.CallsOf("ignore_uploadfile"), std::vector<std::string>{"ignore_uploadfile 0 b.wav 8 1"});
}

TEST_F(RecordingSafety, CompleteRecordingWithoutARowGetsItOnce) {
    const std::string file = StoreRecording("a.wav", "a.wav");
    for (int offer = 1; offer <= 3; ++offer) {
        SCOPED_TRACE(offer);
        Offer("a.wav");
        lib.start_results = {1};  // the library finds the file and skips it on the device
        Step(0);
        EXPECT_EQ(Board(0).State, StateWaiting);
        ASSERT_EQ(rows.size(), 1u) << "stored at the first offer, never again";
    }
    EXPECT_EQ(rows[0].WaveFilePath, "SN1\\20120301\\a.wav");
    EXPECT_EQ(rows[0].StartDate, "2012-02-29");
    EXPECT_EQ(rows[0].CallerID, "13800138000");
    EXPECT_EQ(counted, std::vector<std::string>(3, "SN1\\20120301\\a.wav"));
    EXPECT_EQ(lib.CallsOf("start_uploadfile").size(), 3u);
    EXPECT_TRUE(Logged("call record of SN1\\20120301\\a.wav stored from the file", LogReminder));
    std::string contents;
    ASSERT_TRUE(plat::read_whole_file(file, contents));

    ftp_callinfo info{};
    EXPECT_TRUE(ReadEmbeddedCallInfo(file, info));
    EXPECT_FALSE(ReadEmbeddedCallInfo(path("missing.wav"), info));
    ASSERT_TRUE(plat::write_whole_file(path("short.wav"), contents.substr(0, 100)));
    EXPECT_FALSE(ReadEmbeddedCallInfo(path("short.wav"), info)) << "a cut file fails the record's checks";
}

TEST_F(RecordingSafety, DownloadWhoseEndNeverCameIsSettledAtTheNextStart) {
    // The device was told the file is done, then the session closed before the library gave
    // the file its name or its end: only the download file and its complete resume record stay.
    Offer("a.wav");
    Step(0);
    ASSERT_EQ(Board(0).State, StateFTPProcessing);
    const std::string file = StoreRecording("a.wav", "a.wav");
    std::string contents;
    ASSERT_TRUE(plat::read_whole_file(file, contents));
    ASSERT_TRUE(plat::rename_file(file, file + ".ltf"));
    const tarnlink::resume_file_header complete =
        tarnlink::make_resume_record(static_cast<std::uint32_t>((contents.size() + 1023) / 1024));
    ASSERT_TRUE(plat::write_whole_file(file + ".dxc", std::string(reinterpret_cast<const char*>(&complete), sizeof complete)));
    engine.HandleLibraryEvent(ftp_event{EVT_FTP_DISCONNECT, 0, 0, 0, 0});
    Login(0, "SN1");
    EXPECT_TRUE(rows.empty()) << "the library may still end it after the login";

    Offer("b.wav", 8);
    Step(0);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].WaveFilePath, "SN1\\20120301\\a.wav");
    std::string finished;
    EXPECT_TRUE(plat::read_whole_file(file, finished));
    EXPECT_TRUE(finished == contents);
    EXPECT_FALSE(plat::file_exists(file + ".ltf"));
    EXPECT_FALSE(plat::file_exists(file + ".dxc"));
    EXPECT_EQ(Board(0).RowPath, "SN1\\20120301\\b.wav");

    // A station stopped meanwhile finds it through the note at the next login instead.
    engine.HandleLibraryEvent(ftp_event{EVT_FTP_DISCONNECT, 0, 0, 0, 0});
    Board(0).RowPath.clear();
    StoreRecording("b.wav", "b.wav");
    Login(0, "SN1");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].WaveFilePath, "SN1\\20120301\\b.wav");
    EXPECT_FALSE(plat::file_exists(path("Data\\SN1\\Velquist.download")));
}

TEST_F(RecordingSafety, DatabaseThatCannotTellKeepsTheFileOffered) {
    StoreRecording("a.wav", "a.wav");
    count_result = -1;
    Offer("a.wav");
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    EXPECT_TRUE(lib.CallsOf("start_uploadfile").empty()) << "the start would make the device skip it";
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(LinesAt(LogError).size(), 1u);

    count_result = 0;
    Offer("a.wav");
    Step(0);
    EXPECT_EQ(rows.size(), 1u);
}

TEST_F(RecordingSafety, RecordingWithoutARecordIsSkippedWithoutARow) {
    const std::string file = path("Data\\SN1\\20120301\\a.wav");
    plat::force_directories(plat::extract_file_dir(file));
    ASSERT_TRUE(plat::write_whole_file(file, std::string(400, 'x')));
    Offer("a.wav");
    lib.start_results = {1};
    Step(0);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(lib.CallsOf("start_uploadfile").size(), 1u);
    EXPECT_EQ(Board(0).State, StateWaiting);
}

TEST_F(RecordingSafety, TransferWithoutProgressOrEndIsLookedAfter) {
    Offer("a.wav");
    Step(0);
    ASSERT_EQ(Board(0).State, StateFTPProcessing);
    // Progress holds the wait off.
    for (int bytes : {1024, 2048, 4096}) {
        lib.progress_bytes = bytes;
        Advance(50);
        Step(0);
        ASSERT_EQ(Board(0).State, StateFTPProcessing);
    }
    Advance(59);
    Step(0);
    EXPECT_EQ(Board(0).State, StateFTPProcessing);
    EXPECT_TRUE(lib.CallsOf("uploadfile_terminate_async").empty());

    // Neither progress nor end for 60 s and no file: cancelled, to be resumed at the next offer.
    lib.progress_result = -1;
    Advance(1);
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    EXPECT_EQ(lib.CallsOf("uploadfile_terminate_async").size(), 1u);
    EXPECT_TRUE(Logged("Transfer of a.wav shows no progress for 60 s", LogError));
    engine.HandleLibraryEvent(ftp_event{EVT_FTP_TRANSFER_END, 0, UPL_RESULT_CANCELLED, 1, 0});
    EXPECT_EQ(Board(0).State, StateWaiting);

    // The library finished the file but its end was lost: the row comes from the file.
    Offer("b.wav");
    lib.progress_result = 0;
    Step(0);
    ASSERT_EQ(Board(0).State, StateFTPProcessing);
    StoreRecording("b.wav", "b.wav");
    lib.progress_result = -1;
    Advance(60);
    Step(0);
    EXPECT_EQ(Board(0).State, StateFTPFinished);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].WaveFilePath, "SN1\\20120301\\b.wav");
    // Its end arriving after all stores nothing more.
    lib.call_info = ftp_callinfo{};
    engine.HandleLibraryEvent(ftp_event{EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK, 1, 0});
    EXPECT_EQ(rows.size(), 1u);
}

} // namespace
} // namespace engine_test
