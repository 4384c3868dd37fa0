// The skin of progress bars: painted whole from the skin's "Progress" element, as a bar or as
// a row of chunks.
#pragma once
#include "skin/bar_faces.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinProgress : public TSkinControl {
public:
    explicit TSkinProgress(ui::Component* owner) : TSkinControl(owner) {}
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
};

} // namespace skin
