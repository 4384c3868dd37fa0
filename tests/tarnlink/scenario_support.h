// A library with its sockets and threads running against stand-in devices. Natively the
// library's host address is replaced by 127.0.0.2 (the devices listen on 127.0.0.1); under
// Wine the test runs in the harness's network namespace and both use the host's address.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host_address.h"
#include "tarnlink/library.h"
#include "tests/support/standin/standin_device.h"
#include "tests/tarnlink/test_support.h"

namespace tarnlink_test {

class LiveLibraryTest : public ::testing::Test {
protected:
    LiveLibraryTest();
    ~LiveLibraryTest() override;

    // The address the devices bind and the library's local address.
    std::string device_ip() const;
    std::string library_ip() const;
    // A UDP port that was free a moment ago on the library's address.
    std::uint16_t free_port() const;

    standin::DeviceConfig listening_device() const;
    standin::DeviceConfig announcing_device(const std::string& serial, std::uint16_t to_port) const;
    standin::Device& add_device(const standin::DeviceConfig& config);

    // Writes the settings and runs init; the scratch folder holds them and the log.
    int start_library(const std::vector<std::string>& ini_lines, int mode = 0);
    // Polls the event queue (bounded) for an event with `code` (and `device` when >= 0) that
    // no earlier wait took; events passed over stay for later waits.
    std::optional<ftp_event> wait_event(int code, int timeout_ms, int device = -1);
    // Advances the manual tick clock in steps, ten times faster than real time, giving the
    // threads time to run at each step.
    void advance(std::uint32_t ms, std::uint32_t step_ms = 50);
    void use_manual_clock();
    // Downloads `name` from `device` into the scratch folder's `local`: the result of its event
    // 62, -100 when the download did not start, -200 when no end came within `timeout_ms`.
    int download(int device, const std::string& name, int size, std::int32_t db_index,
                 const std::string& local, int transfer_id, int timeout_ms = 30000);
    // The scratch folder's `local` holds exactly `content`.
    ::testing::AssertionResult same_file(const std::string& local,
                                         const std::vector<std::uint8_t>& content);

    ScratchDir dir_;
    std::unique_ptr<tarnlink::Library> lib_;
    std::vector<std::unique_ptr<standin::Device>> devices_;
    plat::ManualClock clock_;

private:
    plat::FixedHostAddresses hosts_{{"127.0.0.2"}};
    std::vector<ftp_event> pending_;
    bool manual_clock_ = false;
};

} // namespace tarnlink_test
