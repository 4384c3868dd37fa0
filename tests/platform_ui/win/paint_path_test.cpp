// The paint path of library windows under Wine: off-screen painting and its fall-back, the
// objects a canvas keeps, no GDI objects left behind by many paints, and a painter that throws.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/std_controls.h"
#include "tests/support/window_test/window_test.h"

using namespace ui;

namespace {

const char kPictures[] = "platform_ui_screenshots";
constexpr TColor kBackground = clFuchsia;

// The painter's picture, one letter a cell; '.' leaves the window's background.
const std::vector<std::string> kCells = {
    "RRGG..",
    "RRGG..",
    "BBYYKK",
    "..YYKK",
};

TColor cell_color(char c) {
    switch (c) {
    case 'R': return clRed;
    case 'G': return clLime;
    case 'B': return clBlue;
    case 'Y': return clYellow;
    default: return clBlack;
    }
}

// Paints kCells over its client area; fails on demand, can refuse its off-screen bitmap, and
// notes the DC it painted on and the bitmap behind that DC.
class CellWindow : public CustomControl {
public:
    explicit CellWindow(Component* owner) : CustomControl(owner) { set_color(kBackground); }
    bool fail = false;
    bool refuse_buffer = false;
    bool asks_off_screen = false;
    // Draw with a new pen, brush and font value on each paint (objects made and dropped).
    bool vary_tools = false;
    int paints = 0;
    HDC painted_dc = nullptr;
    SIZE painted_surface{};

    int cell_width() const { return client_width() / static_cast<int>(kCells[0].size()); }
    int cell_height() const { return client_height() / static_cast<int>(kCells.size()); }

protected:
    void paint(Canvas& canvas) override {
        ++paints;
        painted_dc = canvas.handle();
        painted_surface = SIZE{};
        if (GetObjectType(painted_dc) == OBJ_MEMDC) {
            BITMAP b{};
            GetObjectW(GetCurrentObject(painted_dc, OBJ_BITMAP), sizeof b, &b);
            painted_surface = SIZE{b.bmWidth, b.bmHeight};
        }
        if (fail) {
            canvas.brush().color = clBlack;
            canvas.fill_rect({0, 0, client_width(), client_height() / 2});  // half a picture, then the fault
            throw std::runtime_error("cell painter failed");
        }
        for (std::size_t row = 0; row < kCells.size(); ++row)
            for (std::size_t col = 0; col < kCells[row].size(); ++col) {
                if (kCells[row][col] == '.') continue;
                int x = static_cast<int>(col) * cell_width(), y = static_cast<int>(row) * cell_height();
                canvas.brush().color = cell_color(kCells[row][col]);
                canvas.fill_rect({x, y, x + cell_width(), y + cell_height()});
            }
        if (vary_tools) {
            canvas.pen().color = static_cast<TColor>(paints & 0xFF);
            canvas.move_to(0, 0);
            canvas.line_to(1, 1);
            canvas.font().set_height(-10 - paints % 3);
            canvas.brush().style = TBrushStyle::bsClear;
            canvas.text_out(0, 0, "x");
        }
    }
    bool wants_off_screen_painting() const override { return asks_off_screen; }
    bool allocate_paint_buffer(Bitmap& buffer, int width, int height) override {
        return !refuse_buffer && CustomControl::allocate_paint_buffer(buffer, width, height);
    }
};

// What the window shows now, without repainting it.
void window_pixels(HWND window, Bitmap& shot) {
    RECT r{};
    GetClientRect(window, &r);
    shot.set_size(r.right, r.bottom);
    ClientDC dc(window);
    BitBlt(shot.dc(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
    GdiFlush();
}

std::uint32_t window_pixel(HWND window, int x, int y) {
    ClientDC dc(window);
    return GetPixel(dc.get(), x, y);
}

void fill_black(HDC dc, int width, int height) {
    RECT r{0, 0, width, height};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// Paints the window black and leaves nothing to update, so that only a paint under test shows.
void blacken(CellWindow& w) {
    ClientDC dc(w.handle());
    fill_black(dc.get(), w.client_width(), w.client_height());
    ValidateRect(w.handle(), nullptr);
}

void paint_by_message(CellWindow& w) {
    InvalidateRect(w.handle(), nullptr, TRUE);
    UpdateWindow(w.handle());
}

// Cells whose centre pixel is not the colour kCells asks for ('.' is `blank`), as readable text.
std::string cell_mismatches(const Bitmap& shot, int cell_w, int cell_h, TColor blank) {
    std::string out;
    for (std::size_t row = 0; row < kCells.size(); ++row)
        for (std::size_t col = 0; col < kCells[row].size(); ++col) {
            char c = kCells[row][col];
            std::uint32_t want = to_colorref(c == '.' ? blank : cell_color(c));
            int x = static_cast<int>(col) * cell_w + cell_w / 2, y = static_cast<int>(row) * cell_h + cell_h / 2;
            std::uint32_t got = shot.pixel(x, y);
            if (got != want) {
                char line[96];
                std::snprintf(line, sizeof line, "cell %zu,%zu ('%c'): %06X, want %06X\n", row, col, c,
                              static_cast<unsigned>(got), static_cast<unsigned>(want));
                out += line;
            }
        }
    return out;
}

std::string window_mismatches(const CellWindow& w, TColor blank) {
    Bitmap shot;
    window_pixels(const_cast<CellWindow&>(w).handle(), shot);
    return cell_mismatches(shot, w.cell_width(), w.cell_height(), blank);
}

// Every cell shows `color`: what a failed paint leaves.
std::string plain_mismatches(const Bitmap& shot, int cell_w, int cell_h, TColor color) {
    std::string out;
    for (std::size_t row = 0; row < kCells.size(); ++row)
        for (std::size_t col = 0; col < kCells[row].size(); ++col) {
            int x = static_cast<int>(col) * cell_w + cell_w / 2, y = static_cast<int>(row) * cell_h + cell_h / 2;
            if (shot.pixel(x, y) != to_colorref(color)) out += "cell " + std::to_string(row) + "," + std::to_string(col) + "\n";
        }
    return out;
}

long gdi_objects_of_process() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

class PaintPath : public ::testing::Test {
protected:
    void SetUp() override {
        static bool ready = [] {
            application().initialize();
            register_control_classes();
            return true;
        }();
        (void)ready;
        application().on_exception = [this](const std::string& message) { reports.push_back(message); };
        application().on_log = [this](const std::string& line) { log.push_back(line); };
        form = new Form(nullptr);
        form->set_bounds(30, 30, 260, 200);
        form->set_caption("Paint path");
        form->set_color(clWhite);
        form->show();
        window_test::pump(20);
        // The form's own objects (its background brush) are made by its first paint.
        RedrawWindow(form->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void TearDown() override {
        form->free();
        application().on_exception = nullptr;
        application().on_log = nullptr;
    }
    CellWindow* add_window(bool buffered, int width = 48, int height = 32) {
        auto* w = new CellWindow(form);
        w->set_parent(form);
        w->set_bounds(8, 8, width, height);
        w->set_double_buffered(buffered);
        w->handle_needed();
        window_test::pump(20);
        w->paints = 0;
        return w;
    }

    Form* form = nullptr;
    std::vector<std::string> reports, log;
};

enum class Route { WmPaint, PaintNow, PrintClient };

struct RouteCase {
    const char* name;
    Route route;
    bool buffered;
    // Only WM_PAINT erases when painting directly; off-screen painting always draws the background.
    bool background;
};

TEST_F(PaintPath, OffScreenPaintingShowsTheSamePixelsThroughAMemoryDC) {
    const RouteCase cases[] = {
        {"wm_paint_direct", Route::WmPaint, false, true},       {"wm_paint_buffered", Route::WmPaint, true, true},
        {"paint_now_direct", Route::PaintNow, false, false},    {"paint_now_buffered", Route::PaintNow, true, true},
        {"print_client_direct", Route::PrintClient, false, false}, {"print_client_buffered", Route::PrintClient, true, true},
    };
    for (const RouteCase& c : cases) {
        SCOPED_TRACE(c.name);
        CellWindow* w = add_window(c.buffered);
        blacken(*w);
        Bitmap shot;
        switch (c.route) {
        case Route::WmPaint:
            paint_by_message(*w);
            window_pixels(w->handle(), shot);
            EXPECT_EQ(GetObjectType(w->painted_dc), static_cast<DWORD>(c.buffered ? OBJ_MEMDC : OBJ_DC));
            break;
        case Route::PaintNow:
            w->paint_now();
            window_pixels(w->handle(), shot);
            EXPECT_EQ(GetObjectType(w->painted_dc), static_cast<DWORD>(c.buffered ? OBJ_MEMDC : OBJ_DC));
            break;
        case Route::PrintClient: {
            shot.set_size(w->client_width(), w->client_height());
            fill_black(shot.dc(), shot.width(), shot.height());
            SendMessageW(w->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc()), PRF_CLIENT);
            EXPECT_EQ(w->painted_dc == shot.dc(), !c.buffered) << "buffered windows paint into their own bitmap";
            break;
        }
        }
        EXPECT_EQ(w->paints, 1);
        EXPECT_EQ(cell_mismatches(shot, w->cell_width(), w->cell_height(), c.background ? kBackground : clBlack), "");
        window_test::save_picture(shot, kPictures, std::string("paint_path_") + c.name);
        delete w;
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(PaintPath, ResizingRebuildsTheOffScreenBitmap) {
    CellWindow* w = add_window(true);
    const SIZE sizes[] = {{48, 32}, {96, 64}, {24, 16}, {96, 64}};
    long long live_first = 0;
    for (const SIZE& s : sizes) {
        SCOPED_TRACE(std::to_string(s.cx) + "x" + std::to_string(s.cy));
        w->set_bounds(8, 8, s.cx, s.cy);
        blacken(*w);
        paint_by_message(*w);
        EXPECT_EQ(w->painted_surface.cx, s.cx);
        EXPECT_EQ(w->painted_surface.cy, s.cy);
        EXPECT_EQ(window_mismatches(*w, kBackground), "");
        if (!live_first) live_first = gdi_tally().live();
        EXPECT_EQ(gdi_tally().live(), live_first) << "the bitmap of the old size is gone";
    }
    Bitmap shot;
    window_pixels(w->handle(), shot);
    window_test::save_picture(shot, kPictures, "paint_path_resized");
}

TEST_F(PaintPath, WithoutRoomForTheBitmapTheWindowIsPaintedDirectly) {
    CellWindow* w = add_window(true);
    w->refuse_buffer = true;
    w->set_bounds(8, 8, 64, 40);  // a bigger bitmap is needed and there is no room for it
    blacken(*w);
    paint_by_message(*w);
    EXPECT_EQ(GetObjectType(w->painted_dc), static_cast<DWORD>(OBJ_DC));
    // WM_ERASEBKGND was answered without erasing, so the direct paint draws the background too.
    EXPECT_EQ(window_mismatches(*w, kBackground), "");
    blacken(*w);
    w->paint_now();
    EXPECT_EQ(window_mismatches(*w, kBackground), "");
    w->refuse_buffer = false;
    paint_by_message(*w);
    EXPECT_EQ(GetObjectType(w->painted_dc), static_cast<DWORD>(OBJ_MEMDC)) << "the next paint tries again";
    EXPECT_TRUE(reports.empty());
}

TEST_F(PaintPath, TenThousandPaintsLeaveNoGdiObjectsBehind) {
    struct Case {
        const char* name;
        Route route;
        bool buffered;
    };
    const Case cases[] = {{"wm_paint_direct", Route::WmPaint, false},
                          {"wm_paint_buffered", Route::WmPaint, true},
                          {"paint_now_buffered", Route::PaintNow, true},
                          {"print_client_buffered", Route::PrintClient, true}};
    const int paints_per_case = 10000 / static_cast<int>(std::size(cases));
    const long long live_before_windows = gdi_tally().live();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CellWindow* w = add_window(c.buffered);
        w->vary_tools = true;
        auto* label = new Label(form);  // a windowless child, painted with its own canvas
        label->set_parent(w);
        label->set_bounds(2, 2, 30, 12);
        label->set_caption("ab");
        Bitmap target(w->client_width(), w->client_height());
        auto paint = [&] {
            switch (c.route) {
            case Route::WmPaint: paint_by_message(*w); break;
            case Route::PaintNow: w->paint_now(); break;
            case Route::PrintClient:
                SendMessageW(w->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.dc()), PRF_CLIENT);
                break;
            }
        };
        // The first paints make what the window keeps: its bitmap, the objects its canvases hold.
        const int warm_up = 16;
        for (int i = 0; i < warm_up; ++i) paint();
        const long long live = gdi_tally().live();
        const long system = gdi_objects_of_process();
        for (int i = 0; i < paints_per_case; ++i) paint();
        EXPECT_EQ(w->paints, warm_up + paints_per_case);
        EXPECT_EQ(gdi_tally().live(), live);
        EXPECT_EQ(gdi_objects_of_process(), system);
        if (c.buffered) {
            // The bitmap and its DC go with the window.
            w->destroy_handle();
            EXPECT_EQ(gdi_tally().live(), live - 2);
        }
        delete w;
    }
    EXPECT_EQ(gdi_tally().live(), live_before_windows) << "the controls took their objects with them";
    EXPECT_TRUE(reports.empty());
}

TEST_F(PaintPath, CanvasMakesObjectsOnlyForValuesItDoesNotHold) {
    // A list of 1,000 rows of one pixel in two colours taking turns (the text itself does not
    // matter here), row 500 selected.
    Bitmap b(200, 1000);
    Canvas& c = b.canvas();
    c.font().set_height(-1);
    const long long created = gdi_tally().created;
    for (int row = 0; row < 1000; ++row) {
        const bool selected = row == 500;
        c.brush().color = selected ? clHighlight : row % 2 ? clWhite : clInfoBk;
        c.font().set_color(selected ? clHighlightText : clWindowText);
        c.fill_rect({0, row, 200, row + 1});
        c.text_out(0, row, "row");
        c.pen().color = clSilver;
        c.move_to(150, row);
        c.line_to(151, row);
    }
    EXPECT_LE(gdi_tally().created - created, 5) << "a font, a pen and three brushes";
    EXPECT_EQ(b.pixel(160, 500), to_colorref(clHighlight));
    EXPECT_EQ(b.pixel(160, 501), to_colorref(clWhite));
    EXPECT_EQ(b.pixel(150, 20), to_colorref(clSilver));

    // Many values: the canvas keeps only a few objects, and never draws with a dropped one.
    const long long live = gdi_tally().live();
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 20; ++i) {
            c.pen().color = static_cast<TColor>(0x010101 * (i * 10));
            c.move_to(0, 900 + i);
            c.line_to(100, 900 + i);
        }
    EXPECT_LE(gdi_tally().live() - live, 8);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(b.pixel(50, 900 + i), to_colorref(static_cast<TColor>(0x010101 * (i * 10))));

    // A painter selecting objects of its own does not fool the canvas into drawing with them.
    c.pen().color = clRed;
    c.brush().color = clWhite;
    c.rectangle(0, 10, 50, 20);
    SelectObject(b.dc(), GetStockObject(WHITE_PEN));
    SelectObject(b.dc(), GetStockObject(BLACK_BRUSH));
    c.rectangle(60, 10, 110, 20);
    EXPECT_EQ(b.pixel(60, 15), 0x0000FFu);  // the canvas's red pen on the edge
    EXPECT_EQ(b.pixel(85, 15), 0xFFFFFFu);  // and its white brush inside
}

TEST_F(PaintPath, AFailingPainterIsReportedOnceAndTheWindowRecovers) {
    for (bool buffered : {false, true}) {
        SCOPED_TRACE(buffered ? "buffered" : "direct");
        reports.clear();
        log.clear();
        CellWindow* w = add_window(buffered);
        w->set_name(buffered ? "failingBuffered" : "failingDirect");
        ASSERT_TRUE(CreateCaret(w->handle(), nullptr, 2, 12));
        SetCaretPos(1, 1);
        ShowCaret(w->handle());
        w->fail = true;
        for (int i = 0; i < 200; ++i) paint_by_message(*w);
        EXPECT_NO_THROW(w->paint_now());
        EXPECT_EQ(w->paints, 201);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0], "cell painter failed");
        ASSERT_EQ(log.size(), 1u);
        EXPECT_NE(log[0].find(w->name()), std::string::npos) << log[0];
        EXPECT_NE(log[0].find("cell painter failed"), std::string::npos) << log[0];
        // The background, not the half picture, is what a failed paint leaves.
        Bitmap shot;
        window_pixels(w->handle(), shot);
        EXPECT_EQ(plain_mismatches(shot, w->cell_width(), w->cell_height(), kBackground), "");
        window_test::save_picture(shot, kPictures, std::string("paint_path_failed_") + (buffered ? "buffered" : "direct"));
        // EndPaint ran, so the caret that BeginPaint hid blinks again (inverting the background).
        EXPECT_TRUE(window_test::pump_until([&] { return window_pixel(w->handle(), 1, 6) != to_colorref(kBackground); },
                                            5000))
            << "the caret stays hidden";
        DestroyCaret();

        w->fail = false;
        blacken(*w);
        paint_by_message(*w);
        EXPECT_EQ(window_mismatches(*w, kBackground), "");
        w->fail = true;
        paint_by_message(*w);
        EXPECT_EQ(reports.size(), 2u) << "a good paint ends the run: the next failure is a new one";
        delete w;
    }
}

TEST_F(PaintPath, FormsPaintTheChildrenThatAskForItOffScreen) {
    auto* panel = new Panel(form);
    panel->set_parent(form);
    panel->set_bounds(0, 100, 200, 60);
    struct Case {
        const char* name;
        bool asks;
        bool on_panel;
        int set_by_program;  // -1: not set
        bool expected;
    };
    const Case cases[] = {
        {"asks", true, false, -1, true},
        {"asks_inside_a_panel", true, true, -1, true},
        {"does_not_ask", false, false, -1, false},
        {"asks_but_the_program_said_no", true, false, 0, false},
        {"program_says_yes", false, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* w = new CellWindow(form);
        w->asks_off_screen = c.asks;
        if (c.set_by_program >= 0) w->set_double_buffered(c.set_by_program == 1);
        w->set_parent(c.on_panel ? static_cast<WinControl*>(panel) : form);
        w->set_bounds(4, 4, 48, 32);
        w->handle_needed();
        EXPECT_EQ(w->double_buffered(), c.expected);
        paint_by_message(*w);
        EXPECT_EQ(GetObjectType(w->painted_dc), static_cast<DWORD>(c.expected ? OBJ_MEMDC : OBJ_DC));
        delete w;
    }
}

} // namespace
