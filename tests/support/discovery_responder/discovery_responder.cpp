#include "tests/support/discovery_responder/discovery_responder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/clock.h"
#include "platform/text_gbk.h"
#include "setuptool/discovery_packets.h"

namespace kesto_test {
namespace {

constexpr std::size_t kMaxDatagram = 65536;
constexpr std::int64_t kIdleWaitMs = 100;
constexpr std::uint8_t kProbeHead[16] = {'D', 'r', 'a', 'v', 'i', 'k', ' ', 'S', 'e', 'a', 'r', 'c', 'h', 0, 0, 0};

bool is_loopback(const plat::SocketAddress& address) { return (address.ip >> 24) == 127; }

// Wrap-safe "tick a is not before tick b".
bool reached(std::uint32_t now, std::uint32_t due) { return static_cast<std::int32_t>(now - due) >= 0; }

} // namespace

std::vector<EmulatedDevice> default_devices(int count) {
    std::vector<EmulatedDevice> devices;
    for (int i = 0; i < count; ++i) {
        EmulatedDevice d{{192, 168, 1, static_cast<std::uint8_t>(101 + i)},
                         {255, 255, 255, 0},
                         {192, 168, 1, 1},
                         {0x00, 0x1a, 0x2b, 0x3c, 0x4d, static_cast<std::uint8_t>(i + 1)},
                         {},
                         "V2.1.7"};
        char serial[20];
        std::snprintf(serial, sizeof serial, "DV4-%012d", i + 1);
        d.serial = serial;
        devices.push_back(d);
    }
    return devices;
}

DiscoveryResponder::DiscoveryResponder(ResponderOptions options) : options_(std::move(options)) {
    options_.devices = std::clamp(options_.devices, 1, 250);
    options_.copies = std::clamp(options_.copies, 1, 50);
    options_.reply_length = std::clamp(options_.reply_length, 0, 1000);
    devices_ = default_devices(options_.devices);
    if (options_.non_digit_lines) {
        for (auto& d : devices_) d.serial[2] = 'X';
    }
}

DiscoveryResponder::~DiscoveryResponder() { stop(); }

bool DiscoveryResponder::start() {
    if (thread_.joinable()) return true;
    if (!endpoint_.open(options_.bind_ip, options_.port)) return false;
    port_ = endpoint_.local_port();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = false;
    }
    thread_ = std::thread([this] { run(); });
    return true;
}

void DiscoveryResponder::stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    endpoint_.shutdown();
    thread_.join();
    endpoint_.close();
}

std::vector<LoggedDatagram> DiscoveryResponder::log() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

std::vector<EmulatedDevice> DiscoveryResponder::devices() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return devices_;
}

std::size_t DiscoveryResponder::datagrams_sent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sent_;
}

bool DiscoveryResponder::wait_until(const std::function<bool()>& done, std::int64_t timeout_ms) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), done);
}

bool DiscoveryResponder::wait_for_received(std::size_t count, std::int64_t timeout_ms) const {
    return wait_until([&] { return log_.size() >= count; }, timeout_ms);
}

bool DiscoveryResponder::wait_for_sent(std::size_t count, std::int64_t timeout_ms) const {
    return wait_until([&] { return sent_ >= count; }, timeout_ms);
}

void DiscoveryResponder::run() {
    std::vector<std::uint8_t> buffer(kMaxDatagram);
    for (;;) {
        std::int64_t wait = kIdleWaitMs;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_) break;
            std::uint32_t now = plat::tick_ms();
            for (const Pending& p : pending_) {
                std::int64_t left = reached(now, p.due_tick) ? 0 : static_cast<std::int64_t>(p.due_tick - now);
                wait = std::min(wait, left);
            }
        }
        plat::SocketAddress from;
        int received = wait > 0 ? endpoint_.receive_from(buffer.data(), buffer.size(), from, static_cast<int>(wait))
                                : static_cast<int>(plat::UdpResult::TimedOut);
        if (received >= 0) {
            handle(from, buffer.data(), static_cast<std::size_t>(received));
        } else if (received != static_cast<int>(plat::UdpResult::TimedOut)) {
            break;
        }
        send_due();
    }
}

void DiscoveryResponder::handle(const plat::SocketAddress& from, const std::uint8_t* data, std::size_t size) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        log_.push_back({from, std::vector<std::uint8_t>(data, data + size)});
    }
    changed_.notify_all();
    if (!is_loopback(from) && !options_.answer_non_loopback) return;
    if (size == sizeof(kesto::SearchPacket) && std::memcmp(data, kProbeHead, sizeof kProbeHead) == 0) {
        answer_probe(from, data[offsetof(kesto::SearchPacket, token)]);
    } else if (size == sizeof(kesto::SetIpPacket) &&
               std::memcmp(data + offsetof(kesto::SetIpPacket, trailer), kesto::kSetIpTrailer,
                           sizeof kesto::kSetIpTrailer) == 0) {
        answer_set_address(from, data);
    }
}

std::vector<std::uint8_t> DiscoveryResponder::reply_bytes(std::uint8_t kind, std::uint8_t token,
                                                          const EmulatedDevice* device, std::uint8_t code) const {
    kesto::DevicePacket packet{};
    std::memcpy(packet.magic, kesto::kReplyMagic, sizeof packet.magic);
    if (options_.bad_magic) packet.magic[3] ^= 0xFF;
    packet.kind = kind;
    packet.token = token;
    if (device) {
        std::memcpy(packet.ip, device->ip, 4);
        std::memcpy(packet.mask, device->mask, 4);
        std::memcpy(packet.gateway, device->gateway, 4);
        std::memcpy(packet.mac, device->mac, 6);
        std::memcpy(packet.serial, device->serial.data(), std::min(device->serial.size(), sizeof packet.serial));
        std::memcpy(packet.firmware, device->firmware.data(),
                    std::min(device->firmware.size(), sizeof packet.firmware));
    } else {
        packet.ip[0] = code;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(options_.reply_length), 0);
    std::memcpy(bytes.data(), &packet, std::min(bytes.size(), sizeof packet));
    return bytes;
}

void DiscoveryResponder::answer_probe(const plat::SocketAddress& from, std::uint8_t token) {
    std::uint8_t answer_token =
        options_.wrong_token ? static_cast<std::uint8_t>((token + 1) % (kesto::kMaxToken + 1)) : token;
    std::vector<EmulatedDevice> devices = this->devices();
    if (options_.empty_datagram_first) queue(from, {});
    for (int copy = 0; copy < options_.copies; ++copy) {
        for (const EmulatedDevice& d : devices)
            queue(from, reply_bytes(static_cast<std::uint8_t>(options_.kind), answer_token, &d, 0));
    }
}

void DiscoveryResponder::answer_set_address(const plat::SocketAddress& from, const std::uint8_t* data) {
    kesto::SetIpPacket command;
    std::memcpy(&command, data, sizeof command);
    std::uint8_t code = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto device = std::find_if(devices_.begin(), devices_.end(), [&](const EmulatedDevice& d) {
            return std::memcmp(d.mac, command.mac, sizeof d.mac) == 0;
        });
        // A command for another device's MAC is not this device's to answer.
        if (device == devices_.end()) return;
        if (plat::field_text(command.user_name, sizeof command.user_name) != options_.user_name) {
            code = kesto::kResultNoUser;
        } else if (plat::field_text(command.password, sizeof command.password) != options_.password) {
            code = kesto::kResultBadPassword;
        } else {
            code = kesto::kResultSuccess;
        }
        if (options_.result_code != 0) code = static_cast<std::uint8_t>(options_.result_code);
        if (code == kesto::kResultSuccess) {
            std::memcpy(device->ip, command.ip, 4);
            std::memcpy(device->mask, command.mask, 4);
            std::memcpy(device->gateway, command.gateway, 4);
        }
    }
    queue(from, reply_bytes(kesto::kKindSetResult, 0, nullptr, code));
}

void DiscoveryResponder::queue(const plat::SocketAddress& to, std::vector<std::uint8_t> bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.push_back({plat::tick_ms() + options_.delay_ms, to, std::move(bytes)});
}

void DiscoveryResponder::send_due() {
    std::vector<Pending> due;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::uint32_t now = plat::tick_ms();
        auto split = std::stable_partition(pending_.begin(), pending_.end(),
                                           [&](const Pending& p) { return !reached(now, p.due_tick); });
        due.assign(std::make_move_iterator(split), std::make_move_iterator(pending_.end()));
        pending_.erase(split, pending_.end());
    }
    for (Pending& p : due) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (sent_ >= options_.max_datagrams_sent) return;
        }
        endpoint_.send_to(p.bytes.data(), p.bytes.size(), p.to);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++sent_;
        }
        changed_.notify_all();
    }
}

} // namespace kesto_test
