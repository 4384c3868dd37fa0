// The stand-in's download side: recording files with their embedded call record, the
// new-file answer, the window loop and the download faults.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "tarnlink/call_record.h"
#include "tests/standin/downloader.h"
#include "tests/support/standin/recording_files.h"
#include "tests/support/standin/scenario.h"

namespace standin_test {
namespace {

using standin::Device;
using standin::DeviceConfig;
using standin::FaultRule;
using standin::Recording;

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

TEST(StandinRecordingFiles, RecordChecksAreRightOrWrongOnRequest) {
    struct Case { std::size_t size; standin::RecordChecks checks; int result; };
    const Case cases[] = {
        {300, {true, true}, tarnlink::DECODE_OK},
        {330, {true, true}, tarnlink::DECODE_OK},
        {300, {false, true}, tarnlink::DECODE_BAD_SIGNATURE},
        {300, {true, false}, tarnlink::DECODE_BAD_CHECKSUM},
        {330, {false, false}, tarnlink::DECODE_BAD_SIGNATURE},
    };
    standin::CallRecordFields f;
    f.note = "a note";
    f.caller = "02055556666";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const auto r = standin::build_call_record(f, c.size, c.checks);
        ASSERT_EQ(r.size(), c.size);
        ftp_callinfo info{};
        EXPECT_EQ(tarnlink::decode_calllog(&info, r.data(), r.size()), c.result);
    }
}

TEST(StandinRecordingFiles, RecordFieldsDecodeAsWritten) {
    standin::CallRecordFields f;
    f.call_type = '2';
    f.start_date = "20111231";
    f.start_time = "235958";
    f.caller = "13912345678";
    f.channel = "007";
    f.duration = "000125";
    f.db_index = 4711;
    f.note = "NOTE";
    const auto r = standin::build_call_record(f, standin::kRawRecordWithNoteSize);
    ftp_callinfo info{};
    ASSERT_EQ(tarnlink::decode_calllog(&info, r.data(), r.size()), 0);
    EXPECT_EQ(info.call_type, 2);
    EXPECT_STREQ(info.start_date, "2011-12-31");
    EXPECT_STREQ(info.start_time, "23:59:58");
    EXPECT_STREQ(info.caller_number, "13912345678");
    EXPECT_EQ(info.channel, 7);
    EXPECT_EQ(info.duration, 125);
    EXPECT_EQ(info.iIndexOfDB, 4711);
    EXPECT_STREQ(info.note, "NOTE");
}

TEST(StandinRecordingFiles, WavOfEitherLayoutCarriesTheRecordWhereItIsRead) {
    standin::CallRecordFields f;
    f.text = "ABCDEFGHIJ";   // spans bytes 248..251, which the split layout moves
    const auto record = standin::build_call_record(f, standin::kRawRecordSize);
    for (auto layout : {standin::WavLayout::Pcm, standin::WavLayout::Adpcm17}) {
        SCOPED_TRACE(int(layout));
        const auto wav = standin::make_wav(layout, record, 300);
        ASSERT_GT(wav.size(), 400u);
        EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
        EXPECT_EQ(u32(wav, 4), wav.size() - 8);
        EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVE", 4), 0);
        // Walk the chunks: each header's size leads to the next, ending with the data chunk.
        std::size_t at = 12;
        std::string last;
        while (at + 8 <= wav.size()) {
            last.assign(reinterpret_cast<const char*>(wav.data() + at), 4);
            at += 8 + u32(wav, at + 4);
            at += at % 2;
        }
        EXPECT_EQ(at, wav.size());
        EXPECT_EQ(last, "data");
        EXPECT_EQ(wav[20], layout == standin::WavLayout::Pcm ? 1 : 17);

        const auto back = standin::embedded_record(wav);
        ftp_callinfo info{};
        EXPECT_EQ(tarnlink::decode_calllog(&info, back.data(), back.size()), 0);
        EXPECT_STREQ(info.text, "ABCDEFGHIJ");
        const std::size_t same = layout == standin::WavLayout::Pcm ? 300 : 292;
        EXPECT_TRUE(std::equal(back.begin(), back.begin() + same, record.begin()));
    }
}

struct StandinDownload : ::testing::Test {
    std::unique_ptr<Device> start(std::vector<Recording> recs, int per_datagram = 1,
                                  std::uint32_t wait_ms = 0) {
        DeviceConfig c;
        c.recordings = std::move(recs);
        c.messages_per_datagram = per_datagram;
        c.window_wait_ms = wait_ms;
        c.window_end_resend_ms = 300;
        c.transfer_end_resend_ms = 200;
        auto d = std::make_unique<Device>(c);
        EXPECT_TRUE(d->start());
        return d;
    }
    void log_in(Device& d, int window) {
        ws.send(login("pelum", "pelum", window), d.address());
        ASSERT_TRUE(ws.response());
    }
    Workstation ws;
};

TEST_F(StandinDownload, NewFileAnswerOffersRecordingsOneByOne) {
    auto recs = standin::sized_recordings({3000, 10});
    recs[0].name = "a/b:c*.wav";
    recs[0].date = "";
    recs[1].date = "../..\\x";
    recs[1].name = "\xd6\xd0\xce\xc4\xc2\xbc\xd2\xf4.wav";   // GBK, sent byte for byte
    auto dev = start(recs);
    log_in(*dev, 10);
    ws.send(wire::build_query_newfile(1, 77), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_NEWFILE);
    EXPECT_EQ(r->byte7, 1);
    EXPECT_EQ(r->value8, 77);
    EXPECT_EQ(r->value16, 3000);
    EXPECT_EQ(r->value20, 2);
    EXPECT_EQ(r->value24, recs[0].db_index);
    EXPECT_EQ(wire::field_string(r->data, 50), "a/b:c*.wav");   // sent as it is
    EXPECT_EQ(wire::field_string(r->data + 50, 8), "");

    ASSERT_TRUE(download(ws, dev->address(), recs[0].name, 3000, 10).success);
    ws.send(wire::build_query_newfile(1, 0), dev->address());
    r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value16, 10);
    EXPECT_EQ(r->value20, 1);
    EXPECT_EQ(wire::field_string(r->data + 50, 8), "../..\\x");
    EXPECT_EQ(wire::field_string(r->data, 50), recs[1].name);
    const auto gbk = download(ws, dev->address(), recs[1].name, 10, 10);
    EXPECT_EQ(gbk.file, recs[1].content);
    ASSERT_TRUE(eventually([&] { return dev->recordings_left() == 0; }));

    ws.send(wire::build_query_newfile(1, 0), dev->address());
    r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->byte7, 0);
    EXPECT_EQ(r->value20, 0);
}

TEST_F(StandinDownload, FilesArriveWholeForEverySizeWindowAndGrouping) {
    const std::vector<std::size_t> sizes = {0, 1, 1023, 1024, 1025, 10 * 1024, 35 * 1024 + 7};
    for (int window : {10, 100}) {
        for (int per_datagram : {1, 8}) {
            auto recs = standin::sized_recordings(sizes);
            auto dev = start(recs, per_datagram);
            log_in(*dev, window);
            for (const auto& rec : recs) {
                SCOPED_TRACE(::testing::Message() << "W " << window << " x" << per_datagram
                                                  << " size " << rec.content.size());
                const auto got = download(ws, dev->address(), rec.name,
                                          std::int32_t(rec.content.size()), window);
                EXPECT_TRUE(got.accepted);
                EXPECT_TRUE(got.success);
                EXPECT_EQ(got.file, rec.content);
                EXPECT_EQ(got.dropped, 0);
                const int packets = int((rec.content.size() + 1023) / 1024);
                EXPECT_EQ(got.window_ends, (packets + window - 1) / window);
                for (auto n : got.datagram_sizes) EXPECT_LE(n, per_datagram);
            }
            EXPECT_TRUE(eventually([&] { return dev->recordings_left() == 0; }));
        }
    }
}

TEST_F(StandinDownload, SkipTakesTheRecordingOffTheOffer) {
    auto recs = standin::sized_recordings({100, 200, 300});
    auto dev = start(recs);
    log_in(*dev, 10);
    ws.send(wire::build_skip_file(1, 0, recs[0].db_index, recs[0].name), dev->address());
    ws.send(wire::build_skip_file(1, 0, recs[2].db_index, std::string(100, 'x')), dev->address());
    ws.send(wire::build_query_newfile(1, 0), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value16, 200);   // the second recording; a skip without a name goes by index
    EXPECT_EQ(r->value20, 1);
    EXPECT_EQ(dev->recordings_left(), 1u);
}

TEST_F(StandinDownload, RequestStartsAtTheAskedPacket) {
    auto recs = standin::sized_recordings({50 * 1024});
    auto dev = start(recs);
    log_in(*dev, 10);
    const auto got = download(ws, dev->address(), recs[0].name, 50 * 1024, 10, 20);
    EXPECT_TRUE(got.success);
    EXPECT_EQ(got.first_index, 20);
    EXPECT_EQ(got.window_ends, 3);
    EXPECT_TRUE(std::equal(got.file.begin() + 20 * 1024, got.file.end(), recs[0].content.begin() + 20 * 1024));
    EXPECT_EQ(dev->transfers().at(0).first_packet, 20);
}

TEST_F(StandinDownload, WaitBeforeTheFirstWindowIsKept) {
    auto recs = standin::sized_recordings({2048});
    auto dev = start(recs, 1, 250);
    log_in(*dev, 10);
    const auto t0 = std::chrono::steady_clock::now();
    ws.send(wire::build_request_file(1, 1, true, 2048, 0, 0, recs[0].name, ""), dev->address());
    ASSERT_TRUE(ws.response());   // the request answer comes at once
    auto first = ws.receive(2000);
    ASSERT_TRUE(first);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(240));
}

TEST_F(StandinDownload, FaultsStillGiveTheWholeFile) {
    struct Case {
        const char* name;
        std::vector<FaultRule> rules;
        int min_missing_acks;   // acknowledgements that had to list packets
        int min_dropped;        // messages the downloader had to refuse
    };
    const Case cases[] = {
        {"drop packet 3 of window 1", {FaultRule::drop_data_packet(3, 1)}, 1, 0},
        {"drop packet 3 twice", {FaultRule::drop_data_packet(3, 0, 0), FaultRule::drop_data_packet(3, 0, 1)}, 2, 0},
        {"drop 30 %", {FaultRule::drop_data_fraction(0.3, 5)}, 1, 0},
        {"duplicate window", {FaultRule::duplicate_window(0)}, 0, 0},
        {"reverse window", {FaultRule::reverse_window(1)}, 0, 0},
        {"shuffle window", {FaultRule::shuffle_window(3, 2)}, 0, 0},
        {"early window end", {FaultRule::early_window_end(4, 0)}, 1, 0},
        {"wrong transfer id", {FaultRule::wrong_transfer_id(1, 0)}, 1, 1},
        {"packet outside window", {FaultRule::packet_outside_window(0)}, 0, 1},
        {"packet past end", {FaultRule::packet_past_end()}, 0, 1},
        {"length above 1024", {FaultRule::data_length(1100, 0)}, 0, 0},
        {"negative length", {FaultRule::data_length(-5, 1)}, 1, 10},
        {"lost window end", {FaultRule::drop_response(wire::DEV_RSP_WINDOW_END)}, 0, 0},
        {"lost transfer end", {FaultRule::drop_response(wire::DEV_RSP_TRANSFER_END)}, 0, 0},
    };
    auto recs = standin::sized_recordings({35 * 1024 + 100});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dev = start(recs, 3);
        log_in(*dev, 10);
        for (const auto& r : c.rules) dev->add_fault(r);
        const auto got = download(ws, dev->address(), recs[0].name,
                                  std::int32_t(recs[0].content.size()), 10);
        EXPECT_TRUE(got.success);
        EXPECT_EQ(got.file, recs[0].content);
        EXPECT_GE(got.acks_with_missing, c.min_missing_acks);
        EXPECT_GE(got.dropped, c.min_dropped);
    }
}

TEST_F(StandinDownload, LostEndsAreSentAgainWithNewNumbers) {
    auto recs = standin::sized_recordings({4096});
    auto dev = start(recs);
    log_in(*dev, 10);
    dev->add_fault(FaultRule::drop_response(wire::DEV_RSP_WINDOW_END));
    dev->add_fault(FaultRule::drop_response(wire::DEV_RSP_TRANSFER_END, 2));
    const auto got = download(ws, dev->address(), recs[0].name, 4096, 10);
    EXPECT_TRUE(got.success);
    std::vector<std::uint32_t> ends;
    for (const auto& s : dev->sent())
        if (s.type == wire::DEV_RSP_WINDOW_END || s.type == wire::DEV_RSP_TRANSFER_END)
            ends.push_back(s.sequence);
    ASSERT_EQ(ends.size(), 2u);   // the one window end and the third transfer end got out
    EXPECT_EQ(ends[1], ends[0] + 3);
    ASSERT_TRUE(eventually([&] { return dev->transfers().at(0).finished; }));
    const auto t = dev->transfers().at(0);
    EXPECT_TRUE(t.success);
    EXPECT_EQ(t.windows, 1);
}

TEST_F(StandinDownload, RefusalsFailureAndSilence) {
    auto recs = standin::sized_recordings({30 * 1024});
    {
        SCOPED_TRACE("refused request");
        auto dev = start(recs);
        log_in(*dev, 10);
        dev->add_fault(FaultRule::refuse_request());
        EXPECT_FALSE(download(ws, dev->address(), recs[0].name, 30 * 1024, 10).accepted);
        EXPECT_FALSE(download(ws, dev->address(), "no such file", 30 * 1024, 10).accepted);
        EXPECT_TRUE(download(ws, dev->address(), recs[0].name, 30 * 1024, 10).success);
    }
    {
        SCOPED_TRACE("transfer end with failure");
        auto dev = start(recs);
        log_in(*dev, 10);
        dev->add_fault(FaultRule::transfer_end_failure());
        const auto got = download(ws, dev->address(), recs[0].name, 30 * 1024, 10);
        EXPECT_TRUE(got.ended);
        EXPECT_FALSE(got.success);
        EXPECT_EQ(dev->recordings_left(), 1u);   // a failed transfer leaves it on offer
    }
    {
        SCOPED_TRACE("silence after window 1");
        auto dev = start(recs);
        log_in(*dev, 10);
        dev->add_fault(FaultRule::silence_after_window(1));
        const auto got = download(ws, dev->address(), recs[0].name, 30 * 1024, 10, 0, 9, 1500);
        EXPECT_FALSE(got.ended);
        EXPECT_EQ(got.window_ends, 2);
        EXPECT_EQ(got.data_messages, 20);
    }
    {
        SCOPED_TRACE("stop command");
        auto dev = start(recs, 1, 200);
        log_in(*dev, 10);
        ws.send(wire::build_request_file(1, 4, true, 30 * 1024, 0, 0, recs[0].name, ""), dev->address());
        ASSERT_TRUE(ws.response());
        ws.send(wire::build_stop_file(1, 4), dev->address());
        EXPECT_TRUE(ws.drain(400).empty());
    }
}

TEST_F(StandinDownload, GeneratedRecordingsArePlayableFilesWithTheirRecords) {
    for (auto layout : {standin::WavLayout::Pcm, standin::WavLayout::Adpcm17}) {
        const auto recs = standin::generated_recordings(2, layout, "call", 5);
        ASSERT_EQ(recs.size(), 2u);
        EXPECT_EQ(recs[1].name, "callC007-20120301-080600.wav") << "named by channel and time";
        EXPECT_EQ(recs[1].db_index, 6);
        EXPECT_EQ(recs[1].date.size(), 8u);
        const auto back = standin::embedded_record(recs[1].content);
        ftp_callinfo info{};
        ASSERT_EQ(tarnlink::decode_calllog(&info, back.data(), back.size()), 0);
        EXPECT_STREQ(info.file_name, "callC007-20120301-080600.wav");
    }
}

}  // namespace
}  // namespace standin_test
