// Autorun transitions between (enabled, mode) pairs against the two Run keys.
#include <gtest/gtest.h>

#include "station/core/settings_models/autorun.h"
#include "tests/station_settings/fake_run_key_registry.h"

namespace {

using station::AutorunChoice;
using settings_test::FakeRunKeyRegistry;

const std::string kProgram = "C:\\Program Files\\Velquist\\Velquist.exe";
const std::string kCommand = "\"C:\\Program Files\\Velquist\\Velquist.exe\" -logon";

TEST(AutorunCommandLine, QuotesThePathSoBlanksInFoldersSurvive) {
    EXPECT_EQ(station::AutorunCommandLine(kProgram), kCommand);
}

struct TransitionCase {
    const char* name;
    AutorunChoice before, after;
    bool machine_before, user_before;  // the value present before
    bool machine_after, user_after;
    std::vector<std::string> calls;
};

TEST(UpdateAutorun, MovesTheValueBetweenTheRunKeys) {
    const TransitionCase cases[] = {
        {"both off", {false, 0}, {false, 1}, false, false, false, false, {}},
        {"same mode kept", {true, 1}, {true, 1}, false, true, false, true, {}},
        {"ticked for every user", {false, 0}, {true, 0}, false, false, true, false, {"write HKLM"}},
        {"ticked for this user", {false, 0}, {true, 1}, false, false, false, true, {"write HKCU"}},
        {"mode 0 to 1", {true, 0}, {true, 1}, true, false, false, true, {"delete HKLM", "write HKCU"}},
        {"mode 1 to 0", {true, 1}, {true, 0}, false, true, true, false, {"delete HKCU", "write HKLM"}},
        {"unticked", {true, 0}, {false, 0}, true, false, false, false, {"delete HKLM"}},
        {"unticked with value missing", {true, 1}, {false, 1}, false, false, false, false, {"delete HKCU"}},
        {"odd old mode touches nothing old", {true, 7}, {true, 1}, true, false, true, true, {"write HKCU"}},
        {"odd new mode writes nothing", {true, 0}, {true, -1}, true, false, false, false, {"delete HKLM"}},
    };
    for (const TransitionCase& c : cases) {
        FakeRunKeyRegistry reg;
        if (c.machine_before) reg.machine["Velquist_Run"] = "old";
        if (c.user_before) reg.user["Velquist_Run"] = "old";
        station::UpdateAutorun(reg, c.before, c.after, kProgram);
        EXPECT_EQ(reg.machine.count("Velquist_Run") == 1, c.machine_after) << c.name;
        EXPECT_EQ(reg.user.count("Velquist_Run") == 1, c.user_after) << c.name;
        EXPECT_EQ(reg.calls, c.calls) << c.name;
        if (c.after.Enabled && !c.calls.empty() && c.calls.back().rfind("write", 0) == 0) {
            const auto& key = c.after.Mode == 0 ? reg.machine : reg.user;
            EXPECT_EQ(key.at("Velquist_Run"), kCommand) << c.name;
        }
    }
}

TEST(UpdateAutorun, UntickThenTickAgainWritesTheValueAgain) {
    FakeRunKeyRegistry reg;
    station::UpdateAutorun(reg, {false, 1}, {true, 1}, kProgram);
    station::UpdateAutorun(reg, {true, 1}, {false, 1}, kProgram);
    EXPECT_TRUE(reg.user.empty());
    station::UpdateAutorun(reg, {false, 1}, {true, 1}, kProgram);
    EXPECT_EQ(reg.user.at("Velquist_Run"), kCommand);
}

TEST(UpdateAutorun, MachineKeyWithoutRightsLeavesItAsItWasAndStillWritesTheUserKey) {
    FakeRunKeyRegistry reg;
    reg.machine_writable = false;
    reg.machine["Velquist_Run"] = "old";
    station::UpdateAutorun(reg, {true, 0}, {true, 1}, kProgram);
    EXPECT_EQ(reg.machine.at("Velquist_Run"), "old");
    EXPECT_EQ(reg.user.at("Velquist_Run"), kCommand);
}

} // namespace
