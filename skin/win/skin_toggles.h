// The skins of check boxes and radio buttons: the box from the skin's check or radio strip and
// the caption beside it; and, for control-set boxes that draw their own glyphs, the strips
// handed to the control in the place of its own (which it gets back on unskinning).
#pragma once
#include <memory>

#include "skin/control_faces.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinCheckBox : public TSkinControl {
public:
    explicit TSkinCheckBox(ui::Component* owner) : TSkinControl(owner) {}
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
    void Reskin() override;

    bool transparent() const { return transparent_; }
    int last_check() const { return last_check_; }
    // The frame the box shows now, from the window's and the control's state; 0 without a strip.
    int FrameIndex();

protected:
    virtual bool radio() const { return false; }
    // The strip of this kind of box in the loaded skin and its frame count; null without one.
    const ui::Bitmap* Strip(int& frames);

    int last_check_ = 0;
    bool transparent_ = false;

private:
    const SkinDescription* strip_for_ = nullptr;
    std::unique_ptr<ui::Bitmap> strip_;
};

class TSkinRadioButton : public TSkinCheckBox {
public:
    explicit TSkinRadioButton(ui::Component* owner) : TSkinCheckBox(owner) {}

protected:
    bool radio() const override { return true; }
};

// Hands glyph strips built from the skin's pictures to a control-set check or radio control:
// kind 1 a check box taking nine frames in CustomGlyphs, kind 2 a radio button taking six,
// kind 3 a check box taking six in the Glyph of its Properties object. The control's own
// glyphs, transparent colour and UseCustomGlyphs are kept and given back by Unskin. It takes
// over no message.
class TSkinObjImage : public TSkinControl {
public:
    TSkinObjImage(ui::Component* owner, int kind) : TSkinControl(owner), kind_(kind) {}
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message&) override {}
    void Unskin() override;
    void Reskin() override;
    int kind() const { return kind_; }
    // True while the control shows the skin's strip.
    bool handed() const { return handed_; }

private:
    void BuildGlyphs();
    ui::Bitmap* TargetGlyphs() const;

    int kind_;
    bool handed_ = false;
    bool saved_ = false;
    std::unique_ptr<ui::Bitmap> own_glyphs_;
    std::string own_transparent_colour_, own_use_custom_;
};

} // namespace skin
