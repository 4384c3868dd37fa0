#include "platform/ui/win/screenshot.h"

#include "platform/files.h"

namespace ui {

void capture_window(HWND window, Bitmap& into) {
    RECT r{};
    GetWindowRect(window, &r);
    into.set_size(r.right - r.left, r.bottom - r.top);
    if (into.empty()) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WindowDC dc(window);
    BitBlt(into.dc(), 0, 0, into.width(), into.height(), dc.get(), 0, 0, SRCCOPY);
    GdiFlush();
}

bool save_png(const Bitmap& bitmap, const std::string& path) {
    auto bytes = bitmap.to_png();
    if (bytes.empty()) return false;
    return plat::write_whole_file(path, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace ui
