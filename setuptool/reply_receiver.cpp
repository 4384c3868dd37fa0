#include "setuptool/reply_receiver.h"

#include <vector>

#include "platform/clock.h"

namespace kesto {
namespace {
// Larger than any reply; a longer datagram arrives cut and fails the length check.
constexpr std::size_t kReceiveBufferSize = 1000;

template <class... F> struct Overload : F... { using F::operator()...; };
template <class... F> Overload(F...) -> Overload<F...>;
} // namespace

ReplyReceiver::ReplyReceiver(plat::UdpEndpoint& endpoint, const SearchState& search, ReplySink& sink,
                             std::uint32_t pause_ms)
    : endpoint_(endpoint), search_(search), sink_(sink), pause_ms_(pause_ms) {}

ReplyReceiver::~ReplyReceiver() {
    if (!thread_.joinable()) return;
    request_stop();
    join();
}

void ReplyReceiver::start() {
    if (thread_.joinable()) return;
    thread_ = std::thread([this] { run(); });
}

void ReplyReceiver::request_stop() {
    stop_.store(true);
    stopping_.set();
    endpoint_.shutdown();
}

bool ReplyReceiver::wait_finished(std::int64_t timeout_ms) {
    if (!thread_.joinable()) return true;
    return finished_.wait(timeout_ms);
}

void ReplyReceiver::join() {
    if (thread_.joinable()) thread_.join();
}

void ReplyReceiver::run() {
    std::vector<std::uint8_t> buffer(kReceiveBufferSize);
    End end = End::Stopped;
    while (!stop_.load()) {
        plat::SocketAddress from;
        int received = endpoint_.receive_from(buffer.data(), buffer.size(), from);
        if (stop_.load()) break;
        // An empty datagram is a datagram like any other; only a failed read ends the loop.
        if (received < 0) {
            end = End::SocketError;
            break;
        }
        Reply reply = parse_reply(buffer.data(), static_cast<std::size_t>(received), search_.snapshot(),
                                  plat::tick_ms());
        std::visit(Overload{[](const IgnoredReply&) {},
                            [this](const DeviceRow& row) { sink_.device_found(row); },
                            [this](const SetResult& result) { sink_.set_result(result.code); }},
                   reply);
        if (stopping_.wait(pause_ms_)) break;
    }
    end_.store(end);
    finished_.set();
}

} // namespace kesto
