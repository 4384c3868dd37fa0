// Stand-ins for the tool's seams: a sender that records, tokens from a script, a web page
// opener that records, and a reply sink that collects for the test thread.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "setuptool/discovery_socket.h"
#include "setuptool/reply_receiver.h"
#include "setuptool/search_probe.h"
#include "setuptool/web_page.h"

namespace kesto_test {

using Bytes = std::vector<std::uint8_t>;

class RecordingSender : public kesto::PacketSender {
public:
    bool broadcast(const std::uint8_t* data, std::size_t size) override {
        sent.emplace_back(data, data + size);
        return true;
    }
    std::vector<Bytes> sent;
};

class ScriptedTokens : public kesto::TokenSource {
public:
    explicit ScriptedTokens(std::deque<std::uint8_t> script) : script_(std::move(script)) {}
    std::uint8_t next_token() override {
        std::uint8_t token = script_.empty() ? 0 : script_.front();
        if (!script_.empty()) script_.pop_front();
        return token;
    }
private:
    std::deque<std::uint8_t> script_;
};

class RecordingWebPage : public kesto::WebPageOpener {
public:
    bool open(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
    std::vector<std::string> opened;
};

// Collects what the receiver thread hands over; `on_row` runs on the receiver thread, under
// the sink's lock, as the window thread's work would.
class CollectingSink : public kesto::ReplySink {
public:
    void device_found(const kesto::DeviceRow& row) override {
        std::lock_guard<std::mutex> lock(mutex_);
        rows_.push_back(row);
        if (on_row) on_row(row);
        changed_.notify_all();
    }
    void set_result(int code) override {
        std::lock_guard<std::mutex> lock(mutex_);
        codes_.push_back(code);
        changed_.notify_all();
    }
    bool wait_rows(std::size_t count, int timeout_ms = 5000) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return rows_.size() >= count; });
    }
    bool wait_code(int code, int timeout_ms = 5000) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] {
            for (int c : codes_)
                if (c == code) return true;
            return false;
        });
    }
    std::vector<kesto::DeviceRow> rows() {
        std::lock_guard<std::mutex> lock(mutex_);
        return rows_;
    }
    // Runs `work` under the sink's lock, i.e. as the window thread between two replies.
    template <class F> auto locked(F work) {
        std::lock_guard<std::mutex> lock(mutex_);
        return work();
    }
    std::function<void(const kesto::DeviceRow&)> on_row;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<kesto::DeviceRow> rows_;
    std::vector<int> codes_;
};

} // namespace kesto_test
