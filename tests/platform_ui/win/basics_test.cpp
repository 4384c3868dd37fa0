// Windows of the library under Wine: handles, subclass layers, reflection, painting and the
// window property that finds a window's control.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "ui_harness.h"

using namespace ui;

namespace {

class Basics : public ::testing::Test {
protected:
    void SetUp() override { uitest::ensure_application(); }
};

TEST_F(Basics, WindowPropertyFindsTheControlAndClassNamesFollowTheControls) {
    Form form(nullptr);
    auto* edit = new Edit(&form);
    edit->set_parent(&form);
    form.handle_needed();
    HWND h = edit->handle();
    EXPECT_EQ(WinControl::find_control(h), edit);
    EXPECT_NE(GetPropW(h, Control::window_property_name().c_str()), nullptr);
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    EXPECT_STREQ(cls, L"TEdit");
    EXPECT_EQ(WinControl::find_control(GetDesktopWindow()), nullptr);
    std::wstring prop = Control::window_property_name();
    EXPECT_EQ(prop.size(), 10u + 16u);
    EXPECT_EQ(prop.substr(0, 10), L"ControlOfs");
}

TEST_F(Basics, SubclassLayersComeOffInAnyOrder) {
    Form form(nullptr);
    form.handle_needed();
    HWND h = form.handle();
    std::string trace;
    constexpr UINT probe = WM_APP + 7;
    auto layer = [&](char tag) {
        return std::make_unique<WindowSubclass>(h, [&trace, tag](Message& m, const WindowSubclass::Next& next) {
            if (m.msg == probe) trace += tag;
            next(m);
        });
    };
    auto a = layer('A');
    auto b = layer('B');
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "BA");  // the newest layer sees messages first
    a.reset();               // the older layer goes first
    trace.clear();
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "B");
    form.set_caption("still working");
    EXPECT_EQ(form.caption(), "still working");
    b.reset();
    trace.clear();
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "");
    EXPECT_EQ(WinControl::find_control(h), &form);
}

TEST_F(Basics, ReflectedNotificationsReachTheChildAndTheSkinTagIsIgnored) {
    struct Probe : WinControl {
        using WinControl::WinControl;
        int notifies = 0, commands = 0;
        void cn_notify(NMHDR&, Message&) override { ++notifies; }
        void cn_command(WORD, Message&) override { ++commands; }
    };
    Form form(nullptr);
    auto* p = new Probe(&form);
    p->set_parent(&form);
    form.handle_needed();
    NMHDR hdr{p->handle(), 0, NM_CLICK};
    SendMessageW(form.handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
    SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(p->handle()));
    EXPECT_EQ(p->notifies, 1);
    EXPECT_EQ(p->commands, 1);
    // The skin engine's message of the same number: no header behind it.
    SendMessageW(p->handle(), CN_NOTIFY, 0, kSkinNotifyTag);
    PostMessageW(p->handle(), CN_NOTIFY, 0, kSkinNotifyTag);
    uitest::pump(20);
    EXPECT_EQ(p->notifies, 1);
}

TEST_F(Basics, PaintHonoursTheDeviceContextInWParam) {
    Form form(nullptr);
    auto* panel = new Panel(&form);
    panel->set_parent(&form);
    panel->set_bounds(0, 0, 40, 30);
    panel->set_bevel_outer(TBevelCut::bvNone);
    panel->set_color(clRed);
    form.handle_needed();
    Bitmap target(40, 30);
    SendMessageW(panel->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.dc()), 0);
    SendMessageW(panel->handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.dc()), 0);
    EXPECT_EQ(target.pixel(20, 15), 0x0000FFu);
}

TEST_F(Basics, HandlersThatThrowReachTheExceptionHandler) {
    uitest::errors().clear();
    Form form(nullptr);
    form.on_message(WM_APP + 1, [](Message&) { throw std::runtime_error("handler failed"); });
    form.handle_needed();
    SendMessageW(form.handle(), WM_APP + 1, 0, 0);
    ASSERT_EQ(uitest::errors().size(), 1u);
    EXPECT_EQ(uitest::errors()[0], "handler failed");
}

} // namespace
