// The control set's combo box under Wine: completion through the edit child with whole Chinese
// characters, text set by code left as set, search in drop-down lists, read-only, the wheel,
// values, and a picture of the open list.
#include <gtest/gtest.h>

#include "controls/ec_cmbo_bx.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

class ProbeComboBox : public TEcComboBox {
public:
    using TEcComboBox::TEcComboBox;
    int beeps = 0;

protected:
    void invalid_key() override { ++beeps; }
};

class EcComboBox : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        ui::theme_services().set_switched_off(true);
        form.set_bounds(100, 100, 260, 240);
        combo = new ProbeComboBox(&form);
        combo->set_parent(&form);
        combo->set_bounds(8, 8, 200, 21);
        combo->on_change = [this](ui::Component*) { ++changes; };
        combo->on_match = [this](ui::Component*) { ++matches; };
        other = new ui::Edit(&form);
        other->set_parent(&form);
        other->set_bounds(8, 180, 200, 21);
    }
    void TearDown() override { ui::theme_services().set_switched_off(false); }

    void type_into_edit(const std::wstring& keys) {
        for (wchar_t k : keys) SendMessageW(combo->edit_handle(), WM_CHAR, k, 0);
    }
    std::pair<int, int> selection() {
        DWORD start = 0, end = 0;
        SendMessageW(combo->handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    void show_and_focus(HWND window) {
        form.show();
        ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(form.handle()) != FALSE; }, 5000));
        SetFocus(window);
        ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == window; }, 5000));
    }

    ui::Form form{nullptr};
    ProbeComboBox* combo = nullptr;
    ui::Edit* other = nullptr;
    int changes = 0, matches = 0;
};

TEST_F(EcComboBox, TypingIntoTheEditCompletesAndSelectsTheTail) {
    combo->add("Alpha");
    combo->add("Alpine");
    form.handle_needed();
    type_into_edit(L"Alp");
    EXPECT_EQ(combo->text(), "Alpha");
    EXPECT_EQ(selection(), std::make_pair(3, 5));
    EXPECT_EQ(combo->item_index(), 0);
    type_into_edit(L"i");
    EXPECT_EQ(combo->text(), "Alpine");
    EXPECT_EQ(selection(), std::make_pair(4, 6));
    EXPECT_EQ(matches, 2);
    const int before = changes;
    EXPECT_GE(before, 4);
    type_into_edit(L"z");  // no item: exactly what was typed
    EXPECT_EQ(combo->text(), "Alpiz");
    EXPECT_EQ(selection(), std::make_pair(5, 5));
    EXPECT_GT(changes, before);
    type_into_edit(L"\b");
    EXPECT_EQ(combo->text(), "Alpine");
    EXPECT_EQ(combo->beeps, 0);
}

TEST_F(EcComboBox, ChineseCharactersEnterAndLeaveWhole) {
    combo->add("\xD6\xD0\xCE\xC4");          // 中文
    combo->add("\xD6\xD0\xB9\xFA\xBC\xD2");  // 中国家
    form.handle_needed();
    type_into_edit(L"\x4E2D");  // 中
    EXPECT_EQ(combo->text(), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(selection(), std::make_pair(1, 2));
    EXPECT_EQ(combo->search_text(), "\xD6\xD0");
    type_into_edit(L"\x56FD");  // 国
    EXPECT_EQ(combo->text(), "\xD6\xD0\xB9\xFA\xBC\xD2");
    EXPECT_EQ(selection(), std::make_pair(2, 3));
    type_into_edit(L"\b");
    EXPECT_EQ(combo->search_text(), "\xD6\xD0");
    EXPECT_EQ(combo->text(), "\xD6\xD0\xCE\xC4");
}

TEST_F(EcComboBox, WithoutAllowEditAKeyThatCompletesNothingBeeps) {
    combo->add("Alpha");
    combo->set_allow_edit(false);
    form.handle_needed();
    type_into_edit(L"a");
    EXPECT_EQ(combo->text(), "Alpha");
    type_into_edit(L"x");
    EXPECT_EQ(combo->beeps, 1);
    EXPECT_EQ(combo->text(), "Alpha");
}

TEST_F(EcComboBox, TextSetByCodeStaysAsSet) {
    combo->add("192.168.1.10");
    combo->add("10.0.0.1");
    form.handle_needed();
    combo->set_text("192.168.1.1");
    EXPECT_EQ(combo->text(), "192.168.1.1");
    EXPECT_EQ(combo->item_index(), -1);
    show_and_focus(combo->edit_handle());
    EXPECT_EQ(combo->text(), "192.168.1.1");
    combo->set_text("");
    EXPECT_EQ(combo->text(), "");
    EXPECT_EQ(combo->item_index(), -1);
}

TEST_F(EcComboBox, LeavingWithATextNotInTheItems) {
    combo->add("Alpha");
    int not_in_list = 0;
    combo->on_not_in_list = [&](ui::Component*) { ++not_in_list; };
    form.handle_needed();
    combo->set_text("elsewhere");
    show_and_focus(combo->edit_handle());
    EXPECT_TRUE(combo->focused());
    SetFocus(other->handle());
    EXPECT_TRUE(window_test::pump_until([&] { return not_in_list == 1; }, 5000));
    combo->set_text("");
    SetFocus(combo->edit_handle());
    SetFocus(other->handle());
    window_test::pump(50);
    EXPECT_EQ(not_in_list, 1);  // an empty text is no text
}

TEST_F(EcComboBox, ReadOnlyKeepsTheTextButStillCopies) {
    combo->add("Alpha");
    combo->add("Beta");
    form.handle_needed();
    combo->set_item_index(0);
    combo->set_read_only(true);
    type_into_edit(L"B");
    EXPECT_EQ(combo->text(), "Alpha");
    SendMessageW(combo->edit_handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo->item_index(), 0);
    SendMessageW(combo->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(combo->item_index(), 0);

    ASSERT_TRUE(OpenClipboard(form.handle()));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(combo->handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    type_into_edit(std::wstring(1, wchar_t{3}));  // Ctrl+C
    std::wstring copied;
    if (OpenClipboard(form.handle())) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
                copied = p;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    EXPECT_EQ(copied, L"Alpha");
}

TEST_F(EcComboBox, DropDownListSearchAndTheWheel) {
    combo->set_style(ui::TComboBoxStyle::csDropDownList);
    combo->add("ODBC");
    combo->add("ACCESS");
    form.handle_needed();
    int clicks = 0;
    combo->on_click = [&](ui::Component*) { ++clicks; };
    SendMessageW(combo->handle(), WM_CHAR, L'o', 0);
    EXPECT_EQ(combo->item_index(), 0);
    SendMessageW(combo->handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(combo->beeps, 1);
    EXPECT_EQ(combo->item_index(), 0);
    EXPECT_EQ(combo->search_text(), "o");
    EXPECT_TRUE(window_test::pump_until([&] { return combo->search_text().empty(); }, 5000));
    SendMessageW(combo->handle(), WM_CHAR, L'a', 0);
    EXPECT_EQ(combo->item_index(), 1);
    EXPECT_EQ(clicks, 2);

    // On the last item the wheel down changes nothing; up steps back with the events.
    SendMessageW(combo->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(combo->item_index(), 1);
    EXPECT_EQ(clicks, 2);
    SendMessageW(combo->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(combo->item_index(), 0);
    EXPECT_EQ(clicks, 3);
}

TEST_F(EcComboBox, ValuesBesideTheItems) {
    combo->set_style(ui::TComboBoxStyle::csDropDownList);
    for (const char* item : {"Local", "Remote", "Both"}) combo->add(item);
    for (const char* value : {"L", "", "B"}) combo->values().add(value);
    form.handle_needed();
    EXPECT_EQ(combo->value_of(1), "Remote");
    EXPECT_EQ(combo->value_of(3), "");
    combo->set_value("B");
    EXPECT_EQ(combo->item_index(), 2);
    combo->set_value("nothing");
    EXPECT_EQ(combo->item_index(), -1);
    SendMessageW(combo->handle(), WM_CHAR, L'l', 0);
    EXPECT_EQ(combo->value(), "L");
}

TEST_F(EcComboBox, PictureOfTheOpenList) {
    ui::set_ordinal_property(*combo, "FrameVisible", 1);
    ui::set_ordinal_property(*combo, "FlatButtons", 1);
    for (const char* item : {"127.0.0.1", "192.168.1.10", "\xB1\xBE\xBB\xFA"}) combo->add(item);  // 本机
    combo->set_item_index(1);
    show_and_focus(other->handle());
    window_test::save_screenshot(form.handle(), "controls_screenshots", "combo_box_normal");
    combo->set_dropped_down(true);
    ASSERT_TRUE(window_test::pump_until([&] { return combo->dropped_down(); }, 5000));
    // The open list is a window of its own: the picture is the form with the list laid over it
    // where it shows on the screen.
    RedrawWindow(form.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RedrawWindow(combo->list_handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    ui::Bitmap picture, list;
    ui::capture_window(form.handle(), picture);
    ui::capture_window(combo->list_handle(), list);
    RECT form_rect{}, list_rect{};
    GetWindowRect(form.handle(), &form_rect);
    GetWindowRect(combo->list_handle(), &list_rect);
    ASSERT_FALSE(list.empty());
    picture.canvas().draw(list_rect.left - form_rect.left, list_rect.top - form_rect.top, list);
    EXPECT_TRUE(window_test::save_picture(picture, "controls_screenshots", "combo_box_dropped_down"));
    combo->set_dropped_down(false);
    combo->set_enabled(false);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "combo_box_disabled");
}

} // namespace
