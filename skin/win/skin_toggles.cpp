#include "skin/win/skin_toggles.h"

#include <algorithm>
#include <cctype>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"
#include "platform/ui/win/system_facts.h"
#include "skin/win/control_painters.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"

namespace skin {
namespace {

constexpr int kTransparentTag = 5555;
constexpr UINT kMsgToggleRefresh = 0xB0D0;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool HasProperty(const ui::Persistent* object, std::string_view name) {
    if (!object) return false;
    try {
        return ui::find_property(*object, name) != nullptr;
    } catch (const std::exception&) {
        return false;
    }
}

// A published boolean or enumeration as "true"/"false"; nothing when the control lacks it.
std::optional<bool> BoolProperty(const ui::Persistent* object, std::string_view name) {
    const std::string text = Lower(GetEnumPropByName(object, name));
    if (text.empty()) return std::nullopt;
    return text == "true";
}

const Image32* StripImage(const SkinDescription* skin, bool radio, int& frames) {
    frames = 0;
    if (!skin || !skin->buttons) return nullptr;
    const TDataSkinButton& b = *skin->buttons;
    const Image32& image = radio ? b.radio_bitmap : b.check_bitmap;
    frames = radio ? b.radio_frame : b.check_frame;
    if (image.empty() || StripFrameSize(image.width(), image.height(), frames).width == 0) return nullptr;
    return &image;
}

} // namespace

// ---- TSkinCheckBox, TSkinRadioButton ----

void TSkinCheckBox::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached()) return;
    int frames = 0;
    option_ = Strip(frames) ? 1 : 0;
    transparent_ = (control() && control()->tag() == kTransparentTag) ||
                   (data && data->Options().has(TSkinOption::xoTransparent));
}

void TSkinCheckBox::Reskin() {
    strip_.reset();
    strip_for_ = nullptr;
    if (control()) {
        int frames = 0;
        option_ = Strip(frames) ? 1 : 0;
    }
    TSkinControl::Reskin();
}

const ui::Bitmap* TSkinCheckBox::Strip(int& frames) {
    const SkinDescription* skin = Skin();
    const Image32* image = StripImage(skin, radio(), frames);
    if (!image) return nullptr;
    if (skin != strip_for_ || !strip_) {
        strip_ = std::make_unique<ui::Bitmap>();
        AssignImage(*strip_, *image);
        strip_for_ = skin;
    }
    return strip_->empty() ? nullptr : strip_.get();
}

bool TSkinCheckBox::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (option_ == 1) {
            HandlePaint(*this, m);
            return false;
        }
        break;
    case WM_ERASEBKGND:
        if (transparent_) {
            HandleEraseBkgnd(*this, m);
            return false;
        }
        break;
    default: break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinCheckBox::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case BM_SETCHECK:
        if (!radio()) last_check_ = static_cast<int>(m.wparam) + 1;
        RefreshSkin();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case ui::CM_EXIT:
    case kMsgToggleRefresh: RefreshSkin(); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

int TSkinCheckBox::FrameIndex() {
    int frames = 0;
    if (!Strip(frames)) return 0;
    const HWND w = window();
    const LRESULT state = w ? SendMessageW(w, BM_GETSTATE, 0, 0) : 0;
    const bool disabled = w && (GetWindowLongPtrW(w, GWL_STYLE) & WS_DISABLED) != 0;
    const ui::WinControl* c = control();
    if (radio()) {
        RadioFacts f;
        f.checked = w && SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
        f.checked_property = BoolProperty(c, "Checked");
        f.disabled = disabled;
        return RadioFrameIndex(f, frames);
    }
    CheckFacts f;
    f.checked = (state & BST_CHECKED) != 0;
    f.indeterminate = (state & BST_INDETERMINATE) != 0;
    if (c) {
        const std::string s = GetEnumPropByName(c, "State");
        if (!s.empty()) f.state = s;
        else f.checked_property = BoolProperty(c, "Checked");
        f.data_field = HasProperty(c, "DataField");
        f.data_binding = HasProperty(c, "DataBinding");
    }
    f.last_check = last_check_;
    f.disabled = disabled;
    return CheckFrameIndex(f, frames);
}

void TSkinCheckBox::PaintSkin(HDC dc, const ui::Rect& rect) {
    int frames = 0;
    const ui::Bitmap* strip = Strip(frames);
    if (!strip) {
        option_ = 0;
        return;
    }
    const HWND w = window();
    const LONG_PTR style = w ? GetWindowLongPtrW(w, GWL_STYLE) : 0;
    enabled_ = (style & WS_DISABLED) == 0;
    focused_ = w && GetFocus() == w;
    TogglePaint p;
    p.radio = radio();
    p.frame = FrameIndex();
    p.left_text = (style & BS_LEFTTEXT) != 0;
    p.right_to_left = (TextFlagsFor(*this, 0) & DT_RTLREADING) != 0;
    p.fill = option_ == 1 && !transparent_;
    p.face = FaceColour(*this);
    if (option_ == 1) {
        const ui::WinControl* c = control();
        std::string caption = c ? GetTextPropByName(c, "Caption") : std::string();
        caption_ = caption.empty() ? ReadWindowText(w) : plat::gbk_to_wide(caption);
        p.text = caption_;
        p.font = TextFont();
        const ui::TColor skin_text = Skin()->colours[kWindowText];
        p.text_colour = !enabled_ ? ui::TColor(ui::clBtnShadow) : c ? SkinTextColour(c->font().color(), skin_text) : skin_text;
        p.focus = focused_ && !p.text.empty() && ui::system_facts().major != 6;
    }
    if (p.frame > 0) PaintToggle(dc, rect, *strip, frames, p);
}

// ---- TSkinObjImage ----

void TSkinObjImage::AttachControl(TWinSkinForm* form, TSkinData* data, bool) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, false);
    if (attached()) BuildGlyphs();
}

bool TSkinObjImage::BeforeMessage(ui::Message& m) {
    // The control draws its own boxes; only the base's answers and the window's end matter.
    return TSkinControl::BeforeMessage(m);
}

ui::Bitmap* TSkinObjImage::TargetGlyphs() const {
    ui::Persistent* holder = control();
    if (kind_ == 3) holder = GetObjectPropByName(holder, "Properties");
    return dynamic_cast<ui::Bitmap*>(GetObjectPropByName(holder, kind_ == 3 ? "Glyph" : "CustomGlyphs"));
}

void TSkinObjImage::BuildGlyphs() {
    ui::WinControl* c = control();
    ui::Bitmap* target = TargetGlyphs();
    if (!c || !target) return;
    const SkinDescription* skin = Skin();
    int frames = 0;
    const Image32* strip = StripImage(skin, kind_ == 2, frames);
    if (!strip) return;
    const Image32 glyphs = BuildGlyphStrip(kind_, *strip, frames);
    if (glyphs.empty()) return;
    if (!saved_) {
        // The control's own pictures, to give back on unskinning.
        own_glyphs_ = std::make_unique<ui::Bitmap>();
        own_glyphs_->assign(*target);
        if (kind_ != 3) {
            own_transparent_colour_ = ui::get_property_text(*c, "TransparentColor");
            own_use_custom_ = GetEnumPropByName(c, "UseCustomGlyphs");
        }
        saved_ = true;
    }
    AssignImage(*target, glyphs);
    if (kind_ == 3) {
        target->transparent_color = ui::clFuchsia;
        target->transparent = false;
        c->invalidate();
    } else {
        SetPropByName(c, "TransparentColor", std::to_string(static_cast<long>(ui::clFuchsia)));
        SetPropByName(c, "UseCustomGlyphs", "False");
        SetPropByName(c, "UseCustomGlyphs", "True");
    }
    handed_ = true;
}

void TSkinObjImage::Reskin() {
    BuildGlyphs();
    TSkinControl::Reskin();
}

void TSkinObjImage::Unskin() {
    if (!active()) return;
    ui::WinControl* c = control();
    ui::Bitmap* target = TargetGlyphs();
    if (!dead() && c && saved_ && target && own_glyphs_) {
        target->assign(*own_glyphs_);
        if (kind_ == 3) {
            c->invalidate();  // the glyph's transparency came back with it
        } else {
            SetPropByName(c, "TransparentColor", own_transparent_colour_);
            // Off and back to the control's own setting, so that it reloads its pictures.
            SetPropByName(c, "UseCustomGlyphs", "False");
            if (!own_use_custom_.empty()) SetPropByName(c, "UseCustomGlyphs", own_use_custom_);
        }
    }
    saved_ = false;
    handed_ = false;
    own_glyphs_.reset();
    TSkinControl::Unskin();
}

} // namespace skin
