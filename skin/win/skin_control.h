// The base of every control skin: one small object per skinned control that takes the control's
// messages, lets the control's own procedure do its work and paints the control again from the
// skin. It attaches either to a control of the window class library, as a filter of the
// control's message entry (the skin is then owned by the control and freed with it), or to a
// bare window, as a layer of its subclass chain (the skin is then owned by the window's skin).
// Either way the control, its procedure and its other filters are left exactly as they were
// when the skin goes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/component.h"
#include "platform/ui/font.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/subclass.h"
#include "skin/skin_elements.h"

namespace skin {

class TSkinData;
class TWinSkinForm;

// The font a skin draws a control's caption in: the control's Font, else the window's
// (WM_GETFONT), else the GUI font. The handle made for a control's Font is kept and made again
// only when the Font changes, so a paint makes no GDI object; it goes with this object.
class CaptionFont {
public:
    HFONT Get(HWND window, const ui::Control* control);
    // The handle kept for a control's Font; null before the first paint and for bare windows.
    HFONT kept() const { return own_.get(); }

private:
    ui::Font made_for_;
    ui::GdiObject<HFONT> own_;
};

// Switches a control skin off (wParam <= 0) or on again (wParam > 0, with a repaint).
constexpr UINT kMsgSkinSwitch = 0x3506;

class TSkinControl : public ui::Component {
public:
    // State flags.
    static constexpr int kHot = 1, kPressed = 2;
    // Skin states.
    static constexpr int kStateNew = 0, kStateAttached = 1, kStateDead = 6;

    // `owner` is the control for a skin of a library control, nullptr for a bare window's.
    explicit TSkinControl(ui::Component* owner);
    ~TSkinControl() override;

    // Attaches to the owning control at its message entry; nothing when already attached or
    // when the owner is no windowed control (or its window cannot be made).
    virtual void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour);
    // Attaches to a bare window through the subclass chain; a second call does nothing.
    virtual void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form);
    // Stops painting and gives the control back its colour and ParentBackground.
    virtual void Unskin();
    // False when the skin handled the message completely; true to pass it on (and then to
    // AfterMessage).
    virtual bool BeforeMessage(ui::Message& m);
    virtual void AfterMessage(ui::Message& m);
    // Paints the whole window into `dc`, or into the window's own DC when `dc` is null.
    virtual void PaintSkinWindow(HDC dc);
    // Draws the skin into `dc` over `rect` (the window rectangle moved to (0, 0)).
    virtual void PaintSkin(HDC dc, const ui::Rect& rect);
    // A changed skin: the face colour again and a repaint.
    virtual void Reskin();
    bool CanSkin() const { return true; }

    // Invalidates the overlay control when there is one, else the whole window with erasing,
    // then updates it.
    void RefreshSkin();
    // Passes the message to the procedure below the skin (the control's filters and method, or
    // the window's next layer); only while the skin is handling a message.
    void CallPrevious(ui::Message& m);

    HWND window() const { return window_; }
    ui::WinControl* control() const { return control_; }
    TWinSkinForm* form() const { return form_; }
    TSkinData* data() const { return data_; }
    const SkinDescription* Skin() const;
    bool attached() const { return attached_; }
    bool active() const { return active_; }
    int skin_state() const { return skin_state_; }
    bool dead() const { return skin_state_ == kStateDead; }
    // True while one of the skin's messages is being handled.
    bool busy() const { return busy_ > 0; }
    int state_flags() const { return state_; }
    bool hot() const { return (state_ & kHot) != 0; }
    bool pressed() const { return (state_ & kPressed) != 0; }
    bool unicode_window() const { return unicode_; }
    bool parent_background_switched() const { return parent_background_; }
    bool set_colour() const { return set_colour_; }
    int option() const { return option_; }
    const ui::Rect& window_rect() const { return window_rect_; }
    // The name of the skin's filter or layer in the listings of a window's subclassers.
    static constexpr const char* kLayerName = "skin control";

    ui::Control* overlay() const { return overlay_; }
    void set_overlay(ui::Control* c) { overlay_ = c; }
    const CaptionFont& caption_font() const { return caption_font_; }

protected:
    // Sets or clears state bits.
    void SetState(int bits, bool on) { state_ = on ? (state_ | bits) : (state_ & ~bits); }
    // Hover: sets the hot bit on the first move over an enabled window and asks for the leave;
    // true when the state changed.
    bool TrackHover();
    // Clears the hot and pressed bits; true when they were set.
    bool LeaveHover();
    // The element's picture as a bitmap, made once per element of the loaded skin.
    const ui::Bitmap* ElementBitmap(const TDataSkinObject& element);
    // False once the skin is freed; for code that runs foreign handlers and goes on after them.
    std::shared_ptr<bool> alive_token() const { return alive_; }
    // The caption's font for this paint (see CaptionFont).
    HFONT TextFont() { return caption_font_.Get(window_, control_ ? control_ : overlay_); }
    // Attaches to a windowless control at its message entry, which also carries its paint
    // (WM_PAINT with the DC in wParam): the control becomes the overlay; there is no window.
    void AttachWindowless(ui::Control* control, TWinSkinForm* form, TSkinData* data);

    int state_ = 0;
    bool enabled_ = true;
    bool focused_ = false;
    std::wstring caption_;
    int option_ = 0;
    bool spare_ = false;
    ui::Control* overlay_ = nullptr;

private:
    CaptionFont caption_font_;
    void Handle(ui::Message& m, const std::function<void(ui::Message&)>& next);
    void SwitchParentBackground();
    void RestoreParentBackground();

    bool active_ = true;
    bool unicode_ = false;
    TSkinData* data_ = nullptr;
    HWND window_ = nullptr;
    ui::WinControl* control_ = nullptr;
    ui::MessageChain::Token filter_ = 0;
    ui::Control* filtered_ = nullptr;  // the control whose message entry holds the filter
    std::unique_ptr<ui::WindowSubclass> layer_;
    ui::Rect window_rect_;
    bool set_colour_ = false;
    ui::TColor saved_colour_ = ui::clBtnFace;
    bool attached_ = false;
    int skin_state_ = kStateNew;
    TWinSkinForm* form_ = nullptr;
    bool parent_background_ = false;
    int busy_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    const std::function<void(ui::Message&)>* next_ = nullptr;
    const SkinDescription* cached_for_ = nullptr;
    std::map<const TDataSkinObject*, std::unique_ptr<ui::Bitmap>> element_bitmaps_;
};

// ---- Shared routines of the control skins ----

// Frame `index` (1-based) of `count` of the element's horizontal strip in nine slices with the
// element's margins and Tile flag, transparent by magenta when its Trans is 1. Nothing for an
// element without a picture or an index outside the strip.
void DrawElement(HDC dc, const ui::Rect& rect, const TDataSkinObject& element, const ui::Bitmap& picture, int count,
                 int index);
// Frame `index` (1-based) of a strip of `count` frames stretched into the rectangle, magenta
// transparent.
void DrawStripFrame(HDC dc, const ui::Rect& rect, const ui::Bitmap& strip, int count, int index);
// Alignment: 0 left, 1 centre, 2 right.
void DrawCaption(HDC dc, const ui::Rect& rect, int alignment, bool enabled, const std::wstring& text);
void DrawCenteredText(HDC dc, const ui::Rect& rect, const std::wstring& text, int alignment, bool enabled);
// The glyph `image` of `images` (none for -1 or no list, or one as wide as the rectangle)
// followed by the caption, the pair placed by the alignment and centred vertically.
void DrawGlyphCaption(HDC dc, const ui::Rect& rect, int alignment, bool enabled, const std::wstring& text, int image,
                      const ui::ImageList* images);
// `flags` with DT_RTLREADING added when the control (or the overlay control) reads right to left.
UINT TextFlagsFor(const TSkinControl& skin, UINT flags);
// A focus rectangle around the caption as `flags` (DT_CENTER or DT_RIGHT) place it in `rect`.
void DrawTextFocus(HDC dc, const std::wstring& text, UINT flags, const ui::Rect& rect);
void FillColorRect(HDC dc, const ui::Rect& rect, ui::TColor colour);
// The skin's face colour (the system's button face without a skin).
ui::TColor FaceColour(const TSkinControl& skin);
void FillFace(const TSkinControl& skin, HDC dc, const ui::Rect& rect);
// The colour of the control's parent (its published Color), else the face colour.
void FillParentColor(const TSkinControl& skin, HDC dc, const ui::Rect& rect);
// WM_PAINT without the procedure below: the DC of wParam or BeginPaint, PaintSkin over the
// window rectangle moved to (0, 0).
void HandlePaint(TSkinControl& skin, ui::Message& m);
// WM_ERASEBKGND: the parent's background under a control, else the face colour; result 1.
void HandleEraseBkgnd(TSkinControl& skin, ui::Message& m);
// The control's mouse_down for a left press at the message's point (the cursor's for controls
// larger than 32768 pixels). It arms no click: the skin clicks on release itself.
void ForwardMouseDown(TSkinControl& skin, const ui::Message& m);
// The window text through the wide API.
std::wstring ReadWindowText(HWND window);
// WS_POPUP, or a parent that is the desktop window.
bool IsPopupWindow(HWND window);
// Sends CM_MOUSELEAVE to the skin's window.
void SendMouseLeave(const TSkinControl& skin);
LONG_PTR GetWindowLongTyped(const TSkinControl& skin, int index);

// Published properties by name. Absent properties (and other kinds where a kind is asked for)
// read -1, an empty text or nullptr; writing one does nothing; nothing throws.
std::int64_t GetOrdPropByName(const ui::Persistent* object, std::string_view name);
std::string GetEnumPropByName(const ui::Persistent* object, std::string_view name);
std::string GetTextPropByName(const ui::Persistent* object, std::string_view name);
ui::Persistent* GetObjectPropByName(const ui::Persistent* object, std::string_view name);
void SetPropByName(ui::Persistent* object, std::string_view name, std::string_view text);

} // namespace skin
