#include "setuptool/kesto_session.h"

namespace kesto {
namespace {
constexpr std::int64_t kPumpSliceMs = 10;

TokenSource& pick_tokens(const SessionOptions& options, std::unique_ptr<TokenSource>& own) {
    if (options.tokens) return *options.tokens;
    own = std::make_unique<RandomTokenSource>();
    return *own;
}
} // namespace

KestoSession::KestoSession(const SessionOptions& options, ReplySink& sink, WebPageOpener& web)
    : socket_(options.target),
      model_(socket_, pick_tokens(options, own_tokens_), search_, web),
      receiver_(socket_.endpoint(), search_, sink, options.pause_ms),
      first_port_(options.first_port),
      last_port_(options.last_port) {}

KestoSession::~KestoSession() {
    // Without a window to pump, the receiver must not be waiting for one here: close() first.
    receiver_.request_stop();
    receiver_.join();
}

void KestoSession::show() {
    model_.set_bound_port(socket_.bind_first_free(first_port_, last_port_));
    receiver_.start();
}

void KestoSession::close(const std::function<void()>& pump_messages) {
    receiver_.request_stop();
    while (!receiver_.wait_finished(kPumpSliceMs)) {
        if (pump_messages) pump_messages();
    }
    receiver_.join();
}

} // namespace kesto
