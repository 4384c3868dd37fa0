// A transfer library with a given number of devices that records the clock texts and the enable
// switches it is given and answers nothing else.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "station/core/engine/transfer_library.h"

namespace test_support {

struct FakeTransferLibrary : station::ITransferLibrary {
    int device_count = 0;
    std::vector<std::pair<int, std::string>> clocks;    // device, clock text
    std::vector<std::pair<int, std::int32_t>> enables;  // device, value

    int set_cfgfile(const char*) override { return 0; }
    int init(const char*, int) override { return 0; }
    int release() override { return 0; }
    int get_bd_num() override { return device_count; }
    int get_bd_param(int, int, int, void*) override { return -1; }
    int set_bd_param(int device, int, int code, const void* data) override {
        if (code == BD_PARAM_CLOCK) clocks.emplace_back(device, static_cast<const char*>(data));
        if (code == BD_PARAM_ENABLE) enables.emplace_back(device, *static_cast<const std::int32_t*>(data));
        return 0;
    }
    int get_event_async(ftp_event*) override { return -1; }
    int query_newfile(int, int) override { return -1; }
    int start_uploadfile(int, const char*, int, const char*, const char*, int, int, int) override { return -1; }
    int get_upload_progress(int, int*, int*) override { return -1; }
    int uploadfile_terminate_async(int) override { return -1; }
    int ignore_uploadfile(int, const char*, int, int) override { return -1; }
    int get_callinfo(int, ftp_callinfo*) override { return -1; }
    int get_connreqinfo(ftp_connreqinfo*) override { return -1; }
};

} // namespace test_support
