// What the main window does when it is shown and when it closes, without the window: the
// socket on the first free port, the receiver thread feeding the window's sink, and a close
// that cannot hang while the receiver waits for the window thread.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "setuptool/discovery_packets.h"
#include "setuptool/discovery_socket.h"
#include "setuptool/main_window_model.h"
#include "setuptool/reply_receiver.h"
#include "setuptool/search_probe.h"
#include "setuptool/web_page.h"

namespace kesto {

struct SessionOptions {
    plat::SocketAddress target;                  // see choose_broadcast_target
    std::uint16_t first_port = kFirstLocalPort;
    std::uint16_t last_port = kLastLocalPort;
    TokenSource* tokens = nullptr;               // nullptr: random tokens
    std::uint32_t pause_ms = 50;                 // the receiver's rest after each datagram
};

class KestoSession {
public:
    // `sink` hands each reply to the window thread and returns once it was dealt with there.
    KestoSession(const SessionOptions& options, ReplySink& sink, WebPageOpener& web);
    ~KestoSession();
    KestoSession(const KestoSession&) = delete;
    KestoSession& operator=(const KestoSession&) = delete;

    // Binds the first free port (or none), starts the receiver either way and sets the port
    // panel's text. The list stays empty until the first refresh.
    void show();

    // Shuts the socket so the receiver's blocking read ends, then waits for the receiver while
    // `pump_messages` keeps the window thread serving the receiver's hand-overs.
    void close(const std::function<void()>& pump_messages);

    MainWindowModel& model() { return model_; }
    std::uint16_t port() const { return socket_.bound_port(); }
    ReplyReceiver::End receiver_end() const { return receiver_.end(); }
    // true once the receiver has ended on its own or was stopped.
    bool wait_receiver_finished(std::int64_t timeout_ms) { return receiver_.wait_finished(timeout_ms); }

private:
    std::unique_ptr<TokenSource> own_tokens_;
    SearchState search_;
    DiscoverySocket socket_;
    MainWindowModel model_;
    ReplyReceiver receiver_;
    std::uint16_t first_port_;
    std::uint16_t last_port_;
};

} // namespace kesto
