// The drawn scroll bar: a panel laid exactly over a scroll bar that the system draws in a
// window's non-client area (or over a scroll bar control), painting it from the skin's scroll
// bar strip, tracks and thumbs. A press on the panel is handed to the window underneath, so the
// system's own scrolling runs; the panel only follows what it does.
#pragma once
#include <windows.h>

#include "platform/ui/win/control.h"
#include "skin/scroll_geometry.h"
#include "skin/win/skin_control.h"

namespace skin {

// The pictures a bar is drawn from. A skin lacking any of them leaves its bars to the system.
struct BarPictures {
    const TDataSkinObject* strip = nullptr;  // the 23-frame "Scrollbar" strip
    const ui::Bitmap* strip_bitmap = nullptr;
    const TDataSkinObject* track = nullptr;  // "HorzScroll" or "VertScroll"
    const ui::Bitmap* track_bitmap = nullptr;
    const TDataSkinObject* thumb = nullptr;  // "HorzScrollThumb" or "VertScrollThumb"
    const ui::Bitmap* thumb_bitmap = nullptr;
    ui::TColor face = ui::clBtnFace;
    bool complete() const { return strip_bitmap && track_bitmap && thumb_bitmap; }
};

// What a bar shows at one painting.
struct BarLook {
    bool vertical = false;
    bool enabled = true;
    int width = 0, height = 0;  // the bar's size
    int button = 0;             // the arrow button's length
    ThumbSpan thumb;            // along the axis, from the bar's start
    int hot = kNoPart;
    bool pressed = false;
};
// Composes the bar off-screen and copies it to `dc` with its top-left corner at (x, y); false
// when nothing was drawn (pictures missing, an empty bar, no room for the buffer).
bool PaintBar(HDC dc, int x, int y, const BarLook& look, const BarPictures& pictures);

// The skins that draw scroll bars: they hand their panels the skin's pictures.
class TScrollSkinBase : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    BarPictures Pictures(bool vertical);
    // The skin's pictures for both bars are all there.
    bool CanDrawBars();
};

class TWScrollbar : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    // What the panel covers.
    enum Kind { kHorizontalBar = 0, kVerticalBar = 1, kScrollControl = 2 };

    // A panel over `window`'s bar of `kind`; for a scroll bar control, `window` is the control's
    // window. The panel lives in the window's parent and starts hidden.
    TWScrollbar(TScrollSkinBase& skin, HWND window, int kind);
    ~TWScrollbar() override;

    // Reads the bar's place and shows the panel over it, right above the window in z-order;
    // hides it when the window or the bar is not visible (or the skin cannot draw bars).
    void Place();
    void Hide();
    // A press is handing over to the system's loop.
    bool in_press() const { return in_press_; }
    // The skin goes while the press runs: the panel hides and frees itself when the press ends.
    void Orphan();
    // The window re-created under the same control.
    void SetWindow(HWND window) { window_ = window; }

    int kind() const { return kind_; }
    bool vertical() const { return vertical_; }
    HWND scrolled() const { return window_; }
    bool shown() const { return shown_; }
    int hot_part() const { return hot_; }
    bool pressed() const { return pressed_; }
    // The bar in the scrolled window's client coordinates (the control's for a scroll bar control).
    const ui::Rect& bar_rect() const { return bar_rect_; }
    int button_size() const { return button_; }
    void SetHot(int part);
    // How often the panel's picture was composed, and the thumb the last one showed.
    int paints() const { return paints_; }
    ThumbSpan painted_thumb() const { return painted_thumb_; }

    // The bar as the panel sees it now: the system's scroll bar information (kinds 0 and 1),
    // or worked out from the control's scroll information (kind 2). False when there is none.
    bool ReadBar(SCROLLBARINFO& info, bool for_press) const;

protected:
    void create_params(ui::CreateParams& p) override;
    void paint(ui::Canvas& canvas) override;
    bool erase_background(HDC) override { return true; }
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void wnd_proc(ui::Message& m) override;

private:
    int Along(int x, int y) const { return vertical_ ? y : x; }
    BarAxis Axis(const SCROLLBARINFO& info) const;

    TScrollSkinBase* skin_;  // null once orphaned
    bool in_press_ = false;
    HWND window_;
    int kind_;
    bool vertical_;
    int button_;
    int length_ = 0;
    int hot_ = kNoPart;
    bool pressed_ = false;
    bool shown_ = false;
    ui::Rect bar_rect_;
    POINT press_point_{};
    int press_thumb_start_ = 0;
    int paints_ = 0;
    ThumbSpan painted_thumb_;
};

} // namespace skin
