// The shared blink timer: phases and intervals, and only blinking controls stepped.
#include <gtest/gtest.h>

#include <map>

#include "controls/model/blink_list.h"

using namespace ec;

namespace {

struct ClockLog : BlinkClock {
    explicit ClockLog(std::vector<unsigned>& log) : intervals(log) {}
    void set_interval(unsigned ms) override { intervals.push_back(ms); }
    std::vector<unsigned>& intervals;
};

struct Label : ui::Component {
    explicit Label(bool blinks) : Component(nullptr), blinking(blinks) {}
    bool blinking;
    std::vector<std::uintptr_t> steps;
};

std::intptr_t deliver(ui::Component& target, unsigned msg, std::uintptr_t wparam) {
    auto& label = static_cast<Label&>(target);
    if (msg == CM_QUERYBLINK) return label.blinking ? 1 : 0;
    if (msg == CM_BLINKSTEP) label.steps.push_back(wparam);
    return 0;
}

TEST(EcBlinkList, PhasesIntervalsAndSteps) {
    std::vector<unsigned> intervals;
    BlinkingControlsList list(std::make_unique<ClockLog>(intervals), deliver);
    EXPECT_EQ(list.phase(), 1);
    EXPECT_EQ(intervals, (std::vector<unsigned>{500}));

    Label a(true), b(false), c(true);
    list.register_control(&a);
    list.register_control(&b);
    list.register_control(&c);
    list.set_on_interval(300);
    list.set_off_interval(700);
    list.tick();
    list.tick();
    list.tick();
    EXPECT_EQ(intervals, (std::vector<unsigned>{500, 700, 300, 700}));
    EXPECT_EQ(a.steps, (std::vector<std::uintptr_t>{0, 1, 0}));
    EXPECT_EQ(c.steps, a.steps);  // in step with each other
    EXPECT_TRUE(b.steps.empty());

    list.unregister_control(&a);
    list.tick();
    EXPECT_EQ(a.steps.size(), 3u);
    EXPECT_EQ(c.steps.size(), 4u);
}

TEST(EcBlinkList, IntervalsAreSixteenBit) {
    BlinkingControlsList list(nullptr, nullptr);
    const std::pair<int, unsigned> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {65535, 65535}, {65536, 65535}, {250, 250}};
    for (const auto& [given, kept] : cases) {
        list.set_on_interval(given);
        list.set_off_interval(given);
        EXPECT_EQ(list.on_interval(), kept) << given;
        EXPECT_EQ(list.off_interval(), kept) << given;
    }
    list.tick();  // no clock, no messenger: only the phase
    EXPECT_EQ(list.phase(), 0);
}

TEST(EcBlinkList, ProcessListLivesWhileControlsAreRegistered) {
    int made = 0;
    auto make = [&] {
        ++made;
        return std::make_unique<BlinkingControlsList>(nullptr, deliver);
    };
    Label a(true), b(true);
    EXPECT_EQ(blink_list(), nullptr);
    acquire_blink_list(make).register_control(&a);
    acquire_blink_list(make).register_control(&b);
    EXPECT_EQ(made, 1);
    blink_list()->unregister_control(&a);
    release_blink_list_if_empty();
    ASSERT_NE(blink_list(), nullptr);
    blink_list()->unregister_control(&b);
    release_blink_list_if_empty();
    EXPECT_EQ(blink_list(), nullptr);
    release_blink_list_if_empty();
}

} // namespace
