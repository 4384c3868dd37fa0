// Skinned scroll bars on live windows: the drawn panels over the system's bars of list views,
// list boxes and memos, following the list as it is sized, hidden and shown; presses handed to
// the system's scrolling; a bar shorter than two buttons; the size box; the list view's header
// with its hot item; the renewal after a window is re-created; scroll bar controls; the thumb
// drag of a combo box's list; and pictures in both of our skins.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "platform/ui/win/list_view.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "skin/scroll_geometry.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_combo_scroll.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_header.h"
#include "skin/win/skin_scrolled.h"
#include "skin/skin_packer.h"
#include "tests/skin/skin_test_data.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/window_test.h"
#include "tools/skingen/skin_generator.h"

namespace {

using namespace skinned_test;
using skin::TWScrollbar;

class SkinnedScroll : public SkinnedTest {};

SCROLLBARINFO BarInfo(HWND window, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, object, &info);
    return info;
}

bool Showing(const TWScrollbar* panel) { return panel && panel->shown() && IsWindowVisible(const_cast<TWScrollbar*>(panel)->handle()); }

// The panel lies exactly over the system's bar.
void ExpectOverBar(TWScrollbar* panel, HWND window, LONG object) {
    ASSERT_TRUE(Showing(panel));
    const RECT bar = BarInfo(window, object).rcScrollBar;
    const RECT shown = WindowRectOf(panel->handle());
    EXPECT_TRUE(EqualRect(&bar, &shown)) << "bar " << bar.left << "," << bar.top << "," << bar.right << "," << bar.bottom
                                         << " panel " << shown.left << "," << shown.top << "," << shown.right << ","
                                         << shown.bottom;
}

// The two windows right above `window` in z-order are its panels.
void ExpectRightAbove(HWND window, const TWScrollbar* a, const TWScrollbar* b) {
    HWND first = GetWindow(window, GW_HWNDPREV);
    HWND second = first ? GetWindow(first, GW_HWNDPREV) : nullptr;
    const std::set<HWND> above{first, second};
    EXPECT_EQ(above, (std::set<HWND>{const_cast<TWScrollbar*>(a)->handle(), const_cast<TWScrollbar*>(b)->handle()}));
}

// A form with a list view, a list box and a memo, all with both or one scroll bar, skinned by
// the rules.
struct ScrollForm {
    // `archive`, when given, is loaded instead of the stored skin.
    explicit ScrollForm(ui::Component* owner, const char* skin_path, const Bytes& archive = {}) {
        list = new ui::ListView(w.form.get());
        list->set_parent(w.form.get());
        list->set_bounds(10, 10, 220, 150);
        list->set_view_style(ui::TViewStyle::vsReport);
        for (const char* caption : {"Station", "Channel", "Duration"}) {
            ui::ListColumn* column = list->columns().add_item();
            column->set_caption(caption);
            column->set_width(110);
        }
        for (int i = 0; i < 60; ++i) {
            ui::ListItem* item = list->add_item();
            item->set_caption("Call " + std::to_string(i + 1));
            item->sub_items().add(std::to_string(i % 8 + 1));
            item->sub_items().add(std::to_string(30 + i) + " s");
        }
        box = new ui::ListBox(w.form.get());
        box->set_parent(w.form.get());
        box->set_bounds(240, 10, 150, 150);
        for (int i = 0; i < 100; ++i) box->items().add("Recording " + std::to_string(i + 1));
        memo = new ui::Memo(w.form.get());
        memo->set_parent(w.form.get());
        memo->set_bounds(400, 10, 150, 150);
        memo->set_scroll_bars(ui::TScrollStyle::ssVertical);
        for (int i = 0; i < 40; ++i) memo->lines().add("Note line " + std::to_string(i + 1));
        if (archive.empty()) {
            data = LoadedData(owner, skin_path);
        } else {
            data = new skin::TSkinData(owner);
            data->SetActive(true);
            data->SetStoredArchive(archive);
            static_cast<ui::Component*>(data)->loaded();
        }
        Activate(w.handle());
    }
    // The rules' skins of the three, attached now.
    bool Skin() {
        if (!WaitSkinned(w.handle())) return false;
        form = SkinOf(w.handle());
        if (!form) return false;
        for (ui::Control* c : {static_cast<ui::Control*>(list), static_cast<ui::Control*>(box), static_cast<ui::Control*>(memo)})
            skin::SkinControl(*form, c, w.form.get());
        window_test::pump(0);
        return ListSkin() && BoxSkin() && MemoSkin();
    }
    skin::TSkinListView* ListSkin() const { return dynamic_cast<skin::TSkinListView*>(form->FindControlSkin(list)); }
    skin::TSkinScrollbar* BoxSkin() const { return dynamic_cast<skin::TSkinScrollbar*>(form->FindControlSkin(box)); }
    skin::TSkinScrollbar* MemoSkin() const { return dynamic_cast<skin::TSkinScrollbar*>(form->FindControlSkin(memo)); }

    MainWindow w{"Skinned scroll bars", 560, 330};
    ui::ListView* list = nullptr;
    ui::ListBox* box = nullptr;
    ui::Memo* memo = nullptr;
    TSkinData* data = nullptr;
    TWinSkinForm* form = nullptr;
};

TEST_F(SkinnedScroll, PanelsLieOverTheBarsRightAboveTheListAndFollowIt) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    skin::TSkinListView* skin = f.ListSkin();
    HWND list = f.list->handle();
    ExpectOverBar(skin->horizontal(), list, OBJID_HSCROLL);
    ExpectOverBar(skin->vertical(), list, OBJID_VSCROLL);
    ExpectRightAbove(list, skin->horizontal(), skin->vertical());
    EXPECT_TRUE(skin->border());
    ExpectOverBar(f.BoxSkin()->vertical(), f.box->handle(), OBJID_VSCROLL);
    EXPECT_FALSE(Showing(f.BoxSkin()->horizontal()));
    ExpectOverBar(f.MemoSkin()->vertical(), f.memo->handle(), OBJID_VSCROLL);
    window_test::save_screenshot(f.w.handle(), "skinned_scroll", "panels_placed");

    f.list->set_bounds(20, 20, 180, 120);
    window_test::pump(0);
    ExpectOverBar(skin->horizontal(), list, OBJID_HSCROLL);
    ExpectOverBar(skin->vertical(), list, OBJID_VSCROLL);
    ExpectRightAbove(list, skin->horizontal(), skin->vertical());

    f.list->set_visible(false);
    window_test::pump(0);
    EXPECT_FALSE(Showing(skin->horizontal()));
    EXPECT_FALSE(Showing(skin->vertical()));
    f.list->set_visible(true);
    window_test::pump(0);
    ExpectOverBar(skin->horizontal(), list, OBJID_HSCROLL);
    ExpectOverBar(skin->vertical(), list, OBJID_VSCROLL);

    // Bars shown and hidden in quick turns: the panels end where the bars are.
    for (int i = 0; i < 6; ++i) {
        f.list->set_visible(i % 2 == 1);
        f.list->set_bounds(20, 20, 180 + i * 7, 120 + i * 3);
    }
    window_test::pump(0);
    ExpectOverBar(skin->horizontal(), list, OBJID_HSCROLL);
    ExpectOverBar(skin->vertical(), list, OBJID_VSCROLL);

    // Switched off, the system's bars show; on again, the panels.
    SendMessageW(list, skin::kMsgSkinSwitch, 0, 0);
    EXPECT_FALSE(Showing(skin->horizontal()));
    EXPECT_FALSE(Showing(skin->vertical()));
    SendMessageW(list, skin::kMsgSkinSwitch, 1, 0);
    ExpectOverBar(skin->horizontal(), list, OBJID_HSCROLL);
    ExpectOverBar(skin->vertical(), list, OBJID_VSCROLL);

    // Without rows the vertical bar goes, and so does its panel.
    f.list->clear();
    window_test::pump_until([&] { return !Showing(skin->vertical()); }, 3000);
    EXPECT_FALSE(Showing(skin->vertical()));
    EXPECT_TRUE(BarInfo(list, OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_INVISIBLE);

    // A destroyed list takes its skin and panels with it.
    HWND panel = skin->horizontal()->handle();
    delete f.list;
    f.list = nullptr;
    window_test::pump(0);
    EXPECT_FALSE(IsWindow(panel));
}

TEST_F(SkinnedScroll, AnArrowClickScrollsOneLineThroughTheSystemsLoop) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    TWScrollbar* panel = f.BoxSkin()->vertical();
    HWND box = f.box->handle();
    ASSERT_EQ(SendMessageW(box, LB_GETTOPINDEX, 0, 0), 0);
    const SCROLLBARINFO bar = BarInfo(box, OBJID_VSCROLL);
    const POINT on_down{(bar.rcScrollBar.right - bar.rcScrollBar.left) / 2, bar.rcScrollBar.bottom - bar.rcScrollBar.top - 3};
    POINT client{bar.rcScrollBar.left + on_down.x, bar.rcScrollBar.top + on_down.y};
    ScreenToClient(box, &client);
    // The release waits in the queue for the system's loop that the press starts.
    PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    SendMessageW(panel->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on_down.x, on_down.y));
    EXPECT_EQ(SendMessageW(box, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_FALSE(panel->pressed());
    EXPECT_EQ(panel->hot_part(), SB_ENDSCROLL);  // the last scroll code the window had
}

TEST_F(SkinnedScroll, AThumbDragDragsTheRealBarAndTheDrawnThumbFollowsTheCursor) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    TWScrollbar* panel = f.BoxSkin()->vertical();
    HWND box = f.box->handle();
    const SCROLLBARINFO bar = BarInfo(box, OBJID_VSCROLL);
    const int length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
    const POINT on_thumb{(bar.rcScrollBar.right - bar.rcScrollBar.left) / 2, (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    const POINT press{bar.rcScrollBar.left + on_thumb.x, bar.rcScrollBar.top + on_thumb.y};
    // Within the track, and to the bar's last pixel, past where the thumb can go (further off
    // the bar the system puts the thumb back).
    const int travels[] = {40, bar.rcScrollBar.bottom - 1 - press.y};
    for (const int travel : travels) {
        SCOPED_TRACE(travel);
        SendMessageW(box, LB_SETTOPINDEX, 0, 0);
        window_test::pump(0);
        const SCROLLBARINFO before = BarInfo(box, OBJID_VSCROLL);
        const POINT to{press.x, press.y + travel};
        POINT client = to;
        ScreenToClient(box, &client);
        skin::ThumbSpan seen{-1, -1};
        bool was_pressed = false;
        int hot = skin::kNoPart;
        // While the system's loop tracks the thumb, the panel paints it at the cursor.
        ui::WindowSubclass watch(box, [&](ui::Message& m, const ui::WindowSubclass::Next& next) {
            next(m);
            if (m.msg != WM_VSCROLL || LOWORD(m.wparam) != SB_THUMBTRACK) return;
            SetCursorPos(to.x, to.y);
            RedrawWindow(panel->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            seen = panel->painted_thumb();
            was_pressed = panel->pressed();
            hot = panel->hot_part();
        });
        SetCursorPos(press.x, press.y);
        PostMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        SendMessageW(panel->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on_thumb.x, on_thumb.y));
        EXPECT_TRUE(was_pressed);
        EXPECT_EQ(hot, skin::kThumbPart);
        const int b = panel->button_size();
        const skin::BarAxis pressed{length, b, before.xyThumbTop, before.xyThumbBottom};
        EXPECT_EQ(seen, skin::FollowThumb(pressed, press.y, to.y));
        EXPECT_GE(seen.start, skin::ArrowLength(length, b));
        EXPECT_LE(seen.end, length - skin::ArrowLength(length, b));
        EXPECT_GT(SendMessageW(box, LB_GETTOPINDEX, 0, 0), 0) << "the list scrolled with the thumb";
        EXPECT_FALSE(panel->pressed());
    }
}

// A bare window with both bars and a horizontal one shorter than two buttons.
struct BareWindow {
    BareWindow(HWND parent, int client_w, int client_h) {
        h = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 10, 170,
                            client_w, client_h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMax = 100;
        si.nPage = 20;
        SetScrollInfo(h, SB_HORZ, &si, TRUE);
        SetScrollInfo(h, SB_VERT, &si, TRUE);
    }
    ~BareWindow() {
        if (IsWindow(h)) DestroyWindow(h);
    }
    HWND h = nullptr;
};

// The panel painted into `picture`, made its size.
void PaintPanel(TWScrollbar* panel, ui::Bitmap& picture) {
    picture.set_size(panel->width(), panel->height());
    SendMessageW(panel->handle(), WM_PAINT, reinterpret_cast<WPARAM>(picture.dc()), 0);
}

TEST_F(SkinnedScroll, ABarShorterThanTwoButtonsDrawsTwoHalfArrows) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    BareWindow bare(f.w.handle(), GetSystemMetrics(SM_CXVSCROLL) + b + b / 2 + 4, 80);
    auto* skin = static_cast<skin::TSkinScrollbarH*>(f.form->OwnWindowSkin(std::make_unique<skin::TSkinScrollbarH>(nullptr)));
    skin->AttachWindow(bare.h, f.data, f.form);
    window_test::pump(0);
    TWScrollbar* panel = skin->horizontal();
    ExpectOverBar(panel, bare.h, OBJID_HSCROLL);
    ExpectOverBar(skin->vertical(), bare.h, OBJID_VSCROLL);
    const int length = panel->width();
    ASSERT_LT(length, 2 * b);
    const int half = skin::ArrowLength(length, b);
    EXPECT_EQ(half, length / 2);

    // The same arrows drawn by hand: frame 1 over the first half, frame 5 over the last.
    ui::Bitmap shown;
    PaintPanel(panel, shown);
    ui::Bitmap want(length, panel->height());
    const skin::BarPictures pictures = f.ListSkin()->Pictures(false);
    ASSERT_TRUE(pictures.complete());
    const int thick = std::min(skin::BarThickness(pictures.strip_bitmap->height(), b), panel->height());
    skin::FillColorRect(want.dc(), {0, 0, length, panel->height()}, pictures.face);
    skin::DrawStripFrame(want.dc(), {0, 0, half, thick}, *pictures.strip_bitmap, skin::kScrollStripFrames, 1);
    skin::DrawStripFrame(want.dc(), {length - half, 0, length, thick}, *pictures.strip_bitmap, skin::kScrollStripFrames, 5);
    const skin::Image32 a = skin::ImageFromBitmap(shown), e = skin::ImageFromBitmap(want);
    int differ = 0;
    for (int y = 0; y < thick; ++y)
        for (int x = 0; x < length; ++x) differ += a.at(x, y) != e.at(x, y);
    EXPECT_EQ(differ, 0);
    window_test::save_picture(shown, "skinned_scroll", "short_bar");

    // The size box between the bare window's bars takes the face colour.
    RedrawWindow(bare.h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT w = WindowRectOf(bare.h);
    const RECT v = BarInfo(bare.h, OBJID_VSCROLL).rcScrollBar, hb = BarInfo(bare.h, OBJID_HSCROLL).rcScrollBar;
    HDC dc = GetWindowDC(bare.h);
    const COLORREF corner = GetPixel(dc, (v.left + v.right) / 2 - w.left, (hb.top + hb.bottom) / 2 - w.top);
    ReleaseDC(bare.h, dc);
    EXPECT_EQ(corner, ui::to_colorref(pictures.face));

    // Hidden, the bare window takes both panels away.
    ShowWindow(bare.h, SW_HIDE);
    window_test::pump(0);
    EXPECT_FALSE(Showing(skin->horizontal()));
    EXPECT_FALSE(Showing(skin->vertical()));
}

TEST_F(SkinnedScroll, TheSizeBoxBetweenTwoBarsShowsTheFaceColour) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    HWND list = f.list->handle();
    RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    window_test::pump(0);
    const RECT w = WindowRectOf(list);
    const RECT v = BarInfo(list, OBJID_VSCROLL).rcScrollBar, h = BarInfo(list, OBJID_HSCROLL).rcScrollBar;
    ASSERT_LT(v.left, v.right);
    ASSERT_LT(h.top, h.bottom);
    HDC dc = GetWindowDC(list);
    const COLORREF corner = GetPixel(dc, (v.left + v.right) / 2 - w.left, (h.top + h.bottom) / 2 - w.top);
    // The flat border: ButtonShadow outside, the face inside it.
    const COLORREF edge = GetPixel(dc, 0, (w.bottom - w.top) / 2), ring = GetPixel(dc, 1, (w.bottom - w.top) / 2);
    ReleaseDC(list, dc);
    const skin::SkinDescription& s = *f.data->Skin();
    EXPECT_EQ(corner, ui::to_colorref(s.colours[skin::kButtonFace]));
    EXPECT_EQ(edge, ui::to_colorref(s.colours[skin::kButtonShadow]));
    EXPECT_EQ(ring, ui::to_colorref(s.colours[skin::kButtonFace]));
}

TEST_F(SkinnedScroll, TheHeaderHotTracksTheItemUnderTheMouseAndClearsOnLeaving) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    skin::TSkinHeader* header = f.ListSkin()->header();
    ASSERT_NE(header, nullptr);
    HWND h = header->window();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(header->item_rects().size(), 3u);
    EXPECT_EQ(header->hot_item(), -1);
    const ui::Rect item = header->item_rects()[1];
    POINT over{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    POINT screen = over;
    ClientToScreen(h, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(header->hot_item(), 1);
    window_test::save_screenshot(f.w.handle(), "skinned_scroll", "header_hot");
    // The hot item shows frame 2 of the Headerbar strip: its middle differs from item 0's.
    HDC dc = GetDC(h);
    const ui::Rect first = header->item_rects()[0];
    const COLORREF hot_face = GetPixel(dc, item.left + 1, item.bottom - 1), plain_face = GetPixel(dc, first.left + 1, first.bottom - 1);
    ReleaseDC(h, dc);
    EXPECT_NE(hot_face, plain_face);
    SetCursorPos(5, 5);  // outside the form
    EXPECT_TRUE(window_test::pump_until([&] { return header->hot_item() == -1; }, 3000));
}

TEST_F(SkinnedScroll, ARecreatedListGetsAFreshScrollSkin) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    skin::TSkinListView* old = f.ListSkin();
    HWND old_panel = old->vertical()->handle();
    f.list->recreate_wnd();
    HWND list = f.list->handle();
    ASSERT_TRUE(window_test::pump_until(
        [&] {
            auto* now = dynamic_cast<skin::TSkinListView*>(f.form->FindControlSkin(f.list));
            return now && now->window() == list && !now->dead();
        },
        3000));
    skin::TSkinListView* fresh = f.ListSkin();
    EXPECT_FALSE(IsWindow(old_panel));
    ExpectOverBar(fresh->horizontal(), list, OBJID_HSCROLL);
    ExpectOverBar(fresh->vertical(), list, OBJID_VSCROLL);
    ExpectRightAbove(list, fresh->horizontal(), fresh->vertical());
    ASSERT_NE(fresh->header(), nullptr);
    EXPECT_EQ(fresh->header()->window(), reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)));
    int scroll_skins = 0;
    for (skin::TSkinControl* s : f.form->ControlSkins()) scroll_skins += s->control() == f.list && dynamic_cast<skin::TSkinScrollbar*>(s);
    EXPECT_EQ(scroll_skins, 1);
}

TEST_F(SkinnedScroll, AScrollBarControlGetsOnePanelThatScrollsIt) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    auto* bar = new ui::ScrollBar(f.w.form.get());
    bar->set_parent(f.w.form.get());
    bar->set_kind(ui::TScrollBarKind::sbVertical);
    bar->set_bounds(10, 170, GetSystemMetrics(SM_CXVSCROLL), 150);
    bar->set_params(0, 0, 100);
    bar->set_page_size(20);
    auto* skin = new skin::TSkinScControl(bar);
    skin->AttachControl(f.form, f.data, false);
    window_test::pump(0);
    TWScrollbar* panel = skin->panel();
    ASSERT_TRUE(Showing(panel));
    EXPECT_TRUE(panel->vertical());
    const RECT control = WindowRectOf(bar->handle()), shown = WindowRectOf(panel->handle());
    EXPECT_TRUE(EqualRect(&control, &shown));
    EXPECT_EQ(GetWindow(bar->handle(), GW_HWNDPREV), panel->handle());
    const skin::ThumbSpan thumb = skin::ScrollControlThumb({0, 100, 20, 0}, 150, panel->button_size());
    RedrawWindow(panel->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(panel->painted_thumb(), thumb);

    const POINT on_down{4, 150 - 3};
    PostMessageW(bar->handle(), WM_LBUTTONUP, 0, MAKELPARAM(on_down.x, on_down.y));
    SendMessageW(panel->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on_down.x, on_down.y));
    window_test::pump(0);
    EXPECT_EQ(bar->position(), 1);
    RedrawWindow(panel->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(panel->painted_thumb(), skin::ScrollControlThumb({0, 100, 20, 1}, 150, panel->button_size()));
    window_test::save_screenshot(f.w.handle(), "skinned_scroll", "scroll_bar_control");

    bar->set_visible(false);
    window_test::pump(0);
    EXPECT_FALSE(Showing(panel));
}

// A drop-down combo box of a hundred rows, dropped, and its list.
struct DroppedCombo {
    explicit DroppedCombo(HWND parent) {
        h = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 170, 160, 150,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 100; ++i) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Row " + std::to_wstring(i)).c_str()));
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(h, &info);
        list = info.hwndList;
        SendMessageW(h, CB_SHOWDROPDOWN, TRUE, 0);
    }
    ~DroppedCombo() {
        if (IsWindow(h)) DestroyWindow(h);
    }
    HWND h = nullptr, list = nullptr;
};

TEST_F(SkinnedScroll, TheComboListsThumbDragSendsTrackPositionsAndEnds) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    DroppedCombo combo(f.w.handle());
    struct {
        HWND h;
    } list{combo.list};
    ASSERT_TRUE(IsWindowVisible(list.h));
    std::vector<std::pair<int, int>> codes;  // scroll code, position
    ui::WindowSubclass record(list.h, [&](ui::Message& m, const ui::WindowSubclass::Next& next) {
        if (m.msg == WM_VSCROLL) codes.emplace_back(LOWORD(m.wparam), static_cast<short>(HIWORD(m.wparam)));
        next(m);
    });
    skin::TComboxScrollBar* skin = skin::AttachComboListBar(*f.form, list.h);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin::AttachComboListBar(*f.form, list.h), nullptr);
    window_test::pump(0);

    const SCROLLBARINFO bar = BarInfo(list.h, OBJID_VSCROLL);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(list.h, SB_VERT, &si);
    const POINT press{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    skin::ComboDrag drag;
    drag.values = {si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos};
    drag.bar_length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
    drag.button = GetSystemMetrics(SM_CXHSCROLL);
    drag.thumb_top = bar.xyThumbTop;
    drag.thumb_length = bar.xyThumbBottom - bar.xyThumbTop;
    drag.press_cursor = press.y;
    const int moves[] = {10, 10, 35, 5000};  // the second one changes nothing
    for (const int dy : moves) {
        POINT p{press.x, press.y + std::min(dy, 400)};
        PostMessageW(list.h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(p.x, p.y));
    }
    PostMessageW(list.h, WM_LBUTTONUP, 0, 0);
    SendMessageW(list.h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    EXPECT_FALSE(skin->dragging());
    EXPECT_NE(GetCapture(), list.h);
    window_test::pump(0);
    std::vector<std::pair<int, int>> want;
    int last = si.nPos;
    for (const int dy : moves) {
        const int now = skin::ComboDragPosition(drag, press.y + std::min(dy, 400));
        if (now != last) want.emplace_back(SB_THUMBTRACK, now);
        last = now;
    }
    want.emplace_back(SB_THUMBPOSITION, last);
    want.emplace_back(SB_ENDSCROLL, 0);
    EXPECT_EQ(codes, want);
    EXPECT_EQ(last, si.nMax - static_cast<int>(si.nPage) + 1) << "the far move reaches the last position";
    EXPECT_EQ(SendMessageW(list.h, LB_GETTOPINDEX, 0, 0), last);

    // A capture taken away ends the drag; a quit taken by its loop is put back.
    codes.clear();
    SendMessageW(list.h, LB_SETTOPINDEX, 0, 0);
    const SCROLLBARINFO top = BarInfo(list.h, OBJID_VSCROLL);
    const POINT again{press.x, top.rcScrollBar.top + (top.xyThumbTop + top.xyThumbBottom) / 2};
    PostQuitMessage(7);
    PostMessageW(list.h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(again.x, again.y + 20));
    PostMessageW(f.w.handle(), WM_NULL, 0, 0);
    ui::WindowSubclass steal(f.w.handle(), [&](ui::Message& m, const ui::WindowSubclass::Next& next) {
        if (m.msg == WM_NULL) SetCapture(f.w.handle());
        next(m);
    });
    SendMessageW(list.h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(again.x, again.y));
    EXPECT_FALSE(skin->dragging());
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    ReleaseCapture();
    window_test::pump(0);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back().first, SB_ENDSCROLL);

    // The bar in the list's frame shows the skin's down arrow (frame 13) at its foot.
    RedrawWindow(list.h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    skin->PaintBar();
    const skin::BarPictures pictures = skin->Pictures(true);
    ASSERT_TRUE(pictures.complete());
    const SCROLLBARINFO now = BarInfo(list.h, OBJID_VSCROLL);
    const RECT w = WindowRectOf(list.h);
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    ui::Bitmap want_arrow(now.rcScrollBar.right - now.rcScrollBar.left, b);
    skin::DrawStripFrame(want_arrow.dc(), {0, 0, want_arrow.width(), b}, *pictures.strip_bitmap, skin::kScrollStripFrames, 13);
    HDC dc = GetWindowDC(list.h);
    const int x = want_arrow.width() / 2, y = b / 2;
    const COLORREF shown = GetPixel(dc, now.rcScrollBar.left - w.left + x, now.rcScrollBar.bottom - b - w.top + y);
    ReleaseDC(list.h, dc);
    EXPECT_EQ(shown, GetPixel(want_arrow.dc(), x, y));
}

// Pictures of the form in both skins, and the switch repainting the bars and the header.
TEST_F(SkinnedScroll, PicturesInBothSkinsAndSwitching) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(f.Skin());
    int changed = 0;
    f.data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    const char* names[] = {"default", "contrast"};
    const char* files[] = {kDefaultSkin, kContrastSkin};
    COLORREF arrows[2] = {}, headers[2] = {};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(names[i]);
        if (i > 0) {
            f.data->SetSkinFile(files[i]);
            ASSERT_TRUE(window_test::pump_until([&] { return changed == i; }, 3000));
            window_test::pump(50);
            f.form = SkinOf(f.w.handle());
            ASSERT_NE(f.form, nullptr);
            for (ui::Control* c : {static_cast<ui::Control*>(f.list), static_cast<ui::Control*>(f.box), static_cast<ui::Control*>(f.memo)})
                skin::SkinControl(*f.form, c, f.w.form.get());
            window_test::pump(0);
            ASSERT_NE(f.ListSkin(), nullptr);
        }
        SendMessageW(f.box->handle(), LB_SETTOPINDEX, 30, 0);
        RedrawWindow(f.w.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        window_test::pump(0);
        TWScrollbar* v = f.ListSkin()->vertical();
        ASSERT_TRUE(Showing(v));
        ui::Bitmap bar;
        PaintPanel(v, bar);
        arrows[i] = GetPixel(bar.dc(), bar.width() / 2, 2);
        HDC dc = GetDC(f.ListSkin()->header()->window());
        headers[i] = GetPixel(dc, 4, 4);
        ReleaseDC(f.ListSkin()->header()->window(), dc);
        window_test::save_screenshot(f.w.handle(), "skinned_scroll", std::string("form_") + names[i]);
    }
    EXPECT_NE(arrows[0], arrows[1]) << "the contrasting skin repainted the bars";
    EXPECT_NE(headers[0], headers[1]) << "and the header";
}

// Our default skin without the element named in `section` (renamed, so that the skin lacks it).
Bytes SkinWithout(const std::string& section) {
    std::vector<skin_test::SkinFile> files = skingen::GenerateSkin(skingen::DefaultLook());
    for (skin_test::SkinFile& f : files) {
        if (f.name != "skin.ini") continue;
        std::string ini(f.bytes.begin(), f.bytes.end());
        const std::size_t at = ini.find("[" + section + "]");
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos) ini.replace(at, section.size() + 2, "[Unused" + section + "]");
        f.bytes.assign(ini.begin(), ini.end());
    }
    test_support::TestFolder folder("lacking-" + section);
    skin_test::WriteSkinFolder(folder.path(), files);
    const skin::PackResult packed = skin::PackSkinFolder(folder.path());
    EXPECT_TRUE(packed.ok()) << packed.error;
    return packed.stored;
}

// A skin lacking a track or a thumb leaves every bar to the system: no panel shows.
TEST_F(SkinnedScroll, ASkinLackingATrackOrThumbLeavesTheBarsToTheSystem) {
    for (const char* section : {"VertScrollThumb", "HorzScroll", "Scrollbar"}) {
        SCOPED_TRACE(section);
        ScrollForm f(owner_.get(), nullptr, SkinWithout(section));
        ASSERT_TRUE(f.Skin());
        skin::TSkinListView* skin = f.ListSkin();
        EXPECT_FALSE(skin->CanDrawBars());
        EXPECT_FALSE(Showing(skin->horizontal()));
        EXPECT_FALSE(Showing(skin->vertical()));
        EXPECT_FALSE(Showing(f.BoxSkin()->vertical()));
        f.list->set_bounds(20, 20, 200, 140);
        RedrawWindow(f.w.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        window_test::pump(0);
        EXPECT_FALSE(Showing(skin->vertical()));
        window_test::save_screenshot(f.w.handle(), "skinned_scroll", std::string("lacking_") + section);
    }
}

// A virtual list of 100,000 rows: the panels lie over its bars and a press on the page after
// the thumb pages down; emptied, its vertical panel goes.
TEST_F(SkinnedScroll, AHundredThousandRowsAndThenNone) {
    ScrollForm f(owner_.get(), kDefaultSkin);
    f.list->clear();
    f.list->on_data = [](ui::Component*, ui::ListItem* item) { item->set_caption("Row"); };
    f.list->set_owner_data(true);
    f.list->set_item_count(100000);
    ASSERT_TRUE(f.Skin());
    skin::TSkinListView* skin = f.ListSkin();
    HWND list = f.list->handle();
    window_test::pump(0);
    TWScrollbar* v = skin->vertical();
    ExpectOverBar(v, list, OBJID_VSCROLL);
    const SCROLLBARINFO bar = BarInfo(list, OBJID_VSCROLL);
    RedrawWindow(v->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(v->painted_thumb(), (skin::ThumbSpan{bar.xyThumbTop, bar.xyThumbBottom}));
    const POINT on_page{v->width() / 2, (bar.xyThumbBottom + bar.rcScrollBar.bottom - bar.rcScrollBar.top - v->button_size()) / 2};
    POINT client{bar.rcScrollBar.left + on_page.x, bar.rcScrollBar.top + on_page.y};
    ScreenToClient(list, &client);
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    SendMessageW(v->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on_page.x, on_page.y));
    EXPECT_GT(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 1);
    f.list->set_item_count(0);
    EXPECT_TRUE(window_test::pump_until([&] { return !Showing(v); }, 3000));
}

// ---- The bar's painter in a memory DC ----

// Distinct colours by letter for the painter's golden maps.
COLORREF Letter(char c) { return RGB(static_cast<unsigned char>(c) * 2, 255 - static_cast<unsigned char>(c), (c * 37) & 0x7F); }

// A strip of `frames` frames of `w` x `h`, frame n (from 1) in the letter `letters[n - 1]`.
std::unique_ptr<ui::Bitmap> Strip(const std::string& letters, int w, int h) {
    auto strip = std::make_unique<ui::Bitmap>(w * static_cast<int>(letters.size()), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < strip->width(); ++x) SetPixel(strip->dc(), x, y, Letter(letters[static_cast<std::size_t>(x / w)]));
    return strip;
}

std::vector<std::string> MapOfDC(HDC dc, int w, int h, const std::string& legend) {
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const COLORREF p = GetPixel(dc, x, y);
            char c = '?';
            for (char l : legend)
                if (Letter(l) == p) c = l;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

// Strip frames by letter: arrows left a-d, right e-h, up i-l, down m-p (normal, pressed, spare,
// hot), grips q-s across and t-v upright (normal, pressed, hot), w spare. Tracks T (normal),
// U, D (disabled), V; thumbs N (normal), P (pressed), H (hot); the face '.'.
TEST(ScrollBarPainter, GoldenMapsOfTheBarInItsStates) {
    const std::string strip_letters = "abcdefghijklmnopqrstuvw", track_letters = "TUDV", thumb_letters = "NPH";
    const auto strip = Strip(strip_letters, 4, 4), track = Strip(track_letters, 4, 4), htrack = Strip(track_letters, 4, 4);
    const auto thumb = Strip(thumb_letters, 4, 4);
    skin::TDataSkinObject strip_e, track_e, thumb_e;
    strip_e.frame = 23;
    track_e.frame = 4;
    thumb_e.frame = 3;
    skin::BarPictures pictures;
    pictures.strip = &strip_e, pictures.strip_bitmap = strip.get();
    pictures.track = &track_e, pictures.track_bitmap = track.get();
    pictures.thumb = &thumb_e, pictures.thumb_bitmap = thumb.get();
    pictures.face = static_cast<ui::TColor>(Letter('.'));
    const std::string legend = strip_letters + track_letters + thumb_letters + ".";

    struct Case {
        const char* name;
        int width;
        skin::ThumbSpan thumb;
        int hot;
        bool pressed, enabled;
        const char* row;  // every row of the 4-pixel bar
    };
    const Case cases[] = {
        {"normal", 30, {10, 20}, skin::kNoPart, false, true, "aaaaTTTTTTNNNqqqqNNNTTTTTTeeee"},
        {"first arrow hot", 30, {10, 20}, skin::kFirstArrow, false, true, "ddddTTTTTTNNNqqqqNNNTTTTTTeeee"},
        {"first arrow pressed", 30, {10, 20}, skin::kFirstArrow, true, true, "bbbbTTTTTTNNNqqqqNNNTTTTTTeeee"},
        {"second arrow hot", 30, {10, 20}, skin::kSecondArrow, false, true, "aaaaTTTTTTNNNqqqqNNNTTTTTThhhh"},
        {"thumb hot", 30, {10, 20}, skin::kThumbPart, false, true, "aaaaTTTTTTHHHssssHHHTTTTTTeeee"},
        {"thumb pressed", 30, {10, 20}, skin::kThumbPart, true, true, "aaaaTTTTTTPPPrrrrPPPTTTTTTeeee"},
        {"page after hot shows nothing", 30, {10, 20}, skin::kPageAfter, false, true, "aaaaTTTTTTNNNqqqqNNNTTTTTTeeee"},
        {"disabled: no thumb", 30, {10, 20}, skin::kNoPart, false, false, "aaaaDDDDDDDDDDDDDDDDDDDDDDeeee"},
        {"a thumb no longer than its grip and 2", 30, {10, 16}, skin::kNoPart, false, true, "aaaaTTTTTTNNNNNNTTTTTTTTTTeeee"},
        {"a thumb beyond the bar is left out", 30, {20, 31}, skin::kNoPart, false, true, "aaaaTTTTTTTTTTTTTTTTTTTTTTeeee"},
        {"shorter than two buttons: half arrows", 6, {0, 0}, skin::kNoPart, false, true, "aaaeee"},
        {"one pixel of track between half arrows", 7, {0, 0}, skin::kNoPart, false, true, "aaaTeee"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::Bitmap target(c.width, 4);
        skin::BarLook look;
        look.width = c.width;
        look.height = 4;
        look.button = 4;
        look.thumb = c.thumb;
        look.hot = c.hot;
        look.pressed = c.pressed;
        look.enabled = c.enabled;
        ASSERT_TRUE(skin::PaintBar(target.dc(), 0, 0, look, pictures));
        EXPECT_EQ(MapOfDC(target.dc(), c.width, 4, legend), std::vector<std::string>(4, c.row));
    }

    // Upright: up and down arrows, the upright grip.
    ui::Bitmap upright(4, 30);
    skin::BarLook look;
    look.vertical = true;
    look.width = 4;
    look.height = 30;
    look.button = 4;
    look.thumb = {10, 20};
    ASSERT_TRUE(skin::PaintBar(upright.dc(), 0, 0, look, pictures));
    std::string column;
    for (const std::string& row : MapOfDC(upright.dc(), 4, 30, legend)) {
        EXPECT_EQ(row, std::string(4, row[0]));
        column += row[0];
    }
    EXPECT_EQ(column, "iiiiTTTTTTNNNttttNNNTTTTTTmmmm");

    // Nothing without a picture, or for an empty bar.
    skin::BarPictures lacking = pictures;
    lacking.thumb_bitmap = nullptr;
    EXPECT_FALSE(skin::PaintBar(upright.dc(), 0, 0, look, lacking));
    look.height = 0;
    EXPECT_FALSE(skin::PaintBar(upright.dc(), 0, 0, look, pictures));
}

TEST(PlatformMulDivUnderWine, AgreesWithTheSystem) {
    const int values[] = {0, 1, -1, 2, -2, 3, 7, -7, 100, 9999999, 65536, -65536, 1 << 30, INT_MAX, INT_MIN, INT_MAX - 1, -INT_MAX};
    for (const int a : values)
        for (const int b : values)
            for (const int c : values) {
                // Wine negates a negative divisor and the multiplicand with it, which INT_MIN does
                // not survive; the true quotient is kept here.
                if (c < 0 && (c == INT_MIN || a == INT_MIN)) continue;
                ASSERT_EQ(skin::PlatformMulDiv(a, b, c), MulDiv(a, b, c)) << a << " " << b << " " << c;
            }
}

} // namespace
