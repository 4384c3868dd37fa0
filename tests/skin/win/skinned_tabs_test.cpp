// The tab control's skin on bare "SysTabControl32" windows in the four orientations and on the
// layer's page control with its sheets: tabs from the skin's strip with their outer side
// outward, the band of vertical | bottom tabs on the right, the scroll arrows never painted
// over and drawn by the up-down skin, and pictures in both of the programs' own skins.
#include <windows.h>

#include <commctrl.h>

#include <set>

#include <gtest/gtest.h>

#include "platform/ui/win/comctl_controls.h"
#include "skin/tab_faces.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_tabs.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::Image32;
using skin::Rect;
using skin::TabSide;
using skin::TSkinData;
using skin::TWinSkinForm;

class SkinnedTabs : public SkinnedTest {};

// A page control of the other family: it publishes the two tab pictures the skin fills.
class TestAdvPage : public ui::PageControl {
    UI_CLASS_IDENTITY()
public:
    using ui::PageControl::PageControl;
    ui::Bitmap normal, active;
};

ui::ClassInfo& TestAdvPage::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TTestAdvPageControl", &ui::PageControl::static_class());
        ui::PropBuilder<TestAdvPage>(c)
            .object("TabBackGround", ui::PropKind::Object, "TBitmap", [](TestAdvPage& p) -> ui::Persistent* { return &p.normal; })
            .object("TabBackGroundActive", ui::PropKind::Object, "TBitmap",
                    [](TestAdvPage& p) -> ui::Persistent* { return &p.active; });
        return c;
    }();
    return info;
}

void AddTabs(HWND tabs, int count, const wchar_t* prefix = L"Tab") {
    for (int i = 0; i < count; ++i) {
        std::wstring text = std::wstring(prefix) + L" " + std::to_wstring(i + 1);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

HWND BareTabs(HWND parent, DWORD style, int x, int y, int w, int h, int count, const wchar_t* prefix = L"Tab") {
    HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    AddTabs(tabs, count, prefix);
    return tabs;
}

HWND ArrowsOf(HWND tabs) { return FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr); }

// The window's client area as it shows, painted afresh.
Image32 Shown(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT r{};
    GetClientRect(window, &r);
    ui::Bitmap picture(r.right, r.bottom);
    HDC dc = GetDC(window);
    BitBlt(picture.dc(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return skin::ImageFromBitmap(picture);
}

// A left press and release at the middle of a rectangle of the window, sent.
void ClickIn(HWND window, const Rect& r, bool* pressed_between = nullptr, const skin::TSkinUpDown* skin = nullptr) {
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (pressed_between && skin) *pressed_between = skin->pressed();
    SendMessageW(window, WM_LBUTTONUP, 0, at);
}

// The skin's painting of the whole control in a memory bitmap of its size on 'ground'.
Image32 PaintedInMemory(skin::TSkinTab& skin, HWND tabs, std::uint32_t ground = 0x123456) {
    RECT r{};
    GetWindowRect(tabs, &r);
    const Image32 fill(r.right - r.left, r.bottom - r.top, ground);
    ui::Bitmap memory;
    skin::AssignImage(memory, fill);
    skin.PaintSkin(memory.dc(), {0, 0, memory.width(), memory.height()});
    return skin::ImageFromBitmap(memory);
}

// The colours of the top row of frame `index` of the skin's tab strip, magenta left out.
std::set<std::uint32_t> OuterRow(const skin::TDataSkinBorder& tabs, int index) {
    std::set<std::uint32_t> out;
    const int fw = tabs.bitmap.width() / 5;
    for (int x = 0; x < fw; ++x) {
        const std::uint32_t p = tabs.bitmap.at((index - 1) * fw + x, 0);
        if (p != skin::kKeyPixel) out.insert(p);
    }
    return out;
}

TEST_F(SkinnedTabs, FourOrientationsDrawTheirTabsOutward) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        const std::string skin_name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned tabs", 560, 420);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();
        const skin::TDataSkinBorder& strip = *data->Skin()->tabs;

        struct Case {
            const char* name;
            DWORD style;
            TabSide side;
            int x, y;
        };
        const Case cases[] = {
            {"top", 0, TabSide::kTop, 10, 10},
            {"bottom", TCS_BOTTOM, TabSide::kBottom, 280, 10},
            {"left", TCS_VERTICAL | TCS_MULTILINE, TabSide::kLeft, 10, 190},
            {"right", TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE, TabSide::kRight, 280, 190},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            HWND tabs = BareTabs(w.handle(), c.style, c.x, c.y, 250, 160, 3);
            SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
            auto* s = static_cast<skin::TSkinTab*>(form->OwnWindowSkin(std::make_unique<skin::TSkinTab>(nullptr)));
            s->AttachWindow(tabs, data, form);
            ASSERT_TRUE(s->attached());
            EXPECT_EQ(s->side(), c.side);
            const Image32 shown = PaintedInMemory(*s, tabs);

            RECT display{0, 0, shown.width(), shown.height()};
            SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
            const Rect pane = skin::TabPaneRect(ui::from_rect(display), c.side);
            const Rect band = skin::TabBandRect(shown.width(), shown.height(), pane, c.side);
            if (c.side == TabSide::kRight) {
                EXPECT_GT(band.left, shown.width() / 2);  // the band on the right
            }
            for (int i = 0; i < 3; ++i) {
                SCOPED_TRACE(i);
                RECT r{};
                ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)));
                const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
                // The strip's outer row lands on the tab's side away from the pane.
                int x = mx, y = my;
                switch (c.side) {
                case TabSide::kTop: y = r.top + 1; break;
                case TabSide::kBottom: y = r.bottom - 2; break;
                case TabSide::kLeft: x = r.left; break;
                case TabSide::kRight: x = r.right - 1; break;
                }
                const auto outer = OuterRow(strip, i == 1 ? 2 : 1);
                ASSERT_FALSE(outer.empty());
                EXPECT_EQ(outer.count(shown.at(x, y)), 1u) << x << "," << y;
            }
            // Nothing of the ground is left in the band or the pane's frame.
            EXPECT_NE(shown.at(band.left + 1, band.top + 1), 0x123456u);
            EXPECT_NE(shown.at(pane.left + 1, (pane.top + pane.bottom) / 2), 0x123456u);
        }
        window_test::save_screenshot(w.handle(), "skinned_tabs", skin_name + "_orientations");
    }
}

TEST_F(SkinnedTabs, ScrollArrowsAreNeverPaintedOver) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Skinned tab arrows", 400, 200);
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    // Thirty tabs in 220 pixels, one of them with a 200-character text and one empty.
    HWND tabs = BareTabs(w.handle(), 0, 10, 10, 220, 120, 28, L"A tab");
    std::wstring long_text(200, L'W');
    for (const wchar_t* t : {long_text.c_str(), L""}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(t);
        SendMessageW(tabs, TCM_INSERTITEMW, 2, reinterpret_cast<LPARAM>(&item));
    }
    auto* s = static_cast<skin::TSkinTab*>(form->OwnWindowSkin(std::make_unique<skin::TSkinTab>(nullptr)));
    s->AttachWindow(tabs, data, form);
    window_test::pump(0);
    const Rect arrows = s->ArrowsRect();
    ASSERT_GT(arrows.width(), 0) << "no scroll arrows shown";

    auto read = [&] {
        HDC dc = GetDC(tabs);
        ui::Bitmap picture(arrows.width(), arrows.height());
        BitBlt(picture.dc(), 0, 0, arrows.width(), arrows.height(), dc, arrows.left, arrows.top, SRCCOPY);
        ReleaseDC(tabs, dc);
        return skin::ImageFromBitmap(picture);
    };
    UpdateWindow(tabs);
    window_test::pump(0);
    const Image32 before = read();
    s->PaintSkinWindow(nullptr);
    EXPECT_EQ(read(), before);
    // In memory the arrows' place is left as it was.
    const Image32 memory = PaintedInMemory(*s, tabs, 0x654321);
    EXPECT_EQ(memory.at(arrows.left + 1, arrows.top + 1), 0x654321u);
    window_test::save_screenshot(w.handle(), "skinned_tabs", "arrows");
}

TEST_F(SkinnedTabs, ScrollArrowsTakeTheUpDownSkinAndGiveItBack) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        const std::string skin_name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned tab arrows", 480, 200);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();
        SetCursorPos(5, 5);  // no half hot
        // The system's own arrows, for the look given back.
        HWND plain = BareTabs(w.handle(), 0, 250, 10, 220, 120, 30);
        ASSERT_NE(ArrowsOf(plain), nullptr);
        const Image32 system_look = Shown(ArrowsOf(plain));

        // The skin comes before the tabs, so before the arrows.
        HWND tabs = BareTabs(w.handle(), 0, 10, 10, 220, 120, 0);
        auto* s = static_cast<skin::TSkinTab*>(form->OwnWindowSkin(std::make_unique<skin::TSkinTab>(nullptr)));
        s->AttachWindow(tabs, data, form);
        ASSERT_TRUE(s->attached());
        EXPECT_EQ(s->arrows_skin(), nullptr);
        AddTabs(tabs, 30);
        ASSERT_TRUE(window_test::pump_until([&] { return s->arrows_skin() != nullptr; }, 5000)) << "arrows never skinned";
        HWND arrows = ArrowsOf(tabs);
        skin::TSkinUpDown* spin = s->arrows_skin();
        EXPECT_EQ(spin->window(), arrows);
        EXPECT_EQ(SendMessageW(arrows, skin::kMsgIsSkinned, 0, 0), 1);
        EXPECT_TRUE(spin->horizontal());

        // The window shows the up-down skin's picture, made of the skin's colours only.
        const Image32 shown = Shown(arrows);
        EXPECT_FALSE(shown == system_look);
        EXPECT_EQ(spin->halves()[0].frame, 1);  // left, normal
        EXPECT_EQ(spin->halves()[1].frame, 5);  // right, normal
        ui::Bitmap memory(shown.width(), shown.height());
        spin->PaintSkin(memory.dc(), {0, 0, shown.width(), shown.height()});
        EXPECT_EQ(skin::ImageFromBitmap(memory), shown);
        const skin::SkinDescription& d = *data->Skin();
        std::set<std::uint32_t> allowed{skin::PixelFromColor(d.colours[skin::kButtonFace])};
        if (d.up_down_horz && !d.up_down_horz->bitmap.empty()) {
            for (const Image32* strip : {&d.up_down_horz->bitmap, &d.up_down_horz->bitmap2})
                for (int y = 0; y < strip->height(); ++y)
                    for (int x = 0; x < strip->width(); ++x) allowed.insert(strip->at(x, y));
        } else {
            allowed.insert(skin::PixelFromColor(d.colours[skin::kButtonShadow]));
            allowed.insert(skin::PixelFromColor(d.colours[skin::kButtonDkShadow]));
        }
        int strange = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) strange += allowed.count(shown.at(x, y)) ? 0 : 1;
        EXPECT_EQ(strange, 0);

        // A click on the right arrow scrolls the tabs on, one on the left scrolls them back.
        RECT first{};
        SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        bool pressed = false;
        ClickIn(arrows, spin->halves()[1].rect, &pressed, spin);
        EXPECT_TRUE(pressed);
        EXPECT_FALSE(spin->pressed());
        RECT moved{};
        SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&moved));
        EXPECT_LT(moved.left, first.left);
        window_test::save_screenshot(w.handle(), "skinned_tabs", skin_name + "_arrows_skinned");
        ClickIn(arrows, spin->halves()[0].rect);
        RECT back{};
        SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&back));
        EXPECT_EQ(back.left, first.left);

        // Unskinning the tabs gives the arrows back to the system (its arrow clicked last
        // stays hot until the mouse leaves).
        s->Unskin();
        EXPECT_EQ(s->arrows_skin(), nullptr);
        EXPECT_EQ(SendMessageW(arrows, skin::kMsgIsSkinned, 0, 0), 0);
        SendMessageW(arrows, WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(Shown(arrows), system_look);
        window_test::save_screenshot(w.handle(), "skinned_tabs", skin_name + "_arrows_given_back");

        // A tab skin that goes without unskinning takes the arrows' skin with it.
        auto again = std::make_unique<skin::TSkinTab>(nullptr);
        again->AttachWindow(tabs, data, form);
        ASSERT_NE(again->arrows_skin(), nullptr);  // the arrows were there already
        EXPECT_EQ(SendMessageW(arrows, skin::kMsgIsSkinned, 0, 0), 1);
        again.reset();
        EXPECT_EQ(SendMessageW(arrows, skin::kMsgIsSkinned, 0, 0), 0);
        EXPECT_EQ(Shown(arrows), system_look);
    }
}

TEST_F(SkinnedTabs, PageControlAndSheets) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned pages", 360, 220);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();
        auto* pages = new ui::PageControl(w.form.get());
        pages->set_parent(w.form.get());
        pages->set_bounds(10, 10, 300, 160);
        std::vector<ui::TabSheet*> sheets;
        for (const char* caption : {"General", "Devices", "About"}) {
            auto* sheet = new ui::TabSheet(w.form.get());
            sheet->set_page_control(pages);
            sheet->set_caption(caption);
            sheets.push_back(sheet);
        }
        pages->set_active_page_index(1);
        auto* tab_skin = new skin::TSkinTab(pages);
        tab_skin->AttachControl(form, data, true);
        ASSERT_TRUE(tab_skin->attached());
        for (ui::TabSheet* sheet : sheets) {
            auto* sheet_skin = new skin::TSkinTabSheet(sheet);
            sheet_skin->AttachControl(form, data, true);
        }
        window_test::save_screenshot(w.handle(), "skinned_tabs", std::string("pages_") + (path == kDefaultSkin ? "default" : "contrast"));
        // The shown sheet is face-coloured.
        HWND sheet = sheets[1]->handle();
        RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(sheet);
        const COLORREF at = GetPixel(dc, 5, 5);
        ReleaseDC(sheet, dc);
        EXPECT_EQ(at, ui::to_colorref(data->Skin()->colours[skin::kButtonFace]));
        // The memory picture of the control has the selected tab's strip row outward.
        const Image32 shown = PaintedInMemory(*tab_skin, pages->handle());
        RECT r{};
        SendMessageW(pages->handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(OuterRow(*data->Skin()->tabs, 2).count(shown.at((r.left + r.right) / 2, r.top + 1)), 1u);
    }
}

// The older tab set: it publishes its tabs and where they start.
class TestTabSet : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    using ui::CustomControl::CustomControl;
    std::string tabs;
    std::int64_t first = 0, start = 4, end = 6, index = 0;
};

ui::ClassInfo& TestTabSet::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TTABSET", &ui::CustomControl::static_class());
        ui::PropBuilder<TestTabSet>(c)
            .string("Tabs", [](const TestTabSet& t) { return t.tabs; }, [](TestTabSet& t, const std::string& v) { t.tabs = v; })
            .integer("FirstIndex", [](const TestTabSet& t) { return t.first; }, [](TestTabSet& t, std::int64_t v) { t.first = v; })
            .integer("StartMargin", [](const TestTabSet& t) { return t.start; }, [](TestTabSet& t, std::int64_t v) { t.start = v; })
            .integer("EndMargin", [](const TestTabSet& t) { return t.end; }, [](TestTabSet& t, std::int64_t v) { t.end = v; })
            .integer("TabIndex", [](const TestTabSet& t) { return t.index; }, [](TestTabSet& t, std::int64_t v) { t.index = v; });
        return c;
    }();
    return info;
}

TEST_F(SkinnedTabs, TabSetDrawsEveryTabThatFits) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned tab set", 400, 160);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();
        auto* set = new TestTabSet(w.form.get());
        set->set_parent(w.form.get());
        set->set_bounds(10, 10, 300, 24);
        set->tabs = "First\r\nSecond\r\n\r\nFourth tab\r\nFifth";
        set->first = 1;
        set->index = 3;
        auto* s = new skin::TSkinTab31(set);
        s->AttachControl(form, data, true);
        ASSERT_TRUE(s->attached());

        // The widths the tab set's font gives.
        std::vector<int> widths;
        {
            ui::Bitmap probe(10, 10);
            const ui::GdiObject<HFONT> font(ui::create_font(set->font()));
            SelectObject(probe.dc(), font.get());
            for (const wchar_t* t : {L"First", L"Second", L"", L"Fourth tab", L"Fifth"}) {
                RECT r{0, 0, 0, 0};
                if (*t) DrawTextW(probe.dc(), t, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
                widths.push_back(r.right - r.left);
            }
        }
        // Wide enough for tabs 1 to 3 exactly, then one pixel short of it.
        const int exact = 4 + (widths[1] + 9) + (widths[2] + 9) + (widths[3] + 9) + 6;
        const skin::TDataSkinBorder& strip = *data->Skin()->tabs;
        const int fw = strip.bitmap.width() / 5;
        for (const int width : {exact, exact - 1}) {
            SCOPED_TRACE(width);
            set->set_width(width);
            const auto fit = skin::FitTabSet(widths, 1, width, 24, 4, 6, false);
            ASSERT_EQ(fit.size(), width == exact ? 3u : 2u);
            ui::Bitmap memory(width, 24);
            s->PaintSkin(memory.dc(), {0, 0, width, 24});
            const Image32 shown = skin::ImageFromBitmap(memory);
            for (const auto& t : fit) {
                // The strip hangs upside down: its outer row is the tab's bottom row.
                const int frame = t.index == 3 ? 2 : 1;
                const std::uint32_t want = strip.bitmap.at((frame - 1) * fw + fw / 2, 0);
                EXPECT_EQ(shown.at((t.rect.left + t.rect.right) / 2, t.rect.bottom - 1), want) << t.index;
            }
            // After the last tab that fits, the face colour.
            const std::uint32_t face = skin::PixelFromColor(data->Skin()->colours[skin::kButtonFace]);
            EXPECT_EQ(shown.at(fit.back().rect.right + 1, 12), face);
            window_test::save_screenshot(w.handle(), "skinned_tabs",
                                         std::string("tabset_") + (path == kDefaultSkin ? "default_" : "contrast_") +
                                             (width == exact ? "exact" : "short"));
        }
    }
}

TEST_F(SkinnedTabs, ButtonStyleTabsAndAdvancedPagePictures) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        const std::string skin_name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned button tabs", 360, 220);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();

        // Button-style tabs: the Buttons frames, 2 for the focus tab, one pixel lower.
        HWND buttons = BareTabs(w.handle(), TCS_BUTTONS, 10, 10, 300, 60, 3);
        SendMessageW(buttons, TCM_SETCURFOCUS, 2, 0);
        auto* s = static_cast<skin::TSkinTabBtn*>(form->OwnWindowSkin(std::make_unique<skin::TSkinTabBtn>(nullptr)));
        s->AttachWindow(buttons, data, form);
        RECT r{};
        GetWindowRect(buttons, &r);
        ui::Bitmap memory(r.right - r.left, r.bottom - r.top);
        s->PaintSkin(memory.dc(), {0, 0, memory.width(), memory.height()});
        const Image32 shown = skin::ImageFromBitmap(memory);
        const skin::TDataSkinButton& face = *data->Skin()->buttons;
        const int fw = face.bitmap.width() / 5;
        int corners = 0;
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            RECT t{};
            SendMessageW(buttons, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
            // The face's top-left corner piece lands on the tab's corner, one pixel lower.
            const std::uint32_t corner = face.bitmap.at((i == 2 ? 1 : 0) * fw, 0);
            if (corner != skin::kKeyPixel) {
                EXPECT_EQ(shown.at(t.left, t.top + 1), corner);
                ++corners;
            }
            // The middle of the face's top edge, away from the text.
            EXPECT_EQ(shown.at((t.left + t.right) / 2, t.top + 1), face.bitmap.at((i == 2 ? 1 : 0) * fw + fw / 2, 0));
        }
        EXPECT_EQ(corners, 3);
        window_test::save_screenshot(w.handle(), "skinned_tabs", skin_name + "_buttons");

        // The advanced page control gets both pictures, and loses them when unskinned.
        auto* adv = new TestAdvPage(w.form.get());
        adv->set_parent(w.form.get());
        adv->set_bounds(10, 90, 300, 100);
        auto* adv_skin = new skin::TSkinAdvPage(adv);
        adv_skin->AttachControl(form, data, true);
        ASSERT_TRUE(adv_skin->attached());
        const skin::TDataSkinBorder& tabs = *data->Skin()->tabs;
        const skin::Margins m{tabs.left_width, tabs.top_height, tabs.right_width, tabs.bottom_height};
        EXPECT_EQ(skin::ImageFromBitmap(adv->normal), skin::AdvPageTabPicture(tabs.bitmap, 5, 1, m, tabs.tile != 0));
        EXPECT_EQ(skin::ImageFromBitmap(adv->active), skin::AdvPageTabPicture(tabs.bitmap, 5, 2, m, tabs.tile != 0));
        EXPECT_EQ(adv->normal.width(), 100);
        EXPECT_EQ(adv->active.height(), 21);
        adv_skin->Unskin();
        EXPECT_TRUE(adv->normal.empty());
        EXPECT_TRUE(adv->active.empty());
    }
}

TEST_F(SkinnedTabs, WithoutTheTabsElementNothingIsDrawn) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Skinned tabs, no element", 300, 200);
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    HWND tabs = BareTabs(w.handle(), 0, 10, 10, 200, 120, 0);  // no tabs at all
    auto* s = static_cast<skin::TSkinTab*>(form->OwnWindowSkin(std::make_unique<skin::TSkinTab>(nullptr)));
    s->AttachWindow(tabs, data, form);
    const Image32 no_tabs = PaintedInMemory(*s, tabs);
    EXPECT_NE(no_tabs.at(no_tabs.width() / 2, no_tabs.height() - 2), 0x123456u);  // the pane still
    auto& skin = const_cast<skin::SkinDescription&>(*data->Skin());
    auto kept = std::move(skin.tabs);
    skin.tabs.reset();
    const Image32 bare = PaintedInMemory(*s, tabs);
    EXPECT_EQ(bare, Image32(bare.width(), bare.height(), 0x123456));
    skin.tabs = std::move(kept);
}

} // namespace
