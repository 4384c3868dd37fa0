// The skin of up-down (spin) controls, alone or inside an edit: both arrows drawn by the skin
// alone from the UpDown.Vert or UpDown.Horz element and its glyphs, or as plain outlined halves
// with small arrows when the skin has no such element.
#pragma once
#include "platform/ui/win/graphics.h"
#include "skin/entry_geometry.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinUpDown : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    // Attaches to the spin child of an edit; `embedded` keeps the drawing 3 pixels from the
    // edit's edges.
    void AttachEmbedded(HWND window, TSkinData* data, TWinSkinForm* form, bool embedded);
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    bool embedded() const { return embedded_; }
    bool horizontal() const;
    // The halves of the last paint, in the window's coordinates.
    const std::array<SpinHalf, 2>& halves() const { return halves_; }
    // Where the last paint drew, in the window's coordinates.
    const Rect& drawn() const { return drawn_; }

private:
    void PaintNow();
    // 0 or 1: the half under the cursor, -1 none.
    int HalfUnderCursor() const;

    bool embedded_ = false;
    bool horizontal_ = false;
    int last_half_ = -1;
    std::array<SpinHalf, 2> halves_{};
    Rect drawn_;
    ui::Bitmap buffer_;
    const SkinDescription* glyph_skin_ = nullptr;
    const TDataSkinBorder* glyph_element_ = nullptr;
    ui::Bitmap glyphs_;
};

} // namespace skin
