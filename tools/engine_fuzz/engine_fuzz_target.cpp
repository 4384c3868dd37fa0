#include "tools/engine_fuzz/engine_fuzz_target.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/text_gbk.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/globals.h"
#include "station/core/search/recording_files.h"

namespace {

// Reads the input front to back; past its end every read gives zeros.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::int32_t int32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(byte()) << (8 * i);
        return static_cast<std::int32_t>(v);
    }
    std::string text(std::size_t most) {
        const std::size_t length = std::min<std::size_t>(byte(), most);
        std::string t;
        for (std::size_t i = 0; i < length && !done(); ++i) t.push_back(static_cast<char>(byte()));
        return t;
    }
    template <typename Record>
    void raw(Record& record) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
        for (std::size_t i = 0; i < sizeof record; ++i) bytes[i] = byte();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The library as a hostile device would make it answer.
class HostileLibrary final : public station::ITransferLibrary {
public:
    explicit HostileLibrary(InputReader& in) : in_(in) {}
    std::map<std::pair<int, int>, std::string> texts;
    std::deque<int> start_results;
    std::string last_local_path;

    int set_cfgfile(const char*) override { return 0; }
    int init(const char*, int) override { return 0; }
    int release() override { return 0; }
    int get_bd_num() override { return 2; }
    int get_bd_param(int device, int, int code, void* buffer) override {
        if (code == BD_PARAM_CHANCOUNT || code == BD_PARAM_DB_INDEX) {
            if (in_.byte() % 4 == 0) return -1;
            const std::int32_t v = in_.int32();
            std::memcpy(buffer, &v, sizeof v);
            return 0;
        }
        auto t = texts.find({device, code});
        if (t == texts.end()) return -1;
        // The library fills at most the station's buffer, not always with a terminator.
        std::memset(buffer, 0, station::kParamTextSize);
        std::memcpy(buffer, t->second.data(), std::min<std::size_t>(t->second.size(), station::kParamTextSize));
        return 0;
    }
    int set_bd_param(int, int, int, const void*) override { return in_.byte() % 3 == 0 ? -1 : 0; }
    int get_event_async(ftp_event*) override { return -1; }
    int query_newfile(int, int) override { return in_.byte() % 5 == 0 ? -1 : 0; }
    int start_uploadfile(int, const char*, int, const char*, const char* local_path, int, int, int) override {
        last_local_path = local_path;
        if (start_results.empty()) return 0;
        const int r = start_results.front();
        start_results.pop_front();
        return r;
    }
    int get_upload_progress(int, int* bytes, int*) override {
        if (in_.byte() % 2) return -1;
        *bytes = in_.int32();
        return 0;
    }
    int uploadfile_terminate_async(int) override { return 0; }
    int ignore_uploadfile(int, const char*, int, int) override { return 0; }
    int get_callinfo(int, ftp_callinfo* info) override {
        if (in_.byte() % 4 == 0) return -2;
        in_.raw(*info);  // no field need be terminated
        return 0;
    }
    int get_connreqinfo(ftp_connreqinfo* info) override {
        if (in_.byte() % 4 == 0) return -1;
        in_.raw(*info);
        return 0;
    }

private:
    InputReader& in_;
};

const std::string& fuzz_folder() {
    static const std::string folder = plat::include_trailing_separator(plat::current_directory()) + "engine-fuzz";
    return folder;
}

[[noreturn]] void fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "engine fuzz: %s: %s\n", what, path.c_str());
    std::abort();
}

bool inside_fuzz_folder(const std::string& path) {
    return path.compare(0, fuzz_folder().size() + 1, fuzz_folder() + "\\") == 0 &&
           station::IsPlainRelativePath(path.substr(fuzz_folder().size() + 1));
}

} // namespace

int EngineFuzzOne(const std::uint8_t* data, std::size_t size) {
    static station::StationGlobals globals;
    static const bool ready = [] {
        plat::force_directories(fuzz_folder());
        return station::InitGlobals(globals, fuzz_folder()).empty();
    }();
    if (!ready) std::abort();
    static plat::ManualClock clock;
    clock.set_local(plat::LocalTime{2012, 3, 1, 8, 0, 0, 0, 4});
    plat::set_local_clock_source(&clock);

    InputReader in(data, size);
    HostileLibrary library(in);
    std::map<std::string, int> rows;
    globals.DeviceCount = 2;
    station::TransferEngine engine(
        globals, library,
        [&](const std::vector<station::ACallLogInfo>& stored) {
            std::vector<int> results;
            for (const station::ACallLogInfo& row : stored) {
                if (!station::IsPlainRelativePath(row.WaveFilePath)) fail("row path", row.WaveFilePath);
                ++rows[row.WaveFilePath];
                results.push_back(in.byte() % 4 == 0 ? -1 : 0);
            }
            return results;
        },
        [](const std::string&, int) {});
    engine.SetCallLogCounter([&](const std::string& path) {
        const int r = in.byte() % 8 == 0 ? -1 : (rows.count(path) ? rows[path] : 0);
        return r;
    });
    engine.StartFetching();

    for (int op = 0; op < 64 && !in.done(); ++op) {
        const int device = in.byte() % 3 - (in.byte() % 5 == 0 ? 1 : 0);  // now and then out of range
        switch (in.byte() % 8) {
        case 0:
            library.texts[{device, BD_PARAM_IPADDR}] = in.text(120);
            library.texts[{device, BD_PARAM_SERIAL}] = in.text(120);
            engine.HandleLibraryEvent(ftp_event{EVT_FTP_LOGIN_SUCC, device, 0, 0, 0});
            break;
        case 1: {
            library.texts[{device, BD_PARAM_NEWFILE_NAME}] = in.text(120);
            library.texts[{device, BD_PARAM_NEWFILE_DATE}] = in.text(12);
            const std::int32_t file_size = in.int32();
            engine.HandleLibraryEvent(ftp_event{EVT_FTP_NEWFILE_INFO, device, file_size, 0, in.int32()});
            break;
        }
        case 2:
        case 3:
            clock.set_local(station::FromDateTime(station::ToDateTime(clock.now()) + in.byte() / 86400.0));
            engine.PollTransferLibrary();
            break;
        case 4: {
            static const int results[] = {UPL_RESULT_OK, UPL_RESULT_TIMEOUT, UPL_RESULT_CANCELLED, UPL_RESULT_REFUSED};
            const std::uint8_t pick = in.byte();
            engine.HandleLibraryEvent(ftp_event{EVT_FTP_TRANSFER_END, device, pick < 200 ? results[pick % 4] : in.int32(), 1, 0});
            break;
        }
        case 5: {
            static const int codes[] = {EVT_FTP_DISCONNECT, EVT_FTP_LOGIN_FAIL, EVT_FTP_DEVCONN_REQ, EVT_FTP_DEV_LOGOUT};
            const int code = codes[in.byte() % 4];
            engine.HandleLibraryEvent(ftp_event{code, device, in.byte() % 2 ? -1 : in.int32(), 0, 0});
            break;
        }
        case 6:
            library.start_results.push_back(in.byte() % 2 ? 1 : in.int32());
            break;
        case 7:
            // The device's recording lands where the station asked; its record is the input's.
            if (!library.last_local_path.empty()) {
                if (!inside_fuzz_folder(library.last_local_path)) fail("local path", library.last_local_path);
                std::string contents;
                const std::size_t length = static_cast<std::size_t>(in.byte()) * 4;
                for (std::size_t i = 0; i < length; ++i) contents.push_back(static_cast<char>(in.byte()));
                plat::write_whole_file(library.last_local_path, contents);
            }
            break;
        }
    }
    if (!library.last_local_path.empty() && !inside_fuzz_folder(library.last_local_path)) {
        fail("local path", library.last_local_path);
    }
    plat::set_local_clock_source(nullptr);
    return 0;
}

// The entry a coverage-guided fuzzer calls (clang -fsanitize=fuzzer builds it alone).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return EngineFuzzOne(data, size); }
