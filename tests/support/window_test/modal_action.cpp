#include "tests/support/window_test/modal_action.h"

#include <utility>

namespace window_test {

namespace {
struct ModalAction {
    std::function<bool()> ready;
    std::function<void()> act;
    DWORD deadline = 0;
};
ModalAction g_modal;

void CALLBACK run_modal_action(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_modal.act) return;
    if (!g_modal.ready() && static_cast<LONG>(g_modal.deadline - GetTickCount()) > 0) return;
    KillTimer(nullptr, id);
    auto act = std::move(g_modal.act);
    g_modal = {};
    act();
}
} // namespace

void when_modal(std::function<bool()> ready, std::function<void()> act) {
    g_modal = {std::move(ready), std::move(act), GetTickCount() + 10000};
    SetTimer(nullptr, 0, 50, &run_modal_action);
}

} // namespace window_test
