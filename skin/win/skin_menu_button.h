// The skin of buttons with a drop-down arrow: the Buttons face (hot when focused, never the
// focused face), the Glyph at its own size, the caption and a small arrow after it.
#pragma once
#include "skin/win/skin_button.h"

namespace skin {

class TSkinMenuButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    int FrameIndex() const override;

protected:
    void PaintContent(HDC dc, const ui::Rect& rect, int frame) override;
    bool UsesButtonText() const override { return false; }
};

} // namespace skin
