// Downloads driven message by message on a manual clock: the new-file answer, the start and
// its resume, windows with missing packets, the ends, the local files, and the guards
// against a device that misbehaves.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include "tarnlink/call_record.h"
#include "tarnlink/resume_record.h"
#include "tests/tarnlink/test_support.h"

namespace tarnlink {
namespace {

using tarnlink_test::OfflineLibrary;
using tarnlink_test::drain;
using tarnlink_test::take_events;

std::vector<std::uint8_t> pattern(std::size_t size, unsigned seed = 1) {
    std::vector<std::uint8_t> v(size);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& b : v) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(x >> 16);
    }
    return v;
}

// Compares file contents without printing them.
::testing::AssertionResult same_bytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and "
                                         << expected.size() << ", first difference at " << at;
}

std::vector<pc_command> commands_with(const std::vector<pc_command>& all, int code) {
    std::vector<pc_command> out;
    for (const pc_command& c : all)
        if (c.code == code) out.push_back(c);
    return out;
}

// One logged-in device with a window of `window` packets, and the device side of a transfer.
class Download {
public:
    explicit Download(int window = 10, const std::string& name = "download")
        : t(name, {"[LogInfo]", "LogLevel=debug", "[General]",
                   "PackNumPerCircle=" + std::to_string(window), "[Network]", "Count=1",
                   "IP1=127.0.0.1"}),
          window_(window) {
        t.log_in(0, seq_);
        take_events(*t.lib);
    }

    std::string path(const std::string& name = "rec.wav") const { return t.dir.file(name); }

    int start(const std::vector<std::uint8_t>& content, int transfer_id = 5,
              const std::string& local = "rec.wav", const char* tag = "TAG-0001") {
        content_ = content;
        transfer_id_ = transfer_id;
        return t.lib->start_uploadfile(0, "device_file.wav", static_cast<int>(content.size()),
                                       tag, path(local).c_str(), transfer_id, 33, 0);
    }
    // One step of the state machine; the commands it queued, heartbeats left out.
    std::vector<pc_command> tick_commands(std::uint32_t ms = 50) {
        t.platform.clock.advance_ms(ms);
        t.lib->step_states();
        std::vector<pc_command> all = drain(*t.lib, 0);
        std::vector<pc_command> out;
        for (const pc_command& c : all)
            if (c.code != PC_CMD_HEARTBEAT) out.push_back(c);
        // Keep the session: the heartbeat answer.
        t.deliver(0, make_response(DEV_RSP_HEART_ACK, seq_++));
        return out;
    }
    void respond(std::uint8_t type, std::uint8_t byte6 = 0, std::int32_t value16 = 0,
                 std::int32_t value8 = 0) {
        device_response r = make_response(type, seq_++);
        r.byte6 = byte6;
        r.value16 = value16;
        r.value8 = value8;
        t.deliver(0, r);
    }
    // Request sent and accepted, receiving armed.
    pc_command begin() {
        const std::vector<pc_command> sent = tick_commands();
        EXPECT_EQ(sent.size(), 1u);
        respond(DEV_RSP_REQUEST_ACK, 1);
        tick_commands();
        return sent.empty() ? pc_command{} : sent[0];
    }
    void packet(std::int32_t index, std::int32_t length = -100, std::int32_t id = -1) {
        const std::size_t at = static_cast<std::size_t>(index) * 1024;
        const std::size_t left = at < content_.size() ? content_.size() - at : 0;
        const std::int32_t n = length == -100 ? static_cast<std::int32_t>(std::min<std::size_t>(1024, left)) : length;
        // The data is what the file holds there; the length field is sent as asked.
        file_data_message sent = make_file_data(
            id == -1 ? transfer_id_ : id, index, left ? content_.data() + at : nullptr,
            static_cast<std::int32_t>(std::min<std::size_t>(1024, left)));
        sent.length = n;
        const std::vector<std::uint8_t> d = tarnlink_test::datagram_of(sent);
        t.lib->handle_device_datagram(0, d.data(), d.size());
    }
    // Window end; returns the acknowledgement.
    pc_command window_end(std::int32_t last, std::int32_t token = 77) {
        respond(DEV_RSP_WINDOW_END, 0, last, token);
        const std::vector<pc_command> acks = commands_with(drain(*t.lib, 0), PC_CMD_WINDOW_ACK);
        EXPECT_EQ(acks.size(), 1u);
        return acks.empty() ? pc_command{} : acks[0];
    }
    // Sends every packet window by window and ends the transfer with success.
    void send_all(int first_packet = 0) {
        const int packets = static_cast<int>((content_.size() + 1023) / 1024);
        for (int base = first_packet; base < packets || (packets == 0 && base == 0);
             base += window_) {
            const int last = std::min(base + window_, packets) - 1;
            for (int p = base; p <= last; ++p) packet(p);
            const pc_command ack = window_end(std::max(last, base));
            EXPECT_EQ(ack.b, 0);
            if (packets == 0) break;
        }
        respond(DEV_RSP_TRANSFER_END, 1, 0, 99);
    }
    ftp_event finish() {
        tick_commands();
        for (const ftp_event& e : take_events(*t.lib))
            if (e.code == EVT_FTP_TRANSFER_END) return e;
        ADD_FAILURE() << "no event 62";
        return {};
    }
    std::string file(const std::string& name) const { return t.dir.read(name); }
    std::string content() const { return std::string(content_.begin(), content_.end()); }
    int state() { return t.lib->device_info(0).transfer_state; }

    OfflineLibrary t;
    int window_;
    std::int32_t seq_ = 1;
    std::vector<std::uint8_t> content_;
    int transfer_id_ = 5;
};

// ---- the whole road ---------------------------------------------------------------------------

TEST(DownloadRoad, SizesAroundPacketAndWindowEdges) {
    for (std::size_t size : {0u, 1u, 1023u, 1024u, 1025u, 10240u, 25u * 1024 + 100}) {
        SCOPED_TRACE(size);
        Download d;
        const std::vector<std::uint8_t> content = pattern(size, static_cast<unsigned>(size));
        ASSERT_EQ(d.start(content), 0);
        EXPECT_TRUE(same_bytes(d.file("rec.wav.ltf"), std::string(size, '\x55')));
        const pc_command request = d.begin();
        EXPECT_EQ(request.code, PC_CMD_REQUEST_FILE);
        d.send_all();
        const ftp_event e = d.finish();
        EXPECT_EQ(e.p1, UPL_RESULT_OK);
        EXPECT_EQ(e.p2, 5);
        EXPECT_TRUE(same_bytes(d.file("rec.wav"), d.content()));
        EXPECT_FALSE(plat::file_exists(d.path("rec.wav.ltf")));
        EXPECT_FALSE(plat::file_exists(d.path("rec.wav.dxc")));
        EXPECT_EQ(d.state(), UPL_STATE_IDLE);
    }
}

TEST(DownloadRoad, RequestCommandAndProgress) {
    Download d;
    ASSERT_EQ(d.start(pattern(5000), 0x1FF), 0);
    const pc_command r = d.begin();
    EXPECT_EQ(r.a, 0xFF);       // the low byte of the transfer id
    EXPECT_EQ(r.b, 0);          // a tag follows
    EXPECT_EQ(r.p1, 5000);
    EXPECT_EQ(r.p2, 0);
    EXPECT_EQ(r.p3, 33);
    EXPECT_EQ(command_text(r, 0, 30), "device_file.wav");
    EXPECT_EQ(command_text(r, 40, 8), "TAG-0001");

    int bytes = -1, size = -1;
    EXPECT_EQ(d.t.lib->get_upload_progress(0, &bytes, &size), 0);
    EXPECT_EQ(bytes, 0);
    EXPECT_EQ(size, 5000);
    EXPECT_EQ(d.t.lib->get_upload_progress(0, nullptr, &size), -2);
    EXPECT_EQ(d.t.lib->get_upload_progress(1, &bytes, &size), -1);  // not receiving
    d.packet(4);  // the last packet: 904 bytes
    d.packet(4);  // a repeated packet counts again
    d.packet(0);
    EXPECT_EQ(d.t.lib->get_upload_progress(0, &bytes, nullptr), 0);
    EXPECT_EQ(bytes, 904 + 904 + 1024);
    for (int i = 0; i < 3; ++i) d.packet(0);
    EXPECT_EQ(d.t.lib->get_upload_progress(0, &bytes, nullptr), 0);
    EXPECT_EQ(bytes, 5000);  // never beyond the size
    d.send_all();
    d.finish();
    EXPECT_EQ(d.t.lib->get_upload_progress(0, &bytes, &size), -1);  // not receiving
}

TEST(DownloadRoad, EmbeddedCallRecordInBothLayouts) {
    std::vector<std::uint8_t> record(300, 0);
    std::memcpy(record.data(), "2201203010815001380013800", 25);
    std::memcpy(record.data() + 280, "DRAVIKMO", 8);
    const std::int32_t index = 4711;
    std::memcpy(record.data() + 296, &index, 4);
    const std::int32_t sum = call_record_checksum(record.data());
    std::memcpy(record.data() + 288, &sum, 4);

    struct Case { const char* name; bool split; bool good; };
    for (const Case c : {Case{"pcm", false, true}, Case{"format 17", true, true},
                         Case{"bad checksum", false, false}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> file = pattern(3000);
        if (c.split) {
            file[20] = 17;
            file[21] = 0;
            std::memcpy(file.data() + 68, record.data(), 292);
            std::memcpy(file.data() + 64, record.data() + 248, 4);
        } else {
            file[20] = 1;
            file[21] = 0;
            std::memcpy(file.data() + 58, record.data(), 300);
            if (!c.good) file[58 + 10] ^= 1;
        }
        Download d;
        ASSERT_EQ(d.start(file), 0);
        d.begin();
        d.send_all();
        EXPECT_EQ(d.finish().p1, UPL_RESULT_OK);
        ftp_callinfo info;
        if (c.good) {
            ASSERT_EQ(d.t.lib->get_callinfo(0, &info), 0);
            // The split layout ends at byte 291: it carries no database index.
            EXPECT_EQ(info.iIndexOfDB, c.split ? 0 : 4711);
            EXPECT_EQ(info.call_type, 2);
            EXPECT_STREQ(info.start_date, "2012-03-01");
        } else {
            EXPECT_EQ(d.t.lib->get_callinfo(0, &info), -2);
        }
        d.t.lib->query_newfile(0, 0);  // clears the call info
        EXPECT_EQ(d.t.lib->get_callinfo(0, &info), -2);
    }
}

// ---- windows ----------------------------------------------------------------------------------

TEST(DownloadWindows, MissingPacketsAreListedAndTheWindowStays) {
    Download d;
    ASSERT_EQ(d.start(pattern(30 * 1024)), 0);
    d.begin();
    for (int p : {0, 1, 2, 4, 5, 6, 8}) d.packet(p);
    pc_command ack = d.window_end(9, 1234);
    EXPECT_EQ(ack.p1, 1234);
    EXPECT_EQ(ack.p2, 0);
    EXPECT_EQ(window_ack_missing(ack), (std::vector<int>{3, 7, 9}));
    d.packet(3);
    d.packet(7);
    d.packet(9);
    ack = d.window_end(9);
    EXPECT_EQ(ack.b, 0);
    EXPECT_EQ(ack.p2, 0);  // the base of the window just completed
    EXPECT_EQ(d.t.lib->device_info(0).window_base, 10);
    // The resume record names the next window.
    const std::string dxc = d.file("rec.wav.dxc");
    ASSERT_EQ(dxc.size(), 20u);
    resume_file_header h;
    std::memcpy(&h, dxc.data(), sizeof h);
    EXPECT_TRUE(resume_record_valid(h));
    EXPECT_EQ(h.window_base, 10u);
    // A window end naming a packet below the base changes nothing.
    ack = d.window_end(5);
    EXPECT_EQ(ack.b, 0);
    EXPECT_EQ(d.t.lib->device_info(0).window_base, 10);
}

TEST(DownloadWindows, SixtyMissingTakeTwoRoundsAndAShortWindowEndListsTheWholeWindow) {
    Download d(100, "download-100");
    ASSERT_EQ(d.start(pattern(300 * 1024)), 0);
    d.begin();
    for (int p = 60; p < 100; ++p) d.packet(p);
    pc_command ack = d.window_end(99);
    std::vector<int> listed = window_ack_missing(ack);
    ASSERT_EQ(listed.size(), 48u);
    EXPECT_EQ(listed.front(), 0);
    EXPECT_EQ(listed.back(), 47);
    for (int p = 0; p < 48; ++p) d.packet(p);
    ack = d.window_end(99);
    listed = window_ack_missing(ack);
    ASSERT_EQ(listed.size(), 12u);
    EXPECT_EQ(listed.front(), 48);
    for (int p = 48; p < 60; ++p) d.packet(p);
    EXPECT_EQ(d.window_end(99).b, 0);

    // A device with a window of 60: its window end names packet 159 at base 100. The packets
    // it did not send are asked for too, and the window stays until every one has arrived.
    for (int p = 100; p < 160; ++p) d.packet(p);
    ack = d.window_end(159);
    EXPECT_EQ(ack.p2, 100);
    listed = window_ack_missing(ack);
    ASSERT_EQ(listed.size(), 40u);
    EXPECT_EQ(listed.front(), 60);
    EXPECT_EQ(listed.back(), 99);
    for (int p = 160; p < 200; ++p) d.packet(p);
    EXPECT_EQ(d.window_end(159).b, 0);
    EXPECT_EQ(d.t.lib->device_info(0).window_base, 200);

    // The last window asks only for packets inside the file.
    for (int p = 200; p < 250; ++p) d.packet(p);
    listed = window_ack_missing(d.window_end(249));
    ASSERT_EQ(listed.size(), 48u);
    EXPECT_EQ(listed.front(), 50);
    for (int p = 250; p < 298; ++p) d.packet(p);
    EXPECT_EQ(window_ack_missing(d.window_end(249)), (std::vector<int>{98, 99}));
    d.packet(298);
    d.packet(299);
    EXPECT_EQ(d.window_end(299).b, 0);
    d.respond(DEV_RSP_TRANSFER_END, 1);
    EXPECT_EQ(d.finish().p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_bytes(d.file("rec.wav"), d.content()));
}

TEST(DownloadWindows, PacketsBeforeArmingOutsideTheWindowOrWithAnotherIdAreDropped) {
    Download d;
    ASSERT_EQ(d.start(pattern(20 * 1024), 0x305), 0);
    d.tick_commands();
    d.respond(DEV_RSP_REQUEST_ACK, 1);
    d.packet(0);                 // before the tick arms the receiving state
    d.tick_commands();
    d.packet(1, -100, 0x105);    // another id, same low byte: taken
    d.packet(2, -100, 0x306);    // another low byte: dropped
    d.packet(10);                // the next window: dropped
    d.packet(-1);
    const pc_command ack = d.window_end(9);
    EXPECT_EQ(window_ack_missing(ack), (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// ---- guards against bad peer values and failing files -----------------------------------

TEST(DownloadGuards, PacketIndexAndLengthNeverGrowTheFile) {
    Download d;
    const std::vector<std::uint8_t> content = pattern(2500);
    ASSERT_EQ(d.start(content), 0);
    d.begin();
    d.packet(0, 1100);      // above 1024: 1024 used
    d.packet(1);
    d.packet(2, 1024);      // the last packet says 1024, 452 are left
    d.packet(3, 1024);      // past the end of the file: dropped
    d.packet(1, -5);        // a negative length: dropped (packet 1 already arrived)
    EXPECT_EQ(d.window_end(3).b, 0);
    d.respond(DEV_RSP_TRANSFER_END, 1);
    EXPECT_EQ(d.finish().p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_bytes(d.file("rec.wav"), d.content()));
}

TEST(DownloadGuards, NegativeLengthIsNotCountedAsArrived) {
    Download d;
    ASSERT_EQ(d.start(pattern(3000)), 0);
    d.begin();
    d.packet(0);
    d.packet(1, -5);
    d.packet(2);
    EXPECT_EQ(window_ack_missing(d.window_end(2)), std::vector<int>{1});
}

TEST(DownloadGuards, TransferEndBeforeTheLastWindowIsNotSuccess) {
    Download d;
    ASSERT_EQ(d.start(pattern(20 * 1024)), 0);
    d.begin();
    for (int p = 0; p < 10; ++p) d.packet(p);
    EXPECT_EQ(d.window_end(9).b, 0);
    d.respond(DEV_RSP_TRANSFER_END, 1);
    EXPECT_EQ(d.finish().p1, UPL_RESULT_REFUSED);
    EXPECT_FALSE(plat::file_exists(d.path()));
    EXPECT_TRUE(plat::file_exists(d.path("rec.wav.ltf")));
    EXPECT_TRUE(plat::file_exists(d.path("rec.wav.dxc")));
}

TEST(DownloadGuards, FailedRenameIsRefusedAndKeepsBothFiles) {
    Download d;
    ASSERT_EQ(d.start(pattern(3000)), 0);
    d.begin();
    plat::write_whole_file(d.path(), "someone else's file");
    d.send_all();
    EXPECT_EQ(d.finish().p1, UPL_RESULT_REFUSED);
    EXPECT_EQ(d.file("rec.wav"), "someone else's file");
    EXPECT_TRUE(same_bytes(d.file("rec.wav.ltf"), d.content()));
    EXPECT_TRUE(plat::file_exists(d.path("rec.wav.dxc")));
    ftp_callinfo info;
    EXPECT_EQ(d.t.lib->get_callinfo(0, &info), -2);
    EXPECT_NE(d.t.log_text().find("[error] bd0 rename download file fail"), std::string::npos);
}

#ifndef _WIN32
// Packets that follow each other are written together: the failure shows when the run of
// packets 3 and 4 is written, as packet 2 arrives out of order.
TEST(DownloadGuards, FailedWriteEndsTheDownloadRefused) {
    Download d;
    ASSERT_EQ(d.start(pattern(5000)), 0);
    d.begin();
    d.packet(0);
    d.packet(1);
    // Writes at or past 2048 bytes now fail (and raise no signal).
    struct rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    void (*old_handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = old_limit;
    low.rlim_cur = 2048;
    setrlimit(RLIMIT_FSIZE, &low);
    d.packet(3);
    d.packet(4);
    EXPECT_EQ(d.state(), UPL_STATE_RECEIVING);
    d.packet(2);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(d.state(), UPL_STATE_FINISHING);
    const std::vector<pc_command> sent = drain(*d.t.lib, 0);
    EXPECT_EQ(commands_with(sent, PC_CMD_STOP_FILE).size(), 1u);
    EXPECT_EQ(d.finish().p1, UPL_RESULT_REFUSED);
    EXPECT_TRUE(plat::file_exists(d.path("rec.wav.ltf")));
    EXPECT_TRUE(plat::file_exists(d.path("rec.wav.dxc")));
    EXPECT_NE(d.t.log_text().find("[error] bd0 write download file fail, packet 3"),
              std::string::npos);
}
#endif

// ---- resume -------------------------------------------------------------------------------

TEST(DownloadResume, ContinuesFromTheLastCompleteWindow) {
    Download d(100, "resume");
    const std::vector<std::uint8_t> content = pattern(300 * 1024 + 7);
    ASSERT_EQ(d.start(content), 0);
    d.begin();
    for (int p = 0; p < 100; ++p) d.packet(p);
    d.window_end(99);
    for (int p = 100; p < 200; ++p) d.packet(p);
    d.window_end(199);
    for (int p = 200; p < 230; ++p) d.packet(p);
    ASSERT_EQ(d.t.lib->uploadfile_terminate(0), 0);  // no event, both files stay
    EXPECT_TRUE(take_events(*d.t.lib).empty());
    EXPECT_EQ(commands_with(drain(*d.t.lib, 0), PC_CMD_STOP_FILE).size(), 1u);
    EXPECT_TRUE(plat::file_exists(d.path("rec.wav.ltf")));

    ASSERT_EQ(d.start(content), 0);
    int bytes = 0;
    const pc_command request = d.begin();
    EXPECT_EQ(request.p2, 200);
    ASSERT_EQ(d.t.lib->get_upload_progress(0, &bytes, nullptr), 0);
    EXPECT_EQ(bytes, 204800);
    d.send_all(200);
    EXPECT_EQ(d.finish().p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_bytes(d.file("rec.wav"), d.content()));
}

TEST(DownloadResume, StartsFreshWhenTheWorkingPairIsOursButCannotResume) {
    struct Case { const char* what; std::string dxc; std::size_t ltf_size; };
    const resume_file_header good = make_resume_record(10);
    const std::string good_bytes(reinterpret_cast<const char*>(&good), sizeof good);
    const resume_file_header fresh = make_resume_record(0);
    const std::string fresh_bytes(reinterpret_cast<const char*>(&fresh), sizeof fresh);
    const Case cases[] = {{"empty resume file", "", 20 * 1024},
                          {"download file of another size", good_bytes, 19 * 1024},
                          {"resume file alone", good_bytes, 0},
                          {"empty resume file alone", "", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Download d;
        if (c.ltf_size != 0)
            plat::write_whole_file(d.path("rec.wav.ltf"), std::string(c.ltf_size, 'x'));
        plat::write_whole_file(d.path("rec.wav.dxc"), c.dxc);
        ASSERT_EQ(d.start(pattern(20 * 1024)), 0);
        EXPECT_TRUE(same_bytes(d.file("rec.wav.ltf"), std::string(20 * 1024, '\x55')));
        EXPECT_EQ(d.file("rec.wav.dxc"), fresh_bytes);
        EXPECT_EQ(d.begin().p2, 0);
    }
}

// Files under the working names that this library did not make are somebody's recordings.
TEST(DownloadStart, WorkingNamesThatAreNotOursAreRefusedAndLeftAlone) {
    struct Case { const char* what; std::optional<std::string> ltf, dxc; };
    const resume_file_header good = make_resume_record(10);
    const std::string good_bytes(reinterpret_cast<const char*>(&good), sizeof good);
    std::string bad_check = good_bytes;
    bad_check[16] ^= 1;
    const Case cases[] = {
        {"download name alone", "RIFF recording", std::nullopt},
        {"resume name holding a recording", std::nullopt, "RIFF recording"},
        {"both names holding recordings", "RIFF one", "RIFF two"},
        {"resume record with a bad check word", "RIFF one", bad_check},
        {"a valid record followed by more bytes", "RIFF one", good_bytes + "RIFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Download d;
        if (c.ltf) plat::write_whole_file(d.path("rec.wav.ltf"), *c.ltf);
        if (c.dxc) plat::write_whole_file(d.path("rec.wav.dxc"), *c.dxc);
        EXPECT_EQ(d.start(pattern(20 * 1024)), -6);
        EXPECT_EQ(d.state(), UPL_STATE_IDLE);
        EXPECT_TRUE(drain(*d.t.lib, 0).empty());
        EXPECT_EQ(plat::file_exists(d.path("rec.wav.ltf")), c.ltf.has_value());
        if (c.ltf) {
            EXPECT_EQ(d.file("rec.wav.ltf"), *c.ltf);
        }
        EXPECT_EQ(plat::file_exists(d.path("rec.wav.dxc")), c.dxc.has_value());
        if (c.dxc) {
            EXPECT_EQ(d.file("rec.wav.dxc"), *c.dxc);
        }
        EXPECT_NE(d.t.log_text().find("is not a download file, left as it is"), std::string::npos);
    }
}

// A device offering "call.wav.dxc", then "call.wav.ltf", then "call.wav": the third download
// is refused and the first two recordings stay as they arrived.
TEST(DownloadStart, RecordingsNamedLikeWorkingFilesSurviveTheNextDownload) {
    Download d;
    const std::vector<std::uint8_t> first = pattern(15 * 1024 + 3, 1);
    const std::vector<std::uint8_t> second = pattern(9 * 1024, 2);
    for (const auto& [name, content] : {std::pair{"call.wav.dxc", first},
                                         std::pair{"call.wav.ltf", second}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(d.start(content, 5, name), 0);
        d.begin();
        d.send_all();
        EXPECT_EQ(d.finish().p1, UPL_RESULT_OK);
    }
    EXPECT_EQ(d.start(pattern(4 * 1024, 3), 5, "call.wav"), -6);
    EXPECT_TRUE(same_bytes(d.file("call.wav.dxc"), std::string(first.begin(), first.end())));
    EXPECT_TRUE(same_bytes(d.file("call.wav.ltf"), std::string(second.begin(), second.end())));
    EXPECT_FALSE(plat::file_exists(d.path("call.wav")));
}

// ---- ends, cancel, skip, start checks -----------------------------------------------------

// A refused request leaves its working files as a resume from the start: asking again writes
// no filler (a mark put into the download file stays), and the download then completes.
TEST(DownloadStart, ARefusedRequestAskedAgainKeepsItsFiller) {
    Download d;
    const std::vector<std::uint8_t> content = pattern(200 * 1024);
    ASSERT_EQ(d.start(content), 0);
    d.tick_commands();
    d.respond(DEV_RSP_REQUEST_ACK, 0);
    ASSERT_EQ(d.finish().p1, UPL_RESULT_REFUSED);
    {
        plat::File ltf;
        ASSERT_TRUE(ltf.open(d.path("rec.wav.ltf"), plat::File::Mode::ReadWrite));
        ASSERT_EQ(ltf.write_at(100 * 1024, "MARK", 4), 4);
    }
    ASSERT_EQ(d.start(content), 0);
    EXPECT_EQ(d.file("rec.wav.ltf").substr(100 * 1024, 4), "MARK");
    d.begin();
    d.send_all();
    EXPECT_EQ(d.finish().p1, UPL_RESULT_OK);
    EXPECT_TRUE(same_bytes(d.file("rec.wav"), d.content()));
}


TEST(DownloadEnds, TimeoutsRefusalsAndCancel) {
    struct Case { const char* what; int result; int stops; };
    const Case cases[] = {{"no request answer", UPL_RESULT_TIMEOUT, 0},
                          {"silence while receiving", UPL_RESULT_TIMEOUT, 2},
                          {"refused request", UPL_RESULT_REFUSED, 0},
                          {"transfer end with failure", UPL_RESULT_REFUSED, 0},
                          {"cancelled while requesting", UPL_RESULT_CANCELLED, 1}};
    for (int i = 0; i < 5; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        Download d;
        ASSERT_EQ(d.start(pattern(3000)), 0);
        d.tick_commands();  // the request
        std::vector<pc_command> sent;
        if (i == 0) {
            sent = d.tick_commands(3000);
            EXPECT_EQ(d.state(), UPL_STATE_REQUEST);
            auto more = d.tick_commands(1);
            sent.insert(sent.end(), more.begin(), more.end());
        } else if (i == 1) {
            d.respond(DEV_RSP_REQUEST_ACK, 1);
            d.tick_commands();
            sent = d.tick_commands(3001);
        } else if (i == 2) {
            d.respond(DEV_RSP_REQUEST_ACK, 0);
        } else if (i == 3) {
            d.respond(DEV_RSP_REQUEST_ACK, 1);
            d.tick_commands();
            d.respond(DEV_RSP_TRANSFER_END, 0, 0, 42);
            sent = drain(*d.t.lib, 0);
            ASSERT_EQ(commands_with(sent, PC_CMD_END_ACK).size(), 1u);
            EXPECT_EQ(commands_with(sent, PC_CMD_END_ACK)[0].p1, 42);
        } else {
            ASSERT_EQ(d.t.lib->uploadfile_terminate_async(0), 0);
            sent = drain(*d.t.lib, 0);
            ASSERT_EQ(d.t.lib->uploadfile_terminate_async(0), 0);  // finishing: nothing more
            EXPECT_TRUE(drain(*d.t.lib, 0).empty());
        }
        EXPECT_EQ(commands_with(sent, PC_CMD_STOP_FILE).size(), static_cast<std::size_t>(c.stops));
        const ftp_event e = d.finish();
        EXPECT_EQ(e.p1, c.result);
        EXPECT_TRUE(plat::file_exists(d.path("rec.wav.ltf")));
        EXPECT_TRUE(plat::file_exists(d.path("rec.wav.dxc")));
    }
}

// The host polls slowly and the queue is full when the download ends: the transfer end waits
// and is posted at the state thread's first pass after the host has made room.
TEST(DownloadEnds, TransferEndThatFindsTheQueueFullIsPostedOnceThereIsRoom) {
    Download d;
    ASSERT_EQ(d.start(pattern(5000)), 0);
    d.begin();
    d.send_all();
    const ftp_event filler{EVT_FTP_GETPARAM_ACK, 0, 0, 0, 0};
    for (int i = 0; i < 1023; ++i) ASSERT_EQ(d.t.lib->put_event(&filler), 0);
    d.tick_commands();  // finalises
    EXPECT_TRUE(plat::file_exists(d.path()));
    d.tick_commands();
    ftp_event e{};
    ASSERT_EQ(d.t.lib->get_event_async(&e), 0);
    d.tick_commands();
    const std::vector<ftp_event> events = take_events(*d.t.lib);
    ASSERT_EQ(events.size(), 1023u);
    EXPECT_EQ(events.back().code, EVT_FTP_TRANSFER_END);
    EXPECT_EQ(events.back().p1, UPL_RESULT_OK);
    EXPECT_EQ(events.back().p2, 5);
    d.tick_commands();
    EXPECT_TRUE(take_events(*d.t.lib).empty());  // posted once
}

TEST(DownloadStart, ChecksAndResults) {
    Download d;
    Library& lib = *d.t.lib;
    const std::string path = d.path();
    EXPECT_EQ(lib.start_uploadfile(100, "f", 10, nullptr, path.c_str(), 1, 1, 1), -1);
    EXPECT_EQ(lib.start_uploadfile(0, nullptr, 10, nullptr, path.c_str(), 1, 1, 1), -1);
    EXPECT_EQ(lib.start_uploadfile(0, "f", 10, nullptr, nullptr, 1, 1, 1), -1);
    EXPECT_EQ(lib.start_uploadfile(0, "f", 104857600, nullptr, path.c_str(), 1, 1, 1), -11);
    EXPECT_EQ(lib.start_uploadfile(0, "f", -1, nullptr, path.c_str(), 1, 1, 1), -11);
    const std::string missing_folder = d.t.dir.file("no-such-folder\\rec.wav");
    EXPECT_EQ(lib.start_uploadfile(0, "f", 10, nullptr, missing_folder.c_str(), 1, 1, 1), -5);
    const std::string long_path = d.t.dir.file(std::string(300, 'p'));
    EXPECT_EQ(lib.start_uploadfile(0, "f", 10, nullptr, long_path.c_str(), 1, 1, 1), -1);

    plat::write_whole_file(d.path("exists.wav"), "x");
    EXPECT_EQ(lib.start_uploadfile(0, "dev.wav", 10, nullptr, d.path("exists.wav").c_str(), 8, 9, 1),
              1);
    const std::vector<pc_command> skip = commands_with(drain(lib, 0), PC_CMD_SKIP_FILE);
    ASSERT_EQ(skip.size(), 1u);
    EXPECT_EQ(skip[0].p1, 8);
    EXPECT_EQ(skip[0].p2, 9);
    EXPECT_EQ(command_text(skip[0], 0, 96), "dev.wav");

    EXPECT_EQ(lib.start_uploadfile(0, "f", 10, nullptr, path.c_str(), 1, 1, 1), 0);
    EXPECT_EQ(lib.start_uploadfile(0, "f", 10, nullptr, path.c_str(), 1, 1, 1), -3);
    EXPECT_EQ(lib.ignore_uploadfile(0, "f", 1, 1), -3);
    EXPECT_EQ(lib.uploadfile_terminate(0), 0);
    EXPECT_EQ(lib.ignore_uploadfile(0, nullptr, 1, 1), -1);
    EXPECT_EQ(lib.ignore_uploadfile(0, std::string(100, 'n').c_str(), 4, 3), 0);
    const std::vector<pc_command> ignored = commands_with(drain(lib, 0), PC_CMD_SKIP_FILE);
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_EQ(ignored[0].payload[0], 0);  // a name of 100 characters is not sent

    lib.force_state(0, BD_STATE_WAIT_LOGOUT);
    EXPECT_EQ(lib.start_uploadfile(0, "f", 10, nullptr, path.c_str(), 1, 1, 1), -2);
    EXPECT_EQ(lib.ignore_uploadfile(0, "f", 1, 1), -2);
}

TEST(DownloadStart, NoTagFlagAndShortTag) {
    Download d;
    ASSERT_EQ(d.t.lib->start_uploadfile(0, "f.wav", 10, "AB", d.path().c_str(), 1, 1, 1), 0);
    pc_command r = d.begin();
    EXPECT_EQ(r.b, 1);
    EXPECT_EQ(r.payload[40], 0);
    d.t.lib->uploadfile_terminate(0);
    drain(*d.t.lib, 0);
    ASSERT_EQ(d.t.lib->start_uploadfile(0, "f.wav", 10, "AB", d.path("b.wav").c_str(), 1, 1, 0), 0);
    r = d.begin();
    EXPECT_EQ(r.b, 0);
    EXPECT_EQ(command_text(r, 40, 8), "AB");
}

// ---- the new-file answer ----------------------------------------------------------------

TEST(NewFileAnswer, EventNameCleaningAndDates) {
    struct Case { const char* what; std::string name; std::string date; std::string clean_name;
                  std::string expected_date; };
    const Case cases[] = {
        {"plain", "rec_1.wav", "20120305", "rec_1.wav", "20120305"},
        {"forbidden characters", "a/b\\c:d*e?f\"g<h>i|j;k.wav", "20120305",
         "a b c d e f g h i j k.wav", "20120305"},
        {"date from the name", "ch01_20120307_0815.wav", "", "ch01_20120307_0815.wav", "20120307"},
        {"steering date", "rec.wav", "..\\..\\.", "rec.wav", "20100101"},
        {"non-digit date, digits in the name", "x_20120309_y.wav", "2012O3O1", "x_20120309_y.wav",
         "20120309"},
        {"non-digit date in the name", "x_2012ab09_y.wav", "", "x_2012ab09_y.wav", "20100101"},
        {"GBK name keeps its second bytes", "\xb1\x5c\xb2\x7c.wav", "20120305",
         "\xb1\x5c\xb2\x7c.wav", "20120305"},
        {"name of 50 bytes", std::string(60, 'n'), "20120305", std::string(50, 'n'), "20120305"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Download d;
        device_response r = make_response(DEV_RSP_NEWFILE, 50);
        r.byte7 = 1;
        r.value8 = 3;
        r.value16 = 123456;
        r.value20 = 9;
        r.value24 = 321;
        std::memcpy(r.data, c.name.data(), std::min<std::size_t>(c.name.size(), 50));
        std::memcpy(r.data + 50, c.date.data(), std::min<std::size_t>(c.date.size(), 8));
        d.t.deliver(0, r);
        const std::vector<ftp_event> events = take_events(*d.t.lib);
        ASSERT_EQ(events.size(), 1u);
        const ftp_event expected{EVT_FTP_NEWFILE_INFO, 0, 123456, 3, 9};
        EXPECT_EQ(std::memcmp(&events[0], &expected, sizeof expected), 0);
        char buffer[100];
        ASSERT_EQ(d.t.lib->get_bd_param(0, 0, BD_PARAM_NEWFILE_NAME, buffer), 0);
        EXPECT_EQ(std::string(buffer), c.clean_name);
        ASSERT_EQ(d.t.lib->get_bd_param(0, 0, BD_PARAM_NEWFILE_DATE, buffer), 0);
        EXPECT_EQ(std::string(buffer), c.expected_date);
        std::int32_t index = 0;
        ASSERT_EQ(d.t.lib->get_bd_param(0, 0, BD_PARAM_DB_INDEX, &index), 0);
        EXPECT_EQ(index, 321);
    }
}

// Two answers handled before the host reads: the host reads the second answer's name, date and
// index, as often as it likes, until a third answer replaces them.
TEST(NewFileAnswer, ValuesStayOneSetUntilTheNextAnswer) {
    Download d;
    const auto answer = [&](std::int32_t seq, const char* name, const char* date,
                            std::int32_t index) {
        device_response r = make_response(DEV_RSP_NEWFILE, seq);
        r.byte7 = 1;
        r.value16 = 1000;
        r.value24 = index;
        std::memcpy(r.data, name, std::strlen(name));
        std::memcpy(r.data + 50, date, std::strlen(date));
        d.t.deliver(0, r);
    };
    answer(50, "first.wav", "20260101", 11);
    answer(51, "second.wav", "20260202", 22);
    EXPECT_EQ(take_events(*d.t.lib).size(), 2u);
    const auto read_set = [&] {
        char name[100] = "?";
        char date[100] = "?";
        std::int32_t index = -1;
        EXPECT_EQ(d.t.lib->get_bd_param(0, 0, BD_PARAM_NEWFILE_NAME, name), 0);
        EXPECT_EQ(d.t.lib->get_bd_param(0, 0, BD_PARAM_NEWFILE_DATE, date), 0);
        EXPECT_EQ(d.t.lib->get_bd_param(0, 0, BD_PARAM_DB_INDEX, &index), 0);
        return std::string(name) + "|" + date + "|" + std::to_string(index);
    };
    for (int reading = 0; reading < 2; ++reading)
        EXPECT_EQ(read_set(), "second.wav|20260202|22");
    answer(52, "third.wav", "", 33);
    EXPECT_EQ(read_set(), "third.wav|20100101|33");
}

TEST(NewFileAnswer, NoFileOfferedAndTheForbiddenCharacterLine) {
    Download d;
    device_response r = make_response(DEV_RSP_NEWFILE, 50);
    r.byte7 = 0;
    r.value16 = 999;
    std::memcpy(r.data, "a:b", 3);
    d.t.deliver(0, r);
    const std::vector<ftp_event> events = take_events(*d.t.lib);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].p1, -1);
    EXPECT_NE(d.t.log_text().find("[error] bd0 err, get qry upl ack, filename has :\r\n"),
              std::string::npos);

    EXPECT_EQ(d.t.lib->query_newfile(100, 0), -1);
    EXPECT_EQ(d.t.lib->query_newfile(0, 17), 0);
    const std::vector<pc_command> q = commands_with(drain(*d.t.lib, 0), PC_CMD_QUERY_NEWFILE);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].p1, 17);
    EXPECT_EQ(d.t.lib->query_newfile(5, 0), 0);  // beyond the count: nothing queued
    EXPECT_TRUE(drain(*d.t.lib, 5).empty());
}

} // namespace
} // namespace tarnlink
