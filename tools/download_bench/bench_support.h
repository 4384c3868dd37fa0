// What the download benchmarks share: the process's CPU time and resident memory, and waiting
// for the library's events the way the station polls for them.
#pragma once

#include <cstdio>

#include "tarnlink/tarnlink.h"

namespace bench {

// CPU seconds (user and kernel) this process has used.
double cpu_seconds();
// Bytes of this process resident in memory.
double resident_bytes();

// Polls the library's events every 10 ms until one with `code` arrives or `timeout_ms` passed;
// other events are dropped.
bool wait_event(int code, ftp_event& out, int timeout_ms);

inline int fail(const char* program, const char* why) {
    std::fprintf(stderr, "%s: %s\n", program, why);
    return 1;
}

} // namespace bench
