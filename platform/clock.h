// Clocks: a 32-bit millisecond tick count that wraps (as GetTickCount), and the local wall
// clock. Both can be replaced by tests; a null source restores the system's.
#pragma once
#include <cstdint>

namespace plat {

class TickSource {
public:
    virtual ~TickSource() = default;
    virtual std::uint32_t now_ms() = 0;
};
std::uint32_t tick_ms();
void set_tick_source(TickSource* source);

struct LocalTime {
    int year = 0, month = 0, day = 0;        // month 1..12, day 1..31
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int day_of_week = 0;                     // 0 = Sunday
};
class LocalClockSource {
public:
    virtual ~LocalClockSource() = default;
    virtual LocalTime now() = 0;
};
LocalTime local_now();
void set_local_clock_source(LocalClockSource* source);

void sleep_ms(std::uint32_t ms);

// A test clock that moves only when told to; usable as both sources.
class ManualClock : public TickSource, public LocalClockSource {
public:
    std::uint32_t now_ms() override;
    LocalTime now() override;
    void set_ticks(std::uint32_t ticks);
    void advance_ms(std::uint32_t ms);       // moves the tick count only
    void set_local(const LocalTime& time);
private:
    std::uint32_t ticks_ = 0;
    LocalTime local_{2012, 3, 1, 8, 0, 0, 0, 4};
};

} // namespace plat
