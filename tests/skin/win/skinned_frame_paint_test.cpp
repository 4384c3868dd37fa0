// The skinned frame as it is painted: golden pixels of its corners, edges, title plate and close
// button in both of our skins, active and inactive; which frame of a caption button's strip is
// drawn for the window's state; what clicks and double clicks on the caption do; the window
// menu's enabling; the caption hints; and pictures of the windows for review.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/win/application.h"
#include "platform/ui/win/hint_window.h"
#include "platform/ui/win/screenshot.h"
#include "skin/skin_packer.h"
#include "skin/win/skin_messages.h"
#include "tests/skin/pixel_maps.h"
#include "tests/skin/skin_test_data.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/window_test.h"
#include "tools/skingen/skin_drawing.h"
#include "tools/skingen/skin_generator.h"
#include "tools/skingen/skin_looks.h"

namespace {

using namespace skinned_test;
using skin_test::PixelMap;

constexpr std::uint32_t kUntouched = 0x00FF00;  // the memory bitmap before the frame is painted

struct Legend {
    char letter;
    std::uint32_t rgb;  // 0x00RRGGBB
};

// The colours our looks draw the frame's pieces in, as letters; '.' is any other (the caption's
// gradient, the text).
std::vector<Legend> LegendOf(const skingen::SkinLook& look) {
    using skingen::Blend;
    const std::uint32_t close = Blend(0xC83C32, look.caption_from, 75);
    const std::uint32_t muted = Blend(close, look.caption_inactive_from, 35);  // the close button disabled
    return {
        {'#', 0xFF00FF},
        {'g', kUntouched},
        {'o', look.frame_outer},
        {'l', Blend(look.light, look.caption_from, 40)},
        {'L', Blend(look.light, look.caption_inactive_from, 40)},
        {'f', look.caption_to},
        {'F', look.caption_inactive_to},
        {'s', look.shadow},
        {'p', look.title_plate},
        {'P', look.title_plate_inactive},
        {'b', Blend(look.title_plate, look.light, 70)},
        {'B', Blend(look.title_plate_inactive, look.light, 70)},
        {'c', close},
        {'m', muted},
        {'n', Blend(muted, look.light, 60)},
        {'k', Blend(muted, look.dark, 60)},
        {'q', Blend(0xFFFFFF, muted, 45)},
        {'w', 0xFFFFFF},
        {'h', look.light},
        {'d', look.dark},
    };
}

// The frames of the caption-button strips of the five-frame skin below.
std::vector<Legend> CellLegend() {
    std::vector<Legend> legend;
    for (char c = 'a'; c <= 'e'; ++c) legend.push_back({c, skin_test::CellPixel(c)});
    return legend;
}

char LetterOf(COLORREF pixel, const std::vector<Legend>& legend) {
    const std::uint32_t rgb = (GetRValue(pixel) << 16) | (GetGValue(pixel) << 8) | GetBValue(pixel);
    for (const Legend& l : legend)
        if (l.rgb == rgb) return l.letter;
    return '.';
}

// The rows of `r` (window coordinates), one letter a pixel; the rows joined so that a failure
// prints them one under the other.
std::string MapOf(const ui::Bitmap& picture, const RECT& r, const std::vector<Legend>& legend) {
    std::string rows;
    for (int y = r.top; y < r.bottom; ++y) {
        rows += '\n';
        for (int x = r.left; x < r.right; ++x) rows += LetterOf(picture.pixel(x, y), legend);
    }
    return rows;
}

std::string Rows(const PixelMap& map) {
    std::string rows;
    for (const std::string& row : map) rows += '\n' + row;
    return rows;
}

// The frame painted through the skin's paint-into message into a bitmap of the window's size
// at the time of painting, first filled with the untouched colour.
std::unique_ptr<ui::Bitmap> PaintedFrame(HWND window) {
    const RECT r = WindowRectOf(window);
    auto picture = std::make_unique<ui::Bitmap>(r.right - r.left, r.bottom - r.top);
    const RECT all{0, 0, picture->width(), picture->height()};
    const ui::GdiObject<HBRUSH> untouched(CreateSolidBrush(RGB(0, 0xFF, 0)));
    FillRect(picture->dc(), &all, untouched.get());
    EXPECT_EQ(SendMessageW(window, skin::kMsgPaintInto, reinterpret_cast<WPARAM>(picture->dc()), skin::kSkinMagic),
              skin::kSkinMagic);
    return picture;
}

const TWinSkinForm::CaptionButton* ButtonOf(HWND window, int action) {
    for (const auto& b : SkinOf(window)->buttons())
        if (b.element.action == action && b.visible) return &b;
    return nullptr;
}

POINT ScreenCentre(HWND window, const ui::Rect& r) {
    const RECT w = WindowRectOf(window);
    return {w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

// A window of the program skinned and active; `remove_style` is taken off before the skin reads it.
std::unique_ptr<MainWindow> SkinnedWindow(const std::string& caption = "Velquist skinned", DWORD remove_style = 0) {
    auto w = std::make_unique<MainWindow>(caption);
    if (remove_style)
        SetWindowLongPtrW(w->handle(), GWL_STYLE, GetWindowLongPtrW(w->handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(remove_style));
    Activate(w->handle());
    EXPECT_TRUE(WaitSkinned(w->handle()));
    return w;
}

TSkinData* DataOf(ui::Component* owner, const Bytes& stored) {
    auto* data = new TSkinData(owner);
    data->SetActive(true);
    data->SetStoredArchive(stored);
    static_cast<ui::Component*>(data)->loaded();
    return data;
}

// Our default skin with every caption-button strip made of five solid frames (the letters a to
// e, frame 1 to 5) and one more button, of an action the engine does not know (5).
Bytes FiveFrameSkin() {
    auto strip = [] {
        return skin_test::MakeBmp(5 * 16, 16, [](int x, int) { return skin_test::CellPixel(static_cast<char>('a' + x / 16)); });
    };
    std::vector<skin_test::SkinFile> files = skingen::GenerateSkin(skingen::DefaultLook());
    for (skin_test::SkinFile& f : files) {
        if (f.name == "close.bmp" || f.name == "maximize.bmp" || f.name == "restore.bmp" || f.name == "help.bmp" ||
            f.name == "minimize.bmp")
            f.bytes = strip();
        if (f.name == "skin.ini") {
            std::string ini(f.bytes.begin(), f.bytes.end());
            for (std::size_t at = ini.find("frame=4"); at != std::string::npos; at = ini.find("frame=4", at)) ini[at + 6] = '5';
            ini += "[Button7]\nAction=5\nAlign=1\nXcoord=94\nYcoord=5\nVisibility=0\nVisibility1=0\nframe=5\nButtonImage=custom.bmp\n";
            f.bytes.assign(ini.begin(), ini.end());
        }
    }
    files.push_back({"custom.bmp", strip()});
    test_support::TestFolder folder("five-frames");
    skin_test::WriteSkinFolder(folder.path(), files);
    const skin::PackResult packed = skin::PackSkinFolder(folder.path());
    EXPECT_TRUE(packed.ok()) << packed.error;
    return packed.stored;
}

class SkinnedFrame : public SkinnedTest {};

// Golden pixels of one skin, active and inactive: the title bar's top-left corner (the side
// piece's rounded corner and the caption's top rows), the title plate's left end, the bottom-right
// corner (the right and bottom borders around the untouched client 'g') and the close button's
// top-left part (its keyed corner shows the caption).
struct FrameGolden {
    const char* name;
    skingen::SkinLook (*look)();
    PixelMap corner[2], plate[2], bottom_right[2], close[2];
};

const FrameGolden kDefaultFrame = {
    "default", skingen::DefaultLook,
    {{"###ooooooooo", "##llllllllll", "#l..........", "ol..........", "ol..........", "ol.........."},
     {"###ooooooooo", "##LLLLLLLLLL", "#L..........", "oL..........", "oL..........", "oL.........."}},
    {{"........", "...bbbbb", "..bppppp", "..bppppp"}, {"........", "...BBBBB", "..BPPPPP", "..BPPPPP"}},
    {{"ggggggsffo", "ggggggsffo", "ggggggsffo", "ggggggsffo", "ggggggsffo", "sssssssffo", "fffffffff#", "ffffffff##",
      "ooooooo###"},
     {"ggggggsFFo", "ggggggsFFo", "ggggggsFFo", "ggggggsFFo", "ggggggsFFo", "sssssssFFo", "FFFFFFFFF#", "FFFFFFFF##",
      "ooooooo###"}},
    // Strips of four frames: an inactive window's buttons show the fourth, muted.
    {{".wwwwwwwww", "wccccccccc", "wccccccccc", "wccccccccc", "wcccwwcccc", "wccccwwccw", "wcccccwwww", "wccccccwwc"},
     {".nnnnnnnnn", "nmmmmmmmmm", "nmmmmmmmmm", "nmmmmmmmmm", "nmmmqqmmmm", "nmmmmqqmmq", "nmmmmmqqqq", "nmmmmmmqqm"}},
};

const FrameGolden kContrastFrame = {
    "contrast", skingen::ContrastingLook,
    {{"###ooooooooo", "##llllllllll", "#l..........", "ol..........", "ol..........", "ol.........."},
     {"###ooooooooo", "##LLLLLLLLLL", "#L..........", "oL..........", "oL..........", "oL.........."}},
    {{"........", "...bbbbb", "..bppppp", "..bppppp"}, {"........", "...BBBBB", "..BPPPPP", "..BPPPPP"}},
    {{"gggsfffffo", "gggsfffffo", "ssssfffffo", "fffffffffo", "fffffffffo", "fffffffffo", "fffffffff#", "ffffffff##",
      "ooooooo###"},
     {"gggsFFFFFo", "gggsFFFFFo", "ssssFFFFFo", "FFFFFFFFFo", "FFFFFFFFFo", "FFFFFFFFFo", "FFFFFFFFF#", "FFFFFFFF##",
      "ooooooo###"}},
    {{".hhhhhhhhh", "hccccccccc", "hccccccccc", "hccccccccc", "hccccccccc", "hccccccccc", "hcccccwwcc", "hccccccwwc"},
     {".nnnnnnnnn", "nmmmmmmmmm", "nmmmmmmmmm", "nmmmmmmmmm", "nmmmmmmmmm", "nmmmmmmmmm", "nmmmmmqqmm", "nmmmmmmqqm"}},
};

// The window's frame painted active and inactive, checked against the skin's golden maps; the
// title text is drawn on the plate in the skin's title text colour.
void ExpectFrame(HWND window, const FrameGolden& golden) {
    SCOPED_TRACE(golden.name);
    const skingen::SkinLook look = golden.look();
    const auto legend = LegendOf(look);
    for (int inactive = 0; inactive < 2; ++inactive) {
        SCOPED_TRACE(inactive ? "inactive" : "active");
        SendMessageW(window, WM_NCACTIVATE, inactive ? FALSE : TRUE, 0);
        const auto picture = PaintedFrame(window);
        window_test::save_picture(*picture, "skinned_frames",
                                  std::string("painted_") + golden.name + (inactive ? "_inactive" : "_active"));
        const RECT w = WindowRectOf(window);
        const int width = w.right - w.left, height = w.bottom - w.top;
        const ui::Rect text = SkinOf(window)->caption_text_rect();
        EXPECT_EQ(MapOf(*picture, {0, 0, 12, 6}, legend), Rows(golden.corner[inactive]));
        EXPECT_EQ(MapOf(*picture, {text.left - 6, look.button_top - 1, text.left + 2, look.button_top + 3}, legend),
                  Rows(golden.plate[inactive]));
        EXPECT_EQ(MapOf(*picture, {width - 10, height - 9, width, height}, legend), Rows(golden.bottom_right[inactive]));
        const auto* close = ButtonOf(window, 0);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->rect.right, width - look.border_width - look.button_gap) << "the close button sits by the right border";
        EXPECT_EQ(MapOf(*picture, {close->rect.left, close->rect.top, close->rect.left + 10, close->rect.top + 8}, legend),
                  Rows(golden.close[inactive]));
        // The text: some pixels of the title text colour inside the text rectangle.
        const std::uint32_t ink = inactive ? look.caption_inactive_text : look.caption_text;
        int inked = 0;
        for (int y = text.top; y < text.bottom; ++y)
            for (int x = text.left; x < text.right; ++x) {
                const COLORREF p = picture->pixel(x, y);
                inked += static_cast<std::uint32_t>((GetRValue(p) << 16) | (GetGValue(p) << 8) | GetBValue(p)) == ink;
            }
        EXPECT_GT(inked, 20) << "title text in the title text colour";
    }
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
}

// Both skins, and the switch between them at run time: the frame is measured again and painted
// whole in the new skin, its right and bottom borders included.
TEST_F(SkinnedFrame, PaintedIntoAMemoryDCInBothSkinsActiveAndInactive) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    auto w = SkinnedWindow();
    ExpectFrame(w->handle(), kDefaultFrame);
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    data->SetSkinFile(kContrastSkin);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    ExpectFrame(w->handle(), kContrastFrame);
    data->SetSkinFile(kDefaultSkin);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 2; }, 3000));
    ExpectFrame(w->handle(), kDefaultFrame);
}

// A small icon drawn here: a solid square of `rgb`, `side` pixels, at `at` in a cell of the
// system's small-icon size; the rest of the cell transparent.
class SquareIcon {
public:
    SquareIcon(POINT at, int side, std::uint32_t rgb) {
        const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
        const int mask_stride = (cx + 15) / 16 * 2;  // monochrome rows are word-aligned
        std::vector<std::uint32_t> colour(static_cast<std::size_t>(cx * cy), 0);
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(mask_stride * cy), 0xFF);
        for (int y = at.y; y < at.y + side && y < cy; ++y)
            for (int x = at.x; x < at.x + side && x < cx; ++x) {
                colour[static_cast<std::size_t>(y * cx + x)] = rgb;  // no alpha: the mask decides
                mask[static_cast<std::size_t>(y * mask_stride + x / 8)] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
            }
        const ui::GdiObject<HBITMAP> colour_bits(CreateBitmap(cx, cy, 1, 32, colour.data()));
        const ui::GdiObject<HBITMAP> mask_bits(CreateBitmap(cx, cy, 1, 1, mask.data()));
        ICONINFO info{TRUE, 0, 0, mask_bits.get(), colour_bits.get()};
        icon_ = CreateIconIndirect(&info);
    }
    ~SquareIcon() {
        if (icon_) DestroyIcon(icon_);
    }
    SquareIcon(const SquareIcon&) = delete;
    SquareIcon& operator=(const SquareIcon&) = delete;
    HICON get() const { return icon_; }

private:
    HICON icon_ = nullptr;
};

// The icon button is drawn as the window's small icon, at its fixed place at the caption's left
// and centred on the title text, with the icon's transparent pixels showing the caption: the
// rows around the icon's cell (at x = 8), 'i' the icon's square, a pixel off the cell on every
// side.
TEST_F(SkinnedFrame, IconButtonDrawnAsTheWindowsIcon) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    ASSERT_EQ(GetSystemMetrics(SM_CYSMICON), 16);
    constexpr std::uint32_t kInk = 0x2050D0;
    const SquareIcon icon({2, 3}, 10, kInk);  // outlives the window that shows it
    ASSERT_NE(icon.get(), nullptr);
    LoadedData(owner_.get(), kDefaultSkin);
    auto w = SkinnedWindow("Velquist icon");
    const HWND h = w->handle();
    SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    const auto picture = PaintedFrame(h);
    window_test::save_picture(*picture, "skinned_frames", "painted_icon");
    auto legend = LegendOf(skingen::DefaultLook());
    legend.push_back({'i', kInk});
    const ui::Rect text = SkinOf(h)->caption_text_rect();
    const int top = text.top + (text.height() - 16) / 2;
    // The caption around the square, never the magenta the icon was drawn on ('#').
    const PixelMap golden = {
        "..................",
        "..................",
        "..................",
        "..................",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "...iiiiiiiiii.....",
        "..................",
        "..................",
        "..................",
        "..................",
    };
    EXPECT_EQ(MapOf(*picture, {7, top - 1, 25, top + 17}, legend), Rows(golden));
}

// The frame of each caption button's strip drawn in the title, by the window's state: frame 4
// for a disabled button and for every button of an inactive window when the strip has five.
TEST_F(SkinnedFrame, CaptionButtonFramesFollowTheWindowsState) {
    DataOf(owner_.get(), FiveFrameSkin());
    struct Case {
        const char* name;
        DWORD remove_style;
        bool active;
        const char* frames;  // close, maximise, minimise, the unknown action; '-' hidden
    } cases[] = {
        {"active", 0, true, "aaaa"},
        {"inactive", 0, false, "dddd"},
        {"no minimise box", WS_MINIMIZEBOX, true, "aada"},
        {"no maximise box", WS_MAXIMIZEBOX, true, "adaa"},
        {"no minimise box, inactive", WS_MINIMIZEBOX, false, "dddd"},
        {"no boxes", WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true, "a--a"},
    };
    const auto legend = CellLegend();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = SkinnedWindow(c.name, c.remove_style);
        if (!c.active) SendMessageW(w->handle(), WM_NCACTIVATE, FALSE, 0);
        const auto picture = PaintedFrame(w->handle());
        std::string frames;
        for (int action : {0, 1, 2, 5}) {
            const auto* b = ButtonOf(w->handle(), action);
            frames += b ? LetterOf(picture->pixel((b->rect.left + b->rect.right) / 2, (b->rect.top + b->rect.bottom) / 2), legend) : '-';
        }
        EXPECT_EQ(frames, c.frames);
    }
}

// The window's own pixels, as they are on screen now (no repaint first).
COLORREF ScreenPixel(HWND window, POINT screen) {
    const RECT w = WindowRectOf(window);
    const HDC dc = GetWindowDC(window);
    const COLORREF p = GetPixel(dc, screen.x - w.left, screen.y - w.top);
    ReleaseDC(window, dc);
    return p;
}

// A button whose state changes is painted at once in the state's frame: hot 3, pressed 2, and
// frame 4 for a disabled button whatever its state.
TEST_F(SkinnedFrame, ButtonStatesPaintTheirFrames) {
    DataOf(owner_.get(), FiveFrameSkin());
    auto w = SkinnedWindow("states", WS_MINIMIZEBOX);
    const HWND h = w->handle();
    SendMessageW(h, skin::kMsgPaintNonClient, 0, 0);
    const auto legend = CellLegend();
    const POINT close = ScreenCentre(h, ButtonOf(h, 0)->rect), minimise = ScreenCentre(h, ButtonOf(h, 2)->rect);
    EXPECT_EQ(LetterOf(ScreenPixel(h, close), legend), 'a');
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, At(close));
    EXPECT_EQ(SkinOf(h)->hot(), 0);
    EXPECT_EQ(LetterOf(ScreenPixel(h, close), legend), 'c') << "hot";
    SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, At(close));
    EXPECT_EQ(LetterOf(ScreenPixel(h, close), legend), 'b') << "pressed";
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, At(minimise));
    EXPECT_EQ(LetterOf(ScreenPixel(h, close), legend), 'a') << "left";
    EXPECT_EQ(LetterOf(ScreenPixel(h, minimise), legend), 'd') << "disabled and hot";
    // An inactive window follows no mouse.
    SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, At(close));
    EXPECT_EQ(SkinOf(h)->hot(), -1);
}

// Records the system commands and caption actions that reach the window's own procedure
// without carrying them out; a marker posted last tells that everything before it has arrived.
struct Recorder {
    static constexpr UINT kMarker = WM_APP + 29;
    explicit Recorder(ui::Form& form) : form(form) {
        token = form.window_proc.add("recorder", [this](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_SYSCOMMAND && (m.wparam & 0xFFF0) != SC_KEYMENU) {
                seen.push_back("command " + std::to_string(m.wparam & 0xFFF0));
                return;
            }
            if (m.msg == skin::kMsgCaptionAction) {
                seen.push_back("action " + std::to_string(m.wparam));
                return;
            }
            if (m.msg == kMarker) {
                marked = true;
                return;
            }
            next(m);
        });
    }
    ~Recorder() { form.window_proc.remove(token); }
    // What arrived up to the marker.
    std::vector<std::string> Settle() {
        marked = false;
        PostMessageW(form.handle(), kMarker, 0, 0);
        EXPECT_TRUE(window_test::pump_until([&] { return marked; }, 3000));
        std::vector<std::string> out;
        out.swap(seen);
        return out;
    }
    ui::Form& form;
    ui::MessageChain::Token token = 0;
    std::vector<std::string> seen;
    bool marked = false;
};

std::string Command(WPARAM command) { return "command " + std::to_string(command); }

void Click(HWND window, POINT at) {
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, At(at));
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, At(at));
}

TEST_F(SkinnedFrame, AButtonOfAnUnknownActionPostsItToTheWindow) {
    DataOf(owner_.get(), FiveFrameSkin());
    auto w = SkinnedWindow("unknown action");
    Recorder recorder(*w->form);
    SendMessageW(w->handle(), skin::kMsgPaintNonClient, 0, 0);
    const auto* custom = ButtonOf(w->handle(), 5);
    ASSERT_NE(custom, nullptr);
    Click(w->handle(), ScreenCentre(w->handle(), custom->rect));
    EXPECT_EQ(recorder.Settle(), std::vector<std::string>{"action 5"});
    // A press that ends elsewhere runs nothing.
    SendMessageW(w->handle(), WM_NCLBUTTONDOWN, HTCAPTION, At(ScreenCentre(w->handle(), custom->rect)));
    SendMessageW(w->handle(), WM_NCLBUTTONUP, HTCAPTION, At(ScreenCentre(w->handle(), ButtonOf(w->handle(), 0)->rect)));
    EXPECT_TRUE(recorder.Settle().empty());
}

enum WindowState { kNormal, kMaximised, kMinimised };

void Show(HWND window, WindowState state) {
    if (state == kMaximised) ShowWindow(window, SW_MAXIMIZE);
    if (state == kMinimised) ShowWindow(window, SW_MINIMIZE);
    window_test::pump(0);
    EXPECT_EQ(SkinOf(window)->window_state(), state == kMaximised   ? TWinSkinForm::kMaximised
                                              : state == kMinimised ? TWinSkinForm::kMinimised
                                                                    : TWinSkinForm::kNormal);
    SendMessageW(window, skin::kMsgPaintNonClient, 0, 0);  // the buttons laid out for the state
}

// Double clicks on the caption: the icon button closes, another button does nothing, the title
// toggles maximise and restores a minimised window, and without a maximise box the system has it.
TEST_F(SkinnedFrame, DoubleClicksOnTheCaption) {
    LoadedData(owner_.get(), kDefaultSkin);
    struct Case {
        const char* name;
        WindowState state;
        DWORD remove_style;
        int on_action;  // the button double-clicked; -1 the title away from the buttons
        std::vector<std::string> expected;
    } cases[] = {
        {"icon button", kNormal, 0, 3, {Command(SC_CLOSE)}},
        {"close button", kNormal, 0, 0, {}},
        {"title of a normal window", kNormal, 0, -1, {Command(SC_MAXIMIZE)}},
        {"title of a maximised window", kMaximised, 0, -1, {Command(SC_RESTORE)}},
        {"title of a minimised window", kMinimised, 0, -1, {Command(SC_RESTORE)}},
        {"title without maximise box", kNormal, WS_MAXIMIZEBOX, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = SkinnedWindow(c.name, c.remove_style);
        const HWND h = w->handle();
        Show(h, c.state);
        Recorder recorder(*w->form);
        POINT at{};
        if (c.on_action >= 0) {
            const auto* b = ButtonOf(h, c.on_action);
            ASSERT_NE(b, nullptr);
            at = ScreenCentre(h, b->rect);
        } else {
            // Above the buttons, which start lower in the caption.
            const RECT r = WindowRectOf(h);
            at = {(r.left + r.right) / 2, r.top + 3};
        }
        SendMessageW(h, WM_NCLBUTTONDBLCLK, HTCAPTION, At(at));
        EXPECT_EQ(recorder.Settle(), c.expected);
    }
}

// The window menu, a copy of the system's, enabled by the window's state and boxes: restore,
// move, size, minimise, maximise, close ('+' enabled, '-' disabled, '?' missing).
TEST_F(SkinnedFrame, WindowMenuEnablingFollowsTheWindowsState) {
    LoadedData(owner_.get(), kDefaultSkin);
    struct Case {
        const char* name;
        WindowState state;
        DWORD remove_style;
        const char* enabled;
    } cases[] = {
        {"normal", kNormal, 0, "-+++++"},
        {"maximised", kMaximised, 0, "+--+-+"},
        {"minimised", kMinimised, 0, "+++-++"},
        {"no maximise box", kNormal, WS_MAXIMIZEBOX, "-+++-+"},
        {"no minimise box", kNormal, WS_MINIMIZEBOX, "-++-++"},
    };
    int tracked = 0;
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        ++tracked;
        return 0;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = SkinnedWindow(c.name, c.remove_style);
        const HWND h = w->handle();
        Show(h, c.state);
        const RECT r = WindowRectOf(h);
        const int before = tracked;
        SendMessageW(h, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM((r.left + r.right) / 2, r.top + 3));
        EXPECT_EQ(tracked, before + 1);
        ui::PopupMenu* menu = SkinOf(h)->window_menu();
        ASSERT_NE(menu, nullptr);
        std::map<std::intptr_t, bool> enabled;
        for (const ui::MenuItem* item : menu->items()->items()) enabled[item->tag()] = item->enabled();
        std::string got;
        for (UINT id : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
            got += !enabled.count(id) ? '?' : enabled[id] ? '+' : '-';
        EXPECT_EQ(got, c.enabled);
    }
    ui::PopupMenu::set_track_function(nullptr);
}

// The close button's hint comes up once the mouse has rested on it for twice the application's
// hint pause and goes after the hint-hide pause more; leaving the button hides it at once.
TEST_F(SkinnedFrame, CaptionHintsComeAndGoWithTheHoverTime) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    data->SetOptions(data->Options().include(skin::TSkinOption::xoCaptionButtonHint));
    ui::Application& app = ui::application();
    const int pause = app.hint_pause, hide = app.hint_hide_pause;
    app.hint_pause = 250;
    app.hint_hide_pause = 500;
    auto w = SkinnedWindow("hints");
    const HWND h = w->handle();
    SendMessageW(h, skin::kMsgPaintNonClient, 0, 0);
    const auto* close = ButtonOf(h, 0);
    ASSERT_NE(close, nullptr);
    const POINT at = ScreenCentre(h, close->rect);
    ASSERT_TRUE(SetCursorPos(at.x, at.y));
    SendMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, At(at));
    TWinSkinForm* skinned = SkinOf(h);
    ASSERT_EQ(skinned->hot(), 0);
    ASSERT_TRUE(window_test::pump_until([&] { return data->CaptionHintShown(); }, 5000));
    EXPECT_GE(skinned->hover_time(), 2 * app.hint_pause);
    EXPECT_LT(skinned->hover_time(), 2 * app.hint_pause + app.hint_hide_pause);
    // Below the cursor, at the button's left.
    RECT hint{};
    GetWindowRect(data->CaptionHintWindow()->handle(), &hint);
    EXPECT_EQ(hint.left, WindowRectOf(h).left + close->rect.left);
    EXPECT_EQ(hint.top, at.y + 24);
    wchar_t text[32] = {};
    GetWindowTextW(data->CaptionHintWindow()->handle(), text, 32);
    EXPECT_STREQ(text, L"Close");
    ASSERT_TRUE(window_test::pump_until([&] { return !data->CaptionHintShown(); }, 5000));
    EXPECT_GE(skinned->hover_time(), 2 * app.hint_pause + app.hint_hide_pause);
    EXPECT_EQ(skinned->hot(), 0) << "still over the button";

    // Leaving the button ends the hover.
    const RECT r = WindowRectOf(h);
    ASSERT_TRUE(SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    ASSERT_TRUE(window_test::pump_until([&] { return skinned->hot() == -1; }, 3000));
    EXPECT_EQ(skinned->hover_time(), 0);
    EXPECT_FALSE(data->CaptionHintShown());
    app.hint_pause = pause;
    app.hint_hide_pause = hide;
}

// Pictures of the test windows in both skins, active and inactive, for review: the main window
// with its menu, one without minimise and maximise boxes, one with a title too long for it, and
// the main window maximised.
TEST_F(SkinnedFrame, ScreenshotsOfTheWindowsInBothSkins) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    auto main = SkinnedWindow("Velquist skinned");
    auto fixed = SkinnedWindow("Velquist fixed", WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME);
    auto long_title = SkinnedWindow(std::string(300, 'W') + " end");
    auto maximised = SkinnedWindow("Velquist maximised");
    Show(maximised->handle(), kMaximised);
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    const std::pair<const char*, MainWindow*> windows[] = {
        {"main", main.get()}, {"fixed", fixed.get()}, {"long_title", long_title.get()}, {"maximised", maximised.get()}};
    for (const char* skin_name : {"default", "contrast"}) {
        if (std::string(skin_name) == "contrast") {
            data->SetSkinFile(kContrastSkin);
            ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
        }
        for (const auto& [name, window] : windows) {
            const HWND h = window->handle();
            Activate(h);
            SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
            EXPECT_TRUE(window_test::save_screenshot(h, "skinned_frames", std::string(name) + "_" + skin_name + "_active"));
            SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
            EXPECT_TRUE(window_test::save_screenshot(h, "skinned_frames", std::string(name) + "_" + skin_name + "_inactive"));
        }
    }
}

}  // namespace
