#include "platform/ui/win/hint_window.h"

#include "platform/ui/win/application.h"
#include "platform/ui/win/graphics.h"

namespace ui {

ClassInfo& HintWindow::static_class() {
    static ClassInfo info("THintWindow", &CustomControl::static_class());
    return info;
}

HintWindow::HintWindow(Component* owner) : CustomControl(owner) {
    Control::set_visible(false);
    set_color(application().hint_color);
}

void HintWindow::create_params(CreateParams& p) {
    CustomControl::create_params(p);
    p.style = WS_POPUP | WS_BORDER;
    p.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    p.parent = nullptr;
    p.class_style = CS_SAVEBITS;
}

Rect HintWindow::calc_hint_rect(int max_width, const std::string& text) {
    Rect r{0, 0, max_width, 0};
    {
        ClientDC screen(nullptr);
        canvas_on(screen.get()).canvas().draw_text(text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    // Room for the border and a little margin around the text.
    r.right += 6;
    r.bottom += 2;
    return r;
}

void HintWindow::activate_hint(const Rect& rect, const std::string& text) {
    set_color(application().hint_color);
    // Through the window's own text: a hint shown again while its window exists shows the new
    // text, not the one the window still holds.
    set_text(text);
    set_bounds(rect.left, rect.top, rect.width(), rect.height());
    handle_needed();
    SetWindowPos(handle(), HWND_TOPMOST, rect.left, rect.top, rect.width(), rect.height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Control::set_visible(true);
    invalidate();
}

void HintWindow::release_handle() {
    Control::set_visible(false);
    destroy_handle();
}

void HintWindow::paint(Canvas& canvas) {
    Rect r = client_rect();
    canvas.brush().color = color();
    canvas.fill_rect(r);
    r = {r.left + 2, r.top, r.right - 2, r.bottom};
    canvas.brush().style = TBrushStyle::bsClear;
    canvas.font().set_color(clInfoText);
    canvas.draw_text(text(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace ui
