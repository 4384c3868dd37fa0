// The vertical scroll bar of a combo box's drop-down list, painted from the skin straight into
// the list's non-client area, with its own thumb drag: the list is a pop-up window, so no panel
// can lie over its bar.
#pragma once
#include "skin/win/skin_scrollbar.h"

namespace skin {

class TComboxScrollBar : public TScrollSkinBase {
public:
    using TScrollSkinBase::TScrollSkinBase;
    void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    // Paints the bar into the list's window DC; nothing without a visible bar.
    void PaintBar();
    // True while the thumb is being dragged.
    bool dragging() const { return dragging_; }

private:
    // Drags the thumb pressed at `screen` until the button goes up or the list loses the mouse;
    // false when the point is not on the thumb.
    bool ThumbDrag(POINT screen);

    int button_ = GetSystemMetrics(SM_CXHSCROLL);
    bool dragging_ = false;
    bool capture_lost_ = false;
};

// Gives a combo box's drop-down list (or any list window with a vertical bar) the skin of its
// scroll bar, owned by the window's skin; null when the list has one already or is no window.
TComboxScrollBar* AttachComboListBar(TWinSkinForm& form, HWND list);

} // namespace skin
