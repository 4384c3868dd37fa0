// The skins of windows with scroll bars: scrolled controls of the library (memos, list boxes,
// list views and other controls with scroll bars), bare windows with scroll bars and scroll bar
// controls. Each lays drawn panels over the system's bars and keeps them in place as the window
// is sized, moved, scrolled, shown and hidden.
#pragma once
#include <memory>

#include "skin/win/skin_scrollbar.h"

namespace skin {

class TSkinHeader;

// Frees a panel, or leaves it to free itself when its press is still running.
void FreePanel(std::unique_ptr<TWScrollbar>& panel);

// Scrolled controls of the library: two panels, a flat border and the grids' FixedColor.
class TSkinScrollbar : public TScrollSkinBase {
public:
    using TScrollSkinBase::TScrollSkinBase;
    ~TSkinScrollbar() override;
    // The attachment of the rules: AttachScrolled.
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    virtual void AttachScrolled(TWinSkinForm* form, TSkinData* data);
    void Unskin() override;
    void Reskin() override;
    bool BeforeMessage(ui::Message& m) override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    TWScrollbar* horizontal() const { return h_.get(); }
    TWScrollbar* vertical() const { return v_.get(); }
    bool border() const { return border_; }
    void PlacePanels();
    void HidePanels();

protected:
    // The window rectangle (at 0, 0) framed with ButtonShadow, the ring inside with the face.
    void DrawBorder(HDC dc);
    void CreatePanels();

    std::unique_ptr<TWScrollbar> h_, v_;
    bool border_ = false;
    bool fixed_saved_ = false;
    std::int64_t saved_fixed_ = 0;
    ui::MessageChain::Token recreate_filter_ = 0;
    std::shared_ptr<bool> living_ = std::make_shared<bool>(true);
};

// List views: the scrolled control's skin and a header skin on the list's header window.
class TSkinListView : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    void AttachScrolled(TWinSkinForm* form, TSkinData* data) override;
    TSkinHeader* header() const { return header_; }

private:
    TSkinHeader* header_ = nullptr;  // owned by the list view's control
};

// Bare windows with scroll bars (no control of the library): two panels.
class TSkinScrollbarH : public TScrollSkinBase {
public:
    using TScrollSkinBase::TScrollSkinBase;
    ~TSkinScrollbarH() override;
    void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) override;
    void Unskin() override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    TWScrollbar* horizontal() const { return h_.get(); }
    TWScrollbar* vertical() const { return v_.get(); }
    void PlacePanels();

private:
    std::unique_ptr<TWScrollbar> h_, v_;
};

// Scroll bar controls: one panel over the whole control.
class TSkinScControl : public TScrollSkinBase {
public:
    using TScrollSkinBase::TScrollSkinBase;
    ~TSkinScControl() override;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void Unskin() override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;
    TWScrollbar* panel() const { return panel_.get(); }

private:
    std::unique_ptr<TWScrollbar> panel_;
};

// Fills the size box between two shown panels of `window` with the face colour, in `dc` (the
// window's DC, window coordinates).
void FillSizeBox(TSkinControl& skin, HDC dc, HWND window, const TWScrollbar* h, const TWScrollbar* v);

// The window's answer to 0x3517: the control of `window` gets a fresh scroll-bar skin of the
// kind it had (a list view's stays a list view's).
void RenewScrollSkin(TWinSkinForm& form, HWND window);

} // namespace skin
