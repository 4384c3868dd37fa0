// The skins of tab controls and their pages: tabs from the skin's "Tabs" strip and the pane
// from its border picture (or "Tab.Pane"), in all four orientations. The band of tabs is drawn
// flat, tabs standing up, and turned back into place; the scroll arrows get the up-down skin
// and are never painted over. Pages only take the face colour.
#pragma once
#include <memory>

#include "skin/tab_faces.h"
#include "skin/win/skin_control.h"
#include "skin/win/skin_updown.h"

namespace skin {

class TSkinTab : public TSkinControl {
public:
    explicit TSkinTab(ui::Component* owner) : TSkinControl(owner) {}
    ~TSkinTab() override;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) override;
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
    void Reskin() override;
    // Gives the scroll arrows back with the control.
    void Unskin() override;

    TabSide side() const { return side_; }
    // The scroll arrows' rectangle in the control when they are shown; empty otherwise.
    Rect ArrowsRect() const;
    // The skin of the scroll arrows; null until the control has made them.
    TSkinUpDown* arrows_skin() const { return arrows_.get(); }

private:
    // The strip and pane copies for the control's orientation.
    void PreparePictures();
    // Skins the scroll arrows once the control has made them: the control makes them when its
    // tabs first overflow, which may be long after the skin came. A new arrows window (the
    // control made them again) gets a new skin.
    void SkinArrows();
    // Gives the arrows back to the system and frees their skin (kept, inactive, while it is
    // handling one of their messages).
    void FreeArrows();

    TabSide side_ = TabSide::kTop;
    const SkinDescription* prepared_for_ = nullptr;
    ui::Bitmap strip_, pane_;
    ui::Bitmap band_;
    // Held by this skin alone (not in the window's list of skins), so it goes with it.
    std::unique_ptr<TSkinUpDown> arrows_;
};

// The older tab set control (a library control publishing Tabs, FirstIndex, StartMargin,
// EndMargin and TabIndex): its tabs hang below a strip, drawn from the tab strip turned upside
// down, as many as fit from FirstIndex on. It is subclassed by its window.
class TSkinTab31 : public TSkinControl {
public:
    explicit TSkinTab31(ui::Component* owner) : TSkinControl(owner) {}
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
    void Reskin() override;

private:
    void PrepareStrip();
    ui::WinControl* tab_set_ = nullptr;
    const SkinDescription* prepared_for_ = nullptr;
    ui::Bitmap flipped_, buffer_;
};

// Tab controls in button style: the band above the display area with the tabs drawn from the
// skin's "Buttons" element. No rule chooses it; it is attached directly.
class TSkinTabBtn : public TSkinControl {
public:
    explicit TSkinTabBtn(ui::Component* owner) : TSkinControl(owner) {}
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

private:
    ui::Bitmap band_;
};

// A page control of another family that draws its tabs from two published pictures,
// TabBackGround and TabBackGroundActive: the skin fills them from the first two frames of the
// tab strip and empties them when it goes.
class TSkinAdvPage : public TSkinControl {
public:
    explicit TSkinAdvPage(ui::Component* owner, int kind = 4) : TSkinControl(owner), kind_(kind) {}
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void Reskin() override;
    void Unskin() override;

private:
    void MakePictures();
    int kind_;
};

// The pages of a page control: face-coloured.
class TSkinTabSheet : public TSkinControl {
public:
    explicit TSkinTabSheet(ui::Component* owner) : TSkinControl(owner) {}
    bool BeforeMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
};

} // namespace skin
