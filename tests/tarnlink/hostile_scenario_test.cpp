// Faulty and hostile peers over real sockets: a device whose windows are smaller than ours,
// datagrams forged from another address, and a flood of connection requests while the host
// is not polling. None of them may cost a recording or report a damaged one as complete.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/transport.h"
#include "tests/support/standin/scenario.h"
#include "tests/tarnlink/scenario_support.h"

namespace tarnlink {
namespace {

using tarnlink_test::datagram_of;

// Loop bounds for conditions the threads reach within a few hundred milliseconds.
constexpr int kWaitSteps = 1000;
constexpr std::uint32_t kWaitStepMs = 10;

class HostileScenario : public tarnlink_test::LiveLibraryTest {
protected:
    std::vector<std::string> ini(int mode, int window, std::uint16_t shared_port,
                                 const std::string& log_level = "debug") const {
        return {"[LogInfo]", "LogLevel=" + log_level, "[General]",
                "PackNumPerCircle=" + std::to_string(window), "[LocalIP]",
                "Port=" + std::to_string(shared_port), "[FTPInfo]",
                "ConnMode=" + std::to_string(mode), "[Network]"};
    }
    // An address of this host that is neither the devices' nor the library's.
    std::string other_ip() const {
#ifdef _WIN32
        return "127.0.0.1";
#else
        return "127.0.0.3";
#endif
    }
    // Both sides of a device's download, for a transfer that never ends: where each stopped.
    std::string transfer_state(int device) const {
        std::string text;
        for (const standin::TransferRecord& t : devices_[static_cast<std::size_t>(device)]->transfers()) {
            text += "device sent " + t.name + " from " + std::to_string(t.first_packet) + ", " +
                    std::to_string(t.windows) + " windows" + (t.accepted ? "" : ", not accepted") +
                    (t.finished ? ", finished" : "") + "; ";
        }
        const auto info = lib_->device_info(device);
        return text + "library: state " + std::to_string(info.state) + ", transfer " +
               std::to_string(info.transfer_state) + ", window base " + std::to_string(info.window_base) +
               ", " + std::to_string(info.bytes_received) + " of " + std::to_string(info.file_size) + " bytes";
    }
    bool log_contains(const std::string& text) {
        for (int i = 0; i < kWaitSteps; ++i) {
            std::string log;
            plat::read_whole_file(lib_->log().file_name_for_today(), log);
            if (log.find(text) != std::string::npos) return true;
            plat::sleep_ms(kWaitStepMs);
        }
        return false;
    }
};

// Our window is 100 packets, the device's 60: its window ends name packets short of ours. The
// packets it never sent are asked for, and the file arrives whole (moving our window on at
// such an end used to leave filler bytes in a file reported complete).
TEST_F(HostileScenario, DeviceWithASmallerWindowStillGivesTheWholeFile) {
    const std::vector<standin::Recording> recordings =
        standin::sized_recordings({250 * 1024 + 17, 1000 * 1024});
    standin::DeviceConfig config = listening_device();
    config.recordings = recordings;
    config.window_packets = 60;
    config.window_wait_ms = 60;
    config.window_end_resend_ms = 300;
    standin::Device& dev = add_device(config);
    std::vector<std::string> lines = ini(1, 100, free_port());
    lines.insert(lines.end(), {"Count=1", "IP1=" + device_ip(),
                               "Port1=" + std::to_string(dev.port())});
    ASSERT_EQ(start_library(lines), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        SCOPED_TRACE(i);
        const standin::Recording& r = recordings[i];
        const std::string local = "small-window-" + std::to_string(i);
        ASSERT_EQ(download(0, r.name, static_cast<int>(r.content.size()), r.db_index, local,
                           static_cast<int>(i + 1)),
                  UPL_RESULT_OK);
        EXPECT_TRUE(same_file(local, r.content));
    }
}

// Mode 1: a device's socket acts only on datagrams from the device's address. Forged session
// ends, transfer ends and file data from another address are dropped and counted.
TEST_F(HostileScenario, DatagramsFromAnotherAddressAreDroppedAndCounted) {
    const std::vector<standin::Recording> recordings = standin::sized_recordings({300 * 1024});
    standin::DeviceConfig config = listening_device();
    config.recordings = recordings;
    // Time to forge while the library waits for the first window.
    config.window_wait_ms = 400;
    standin::Device& dev = add_device(config);
    std::vector<std::string> lines = ini(1, 100, free_port());
    lines.insert(lines.end(), {"Count=1", "IP1=" + device_ip(),
                               "Port1=" + std::to_string(dev.port())});
    ASSERT_EQ(start_library(lines), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());

    plat::UdpEndpoint forger;
    ASSERT_TRUE(forger.open(other_ip(), 0));
    plat::SocketAddress library;
    ASSERT_TRUE(plat::parse_ipv4(library_ip(), library.ip));
    library.port = lib_->transport().device_port(0);
    int forged = 0;
    auto forge = [&](const std::vector<std::uint8_t>& bytes) {
        ASSERT_EQ(forger.send_to(bytes.data(), bytes.size(), library),
                  static_cast<int>(bytes.size()));
        ++forged;
    };

    // Session ends from a stranger change nothing.
    forge(datagram_of(make_response(DEV_RSP_CLOSE, 900)));
    forge(datagram_of(make_response(DEV_RSP_LOGOUT, 901)));
    forge(datagram_of(make_response(DEV_RSP_PC_TIMEOUT, 902)));
    const std::string port = std::to_string(forger.local_port());
    ASSERT_TRUE(log_contains("bd0 drop datagram from " + other_ip() + ":" + port + ", 3 dropped"));

    // A download under way: a forged failure end and forged data while the request is armed.
    const standin::Recording& r = recordings[0];
    ASSERT_EQ(lib_->start_uploadfile(0, r.name.c_str(), static_cast<int>(r.content.size()),
                                     nullptr, dir_.file("forged.wav").c_str(), 4, r.db_index, 1),
              0);
    bool armed = false;
    for (int i = 0; i < kWaitSteps && !armed; ++i) {
        const bd_info b = lib_->device_info(0);
        armed = b.transfer_state == UPL_STATE_RECEIVING && b.request_armed != 0;
        if (!armed) plat::sleep_ms(kWaitStepMs);
    }
    ASSERT_TRUE(armed);
    const std::vector<std::uint8_t> junk(1024, 0xAB);
    for (int p = 0; p < 100; ++p) forge(datagram_of(make_file_data(4, p, junk.data(), 1024)));
    device_response end = make_response(DEV_RSP_TRANSFER_END, 903);
    end.byte6 = 0;
    forge(datagram_of(end));
    ASSERT_TRUE(log_contains(", " + std::to_string(forged) + " dropped"));

    const auto e = wait_event(EVT_FTP_TRANSFER_END, 30000, 0);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_file("forged.wav", r.content));
    EXPECT_EQ(lib_->device_info(0).state, BD_STATE_LOGGED_IN);
    EXPECT_FALSE(wait_event(EVT_FTP_DISCONNECT, 0).has_value());
    EXPECT_FALSE(wait_event(EVT_FTP_DEV_LOGOUT, 0).has_value());
    EXPECT_EQ(dev.session().logins, 1);
}

// Mode 2, the host not polling: a flood of connection requests from many serials and from one,
// then host events up to a full queue, then downloads on two devices. Every transfer end
// reaches the host once it polls again.
TEST_F(HostileScenario, ConnectionRequestFloodAndAFullQueueLoseNoTransferEnd) {
    const std::uint16_t shared = free_port();
    // A line per request would make the flood a benchmark of the log file.
    std::vector<std::string> lines = ini(2, 100, shared, "error");
    lines.push_back("Count=2");
    std::vector<std::vector<standin::Recording>> recordings;
    for (int n = 0; n < 2; ++n) {
        const std::string serial = "SN-FLOOD-" + std::to_string(n);
        standin::DeviceConfig config = announcing_device(serial, shared);
        recordings.push_back(standin::sized_recordings({200 * 1024 + 5u * n, 70 * 1024}));
        config.recordings = recordings.back();
        config.window_wait_ms = 60;
        config.window_end_resend_ms = 300;
        add_device(config);
        lines.push_back("Serial" + std::to_string(n + 1) + "=" + serial);
    }
    ASSERT_EQ(start_library(lines), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 5000, 0).has_value());
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 5000, 1).has_value());

    plat::UdpEndpoint flooder;
    ASSERT_TRUE(flooder.open(other_ip(), 0));
    plat::SocketAddress library;
    ASSERT_TRUE(plat::parse_ipv4(library_ip(), library.ip));
    library.port = shared;
    auto request = [&](const std::string& serial) {
        device_response r = make_response(DEV_RSP_CONNREQ, 0);
        std::memcpy(r.data, serial.data(), serial.size());
        const std::vector<std::uint8_t> bytes = datagram_of(r);
        flooder.send_to(bytes.data(), bytes.size(), library);
    };
    for (int i = 0; i < 1600; ++i) {
        request("FLOOD-" + std::to_string(i));
        request("FLOOD-ONE");
        if (i % 100 == 99) plat::sleep_ms(5);  // let the shared receiver keep up
    }
    // A device's answer queued behind the whole flood: once it is seen, the flood has been read.
    // A file request is asked once and waits 3 s for its answer, which a busy machine can spend
    // reading a backlog of thousands of datagrams; the flood during the downloads is paced.
    for (int n = 0; n < 2; ++n) {
        ASSERT_EQ(lib_->set_bd_param(n, 0, BD_PARAM_READ_DEVTEXT, "x"), 0);
        ASSERT_TRUE(wait_event(EVT_FTP_GETPARAM_ACK, 120000, n).has_value()) << "device " << n;
    }
    int flood_left = 400;
    auto keep_flooding = [&] {
        for (int i = 0; i < 4 && flood_left > 0; ++i, --flood_left) request("FLOOD-ONE");
    };
    // The host's own events fill what is left of the queue.
    const ftp_event filler{EVT_FTP_GETPARAM_ACK, 0, 0, 0, 0};
    int fillers = 0;
    while (fillers < 1100 && lib_->put_event(&filler) == 0) ++fillers;
    ASSERT_LT(fillers, 1100);
    auto local = [](int n, std::size_t k) {
        return "flood-" + std::to_string(n) + "-" + std::to_string(k);
    };

    // Both devices download at once while nobody polls; each end finds the queue full.
    for (std::size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        for (int n = 0; n < 2; ++n) {
            const standin::Recording& r = recordings[static_cast<std::size_t>(n)][k];
            ASSERT_EQ(lib_->start_uploadfile(n, r.name.c_str(), static_cast<int>(r.content.size()),
                                             nullptr, dir_.file(local(n, k)).c_str(),
                                             static_cast<int>(10 + k), r.db_index, 1),
                      0);
        }
        for (int n = 0; n < 2; ++n) {
            bool finished = false;
            for (int i = 0; i < 3 * kWaitSteps && !finished; ++i) {
                const std::vector<standin::TransferRecord> t = devices_[n]->transfers();
                finished = t.size() == k + 1 && t.back().finished;
                if (!finished) {
                    keep_flooding();
                    plat::sleep_ms(kWaitStepMs);
                }
            }
            ASSERT_TRUE(finished) << "device " << n << ": " << transfer_state(n);
        }
        // Both downloads finalised (their ends tried the full queue) before the host polls.
        for (int n = 0; n < 2; ++n) {
            bool finalised = false;
            for (int i = 0; i < kWaitSteps && !finalised; ++i) {
                finalised = lib_->device_info(n).transfer_state == UPL_STATE_IDLE;
                if (!finalised) plat::sleep_ms(kWaitStepMs);
            }
            ASSERT_TRUE(finalised) << "device " << n;
        }
        for (int n = 0; n < 2; ++n) {
            const auto e = wait_event(EVT_FTP_TRANSFER_END, 5000, n);
            ASSERT_TRUE(e.has_value()) << "device " << n;
            EXPECT_EQ(e->p1, UPL_RESULT_OK);
            EXPECT_EQ(e->p2, static_cast<int>(10 + k));
            EXPECT_TRUE(same_file(local(n, k), recordings[static_cast<std::size_t>(n)][k].content));
        }
        // Full again for the next round.
        while (fillers < 3000 && lib_->put_event(&filler) == 0) ++fillers;
    }
    EXPECT_TRUE(log_contains("Problem writing to global Event Q!"));
}

} // namespace
} // namespace tarnlink
