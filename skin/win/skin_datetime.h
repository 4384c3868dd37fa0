// The skin of date-time pickers with a drop-down calendar: a flat border and a drawn arrow
// button placed over the picker's own, which opens the calendar and leaves the focus in the
// picker.
#pragma once
#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinDateTime;

// The drawn arrow button: a child of the picker, never a tab stop, as wide as the system's
// scroll arrows.
class TArrowButton : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    TArrowButton(TSkinDateTime* skin, HWND picker);
    bool hot() const { return hot_; }
    int button_width() const { return width_; }
    // Back to its place over the picker's own button.
    void Place();

    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

private:
    TSkinDateTime* skin_;
    HWND picker_;
    int width_;
    bool hot_ = false;
    ui::Bitmap arrow_;  // the ComboxArrow strip of the skin below
    const SkinDescription* arrow_skin_ = nullptr;
};

class TSkinDateTime : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    TArrowButton* arrow() const { return arrow_; }

private:
    TArrowButton* arrow_ = nullptr;  // owned by this skin
};

} // namespace skin
