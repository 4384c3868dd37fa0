// The skins of controls that hold or label others: containers that only take the face colour,
// bare dialog and tool bar windows and size grips painted in it, group boxes with the skin's
// rounded frame, and status bars with the skin's bevels, their texts and the grip.
#pragma once
#include "skin/control_faces.h"
#include "skin/win/skin_control.h"

namespace skin {

// Panels and other containers: the face colour while skinned, nothing else.
class TSkinBox : public TSkinControl {
public:
    explicit TSkinBox(ui::Component* owner) : TSkinControl(owner) {}
    void AfterMessage(ui::Message&) override {}
};

// Bare "#32770" dialogs and tool bar windows: a face-coloured ground and static controls on it.
class TSkinBoxH : public TSkinControl {
public:
    explicit TSkinBoxH(ui::Component* owner) : TSkinControl(owner) {}
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
};

// Bare size-grip windows: face-coloured.
class TSkinSizer : public TSkinControl {
public:
    explicit TSkinSizer(ui::Component* owner) : TSkinControl(owner) {}
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
};

class TSkinGroupBox : public TSkinControl {
public:
    explicit TSkinGroupBox(ui::Component* owner) : TSkinControl(owner) {}
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
};

class TSkinStatusBar : public TSkinControl {
public:
    explicit TSkinStatusBar(ui::Component* owner) : TSkinControl(owner) {}
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
};

} // namespace skin
