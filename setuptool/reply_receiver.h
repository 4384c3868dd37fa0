// The receiver thread: blocking reads on the tool's socket, each reply decoded and handed to
// the sink before the next read.
#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/sync_event.h"
#include "platform/udp_endpoint.h"
#include "setuptool/device_reply.h"

namespace kesto {

// Called on the receiver thread; an implementation hands the reply to the window thread and
// returns when the window thread has dealt with it.
class ReplySink {
public:
    virtual ~ReplySink() = default;
    virtual void device_found(const DeviceRow& row) = 0;
    virtual void set_result(int code) = 0;
};

class ReplyReceiver {
public:
    enum class End { Running, Stopped, SocketError };

    // `pause_ms` is the rest after each datagram.
    ReplyReceiver(plat::UdpEndpoint& endpoint, const SearchState& search, ReplySink& sink,
                  std::uint32_t pause_ms = 50);
    ~ReplyReceiver();
    ReplyReceiver(const ReplyReceiver&) = delete;
    ReplyReceiver& operator=(const ReplyReceiver&) = delete;

    void start();
    // Asks the thread to end and wakes its blocking read by shutting the socket down.
    void request_stop();
    // true once the thread has left its loop; the window thread polls this while it pumps
    // messages, because the thread may be waiting for the window thread to take a reply.
    bool wait_finished(std::int64_t timeout_ms);
    void join();
    End end() const { return end_.load(); }

private:
    void run();

    plat::UdpEndpoint& endpoint_;
    const SearchState& search_;
    ReplySink& sink_;
    std::uint32_t pause_ms_;
    std::atomic<bool> stop_{false};
    std::atomic<End> end_{End::Running};
    plat::Event stopping_{true, false};
    plat::Event finished_{true, false};
    std::thread thread_;
};

} // namespace kesto
