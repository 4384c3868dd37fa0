#include "skin/win/skin_control.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_paint.h"
#include "skin/win/skin_services.h"
#include "skin/win/win_skin_form.h"

namespace skin {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

RECT ToRECT(const ui::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The skin draws every text with the system's plain font unless a skin selects another.
struct PlainText {
    explicit PlainText(HDC dc, bool enabled) : dc_(dc) {
        mode_ = SetBkMode(dc, TRANSPARENT);
        if (!enabled) colour_ = SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW)), restore_colour_ = true;
    }
    ~PlainText() {
        SetBkMode(dc_, mode_);
        if (restore_colour_) SetTextColor(dc_, colour_);
    }
    PlainText(const PlainText&) = delete;
    PlainText& operator=(const PlainText&) = delete;
    HDC dc_;
    int mode_ = OPAQUE;
    COLORREF colour_ = 0;
    bool restore_colour_ = false;
};

// How many skin messages are being handled on this thread, all skins together.
thread_local int t_handling = 0;

// The layers of bare-window skins freed while handling one of their window's messages: out of
// the window's chain at once, but the layer object stays until no skin message is on the stack,
// since its procedure is still running below the skin.
std::vector<std::unique_ptr<ui::WindowSubclass>>& FreedLayers() {
    thread_local std::vector<std::unique_ptr<ui::WindowSubclass>> layers;
    return layers;
}

SIZE MeasureText(HDC dc, const std::wstring& text, UINT flags) {
    RECT r{0, 0, 0, 0};
    DrawTextAuto(dc, text, r, flags | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

// ---- CaptionFont ----

HFONT CaptionFont::Get(HWND window, const ui::Control* control) {
    if (control) {
        if (!own_ || !made_for_.same_as(control->font())) {
            made_for_.assign(control->font());
            own_ = ui::create_font(made_for_);
        }
        if (own_) return own_.get();
    }
    if (window)
        if (HFONT f = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))) return f;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// ---- TSkinControl ----

TSkinControl::TSkinControl(ui::Component* owner) : ui::Component(owner) {}

TSkinControl::~TSkinControl() {
    *alive_ = false;
    // A control's filter may go while it runs: the chain keeps it until the message is done.
    if (filter_ && filtered_) filtered_->window_proc.remove(filter_);
    filter_ = 0;
    if (layer_ && busy_ > 0) {
        layer_->remove();
        FreedLayers().push_back(std::move(layer_));
    }
    layer_.reset();
    if (form_) form_->RemoveControlSkin(this);
}

const SkinDescription* TSkinControl::Skin() const { return data_ ? data_->Skin() : nullptr; }

void TSkinControl::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    if (attached_) return;
    auto* control = dynamic_cast<ui::WinControl*>(owner());
    if (!control) return;
    HWND window = nullptr;
    try {
        window = control->handle();
    } catch (...) {
        window = nullptr;
    }
    if (!window) return;
    set_colour_ = set_colour;
    data_ = data;
    form_ = form;
    control_ = control;
    window_ = window;
    unicode_ = IsWindowUnicode(window) != FALSE;
    filter_ = control->window_proc.add(kLayerName, [this, alive = alive_](ui::Message& m, const ui::MessageChain::Next& next) {
        if (*alive) Handle(m, next);
        else next(m);
    });
    filtered_ = control;
    if (form_) form_->AddControlSkin(this);
    if (set_colour_) {
        SwitchParentBackground();
        saved_colour_ = control->color();
        control->set_color(FaceColour(*this));
    }
    if (parent_background_) option_ = 1;
    control->invalidate();
    attached_ = true;
    skin_state_ = kStateAttached;
}

void TSkinControl::AttachWindowless(ui::Control* control, TWinSkinForm* form, TSkinData* data) {
    if (attached_ || !control) return;
    data_ = data;
    form_ = form;
    overlay_ = control;
    filter_ = control->window_proc.add(kLayerName, [this, alive = alive_](ui::Message& m, const ui::MessageChain::Next& next) {
        if (*alive) Handle(m, next);
        else next(m);
    });
    filtered_ = control;
    if (form_) form_->AddControlSkin(this);
    control->invalidate();
    attached_ = true;
    skin_state_ = kStateAttached;
}

void TSkinControl::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    if (attached_ || !window || !IsWindow(window)) return;
    data_ = data;
    form_ = form;
    window_ = window;
    enabled_ = true;
    option_ = 0;
    if (form_) form_->AddControlSkin(this);
    unicode_ = IsWindowUnicode(window) != FALSE;
    caption_ = ReadWindowText(window);
    layer_ = std::make_unique<ui::WindowSubclass>(
        window,
        [this, alive = alive_](ui::Message& m, const ui::WindowSubclass::Next& next) {
            if (*alive) Handle(m, next);
            else next(m);
        },
        kLayerName);
    InvalidateRect(window, nullptr, TRUE);
    attached_ = true;
    skin_state_ = kStateAttached;
}

void TSkinControl::Unskin() {
    if (!active_) return;
    active_ = false;
    if (skin_state_ != kStateDead && set_colour_ && control_) {
        RestoreParentBackground();
        control_->set_color(saved_colour_);
    }
    if (skin_state_ != kStateDead && window_ && IsWindow(window_)) InvalidateRect(window_, nullptr, TRUE);
}

void TSkinControl::Reskin() {
    element_bitmaps_.clear();
    cached_for_ = nullptr;
    if (set_colour_ && control_) control_->set_color(FaceColour(*this));
    RefreshSkin();
}

void TSkinControl::RefreshSkin() {
    if (overlay_) {
        overlay_->invalidate();
        return;
    }
    if (!window_ || !IsWindow(window_)) return;
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void TSkinControl::CallPrevious(ui::Message& m) {
    if (next_) (*next_)(m);
}

void TSkinControl::Handle(ui::Message& m, const std::function<void(ui::Message&)>& next) {
    // The skin may be freed by anything the message leads to (its control destroyed, the window
    // unskinned): from then on only `alive` is read.
    const std::shared_ptr<bool> alive = alive_;
    if (t_handling == 0) FreedLayers().clear();
    ++t_handling;
    ++busy_;
    const auto* outer = next_;
    next_ = &next;
    struct Leave {
        TSkinControl* self;
        const std::shared_ptr<bool>& alive;
        const std::function<void(ui::Message&)>* outer;
        ~Leave() {
            --t_handling;
            if (!*alive) return;
            --self->busy_;
            self->next_ = outer;
        }
    } leave{this, alive, outer};

    if (m.msg == kMsgSkinSwitch) {
        active_ = static_cast<LONG_PTR>(m.wparam) > 0;
        if (active_) RefreshSkin();
        else if (window_ && IsWindow(window_)) InvalidateRect(window_, nullptr, TRUE);
        m.result = 0;
        return;
    }
    if (!active_) {
        next(m);
        return;
    }
    if (!BeforeMessage(m)) return;
    next(m);
    if (*alive) AfterMessage(m);
}

bool TSkinControl::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_NCDESTROY: {
        skin_state_ = kStateDead;
        const std::shared_ptr<bool> alive = alive_;
        CallPrevious(m);
        if (*alive && active_) Unskin();
        return false;
    }
    case kMsgIsSkinned: m.result = 1; return false;
    default: return true;
    }
}

void TSkinControl::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case ui::CM_ENABLEDCHANGED: RefreshSkin(); break;
    case WM_PAINT: PaintSkinWindow(reinterpret_cast<HDC>(m.wparam)); break;
    case kMsgSkinSwitch: active_ = static_cast<LONG_PTR>(m.wparam) > 0; break;
    default: break;
    }
}

void TSkinControl::PaintSkinWindow(HDC dc) {
    RECT r{};
    if (!window_ || !GetWindowRect(window_, &r)) return;
    window_rect_ = {r.left, r.top, r.right, r.bottom};
    const ui::Rect local{0, 0, r.right - r.left, r.bottom - r.top};
    HDC target = dc ? dc : GetWindowDC(window_);
    if (!target) return;
    try {
        PaintSkin(target, local);
    } catch (...) {
        // The window stays as the control painted it.
    }
    if (!dc) ReleaseDC(window_, target);
}

void TSkinControl::PaintSkin(HDC, const ui::Rect&) {}

bool TSkinControl::TrackHover() {
    if (hot() || !window_ || !IsWindowEnabled(window_)) return false;
    SetState(kHot, true);
    TrackMouseLeave(window_);
    return true;
}

bool TSkinControl::LeaveHover() {
    const bool had = (state_ & (kHot | kPressed)) != 0;
    SetState(kHot | kPressed, false);
    return had;
}

const ui::Bitmap* TSkinControl::ElementBitmap(const TDataSkinObject& element) {
    const SkinDescription* skin = Skin();
    if (skin != cached_for_) {
        element_bitmaps_.clear();
        cached_for_ = skin;
    }
    if (element.bitmap.empty()) return nullptr;
    auto& slot = element_bitmaps_[&element];
    if (!slot) {
        slot = std::make_unique<ui::Bitmap>();
        AssignImage(*slot, element.bitmap);
    }
    return slot.get();
}

void TSkinControl::SwitchParentBackground() {
    if (!control_ || (data_ && data_->Options().has(TSkinOption::xoParentBackGround))) return;
    if (Lower(GetEnumPropByName(control_, "ParentBackground")) != "true") return;
    parent_background_ = true;
    SetPropByName(control_, "ParentBackground", "False");
}

void TSkinControl::RestoreParentBackground() {
    if (!parent_background_ || !control_) return;
    SetPropByName(control_, "ParentBackground", "True");
    parent_background_ = false;
}

// ---- Shared routines ----

void DrawElement(HDC dc, const ui::Rect& rect, const TDataSkinObject& element, const ui::Bitmap& picture, int count,
                 int index) {
    if (!dc || picture.empty()) return;
    const Margins margins{element.left_width, element.top_height, element.right_width, element.bottom_height};
    DrawSkinFrame(dc, rect, picture, margins, index, count, element.trans == 1, element.tile != 0, false);
}

void DrawStripFrame(HDC dc, const ui::Rect& rect, const ui::Bitmap& strip, int count, int index) {
    if (!dc || strip.empty()) return;
    DrawFrameStretched(dc, rect, strip, true, count, index);
}

void DrawCaption(HDC dc, const ui::Rect& rect, int alignment, bool enabled, const std::wstring& text) {
    if (!dc || text.empty()) return;
    const SIZE size = MeasureText(dc, text, 0);
    const int y = rect.top + (rect.height() - size.cy) / 2 - 1;
    const int x = alignment == 1 ? rect.left + (rect.width() - size.cx) / 2 : rect.left;
    RECT r{x, y, x + size.cx, y + size.cy};
    PlainText plain(dc, enabled);
    DrawTextAuto(dc, text, r, DT_NOCLIP | DT_EXPANDTABS);
}

void DrawCenteredText(HDC dc, const ui::Rect& rect, const std::wstring& text, int alignment, bool enabled) {
    if (!dc || text.empty()) return;
    const UINT align = alignment == 1 ? DT_RIGHT : alignment == 2 ? DT_CENTER : DT_LEFT;
    const SIZE size = MeasureText(dc, text, DT_SINGLELINE | align);
    const int x = rect.left + (rect.width() - size.cx) / 2, y = rect.top + (rect.height() - size.cy) / 2;
    RECT r{x, y, x + size.cx, y + size.cy};
    PlainText plain(dc, enabled);
    DrawTextAuto(dc, text, r, DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS | align);
}

void DrawGlyphCaption(HDC dc, const ui::Rect& rect, int alignment, bool enabled, const std::wstring& text, int image,
                      const ui::ImageList* images) {
    if (!dc) return;
    const bool glyph = image != -1 && images && images->width() < rect.width();
    const int gw = glyph ? images->width() : 0, gh = glyph ? images->height() : 0;
    const SIZE size = text.empty() ? SIZE{0, 0} : MeasureText(dc, text, 0);
    const int gap = glyph && size.cx > 0 ? 2 : 0;
    const int pair = gw + gap + size.cx;
    int x = alignment == 0 ? rect.left + 3 : alignment == 1 ? rect.left + (rect.width() - pair) / 2 : rect.right - 2 - pair;
    x = std::max(x, rect.left + 1);
    if (glyph) const_cast<ui::ImageList*>(images)->draw(dc, x, rect.top + (rect.height() - gh) / 2, image, enabled);
    if (size.cx > 0) {
        const int tx = x + gw + gap, ty = rect.top + (rect.height() - size.cy) / 2;
        RECT r{tx, ty, tx + size.cx, ty + size.cy};
        PlainText plain(dc, enabled);
        DrawTextAuto(dc, text, r, DT_NOCLIP | DT_EXPANDTABS);
    }
}

UINT TextFlagsFor(const TSkinControl& skin, UINT flags) {
    const ui::Control* c = skin.overlay() ? skin.overlay() : skin.control();
    if (c && c->use_right_to_left_reading()) flags |= DT_RTLREADING;
    return flags;
}

void DrawTextFocus(HDC dc, const std::wstring& text, UINT flags, const ui::Rect& rect) {
    if (!dc) return;
    const SIZE size = MeasureText(dc, text, flags & (DT_WORDBREAK | DT_SINGLELINE));
    RECT r{};
    if (flags & DT_RIGHT) {
        r = {rect.right - size.cx, rect.top + (rect.height() - size.cy) / 2, rect.right,
             rect.top + (rect.height() - size.cy) / 2 + size.cy};
    } else {
        const int x = rect.left + (rect.width() - size.cx) / 2, y = rect.top + (rect.height() - size.cy) / 2;
        r = {x, y, x + size.cx, y + size.cy};
    }
    InflateRect(&r, 2, 1);
    RECT clip = ToRECT(rect);
    IntersectRect(&r, &r, &clip);
    if (!IsRectEmpty(&r)) DrawFocusRect(dc, &r);
}

void FillColorRect(HDC dc, const ui::Rect& rect, ui::TColor colour) {
    if (!dc || rect.width() <= 0 || rect.height() <= 0) return;
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(ui::to_colorref(colour)));
    RECT r = ToRECT(rect);
    FillRect(dc, &r, brush.get());
}

ui::TColor FaceColour(const TSkinControl& skin) {
    const SkinDescription* s = skin.Skin();
    return s ? s->colours[kButtonFace] : ui::TColor(ui::clBtnFace);
}

void FillFace(const TSkinControl& skin, HDC dc, const ui::Rect& rect) { FillColorRect(dc, rect, FaceColour(skin)); }

void FillParentColor(const TSkinControl& skin, HDC dc, const ui::Rect& rect) {
    const ui::Control* c = skin.control() ? skin.control() : skin.overlay();
    const ui::WinControl* parent = c ? c->parent() : nullptr;
    const std::int64_t colour = GetOrdPropByName(parent, "Color");
    FillColorRect(dc, rect, colour == -1 ? FaceColour(skin) : static_cast<ui::TColor>(colour));
}

void HandlePaint(TSkinControl& skin, ui::Message& m) {
    HWND window = skin.window();
    HDC dc = reinterpret_cast<HDC>(m.wparam);
    PAINTSTRUCT ps{};
    const bool began = dc == nullptr;
    if (began) dc = BeginPaint(window, &ps);
    RECT r{};
    if (dc && GetWindowRect(window, &r)) {
        try {
            skin.PaintSkin(dc, {0, 0, r.right - r.left, r.bottom - r.top});
        } catch (...) {
        }
    }
    if (began) EndPaint(window, &ps);
    m.result = 0;
}

void HandleEraseBkgnd(TSkinControl& skin, ui::Message& m) {
    HDC dc = reinterpret_cast<HDC>(m.wparam);
    if (skin.control()) {
        PaintParentBehind(skin.window(), dc);
    } else {
        RECT r{};
        GetClientRect(skin.window(), &r);
        FillFace(skin, dc, {r.left, r.top, r.right, r.bottom});
    }
    m.result = 1;
}

void ForwardMouseDown(TSkinControl& skin, const ui::Message& m) {
    ui::WinControl* c = skin.control();
    if (!c) return;
    int x = GET_X_LPARAM(m.lparam), y = GET_Y_LPARAM(m.lparam);
    if (c->width() > 32768 || c->height() > 32768) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(skin.window(), &p);
        x = p.x, y = p.y;
    }
    ui::TShiftState shift = ui::shift_state_of_keys(m.wparam);
    if (m.msg == WM_LBUTTONDBLCLK) shift.include(ui::TShiftStateFlag::ssDouble);
    c->mouse_down(ui::TMouseButton::mbLeft, shift, x, y);
}

std::wstring ReadWindowText(HWND window) {
    if (!window) return {};
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

bool IsPopupWindow(HWND window) {
    if (!window) return false;
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_POPUP) return true;
    HWND parent = GetParent(window);
    return parent && parent == GetDesktopWindow();
}

void SendMouseLeave(const TSkinControl& skin) {
    if (skin.window()) SendMessageW(skin.window(), ui::CM_MOUSELEAVE, 0, 0);
}

LONG_PTR GetWindowLongTyped(const TSkinControl& skin, int index) {
    return skin.unicode_window() ? GetWindowLongPtrW(skin.window(), index) : GetWindowLongPtrA(skin.window(), index);
}

// ---- Properties by name ----

std::int64_t GetOrdPropByName(const ui::Persistent* object, std::string_view name) {
    if (!object) return -1;
    try {
        const ui::PropInfo* p = ui::find_property(*object, name);
        if (!p || (p->kind != ui::PropKind::Integer && p->kind != ui::PropKind::Color)) return -1;
        return ui::get_ordinal_property(*object, name);
    } catch (const std::exception&) {
        return -1;
    }
}

std::string GetEnumPropByName(const ui::Persistent* object, std::string_view name) {
    if (!object) return {};
    try {
        const ui::PropInfo* p = ui::find_property(*object, name);
        if (!p || (p->kind != ui::PropKind::Enum && p->kind != ui::PropKind::Boolean)) return {};
        return ui::get_property_text(*object, name);
    } catch (const std::exception&) {
        return {};
    }
}

std::string GetTextPropByName(const ui::Persistent* object, std::string_view name) {
    if (!object) return {};
    try {
        const ui::PropInfo* p = ui::find_property(*object, name);
        if (!p || (p->kind != ui::PropKind::String && p->kind != ui::PropKind::StringList)) return {};
        return ui::get_property_text(*object, name);
    } catch (const std::exception&) {
        return {};
    }
}

ui::Persistent* GetObjectPropByName(const ui::Persistent* object, std::string_view name) {
    if (!object) return nullptr;
    try {
        const ui::PropInfo* p = ui::find_property(*object, name);
        if (!p || !p->get_object) return nullptr;
        return ui::get_object_property(*object, name);
    } catch (const std::exception&) {
        return nullptr;
    }
}

void SetPropByName(ui::Persistent* object, std::string_view name, std::string_view text) {
    if (!object) return;
    try {
        const ui::PropInfo* p = ui::find_property(*object, name);
        if (!p) return;
        switch (p->kind) {
        case ui::PropKind::Integer:
        case ui::PropKind::Boolean:
        case ui::PropKind::Enum:
        case ui::PropKind::String:
        case ui::PropKind::Color: ui::set_property_text(*object, name, text); break;
        default: break;
        }
    } catch (const std::exception&) {
        // A text the property cannot take changes nothing.
    }
}

} // namespace skin
