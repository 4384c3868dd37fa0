#include <cstring>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "station/core/engine/download_journal.h"
#include "station/core/gbk_literal.h"
#include "station/core/station_log.h"

namespace engine_test {
namespace {

using namespace station;

class Events : public EngineTest {
protected:
    void SetUp() override { Load(3); }
    void Post(int code, int device, int p1 = 0, int p3 = 0) {
        engine.HandleLibraryEvent(ftp_event{code, device, p1, 0, p3});
    }
};

TEST_F(Events, LoginReadsTheDeviceAndChoosesItsFolder) {
    struct Case {
        const char* name;
        std::string save_folder;
        std::string serial;
        std::string folder;
    };
    const Case cases[] = {
        {"the user's folder first", "Front", "SN1", "Front"},
        {"then the serial", "", "SN1", "SN1"},
        {"a serial with separators is cleaned", "", "..\\x/y:z", ".._x_y_z"},
        {"a serial that stays a dot falls back to the number", "", "..", "2"},
        {"so does one Windows would take for the parent", "", "...", "2"},
        {"a serial Windows reserves gets a local name", "", "NUL", "_NUL"},
        {"no serial: the number", "", "", "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Board(1).SaveFolder = c.save_folder;
        Board(1).IPAddress = "old";
        log.clear();
        Login(1, c.serial, "127.0.0.9");
        EXPECT_EQ(Board(1).FolderName, c.folder);
        EXPECT_EQ(Board(1).Serial, c.serial);
        EXPECT_EQ(Board(1).IPAddress, "127.0.0.9");
        EXPECT_EQ(Board(1).Connected, 1);
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].message, Gbk(u8"设备2 - 登录成功(old), 连接已建立")) << "the address before the login";
        EXPECT_EQ(log[0].level, LogMessage);
    }
}

TEST_F(Events, LoginReadsTheChannelCountAgain) {
    EXPECT_EQ(Board(0).ChanCount, 0) << "not logged in when the table was filled";
    Login(0, "SN1");
    EXPECT_EQ(Board(0).ChanCount, 8);
}

TEST_F(Events, LoginWithUnreadableParametersKeepsWhatItHas) {
    Board(0).IPAddress = "127.0.0.5";
    Board(0).Serial = "OLD";
    Board(0).ChanCount = 4;
    Post(EVT_FTP_LOGIN_SUCC, 0);
    EXPECT_EQ(Board(0).IPAddress, "127.0.0.5");
    EXPECT_EQ(Board(0).Serial, "") << "the serial is cleared before it is read";
    EXPECT_EQ(Board(0).ChanCount, 4);
    EXPECT_EQ(Board(0).FolderName, "1");
}

TEST_F(Events, LoginTakesTheLastClockSettingOfTheSerial) {
    ASSERT_TRUE(plat::ini_write_string(g.SettingsPath, "SyncTimeDevice", "SN1", "2012-02-28 10-00-00"));
    ASSERT_TRUE(plat::ini_write_string(g.SettingsPath, "SyncTimeDevice", "sn9", "2012-02-27 10-00-00"));
    Load(3);  // the settings are read with the device table, not at each login
    ASSERT_TRUE(plat::remove_file(g.SettingsPath));
    Login(0, "SN1");
    EXPECT_EQ(Board(0).LastClockSync, "2012-02-28 10-00-00");
    Login(1, "SN2");
    EXPECT_EQ(Board(1).LastClockSync, "");
    Login(2, "SN9");
    EXPECT_EQ(Board(2).LastClockSync, "2012-02-27 10-00-00") << "keys match regardless of case";
}

TEST_F(Events, ConnectionEndsLostOrLoggedOut) {
    const std::pair<int, std::string> endings[] = {
        {EVT_FTP_DISCONNECT, Gbk(u8"设备1 - 连接中断")},
        {EVT_FTP_DEV_LOGOUT, Gbk(u8"设备1 - 退出登录")},
    };
    for (const auto& [code, line] : endings) {
        for (int fetching : {0, 1}) {
            SCOPED_TRACE(std::to_string(code) + (fetching ? " fetching" : " not fetching"));
            Login(0, "SN1", "127.0.0.2");
            ABoardInfo& b = Board(0);
            b.FTPRunning = fetching;
            b.State = StateFTPProcessing;
            b.FileName = "a.wav";
            b.FileSize = 10;
            b.DBIndex = 3;
            b.LastClockSync = "2012-02-28 10-00-00";
            lib.SetText(0, BD_PARAM_IPADDR, "127.0.0.3");
            log.clear();
            Post(code, 0);
            EXPECT_EQ(b.Connected, 0);
            EXPECT_EQ(b.State, fetching ? StateWaiting : StateFTPProcessing);
            EXPECT_EQ(b.IPAddress, "127.0.0.3");
            EXPECT_EQ(b.FileName, "");
            EXPECT_EQ(b.FileSize, 0);
            EXPECT_EQ(b.DBIndex, -1);
            EXPECT_EQ(b.LastClockSync, "");
            ASSERT_EQ(log.size(), 1u);
            EXPECT_EQ(log[0].message, line);
            EXPECT_EQ(log[0].level, LogMessage);
        }
    }
}

TEST_F(Events, LoginFailureNamesItsCause) {
    const std::pair<int, const char*> causes[] = {
        {2, u8"用户名不存在"}, {3, u8"密码错误"}, {4, u8"连接已满"}, {5, u8"超时"},
        {6, u8"无授权"},       {7, u8"域名解析失败"}, {9, u8""},      {0, u8""},
    };
    Board(2).IPAddress = "127.0.0.4";
    for (const auto& [cause, text] : causes) {
        SCOPED_TRACE(cause);
        Board(2).Connected = 1;
        Board(2).FTPRunning = 1;
        Board(2).State = StateWaitingQueryResult;
        log.clear();
        Post(EVT_FTP_LOGIN_FAIL, 2, cause);
        EXPECT_EQ(Board(2).Connected, 0);
        EXPECT_EQ(Board(2).State, StateWaiting);
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].message, Gbk(u8"设备3 - 登录失败(127.0.0.4), 原因: ") + Gbk(text));
        EXPECT_EQ(log[0].level, LogError);
    }
    Board(2).FTPRunning = 0;
    Board(2).State = StateNull;
    Post(EVT_FTP_LOGIN_FAIL, 2, 3);
    EXPECT_EQ(Board(2).State, StateNull);
}

TEST_F(Events, ConnectionRequestFromAnUnknownDevice) {
    ftp_connreqinfo request{};
    plat::copy_text_field(request.serial, sizeof request.serial, "SN9\r\nforged");
    plat::copy_text_field(request.address, sizeof request.address, "127.0.0.7");
    request.port = 5020;
    lib.connection_requests.push_back(request);
    Post(EVT_FTP_DEVCONN_REQ, 0, 0);
    EXPECT_TRUE(log.empty()) << "only p1 = -1 names a request";
    Post(EVT_FTP_DEVCONN_REQ, 0, -1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message,
              Gbk(u8"设备主动连接服务器失败 - 无匹配的硬件序列号 [序列号 SN9??forged, IP 127.0.0.7, 端口 5020]"));
    EXPECT_EQ(log[0].level, LogMessage);
    Post(EVT_FTP_DEVCONN_REQ, 0, -1);
    EXPECT_EQ(log.size(), 1u) << "no request left to take";
}

TEST_F(Events, NewFileAnswer) {
    Login(0);
    ABoardInfo& b = Board(0);
    b.State = StateWaitingQueryResult;
    b.BytesReceived = 5;
    Advance(3);
    Offer(0, "r1.wav", 2048, 11, "20120229", 6);
    EXPECT_EQ(b.State, StateFTPStart);
    EXPECT_EQ(b.StateTime, NowDateTime());
    EXPECT_EQ(b.FileName, "r1.wav");
    EXPECT_EQ(b.DateFolder, "20120229");
    EXPECT_EQ(b.FileSize, 2048);
    EXPECT_EQ(b.DBIndex, 11);
    EXPECT_EQ(b.FilesRemaining, 6);
    EXPECT_EQ(b.BytesReceived, 0);

    b.State = StateWaiting;
    Offer(0, "r2.wav", 10, 12);
    EXPECT_EQ(b.State, StateWaiting) << "stored, but no download outside state 4";
    EXPECT_EQ(b.FileName, "r2.wav");

    b.State = StateWaitingQueryResult;
    Post(EVT_FTP_NEWFILE_INFO, 0, -1, 9);
    EXPECT_EQ(b.State, StateWaiting);
    EXPECT_EQ(b.FilesRemaining, 0);
}

TEST_F(Events, NewFileAnswerWithUnreadableParts) {
    Login(0);
    ABoardInfo& b = Board(0);
    b.State = StateWaitingQueryResult;
    lib.SetText(0, BD_PARAM_NEWFILE_DATE, "20120301");
    lib.SetInt(0, BD_PARAM_DB_INDEX, 4);
    Post(EVT_FTP_NEWFILE_INFO, 0, 100, 2);
    EXPECT_EQ(b.State, StateWaitingQueryResult) << "no name: the answer is dropped";
    EXPECT_EQ(b.FilesRemaining, 2);
    EXPECT_EQ(b.FileName, "");

    lib.SetText(0, BD_PARAM_NEWFILE_NAME, "r.wav");
    lib.Forget(0, BD_PARAM_NEWFILE_DATE);
    b.DateFolder = "20000101";
    Post(EVT_FTP_NEWFILE_INFO, 0, 100, 2);
    EXPECT_EQ(b.DateFolder, "");
    EXPECT_EQ(b.State, StateWaitingQueryResult) << "no date folder: no download";

    lib.SetText(0, BD_PARAM_NEWFILE_DATE, "20120301");
    lib.Forget(0, BD_PARAM_DB_INDEX);
    b.DBIndex = 3;
    log.clear();
    Post(EVT_FTP_NEWFILE_INFO, 0, 100, 2);
    EXPECT_EQ(b.DBIndex, 3);
    EXPECT_TRUE(Logged("error: fail to get index of database from device!", LogReminder));
    EXPECT_EQ(b.State, StateFTPStart);
}

ftp_callinfo SampleCall() {
    ftp_callinfo c{};
    c.call_type = 0;
    std::strcpy(c.start_date, "2012-03-01");
    std::strcpy(c.start_time, "07:58:00");
    std::strcpy(c.caller_number, "0755P1");
    std::strcpy(c.file_name, "r1.wav");
    c.duration = 61;
    return c;
}

TEST_F(Events, SuccessfulDownloadStoresItsCallRow) {
    Login(0);
    Board(0).State = StateFTPProcessing;
    Board(0).FileName = "r1.wav";
    Board(0).RowPath = "SN1\\20120302\\r1.wav";  // as the download's start set it
    lib.call_info = SampleCall();
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    EXPECT_EQ(Board(0).State, StateFTPFinished);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].WaveFilePath, "SN1\\20120302\\r1.wav") << "the folder really used, not the call's date";
    EXPECT_EQ(Board(0).RowPath, "");
    EXPECT_EQ(rows[0].DuringTime, "00:01:01");
    EXPECT_TRUE(Logged(Gbk(u8"[127.0.0.2] 录音文件下载成功 - r1.wav"), LogReminder));
    EXPECT_TRUE(LinesAt(LogError).empty());
}

TEST_F(Events, DownloadEndsWithoutARow) {
    Login(0);
    Board(0).FileName = "r1.wav";
    Board(0).RowPath = "SN1\\20120301\\r1.wav";
    // No call record in the file.
    Board(0).State = StateFTPProcessing;
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(Logged(Gbk(u8"[127.0.0.2] 录音文件下载成功 (无呼叫记录) - r1.wav"), LogReminder));
    EXPECT_EQ(Board(0).State, StateFTPFinished);

    // Failed downloads take no record and log nothing.
    for (int result : {UPL_RESULT_TIMEOUT, UPL_RESULT_CANCELLED, UPL_RESULT_REFUSED}) {
        lib.calls.clear();
        log.clear();
        Board(0).State = StateFTPProcessing;
        Post(EVT_FTP_TRANSFER_END, 0, result);
        EXPECT_EQ(Board(0).State, StateFTPFinished) << result;
        EXPECT_TRUE(lib.calls.empty()) << result;
        EXPECT_TRUE(log.empty()) << result;
    }
    Board(0).State = StateWaiting;
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_CANCELLED);
    EXPECT_EQ(Board(0).State, StateWaiting) << "only a download in progress finishes";
}

TEST_F(Events, RowThatCannotBeStoredIsLoggedAsAnError) {
    Login(0);
    Board(0).RowPath = "SN1\\20120301\\r1.wav";
    lib.call_info = SampleCall();
    std::strcpy(lib.call_info->caller_number, "010-1");
    insert_result = -1;
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].CallerID, "");
    EXPECT_TRUE(Logged("found bad info in callerid", LogReminder));
    ASSERT_EQ(LinesAt(LogError).size(), 1u);
    EXPECT_NE(LinesAt(LogError)[0].message.find("r1.wav"), std::string::npos);
}

// The rows of one poll are stored in one call after its events, and each download's note goes
// only after its row: a station stopped before that finds the download noted.
TEST_F(Events, RowsOfOnePollAreStoredTogetherBeforeTheirNotesGo) {
    const std::vector<std::string> notes = {path("Data\\SN1\\Velquist.download"), path("Data\\SN2\\Velquist.download")};
    Login(0);
    Login(1, "SN2");
    lib.call_info = SampleCall();
    for (int i : {0, 1}) {
        Board(i).State = StateFTPProcessing;
        Board(i).RowPath = Board(i).FolderName + "\\20120302\\r1.wav";
        ASSERT_TRUE(plat::force_directories(plat::extract_file_dir(notes[i])));
        NoteDownload(plat::extract_file_dir(notes[i]), Board(i).RowPath);
        lib.PushEvent(EVT_FTP_TRANSFER_END, i, UPL_RESULT_OK);
    }
    lib.PushEvent(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);  // a second end of one download
    std::vector<bool> noted_at_insert;
    on_insert = [&] { for (const std::string& n : notes) noted_at_insert.push_back(plat::file_exists(n)); };

    engine.PollTransferLibrary();
    EXPECT_EQ(insert_calls, std::vector<std::size_t>{2});
    EXPECT_EQ(noted_at_insert, (std::vector<bool>{true, true}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].WaveFilePath, "SN1\\20120302\\r1.wav");
    EXPECT_EQ(rows[1].WaveFilePath, "SN2\\20120302\\r1.wav");
    for (const std::string& n : notes) EXPECT_FALSE(plat::file_exists(n)) << n;

    // Outside a poll a row is stored at once.
    Board(0).RowPath = "SN1\\20120302\\r2.wav";
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    EXPECT_EQ(insert_calls, (std::vector<std::size_t>{2, 1}));
}

TEST_F(Events, EndsOfDownloadsAreSpreadOverPollsRowsBeforeNotes) {
    // More ends than one poll takes: the rest wait in the queue, in their order, and every
    // row is stored before its note goes.
    constexpr int kDevices = TransferEngine::kEndsPerPoll + 2;
    Load(kDevices);
    lib.call_info = SampleCall();
    std::vector<std::string> notes;
    for (int i = 0; i < kDevices; ++i) {
        Login(i, "SN" + std::to_string(i));
        Board(i).FTPRunning = 1;
        Board(i).State = StateFTPProcessing;
        Board(i).RowPath = Board(i).FolderName + "\\20120302\\r.wav";
        notes.push_back(path("Data\\" + Board(i).FolderName + "\\Velquist.download"));
        ASSERT_TRUE(plat::force_directories(plat::extract_file_dir(notes[i])));
        NoteDownload(plat::extract_file_dir(notes[i]), Board(i).RowPath);
        lib.PushEvent(EVT_FTP_TRANSFER_END, i, UPL_RESULT_OK);
    }
    lib.PushEvent(EVT_FTP_DISCONNECT, 0);  // behind the ends, it waits with them
    std::size_t stored_before = 0;
    on_insert = [&] {
        // The notes of the rows stored so far are gone; the others are all still there.
        for (int i = 0; i < kDevices; ++i)
            EXPECT_EQ(plat::file_exists(notes[i]), static_cast<std::size_t>(i) >= stored_before) << i;
    };

    engine.PollTransferLibrary();
    EXPECT_EQ(insert_calls, std::vector<std::size_t>{TransferEngine::kEndsPerPoll});
    EXPECT_EQ(lib.PendingEvents(), 3u);
    for (int i = 0; i < kDevices; ++i)
        EXPECT_EQ(plat::file_exists(notes[i]), i >= TransferEngine::kEndsPerPoll) << i;
    EXPECT_EQ(Board(0).Connected, 1);

    stored_before = rows.size();
    engine.PollTransferLibrary();
    EXPECT_EQ(insert_calls, (std::vector<std::size_t>{TransferEngine::kEndsPerPoll, 2}));
    EXPECT_EQ(lib.PendingEvents(), 0u);
    EXPECT_EQ(Board(0).Connected, 0);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kDevices));
    for (int i = 0; i < kDevices; ++i) {
        EXPECT_EQ(rows[i].WaveFilePath, Board(i).FolderName + "\\20120302\\r.wav");
        EXPECT_FALSE(plat::file_exists(notes[i])) << i;
    }
}

TEST_F(Events, ReleaseTakesEveryEndStillQueued) {
    Load(TransferEngine::kEndsPerPoll + 2);
    lib.call_info = SampleCall();
    for (int i = 0; i < TransferEngine::kEndsPerPoll + 2; ++i) {
        Login(i, "SN" + std::to_string(i));
        Board(i).State = StateFTPProcessing;
        Board(i).RowPath = Board(i).FolderName + "\\20120302\\r.wav";
        lib.PushEvent(EVT_FTP_TRANSFER_END, i, UPL_RESULT_OK);
    }
    engine.ReleaseLibrary();
    EXPECT_EQ(lib.PendingEvents(), 0u);
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(TransferEngine::kEndsPerPoll + 2));
}

// The rows go to a writer that stores them on its own thread: a download's note stays until the
// writer has reported its row stored, which the next poll takes; a failure is logged then.
TEST_F(Events, NotesGoOnlyOnceTheWriterReportsTheRowsStored) {
    lib.call_info = SampleCall();
    std::vector<std::string> notes;
    for (int i : {0, 1}) {
        Login(i, "SN" + std::to_string(i));
        Board(i).FTPRunning = 1;
        Board(i).State = StateFTPProcessing;
        Board(i).RowPath = Board(i).FolderName + "\\20120302\\r.wav";
        notes.push_back(path("Data\\" + Board(i).FolderName + "\\Velquist.download"));
        ASSERT_TRUE(plat::force_directories(plat::extract_file_dir(notes[i])));
        NoteDownload(plat::extract_file_dir(notes[i]), Board(i).RowPath);
        lib.PushEvent(EVT_FTP_TRANSFER_END, i, UPL_RESULT_OK);
    }
    hold_rows = true;
    insert_result = -1;
    auto noted = [&] { return std::vector<bool>{plat::file_exists(notes[0]), plat::file_exists(notes[1])}; };

    engine.PollTransferLibrary();
    engine.PollTransferLibrary();
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(Board(0).State, StateWaiting) << "the device goes on meanwhile";
    EXPECT_EQ(noted(), (std::vector<bool>{true, true}));
    StoreHeldRows();
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(noted(), (std::vector<bool>{true, true})) << "reported, not yet taken";
    EXPECT_TRUE(LinesAt(LogError).empty());
    engine.PollTransferLibrary();
    EXPECT_EQ(noted(), (std::vector<bool>{false, false}));
    EXPECT_EQ(LinesAt(LogError).size(), 2u) << "rows reported not stored are logged when taken";
}

TEST_F(Events, ADeviceWhoseRowIsBeingStoredKeepsItsNoteAndStartsNothing) {
    Login(0);
    Board(0).FTPRunning = 1;
    lib.call_info = SampleCall();
    const std::string device_folder = path("Data\\SN1");
    ASSERT_TRUE(plat::force_directories(device_folder + "\\20120302"));
    Board(0).State = StateFTPProcessing;
    Board(0).RowPath = "SN1\\20120302\\r1.wav";
    NoteDownload(device_folder, Board(0).RowPath);
    ASSERT_TRUE(plat::write_whole_file(device_folder + "\\20120302\\r1.wav", "complete"));
    engine.SetCallLogCounter([this](const std::string& row_path) {
        int n = 0;
        for (const ACallLogInfo& r : rows) n += r.WaveFilePath == row_path;
        return n;
    });
    hold_rows = true;
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    EXPECT_TRUE(rows.empty());

    // Logged in again while the row is with the writer: its note is no download left unended.
    Login(0);
    // The next file is offered: it waits for the report rather than note over the row's note.
    Board(0).State = StateFTPStart;
    Board(0).FileName = "r2.wav";
    Board(0).FileSize = 100;
    Board(0).DBIndex = 2;
    Board(0).DateFolder = "20120302";
    engine.PollTransferLibrary();
    EXPECT_TRUE(lib.CallsOf("start_uploadfile").empty());
    EXPECT_EQ(Board(0).State, StateFTPStart);
    EXPECT_EQ(NotedDownload(device_folder), "SN1\\20120302\\r1.wav");
    Post(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_CANCELLED);  // a stray end removes no note either
    EXPECT_EQ(NotedDownload(device_folder), "SN1\\20120302\\r1.wav");

    StoreHeldRows();
    engine.PollTransferLibrary();
    EXPECT_EQ(lib.CallsOf("start_uploadfile").size(), 1u);
    EXPECT_EQ(NotedDownload(device_folder), "SN1\\20120302\\r2.wav");
    ASSERT_EQ(rows.size(), 1u) << "the row was stored once";
    EXPECT_EQ(rows[0].WaveFilePath, "SN1\\20120302\\r1.wav");
}

TEST_F(Events, ReleaseWaitsUntilTheWriterHasStoredEveryRow) {
    Login(0);
    lib.call_info = SampleCall();
    const std::string device_folder = path("Data\\SN1");
    ASSERT_TRUE(plat::force_directories(device_folder));
    Board(0).State = StateFTPProcessing;
    Board(0).RowPath = "SN1\\20120302\\r1.wav";
    NoteDownload(device_folder, Board(0).RowPath);
    lib.PushEvent(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    hold_rows = true;
    engine.ReleaseLibrary();
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(NotedDownload(device_folder), "");
}

TEST_F(Events, DeviceIndexBounds) {
    Post(EVT_FTP_LOGIN_SUCC, -1);
    Post(EVT_FTP_LOGIN_SUCC, kMaxBoards);
    EXPECT_TRUE(log.empty());
    Post(EVT_FTP_LOGIN_SUCC, 150);  // beyond the devices shown, still kept
    EXPECT_EQ(Board(150).Connected, 1);
    Post(99, 0);
    EXPECT_EQ(log.size(), 1u) << "unknown codes do nothing";
}

TEST_F(Events, PollTakesAtMostTwentyEventsAndStepsEveryDevice) {
    for (int i = 0; i < 25; ++i) lib.PushEvent(EVT_FTP_DISCONNECT, i % 3);
    Login(0);
    Login(1, "SN2");
    Board(0).State = Board(1).State = StateQueryNewFile;
    Board(0).FTPRunning = Board(1).FTPRunning = 0;
    std::vector<int> refreshed;
    engine.SetRowRefresh([&](int i) { refreshed.push_back(i); });
    engine.PollTransferLibrary();
    EXPECT_EQ(lib.PendingEvents(), 5u);
    EXPECT_EQ(LinesAt(LogMessage).size(), 2u + 20u);
    EXPECT_EQ(refreshed, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(lib.CallsOf("query_newfile").empty()) << "the devices were logged out by the events";

    Login(0);
    engine.PollTransferLibrary();
    EXPECT_EQ(lib.PendingEvents(), 0u);
    Login(0);
    engine.PollTransferLibrary();
    EXPECT_EQ(lib.CallsOf("query_newfile"), std::vector<std::string>{"query_newfile 0 1"});
}

} // namespace
} // namespace engine_test
