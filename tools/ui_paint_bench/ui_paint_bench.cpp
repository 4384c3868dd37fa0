// Repaints a form holding 50 custom-drawn controls, painted directly and then off-screen, and
// prints the time per repaint and the GDI objects made per repaint.
//   wine-run ui_paint_bench.exe [repaints]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"

using namespace ui;

namespace {

constexpr int kColumns = 5, kRows = 10, kCellWidth = 120, kCellHeight = 44;

// A control drawn the way the control set draws: a face, a frame, a few lines and a caption.
class Tile : public CustomControl {
public:
    explicit Tile(Component* owner) : CustomControl(owner) { set_color(clWindow); }

protected:
    void paint(Canvas& canvas) override {
        const Rect r = client_rect();
        canvas.fill_rect(r);
        canvas.pen().color = clBtnShadow;
        canvas.brush().style = TBrushStyle::bsClear;
        canvas.rectangle(r);
        for (int i = 0; i < 8; ++i) {
            canvas.pen().color = static_cast<TColor>(0x202020 * (i % 4));
            canvas.move_to(4, 4 + i * 2);
            canvas.line_to(r.right - 4, 4 + i * 2);
        }
        canvas.brush().style = TBrushStyle::bsSolid;
        canvas.brush().color = clBtnFace;
        canvas.round_rect(4, 22, 24, 38, 4, 4);
        canvas.brush().style = TBrushStyle::bsClear;
        canvas.font().set_color(clWindowText);
        canvas.text_out(30, 22, name());
    }
};

struct Figures {
    double ms_per_repaint;
    double objects_per_repaint;
    long long objects_left;
    long system_objects_left;
};

long system_gdi_objects() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

void repaint(Form& form) {
    RedrawWindow(form.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

Figures measure(Form& form, const std::vector<Tile*>& tiles, bool off_screen, int repaints) {
    for (Tile* t : tiles) t->set_double_buffered(off_screen);
    for (int i = 0; i < 10; ++i) repaint(form);  // buffers and kept objects are made here
    application().process_messages();
    const GdiTally before = gdi_tally();
    const long system_before = system_gdi_objects();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < repaints; ++i) repaint(form);
    GdiFlush();
    QueryPerformanceCounter(&end);
    const GdiTally after = gdi_tally();
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    return Figures{ms / repaints, static_cast<double>(after.created - before.created) / repaints,
                   after.live() - before.live(), system_gdi_objects() - system_before};
}

} // namespace

int main(int argc, char** argv) {
    const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    application().initialize();
    application().on_exception = [](const std::string& message) { std::fprintf(stderr, "error: %s\n", message.c_str()); };
    Form form(nullptr);
    form.set_caption("Paint benchmark");
    form.set_client_width(kColumns * kCellWidth);
    form.set_client_height(kRows * kCellHeight);
    std::vector<Tile*> tiles;
    for (int i = 0; i < kColumns * kRows; ++i) {
        auto* t = new Tile(&form);
        t->set_name("tile" + std::to_string(i + 1));
        t->set_parent(&form);
        t->set_bounds((i % kColumns) * kCellWidth + 2, (i / kColumns) * kCellHeight + 2, kCellWidth - 4, kCellHeight - 4);
        tiles.push_back(t);
    }
    form.show();
    application().process_messages();

    std::printf("%d repaints of a form with %zu custom-drawn controls (%dx%d each)\n", repaints, tiles.size(),
                kCellWidth - 4, kCellHeight - 4);
    std::printf("%-12s %16s %24s %14s %20s\n", "painting", "ms per repaint", "GDI objects per repaint", "objects left",
                "system count left");
    for (bool off_screen : {false, true}) {
        Figures f = measure(form, tiles, off_screen, repaints);
        std::printf("%-12s %16.3f %24.2f %14lld %20ld\n", off_screen ? "off-screen" : "direct", f.ms_per_repaint,
                    f.objects_per_repaint, f.objects_left, f.system_objects_left);
    }
    std::printf("system GDI count now: %ld (0: the system reports none)\n", system_gdi_objects());
    return 0;
}
