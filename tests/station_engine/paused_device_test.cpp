// A device taken out of use while it is logged in and downloading: it shows as not connected, is
// asked nothing, gets no clock setting, keeps its partial download for resume, and comes back
// when it is put back in use and logs in.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "station/core/engine/board_row.h"
#include "station/core/engine/device_use.h"
#include "station/core/gbk_literal.h"

namespace engine_test {
namespace {

using namespace station;

class PausedDevice : public EngineTest {
protected:
    void SetUp() override {
        Load(2);
        Login(0, "SN1");
        Login(1, "SN2");
        Offer(0, "0001.wav", 4096, 9);
        engine.StartFetching();
        Step(0);  // the download starts
        ASSERT_EQ(Board(0).State, StateFTPProcessing);
        partial_ = lib.last_local_path + ".ltf";
        plat::write_whole_file(partial_, std::string(1000, 'x'));
        lib.calls.clear();
    }
    // A minute of main-timer ticks for both devices, and the clock timer.
    void RunAMinute() {
        for (int s = 0; s < 60; ++s) {
            Advance(1);
            Step(0);
            Step(1);
        }
        engine.SyncDeviceClocks();
    }
    std::string partial_;
};

TEST_F(PausedDevice, IsAskedNothingAndShowsAsNotConnected) {
    SetDeviceInUse(Board(0), 0, false, lib);
    EXPECT_EQ(lib.calls, (std::vector<std::string>{"set_bd_param 0 0 28", "uploadfile_terminate_async 0"}));
    EXPECT_TRUE(plat::file_exists(partial_)) << "the partial download stays for resume";

    // In the modes where devices connect to the station the library may log a paused device in.
    Login(0, "SN1");
    RunAMinute();
    EXPECT_TRUE(lib.CallsOf("query_newfile 0").empty());
    EXPECT_TRUE(lib.CallsOf("start_uploadfile 0").empty());
    EXPECT_TRUE(lib.CallsOf("get_upload_progress 0").empty());
    EXPECT_TRUE(lib.CallsOf("set_bd_param 0 0 27").empty()) << "no clock setting";
    EXPECT_FALSE(lib.CallsOf("query_newfile 1").empty()) << "the other device is still worked";
    EXPECT_EQ(lib.CallsOf("set_bd_param 1 0 27").size(), 1u);
    for (const LogLine& l : log) EXPECT_EQ(l.message.find("SN1"), std::string::npos) << l.message;

    const BoardRow row = MakeBoardRow(0, Board(0), g.Texts);
    EXPECT_EQ(row.Caption, Gbk(u8"未连接"));
    EXPECT_EQ(row.Image, RowImagePaused);
    for (int c = 4; c < 9; ++c) EXPECT_EQ(row.Cells[static_cast<std::size_t>(c)], "") << "column " << c + 1;
}

TEST_F(PausedDevice, ComesBackWhenPutBackInUseAndLoggedIn) {
    SetDeviceInUse(Board(0), 0, false, lib);
    RunAMinute();
    SetDeviceInUse(Board(0), 0, true, lib);
    EXPECT_EQ(lib.enables, (std::vector<std::pair<int, std::int32_t>>{{0, 0}, {0, 1}}));
    EXPECT_EQ(MakeBoardRow(0, Board(0), g.Texts).Image, RowImageDisconnected) << "until it logs in";

    Login(0, "SN1");
    EXPECT_EQ(MakeBoardRow(0, Board(0), g.Texts).Caption, Gbk(u8"已连接"));
    lib.calls.clear();
    Advance(5);
    Step(0);
    Step(0);
    EXPECT_EQ(lib.CallsOf("query_newfile 0").size(), 1u);
    Offer(0, "0001.wav", 4096, 9);
    Step(0);
    EXPECT_EQ(Board(0).State, StateFTPProcessing);
    EXPECT_EQ(lib.last_local_path + ".ltf", partial_) << "the same file is resumed where it was";
    EXPECT_TRUE(plat::file_exists(partial_));
}

TEST_F(PausedDevice, PausedWhileIdleOrStoppingWindsBackToTheFetchingState) {
    struct Case {
        int state;
        int fetching;
        bool cancels;
        int after;
    };
    const Case cases[] = {
        {StateNull, 0, false, StateNull},          {StateWaiting, 1, false, StateWaiting},
        {StateWaitingQueryResult, 1, false, StateWaiting}, {StateFTPStart, 1, false, StateWaiting},
        {StateFTPStop, 0, true, StateNull},        {StateFTPFinished, 1, false, StateWaiting},
    };
    for (const Case& c : cases) {
        SetDeviceInUse(Board(0), 0, true, lib);
        Board(0).State = c.state;
        Board(0).FTPRunning = c.fetching;
        lib.calls.clear();
        SetDeviceInUse(Board(0), 0, false, lib);
        EXPECT_EQ(lib.CallsOf("uploadfile_terminate_async").size(), c.cancels ? 1u : 0u) << c.state;
        EXPECT_EQ(Board(0).State, c.after) << c.state;
        EXPECT_EQ(Board(0).DBIndex, -1) << c.state;
        EXPECT_EQ(Board(0).Connected, 0) << c.state;
    }
}

} // namespace
} // namespace engine_test
