// Shared fixtures of the library's tests: a scratch folder, a settings file, a replaced
// clock and host address list, and a library instance that runs without sockets or threads.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/host_address.h"
#include "tarnlink/library.h"

namespace tarnlink_test {

// A scratch folder below the working folder, removed with everything in it.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    const std::string& path() const { return path_; }   // ends with a backslash
    std::string file(const std::string& name) const { return path_ + name; }
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// Lines of a tarnlib.ini, written with '\n' endings.
void write_ini(const std::string& path, const std::vector<std::string>& lines);

// A device answer of `type` with sequence number `seq`, as a datagram of one message.
std::vector<std::uint8_t> datagram_of(const tarnlink::device_response& r);
std::vector<std::uint8_t> datagram_of(const tarnlink::file_data_message& m);

// Every command waiting in a device's ring, in order (they are taken out).
std::vector<tarnlink::pc_command> drain(tarnlink::Library& lib, int device);
std::vector<ftp_event> take_events(tarnlink::Library& lib);

// Replaces the tick clock, local clock and host addresses for the life of the object.
class ReplacedPlatform {
public:
    explicit ReplacedPlatform(std::vector<std::string> host_addresses = {"127.0.0.2"});
    ~ReplacedPlatform();
    plat::ManualClock clock;

private:
    plat::FixedHostAddresses hosts_;
};

// A library without sockets or threads, initialised from `ini_lines` in network mode `mode`.
struct OfflineLibrary {
    OfflineLibrary(const std::string& name, const std::vector<std::string>& ini_lines,
                   int mode = 0);
    ReplacedPlatform platform;
    ScratchDir dir;
    std::unique_ptr<tarnlink::Library> lib;
    int init_result = 0;
    // Delivers a response to a device as its receiver would.
    void deliver(int device, const tarnlink::device_response& r);
    // Logs device `device` in (state, answer) and forgets the commands this queued.
    void log_in(int device, std::int32_t& seq);
    std::string log_text();
};

} // namespace tarnlink_test
