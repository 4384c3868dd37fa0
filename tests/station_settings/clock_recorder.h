// A transfer library that only records the clock texts it is given.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "station/core/engine/transfer_library.h"

namespace settings_test {

class ClockRecorder : public station::ITransferLibrary {
public:
    std::vector<std::pair<int, std::string>> clocks;
    int set_bd_param(int device, int, int code, const void* data) override {
        if (code == BD_PARAM_CLOCK) clocks.emplace_back(device, static_cast<const char*>(data));
        return 0;
    }
    int set_cfgfile(const char*) override { return 0; }
    int init(const char*, int) override { return 0; }
    int release() override { return 0; }
    int get_bd_num() override { return 0; }
    int get_bd_param(int, int, int, void*) override { return -1; }
    int get_event_async(ftp_event*) override { return -1; }
    int query_newfile(int, int) override { return -1; }
    int start_uploadfile(int, const char*, int, const char*, const char*, int, int, int) override { return -1; }
    int get_upload_progress(int, int*, int*) override { return -1; }
    int uploadfile_terminate_async(int) override { return -1; }
    int ignore_uploadfile(int, const char*, int, int) override { return -1; }
    int get_callinfo(int, ftp_callinfo*) override { return -1; }
    int get_connreqinfo(ftp_connreqinfo*) override { return -1; }
};

} // namespace settings_test
