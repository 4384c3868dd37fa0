// The facts about the running system that drawing decisions consult, read once. Tests replace
// them to take the paths of other systems.
#pragma once

namespace ui {

struct SystemFacts {
    int major = 0, minor = 0;
    bool nt_platform = true;
};

// Read from the system on the first call.
const SystemFacts& system_facts();
// Puts `facts` in place of the present ones and returns those.
SystemFacts replace_system_facts(const SystemFacts& facts);

} // namespace ui
