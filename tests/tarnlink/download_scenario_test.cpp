// Downloads over real sockets from stand-in devices: sizes, window sizes, faults on the way,
// silence and resume, embedded call records, GBK names.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "platform/clock.h"
#include "platform/files.h"
#include "tests/support/standin/recording_files.h"
#include "tests/support/standin/scenario.h"
#include "tests/tarnlink/scenario_support.h"

namespace tarnlink {
namespace {

class DownloadScenario : public tarnlink_test::LiveLibraryTest {
protected:
    // One listening device with `recordings`, a library with windows of `window` packets.
    standin::Device& start_with(std::vector<standin::Recording> recordings, int window,
                                int messages_per_datagram = 1) {
        standin::DeviceConfig config = listening_device();
        config.recordings = std::move(recordings);
        config.messages_per_datagram = messages_per_datagram;
        // Data sent before the library's next tick (50 ms) after the accept would be lost.
        config.window_wait_ms = 60;
        config.window_end_resend_ms = 300;
        standin::Device& dev = add_device(config);
        const std::vector<std::string> ini = {
            "[LogInfo]", "LogLevel=debug", "[General]",
            "PackNumPerCircle=" + std::to_string(window), "[LocalIP]",
            "Port=" + std::to_string(free_port()), "[Network]", "Count=1",
            "IP1=" + device_ip(), "Port1=" + std::to_string(dev.port())};
        EXPECT_EQ(start_library(ini), 0);
        EXPECT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());
        return dev;
    }

    struct Offered {
        int size = -1;
        std::string name, date;
        std::int32_t db_index = 0;
    };
    Offered query_next() {
        Offered o;
        EXPECT_EQ(lib_->query_newfile(0, 0), 0);
        const auto e = wait_event(EVT_FTP_NEWFILE_INFO, 3000);
        if (!e) {
            ADD_FAILURE() << "no new-file answer";
            return o;
        }
        o.size = e->p1;
        char text[100];
        lib_->get_bd_param(0, 0, BD_PARAM_NEWFILE_NAME, text);
        o.name = text;
        lib_->get_bd_param(0, 0, BD_PARAM_NEWFILE_DATE, text);
        o.date = text;
        lib_->get_bd_param(0, 0, BD_PARAM_DB_INDEX, &o.db_index);
        return o;
    }
    using LiveLibraryTest::download;
    // Starts the download of `o` on the first device; the result of event 62.
    int download(const Offered& o, const std::string& local, int transfer_id = 1,
                 int timeout_ms = 20000) {
        return download(0, o.name, o.size, o.db_index, local, transfer_id, timeout_ms);
    }
};

TEST_F(DownloadScenario, ByteIdenticalForEdgeSizesAndBothWindowSizes) {
    for (int window : {10, 100}) {
        SCOPED_TRACE(window);
        const std::vector<std::size_t> sizes = {0, 1, 1023, 1024, 1025,
                                                static_cast<std::size_t>(window) * 1024,
                                                static_cast<std::size_t>(window) * 3584 + 5};
        const std::vector<standin::Recording> recordings = standin::sized_recordings(sizes);
        start_with(recordings, window, window == 100 ? 8 : 1);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            SCOPED_TRACE(sizes[i]);
            const Offered o = query_next();
            ASSERT_EQ(o.size, static_cast<int>(sizes[i]));
            const std::string local = "w" + std::to_string(window) + "-" + std::to_string(i);
            ASSERT_EQ(download(o, local, static_cast<int>(i + 1)), UPL_RESULT_OK);
            EXPECT_TRUE(same_file(local, recordings[i].content));
            EXPECT_FALSE(plat::file_exists(dir_.file(local + ".ltf")));
            EXPECT_FALSE(plat::file_exists(dir_.file(local + ".dxc")));
        }
        lib_->release();
        devices_.clear();
    }
}

TEST_F(DownloadScenario, TenMebibytes) {
    const std::vector<standin::Recording> recordings =
        standin::sized_recordings({10u * 1024 * 1024});
    start_with(recordings, 100, 8);
    const Offered o = query_next();
    ASSERT_EQ(download(o, "big.bin", 3, 60000), UPL_RESULT_OK);
    EXPECT_TRUE(same_file("big.bin", recordings[0].content));
}

// The device answers no heartbeat while it streams 10 MiB: its data keeps the session alive
// through many heartbeat time-outs of the manual clock, and the file arrives. Once it falls
// silent, the time-out ends the session as before.
TEST_F(DownloadScenario, DataKeepsASessionAliveWithoutHeartbeatAnswers) {
    use_manual_clock();
    const std::vector<standin::Recording> recordings =
        standin::sized_recordings({10u * 1024 * 1024});
    standin::Device& dev = start_with(recordings, 100, 8);
    dev.add_fault(standin::FaultRule::silence_heartbeats());
    const Offered o = query_next();
    ASSERT_EQ(lib_->start_uploadfile(0, o.name.c_str(), o.size, nullptr,
                                     dir_.file("alive.bin").c_str(), 6, o.db_index, 1),
              0);
    // The clock moves a second at a time, each time only after more data has arrived: data
    // is never late by the manual clock, heartbeat answers never come.
    std::optional<ftp_event> end;
    std::uint32_t advanced = 0;
    std::uint32_t seen = 0;
    for (int step = 0; step < 2000 && !end; ++step) {
        bool moved = false;
        for (int i = 0; i < 500 && !moved && !end; ++i) {
            const std::uint32_t now_received = lib_->device_info(0).bytes_received;
            moved = now_received > seen;
            if (moved) seen = now_received;
            end = wait_event(EVT_FTP_TRANSFER_END, 0, 0);
            if (!moved && !end) plat::sleep_ms(2);
        }
        ASSERT_TRUE(moved || end) << "no progress after " << advanced << " ms";
        ASSERT_FALSE(wait_event(EVT_FTP_DISCONNECT, 0, 0).has_value()) << advanced << " ms";
        if (end) break;
        clock_.advance_ms(1000);
        advanced += 1000;
    }
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_file("alive.bin", recordings[0].content));
    EXPECT_GT(advanced, 4u * 5000u);  // the transfer spanned several heartbeat time-outs
    EXPECT_EQ(dev.session().logins, 1);

    // Silent now: no event 52 before 5 s have passed since the last message, event 52 after.
    plat::sleep_ms(300);  // the device has nothing more to send
    const std::uint32_t last_message = lib_->device_info(0).last_heart_ack;
    ASSERT_LT(clock_.now_ms() - last_message, 4500u);
    clock_.advance_ms(4500 - (clock_.now_ms() - last_message));
    plat::sleep_ms(200);  // the state thread steps a few times
    EXPECT_FALSE(wait_event(EVT_FTP_DISCONNECT, 0, 0).has_value());
    clock_.advance_ms(1000);
    EXPECT_TRUE(wait_event(EVT_FTP_DISCONNECT, 2000, 0).has_value());
}

TEST_F(DownloadScenario, LossDuplicationAndReorderingStillGiveTheFile) {
    struct Case { const char* what; std::vector<standin::FaultRule> faults; };
    std::vector<standin::FaultRule> sixty;
    for (int k = 0; k < 60; ++k) sixty.push_back(standin::FaultRule::drop_data_packet(k, 0, 0));
    const Case cases[] = {
        {"random loss", {standin::FaultRule::drop_data_fraction(0.05, 7)}},
        {"duplicated windows", {standin::FaultRule::duplicate_window(-1, 3)}},
        {"reversed window", {standin::FaultRule::reverse_window(1)}},
        {"shuffled window", {standin::FaultRule::shuffle_window(11, 2)}},
        {"60 missing of one window", sixty},
        {"early window end", {standin::FaultRule::early_window_end(5, 1)}},
        {"duplicate responses", {standin::FaultRule::duplicate_response(DEV_RSP_WINDOW_END, 3)}},
    };
    std::vector<std::size_t> sizes(std::size(cases), 350 * 1024 + 17);
    const std::vector<standin::Recording> recordings = standin::sized_recordings(sizes);
    standin::Device& dev = start_with(recordings, 100);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        dev.clear_faults();
        for (const standin::FaultRule& f : cases[i].faults) dev.add_fault(f);
        const Offered o = query_next();
        const std::string local = "fault" + std::to_string(i);
        ASSERT_EQ(download(o, local, static_cast<int>(i + 1)), UPL_RESULT_OK);
        EXPECT_TRUE(same_file(local, recordings[i].content));
    }
}

TEST_F(DownloadScenario, SilenceKeepsBothFilesAndARestartResumes) {
    const std::vector<standin::Recording> recordings = standin::sized_recordings({55 * 1024 + 3});
    standin::Device& dev = start_with(recordings, 10);
    dev.add_fault(standin::FaultRule::silence_after_window(2));
    const Offered o = query_next();
    ASSERT_EQ(download(o, "cut.bin", 4), UPL_RESULT_TIMEOUT);
    EXPECT_TRUE(plat::file_exists(dir_.file("cut.bin.ltf")));
    EXPECT_TRUE(plat::file_exists(dir_.file("cut.bin.dxc")));
    EXPECT_FALSE(plat::file_exists(dir_.file("cut.bin")));

    // Windows 0..2 were completed before the silence: the same local path again asks for
    // the first packet of window 3.
    dev.clear_faults();
    dev.clear_log();
    ASSERT_EQ(lib_->start_uploadfile(0, o.name.c_str(), o.size, nullptr,
                                     dir_.file("cut.bin").c_str(), 5, o.db_index, 1),
              0);
    const auto request = dev.wait_for(PC_CMD_REQUEST_FILE, 3000);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->p2, 30);
    const auto e = wait_event(EVT_FTP_TRANSFER_END, 20000);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_file("cut.bin", recordings[0].content));
}

TEST_F(DownloadScenario, RefusalsAndTheSkipCommand) {
    const std::vector<standin::Recording> recordings = standin::sized_recordings({3000, 3000});
    standin::Device& dev = start_with(recordings, 10);
    dev.add_fault(standin::FaultRule::refuse_request());
    Offered o = query_next();
    EXPECT_EQ(download(o, "refused.bin"), UPL_RESULT_REFUSED);
    dev.add_fault(standin::FaultRule::transfer_end_failure());
    EXPECT_EQ(download(o, "refused.bin", 2), UPL_RESULT_REFUSED);
    ASSERT_EQ(lib_->ignore_uploadfile(0, o.name.c_str(), o.db_index, 9), 0);
    const auto skip = dev.wait_for(PC_CMD_SKIP_FILE, 3000);
    ASSERT_TRUE(skip.has_value());
    EXPECT_EQ(skip->payload_text(0, 96), o.name);
    EXPECT_EQ(skip->p2, o.db_index);
}

TEST_F(DownloadScenario, CallRecordsOfBothLayouts) {
    std::vector<standin::Recording> recordings =
        standin::generated_recordings(1, standin::WavLayout::Pcm, "pcm", 11);
    const std::vector<standin::Recording> adpcm =
        standin::generated_recordings(1, standin::WavLayout::Adpcm17, "adpcm", 12);
    recordings.insert(recordings.end(), adpcm.begin(), adpcm.end());
    start_with(recordings, 100);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Offered o = query_next();
        ASSERT_EQ(download(o, o.name, i + 1), UPL_RESULT_OK);
        EXPECT_TRUE(same_file(o.name, recordings[static_cast<std::size_t>(i)].content));
        ftp_callinfo info;
        ASSERT_EQ(lib_->get_callinfo(0, &info), 0);
        EXPECT_STREQ(info.start_date, "2012-03-01");
    }
}

TEST_F(DownloadScenario, GbkNameReachesTheDisk) {
    // "录音" in GBK, then the date between underscores.
    const std::string gbk_name = "\xc2\xbc\xd2\xf4_20120305_1.wav";
    std::vector<standin::Recording> recordings = standin::sized_recordings({5000});
    recordings[0].name = gbk_name;
    recordings[0].date = "";
    start_with(recordings, 10);
    const Offered o = query_next();
    EXPECT_EQ(o.name, gbk_name);
    EXPECT_EQ(o.date, "20120305");
    ASSERT_EQ(download(o, o.name), UPL_RESULT_OK);
    EXPECT_TRUE(same_file(gbk_name, recordings[0].content));
    bool listed = false;
    for (const plat::DirEntry& e : plat::list_directory(dir_.path().substr(0, dir_.path().size() - 1)))
        listed = listed || e.name == gbk_name;
    EXPECT_TRUE(listed);
}

} // namespace
} // namespace tarnlink
