// engine_tick_bench: how long the station's main-timer tick takes with many devices. The
// station's transfer engine, the real transfer library and the call-record database file run
// as in the station, without a window; N stand-in devices in this process each offer R
// recordings. The tick runs every 100 ms, as the main timer does, while the recordings arrive
// and then for a while with nothing to fetch.
//
//   engine_tick_bench [--devices N] [--recordings R] [--idle-seconds S] [--address IP]
//                     [--folder DIR]
//
// The rows are stored as the station stores them, by the writer's thread; the tick hands them
// over and takes the results of the batches stored meanwhile.
//
// Printed, for the fetching and the idle phase:
//   ticks with N devices, <phase>: mean X ms, 99th percentile Y ms, max Z ms over K ticks
// then, for the longest ticks (5 ms or more), where the time went: the database (handing rows to
// the writer and taking its results, and counting a recording's rows on the window's own
// connection), each library call by name (count and time), and the engine's own work (the
// rest); and the recordings stored and rows written. Only the given address is ever sent to.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/udp_endpoint.h"
#include "station/core/database/call_log_database.h"
#include "station/core/database/call_log_writer.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/tarnlink_library.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/globals.h"
#include "tests/support/standin/scenario.h"
#include "tests/support/standin/standin_device.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kTickMs = 100;

int fail(const char* why) {
    std::fprintf(stderr, "engine_tick_bench: %s\n", why);
    return 1;
}

void remove_tree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) remove_tree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// What one tick spent where: each library call the engine made (by name), the database, and
// the rest, which is the engine's own work (its notes and folders on the disk).
struct TickParts {
    struct Call {
        int count = 0;
        double ms = 0;
    };
    std::map<std::string, Call> calls;     // into the library
    std::map<std::string, Call> db_calls;  // to the writer and the window's connection
    double storing_ms = 0;  // all the tick spent on the database
    int rows = 0;           // handed to the writer

    void add_call(const char* name, double ms) {
        Call& c = calls[name];
        ++c.count;
        c.ms += ms;
    }
    void add_db_call(const char* name, double ms) {
        Call& c = db_calls[name];
        ++c.count;
        c.ms += ms;
        storing_ms += ms;
    }
    double library_ms() const {
        double sum = 0;
        for (const auto& c : calls) sum += c.second.ms;
        return sum;
    }
};

// The real library, each call timed into the tick running.
class TimedLibrary final : public station::ITransferLibrary {
public:
    explicit TimedLibrary(station::ITransferLibrary& inner) : inner_(inner) {}
    TickParts* tick = nullptr;

    int set_cfgfile(const char* path) override { return inner_.set_cfgfile(path); }
    int init(const char* unused, int mode) override { return inner_.init(unused, mode); }
    int release() override { return inner_.release(); }
    int get_bd_num() override { return timed("get_bd_num", [&] { return inner_.get_bd_num(); }); }
    int get_bd_param(int device, int channel, int code, void* buffer) override {
        return timed("get_bd_param", [&] { return inner_.get_bd_param(device, channel, code, buffer); });
    }
    int set_bd_param(int device, int b, int code, const void* data) override {
        return timed("set_bd_param", [&] { return inner_.set_bd_param(device, b, code, data); });
    }
    int get_event_async(ftp_event* event) override {
        return timed("get_event_async", [&] { return inner_.get_event_async(event); });
    }
    int query_newfile(int device, int value) override {
        return timed("query_newfile", [&] { return inner_.query_newfile(device, value); });
    }
    int start_uploadfile(int device, const char* device_file_name, int size, const char* tag,
                         const char* local_path, int transfer_id, int db_index, int no_tag) override {
        return timed("start_uploadfile", [&] {
            return inner_.start_uploadfile(device, device_file_name, size, tag, local_path, transfer_id, db_index,
                                           no_tag);
        });
    }
    int get_upload_progress(int device, int* bytes_received, int* file_size) override {
        return timed("get_upload_progress",
                     [&] { return inner_.get_upload_progress(device, bytes_received, file_size); });
    }
    int uploadfile_terminate_async(int device) override {
        return timed("uploadfile_terminate_async", [&] { return inner_.uploadfile_terminate_async(device); });
    }
    int ignore_uploadfile(int device, const char* device_file_name, int db_index, int transfer_id) override {
        return timed("ignore_uploadfile",
                     [&] { return inner_.ignore_uploadfile(device, device_file_name, db_index, transfer_id); });
    }
    int get_callinfo(int device, ftp_callinfo* info) override {
        return timed("get_callinfo", [&] { return inner_.get_callinfo(device, info); });
    }
    int get_connreqinfo(ftp_connreqinfo* info) override {
        return timed("get_connreqinfo", [&] { return inner_.get_connreqinfo(info); });
    }

private:
    template <typename Call>
    int timed(const char* name, Call call) {
        const auto start = Clock::now();
        const int result = call();
        if (tick) tick->add_call(name, ms_since(start));
        return result;
    }
    station::ITransferLibrary& inner_;
};

struct TickTimes {
    std::vector<double> ms;
    std::vector<TickParts> parts;  // of each tick, in the order of ms before sorting

    void print(int devices, const char* phase) {
        if (ms.empty()) return;
        std::vector<std::size_t> order(ms.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return ms[a] > ms[b]; });
        double storing_max = 0, sum = 0;
        for (const TickParts& p : parts) storing_max = std::max(storing_max, p.storing_ms);
        for (double t : ms) sum += t;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("ticks with %d devices, %s: mean %.2f ms, 99th percentile %.2f ms, max %.2f ms "
                    "over %zu ticks\n",
                    devices, phase, sum / static_cast<double>(ms.size()),
                    sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)], sorted.back(), sorted.size());
        std::printf("  the database (rows handed over, results taken, rows counted): at most %.2f ms in one tick\n",
                    storing_max);
        // The longest ticks, call by call: what makes a tick long.
        for (std::size_t k = 0; k < std::min<std::size_t>(kTicksShown, order.size()); ++k) {
            const TickParts& p = parts[order[k]];
            if (ms[order[k]] < kTickShownFromMs) break;
            std::printf("  tick of %.2f ms: database %.2f ms (%d rows handed over), engine's own %.2f ms",
                        ms[order[k]], p.storing_ms, p.rows, ms[order[k]] - p.storing_ms - p.library_ms());
            for (const auto* calls : {&p.db_calls, &p.calls})
                for (const auto& c : *calls)
                    if (c.second.ms >= 0.05)
                        std::printf(", %s %dx %.2f ms", c.first.c_str(), c.second.count, c.second.ms);
            std::printf("\n");
        }
    }
    static constexpr std::size_t kTicksShown = 8;
    static constexpr double kTickShownFromMs = 5;
};

} // namespace

int main(int argc, char** argv) {
    int device_count = 100, recordings = 2, idle_seconds = 10;
    std::string address = "127.0.0.1", folder;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--devices") device_count = std::atoi(value.c_str());
        else if (key == "--recordings") recordings = std::atoi(value.c_str());
        else if (key == "--idle-seconds") idle_seconds = std::atoi(value.c_str());
        else if (key == "--address") address = value;
        else if (key == "--folder") folder = value;
        else return fail("unknown argument");
    }
    if (device_count < 1 || device_count > 200 || recordings < 0 || recordings > 100 ||
        idle_seconds < 0 || idle_seconds > 600)
        return fail("1 to 200 devices, 0 to 100 recordings each, up to 600 idle seconds");
    std::uint32_t ip = 0;
    if (!plat::parse_ipv4(address, ip)) return fail("--address must be an IPv4 address");
    if (folder.empty()) folder = plat::current_directory() + "\\engine_tick_bench";
    remove_tree(folder);
    plat::force_directories(folder);

    plat::NetworkStartup network;
    std::vector<std::unique_ptr<standin::Device>> devices;
    const std::string lib_ini = folder + "\\tarnlib.ini";
    plat::ini_write_string(lib_ini, "Network", "Count", std::to_string(device_count));
    for (int n = 1; n <= device_count; ++n) {
        char id[24];
        std::snprintf(id, sizeof id, "STANDIN-%03d", n);
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "d%03d-", n);
        standin::DeviceConfig config;
        config.label = id;
        config.bind_ip = address;
        config.device_id = id;
        config.recordings = standin::generated_recordings(recordings, standin::WavLayout::Pcm, prefix);
        devices.push_back(std::make_unique<standin::Device>(config));
        if (!devices.back()->start()) return fail("a stand-in device cannot bind its address");
        plat::ini_write_string(lib_ini, "Network", "IP" + std::to_string(n), address);
        plat::ini_write_string(lib_ini, "Network", "Port" + std::to_string(n),
                               std::to_string(devices.back()->port()));
    }
    plat::ini_write_string(lib_ini, "FTPInfo", "ConnMode", "1");
    plat::ini_write_string(folder + "\\Velquist.ini", "DB", "ConnMode", "1");
    plat::ini_write_string(folder + "\\Velquist.ini", "DB", "LocalAccess", "1");

    // The station's day runs from a working morning on, 100 ms per tick.
    plat::ManualClock clock;
    clock.set_local(plat::LocalTime{2012, 3, 1, 8, 0, 0, 0, 4});
    plat::set_local_clock_source(&clock);
    int rows = 0;
    {
        station::StationGlobals globals;
        if (!station::InitGlobals(globals, folder).empty()) return fail("the station settings do not load");
        calldb::DatabaseSettings db;
        db.ConnMode = calldb::ConnModeFile;
        db.LocalFile = true;
        db.ProgramDir = folder;
        calldb::TMyDataModule database([db] { return db; });
        calldb::CallLogWriter writer([db] { return db; });
        station::TarnlinkLibrary real_library;
        TimedLibrary library(real_library);
        TickParts* tick = nullptr;  // of the tick running
        // The writer, its calls timed into the tick running and the rows it stored counted.
        struct TimedSink final : station::ICallLogSink {
            calldb::CallLogWriter& writer;
            TickParts*& tick;
            int& rows;
            TimedSink(calldb::CallLogWriter& w, TickParts*& t, int& r) : writer(w), tick(t), rows(r) {}
            void Store(std::vector<station::ACallLogInfo> stored) override {
                const auto before = Clock::now();
                const int count = static_cast<int>(stored.size());
                writer.Store(std::move(stored));
                if (tick) {
                    tick->add_db_call("writer Store", ms_since(before));
                    tick->rows += count;
                }
            }
            std::vector<std::vector<int>> TakeResults() override {
                const auto before = Clock::now();
                std::vector<std::vector<int>> taken = writer.TakeResults();
                if (tick) tick->add_db_call("writer TakeResults", ms_since(before));
                for (const std::vector<int>& results : taken)
                    for (int result : results) rows += result == 0 ? 1 : 0;
                return taken;
            }
            void Drain() override { writer.Drain(); }
        } sink(writer, tick, rows);
        station::TransferEngine engine(globals, library, sink, [](const std::string&, int) {});
        engine.SetCallLogCounter([&](const std::string& path) {
            const auto before = Clock::now();
            const int count = database.CountCallLogsWithPath(path);
            if (tick) tick->add_db_call("CountCallLogsWithPath", ms_since(before));
            return count;
        });
        engine.StartLibrary(500);
        engine.StartFetching();

        auto run_ticks = [&](TickTimes& times, auto done, double limit_seconds) {
            const auto started = Clock::now();
            auto next = started;
            while (!done() && std::chrono::duration<double>(Clock::now() - started).count() < limit_seconds) {
                times.parts.emplace_back();
                tick = &times.parts.back();
                library.tick = tick;
                const auto before = Clock::now();
                engine.OnMainTimer();
                times.ms.push_back(ms_since(before));
                tick = nullptr;
                library.tick = nullptr;
                clock.set_local(station::FromDateTime(station::ToDateTime(clock.now()) + kTickMs / 86400000.0));
                next += std::chrono::milliseconds(kTickMs);
                const auto now = Clock::now();
                if (next > now)
                    plat::sleep_ms(static_cast<std::uint32_t>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count()));
            }
        };
        const int expected = device_count * recordings;
        TickTimes fetching, idle;
        run_ticks(fetching, [&] { return rows >= expected; }, 900);
        run_ticks(idle, [] { return false; }, idle_seconds);
        fetching.print(device_count, "fetching");
        idle.print(device_count, "idle");
        std::printf("recordings stored with their rows: %d of %d\n", rows, expected);
        engine.ReleaseLibrary();
    }
    plat::set_local_clock_source(nullptr);
    for (auto& d : devices) d->stop();
    remove_tree(folder);
    return rows == device_count * recordings ? 0 : 1;
}
