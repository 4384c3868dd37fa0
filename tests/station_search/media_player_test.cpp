#include <windows.h>

#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/media/com_ptr.h"
#include "platform/text_gbk.h"
#include "platform/media/directshow_player.h"
#include "platform/media/master_volume.h"
#include "platform/media/winmm_mixer_driver.h"
#include "tests/support/test_folder.h"
#include "tests/station_search/wav_file.h"

namespace plat::media {
namespace {

// Runs the thread's messages until `done` holds or `ms` milliseconds have passed.
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    return true;
}

class PlayerTest : public ::testing::Test {
protected:
    PlayerTest() : folder("search-player") {
        player.SetStateListener([this](PlayState s) { states.push_back(s); });
    }
    bool WaitFor(PlayState s, DWORD ms = 3000) {
        return PumpUntil([&] { return !states.empty() && states.back() == s; }, ms);
    }
    ComApartment com;
    test_support::TestFolder folder;
    DirectShowPlayer player;
    std::vector<PlayState> states;
};

TEST_F(PlayerTest, PlayPauseSeekRateAndStop) {
    const std::string path = folder.file("20120301\\" + plat::utf8_to_gbk(u8"录音") + ".wav");
    ASSERT_TRUE(station_search_test::WriteToneWav(path, 4.0));
    ASSERT_TRUE(player.Open(path));
    EXPECT_EQ(player.Url(), path);
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_NEAR(player.Duration(), 4.0, 0.01);

    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(WaitFor(PlayState::Playing));
    EXPECT_TRUE(PumpUntil([&] { return player.Position() > 0.2; }, 3000)) << "the position advances";

    ASSERT_TRUE(player.Pause());
    ASSERT_TRUE(WaitFor(PlayState::Paused));
    ASSERT_TRUE(player.SetPosition(2.0));
    EXPECT_NEAR(player.Position(), 2.0, 0.05);
    EXPECT_TRUE(player.SetRate(1.5));
    EXPECT_DOUBLE_EQ(player.Rate(), 1.5);
    EXPECT_FALSE(player.SetRate(0.0));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(WaitFor(PlayState::Playing));

    ASSERT_TRUE(player.Stop());
    ASSERT_TRUE(WaitFor(PlayState::Stopped));
    EXPECT_NEAR(player.Position(), 0.0, 0.01);
    EXPECT_EQ(player.State(), PlayState::Stopped);
}

TEST_F(PlayerTest, EndOfMediaStopsAndCloseReleasesTheFile) {
    const std::string path = folder.file("short.wav");
    ASSERT_TRUE(station_search_test::WriteToneWav(path, 0.5));
    ASSERT_TRUE(player.Open(path));
    ASSERT_TRUE(player.SetRate(1.5));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(WaitFor(PlayState::Playing));
    ASSERT_TRUE(WaitFor(PlayState::Stopped, 5000)) << "the end of the media raises a stop";
    EXPECT_EQ(player.Url(), path);
    player.Close();
    EXPECT_TRUE(player.Url().empty());
    EXPECT_DOUBLE_EQ(player.Duration(), 0.0);
    EXPECT_FALSE(player.Play());
    EXPECT_TRUE(plat::remove_file(path)) << "closed media no longer holds the file";
}

TEST_F(PlayerTest, MissingOrBrokenFileLoadsNothing) {
    EXPECT_FALSE(player.Open(folder.file("none.wav")));
    EXPECT_TRUE(player.Url().empty());
    const std::string junk = folder.file("junk.wav");
    plat::write_whole_file(junk, "not a recording");
    EXPECT_FALSE(player.Open(junk));
    EXPECT_EQ(player.State(), PlayState::Undefined);
    EXPECT_FALSE(player.Stop());
    EXPECT_TRUE(plat::remove_file(junk));
}

// Whatever mixer the machine has: the operations agree with each other and never block.
TEST(WinmmMixer, OperationsAgreeWithTheDevice) {
    WinmmMixerDriver driver;
    std::vector<std::string> boxes;
    MasterVolume volume(driver, [&](const std::string& text) { boxes.push_back(text); });
    if (driver.DeviceCount() == 0) {
        EXPECT_EQ(volume.SetMixerVolume(MixerLine::Speakers, 1000), -1);
        EXPECT_EQ(volume.GetMixerVolume(MixerLine::Speakers), 0);
        EXPECT_FALSE(volume.GetMixerMute(MixerLine::Speakers));
        EXPECT_TRUE(boxes.empty());
        return;
    }
    const std::uint16_t before = volume.GetMixerVolume(MixerLine::Speakers);
    const int status = volume.SetMixerVolume(MixerLine::Speakers, 30000);
    if (status == 0 && boxes.empty()) {
        const std::uint16_t now = volume.GetMixerVolume(MixerLine::Speakers);
        EXPECT_NEAR(now, 30000, 700);  // devices step the volume
        volume.SetMixerVolume(MixerLine::Speakers, before);
    }
    std::printf("mixer: status %d, volume %u, boxes %zu\n", status, before, boxes.size());
}

} // namespace
} // namespace plat::media
