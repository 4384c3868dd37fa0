// The skins of push buttons and of buttons with a glyph, drawn from the skin's Buttons element
// off-screen and copied to the window in one blit.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "skin/control_rules.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    // The face the next paint shows (1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default).
    virtual int FrameIndex() const;
    bool transparent() const { return transparent_; }
    // How many clicks the skin gave (the control's click or the WM_COMMAND posted).
    int clicks() const { return clicks_; }
    // Sets the hot and pressed bits and repaints: pictures of the faces without a mouse.
    void ShowFaceState(bool hot, bool pressed) {
        SetState(kHot, hot);
        SetState(kPressed, pressed);
        RefreshSkin();
    }

protected:
    // The control whose published properties the face reads: the windowless control a skin
    // overlays, else the windowed one; none for a bare window.
    const ui::Control* Published() const { return overlay() ? overlay() : control(); }
    // The caption as the control or window holds it.
    std::wstring Caption() const;
    bool IsDefault() const;
    // The skin has a picture of the button faces; without one the control paints itself.
    bool HasFace() const;
    // The caption's font and text colour for the face of `frame` selected into `dc`.
    void SelectFaceFont(HDC dc, int frame, bool with_button_text);
    // Draws the glyph and caption over the face in the buffer.
    virtual void PaintContent(HDC dc, const ui::Rect& rect, int frame);
    // Whether a bare window's text takes the skin's ButtonText colour.
    virtual bool UsesButtonText() const { return true; }
    void Click();
    void ReadState();

    // The element's frames composed at the window's size, made once per frame, size and skin.
    const ui::Bitmap* ComposedFace(const TDataSkinObject& element, const ui::Bitmap& strip, int width, int height,
                                   int frame);

    ui::Bitmap buffer_;
    std::array<std::unique_ptr<ui::Bitmap>, 6> faces_;
    int face_width_ = 0, face_height_ = 0;
    const SkinDescription* face_skin_ = nullptr;
    bool transparent_ = false;
    bool is_default_ = false;
    int clicks_ = 0;
};

// Buttons with a glyph: the Glyph bitmap (NumGlyphs frames) or an image of Images, laid out by
// Layout, Margin and Spacing; or, with a glyph property name, the picture of that property.
class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    void set_glyph_property(std::string name) { glyph_property_ = std::move(name); }
    const std::string& glyph_property() const { return glyph_property_; }
    int FrameIndex() const override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

protected:
    void PaintContent(HDC dc, const ui::Rect& rect, int frame) override;
    bool UsesButtonText() const override { return false; }
    // The frame of a Glyph of `num_glyphs` frames shown on the face of `frame`.
    virtual int GlyphFrame(int frame, int num_glyphs) const;

private:
    std::string glyph_property_;
};

} // namespace skin
