// The skin of speed buttons. They have no window: the skin sits at the button's message entry,
// takes the paint its parent gives it there (the parent's DC, set up at the button) and draws
// the Buttons face, the glyph and the caption into it; the button keeps its own clicking.
#pragma once
#include "skin/win/skin_button.h"

namespace skin {

class TSkinSpeedButton : public TSkinBitButton {
public:
    using TSkinBitButton::TSkinBitButton;
    // Attaches to the owning windowless control; nothing for a windowed one.
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void Unskin() override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    // Paints at once through the button's parent.
    void PaintSkinWindow(HDC dc) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
    // 2 when Down, 3 disabled, else 2 pressed, 4 hot, 1 normal; the bit button's variant with a
    // glyph property.
    int FrameIndex() const override;

protected:
    void PaintContent(HDC dc, const ui::Rect& rect, int frame) override;
    int GlyphFrame(int frame, int num_glyphs) const override;

private:
    bool Down() const;
    bool painting_ = false;
};

} // namespace skin
