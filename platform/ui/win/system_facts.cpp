#include "platform/ui/win/system_facts.h"

#include <windows.h>

namespace ui {
namespace {

SystemFacts read_facts() {
    const DWORD version = GetVersion();
    SystemFacts f;
    f.major = LOBYTE(LOWORD(version));
    f.minor = HIBYTE(LOWORD(version));
    f.nt_platform = (version & 0x80000000u) == 0;
    return f;
}

SystemFacts& facts() {
    static SystemFacts f = read_facts();
    return f;
}

} // namespace

const SystemFacts& system_facts() { return facts(); }

SystemFacts replace_system_facts(const SystemFacts& next) {
    const SystemFacts previous = facts();
    facts() = next;
    return previous;
}

} // namespace ui
