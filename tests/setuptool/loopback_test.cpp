// The tool's socket, receiver thread and main window model against the stand-in devices, all
// on loopback: probes go to 127.255.255.255, which reaches the stand-in's 0.0.0.0 socket.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <memory>
#include <string>
#include <vector>

#include "kesto_fakes.h"
#include "platform/clock.h"
#include "platform/text_gbk.h"
#include "setuptool/discovery_packets.h"
#include "setuptool/kesto_session.h"
#include "setuptool/main_window_model.h"
#include "setuptool/reply_receiver.h"
#include "tests/support/discovery_responder/discovery_responder.h"

namespace {

using kesto_test::Bytes;
using kesto_test::ResponderOptions;

constexpr std::uint32_t kLoopbackBroadcast = 0x7FFFFFFFu;  // 127.255.255.255
constexpr std::uint32_t kLoopback = 0x7F000001u;
// Outside the tool's own range, so that the test holding all of 3101..3300 cannot disturb the
// others when cases run side by side.
constexpr std::uint16_t kBenchFirstPort = 43101;
constexpr std::uint16_t kBenchLastPort = 43300;

std::string gbk(const char* utf8) { return plat::utf8_to_gbk(utf8); }

// The tool without its windows, wired as the main window wires it, with `sink` standing in
// for the window thread: it runs the model's work on the receiver thread under its lock.
class Bench {
public:
    explicit Bench(ResponderOptions options, std::deque<std::uint8_t> tokens = {11, 22, 33},
                   std::uint32_t pause_ms = 0)
        : tokens_(std::move(tokens)) {
        options.port = 0;
        responder = std::make_unique<kesto_test::DiscoveryResponder>(options);
        bool started = responder->start();
        kesto::SessionOptions session_options;
        session_options.target = {kLoopbackBroadcast, responder->port()};
        session_options.first_port = kBenchFirstPort;
        session_options.last_port = kBenchLastPort;
        session_options.tokens = &tokens_;
        session_options.pause_ms = pause_ms;
        session = std::make_unique<kesto::KestoSession>(session_options, sink, web);
        sink.on_row = [this](const kesto::DeviceRow& row) { model().add_device(row); };
        session->show();
        port = session->port();
        ok = started && port != 0;
    }
    ~Bench() {
        session->close({});
        responder->stop();
    }

    kesto::MainWindowModel& model() { return session->model(); }
    bool refresh() {
        return sink.locked([&] { return model().refresh(); });
    }
    std::size_t row_count() {
        return sink.locked([&] { return model().rows().size(); });
    }
    // Everything that reached the tool's socket before this marker has been handled once the
    // marker's result code comes out of the receiver.
    bool drain(int marker_code) {
        plat::UdpEndpoint marker;
        if (!marker.open("127.0.0.1", 0)) return false;
        Bytes reply(64, 0);
        reply[1] = 0x11;
        reply[2] = 0x44;
        reply[3] = 0x99;
        reply[4] = 2;
        reply[6] = static_cast<std::uint8_t>(marker_code);
        marker.send_to(reply.data(), reply.size(), {kLoopback, port});
        return sink.wait_code(marker_code);
    }

    bool ok = false;
    std::uint16_t port = 0;
    kesto_test::RecordingWebPage web;
    kesto_test::CollectingSink sink;
    std::unique_ptr<kesto_test::DiscoveryResponder> responder;
    std::unique_ptr<kesto::KestoSession> session;

private:
    kesto_test::ScriptedTokens tokens_;
};

// Hands each reply to the "window thread" (the test thread) and waits until that thread has
// run it, as a window message sent across threads does.
class WindowThreadSink : public kesto::ReplySink {
public:
    std::function<void(const kesto::DeviceRow&)> on_row;

    void device_found(const kesto::DeviceRow& row) override {
        hand_over([&] { on_row(row); });
    }
    void set_result(int) override {}

    // One turn of the window thread's message loop.
    void pump() {
        std::unique_lock<std::mutex> lock(mutex_);
        if (job_) {
            (*job_)();
            job_ = nullptr;
            ++served_;
            done_.notify_all();
        }
    }
    std::size_t served() {
        std::lock_guard<std::mutex> lock(mutex_);
        return served_;
    }

private:
    void hand_over(const std::function<void()>& job) {
        std::unique_lock<std::mutex> lock(mutex_);
        job_ = &job;
        done_.wait(lock, [&] { return job_ == nullptr; });
    }

    std::mutex mutex_;
    std::condition_variable done_;
    const std::function<void()>* job_ = nullptr;
    std::size_t served_ = 0;
};

class KestoLoopback : public ::testing::Test {
protected:
    plat::NetworkStartup network_;
};

TEST_F(KestoLoopback, RefreshListsEveryDevice) {
    Bench bench(ResponderOptions{});
    ASSERT_TRUE(bench.ok);
    ASSERT_TRUE(bench.refresh());
    ASSERT_TRUE(bench.sink.wait_rows(3));
    ASSERT_TRUE(bench.drain(201));
    auto rows = bench.sink.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(bench.sink.locked([&] { return bench.model().count_panel_text(); }), gbk("找到的设备数: 3"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto texts = bench.sink.locked([&] { return bench.model().row_texts(i); });
        EXPECT_EQ(texts[0], std::to_string(i + 1));
        EXPECT_EQ(texts[1], "192.168.1." + std::to_string(101 + i));
        EXPECT_EQ(texts[4], "00-1a-2b-3c-4d-0" + std::to_string(i + 1));
        EXPECT_EQ(texts[5], "DV4-00000000000" + std::to_string(i + 1));
        EXPECT_EQ(texts[6], "4");
        EXPECT_EQ(texts[7], "V2.1.7");
    }
    auto log = bench.responder->log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].bytes.size(), 20u);
    EXPECT_EQ(log[0].bytes[16], 11);
    EXPECT_EQ(log[0].from.port, bench.port);
    EXPECT_EQ(bench.session->receiver_end(), kesto::ReplyReceiver::End::Running);
}

TEST_F(KestoLoopback, SecondQuickRefreshIgnoresTheFirstProbesLateAnswers) {
    ResponderOptions late;
    late.delay_ms = 300;
    Bench bench(late, {11, 22});
    ASSERT_TRUE(bench.ok);
    ASSERT_TRUE(bench.refresh());
    ASSERT_TRUE(bench.refresh());
    ASSERT_TRUE(bench.responder->wait_for_sent(6, 5000));
    ASSERT_TRUE(bench.drain(202));
    EXPECT_EQ(bench.row_count(), 3u);
    auto log = bench.responder->log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].bytes[16], 11);
    EXPECT_EQ(log[1].bytes[16], 22);
}

TEST_F(KestoLoopback, WhatTheDevicesSendDecidesTheRowsAndTheReceiverRunsOn) {
    struct Case {
        const char* name;
        std::function<void(ResponderOptions&)> knob;
        std::size_t datagrams;  // what the stand-in sends for one probe
        std::size_t rows;
        const char* line_count;
    };
    const Case cases[] = {
        {"three devices", [](auto&) {}, 3, 3, "4"},
        {"each device twice", [](auto& o) { o.copies = 2; }, 6, 6, "4"},
        {"wrong token", [](auto& o) { o.wrong_token = true; }, 3, 0, ""},
        {"65 bytes", [](auto& o) { o.reply_length = 65; }, 3, 0, ""},
        {"63 bytes", [](auto& o) { o.reply_length = 63; }, 3, 0, ""},
        {"oversized datagram", [](auto& o) { o.reply_length = 1000; }, 3, 0, ""},
        {"wrong magic", [](auto& o) { o.bad_magic = true; }, 3, 0, ""},
        {"unknown kind", [](auto& o) { o.kind = 7; }, 3, 0, ""},
        {"zero-length datagram first", [](auto& o) { o.empty_datagram_first = true; }, 4, 3, "4"},
        {"line count not a digit", [](auto& o) { o.non_digit_lines = true; }, 3, 3, ""},
    };
    int marker = 1;
    for (const Case& c : cases) {
        ResponderOptions options;
        c.knob(options);
        Bench bench(options);
        ASSERT_TRUE(bench.ok) << c.name;
        ASSERT_TRUE(bench.refresh()) << c.name;
        ASSERT_TRUE(bench.responder->wait_for_sent(c.datagrams, 5000)) << c.name;
        ASSERT_TRUE(bench.drain(marker++)) << c.name;
        auto rows = bench.sink.rows();
        EXPECT_EQ(rows.size(), c.rows) << c.name;
        for (const auto& row : rows) EXPECT_EQ(row.line_count, c.line_count) << c.name;
        EXPECT_EQ(bench.session->receiver_end(), kesto::ReplyReceiver::End::Running) << c.name;
    }
}

TEST_F(KestoLoopback, SetAddressSendsTheCommandAndShowsTheResult) {
    struct Case {
        const char* name;
        const char* user;      // nullptr: the default login
        const char* password;
        int forced_code;
        int code;
        const char* message;   // UTF-8; nullptr: none
    };
    const Case cases[] = {
        {"default login", nullptr, nullptr, 0, 1, "操作成功!"},
        {"unknown user", "admin", "pelum", 0, 2, "操作失败 - 用户不存在!"},
        {"wrong password", "pelum", "secret", 0, 3, "操作失败 -  密码错误!"},
        {"unknown code", nullptr, nullptr, 4, 4, nullptr},
    };
    for (const Case& c : cases) {
        ResponderOptions options;
        options.result_code = c.forced_code;
        Bench bench(options);
        ASSERT_TRUE(bench.ok) << c.name;
        ASSERT_TRUE(bench.refresh()) << c.name;
        ASSERT_TRUE(bench.sink.wait_rows(3)) << c.name;

        kesto::AddressDialogModel dialog;
        bench.sink.locked([&] { return bench.model().fill_address_dialog(1, dialog); });
        dialog.show();
        if (c.user) {
            dialog.set_default_login(false);
            dialog.user_name = c.user;
            dialog.password = c.password;
        }
        dialog.ip = "192.168.1.222";
        ASSERT_EQ(dialog.check_before_ok(), "") << c.name;
        auto outcome = bench.sink.locked([&] { return bench.model().send_set_address(1, dialog); });
        EXPECT_TRUE(outcome.sent) << c.name;

        ASSERT_TRUE(bench.sink.wait_code(c.code)) << c.name;
        auto message = kesto::MainWindowModel::result_message(c.code);
        EXPECT_EQ(message.has_value(), c.message != nullptr) << c.name;
        if (c.message && message) {
            EXPECT_EQ(*message, gbk(c.message)) << c.name;
        }

        Bytes want(54, 0);
        std::string user = c.user ? c.user : "pelum";
        std::string password = c.password ? c.password : "pelum";
        std::copy(user.begin(), user.end(), want.begin());
        std::copy(password.begin(), password.end(), want.begin() + 16);
        const Bytes tail = {192, 168, 1, 222, 255, 255, 255, 0, 192, 168, 1, 1, 0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x02,
                            1, 2, 3, 4};
        std::copy(tail.begin(), tail.end(), want.begin() + 32);
        auto log = bench.responder->log();
        ASSERT_EQ(log.size(), 2u) << c.name;
        EXPECT_EQ(log[1].bytes, want) << c.name;
    }
}

TEST_F(KestoLoopback, ChangedAddressShowsOnTheNextRefresh) {
    Bench bench(ResponderOptions{});
    ASSERT_TRUE(bench.ok);
    ASSERT_TRUE(bench.refresh());
    ASSERT_TRUE(bench.sink.wait_rows(3));
    kesto::AddressDialogModel dialog;
    bench.sink.locked([&] { return bench.model().fill_address_dialog(2, dialog); });
    dialog.show();
    dialog.ip = "10.9.8.7";
    dialog.mask = "255.0.0.0";
    dialog.gateway = "10.0.0.1";
    bench.sink.locked([&] { return bench.model().send_set_address(2, dialog); });
    ASSERT_TRUE(bench.sink.wait_code(kesto::kResultSuccess));
    ASSERT_TRUE(bench.refresh());
    ASSERT_TRUE(bench.sink.wait_rows(6));
    ASSERT_TRUE(bench.drain(203));
    auto texts = bench.sink.locked([&] { return bench.model().row_texts(2); });
    EXPECT_EQ(texts[1], "10.9.8.7");
    EXPECT_EQ(texts[2], "255.0.0.0");
    EXPECT_EQ(texts[3], "10.0.0.1");
}

TEST_F(KestoLoopback, FirstFreePortOfTheRangeAndAllTwoHundredTaken) {
    kesto_test::CollectingSink sink;
    kesto_test::RecordingWebPage web;
    kesto_test::ScriptedTokens tokens{{1}};
    kesto::SessionOptions options;
    options.target = {kLoopback, 9};  // the discard port; nothing reaches it in this test
    options.tokens = &tokens;
    {
        kesto::KestoSession session(options, sink, web);
        session.show();
        EXPECT_GE(session.port(), kesto::kFirstLocalPort);
        EXPECT_LE(session.port(), kesto::kLastLocalPort);
        EXPECT_EQ(session.model().port_panel_text(), gbk("使用中的 UDP 端口: ") + std::to_string(session.port()));
        session.close({});
        EXPECT_EQ(session.receiver_end(), kesto::ReplyReceiver::End::Stopped);
    }

    std::vector<std::unique_ptr<plat::UdpEndpoint>> held;
    for (std::uint32_t p = kesto::kFirstLocalPort; p <= kesto::kLastLocalPort; ++p) {
        auto endpoint = std::make_unique<plat::UdpEndpoint>();
        if (endpoint->open("", static_cast<std::uint16_t>(p))) held.push_back(std::move(endpoint));
    }
    kesto::KestoSession session(options, sink, web);
    session.show();
    EXPECT_EQ(session.port(), 0);
    EXPECT_EQ(session.model().port_panel_text(), gbk("从端口 3101 到 3300，绑定UDP端口失败!"));
    EXPECT_FALSE(session.model().refresh());  // the tool runs on; its probes go nowhere
    // The receiver was started all the same and ended at its first read.
    EXPECT_TRUE(session.wait_receiver_finished(5000));
    EXPECT_EQ(session.receiver_end(), kesto::ReplyReceiver::End::SocketError);
}

TEST_F(KestoLoopback, StopWhileIdleEndsTheReceiver) {
    Bench idle(ResponderOptions{}, {1}, 50);
    ASSERT_TRUE(idle.ok);
    idle.session->close({});
    EXPECT_EQ(idle.session->receiver_end(), kesto::ReplyReceiver::End::Stopped);
}

TEST_F(KestoLoopback, ClosingWhileRepliesFlowDoesNotHang) {
    ResponderOptions flood;
    flood.port = 0;
    flood.devices = 250;
    flood.copies = 8;  // 2000 answers, far more than are read before the close
    kesto_test::DiscoveryResponder responder(flood);
    ASSERT_TRUE(responder.start());

    WindowThreadSink window;
    kesto_test::RecordingWebPage web;
    kesto_test::ScriptedTokens tokens{{1}};
    kesto::SessionOptions options;
    options.target = {kLoopbackBroadcast, responder.port()};
    options.first_port = kBenchFirstPort;
    options.last_port = kBenchLastPort;
    options.tokens = &tokens;
    kesto::KestoSession session(options, window, web);
    window.on_row = [&](const kesto::DeviceRow& row) { session.model().add_device(row); };
    session.show();
    ASSERT_NE(session.port(), 0);
    ASSERT_TRUE(session.model().refresh());
    // The window thread serves a few rows; the receiver is then blocked handing over the next.
    for (int turn = 0; turn < 500 && window.served() < 3; ++turn) {
        window.pump();
        plat::sleep_ms(10);
    }
    ASSERT_GE(window.served(), 3u);
    session.close([&] { window.pump(); });
    EXPECT_EQ(session.receiver_end(), kesto::ReplyReceiver::End::Stopped);
    EXPECT_LT(session.model().rows().size(), 2000u);
    responder.stop();
}

} // namespace
