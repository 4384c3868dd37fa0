// The skin of edits (the class library's edits, bare windows of the system's edit class, and
// date-time pickers in up-down or time form): a flat border in place of the sunken one, and a
// skinned spin child.
#pragma once
#include "skin/win/skin_control.h"
#include "skin/win/skin_messages.h"

namespace skin {

class TSkinUpDown;

// Asks an edit to paint its client area into the device context of wParam; lParam carries
// kSkinMagic and the answer repeats it.
constexpr UINT kMsgPaintClientInto = 0xBC4A;

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinEdit() override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    // The skin of the spin child, once the first paint found one.
    TSkinUpDown* spin() const { return spin_; }

protected:
    void notification(ui::Component* c, ui::TOperation op) override;

private:
    void FindSpin();
    TSkinUpDown* spin_ = nullptr;
    int print_state_ = 0;  // the caller's device context state saved over the edit's printing
};

} // namespace skin
