// Windows of the library under Wine: handles, subclass layers, reflection, painting and the
// window property that finds a window's control.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "platform/ui/win/system_facts.h"
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

// Forms carry the program's icon for their caption and the task list; dialog frames carry none.
TEST_F(Basics, FormsShowTheProgramsIconAndDialogFramesNone) {
    const HICON program = LoadIconW(nullptr, IDI_WARNING);
    const HICON before = application().icon();
    application().set_icon(program);
    const struct {
        TFormBorderStyle style;
        HICON icon;
    } cases[] = {{TFormBorderStyle::bsSizeable, program},
                 {TFormBorderStyle::bsSingle, program},
                 {TFormBorderStyle::bsToolWindow, program},
                 {TFormBorderStyle::bsDialog, nullptr}};
    for (const auto& c : cases) {
        Form form(nullptr);
        form.set_border_style(c.style);
        const HWND h = form.handle();
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(h, WM_GETICON, ICON_SMALL, 0)), c.icon)
            << static_cast<int>(c.style);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(h, WM_GETICON, ICON_BIG, 0)), c.icon)
            << static_cast<int>(c.style);
    }
    application().set_icon(before);
}

TEST_F(Basics, SubclassLayersComeOffInAnyOrder) {
    Form form(nullptr);
    form.handle_needed();
    HWND h = form.handle();
    std::string trace;
    constexpr UINT probe = WM_APP + 7;
    auto layer = [&](char tag) {
        return std::make_unique<WindowSubclass>(
            h,
            [&trace, tag](Message& m, const WindowSubclass::Next& next) {
                if (m.msg == probe) trace += tag;
                next(m);
            },
            std::string(1, tag));
    };
    EXPECT_TRUE(WindowSubclass::layers(h).empty());
    auto a = layer('A');
    auto b = layer('B');
    EXPECT_EQ(WindowSubclass::layers(h), (std::vector<std::string>{"B", "A"}));
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "BA");  // the newest layer sees messages first
    a.reset();               // the older layer goes first
    EXPECT_EQ(WindowSubclass::layers(h), (std::vector<std::string>{"B"}));
    trace.clear();
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "B");
    form.set_caption("still working");
    EXPECT_EQ(form.caption(), "still working");
    b.reset();
    trace.clear();
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "");
    EXPECT_TRUE(WindowSubclass::layers(h).empty());
    EXPECT_EQ(WinControl::find_control(h), &form);
}

// Two users of a control's message entry unhook in either order, also from inside a message.
TEST_F(Basics, MessageFiltersComeOffInAnyOrder) {
    Form form(nullptr);
    form.handle_needed();
    HWND h = form.handle();
    std::string trace;
    constexpr UINT probe = WM_APP + 8;
    auto filter = [&](char tag) {
        return form.window_proc.add(std::string(1, tag), [&trace, tag](Message& m, const MessageChain::Next& next) {
            if (m.msg == probe) trace += tag;
            next(m);
        });
    };
    const auto a = filter('A');
    const auto b = filter('B');
    EXPECT_EQ(form.window_proc.names(), (std::vector<std::string>{"B", "A"}));
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "BA");
    form.window_proc.remove(a);
    form.window_proc.remove(a);  // twice does nothing
    trace.clear();
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "B");
    form.set_caption("filtered");
    EXPECT_EQ(form.caption(), "filtered");
    // A filter that takes itself and the one below it off while a message passes: the message
    // still reaches the control, and neither filter sees anything after.
    MessageChain::Token self = 0;
    self = form.window_proc.add("C", [&](Message& m, const MessageChain::Next& next) {
        if (m.msg == probe) {
            trace += 'C';
            form.window_proc.remove(self);
            form.window_proc.remove(b);
        }
        next(m);
    });
    trace.clear();
    EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 8);
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "C");
    EXPECT_TRUE(form.window_proc.names().empty());
    trace.clear();
    SendMessageW(h, probe, 0, 0);
    EXPECT_EQ(trace, "");
}

TEST_F(Basics, SystemFactsAreReplaceable) {
    const SystemFacts real = system_facts();
    EXPECT_TRUE(real.nt_platform);
    EXPECT_GE(real.major, 5);
    const SystemFacts previous = replace_system_facts({5, 0, true});
    EXPECT_EQ(previous.major, real.major);
    EXPECT_EQ(system_facts().major, 5);
    EXPECT_EQ(system_facts().minor, 0);
    replace_system_facts(previous);
    EXPECT_EQ(system_facts().major, real.major);
    EXPECT_EQ(system_facts().minor, real.minor);
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
