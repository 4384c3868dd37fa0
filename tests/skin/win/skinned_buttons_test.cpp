// Button skins: the skins a window's controls get at its start, exactly one click per press and
// per space key, the faces per state as golden pixels, the focused face with its rectangle, the
// caption's font, skins without button pictures, the caption's line break, frames added later,
// switching skins, and pictures of the buttons in both of our skins.
#include <windows.h>

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "controls/ec_button.h"
#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "skin/skin_packer.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_button.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_toggles.h"
#include "tests/skin/pixel_maps.h"
#include "tests/skin/skin_test_data.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/window_test.h"
#include "tools/skingen/skin_generator.h"
#include "tools/skingen/skin_looks.h"

namespace {

using skin::TSkinButton;
using skin::TSkinData;
using skin::TWinSkinForm;
using ec::TEcBitBtn;
using ec::TEcButton;
using namespace skinned_test;

class SkinnedButtons : public SkinnedTest {};

// A window with a standard button, a control-set button and a bit button, a default one, a
// disabled default one, and two bare buttons (one of the library's "TButton" class, which the
// skin clicks with identifier 0).
struct ButtonWindow {
    ButtonWindow() {
        auto add = [&](ui::WinControl* c, const char* caption, int x, int y) {
            c->set_parent(w.form.get());
            c->set_bounds(x, y, 100, 30);
            c->set_caption(caption);
            return c;
        };
        standard = static_cast<ui::Button*>(add(new ui::Button(w.form.get()), "Standard", 10, 10));
        own = static_cast<TEcButton*>(add(new TEcButton(w.form.get()), "Control set", 120, 10));
        bit = static_cast<TEcBitBtn*>(add(new TEcBitBtn(w.form.get()), "Bit||button", 230, 10));
        bit->set_height(44);
        ui::Bitmap& g = bit->glyph();
        g.set_size(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                SetPixel(g.dc(), x, y, (x - 8) * (x - 8) + (y - 8) * (y - 8) < 40 ? RGB(200, 40, 40) : RGB(0, 128, 128));
        fallback = static_cast<ui::Button*>(add(new ui::Button(w.form.get()), "Default", 10, 50));
        fallback->set_default(true);
        off = static_cast<ui::Button*>(add(new ui::Button(w.form.get()), "Disabled", 120, 60));
        off->set_default(true);
        off->set_enabled(false);
        standard->on_click = [this](ui::Component*) { ++standard_clicks; };
        own->on_click = [this](ui::Component*) { ++own_clicks; };
        bare = CreateWindowExW(0, L"BUTTON", L"Bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 10, 100, 100, 30,
                               w.handle(), reinterpret_cast<HMENU>(77), GetModuleHandleW(nullptr), nullptr);
        bare_t = CreateWindowExW(0, L"TButton", L"Bare T", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 120, 100,
                                 100, 30, w.handle(), reinterpret_cast<HMENU>(78), GetModuleHandleW(nullptr), nullptr);
        commands = w.form->window_proc.add("commands", [this](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_COMMAND && m.lparam) commands_of[reinterpret_cast<HWND>(m.lparam)].push_back(LOWORD(m.wparam));
            next(m);
        });
    }
    ~ButtonWindow() { w.form->window_proc.remove(commands); }
    MainWindow w{"Buttons", 360, 150};
    ui::Button *standard = nullptr, *fallback = nullptr, *off = nullptr;
    TEcButton* own = nullptr;
    TEcBitBtn* bit = nullptr;
    HWND bare = nullptr, bare_t = nullptr;
    int standard_clicks = 0, own_clicks = 0;
    std::map<HWND, std::vector<WORD>> commands_of;
    ui::MessageChain::Token commands = 0;
};

TSkinButton* ButtonSkinOf(TWinSkinForm* form, ui::Component* control) {
    return dynamic_cast<TSkinButton*>(form->FindControlSkin(control));
}

TEST_F(SkinnedButtons, WindowStartGivesButtonSkinsAndOneClickEach) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    ButtonWindow b;
    Activate(b.w.handle());
    ASSERT_TRUE(WaitSkinned(b.w.handle()));
    TWinSkinForm* form = SkinOf(b.w.handle());
    ASSERT_NE(form, nullptr);
    // The library's controls by the rules; the bare ones are the window's children of no control.
    ASSERT_NE(ButtonSkinOf(form, b.standard), nullptr);
    ASSERT_NE(ButtonSkinOf(form, b.own), nullptr) << "by its Skin3rd line";
    ASSERT_NE(dynamic_cast<skin::TSkinBitButton*>(form->FindControlSkin(b.bit)), nullptr);
    EXPECT_EQ(ButtonSkinOf(form, b.own)->option(), 1) << "the control set's buttons get no forwarded press";
    EXPECT_EQ(ButtonSkinOf(form, b.standard)->option(), 0);
    skin::SkinChildWindow(*form, b.bare);
    skin::SkinChildWindow(*form, b.bare_t);
    skin::SkinChildWindow(*form, b.bare);  // once only
    ASSERT_NE(form->FindWindowSkin(b.bare), nullptr);
    ASSERT_NE(form->FindWindowSkin(b.bare_t), nullptr);
    EXPECT_EQ(ui::WindowSubclass::layers(b.bare).size(), 1u);
    for (HWND h : {b.standard->handle(), b.own->handle(), b.bit->handle(), b.bare, b.bare_t})
        EXPECT_EQ(SendMessageW(h, skin::kMsgIsSkinned, 0, 0), 1);
    EXPECT_NE(data->Skin(), nullptr);

    // One click per press and release.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        window_test::press_middle(b.standard->handle());
        window_test::press_middle(b.own->handle());
        window_test::press_middle(b.bare);
        window_test::press_middle(b.bare_t);
        window_test::pump(30);
        EXPECT_EQ(b.standard_clicks, round);
        EXPECT_EQ(b.own_clicks, round);
        EXPECT_EQ(b.commands_of[b.bare], std::vector<WORD>(static_cast<std::size_t>(round), 77));
        EXPECT_EQ(b.commands_of[b.bare_t], std::vector<WORD>(static_cast<std::size_t>(round), 0)) << "identifier 0";
        EXPECT_FALSE(ButtonSkinOf(form, b.standard)->pressed());
    }
    // One click per space key, the face pressed while the key is down.
    SetFocus(b.standard->handle());
    SendMessageW(b.standard->handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(ButtonSkinOf(form, b.standard)->pressed());
    SendMessageW(b.standard->handle(), WM_KEYUP, VK_SPACE, 0);
    window_test::pump(30);
    EXPECT_FALSE(ButtonSkinOf(form, b.standard)->pressed());
    EXPECT_EQ(b.standard_clicks, 3);
    SetFocus(b.own->handle());
    window_test::press_key(b.own->handle(), VK_SPACE);
    window_test::pump(30);
    EXPECT_EQ(b.own_clicks, 3);
    SetFocus(b.bare);
    window_test::press_key(b.bare, VK_SPACE);
    window_test::pump(30);
    EXPECT_EQ(b.commands_of[b.bare].size(), 3u);

    // Hover: hot on the first move, cleared on leaving.
    TSkinButton* s = ButtonSkinOf(form, b.standard);
    SendMessageW(b.standard->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(s->hot());
    SendMessageW(b.standard->handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(s->hot());

    // Captions with line breaks are painted, never rewritten.
    RedrawWindow(b.bit->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(b.bit->caption(), "Bit||button");
}

// The Buttons strip of our default skin replaced by five frames: a three-pixel ring of the frame's
// letter (a..e for frames 1..5) round a centre 'i'.
Bytes LetteredButtonSkin() {
    std::vector<skin_test::SkinFile> files = skingen::GenerateSkin(skingen::DefaultLook());
    for (skin_test::SkinFile& f : files) {
        if (f.name != "button.bmp") continue;
        f.bytes = skin_test::MakeBmp(5 * 8, 8, [](int x, int y) {
            const int fx = x % 8;
            const bool ring = fx < 3 || fx >= 5 || y < 3 || y >= 5;
            return skin_test::CellPixel(ring ? static_cast<char>('a' + x / 8) : 'i');
        });
    }
    test_support::TestFolder folder("lettered-buttons");
    skin_test::WriteSkinFolder(folder.path(), files);
    const skin::PackResult packed = skin::PackSkinFolder(folder.path());
    EXPECT_TRUE(packed.ok()) << packed.error;
    return packed.stored;
}

std::vector<std::string> MapOfBitmap(const ui::Bitmap& picture) {
    std::map<COLORREF, char> legend;
    for (char c = 'a'; c <= 'i'; ++c) {
        const std::uint32_t rgb = skin_test::CellPixel(c);
        legend[RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)] = c;
    }
    std::vector<std::string> rows;
    for (int y = 0; y < picture.height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.width(); ++x) {
            const auto found = legend.find(GetPixel(picture.dc(), x, y));
            row += found == legend.end() ? '?' : found->second;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Face(char ring) {
    const std::string full(10, ring), middle = std::string(3, ring) + "iiii" + std::string(3, ring);
    return {full, full, full, middle, middle, full, full, full};
}

// A push-button skin whose face state the test sets.
class FaceProbe : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    void Set(bool hot, bool pressed) {
        SetState(kHot, hot);
        SetState(kPressed, pressed);
    }
};

TEST_F(SkinnedButtons, FacesPerStateInMemory) {
    auto* data = new TSkinData(owner_.get());
    data->SetActive(true);
    data->SetStoredArchive(LetteredButtonSkin());
    static_cast<ui::Component*>(data)->loaded();
    ASSERT_TRUE(data->Skin() && data->Skin()->buttons);
    MainWindow w("Faces");
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    // Made after the start: no skin until the test gives it one.
    auto* button = new ui::Button(w.form.get());
    button->set_parent(w.form.get());
    button->set_bounds(10, 10, 80, 24);
    auto* other = new ui::Button(w.form.get());
    other->set_parent(w.form.get());
    other->set_bounds(10, 40, 80, 24);
    auto* probe = new FaceProbe(button);
    probe->AttachControl(form, data, true);
    ASSERT_TRUE(probe->attached());

    struct Row {
        const char* state;
        bool hot, pressed, focused, is_default, disabled;
        char ring;
    };
    const std::vector<Row> rows = {
        {"normal", false, false, false, false, false, 'a'},   {"pressed", true, true, false, false, false, 'b'},
        {"hot", true, false, false, false, false, 'd'},       {"focused", false, false, true, false, false, 'e'},
        {"default", false, false, false, true, false, 'e'},   {"disabled", true, false, false, false, true, 'c'},
        {"disabled default", false, false, false, true, true, 'c'},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.state);
        button->set_enabled(!r.disabled);
        button->set_default(r.is_default);
        if (r.focused) SetFocus(button->handle());
        else SetFocus(other->handle());
        probe->Set(r.hot, r.pressed);
        ui::Bitmap picture(10, 8);
        probe->PaintSkin(picture.dc(), {0, 0, 10, 8});
        EXPECT_EQ(MapOfBitmap(picture), Face(r.ring));
    }
    // Nothing outside the rectangle, nothing for an empty one.
    ui::Bitmap canvas(12, 10);
    skin::FillColorRect(canvas.dc(), {0, 0, 12, 10}, ui::rgb(1, 2, 3));
    probe->PaintSkin(canvas.dc(), {0, 0, 0, 0});
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(1, 2, 3));
    probe->PaintSkin(canvas.dc(), {1, 1, 11, 9});
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 11, 9), RGB(1, 2, 3));
}

// A frame added after the window was skinned gets its controls skinned through AttachFrame.
TEST_F(SkinnedButtons, FrameAddedLaterIsSkinned) {
    LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Frames");
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    auto* frame = new ui::Frame(w.form.get());
    frame->set_parent(w.form.get());
    frame->set_bounds(10, 10, 200, 80);
    auto* inside = new ui::Button(frame);
    inside->set_parent(frame);
    inside->set_bounds(10, 10, 90, 26);
    EXPECT_FALSE(skin::AttachFrame(w.handle(), nullptr));
    EXPECT_EQ(form->FindControlSkin(inside), nullptr);
    EXPECT_TRUE(skin::AttachFrame(w.handle(), frame));
    EXPECT_NE(ButtonSkinOf(form, inside), nullptr);
    int spies = 0;
    for (ui::Component* c : frame->components())
        if (auto* spy = dynamic_cast<skin::TWinSkinSpy*>(c)) spies += spy->form() == form;
    EXPECT_EQ(spies, 1);
    // A frame present at the window's start is handled by the frame rule: its controls skinned.
    MainWindow w2("Frames at start");
    auto* early = new ui::Frame(w2.form.get());
    early->set_parent(w2.form.get());
    auto* early_button = new ui::Button(early);
    early_button->set_parent(early);
    early_button->set_bounds(5, 5, 80, 24);
    Activate(w2.handle());
    ASSERT_TRUE(WaitSkinned(w2.handle()));
    EXPECT_NE(ButtonSkinOf(SkinOf(w2.handle()), early_button), nullptr);
    EXPECT_EQ(skin::ChoiceFor(*SkinOf(w2.handle()), *early).children, skin::ChildOffer::kSkinControlsOf);
}

// Both of our skins: the buttons in their states, repainted on switching skins and back.
TEST_F(SkinnedButtons, PicturesInBothSkinsAndSwitching) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    ButtonWindow b;
    Activate(b.w.handle());
    ASSERT_TRUE(WaitSkinned(b.w.handle()));
    TWinSkinForm* form = SkinOf(b.w.handle());
    skin::SkinChildWindow(*form, b.bare);
    skin::SkinChildWindow(*form, b.bare_t);
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    auto face_of = [&](ui::WinControl* c) {
        RedrawWindow(c->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetWindowDC(c->handle());
        const COLORREF p = GetPixel(dc, c->width() / 2, c->height() - 5);
        ReleaseDC(c->handle(), dc);
        return p;
    };
    const char* names[] = {"default", "contrast", "default_again"};
    const char* files[] = {kDefaultSkin, kContrastSkin, kDefaultSkin};
    COLORREF faces[3] = {};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        if (i > 0) {
            data->SetSkinFile(files[i]);
            ASSERT_TRUE(window_test::pump_until([&] { return changed == i; }, 3000));
            window_test::pump(50);
            form = SkinOf(b.w.handle());
            ASSERT_NE(form, nullptr);
        }
        ButtonSkinOf(form, b.own)->ShowFaceState(true, false);
        ButtonSkinOf(form, b.bit)->ShowFaceState(false, true);
        window_test::pump(20);
        faces[i] = face_of(b.standard);
        window_test::save_screenshot(b.w.handle(), "skinned_buttons", std::string("buttons_") + names[i]);
        ButtonSkinOf(form, b.own)->ShowFaceState(false, false);
        ButtonSkinOf(form, b.bit)->ShowFaceState(false, false);
    }
    EXPECT_NE(faces[0], faces[1]) << "the contrasting skin repainted the button";
    EXPECT_EQ(faces[0], faces[2]);
}

}  // namespace

namespace {

// One control of every class the two programs place on their windows, and the skin each gets
// from the rules with a new skin component's settings.
TEST_F(SkinnedButtons, EveryClassOfTheProgramsReportsItsSkin) {
    LoadedData(owner_.get(), kDefaultSkin);
    ui::register_control_classes();
    ec::register_control_set_classes();
    MainWindow w("Every class", 600, 400);
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    struct Row {
        const char* cls;
        const char* skin;
        skin::ChildOffer children = skin::ChildOffer::kNone;
    };
    using O = skin::ChildOffer;
    const std::vector<Row> rows = {
        {"TButton", "TSkinButton"},
        {"TCheckBox", "TSkinCheckBox"},
        {"TEdit", "TSkinEdit"},
        {"TLabel", "none"},
        {"TListView", "TSkinListView"},
        {"TStatusBar", "TSkinStatusBar"},
        {"TScrollBox", "TSkinScrollbar"},
        {"TPageScroller", "none"},
        {"TImage", "none"},
        {"TEcButton", "TSkinButton"},
        {"TEcBitBtn", "TSkinBitButton"},
        {"TEcCheckBox", "TSkinObjImage"},
        {"TEcRadioButton", "TSkinObjImage"},
        {"TEcRadioGroup", "TSkinGroupBox", O::kGroupChildren},
        {"TEcGroupBox", "TSkinBox", O::kChildrenFirst},
        {"TEcPanel", "TSkinBox", O::kChildrenFirst},
        {"TEcToolbar", "TSkinBox", O::kChildrenFirst},
        {"TEcStatusBar", "TSkinBox", O::kChildrenFirst},
        {"TEcEdit", "TSkinEdit"},
        {"TEcSpinEdit", "TSkinEdit"},
        {"TEcButtonEdit", "TSkinEdit"},  // it has a border
        {"TEcComboBox", "TSkinComBox"},
        {"TEcDateTimePicker", "TSkinComBox"},
        {"TEcMemo", "TSkinScrollbar"},
        {"TEcListBox", "TSkinScrollbar"},
        {"TEcCheckList", "TSkinScrollbar"},
        {"TEcListView", "TSkinListView"},
        {"TEcPageControl", "none"},
        {"TEcTrackBar", "none"},
        {"TEcLabel", "none"},
        {"TEcToolButton", "none"},
        {"TEcBorder", "none"},
        {"TEcLEDDisplay", "none"},
        {"TEcGlyphStatus", "none"},
        {"TEcSpacer", "none"},
        {"TFrame", "none", O::kSkinControlsOf},
    };
    int x = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cls);
        // Frames are made as classes of their own; the library's frame stands for them.
        const ui::ClassInfo* info = ui::find_registered_class(row.cls);
        auto* control = info && info->factory ? dynamic_cast<ui::Control*>(info->factory(w.form.get()))
                                              : new ui::Frame(w.form.get());
        ASSERT_NE(control, nullptr);
        control->set_parent(w.form.get());
        control->set_bounds(5 + (x % 6) * 95, 5 + (x / 6) * 50, 90, 40);
        ++x;
        if (auto* windowed = dynamic_cast<ui::WinControl*>(control)) windowed->handle_needed();
        const skin::ControlSkinChoice choice = skin::ChoiceFor(*form, *control);
        EXPECT_EQ(std::string(skin::ControlSkinKindName(choice.skin.kind)), row.skin);
        EXPECT_EQ(choice.children, row.children);
        // Every kind that is built is also attached by the rules.
        skin::SkinControl(*form, control, w.form.get());
        EXPECT_EQ(form->FindControlSkin(control) != nullptr, skin::HasControlSkinFactory(choice.skin.kind));
    }
}

}  // namespace

namespace {

// Controls that publish none of the properties a skin reads, a 0 x 0 button, captions of many
// "||" and 10,000 characters, a control freed after a repaint was asked for: no exception, no
// paint outside the control, no GDI object left.
TEST_F(SkinnedButtons, BadInputPaintsSafely) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Bad input");
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    auto* plain = new ui::Edit(w.form.get());  // no Glyph, NumGlyphs, Layout, Default...
    plain->set_parent(w.form.get());
    plain->set_bounds(10, 10, 120, 30);
    auto* bit = new skin::TSkinBitButton(plain);
    bit->AttachControl(form, data, false);
    ASSERT_TRUE(bit->attached());
    auto* tiny = new ui::Button(w.form.get());
    tiny->set_parent(w.form.get());
    tiny->set_bounds(10, 50, 0, 0);
    auto* tiny_skin = new TSkinButton(tiny);
    tiny_skin->AttachControl(form, data, false);
    auto* wordy = new ui::Button(w.form.get());
    wordy->set_parent(w.form.get());
    wordy->set_bounds(10, 60, 120, 30);
    std::string caption;
    while (caption.size() < 10000) caption += "ab||";
    wordy->set_caption(caption);
    auto* wordy_skin = new TSkinButton(wordy);
    wordy_skin->AttachControl(form, data, false);

    const HANDLE process = GetCurrentProcess();
    auto paint_all = [&] {
        for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{plain, tiny, wordy})
            RedrawWindow(c->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        for (UINT m : {UINT(WM_MOUSEMOVE), UINT(WM_MOUSELEAVE), UINT(WM_SETFOCUS), UINT(WM_KILLFOCUS)})
            SendMessageW(wordy->handle(), m, 0, 0);
    };
    paint_all();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const long long live = ui::gdi_tally().live();  // Wine reports no counts of its own
    for (int i = 0; i < 20; ++i) paint_all();
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(ui::gdi_tally().live(), live);
    EXPECT_EQ(wordy->caption(), caption) << "never rewritten";
    EXPECT_TRUE(window_test::errors().empty());

    // Into a memory DC: nothing outside the rectangle given.
    ui::Bitmap canvas(140, 50);
    skin::FillColorRect(canvas.dc(), {0, 0, 140, 50}, ui::rgb(1, 2, 3));
    wordy_skin->PaintSkin(canvas.dc(), {10, 10, 130, 40});
    bit->PaintSkin(canvas.dc(), {10, 10, 130, 40});
    for (POINT p : {POINT{9, 9}, POINT{130, 40}, POINT{139, 49}, POINT{0, 25}, POINT{70, 5}})
        EXPECT_EQ(GetPixel(canvas.dc(), p.x, p.y), RGB(1, 2, 3)) << p.x << "," << p.y;

    // Freed with a repaint pending: the skin goes with the control and nothing paints it.
    InvalidateRect(wordy->handle(), nullptr, TRUE);
    delete wordy;
    window_test::pump(20);
    EXPECT_EQ(form->FindControlSkin(wordy), nullptr);
    for (WPARAM any : {WPARAM(0), WPARAM(1), static_cast<WPARAM>(-1), WPARAM(0x7FFFFFFF)})
        SendMessageW(plain->handle(), skin::kMsgSkinSwitch, any, 0);
    EXPECT_TRUE(bit->active());
    EXPECT_TRUE(window_test::errors().empty());
}

}  // namespace

namespace {

TSkinData* LetteredData(ui::Component* owner) {
    auto* data = new TSkinData(owner);
    data->SetActive(true);
    data->SetStoredArchive(LetteredButtonSkin());
    static_cast<ui::Component*>(data)->loaded();
    return data;
}

// The pixels of a painted face as colours, row by row.
std::vector<std::vector<COLORREF>> PixelsOf(const ui::Bitmap& picture) {
    std::vector<std::vector<COLORREF>> rows(static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) rows[static_cast<std::size_t>(y)].push_back(GetPixel(picture.dc(), x, y));
    return rows;
}

// A focused push or bit button shows the focused face (the fifth frame) and a dotted focus
// rectangle two pixels round its caption; xoNoFocusRect keeps the face and drops the rectangle.
TEST_F(SkinnedButtons, FocusedButtonShowsItsFaceAndFocusRectangle) {
    TSkinData* data = LetteredData(owner_.get());
    ASSERT_TRUE(data->Skin() && data->Skin()->buttons);
    MainWindow w("Focus");
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    form->ReleaseControlSkins();
    auto* push = new ui::Button(w.form.get());
    auto* bit = new TEcBitBtn(w.form.get());
    auto* other = new ui::Button(w.form.get());
    int y = 10;
    for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{push, bit, other}) {
        c->set_parent(w.form.get());
        c->set_bounds(10, y, 90, 32);
        c->set_caption("Go on");
        y += 40;
    }
    const std::map<char, COLORREF> letters = [] {
        std::map<char, COLORREF> out;
        for (char c : {'a', 'e', 'i'}) {
            const std::uint32_t rgb = skin_test::CellPixel(c);
            out[c] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        }
        return out;
    }();
    for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{push, bit}) {
        SCOPED_TRACE(c->class_name());
        auto* s = dynamic_cast<TSkinButton*>(c == push ? static_cast<TSkinButton*>(new TSkinButton(c))
                                                       : new skin::TSkinBitButton(c));
        s->AttachControl(form, data, true);
        auto paint = [&](bool focused, bool no_rect) {
            SetFocus((focused ? c : other)->handle());
            skin::TSkinOptions options = data->Options();
            if (no_rect) options.include(skin::TSkinOption::xoNoFocusRect);
            else options.exclude(skin::TSkinOption::xoNoFocusRect);
            data->SetOptions(options);
            ui::Bitmap picture(90, 32);
            s->PaintSkin(picture.dc(), {0, 0, 90, 32});
            return PixelsOf(picture);
        };
        const auto idle = paint(false, false), focused = paint(true, false), face_only = paint(true, true);
        EXPECT_EQ(idle[1][1], letters.at('a'));
        EXPECT_EQ(focused[1][1], letters.at('e')) << "the focused face";
        EXPECT_EQ(face_only[1][1], letters.at('e'));
        EXPECT_EQ(face_only[16][4], letters.at('i'));

        // The rectangle: the pixels where the focused picture differs from the face alone.
        RECT box{90, 32, -1, -1};
        std::vector<POINT> dots;
        for (int py = 0; py < 32; ++py)
            for (int px = 0; px < 90; ++px)
                if (focused[py][px] != face_only[py][px]) {
                    dots.push_back({px, py});
                    box = {std::min<LONG>(box.left, px), std::min<LONG>(box.top, py), std::max<LONG>(box.right, px + 1),
                           std::max<LONG>(box.bottom, py + 1)};
                }
        ASSERT_FALSE(dots.empty()) << "no focus rectangle";
        for (const POINT& p : dots)
            EXPECT_TRUE(p.x == box.left || p.x == box.right - 1 || p.y == box.top || p.y == box.bottom - 1)
                << "a changed pixel inside the rectangle at " << p.x << "," << p.y;
        const int perimeter = 2 * (box.right - box.left + box.bottom - box.top) - 4;
        EXPECT_GE(static_cast<int>(dots.size()) * 2 + 4, perimeter) << "dotted all round";
        // Two pixels round the caption as the control's font measures it.
        const ui::GdiObject<HFONT> font = ui::create_font(c->font());
        ui::Bitmap probe(90, 32);
        SelectObject(probe.dc(), font.get());
        RECT text{2, 2, 88, 30};
        DrawTextW(probe.dc(), L"Go on", -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        EXPECT_EQ(box.right - box.left, text.right - text.left + 4);
        EXPECT_EQ(box.bottom - box.top, text.bottom - text.top + 4);
        if (c == push) {
            EXPECT_EQ(box.left, (90 - (text.right - text.left)) / 2 - 2);
            EXPECT_EQ(box.top, (32 - (text.bottom - text.top)) / 2 - 1 - 2);
        }
    }
    SetFocus(push->handle());
    RedrawWindow(w.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    window_test::save_screenshot(w.handle(), "skinned_buttons", "focused_push");
}

// The caption is drawn in the control's own Font; its handle is made once and kept while the
// Font stays, made again when the Font changes, and many paints leave no GDI object behind.
TEST_F(SkinnedButtons, CaptionFontIsTheControlsAndKept) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Fonts");
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    form->ReleaseControlSkins();
    auto* button = new ui::Button(w.form.get());
    auto* check = new ui::CheckBox(w.form.get());
    int y = 10;
    for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{button, check}) {
        c->set_parent(w.form.get());
        c->set_bounds(10, y, 150, 34);
        c->set_caption("Font");
        c->font().set_height(-19);
        c->font().set_style(ui::TFontStyles{ui::TFontStyle::fsBold});
        y += 40;
    }
    std::vector<skin::TSkinControl*> skins = {new TSkinButton(button), new skin::TSkinCheckBox(check)};
    for (skin::TSkinControl* s : skins) {
        s->AttachControl(form, data, true);
        ui::WinControl* c = s->control();
        SCOPED_TRACE(c->class_name());
        auto paint = [&] { RedrawWindow(c->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
        auto font_height = [](HFONT f) {
            LOGFONTW lf{};
            return GetObjectW(f, sizeof lf, &lf) == sizeof lf ? lf.lfHeight : 0;
        };
        paint();
        const HFONT kept = s->caption_font().kept();
        ASSERT_NE(kept, nullptr);
        EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_FONT));
        LOGFONTW lf{};
        ASSERT_EQ(GetObjectW(kept, sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, -19);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        const long long live = ui::gdi_tally().live();
        for (int i = 0; i < 200; ++i) paint();
        EXPECT_EQ(s->caption_font().kept(), kept) << "no font made for a paint";
        EXPECT_EQ(ui::gdi_tally().live(), live);
        c->font().set_height(-13);
        paint();
        EXPECT_EQ(font_height(s->caption_font().kept()), -13) << "a new Font, a new handle";
        for (int i = 0; i < 50; ++i) paint();
        EXPECT_EQ(ui::gdi_tally().live(), live) << "the old handle went";
    }
    window_test::save_screenshot(w.handle(), "skinned_buttons", "caption_fonts");
    const long long live = ui::gdi_tally().live();
    delete button;
    delete check;
    EXPECT_LT(ui::gdi_tally().live(), live) << "the kept fonts go with their skins";
}

// Our default skin without its Buttons section: push buttons, check boxes and radio buttons of
// the library and bare buttons paint themselves exactly as they do without a skin, and a press
// still clicks once.
Bytes SkinWithoutButtons() {
    std::vector<skin_test::SkinFile> files = skingen::GenerateSkin(skingen::DefaultLook());
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const skin_test::SkinFile& f) {
                                   return f.name == "button.bmp" || f.name == "check.bmp" || f.name == "radio.bmp";
                               }),
                files.end());
    for (skin_test::SkinFile& f : files) {
        if (f.name != "skin.ini") continue;
        std::string ini(f.bytes.begin(), f.bytes.end());
        const std::size_t start = ini.find("[Buttons]");
        EXPECT_NE(start, std::string::npos);
        const std::size_t end = ini.find('[', start + 1);
        ini.erase(start, end == std::string::npos ? std::string::npos : end - start);
        f.bytes.assign(ini.begin(), ini.end());
    }
    test_support::TestFolder folder("no-buttons");
    skin_test::WriteSkinFolder(folder.path(), files);
    const skin::PackResult packed = skin::PackSkinFolder(folder.path());
    EXPECT_TRUE(packed.ok()) << packed.error;
    return packed.stored;
}

skin::Image32 WindowPicture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(window, &r);
    ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
    HDC dc = GetWindowDC(window);
    BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return skin::ImageFromBitmap(picture);
}

TEST_F(SkinnedButtons, WithoutButtonsTheControlsPaintThemselves) {
    auto* data = new TSkinData(owner_.get());
    data->SetActive(true);
    data->SetStoredArchive(SkinWithoutButtons());
    static_cast<ui::Component*>(data)->loaded();
    ASSERT_NE(data->Skin(), nullptr);
    ASSERT_FALSE(data->Skin()->buttons.has_value());
    ButtonWindow b;
    auto* check = new ui::CheckBox(b.w.form.get());
    auto* radio = new ui::RadioButton(b.w.form.get());
    int y = 50;
    for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{check, radio}) {
        c->set_parent(b.w.form.get());
        c->set_bounds(230, y, 120, 22);
        c->set_caption("Paints itself");
        y += 26;
    }
    check->set_checked(true);
    Activate(b.w.handle());
    ASSERT_TRUE(WaitSkinned(b.w.handle()));
    TWinSkinForm* form = SkinOf(b.w.handle());
    form->ReleaseControlSkins();
    SetFocus(b.off->handle());
    const std::vector<HWND> windows = {b.standard->handle(), b.fallback->handle(), check->handle(), radio->handle(), b.bare};
    std::vector<skin::Image32> unskinned;
    for (HWND h : windows) unskinned.push_back(WindowPicture(h));

    for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{b.standard, b.fallback})
        (new TSkinButton(c))->AttachControl(form, data, false);
    auto* check_skin = new skin::TSkinCheckBox(check);
    check_skin->AttachControl(form, data, false);
    (new skin::TSkinRadioButton(radio))->AttachControl(form, data, false);
    form->OwnWindowSkin(std::make_unique<TSkinButton>(nullptr))->AttachWindow(b.bare, data, form);
    EXPECT_EQ(check_skin->option(), 0) << "no strip: the control paints itself";
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(SendMessageW(windows[i], skin::kMsgIsSkinned, 0, 0), 1);
        EXPECT_TRUE(WindowPicture(windows[i]) == unskinned[i]) << "painted as without a skin";
    }
    window_test::press_middle(b.standard->handle());
    window_test::press_middle(b.bare);
    window_test::pump(30);
    EXPECT_EQ(b.standard_clicks, 1);
    EXPECT_EQ(b.commands_of[b.bare].size(), 1u);
    window_test::save_screenshot(b.w.handle(), "skinned_buttons", "without_buttons");
    EXPECT_TRUE(window_test::errors().empty());
}

}  // namespace
