#include <gtest/gtest.h>

#include "skin/frame_rules.h"
#include "skin/window_filter.h"

namespace {

using skin::FilterVerdict;
using skin::SkinCommand;
using skin::TSkinFormType;
using skin::WindowFacts;

WindowFacts LibraryWindow(const std::string& cls = "TMainForm") {
    WindowFacts w;
    w.has_control = true;
    w.own_module = true;
    w.class_name = cls;
    return w;
}

skin::FilterSettings On(bool main = true, skin::TSkinOptions options = {skin::TSkinOption::xoPreview}) {
    skin::FilterSettings s;
    s.skinning_on = true;
    s.has_main_component = main;
    s.main_options = options;
    return s;
}

struct FilterCase {
    const char* name;
    WindowFacts window;
    skin::FilterSettings settings;
    bool veto_says_skin;
    FilterVerdict expected;
};

WindowFacts With(WindowFacts w, void (*change)(WindowFacts&)) {
    change(w);
    return w;
}

TEST(WindowFilter, Table) {
    const FilterCase cases[] = {
        {"a library main window", LibraryWindow(), On(), true, FilterVerdict::kSkin},
        {"skinning off", LibraryWindow(), skin::FilterSettings{}, true, FilterVerdict::kSkinningOff},
        {"answers the skinned message", With(LibraryWindow(), [](WindowFacts& w) { w.answers_skinned = true; }), On(), true,
         FilterVerdict::kAlreadySkinned},
        {"listed already", With(LibraryWindow(), [](WindowFacts& w) { w.listed = true; }), On(), true,
         FilterVerdict::kAlreadySkinned},
        {"a child window", With(LibraryWindow(), [](WindowFacts& w) { w.child = true; w.parent_class = "TForm"; }), On(),
         true, FilterVerdict::kChildWindow},
        {"a child of an MDI client", With(LibraryWindow(), [](WindowFacts& w) { w.child = true; w.parent_class = "MDIClient"; }),
         On(), true, FilterVerdict::kSkin},
        {"an MDI child", With(LibraryWindow(), [](WindowFacts& w) { w.child = true; w.mdi_child = true; }), On(), true,
         FilterVerdict::kSkin},
        {"another module's window", [] { WindowFacts w; w.class_name = "Edit"; return w; }(), On(), true,
         FilterVerdict::kForeign},
        {"a standard dialog of another module", [] { WindowFacts w; w.class_name = "#32770"; return w; }(), On(), true,
         FilterVerdict::kSkin},
        {"our module's window without a control", [] { WindowFacts w; w.own_module = true; w.class_name = "Ours"; return w; }(),
         On(), true, FilterVerdict::kSkin},
        {"an empty rectangle", With(LibraryWindow(), [](WindowFacts& w) { w.empty_rect = true; }), On(), true,
         FilterVerdict::kEmptyRect},
        {"an empty MDI child", With(LibraryWindow(), [](WindowFacts& w) { w.empty_rect = w.mdi_child = w.child = true; }),
         On(), true, FilterVerdict::kSkin},
        {"Tag 99", With(LibraryWindow(), [](WindowFacts& w) { w.control_tag = 99; }), On(), true, FilterVerdict::kDisabledTag},
        {"Tag 98", With(LibraryWindow(), [](WindowFacts& w) { w.control_tag = 98; }), On(), true, FilterVerdict::kSkin},
        {"TApplication", LibraryWindow("TApplication"), On(), true, FilterVerdict::kExcludedClass},
        {"a render window", LibraryWindow("XTTERenderWindowY"), On(), true, FilterVerdict::kExcludedClass},
        {"a popup edit window", LibraryWindow("TcxPopupEditPopupWindow"), On(), true, FilterVerdict::kExcludedClass},
        {"preview with xoPreview", LibraryWindow("TPrintPreview"), On(), true, FilterVerdict::kSkin},
        {"preview without xoPreview", LibraryWindow("TPrintPreview"), On(true, {}), true, FilterVerdict::kPreview},
        {"preview without a main component", LibraryWindow("TPrintPreview"), On(false, {}), true, FilterVerdict::kSkin},
        {"a dialog that sets itself foreground",
         With(LibraryWindow("#32770"), [](WindowFacts& w) { w.set_foreground = true; }), On(), true,
         FilterVerdict::kSetForeground},
        {"a popup tree view", LibraryWindow("TPopupDBTreeView"), On(), true, FilterVerdict::kPopupTreeView},
        {"vetoed", LibraryWindow(), On(), false, FilterVerdict::kVetoed},
        {"vetoed without a main component", LibraryWindow(), On(false), false, FilterVerdict::kSkin},
    };
    for (const FilterCase& c : cases) {
        bool asked = false;
        const FilterVerdict verdict = skin::FilterWindow(c.window, c.settings, [&] {
            asked = true;
            return c.veto_says_skin;
        });
        EXPECT_EQ(verdict, c.expected) << c.name;
        // The veto is asked only of windows every other step let through.
        if (verdict != FilterVerdict::kSkin && verdict != FilterVerdict::kVetoed) {
            EXPECT_FALSE(asked) << c.name;
        }
    }
    // The skin-all walk lets child windows through.
    skin::FilterSettings all = On();
    all.skinning_all = true;
    EXPECT_EQ(skin::FilterWindow(With(LibraryWindow(), [](WindowFacts& w) { w.child = true; }), all, nullptr),
              FilterVerdict::kSkin);
}

TEST(ChooseSkinComponent, OwnFormThenDialogThenMainThenFirst) {
    using T = TSkinFormType;
    const std::vector<skin::ComponentFacts> three = {{T::sfMainform, false}, {T::sfDialog, false}, {T::sfOnlyThisForm, false}};
    EXPECT_EQ(skin::ChooseSkinComponent(three, "TMainForm"), 0);
    EXPECT_EQ(skin::ChooseSkinComponent(three, "#32770"), 1);
    EXPECT_EQ(skin::ChooseSkinComponent(three, "TMessageForm"), 1);
    std::vector<skin::ComponentFacts> owning = three;
    owning[2].owns_window = true;
    EXPECT_EQ(skin::ChooseSkinComponent(owning, "#32770"), 2);
    // A dialog without a dialog component takes the main one; the last of a kind wins.
    EXPECT_EQ(skin::ChooseSkinComponent({{T::sfMainform, false}, {T::sfMainform, false}}, "#32770"), 1);
    EXPECT_EQ(skin::ChooseSkinComponent({{T::sfDLL, false}, {T::sfDialog, false}}, "TForm1"), 0);
    EXPECT_EQ(skin::ChooseSkinComponent({}, "TForm1"), -1);
}

TEST(CommandLatch, BeforeTheStartOnlySwitchesSkinning) {
    skin::CommandLatch latch;
    latch.Issue(SkinCommand::kSkinAll, 250);
    EXPECT_TRUE(latch.skinning_on());
    EXPECT_FALSE(latch.timer_enabled());
    latch.Issue(SkinCommand::kUnskinAll, 250);
    EXPECT_FALSE(latch.skinning_on());
    latch.Issue(SkinCommand::kRefresh, 250);
    EXPECT_FALSE(latch.skinning_on());
    EXPECT_FALSE(latch.timer_enabled());
}

TEST(CommandLatch, TheLastCommandWithinTheDelayRuns) {
    skin::CommandLatch latch;
    latch.Start();
    latch.Issue(SkinCommand::kUnskinAll, 250);
    latch.Issue(SkinCommand::kSkinAll, 100);
    EXPECT_TRUE(latch.timer_enabled());
    EXPECT_EQ(latch.interval(), 100u);
    EXPECT_FALSE(latch.skinning_on());  // the timer switches it
    EXPECT_EQ(latch.Take(), SkinCommand::kSkinAll);
    EXPECT_FALSE(latch.timer_enabled());
    EXPECT_EQ(latch.Take(), SkinCommand::kNone);
}

TEST(FrameRules, FrameKind) {
    using namespace skin::style_bits;
    using K = skin::FrameKind;
    EXPECT_EQ(skin::ChooseFrameKind(kCaption | kThickFrame, 0, false), K::kSizable);
    EXPECT_EQ(skin::ChooseFrameKind(kCaption, 0, false), K::kFixed);
    EXPECT_EQ(skin::ChooseFrameKind(kThickFrame, 0, false), K::kNoCaption);
    EXPECT_EQ(skin::ChooseFrameKind(kCaption | kThickFrame | kModalFrame, 0, false), K::kDialog);
    EXPECT_EQ(skin::ChooseFrameKind(kCaption, kExDlgModalFrame, false), K::kDialog);
    EXPECT_EQ(skin::ChooseFrameKind(kCaption | kThickFrame, 0, true), K::kDialog);
}

TEST(FrameRules, SkinFrameFromBorderPictures) {
    skin::SkinDescription d;
    d.borders[skin::kTopBorder].bitmap = skin::Image32(40, 60, 0);  // two stacked frames
    d.borders[skin::kTopBorder].frame = 2;
    d.borders[skin::kLeftBorder].bitmap = skin::Image32(8, 30, 0);
    d.borders[skin::kLeftBorder].frame = 2;
    d.borders[skin::kRightBorder].bitmap = skin::Image32(5, 30, 0);
    d.borders[skin::kRightBorder].frame = 1;
    // No bottom picture: that side has no frame.
    EXPECT_EQ(skin::SkinFrameOf(d, true), (skin::SkinFrame{4, 30, 5, 0, 0}));
    EXPECT_EQ(skin::SkinFrameOf(d, false), skin::SkinFrame{});
    d.borders[skin::kRightBorder].frame = 0;
    EXPECT_EQ(skin::SkinFrameOf(d, true).right, 0);
}

TEST(FrameRules, KeepsSysMenuStyleOnMinorZeroSystems) {
    EXPECT_TRUE(skin::KeepsSysMenuStyle(5, 0, false, false, false));
    EXPECT_TRUE(skin::KeepsSysMenuStyle(6, 0, true, true, false));
    EXPECT_FALSE(skin::KeepsSysMenuStyle(5, 1, true, false, false));
    EXPECT_FALSE(skin::KeepsSysMenuStyle(4, 0, true, false, false));
    EXPECT_FALSE(skin::KeepsSysMenuStyle(5, 0, false, true, false));
    EXPECT_FALSE(skin::KeepsSysMenuStyle(5, 0, false, false, true));
}

TEST(FrameRules, ClientNeverInverted) {
    const skin::SkinFrame f{4, 30, 5, 6, 19};
    EXPECT_EQ(skin::ClientOfWindow({100, 50, 500, 350}, f), (skin::Rect{104, 99, 495, 344}));
    // Borders wider than a 1 x 1 window leave an empty client inside the window.
    const skin::Rect tiny = skin::ClientOfWindow({10, 10, 11, 11}, f);
    EXPECT_EQ(tiny.width(), 0);
    EXPECT_EQ(tiny.height(), 0);
    EXPECT_GE(tiny.left, 10);
    EXPECT_LE(tiny.right, 11);
    EXPECT_EQ(skin::OuterSize(391, 245, f), std::make_pair(400, 300));
    EXPECT_EQ(skin::UnskinnedSize(400, 300, 16, 39, f), std::make_pair(407, 284));
}

TEST(FrameRules, DialogWidenedToItsCaption) {
    EXPECT_EQ(skin::WidenDialog(200, 150).width, 200);
    EXPECT_EQ(skin::WidenDialog(200, 150).shift, 0);
    EXPECT_EQ(skin::WidenDialog(200, 251).width, 251);
    EXPECT_EQ(skin::WidenDialog(200, 251).shift, 25);
}

TEST(FrameRules, HitTestTable) {
    const skin::SkinFrame with_menu{4, 30, 4, 4, 20};
    const skin::SkinFrame without_menu{4, 30, 4, 4, 0};
    struct Case {
        int system, y;
        const skin::SkinFrame* frame;
        int expected;
    } cases[] = {
        {skin::kHtNowhere, 3, &without_menu, skin::kHtNowhere},  // the top three pixels keep "nowhere"
        {skin::kHtNowhere, 4, &without_menu, skin::kHtCaption},
        {skin::kHtCaption, 2, &without_menu, skin::kHtCaption},
        {skin::kHtNowhere, 29, &with_menu, skin::kHtCaption},
        {skin::kHtNowhere, 30, &with_menu, skin::kHtMenu},
        {skin::kHtCaption, 45, &with_menu, skin::kHtMenu},
        {skin::kHtNowhere, 45, &without_menu, skin::kHtCaption},
        {skin::kHtClient, 45, &with_menu, skin::kHtClient},  // other answers stand
        {17 /* HTBOTTOMRIGHT */, 200, &with_menu, 17},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::SkinHitTest(c.system, 10, c.y, *c.frame), c.expected) << c.system << " at " << c.y;
}

skin::TDataSkinSysButton Button(int action, int visibility, int visibility1 = 0) {
    skin::TDataSkinSysButton b;
    b.action = action;
    b.visibility = visibility;
    b.visibility1 = visibility1;
    return b;
}

TEST(CaptionButtons, VisibilityCodes) {
    skin::CaptionState normal;
    normal.minimize_box = normal.maximize_box = normal.window_menu = true;
    skin::CaptionState maximised = normal;
    maximised.maximised = true;
    skin::CaptionState inactive_tool;  // no boxes, no menu
    inactive_tool.active = false;
    skin::CaptionState help = inactive_tool;
    help.context_help = true;
    struct Case {
        int code;
        bool second;
        const skin::CaptionState* window;
        bool expected;
    } cases[] = {
        {0, false, &normal, true},         {1, false, &normal, false},       {1, true, &maximised, true},
        {2, false, &maximised, false},     {3, false, &inactive_tool, false}, {4, true, &inactive_tool, true},
        {6, false, &normal, true},         {6, false, &inactive_tool, false}, {7, false, &normal, false},
        {9, false, &inactive_tool, true},  {10, false, &help, true},          {10, true, &help, true},
        {10, false, &normal, false},       {5, false, &normal, false},        {100, false, &normal, false},
        {200, true, &normal, false},       {500, false, &normal, true},       {500, true, &normal, false},
        {2001, false, &normal, false},     {-1, false, &normal, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::VisibilityAllows(c.code, c.second, *c.window), c.expected) << c.code << (c.second ? " (second)" : "");

    skin::CaptionState mdi = normal;
    mdi.child_maximised_in_menu_bar = true;
    EXPECT_TRUE(skin::VisibilityAllows(100, true, mdi));
    skin::CaptionState dialog_frame = normal;
    dialog_frame.dialog_frame = true;
    EXPECT_TRUE(skin::VisibilityAllows(200, false, dialog_frame));
    dialog_frame.dialog_class = true;
    EXPECT_FALSE(skin::VisibilityAllows(200, false, dialog_frame));
}

TEST(CaptionButtons, LookByAction) {
    skin::CaptionState plain;  // no boxes, no window menu
    EXPECT_FALSE(skin::CaptionButtonLook(Button(0, 0), plain, nullptr).visible);
    EXPECT_FALSE(skin::CaptionButtonLook(Button(1, 0), plain, nullptr).enabled);
    EXPECT_TRUE(skin::CaptionButtonLook(Button(1, 0), plain, nullptr).visible);
    skin::CaptionState boxes = plain;
    boxes.window_menu = boxes.minimize_box = true;
    EXPECT_TRUE(skin::CaptionButtonLook(Button(2, 0), boxes, nullptr).enabled);
    EXPECT_FALSE(skin::CaptionButtonLook(Button(1, 0), boxes, nullptr).enabled);
    boxes.dialog_frame = true;
    EXPECT_FALSE(skin::CaptionButtonLook(Button(3, 0), boxes, nullptr).visible);
    // Codes 1000 to 2000 ask the window, with the action.
    int asked_code = 0, asked_action = 0;
    const auto ask = [&](int code, int action) {
        asked_code = code, asked_action = action;
        return code == 1500;
    };
    EXPECT_TRUE(skin::CaptionButtonLook(Button(5, 1500), plain, ask).visible);
    EXPECT_EQ(asked_code, 1500);
    EXPECT_EQ(asked_action, 5);
    EXPECT_FALSE(skin::CaptionButtonLook(Button(5, 1501), plain, ask).visible);
    EXPECT_FALSE(skin::CaptionButtonLook(Button(5, 0, 1500), plain, ask).visible);  // never as the second code
}

TEST(CaptionButtons, Alignment) {
    skin::CaptionPlaces p;
    p.window_width = 300;
    p.text_left = 40;
    p.text_right = 120;
    p.right_border = 4;
    p.top_border = 30;
    p.menu_bar = 20;
    p.menu_bar_left_width = 2;
    struct Case {
        int align, x, y;
        std::pair<int, int> expected;
    } cases[] = {
        {0, 5, 6, {5, 6}},        {1, 25, 6, {275, 6}},      {2, 3, 6, {21, 6}}, {8, 3, 6, {21, 6}},
        {3, 3, 6, {123, 6}},      {9, 3, 6, {123, 6}},       {100, 40, 0, {254, 33}},
        {77, 5, 6, {5, 6}},
    };
    for (const Case& c : cases) {
        skin::TDataSkinSysButton b;
        b.align = c.align, b.x = c.x, b.y = c.y;
        EXPECT_EQ(skin::CaptionButtonOrigin(b, 16, 14, p), c.expected) << "align " << c.align;
    }
}

TEST(CaptionButtons, ActionsHintsAndFrames) {
    using A = skin::CaptionAction;
    EXPECT_EQ(skin::ActionOf(0), A::kClose);
    EXPECT_EQ(skin::ActionOf(22), A::kMaximise);
    EXPECT_EQ(skin::ActionOf(23), A::kMinimise);
    EXPECT_EQ(skin::ActionOf(12), A::kWindowMenu);
    EXPECT_EQ(skin::ActionOf(4), A::kHelp);
    EXPECT_EQ(skin::ActionOf(61), A::kChildRestore);
    EXPECT_EQ(skin::ActionOf(5), A::kPost);
    EXPECT_EQ(skin::CaptionHintOf(0), "Close");
    EXPECT_EQ(skin::CaptionHintOf(8), "Restore");
    EXPECT_EQ(skin::CaptionHintOf(5), "");
    // In the title: inactive or disabled buttons take frame 4 when the strip has it.
    EXPECT_EQ(skin::TitleButtonFrame(5, true, true), 1);
    EXPECT_EQ(skin::TitleButtonFrame(5, false, true), 4);
    EXPECT_EQ(skin::TitleButtonFrame(5, true, false), 4);
    EXPECT_EQ(skin::TitleButtonFrame(3, false, false), 1);
    EXPECT_EQ(skin::StateButtonFrame(5, 2, true, false), 2);
    EXPECT_EQ(skin::StateButtonFrame(5, 3, false, false), 4);
    EXPECT_EQ(skin::StateButtonFrame(3, 3, false, false), 1);
    EXPECT_EQ(skin::StateButtonFrame(4, 3, true, true), 4);
}

} // namespace
