// The library's sockets and threads: one endpoint per device plus the shared one, the
// receivers, the listener or shared receiver, the sender, the state thread and the retry
// thread, each with an ended event that the stop sequence waits for.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sync_event.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/settings.h"
#include "tarnlink/stack_thread.h"

namespace tarnlink {

class Library;

class Transport {
public:
    explicit Transport(Library& library);
    ~Transport();
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // Part of every init: nothing runs, every ended event is signalled.
    void prepare();
    // The network start of network mode: 0 started, -1 no usable local address, -2 a socket
    // could not be bound.
    int start_network();
    void start_retry();
    // Direct mode: binds device 0 (the given port, or the first free of 7890..7939): 0, or -2.
    int bind_direct(const std::string& local_ip, int local_port);
    // Direct mode: starts device 0's receiver, the sender and the state thread.
    void start_direct();
    // Stops every thread and closes every endpoint. `bounded`: waits at most 500 ms each.
    void stop(bool bounded);
    // The process is ending and its threads are gone: close the sockets, wait for nothing.
    void abandon();

    bool running() const { return run_.load(); }
    std::uint16_t device_port(int device) const;
    int device_receive_buffer(int device) const;  // bytes, or 0 when not bound

private:
    struct Worker {
        StackThread thread;
        plat::Event ended{false, true};
    };
    template <typename Body>
    void launch(Worker& worker, Body body);
    void finish(Worker& worker, bool bounded);

    void receiver_loop(int device);
    void listener_loop();
    void shared_receiver_loop();
    void sender_loop();
    void state_loop();
    void retry_loop();
    bool usable_local_address(std::string& local);
    int start_network_locked();

    Library& lib_;
    plat::NetworkStartup network_;
    std::mutex start_mutex_;  // a start by the retry thread never overlaps a stop
    std::atomic<bool> run_{false};
    std::atomic<bool> retry_{false};
    int mode_ = 1;
    std::array<plat::UdpEndpoint, kMaxDevices> endpoints_;
    plat::UdpEndpoint shared_;
    std::array<Worker, kMaxDevices> receivers_;
    Worker listener_;
    Worker sender_;
    Worker state_;
    Worker retry_thread_;
};

} // namespace tarnlink
