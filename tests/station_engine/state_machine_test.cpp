#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/ini_file.h"
#include "station/core/engine/time_window.h"
#include "station/core/gbk_literal.h"
#include "station/core/station_log.h"

namespace engine_test {
namespace {

using namespace station;

class StateMachine : public EngineTest {
protected:
    void SetUp() override {
        Load(2);
        Login(0, "SN1");
        Board(0).StateTime = NowDateTime();
    }
    // Device 0 in `state` with a valid offered file.
    void Prepare(int state, int fetching = 1) {
        ABoardInfo& b = Board(0);
        b.State = state;
        b.FTPRunning = fetching;
        b.FileName = "a.wav";
        b.FileSize = 100;
        b.DBIndex = 7;
        b.DateFolder = "20120301";
        b.StateTime = NowDateTime();
    }
};

struct StepCase {
    const char* name;
    int state;
    int fetching;
    int connected;
    int elapsed;       // seconds between the last change and the step
    int query_result;
    int expected;
    const char* call;  // the library call the step makes, "" for none
};

TEST_F(StateMachine, EachStateStepsAsTheTableSays) {
    const StepCase cases[] = {
        {"idle stays idle while fetching is off", StateNull, 0, 1, 60, 0, StateNull, ""},
        {"idle goes on waiting while fetching is on", StateNull, 1, 1, 0, 0, StateWaiting, ""},
        {"waiting drops to idle when fetching is off", StateWaiting, 0, 1, 60, 0, StateNull, ""},
        {"waiting holds for under 5 s", StateWaiting, 1, 1, 4, 0, StateWaiting, ""},
        {"waiting queries after 5 s", StateWaiting, 1, 1, 5, 0, StateQueryNewFile, ""},
        {"query sent", StateQueryNewFile, 1, 1, 0, 0, StateWaitingQueryResult, "query_newfile 0 1"},
        {"query refused", StateQueryNewFile, 1, 1, 0, -2, StateWaiting, "query_newfile 0 1"},
        {"no answer yet", StateWaitingQueryResult, 1, 1, 4, 0, StateWaitingQueryResult, ""},
        {"no answer within 5 s", StateWaitingQueryResult, 1, 1, 5, 0, StateWaiting, ""},
        {"downloading reads progress", StateFTPProcessing, 1, 1, 100, 0, StateFTPProcessing, "get_upload_progress 0"},
        {"stopping cancels", StateFTPStop, 0, 1, 0, 0, StateNull, "uploadfile_terminate_async 0"},
        {"finished waits again", StateFTPFinished, 1, 1, 0, 0, StateWaiting, ""},
        {"unknown state is left alone", 9, 1, 1, 60, 0, 9, ""},
        {"a device not logged in never steps", StateQueryNewFile, 1, 0, 60, 0, StateQueryNewFile, ""},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare(c.state, c.fetching);
        Board(0).Connected = c.connected;
        lib.query_result = c.query_result;
        lib.progress_bytes = 42;
        lib.calls.clear();
        Advance(c.elapsed);
        Step(0);
        EXPECT_EQ(Board(0).State, c.expected);
        if (*c.call) {
            ASSERT_EQ(lib.calls.size(), 1u);
            EXPECT_EQ(lib.calls[0], c.call);
        } else {
            EXPECT_TRUE(lib.calls.empty()) << lib.calls[0];
        }
    }
}

TEST_F(StateMachine, StepsUpdateTheFieldsTheyOwn) {
    Prepare(StateFTPProcessing);
    lib.progress_bytes = 4096;
    Step(0);
    EXPECT_EQ(Board(0).BytesReceived, 4096);
    lib.progress_result = -1;
    lib.progress_bytes = 1;
    Step(0);
    EXPECT_EQ(Board(0).BytesReceived, 4096) << "a failed progress read keeps the last count";

    Prepare(StateFTPFinished);
    Advance(30);
    Step(0);
    EXPECT_EQ(Board(0).FileName, "");
    EXPECT_EQ(Board(0).DBIndex, -1);
    EXPECT_EQ(Board(0).StateTime, NowDateTime()) << "the wait starts at the finish";

    Prepare(StateQueryNewFile);
    Advance(30);
    Step(0);
    EXPECT_EQ(Board(0).StateTime, NowDateTime());
}

TEST_F(StateMachine, IndexesOutsideTheDeviceCountDoNothing) {
    Board(5) = Board(0);
    Board(5).State = StateQueryNewFile;
    Step(5);
    Step(-1);
    Step(kMaxBoards);
    EXPECT_TRUE(lib.CallsOf("query_newfile").empty());
}

struct StartCase {
    int result;
    int expected;
    const char* skip;  // the level-4 line of a skipped file, "" when not skipped
};

TEST_F(StateMachine, DownloadStartResults) {
    const StartCase cases[] = {
        {0, StateFTPProcessing, ""},
        {1, StateWaiting, ""},
        {-11, StateWaiting, "Ignore File a.wav, cause: too big (100)"},
        {-5, StateWaiting, ""},  // the first open failure only counts
        {-3, StateWaiting, ""},
        {-2, StateWaiting, ""},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.result);
        Prepare(StateFTPStart);
        Board(0).OpenErrorIndex = -1;
        lib.calls.clear();
        log.clear();
        lib.start_results = {c.result};
        Advance(1);
        Step(0);
        EXPECT_EQ(Board(0).State, c.expected);
        EXPECT_EQ(Board(0).StateTime, NowDateTime());
        ASSERT_EQ(lib.CallsOf("start_uploadfile").size(), 1u);
        EXPECT_EQ(lib.CallsOf("start_uploadfile")[0], "start_uploadfile 0 a.wav 100 - 1 7 1");
        EXPECT_EQ(lib.CallsOf("ignore_uploadfile").size(), *c.skip ? 1u : 0u);
        if (*c.skip) {
            EXPECT_EQ(lib.CallsOf("ignore_uploadfile")[0], "ignore_uploadfile 0 a.wav 7 1");
            EXPECT_TRUE(Logged(c.skip, LogError));
        }
    }
}

TEST_F(StateMachine, APollStartsAFewDownloadsTheNextPollTheRest) {
    constexpr int kDevices = TransferEngine::kStartsPerPoll + 1;
    Load(kDevices);
    for (int i = 0; i < kDevices; ++i) {
        Login(i, "SN" + std::to_string(i));
        Board(i).State = StateWaitingQueryResult;
        Board(i).FTPRunning = 1;
        Offer(i, "r" + std::to_string(i) + ".wav", 100, i);
        ASSERT_EQ(Board(i).State, StateFTPStart);
    }
    engine.PollTransferLibrary();
    EXPECT_EQ(lib.CallsOf("start_uploadfile").size(), static_cast<std::size_t>(TransferEngine::kStartsPerPoll));
    for (int i = 0; i < kDevices; ++i)
        EXPECT_EQ(Board(i).State, i < TransferEngine::kStartsPerPoll ? StateFTPProcessing : StateFTPStart) << i;
    engine.PollTransferLibrary();
    ASSERT_EQ(lib.CallsOf("start_uploadfile").size(), static_cast<std::size_t>(kDevices));
    EXPECT_EQ(lib.CallsOf("start_uploadfile").back(), "start_uploadfile " + std::to_string(kDevices - 1) + " r" +
                                                          std::to_string(kDevices - 1) + ".wav 100 - 1 " +
                                                          std::to_string(kDevices - 1) + " 1");
    EXPECT_EQ(Board(kDevices - 1).State, StateFTPProcessing);

    // A step outside a poll starts its download whatever the polls did.
    Board(0).State = StateFTPStart;
    Board(0).RowPath.clear();
    Offer(0, "again.wav", 100, 9);
    Board(0).State = StateFTPStart;
    Step(0);
    EXPECT_EQ(lib.CallsOf("start_uploadfile").size(), static_cast<std::size_t>(kDevices + 1));
}

TEST_F(StateMachine, InvalidOfferIsSkippedOnlyWhenItHasAnIndex) {
    Prepare(StateFTPStart);
    Board(0).FileSize = 0;
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    EXPECT_EQ(lib.CallsOf("ignore_uploadfile"), std::vector<std::string>{"ignore_uploadfile 0 a.wav 7 1"});
    EXPECT_TRUE(Logged("Ignore File a.wav, filesize 0", LogError));

    lib.calls.clear();
    log.clear();
    Prepare(StateFTPStart);
    Board(0).FileName.clear();
    Board(0).DBIndex = -1;
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_TRUE(log.empty());
}

// -5: the local file cannot be made; -6: working files of that name are not the library's.
class OpenFailures : public StateMachine, public ::testing::WithParamInterface<int> {};

TEST_P(OpenFailures, FifthOfOneFileSkipsIt) {
    const int result = GetParam();
    for (int attempt = 1; attempt <= 6; ++attempt) {
        SCOPED_TRACE(attempt);
        Prepare(StateFTPStart);
        lib.start_results = {result};
        Step(0);
        EXPECT_EQ(Board(0).OpenErrorCount, attempt);
        EXPECT_EQ(Board(0).OpenErrorIndex, 7);
        // The counter is not reset by the skip: a sixth failure skips at once again.
        EXPECT_EQ(lib.CallsOf("ignore_uploadfile").size(), attempt < 5 ? 0u : attempt - 4u);
    }
    EXPECT_TRUE(Logged("Ignore File a.wav, cause: open err", LogError));

    Prepare(StateFTPStart);
    Board(0).DBIndex = 8;
    lib.start_results = {result};
    Step(0);
    EXPECT_EQ(Board(0).OpenErrorCount, 1) << "another file starts its own count";
    EXPECT_EQ(Board(0).OpenErrorIndex, 8);
}

INSTANTIATE_TEST_SUITE_P(StartResults, OpenFailures, ::testing::Values(-5, -6));

struct PathCase {
    bool local_path;
    std::string user_save_path;  // relative to the test folder; GBK with '\'
    std::string folder_name;
    std::string expected;        // relative to the test folder
};

TEST_F(StateMachine, LocalPathOfTheDownload) {
    const PathCase cases[] = {
        {true, "", "SN1", "Data\\SN1\\20120301\\a.wav"},
        {false, "Rec", "SN1", "Rec\\SN1\\20120301\\a.wav"},
        {false, "Rec\\", "SN1", "Rec\\SN1\\20120301\\a.wav"},
        {false, "Rec/", "Front", "Rec/Front\\20120301\\a.wav"},
        {true, "", Gbk(u8"前台"), "Data\\" + Gbk(u8"前台") + "\\20120301\\a.wav"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.expected);
        Prepare(StateFTPStart);
        g.Settings.LocalPath = c.local_path;
        g.Settings.UserSavePathResolved = path(c.user_save_path);
        Board(0).FolderName = c.folder_name;
        Step(0);
        EXPECT_EQ(Board(0).State, StateFTPProcessing);
        EXPECT_EQ(lib.last_local_path, path(c.expected));
        EXPECT_TRUE(plat::directory_exists(plat::extract_file_dir(lib.last_local_path)));
    }
}

TEST_F(StateMachine, DeviceTextsNeverSteerThePath) {
    // Names this workstation cannot hold are skipped with a line, never requested under another.
    const std::string names[] = {
        "..\\..\\boot.ini", "a/b.wav", "c:x.wav", "a\tb.wav", "x\x81", "a<b.wav", "a?.wav", "a*", "a|b", "a\"b", "   ",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Prepare(StateFTPStart);
        Board(0).FileName = name;
        lib.calls.clear();
        log.clear();
        Step(0);
        EXPECT_EQ(Board(0).State, StateWaiting);
        EXPECT_TRUE(lib.CallsOf("start_uploadfile").empty());
        EXPECT_EQ(lib.CallsOf("ignore_uploadfile").size(), 1u);
        ASSERT_EQ(LinesAt(LogError).size(), 1u);
        EXPECT_EQ(LinesAt(LogError)[0].message.find('\t'), std::string::npos) << "control characters are not logged";
    }
    EXPECT_EQ(plat::list_directory(path("Data")).size(), 0u) << "no folder was made for them";

    // A date that is no folder name files the recording under the library's default day, and
    // the row names that folder.
    for (const std::string date : {"2012030", "201203011", "..\\12345", "2012030a", ""}) {
        SCOPED_TRACE(date);
        Prepare(StateFTPStart);
        Board(0).DateFolder = date;
        Step(0);
        EXPECT_EQ(Board(0).State, StateFTPProcessing);
        EXPECT_EQ(lib.last_local_path, path("Data\\SN1\\20100101\\a.wav"));
        EXPECT_EQ(Board(0).RowPath, "SN1\\20100101\\a.wav");
    }
}

TEST_F(StateMachine, UncreatableFolderStartsNoDownloadAndSkipsAfterFiveTries) {
    // A file where the device's folder should be makes the folder impossible to create.
    ASSERT_TRUE(plat::write_whole_file(path("Data\\SN1"), "x"));
    for (int attempt = 1; attempt <= 5; ++attempt) {
        SCOPED_TRACE(attempt);
        Prepare(StateFTPStart);
        log.clear();
        Step(0);
        EXPECT_EQ(Board(0).State, StateWaiting);
        EXPECT_TRUE(lib.CallsOf("start_uploadfile").empty()) << "never into the current folder";
        EXPECT_TRUE(Logged(g.Texts.Format("Log.CreateFolderFail", {path("Data\\SN1")}), LogError));
        // The usual wait before asking again.
        Advance(4);
        Step(0);
        EXPECT_EQ(Board(0).State, StateWaiting);
        Advance(1);
        Step(0);
        EXPECT_EQ(Board(0).State, StateQueryNewFile);
        EXPECT_EQ(lib.CallsOf("ignore_uploadfile").size(), attempt < 5 ? 0u : 1u);
    }
}

TEST_F(StateMachine, ClockSetBackRestartsTheWait) {
    SetClock(At(2012, 3, 1, 9, 0, 0));
    Prepare(StateWaiting);
    SetClock(At(2012, 3, 1, 8, 0, 0));
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    SetClock(At(2012, 3, 1, 8, 0, 4));
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    SetClock(At(2012, 3, 1, 8, 0, 5));
    Step(0);
    EXPECT_EQ(Board(0).State, StateQueryNewFile) << "not an hour later";
}

TEST(TimeWindow, SectionsOfTheDay) {
    StationSettings s;
    EXPECT_TRUE(IsInTimeWindow(s, "03:00:00")) << "around the clock by default";
    s.AllDay = false;
    EXPECT_FALSE(IsInTimeWindow(s, "12:00:00")) << "no section in use";
    s.TimeSections[2] = ATimeSection{true, "08:00:00", "18:00:00", false};
    s.TimeSections[3] = ATimeSection{true, "20:00:00", "20:00:00", false};
    s.TimeSections[0] = ATimeSection{false, "00:00:00", "23:59:59", false};
    const std::pair<const char*, bool> times[] = {
        {"07:59:59", false}, {"08:00:00", true}, {"12:00:00", true}, {"18:00:00", true}, {"18:00:01", false},
        {"20:00:00", true},  {"20:00:01", false}, {"23:00:00", false}, {"01:00:00", false},
    };
    for (const auto& [time, inside] : times) EXPECT_EQ(IsInTimeWindow(s, time), inside) << time;
}

TEST(TimeWindow, NightSectionSpansMidnight) {
    StationSettings s;
    s.AllDay = false;
    s.TimeSections[1] = ATimeSection{true, "22:00:00", "06:00:00", false};
    const std::pair<const char*, bool> times[] = {
        {"21:59:59", false}, {"22:00:00", true}, {"23:00:00", true}, {"23:59:59", true}, {"00:00:00", true},
        {"05:00:00", true},  {"06:00:00", true}, {"06:00:01", false}, {"12:00:00", false},
    };
    for (const auto& [time, inside] : times) EXPECT_EQ(IsInTimeWindow(s, time), inside) << time;
    s.TimeSections[1].Enable = false;
    EXPECT_FALSE(IsInTimeWindow(s, "23:00:00")) << "a section not in use";
}

TEST_F(StateMachine, OutsideTheSectionsNoQueryStarts) {
    g.Settings.AllDay = false;
    g.Settings.TimeSections[0] = ATimeSection{true, "08:00:00", "18:00:00", false};
    SetClock(At(2012, 3, 1, 17, 59, 50));
    Prepare(StateWaiting);
    SetClock(At(2012, 3, 1, 18, 0, 1));
    Step(0);
    EXPECT_EQ(Board(0).State, StateWaiting);
    SetClock(At(2012, 3, 1, 18, 0, 0));
    Step(0);
    EXPECT_EQ(Board(0).State, StateQueryNewFile);

    Prepare(StateFTPProcessing);
    SetClock(At(2012, 3, 1, 23, 0, 0));
    lib.progress_bytes = 4096;
    Step(0);
    EXPECT_EQ(Board(0).State, StateFTPProcessing) << "a running download is not cut";
}

TEST_F(StateMachine, NightSectionFetchesAt23And05NotAtNoon) {
    g.Settings.AllDay = false;
    g.Settings.TimeSections[4] = ATimeSection{true, "22:00:00", "06:00:00", false};
    const std::pair<plat::LocalTime, bool> moments[] = {
        {At(2012, 3, 1, 23, 0, 0), true}, {At(2012, 3, 2, 5, 0, 0), true}, {At(2012, 3, 2, 12, 0, 0), false}};
    for (const auto& [moment, fetches] : moments) {
        SetClock(moment);
        Prepare(StateWaiting);
        Advance(5);
        Step(0);
        EXPECT_EQ(Board(0).State, fetches ? StateQueryNewFile : StateWaiting) << moment.hour;
    }
}

TEST_F(StateMachine, StartAndStopOfFetching) {
    const std::pair<int, int> on[] = {
        {StateNull, StateFTPStart}, {StateWaiting, StateWaiting}, {StateFTPStop, StateFTPStop},
        {StateFTPFinished, StateFTPFinished}, {StateFTPProcessing, StateFTPProcessing},
    };
    for (const auto& [from, to] : on) {
        Board(0).State = from;
        Board(1).FTPRunning = 0;
        engine.StartFetching();
        EXPECT_EQ(Board(0).State, to) << from;
        EXPECT_EQ(Board(1).FTPRunning, 1) << "every device, logged in or not";
    }
    const std::pair<int, int> off[] = {
        {StateQueryNewFile, StateNull}, {StateWaitingQueryResult, StateNull}, {StateFTPStart, StateFTPStop},
        {StateFTPProcessing, StateFTPStop}, {StateWaiting, StateWaiting},     {StateFTPStop, StateFTPStop},
        {StateFTPFinished, StateFTPFinished}, {StateNull, StateNull},
    };
    for (const auto& [from, to] : off) {
        Board(0).State = from;
        engine.StopFetching();
        EXPECT_EQ(Board(0).State, to) << from;
        EXPECT_EQ(Board(0).FTPRunning, 0);
    }
}

TEST_F(StateMachine, StartWithoutAnOfferedFileShowsStartForOneTick) {
    Board(0).State = StateNull;
    engine.StartFetching();
    EXPECT_EQ(Board(0).State, StateFTPStart);
    engine.PollTransferLibrary();
    EXPECT_EQ(Board(0).State, StateWaiting);
    EXPECT_TRUE(lib.calls.empty());
}

TEST_F(StateMachine, StartResumesAFileOfferedEarlier) {
    Board(0).State = StateNull;
    Offer(0, "b.wav", 300, 4);  // answered while fetching was off
    EXPECT_EQ(Board(0).State, StateNull);
    engine.StartFetching();
    engine.PollTransferLibrary();
    EXPECT_EQ(Board(0).State, StateFTPProcessing);
    EXPECT_EQ(lib.CallsOf("start_uploadfile"), std::vector<std::string>{"start_uploadfile 0 b.wav 300 - 1 4 1"});
}

TEST_F(StateMachine, StoppingADownloadCancelsItOnTheNextTick) {
    Prepare(StateFTPProcessing);
    engine.StopFetching();
    EXPECT_EQ(Board(0).State, StateFTPStop);
    engine.PollTransferLibrary();
    EXPECT_EQ(Board(0).State, StateNull);
    EXPECT_EQ(lib.CallsOf("uploadfile_terminate_async"), std::vector<std::string>{"uploadfile_terminate_async 0"});
}

TEST_F(StateMachine, DeviceAwayWhileFetchingRestartsIsFetchedAtLogin) {
    // Device 1 has not logged in yet when fetching starts, stops and starts again.
    engine.StartFetching();
    EXPECT_EQ(Board(1).State, StateFTPStart);
    engine.StopFetching();
    EXPECT_EQ(Board(1).State, StateFTPStop);
    engine.StartFetching();
    Login(1, "SN2");
    engine.PollTransferLibrary();  // the stop is carried out
    EXPECT_EQ(lib.CallsOf("uploadfile_terminate_async 1").size(), 1u);
    engine.PollTransferLibrary();
    EXPECT_EQ(Board(1).State, StateWaiting);
    Advance(5);
    engine.PollTransferLibrary();
    engine.PollTransferLibrary();
    EXPECT_EQ(lib.CallsOf("query_newfile 1").size(), 1u);
    EXPECT_EQ(Board(1).State, StateWaitingQueryResult);
}

TEST_F(StateMachine, OneRecordingRoundTrip) {
    engine.StartFetching();
    engine.PollTransferLibrary();
    Advance(5);
    engine.PollTransferLibrary();
    engine.PollTransferLibrary();
    ASSERT_EQ(Board(0).State, StateWaitingQueryResult);
    Offer(0, "r1.wav", 2048, 11);
    EXPECT_EQ(Board(0).State, StateFTPStart);
    EXPECT_EQ(Board(0).FilesRemaining, 3);
    engine.PollTransferLibrary();
    ASSERT_EQ(Board(0).State, StateFTPProcessing);
    EXPECT_EQ(lib.last_local_path, path("Data\\SN1\\20120301\\r1.wav"));
    lib.PushEvent(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    engine.PollTransferLibrary();  // event: 6 -> 8, then the step: 8 -> 2
    EXPECT_EQ(Board(0).State, StateWaiting);
    EXPECT_EQ(Board(0).FileName, "");
}

} // namespace
} // namespace engine_test
