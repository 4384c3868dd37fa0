#include "station/core/settings_models/autorun.h"

namespace station {

const char* const kAutorunValueName = "Velquist_Run";
const char* const kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {

bool root_of(std::int32_t mode, RunKeyRoot& root) {
    if (mode == 0) {
        root = RunKeyRoot::LocalMachine;
        return true;
    }
    if (mode == 1) {
        root = RunKeyRoot::CurrentUser;
        return true;
    }
    return false;
}

} // namespace

std::string AutorunCommandLine(const std::string& program_path) {
    return "\"" + program_path + "\" -logon";
}

void UpdateAutorun(IRunKeyRegistry& registry, const AutorunChoice& old_choice, const AutorunChoice& new_choice,
                   const std::string& program_path) {
    if (!old_choice.Enabled && !new_choice.Enabled) return;
    if (old_choice.Enabled && new_choice.Enabled && old_choice.Mode == new_choice.Mode) return;
    RunKeyRoot root{};
    if (old_choice.Enabled && root_of(old_choice.Mode, root)) registry.DeleteValue(root, kAutorunValueName);
    if (new_choice.Enabled && root_of(new_choice.Mode, root))
        registry.WriteValue(root, kAutorunValueName, AutorunCommandLine(program_path));
}

} // namespace station
