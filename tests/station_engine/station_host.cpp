// The station without a window as a program of its own, for the kill-and-restart test: runs
// the station of a folder (its settings written by the test) with fetching on until it is
// killed, at most two minutes.
//   station_engine_host PROGRAM_DIR
#include <chrono>

#include "station_run.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    plat::ManualClock clock;
    clock.set_local(plat::LocalTime{2012, 3, 1, 8, 0, 0, 0, 4});
    plat::set_local_clock_source(&clock);
    {
        engine_test::StationRun run(argv[1], clock);
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        while (std::chrono::steady_clock::now() < end) run.Tick();
    }
    plat::set_local_clock_source(nullptr);
    return 0;
}
