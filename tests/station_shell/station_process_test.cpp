// The station program as the operator meets it, with stand-in recording devices in the test's
// network namespace: started at log-on it hides and fetches, a second start brings it back,
// closing hides it, the end of the session saves everything, and the exit command asks first.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/host_address.h"
#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "station/core/database/call_log_database.h"
#include "station/core/gbk_literal.h"
#include "station/core/station_texts.h"
#include "tests/station_shell/screenshots.h"
#include "tests/station_shell/station_process.h"
#include "tests/support/standin/scenario.h"
#include "tests/support/standin/standin_device.h"
#include "tests/support/test_folder.h"

namespace {

using shell_test::StationProcess;
using station::Gbk;
using test_support::RemoveTree;

std::string program_folder_of_test() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string s = plat::wide_to_gbk(path);
    return s.substr(0, s.find_last_of('\\'));
}

// A port range of its own per run, so that runs side by side do not meet.
int local_port_base() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return 21000 + static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(now).count() % 1000) * 20;
}

// The last line of the newest daily log of the station.
std::string last_log_line(const std::string& folder) {
    std::string newest;
    for (const plat::DirEntry& e : plat::list_directory(folder + "\\Logs")) {
        if (!e.is_directory && e.name > newest) newest = e.name;
    }
    std::string text;
    if (newest.empty() || !plat::read_whole_file(folder + "\\Logs\\" + newest, text)) return {};
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.substr(text.find_last_of('\n') + 1);
}

class StationProcessTest : public ::testing::Test {
protected:
    StationProcessTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = plat::include_trailing_separator(plat::current_directory()) + "shell-station-" + info->name();
        RemoveTree(folder_);
        plat::force_directories(folder_);
        const std::string bin = program_folder_of_test();
        for (const char* file : {"\\Velquist.exe", "\\tarnlink.dll"}) {
            EXPECT_TRUE(CopyFileW(plat::gbk_to_wide(bin + file).c_str(), plat::gbk_to_wide(folder_ + file).c_str(), FALSE))
                << file;
        }
    }
    ~StationProcessTest() override {
        station_.reset();
        for (auto& d : devices_) d->stop();
        if (!HasFailure()) RemoveTree(folder_);
    }

    standin::Device& AddDevice(int recordings, std::uint32_t duration_ms) {
        standin::DeviceConfig config;
        config.label = "STANDIN-01";
        config.bind_ip = address_;
        config.device_id = "STANDIN-01";
        config.recordings = standin::generated_recordings(recordings, standin::WavLayout::Pcm, "d01-");
        for (standin::Recording& r : config.recordings) {
            r.content = standin::make_wav(standin::WavLayout::Pcm, standin::embedded_record(r.content), duration_ms);
        }
        recordings_ = config.recordings;
        devices_.push_back(std::make_unique<standin::Device>(config));
        EXPECT_TRUE(devices_.back()->start());
        return *devices_.back();
    }

    void WriteSettings(bool auto_fetch) {
        const std::string lib_ini = folder_ + "\\tarnlib.ini";
        plat::ini_write_string(lib_ini, "Network", "Count", std::to_string(devices_.size()));
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            plat::ini_write_string(lib_ini, "Network", "IP" + n, address_);
            plat::ini_write_string(lib_ini, "Network", "Port" + n, std::to_string(devices_[i]->port()));
            plat::ini_write_string(lib_ini, "Network", "SaveFolder" + n, kSaveFolder);
        }
        plat::ini_write_string(lib_ini, "LocalIP", "IP", address_);
        plat::ini_write_string(lib_ini, "LocalIP", "Port", std::to_string(local_port_base()));
        plat::ini_write_string(lib_ini, "FTPInfo", "ConnMode", "1");
        const std::string ini = folder_ + "\\Velquist.ini";
        plat::ini_write_string(ini, "DB", "ConnMode", "1");
        plat::ini_write_string(ini, "DB", "LocalAccess", "1");
        plat::ini_write_string(ini, "CommonInfo", "AutoFTPEnable", auto_fetch ? "1" : "0");
    }

    std::string StoredPath(const standin::Recording& r) const {
        return folder_ + "\\Data\\" + kSaveFolder + "\\" + r.date + "\\" + r.name;
    }
    bool AllStored() const {
        for (const standin::Recording& r : recordings_) {
            if (!plat::file_exists(StoredPath(r))) return false;
        }
        return devices_.front()->recordings_left() == 0;
    }

    HWND MainWindow(DWORD ms = 20000) { return station_->WaitWindow(L"TMainForm", ms); }

    // The rows in the station's database file; -1 when it cannot be searched.
    int StoredRows() const {
        calldb::TMyDataModule database([this] {
            calldb::DatabaseSettings s;
            s.ConnMode = calldb::ConnModeFile;
            s.LocalFile = true;
            s.ProgramDir = folder_;
            return s;
        });
        calldb::SearchConditions all;
        all.DateFrom = "1900-01-01";
        all.TimeFrom = "00:00:00";
        all.DateTo = "2999-12-31";
        all.TimeTo = "23:59:59";
        std::vector<station::ACallLogInfo> rows;
        return database.SearchCallLogs(all, rows) == 0 ? static_cast<int>(rows.size()) : -1;
    }

    static constexpr const char* kSaveFolder = "Front";
    std::string folder_;
    std::string address_ = plat::first_host_address();
    std::vector<std::unique_ptr<standin::Device>> devices_;
    std::vector<standin::Recording> recordings_;
    std::unique_ptr<StationProcess> station_ = std::make_unique<StationProcess>();
};

TEST_F(StationProcessTest, LogonStartFetchesHiddenAndLivesUntilTheSessionEnds) {
    ASSERT_FALSE(address_.empty());
    AddDevice(3, 20000);
    WriteSettings(false);  // fetching is started by the log-on start itself
    ASSERT_TRUE(station_->Start(folder_, "-logon")) << "error " << station_->StartError();
    HWND main = MainWindow();
    ASSERT_NE(main, nullptr);
    // The window exists before its first showing has built the views; hidden only after it.
    HWND list = nullptr;
    // The state view's list; the search view's call list is the list view in owner-data mode.
    auto find_list = [&] {
        EnumChildWindows(main, [](HWND w, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (wcscmp(name, L"TListView") != 0 || (GetWindowLongPtrW(w, GWL_STYLE) & LVS_OWNERDATA) != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = w;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&list));
        return list != nullptr;
    };
    ASSERT_TRUE(shell_test::WaitUntil(find_list, 20000));
    EXPECT_TRUE(shell_test::WaitUntil([&] { return !IsWindowVisible(main); }, 10000)) << "hidden in the tray";
    EXPECT_TRUE(station_->Running());

    // A second start brings the first one's window back and ends by itself.
    {
        StationProcess second;
        ASSERT_TRUE(second.Start(folder_, "")) << "error " << second.StartError();
        EXPECT_TRUE(second.WaitExit(20000));
        EXPECT_EQ(second.WaitWindow(L"TMainForm", 0), nullptr);
    }
    EXPECT_TRUE(shell_test::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));

    // The state view's row follows the device through its download. Its cells change at
    // different moments (the state before the file name), so each wait reads the whole row and
    // holds until all of it shows the expected stage.
    ASSERT_EQ(shell_test::ListViewRowCount(list), 1);
    const DWORD pid = station_->Id();
    std::vector<std::string> row;
    auto row_shows = [&](auto stage) {
        return [&, stage] {
            row = shell_test::ListViewRow(pid, list, 0);
            return row.size() > 10 && stage(row);
        };
    };
    auto row_text = [&] {
        std::string text;
        for (const std::string& c : row) text += plat::gbk_to_utf8(c) + " | ";
        return text;
    };
    const bool downloading = shell_test::WaitUntil(row_shows([](const std::vector<std::string>& r) {
        return r[7] == Gbk(u8"FTP过程中") && r[8].find("d01-") != std::string::npos &&
               r[9].find(" / ") != std::string::npos;
    }), 30000);
    EXPECT_TRUE(downloading) << row_text();
    if (downloading) {
        EXPECT_EQ(row[0], Gbk(u8"已连接"));
        EXPECT_EQ(row[1], "1");
        EXPECT_EQ(row[3], address_);
        EXPECT_EQ(row[5], "8");
        EXPECT_NE(row[9].find(" / "), std::string::npos) << row[9];
        EXPECT_NE(row[8].find("d01-"), std::string::npos) << row[8];
        EXPECT_EQ(row[10], kSaveFolder);
        EXPECT_TRUE(shell_test::SaveScreenshot(main, "station_downloading"));
        EXPECT_EQ(row[0], Gbk(u8"已连接"));
        EXPECT_EQ(row[1], "1");
        EXPECT_EQ(row[3], address_);
        EXPECT_EQ(row[5], "8");
        EXPECT_EQ(row[10], kSaveFolder);
    }
    ASSERT_TRUE(shell_test::WaitUntil([&] { return AllStored(); }, 120000));
    EXPECT_TRUE(shell_test::WaitUntil(row_shows([](const std::vector<std::string>& r) {
        return r[6] == "0" && r[9].empty();
    }), 15000)) << row_text();

    // Closing the window hides it; the station lives on.
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(shell_test::WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
    EXPECT_FALSE(station_->WaitExit(300)) << "a hidden station lives on";

    // The end of the session: answered at once, and everything saved before the process ends.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
    EXPECT_EQ(answer, 1u);
    SendMessageTimeoutW(main, WM_ENDSESSION, 1, 0, SMTO_ABORTIFHUNG, 20000, &answer);
    EXPECT_TRUE(station_->WaitExit(20000));
    EXPECT_EQ(plat::ini_read_string(folder_ + "\\Velquist.ini", "Log", "LogPanelVisible", "<missing>"), "1")
        << "settings saved";
    EXPECT_NE(last_log_line(folder_).find(Gbk(u8"退出程序")), std::string::npos) << plat::gbk_to_utf8(last_log_line(folder_));

    // One call row per recording.
    EXPECT_EQ(StoredRows(), static_cast<int>(recordings_.size()));
}

// A call-record file that is damaged at start: the operator is told once, the file is left as
// it is, the calls wait beside it, and they are stored once a usable file can be made.
TEST_F(StationProcessTest, ADamagedDatabaseIsReportedOnceAndNoRowIsLost) {
    ASSERT_FALSE(address_.empty());
    AddDevice(3, 2000);
    WriteSettings(true);
    const std::string database = folder_ + "\\DB\\CallLog.db";
    const std::string pending = database + ".pending";
    const std::string damaged = "not a database";
    ASSERT_TRUE(plat::force_directories(folder_ + "\\DB"));
    ASSERT_TRUE(plat::write_whole_file(database, damaged));
    ASSERT_TRUE(station_->Start(folder_, "")) << "error " << station_->StartError();

    HWND box = station_->WaitWindow(L"TMsgForm", 30000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(shell_test::WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, 10000));
    Sleep(200);
    EXPECT_TRUE(shell_test::SaveScreenshot(box, "station_database_damaged"));
    HWND ok = shell_test::FindChildByText(box, Gbk(u8"确定"));
    ASSERT_NE(ok, nullptr);
    shell_test::ClickPaintedButton(ok);
    ASSERT_NE(MainWindow(), nullptr);

    auto waiting_rows = [&] {
        std::string text;
        int rows = 0;
        if (!plat::read_whole_file(pending, text)) return 0;
        for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
            if (text[at] == '-') ++rows;
            if (text.find('\n', at) == std::string::npos) break;
        }
        return rows;
    };
    ASSERT_TRUE(shell_test::WaitUntil([&] { return AllStored() && waiting_rows() == 3; }, 120000))
        << waiting_rows() << " rows waiting";
    std::string contents;
    ASSERT_TRUE(plat::read_whole_file(database, contents));
    EXPECT_EQ(contents, damaged);
    std::string log;
    for (const plat::DirEntry& e : plat::list_directory(folder_ + "\\Logs")) {
        std::string text;
        if (plat::read_whole_file(folder_ + "\\Logs\\" + e.name, text)) log += text;
    }
    station::StationTexts texts;
    EXPECT_NE(log.find(texts.Format("Log.DatabaseDamaged", {database, pending})), std::string::npos);

    // The operator puts the damaged file aside: the station makes a new one and stores the
    // waiting calls by itself, without telling again. The station's retries open the file for a
    // moment, and an open file cannot be renamed here: the operator tries again.
    ASSERT_TRUE(shell_test::WaitUntil([&] { return plat::rename_file(database, database + ".damaged"); }, 30000));
    EXPECT_TRUE(shell_test::WaitUntil([&] { return plat::file_size(pending) == 0; }, 30000));
    EXPECT_FALSE(IsWindowVisible(box));
    station_.reset();
    EXPECT_EQ(StoredRows(), static_cast<int>(recordings_.size()));
}

TEST_F(StationProcessTest, StartStopButtonAndExitCommandWithConfirmation) {
    WriteSettings(false);
    ASSERT_TRUE(station_->Start(folder_, "")) << "error " << station_->StartError();
    HWND main = MainWindow();
    ASSERT_NE(main, nullptr);
    // The start/stop button shows the start image (green) until fetching runs, then the stop
    // image (red).
    shell_test::ToolBarButton start_stop;
    const bool start_shown = shell_test::WaitUntil([&] {
        start_stop = shell_test::TopToolBarButton(main, 0);
        return start_stop.bar != nullptr && shell_test::ButtonGlyphHue(start_stop) == shell_test::GlyphHue::Green;
    }, 10000);
    if (!start_shown) shell_test::SaveScreenshot(main, "station_start_not_shown");
    ASSERT_TRUE(start_shown);
    shell_test::ClickToolBarButton(start_stop);
    EXPECT_TRUE(shell_test::WaitUntil([&] { return shell_test::ButtonGlyphHue(start_stop) == shell_test::GlyphHue::Red; }, 5000));
    shell_test::ClickToolBarButton(start_stop);
    EXPECT_TRUE(shell_test::WaitUntil([&] { return shell_test::ButtonGlyphHue(start_stop) == shell_test::GlyphHue::Green; }, 5000));

    const shell_test::ToolBarButton exit_button = shell_test::TopToolBarButton(main, 2);
    ASSERT_NE(exit_button.bar, nullptr);
    struct Answer {
        const char* button;
        bool ends;
    } answers[] = {{u8"否(&N)", false}, {u8"是(&Y)", true}};
    for (const Answer& a : answers) {
        shell_test::ClickToolBarButton(exit_button);
        HWND box = station_->WaitWindow(L"TConfForm", 10000);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(shell_test::WaitUntil(
            [&] { return IsWindowVisible(box) != FALSE && shell_test::WindowText(box) == Gbk(u8"确认"); }, 5000))
            << shell_test::WindowText(box);
        if (!a.ends) {
            EXPECT_TRUE(shell_test::SaveScreenshot(box, "station_exit_question"));
        }
        HWND button = shell_test::FindChildByText(box, Gbk(a.button));
        ASSERT_NE(button, nullptr);
        shell_test::ClickPaintedButton(button);
        if (a.ends) {
            EXPECT_TRUE(station_->WaitExit(20000));
        } else {
            EXPECT_TRUE(shell_test::WaitUntil([&] { return !IsWindowVisible(box); }, 5000));
            EXPECT_FALSE(station_->WaitExit(300)) << "the answer no keeps the station";
        }
    }
    EXPECT_NE(last_log_line(folder_).find(Gbk(u8"退出程序")), std::string::npos) << plat::gbk_to_utf8(last_log_line(folder_));
}

} // namespace
