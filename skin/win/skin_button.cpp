#include "skin/win/skin_button.h"

#include <algorithm>
#include <cctype>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_paint.h"
#include "skin/win/skin_services.h"

namespace skin {
namespace {

constexpr int kButtonFrames = 5;
constexpr std::intptr_t kTransparentTag = 5555;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string WindowClassLower(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    std::string out;
    for (const wchar_t* p = name; *p; ++p) out += static_cast<char>(*p < 128 ? std::tolower(static_cast<int>(*p)) : '?');
    return out;
}

// Text measured inside `rect` shrunk by 2 on each side, with word wrapping.
SIZE MeasureWrapped(HDC dc, const std::wstring& text, const ui::Rect& rect) {
    if (text.empty()) return {0, 0};
    RECT r{rect.left + 2, rect.top + 2, std::max(rect.left + 2, rect.right - 2), rect.bottom - 2};
    DrawTextAuto(dc, text, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    return {r.right - r.left, r.bottom - r.top};
}

// A disabled one-frame glyph: its shape embossed in the highlight and shadow colours on the face.
void DrawEmbossed(HDC dc, int x, int y, const ui::Bitmap& glyph, COLORREF key) {
    const int w = glyph.width(), h = glyph.height();
    const ui::MemoryDC mono_dc;
    const ui::GdiObject<HBITMAP> mono(CreateBitmap(w, h, 1, 1, nullptr));
    if (!mono_dc.get() || !mono) return;
    const ui::SavedDC mono_saved(mono_dc.get());
    SelectObject(mono_dc.get(), mono.get());
    const COLORREF old_back = SetBkColor(glyph.dc(), key);
    BitBlt(mono_dc.get(), 0, 0, w, h, glyph.dc(), 0, 0, SRCCOPY);  // white where the background is
    SetBkColor(glyph.dc(), old_back);
    const ui::GdiObject<HBRUSH> light(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
    const ui::GdiObject<HBRUSH> shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    const ui::SavedDC saved(dc);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kRop = 0x00E20746;
    SelectObject(dc, light.get());
    BitBlt(dc, x + 1, y + 1, w, h, mono_dc.get(), 0, 0, kRop);
    SelectObject(dc, shadow.get());
    BitBlt(dc, x, y, w, h, mono_dc.get(), 0, 0, kRop);
}

} // namespace

// ---- TSkinButton ----

void TSkinButton::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached()) return;
    option_ = 0;
    const std::string name = Lower(control()->class_name());
    // The control set's buttons click on release themselves; they get no forwarded press.
    if (name.rfind("tec", 0) == 0 || name.rfind("tel", 0) == 0) option_ = 1;
    transparent_ = control()->tag() == kTransparentTag || (data && data->Options().has(TSkinOption::xoTransparent));
}

void TSkinButton::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    TSkinControl::AttachWindow(window, data, form);
    if (!attached()) return;
    transparent_ = data && data->Options().has(TSkinOption::xoTransparent);
}

bool TSkinButton::HasFace() const {
    const SkinDescription* skin = Skin();
    return skin && skin->buttons && !skin->buttons->bitmap.empty();
}

bool TSkinButton::BeforeMessage(ui::Message& m) {
    // Without the skin's faces the button paints and clicks as it would without a skin.
    if (!HasFace()) return TSkinControl::BeforeMessage(m);
    switch (m.msg) {
    case WM_PAINT: HandlePaint(*this, m); return false;
    case WM_ERASEBKGND: m.result = 1; return false;
    case WM_TIMER: KillTimer(window(), 1); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Taking the focus runs the handlers of the control that loses it, which may free this skin.
        const std::shared_ptr<bool> alive = alive_token();
        if (GetFocus() != window()) SetFocus(window());
        m.result = 0;
        if (!*alive) return false;
        SetState(kPressed, true);
        PaintSkinWindow(nullptr);
        if (option_ == 0 && control()) ForwardMouseDown(*this, m);
        return false;
    }
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinButton::AfterMessage(ui::Message& m) {
    if (!HasFace()) {
        TSkinControl::AfterMessage(m);
        return;
    }
    switch (m.msg) {
    case WM_SETTEXT: PaintSkinWindow(nullptr); break;
    case WM_KEYDOWN:
        if (m.wparam == VK_SPACE) {
            SetState(kPressed, true);
            RefreshSkin();
        }
        break;
    case WM_KEYUP:
        if (m.wparam == VK_SPACE) {
            SetState(kPressed, false);
            RefreshSkin();
        }
        break;
    case WM_MOUSEMOVE:
        if (TrackHover()) RefreshSkin();
        break;
    case WM_LBUTTONUP:
        if (pressed()) {
            SetState(kPressed, false);
            RefreshSkin();
            Click();
        }
        break;
    case WM_MOUSELEAVE:
        LeaveHover();
        RefreshSkin();
        break;
    case ui::CM_DIALOGKEY:
    case ui::CM_FOCUSCHANGED: RefreshSkin(); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinButton::Click() {
    ++clicks_;
    if (ui::WinControl* c = control()) {
        c->click();
        return;
    }
    HWND parent = GetParent(window());
    if (!parent) return;
    const bool tbutton = WindowClassLower(window()) == "tbutton";
    const WPARAM id = tbutton ? 0 : static_cast<WPARAM>(GetDlgCtrlID(window()) & 0xFFFF);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window()));
}

bool TSkinButton::IsDefault() const { return Lower(GetEnumPropByName(control(), "Default")) == "true"; }

std::wstring TSkinButton::Caption() const {
    if (const ui::Control* c = Published()) return plat::gbk_to_wide(GetTextPropByName(c, "Caption"));
    return ReadWindowText(window());
}

void TSkinButton::ReadState() {
    focused_ = GetFocus() == window();
    enabled_ = !(GetWindowLongPtrW(window(), GWL_STYLE) & WS_DISABLED);
    is_default_ = IsDefault();
}

int TSkinButton::FrameIndex() const {
    ButtonFaceState s;
    s.pressed = pressed();
    s.hot = hot();
    s.focused = focused_;
    s.is_default = is_default_;
    s.disabled = !enabled_;
    return ButtonFrameIndex(ButtonFaceKind::kPush, s);
}

void TSkinButton::SelectFaceFont(HDC dc, int frame, bool with_button_text) {
    SelectObject(dc, TextFont());
    COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    if (const ui::Control* c = Published()) colour = ui::to_colorref(c->font().color());
    else if (with_button_text && Skin()) colour = ui::to_colorref(Skin()->colours[kButtonText]);
    if (const SkinDescription* s = Skin(); s && s->buttons) {
        const TDataSkinButton& b = *s->buttons;
        if (b.normal_colour2_given) colour = ui::to_colorref(b.normal_colour2);
        if (b.mouse_over_colour2_given && frame == 4) colour = ui::to_colorref(b.mouse_over_colour2);
        if (b.pressed_colour2_given && frame == 2) colour = ui::to_colorref(b.pressed_colour2);
    }
    if (!enabled_) colour = GetSysColor(COLOR_BTNSHADOW);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
}

void TSkinButton::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    if (!dc || !skin || !skin->buttons || skin->buttons->bitmap.empty()) return;
    if (rect.width() <= 0 || rect.height() <= 0 || rect.width() > 32767 || rect.height() > 32767) return;
    const ui::Bitmap* strip = ElementBitmap(*skin->buttons);
    if (!strip) return;
    ReadState();
    buffer_.set_size(rect.width(), rect.height());
    HDC b = buffer_.dc();
    if (!b) return;
    const ui::Rect whole{0, 0, rect.width(), rect.height()};
    if (transparent_) PaintParentBehind(window(), b);
    else FillFace(*this, b, whole);
    const int frame = FrameIndex();
    if (const ui::Bitmap* face = ComposedFace(*skin->buttons, *strip, whole.right, whole.bottom, frame)) {
        if (skin->buttons->trans == 1) TransparentBlit(b, whole, *face, ui::clFuchsia);
        else BitBlt(b, 0, 0, whole.right, whole.bottom, face->dc(), 0, 0, SRCCOPY);
    }
    {
        const ui::SavedDC saved(b);
        SelectFaceFont(b, frame, UsesButtonText());
        PaintContent(b, whole, frame);
    }
    BitBlt(dc, rect.left, rect.top, rect.width(), rect.height(), b, 0, 0, SRCCOPY);
}

const ui::Bitmap* TSkinButton::ComposedFace(const TDataSkinObject& element, const ui::Bitmap& strip, int width,
                                            int height, int frame) {
    if (frame < 1 || frame > kButtonFrames) return nullptr;
    if (width != face_width_ || height != face_height_ || Skin() != face_skin_) {
        for (auto& f : faces_) f.reset();
        face_width_ = width, face_height_ = height, face_skin_ = Skin();
    }
    auto& slot = faces_[static_cast<std::size_t>(frame)];
    if (!slot) {
        const Margins margins{element.left_width, element.top_height, element.right_width, element.bottom_height};
        slot = StretchSkinFrame({0, 0, width, height}, strip, margins, false, element.tile != 0, kButtonFrames, frame);
    }
    return slot.get();
}

void TSkinButton::PaintContent(HDC dc, const ui::Rect& rect, int) {
    const std::wstring caption = PaintedCaption(Caption());
    const SIZE size = MeasureWrapped(dc, caption, rect);
    if (size.cx <= 0) return;
    const int x = (rect.width() - size.cx) / 2, y = (rect.height() - size.cy) / 2 - 1;
    RECT r{x, y, x + size.cx, y + size.cy};
    DrawTextAuto(dc, caption, r, TextFlagsFor(*this, DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER));
    if (focused_ && data() && !data()->Options().has(TSkinOption::xoNoFocusRect)) {
        RECT f = r;
        InflateRect(&f, 2, 2);
        DrawFocusRect(dc, &f);
    }
}

// ---- TSkinBitButton ----

int TSkinBitButton::FrameIndex() const {
    if (glyph_property_.empty()) return TSkinButton::FrameIndex();
    ButtonFaceState s;
    s.pressed = pressed();
    s.hot = hot();
    s.focused = focused_;
    s.disabled = !enabled_;
    return ButtonFrameIndex(ButtonFaceKind::kGlyphProperty, s);
}

void TSkinBitButton::PaintSkin(HDC dc, const ui::Rect& rect) {
    const ui::Control* shown = overlay() ? overlay() : control();
    if (Lower(GetEnumPropByName(shown, "Visible")) == "false") return;
    TSkinButton::PaintSkin(dc, rect);
}

int TSkinBitButton::GlyphFrame(int frame, int num_glyphs) const {
    return GlyphFrameIndex(frame == 2, !enabled_, num_glyphs);
}

void TSkinBitButton::PaintContent(HDC dc, const ui::Rect& rect, int frame) {
    const ui::Component* c = Published();
    const bool property_glyph = !glyph_property_.empty();
    const auto* glyph = dynamic_cast<const ui::Bitmap*>(GetObjectPropByName(c, property_glyph ? glyph_property_ : "Glyph"));
    if (glyph && glyph->empty()) glyph = nullptr;
    const auto* images = property_glyph ? nullptr : dynamic_cast<const ui::ImageList*>(GetObjectPropByName(c, "Images"));
    std::int64_t num_glyphs = property_glyph ? 1 : GetOrdPropByName(c, "NumGlyphs");
    if (num_glyphs < 1) num_glyphs = 1;
    const std::int64_t image_index = GetOrdPropByName(c, "ImageIndex");
    const std::int64_t disabled_index = GetOrdPropByName(c, "DisabledIndex");
    const std::int64_t margin = GetOrdPropByName(c, "Margin"), spacing = GetOrdPropByName(c, "Spacing");
    const GlyphLayout layout = GlyphLayoutOf(GetEnumPropByName(c, "Layout"));
    const bool centre = Lower(GetEnumPropByName(c, "Alignment")) == "tacenter";

    int gw = 0, gh = 0;
    if (glyph) gw = glyph->width() / static_cast<int>(num_glyphs), gh = glyph->height();
    else if (images && image_index != -1) gw = images->width(), gh = images->height();

    const std::wstring caption = PaintedCaption(Caption());
    ui::Rect text_area = rect;
    if (layout == GlyphLayout::kLeft || layout == GlyphLayout::kRight) text_area.right -= gw + 2;
    else text_area.bottom -= gh + 2;
    const SIZE text = MeasureWrapped(dc, caption, text_area);
    const BitButtonLayout at = LayOutBitButton(rect.width(), rect.height(), gw, gh, text.cx, text.cy, layout,
                                               static_cast<int>(margin), static_cast<int>(spacing), centre);
    const bool disabled_face = !enabled_;
    if (glyph && gw > 0) {
        const int k = GlyphFrame(frame, static_cast<int>(num_glyphs));
        const COLORREF key = GetPixel(glyph->dc(), 0, glyph->height() - 1);
        ui::Bitmap piece(gw, gh);
        BitBlt(piece.dc(), 0, 0, gw, gh, glyph->dc(), (k - 1) * gw, 0, SRCCOPY);
        if (disabled_face && num_glyphs == 1) DrawEmbossed(dc, at.glyph_x, at.glyph_y, piece, key);
        else TransparentBlit(dc, {at.glyph_x, at.glyph_y, at.glyph_x + gw, at.glyph_y + gh}, piece, static_cast<ui::TColor>(key));
    } else if (images && image_index != -1) {
        const int index = static_cast<int>(disabled_face && disabled_index != -1 ? disabled_index : image_index);
        const_cast<ui::ImageList*>(images)->draw(dc, at.glyph_x, at.glyph_y, index, !disabled_face);
    }
    if (text.cx <= 0) return;
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
    if (layout == GlyphLayout::kRight) flags |= DT_RIGHT;
    else if (layout == GlyphLayout::kTop || layout == GlyphLayout::kBottom) flags |= DT_CENTER;
    if (!property_glyph) flags = TextFlagsFor(*this, flags);
    RECT r{at.text_x, at.text_y, at.text_x + text.cx, at.text_y + text.cy};
    DrawTextAuto(dc, caption, r, flags);
    if (focused_ && data() && !data()->Options().has(TSkinOption::xoNoFocusRect)) {
        RECT f = r;
        InflateRect(&f, 2, 2);
        DrawFocusRect(dc, &f);
    }
}

} // namespace skin
