#include "tests/station_settings/dialog_driver.h"

#include <commctrl.h>

#include "platform/text_gbk.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/window_test/window_test.h"

namespace settings_test {

namespace {

std::function<void()> g_action;

void CALLBACK run_action(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto action = std::move(g_action);
    if (action) action();
}

void notify_parent(HWND control, WORD code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

} // namespace

void WhenShown(std::function<void()> act) {
    g_action = std::move(act);
    SetTimer(nullptr, 0, 150, &run_action);
}

void WhenShown(std::function<bool()> ready, std::function<void()> act) {
    window_test::when_modal(std::move(ready), std::move(act));
}

void ClickButton(HWND button) {
    wchar_t window_class[32] = {};
    GetClassNameW(button, window_class, 32);
    if (lstrcmpiW(window_class, L"Button") == 0) {
        SendMessageW(button, BM_CLICK, 0, 0);
        return;
    }
    window_test::press_middle(button);
}

void Press(HWND control) { window_test::press_middle(control); }

void SelectListRow(HWND list_view, int row, bool selected) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(list_view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SetListCheck(HWND list_view, int row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(list_view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SetWindowText936(HWND window, const std::string& gbk) {
    SetWindowTextW(window, plat::gbk_to_wide(gbk).c_str());
}

void SelectComboItem(HWND combo, int item) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    notify_parent(combo, CBN_SELCHANGE);
}

void SelectListBoxItem(HWND list_box, int item) {
    SendMessageW(list_box, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    notify_parent(list_box, LBN_SELCHANGE);
}

void ClickCheckGlyph(HWND check_list, int item) {
    RECT r{};
    SendMessageW(check_list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    RECT client{};
    GetClientRect(check_list, &client);
    if (r.top < 0 || r.bottom > client.bottom) {
        SendMessageW(check_list, LB_SETTOPINDEX, static_cast<WPARAM>(item), 0);
        SendMessageW(check_list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    }
    window_test::click_at(check_list, r.left + 8, (r.top + r.bottom) / 2);
}

bool SaveScreenshot(HWND window, const std::string& name) {
    return window_test::save_screenshot(window, "screenshots\\station_settings", name);
}

} // namespace settings_test
