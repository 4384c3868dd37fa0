// The skin of header controls (a list view's column header among them): items and the empty
// rest of the bar from the skin's "Headerbar" element, the item under the mouse hot.
#pragma once
#include <vector>

#include "skin/win/skin_control.h"

namespace skin {

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    // The item under the mouse, -1 for none.
    int hot_item() const { return hot_item_; }
    // The items as the last painting placed them, narrowed by 3 pixels for the hit tests.
    const std::vector<ui::Rect>& item_rects() const { return items_; }

private:
    bool HasHeaderbar() const;

    std::vector<ui::Rect> items_;
    int hot_item_ = -1;
    ui::Bitmap buffer_;
};

} // namespace skin
