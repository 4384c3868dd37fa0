// A scripted stand-in for the transfer library: parameters, events and call results are set by
// the test, and every call is recorded as one line.
#pragma once
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_gbk.h"
#include "station/core/engine/transfer_library.h"

namespace engine_test {

class FakeLibrary final : public station::ITransferLibrary {
public:
    // Parameters of device `device`; a code that was never set makes the read fail.
    void SetText(int device, int code, const std::string& text) { texts_[{device, code}] = text; }
    void SetInt(int device, int code, std::int32_t value) { ints_[{device, code}] = value; }
    void Forget(int device, int code) { texts_.erase({device, code}); ints_.erase({device, code}); }

    void PushEvent(int code, int device, int p1 = 0, int p2 = 0, int p3 = 0) {
        events_.push_back(ftp_event{code, device, p1, p2, p3});
    }
    std::size_t PendingEvents() const { return events_.size(); }

    int device_count = 0;
    int query_result = 0;
    std::deque<int> start_results;       // taken one per start; 0 when empty
    int progress_result = 0;
    int progress_bytes = 0;
    int set_param_result = 0;
    std::optional<ftp_callinfo> call_info;  // none: get_callinfo fails with -2
    std::deque<ftp_connreqinfo> connection_requests;

    std::vector<std::string> calls;       // one line per call, e.g. "query_newfile 0 1"
    std::vector<std::string> clock_texts; // texts of BD_PARAM_CLOCK settings
    std::vector<std::pair<int, std::int32_t>> enables;  // (device, value) of BD_PARAM_ENABLE
    std::string last_local_path;

    // Lines of `calls` that start with `prefix`.
    std::vector<std::string> CallsOf(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& c : calls) {
            if (c.compare(0, prefix.size(), prefix) == 0) found.push_back(c);
        }
        return found;
    }

    int set_cfgfile(const char* path) override {
        calls.push_back(std::string("set_cfgfile ") + path);
        return 0;
    }
    int init(const char*, int mode) override {
        calls.push_back("init " + std::to_string(mode));
        return 0;
    }
    int release() override {
        calls.push_back("release");
        return 0;
    }
    int get_bd_num() override { return device_count; }
    int get_bd_param(int device, int, int code, void* buffer) override {
        if (auto t = texts_.find({device, code}); t != texts_.end()) {
            plat::copy_text_field(static_cast<char*>(buffer), station::kParamTextSize, t->second);
            return 0;
        }
        if (auto i = ints_.find({device, code}); i != ints_.end()) {
            std::memcpy(buffer, &i->second, sizeof i->second);
            return 0;
        }
        return -1;
    }
    int set_bd_param(int device, int b, int code, const void* data) override {
        calls.push_back("set_bd_param " + std::to_string(device) + " " + std::to_string(b) + " " +
                        std::to_string(code));
        if (code == BD_PARAM_CLOCK) clock_texts.push_back(static_cast<const char*>(data));
        if (code == BD_PARAM_ENABLE) {
            std::int32_t v = 0;
            std::memcpy(&v, data, sizeof v);
            enables.emplace_back(device, v);
        }
        return set_param_result;
    }
    int get_event_async(ftp_event* event) override {
        if (events_.empty()) return -1;
        *event = events_.front();
        events_.pop_front();
        return 0;
    }
    int query_newfile(int device, int value) override {
        calls.push_back("query_newfile " + std::to_string(device) + " " + std::to_string(value));
        return query_result;
    }
    int start_uploadfile(int device, const char* name, int size, const char* tag, const char* local_path,
                         int transfer_id, int db_index, int no_tag) override {
        calls.push_back("start_uploadfile " + std::to_string(device) + " " + name + " " + std::to_string(size) +
                        (tag ? " tag" : " -") + " " + std::to_string(transfer_id) + " " +
                        std::to_string(db_index) + " " + std::to_string(no_tag));
        last_local_path = local_path;
        if (start_results.empty()) return 0;
        const int r = start_results.front();
        start_results.pop_front();
        return r;
    }
    int get_upload_progress(int device, int* bytes, int* size) override {
        calls.push_back("get_upload_progress " + std::to_string(device) + (size ? " size" : ""));
        if (progress_result == 0) *bytes = progress_bytes;
        return progress_result;
    }
    int uploadfile_terminate_async(int device) override {
        calls.push_back("uploadfile_terminate_async " + std::to_string(device));
        return 0;
    }
    int ignore_uploadfile(int device, const char* name, int db_index, int transfer_id) override {
        calls.push_back("ignore_uploadfile " + std::to_string(device) + " " + name + " " + std::to_string(db_index) +
                        " " + std::to_string(transfer_id));
        return 0;
    }
    int get_callinfo(int device, ftp_callinfo* info) override {
        calls.push_back("get_callinfo " + std::to_string(device));
        if (!call_info) return -2;
        *info = *call_info;
        return 0;
    }
    int get_connreqinfo(ftp_connreqinfo* info) override {
        if (connection_requests.empty()) return -1;
        *info = connection_requests.front();
        connection_requests.pop_front();
        return 0;
    }

private:
    std::map<std::pair<int, int>, std::string> texts_;
    std::map<std::pair<int, int>, std::int32_t> ints_;
    std::deque<ftp_event> events_;
};

} // namespace engine_test
