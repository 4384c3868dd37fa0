#include "tarnlink/transport.h"

#include <algorithm>
#include <vector>

#include "platform/clock.h"
#include "platform/host_address.h"
#include "tarnlink/library.h"

namespace tarnlink {

namespace {

constexpr int kPortTries = 50;
constexpr int kDirectFirstPort = 7890;
constexpr std::uint32_t kSenderPeriodMs = 30;
constexpr std::uint32_t kStatePeriodMs = 50;
constexpr std::uint32_t kReadFailSleepMs = 30;
constexpr std::uint32_t kRetryPeriodMs = 30;
constexpr int kRetryEveryCounts = 150;  // 4500 ms
constexpr int kCommandsPerPass = 9;
constexpr std::int64_t kUnloadWaitMs = 500;
// Every thread reads into one datagram buffer on its stack and calls little below; 64 KiB
// leave ample room. Sanitizers enlarge every frame.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr std::size_t kThreadStackBytes = 512 * 1024;
#else
constexpr std::size_t kThreadStackBytes = 64 * 1024;
#endif

bool valid_port(int port) { return port > 0 && port <= 0xFFFF; }

} // namespace

Transport::Transport(Library& library) : lib_(library) {}

Transport::~Transport() {
    stop(false);
}

template <typename Body>
void Transport::launch(Worker& worker, Body body) {
    if (worker.thread.joinable()) worker.thread.join();
    worker.ended.reset();
    const bool started = worker.thread.start(kThreadStackBytes, [&worker, body]() {
        body();
        worker.ended.set();
    });
    if (!started) {
        lib_.log_.write(LOG_ERROR, "create thread fail!\r\n");
        worker.ended.set();  // a stop never waits for a thread that does not exist
    }
}

void Transport::finish(Worker& worker, bool bounded) {
    if (!worker.thread.joinable()) return;
    if (bounded) {
        // Inside the unload the loader lock keeps a thread from exiting: never join there.
        worker.ended.wait(kUnloadWaitMs);
        worker.thread.detach();
    } else {
        worker.ended.wait(-1);
        worker.thread.join();
    }
    worker.ended.set();
}

void Transport::prepare() {
    run_ = false;
    for (Worker* w : {&listener_, &sender_, &state_, &retry_thread_}) w->ended.set();
    for (Worker& w : receivers_) w.ended.set();
}

bool Transport::usable_local_address(std::string& local) {
    const std::string first = plat::first_host_address();
    if (first.empty() || first == "127.0.0.1" || first == "0.0.0.0") return false;
    const std::string& configured = lib_.settings_.local_ip;
    local = configured.empty() ? first : configured;
    const std::vector<std::string> all = plat::host_addresses();
    return std::find(all.begin(), all.end(), local) != all.end();
}

int Transport::start_network() {
    std::lock_guard<std::mutex> lock(start_mutex_);
    return start_network_locked();
}

int Transport::start_network_locked() {
    std::string local;
    if (!usable_local_address(local)) return -1;
    mode_ = lib_.conn_mode_;
    const LibrarySettings& s = lib_.settings_;
    const bool shared = mode_ == CONNMODE_LISTEN || mode_ == CONNMODE_PC_PASSIVE;
    if (shared && (!valid_port(s.local_port) ||
                   !shared_.open(local, static_cast<std::uint16_t>(s.local_port))))
        return -2;

    const int count = lib_.device_count_;
    int next = s.local_port + 1;
    for (int i = 0; i < count; ++i) {
        plat::UdpEndpoint& endpoint = endpoints_[static_cast<std::size_t>(i)];
        bool bound = false;
        int port = next;
        for (int t = 0; t < kPortTries && !bound; ++t, ++port)
            bound = valid_port(port) && endpoint.open(local, static_cast<std::uint16_t>(port));
        if (!bound) {
            lib_.log_.write(LOG_ERROR, "create udp socket(%s:%d) fail!", local.c_str(), port);
            return -2;
        }
        next = port;  // the port after the one this device got
    }

    run_ = true;
    lib_.enter_start_states();
    if (mode_ == CONNMODE_LISTEN) launch(listener_, [this] { listener_loop(); });
    if (mode_ == CONNMODE_PC_PASSIVE) launch(listener_, [this] { shared_receiver_loop(); });
    if (mode_ != CONNMODE_PC_PASSIVE)
        for (int i = 0; i < count; ++i)
            launch(receivers_[static_cast<std::size_t>(i)], [this, i] { receiver_loop(i); });
    launch(sender_, [this] { sender_loop(); });
    launch(state_, [this] { state_loop(); });
    return 0;
}

void Transport::start_retry() {
    retry_ = true;
    launch(retry_thread_, [this] { retry_loop(); });
}

void Transport::retry_loop() {
    int counter = 0;
    while (retry_) {
        if (++counter % kRetryEveryCounts == 0) {
            // The flag is tested under the start lock: a stop that cleared it is never
            // followed by a start.
            std::lock_guard<std::mutex> lock(start_mutex_);
            if (!retry_) break;
            const int result = start_network_locked();
            if (result == 0 || result == -2) break;
        }
        plat::sleep_ms(kRetryPeriodMs);
    }
}

int Transport::bind_direct(const std::string& local_ip, int local_port) {
    std::lock_guard<std::mutex> lock(start_mutex_);
    std::string local = local_ip;
    if (local.empty()) {
        local = plat::first_host_address();
        if (local.empty() || local == "127.0.0.1" || local == "0.0.0.0") return -2;
    }
    mode_ = CONNMODE_PC_ACTIVE;
    plat::UdpEndpoint& endpoint = endpoints_[0];
    endpoint.close();
    if (local_port > 0)
        return valid_port(local_port) &&
                       endpoint.open(local, static_cast<std::uint16_t>(local_port))
                   ? 0
                   : -2;
    for (int t = 0; t < kPortTries; ++t)
        if (endpoint.open(local, static_cast<std::uint16_t>(kDirectFirstPort + t))) return 0;
    return -2;
}

void Transport::start_direct() {
    std::lock_guard<std::mutex> lock(start_mutex_);
    run_ = true;
    launch(receivers_[0], [this] { receiver_loop(0); });
    {
        Device& d = lib_.devices_[0];
        std::lock_guard<std::mutex> device_lock(d.lock);
        d.info.state = BD_STATE_CONNECT;
    }
    launch(sender_, [this] { sender_loop(); });
    launch(state_, [this] { state_loop(); });
}

void Transport::stop(bool bounded) {
    {
        std::lock_guard<std::mutex> lock(start_mutex_);
        run_ = false;
        retry_ = false;
    }
    finish(retry_thread_, bounded);
    // The sender and state threads end within one period; after them no thread sends on an
    // endpoint that is being closed.
    finish(state_, bounded);
    finish(sender_, bounded);
    for (plat::UdpEndpoint& e : endpoints_) e.shutdown();
    for (std::size_t i = 0; i < receivers_.size(); ++i) {
        finish(receivers_[i], bounded);
        endpoints_[i].close();
    }
    shared_.shutdown();
    finish(listener_, bounded);
    shared_.close();
}

void Transport::abandon() {
    run_ = false;
    retry_ = false;
    for (Worker* w : {&listener_, &sender_, &state_, &retry_thread_})
        if (w->thread.joinable()) w->thread.detach();
    for (Worker& w : receivers_)
        if (w.thread.joinable()) w.thread.detach();
    for (plat::UdpEndpoint& e : endpoints_) e.close();
    shared_.close();
}

std::uint16_t Transport::device_port(int device) const {
    if (device < 0 || device >= kMaxDevices) return 0;
    const plat::UdpEndpoint& e = endpoints_[static_cast<std::size_t>(device)];
    return e.is_open() ? e.local_port() : 0;
}

int Transport::device_receive_buffer(int device) const {
    if (device < 0 || device >= kMaxDevices) return 0;
    const plat::UdpEndpoint& e = endpoints_[static_cast<std::size_t>(device)];
    return e.is_open() ? e.receive_buffer_size() : 0;
}


// ---- threads ------------------------------------------------------------------------------

void Transport::receiver_loop(int device) {
    std::uint8_t buffer[WireSizes::max_datagram];
    plat::UdpEndpoint& endpoint = endpoints_[static_cast<std::size_t>(device)];
    while (run_) {
        plat::SocketAddress from;
        const int n = endpoint.receive_from(buffer, sizeof buffer, from);
        if (n <= 0) {
            plat::sleep_ms(kReadFailSleepMs);
            continue;
        }
        if (!lib_.from_device_address(device, from)) continue;
        lib_.handle_device_datagram(device, buffer, static_cast<std::size_t>(n));
    }
}

void Transport::listener_loop() {
    std::uint8_t buffer[WireSizes::max_datagram];
    while (run_) {
        plat::SocketAddress from;
        const int n = shared_.receive_from(buffer, sizeof buffer, from);
        if (n > 0) lib_.handle_listener_datagram(buffer, static_cast<std::size_t>(n), from);
        plat::sleep_ms(kReadFailSleepMs);
    }
}

void Transport::shared_receiver_loop() {
    std::uint8_t buffer[WireSizes::max_datagram];
    while (run_) {
        plat::SocketAddress from;
        const int n = shared_.receive_from(buffer, sizeof buffer, from);
        if (n < 0 && run_) plat::sleep_ms(kReadFailSleepMs);  // a shut-down socket spins otherwise
        if (n > 0) lib_.handle_shared_datagram(buffer, static_cast<std::size_t>(n), from);
    }
}

void Transport::sender_loop() {
    while (run_) {
        const int count = lib_.device_count_;
        for (int i = 0; i < count; ++i) {
            plat::UdpEndpoint& endpoint =
                mode_ == CONNMODE_PC_PASSIVE ? shared_ : endpoints_[static_cast<std::size_t>(i)];
            pc_command command;
            for (int k = 0; k < kCommandsPerPass && lib_.take_command(i, command); ++k) {
                plat::SocketAddress to;
                if (!lib_.command_destination(i, to) ||
                    endpoint.send_to(&command, sizeof command, to) !=
                        static_cast<int>(sizeof command))
                    lib_.log_.write(LOG_DEBUG, "board%d send pc command fail!\n", i + 1);
            }
        }
        plat::sleep_ms(kSenderPeriodMs);
    }
}

void Transport::state_loop() {
    while (run_) {
        lib_.step_states();
        plat::sleep_ms(kStatePeriodMs);
    }
}

} // namespace tarnlink
