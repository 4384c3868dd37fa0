#include "tools/download_bench/bench_support.h"

#include <chrono>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "platform/clock.h"

namespace bench {

double cpu_seconds() {
#ifdef _WIN32
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto value = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime) * 1e-7;
    };
    return value(kernel) + value(user);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
#endif
}

double resident_bytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.WorkingSetSize);
#else
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
#endif
}

bool wait_event(int code, ftp_event& out, int timeout_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < end) {
        while (kvftp_get_event_async(&out) == 0)
            if (out.code == code) return true;
        plat::sleep_ms(10);  // a host polls as the station does, not in a busy loop
    }
    return false;
}

} // namespace bench
