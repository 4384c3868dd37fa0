#include "skin/win/skin_speed_button.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/ui/messages.h"
#include "skin/button_faces.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_services.h"

namespace skin {
namespace {

constexpr std::intptr_t kTransparentTag = 5555;

bool PublishedTrue(const ui::Control* c, std::string_view name) {
    std::string v = GetEnumPropByName(c, name);
    for (char& ch : v) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return v == "true";
}

bool PublishedFalse(const ui::Control* c, std::string_view name) {
    std::string v = GetEnumPropByName(c, name);
    for (char& ch : v) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return v == "false";
}

} // namespace

void TSkinSpeedButton::AttachControl(TWinSkinForm* form, TSkinData* data, bool) {
    auto* button = dynamic_cast<ui::Control*>(owner());
    if (attached() || !button || dynamic_cast<ui::WinControl*>(button)) return;
    AttachWindowless(button, form, data);
    if (!attached()) return;
    SetState(kHot | kPressed, false);
    transparent_ = button->tag() == kTransparentTag || (data && data->Options().has(TSkinOption::xoTransparent));
}

void TSkinSpeedButton::Unskin() {
    TSkinBitButton::Unskin();
    if (overlay()) overlay()->invalidate();
}

bool TSkinSpeedButton::Down() const { return PublishedTrue(overlay(), "Down"); }

int TSkinSpeedButton::FrameIndex() const {
    // With its glyph in a named property the button paints as the bit button's variant does.
    if (!glyph_property().empty()) return TSkinBitButton::FrameIndex();
    ButtonFaceState s;
    s.pressed = pressed();
    s.hot = hot();
    s.down = Down();
    s.disabled = !PublishedTrue(overlay(), "Enabled");
    return ButtonFrameIndex(ButtonFaceKind::kSpeed, s);
}

int TSkinSpeedButton::GlyphFrame(int, int num_glyphs) const {
    return SpeedGlyphFrame(pressed(), !enabled_, Down(), num_glyphs);
}

bool TSkinSpeedButton::BeforeMessage(ui::Message& m) {
    // Without the skin's faces the button paints itself.
    if (!HasFace()) return TSkinControl::BeforeMessage(m);
    switch (m.msg) {
    case WM_PAINT: {
        if (!m.wparam || !overlay()) return true;
        try {
            PaintSkin(reinterpret_cast<HDC>(m.wparam), {0, 0, overlay()->width(), overlay()->height()});
        } catch (...) {
            // The painting ends here; the guard is already cleared.
        }
        m.result = 1;
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The button's own press first: it keeps its clicking.
        const std::shared_ptr<bool> alive = alive_token();
        CallPrevious(m);
        if (!*alive) return false;
        SetState(kPressed, true);
        PaintSkinWindow(nullptr);
        return false;
    }
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinSpeedButton::AfterMessage(ui::Message& m) {
    if (!HasFace()) return;
    switch (m.msg) {
    case WM_LBUTTONUP:
        SetState(kPressed, false);
        PaintSkinWindow(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.wparam == VK_SPACE) {
            SetState(kPressed, m.msg == WM_KEYDOWN);
            PaintSkinWindow(nullptr);
        }
        break;
    case ui::CM_MOUSEENTER:
        SetState(kHot, true);
        PaintSkinWindow(nullptr);
        break;
    case ui::CM_MOUSELEAVE:
        SetState(kHot | kPressed, false);
        if (overlay() && overlay()->visible()) PaintSkinWindow(nullptr);
        break;
    case ui::CM_RELEASE: Unskin(); break;
    default: break;  // enabling and focus changes repaint through the button itself
    }
}

void TSkinSpeedButton::PaintSkinWindow(HDC) {
    if (overlay() && overlay()->showing()) overlay()->repaint();
}

void TSkinSpeedButton::PaintSkin(HDC dc, const ui::Rect& rect) {
    ui::Control* button = overlay();
    const SkinDescription* skin = Skin();
    if (!dc || !button || painting_ || PublishedFalse(button, "Visible")) return;
    if (!skin || !skin->buttons || skin->buttons->bitmap.empty()) return;
    if (rect.width() <= 0 || rect.height() <= 0 || rect.width() > 32767 || rect.height() > 32767) return;
    const ui::Bitmap* strip = ElementBitmap(*skin->buttons);
    if (!strip) return;
    painting_ = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{painting_};
    enabled_ = PublishedTrue(button, "Enabled");
    focused_ = false;
    is_default_ = false;
    buffer_.set_size(rect.width(), rect.height());
    HDC b = buffer_.dc();
    if (!b) return;
    const ui::Rect whole{0, 0, rect.width(), rect.height()};
    if (transparent_) FillParentColor(*this, b, whole);
    else FillFace(*this, b, whole);
    const int frame = FrameIndex();
    if (!glyph_property().empty() || SpeedFaceShown(frame, PublishedTrue(button, "Flat"))) {
        if (const ui::Bitmap* face = ComposedFace(*skin->buttons, *strip, whole.right, whole.bottom, frame)) {
            if (skin->buttons->trans == 1) TransparentBlit(b, whole, *face, ui::clFuchsia);
            else BitBlt(b, 0, 0, whole.right, whole.bottom, face->dc(), 0, 0, SRCCOPY);
        }
    }
    {
        const ui::SavedDC saved(b);
        SelectFaceFont(b, frame, false);
        PaintContent(b, whole, frame);
    }
    BitBlt(dc, rect.left, rect.top, rect.width(), rect.height(), b, 0, 0, SRCCOPY);
}

void TSkinSpeedButton::PaintContent(HDC dc, const ui::Rect& rect, int frame) {
    // The skin's normal text colour belongs to the normal face only.
    if (const SkinDescription* s = Skin(); s && s->buttons && enabled_) {
        const TDataSkinButton& b = *s->buttons;
        COLORREF colour = ui::to_colorref(overlay()->font().color());
        if (b.normal_colour2_given && frame == 1) colour = ui::to_colorref(b.normal_colour2);
        if (b.mouse_over_colour2_given && frame == 4) colour = ui::to_colorref(b.mouse_over_colour2);
        if (b.pressed_colour2_given && frame == 2) colour = ui::to_colorref(b.pressed_colour2);
        SetTextColor(dc, colour);
    }
    TSkinBitButton::PaintContent(dc, rect, frame);
}

} // namespace skin
