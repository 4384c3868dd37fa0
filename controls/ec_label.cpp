#include "controls/ec_label.h"

#include <cmath>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"

namespace ec {

using ui::PropBuilder;
using ui::Rect;
using ui::TColor;

namespace {

constexpr double kPi = 3.14159265358979323846;

int round_even(double v) { return static_cast<int>(std::nearbyint(v)); }

Rect moved(Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// One piece of turned text straight through GDI: the canvas keeps only upright fonts.
void turned_text_out(HDC dc, HFONT font, UINT align, TColor color, int x, int y, const std::wstring& text) {
    const HGDIOBJ old_font = SelectObject(dc, font);
    const UINT old_align = SetTextAlign(dc, align);
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF old_color = SetTextColor(dc, ui::color_to_rgb(color));
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, old_color);
    SetBkMode(dc, old_mode);
    SetTextAlign(dc, old_align);
    SelectObject(dc, old_font);
}

const char* const kVerdana = "Verdana";

} // namespace

ui::ClassInfo& TEcLabel::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcLabel", &Label::static_class());
        c.factory = ui::factory_of<TEcLabel>();
        PropBuilder<TEcLabel>(c)
            .integer("Angle", &TEcLabel::angle, &TEcLabel::set_angle)
            .boolean("Blinking", &TEcLabel::blinking, &TEcLabel::set_blinking)
            .color("BlinkColor", &TEcLabel::blink_color, &TEcLabel::set_blink_color, ui::clHighlight)
            .integer("BlinkIntervalOff", &TEcLabel::blink_interval_off, &TEcLabel::set_blink_interval_off, 500, "Word")
            .integer("BlinkIntervalOn", &TEcLabel::blink_interval_on, &TEcLabel::set_blink_interval_on, 500, "Word")
            .integer("BevelWidth", &TEcLabel::bevel_width, &TEcLabel::set_bevel_width, 1)
            .enumeration("BorderInner", &TEcLabel::border_inner, &TEcLabel::set_border_inner, TFrameStyleEx::fsNone)
            .enumeration("BorderOuter", &TEcLabel::border_outer, &TEcLabel::set_border_outer, TFrameStyleEx::fsNone)
            .set("BorderSides", "TSides", &TEcLabel::border_sides, &TEcLabel::set_border_sides, kAllSides)
            .color("BorderColor", &TEcLabel::border_color, &TEcLabel::set_border_color, ui::clBtnFace)
            .color("BorderHighlight", &TEcLabel::border_highlight, &TEcLabel::set_border_highlight, ui::clBtnHighlight)
            .color("BorderShadow", &TEcLabel::border_shadow, &TEcLabel::set_border_shadow, ui::clBtnShadow)
            .integer("BorderWidth", &TEcLabel::border_width, &TEcLabel::set_border_width)
            .enumeration("CondenseCaption", &TEcLabel::condense_caption, &TEcLabel::set_condense_caption,
                         TEcCondenseCaption::ccNone)
            .color("FlatColor", &TEcLabel::flat_color, &TEcLabel::set_flat_color, ui::clBtnShadow)
            .integer("FlatColorAdjustment", &TEcLabel::flat_color_adjustment, &TEcLabel::set_flat_color_adjustment, 30)
            .reference<FrameController>("FrameController", "TEcFrameController", &TEcLabel::frame_controller,
                                        &TEcLabel::set_frame_controller)
            .set("FrameControllerNotifications", "TEcFrameControllerNotifications",
                 &TEcLabel::frame_controller_notifications, &TEcLabel::set_frame_controller_notifications,
                 TEcFrameControllerNotifications::from_bits(kAllFrameNotifications))
            .enumeration("CenterPoint", &TEcLabel::center_point, &TEcLabel::set_center_point, TCenterPoint::cpCenter)
            .color("FlyByColor", &TEcLabel::fly_by_color, &TEcLabel::set_fly_by_color, ui::clHighlight)
            .boolean("FlyByEnabled", &TEcLabel::fly_by_enabled, &TEcLabel::set_fly_by_enabled)
            .boolean("LightTextStyle", &TEcLabel::light_text_style, &TEcLabel::set_light_text_style)
            .enumeration("Rotation", &TEcLabel::rotation, &TEcLabel::set_rotation, TRotation::roNone)
            .color("HighlightColor", &TEcLabel::highlight_color, &TEcLabel::set_highlight_color, ui::clBtnHighlight)
            .color("ShadowColor", &TEcLabel::shadow_color, &TEcLabel::set_shadow_color, ui::clBtnShadow)
            .integer("ShadowDepth", &TEcLabel::shadow_depth, &TEcLabel::set_shadow_depth, 2)
            .integer("TextMargin", &TEcLabel::text_margin, &TEcLabel::set_text_margin)
            .enumeration("TextStyle", &TEcLabel::text_style, &TEcLabel::set_text_style, TTextStyle::tsNormal)
            .obsolete("FrameSides", ui::ObsoleteValue::Set);
        return c;
    }();
    return info;
}

TEcLabel::TEcLabel(ui::Component* owner) : Label(owner) {
    set_color(ui::clBtnFace);
    set_parent_color(true);
    font_color_ = current_color_ = font().color();
    acquire_window_blink_list().register_control(this);
}

TEcLabel::~TEcLabel() {
    if (BlinkingControlsList* list = blink_list()) list->unregister_control(this);
    release_blink_list_if_empty();
    frame_.release(*this);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TEcLabel::use_true_type_font() {
    // Only outline fonts turn.
    if (!loading() && !is_true_type_face(font())) font().set_name(kVerdana);
}

void TEcLabel::set_angle(int v) {
    angle_ = normalize_label_angle(v);
    if (angle_ != 0) use_true_type_font();
    if (angle_ != 0 && rotation_ == TRotation::roNone) rotation_ = TRotation::roFlat;
    adjust_size();
    invalidate();
}

void TEcLabel::set_rotation(TRotation v) {
    if (v != TRotation::roNone) use_true_type_font();
    // A stored Angle is read before Rotation: loading keeps it.
    if (v != TRotation::roCurve && !loading()) angle_ = 0;
    if (v == TRotation::roFlat) center_point_ = TCenterPoint::cpCenter;
    rotation_ = v;
    adjust_size();
    invalidate();
}

void TEcLabel::set_center_point(TCenterPoint v) { change(center_point_, v); }

void TEcLabel::set_condense_caption(TEcCondenseCaption v) {
    if (v != TEcCondenseCaption::ccNone) set_auto_size(false);
    change(condense_, v);
}

void TEcLabel::set_blinking(bool v) {
    if (v == blinking_) return;
    blinking_ = v;
    if (blinking_) return;
    current_color_ = font_color_;
    repaint();
}

int TEcLabel::blink_interval_on() const { return blink_list() ? static_cast<int>(blink_list()->on_interval()) : 500; }
void TEcLabel::set_blink_interval_on(int ms) { acquire_window_blink_list().set_on_interval(ms); }
int TEcLabel::blink_interval_off() const { return blink_list() ? static_cast<int>(blink_list()->off_interval()) : 500; }
void TEcLabel::set_blink_interval_off(int ms) { acquire_window_blink_list().set_off_interval(ms); }

void TEcLabel::set_fly_by_enabled(bool v) {
    if (v == fly_by_enabled_) return;
    fly_by_enabled_ = v;
    if (v || saved_fly_color_ == ui::clNone) return;
    font().set_color(saved_fly_color_);
    saved_fly_color_ = ui::clNone;
}

void TEcLabel::refresh_frame_from_controller() {
    if (take_frame_controller_push(*this, frame_, layers_,
                                   {border_highlight_, border_shadow_, flat_color_, flat_color_adjustment_}))
        invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages and notifications

void TEcLabel::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case CM_QUERYBLINK: m.result = blinking_ ? 1 : 0; return;
    case CM_BLINKSTEP:
        if (blinking_) {
            current_color_ = m.wparam ? blink_color_ : font_color_;
            repaint();
        }
        return;
    case ui::CM_MOUSEENTER:
        if (fly_by_enabled_) {
            saved_fly_color_ = font().color();
            font().set_color(fly_by_color_);
        }
        break;
    case ui::CM_MOUSELEAVE:
        if (fly_by_enabled_ && saved_fly_color_ != ui::clNone) {
            font().set_color(saved_fly_color_);
            saved_fly_color_ = ui::clNone;
        }
        break;
    default: break;
    }
    Label::wnd_proc(m);
}

void TEcLabel::font_changed() {
    if (!loading()) {
        if (!blinking_) font_color_ = current_color_ = font().color();
        if (angle_ != 0 && !is_true_type_face(font())) angle_ = 0;
    }
    Label::font_changed();
}

void TEcLabel::loaded() {
    Label::loaded();
    if (rotation_ == TRotation::roNone && angle_ != 0) rotation_ = TRotation::roFlat;
    if (rotation_ != TRotation::roNone && !is_true_type_face(font())) font().set_name(kVerdana);
    font_color_ = current_color_ = font().color();
    adjust_size();
}

void TEcLabel::notification(ui::Component* component, ui::TOperation operation) {
    Label::notification(component, operation);
    if (operation == ui::TOperation::opRemove) frame_.forget(component);
}

// ---------------------------------------------------------------------------------------------
// Size

bool TEcLabel::auto_size_keeps_right() const {
    const bool right = alignment() == ui::TAlignment::taRightJustify;
    const bool left = alignment() == ui::TAlignment::taLeftJustify;
    return use_right_to_left_reading() ? left : right;
}

bool TEcLabel::can_auto_size(int& width, int& height) {
    const Rect inside = border_client_rect({0, 0, this->width(), this->height()}, layers_);
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | (word_wrap() ? DT_WORDBREAK : 0) | (show_accel_char() ? 0 : DT_NOPREFIX);
    if (condense_ == TEcCondenseCaption::ccAtEnd) flags |= DT_END_ELLIPSIS;
    if (condense_ == TEcCondenseCaption::ccWithinPath) flags |= DT_PATH_ELLIPSIS;
    ui::ClientDC screen(nullptr);
    ui::CanvasScope scope = canvas_on(screen.get());
    Rect measured{0, 0, word_wrap() ? inside.width() : 0, 0};
    const std::string caption = text();
    scope.canvas().draw_text(caption.empty() ? std::string(" ") : caption, measured, flags);
    int w = measured.width(), h = measured.height();

    for (int t : {frame_thickness_for_auto_size(layers_.outer, layers_.bevel_width), layers_.width,
                  frame_thickness_for_auto_size(layers_.inner, layers_.bevel_width)}) {
        if (layers_.sides.has(TSide::sdLeft)) w += t;
        if (layers_.sides.has(TSide::sdRight)) w += t;
        if (layers_.sides.has(TSide::sdTop)) h += t;
        if (layers_.sides.has(TSide::sdBottom)) h += t;
    }
    const bool shadow = text_style_ == TTextStyle::tsShadow;
    if (shadow && rotation_ == TRotation::roNone) {
        w += shadow_depth_;
        h += shadow_depth_;
    }
    if (rotation_ == TRotation::roFlat && angle_ != 0 && angle_ != 180) {
        if (shadow) {
            w += shadow_depth_ / 2;
            h += shadow_depth_ / 2;
        }
        const Size turned = rotated_bounds({w, h}, angle_);
        w = turned.width;
        h = turned.height;
    }
    width = w;
    height = h;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Painting

Rect TEcLabel::text_rect() const {
    Rect r = border_client_rect({0, 0, width(), height()}, layers_);
    return {r.left + text_margin_, r.top + text_margin_, r.right - text_margin_, r.bottom - text_margin_};
}

UINT TEcLabel::draw_flags() const {
    ui::TAlignment align = alignment();
    if (use_right_to_left_reading() && align != ui::TAlignment::taCenter)
        align = align == ui::TAlignment::taLeftJustify ? ui::TAlignment::taRightJustify : ui::TAlignment::taLeftJustify;
    UINT flags = DT_EXPANDTABS | (align == ui::TAlignment::taRightJustify ? DT_RIGHT
                                  : align == ui::TAlignment::taCenter    ? DT_CENTER
                                                                         : DT_LEFT);
    if (use_right_to_left_reading()) flags |= DT_RTLREADING;
    if (word_wrap()) flags |= DT_WORDBREAK;
    if (!show_accel_char()) flags |= DT_NOPREFIX;
    if (condense_ == TEcCondenseCaption::ccAtEnd) flags |= DT_END_ELLIPSIS;
    if (condense_ == TEcCondenseCaption::ccWithinPath) flags |= DT_PATH_ELLIPSIS;
    return flags;
}

void TEcLabel::paint(ui::Canvas& canvas) {
    LayeredBorders b;
    b.outer = layers_.outer;
    b.inner = layers_.inner;
    b.width = layers_.width;
    b.sides = layers_.sides;
    b.bevel_width = layers_.bevel_width;
    b.border_color = border_color_;
    b.highlight = border_highlight_;
    b.shadow = border_shadow_;
    b.flat_color = flat_color_;
    b.flat_color_adjustment = flat_color_adjustment_;
    b.color = color();
    b.parent_color = parent() ? parent()->color() : color();
    b.transparent = transparent();
    paint_layered_borders(canvas, {0, 0, width(), height()}, b);
    if (!transparent()) {
        canvas.brush().style = ui::TBrushStyle::bsSolid;
        canvas.brush().color = color();
        canvas.fill_rect(border_client_rect({0, 0, width(), height()}, layers_));
    }
    canvas.brush().style = ui::TBrushStyle::bsClear;
    switch (rotation_) {
    case TRotation::roCurve: paint_arc(canvas); break;
    case TRotation::roFlat: paint_turned(canvas, text_rect()); break;
    default: paint_flat(canvas, text_rect()); break;
    }
}

void TEcLabel::paint_flat(ui::Canvas& canvas, Rect r) {
    const std::string caption = text();
    const UINT flags = draw_flags();
    if (layout() != ui::TTextLayout::tlTop) {
        Rect calc = r;
        canvas.draw_text(caption, calc, flags | DT_CALCRECT);
        const int spare = r.height() - calc.height();
        r = moved(r, 0, layout() == ui::TTextLayout::tlCenter ? spare / 2 : spare);
    }
    if (text_style_ == TTextStyle::tsShadow) {
        // Room for the shadow on the side the text is pushed against.
        if (flags & DT_RIGHT) r = moved(r, -shadow_depth_, 0);
        if (layout() == ui::TTextLayout::tlBottom) r = moved(r, 0, -shadow_depth_);
    }
    auto draw = [&](TColor color, int dx, int dy) {
        canvas.font().set_color(color);
        Rect at = moved(r, dx, dy);
        canvas.draw_text(caption, at, flags);
    };
    if (!enabled()) {
        draw(ui::clGrayText, 0, 0);
        return;
    }
    switch (text_style_) {
    case TTextStyle::tsRaised:
        if (!light_text_style_) draw(shadow_color_, 1, 1);
        draw(highlight_color_, -1, -1);
        break;
    case TTextStyle::tsRecessed:
        draw(highlight_color_, 1, 1);
        if (!light_text_style_) draw(shadow_color_, -1, -1);
        break;
    case TTextStyle::tsShadow: draw(shadow_color_, shadow_depth_, shadow_depth_); break;
    default: break;
    }
    draw(current_color_, 0, 0);
}

void TEcLabel::paint_turned(ui::Canvas& canvas, const Rect& r) {
    const std::wstring caption = plat::gbk_to_wide(text());
    const int e = text_style_ == TTextStyle::tsShadow ? shadow_depth_ / 2 : 0;
    const int pp = canvas.text_height("Pp");
    const int tw = canvas.text_width(text()) + e;
    const int th = pp + e;
    const double q = pp / 4.0;
    const double a = angle_ * kPi / 180.0 + kPi / 2;
    const ui::TAlignment align = alignment();
    const bool centred = align == ui::TAlignment::taCenter, right = align == ui::TAlignment::taRightJustify;
    int x = width() / 2, y = height() / 2;
    UINT text_align = TA_BASELINE | TA_LEFT;
    switch (angle_) {
    case 0:
        if (!centred) x = right ? r.right - tw - e : r.left + e;
        text_align = TA_TOP | (centred ? TA_CENTER : TA_LEFT);
        y -= th / 2;
        break;
    case 90:
        x -= round_even(std::cos(a) * q);
        y = centred ? r.bottom - (r.bottom - tw) / 2 : right ? r.top + tw + e : r.bottom - e;
        break;
    case 180:
        x = centred ? r.right - (r.right - tw) / 2 : right ? r.left + tw : r.right - e;
        y -= th / 4;
        break;
    case 270:
        x -= round_even(std::cos(a) * q);
        y = centred ? (r.bottom - tw) / 2 : right ? r.bottom - tw - e : r.top + e;
        break;
    default:
        x -= round_even(std::cos(a) * q);
        y += round_even(std::sin(a) * q);
        text_align = TA_BASELINE | TA_CENTER;
        break;
    }
    const ui::GdiObject<HFONT> font = create_rotated_font(this->font(), angle_);
    const HDC dc = canvas.handle();
    auto out = [&](TColor color, int dx, int dy) { turned_text_out(dc, font.get(), text_align, color, x + dx, y + dy, caption); };
    if (!enabled()) {
        out(ui::clGrayText, 0, 0);
        return;
    }
    int own = 0;
    switch (text_style_) {
    case TTextStyle::tsRaised:
        if (!light_text_style_) out(shadow_color_, 1, 1);
        out(highlight_color_, -1, -1);
        break;
    case TTextStyle::tsRecessed:
        out(highlight_color_, 1, 1);
        if (!light_text_style_) out(shadow_color_, -1, -1);
        break;
    case TTextStyle::tsShadow:
        out(shadow_color_, e, e);
        own = -e;
        break;
    default: break;
    }
    out(current_color_, own, own);
}

void TEcLabel::paint_arc(ui::Canvas& canvas) {
    const Size size{width(), height()};
    const Point c = arc_center(center_point_, size, layers_.width);
    const Size radii = arc_radii(center_point_, size, layers_.width);
    // A label too small for its arc leaves no radius to walk along.
    if (!arc_drawable(radii)) return;
    const std::wstring caption = plat::gbk_to_wide(text());
    const int h = canvas.text_height("Yy");
    const double step = (canvas.text_width("w") + 2) / static_cast<double>(radii.width);
    const HDC dc = canvas.handle();
    const UINT align = TA_BASELINE | TA_CENTER;
    double a = angle_ * kPi / 180.0;
    for (wchar_t ch : caption) {
        const int x = c.x - round_even(std::sin(a) * (radii.width - h));
        const int y = c.y - round_even(std::cos(a) * (radii.height - h));
        const ui::GdiObject<HFONT> font = create_escaped_font(this->font(), round_even(a * 1800 / kPi));
        const std::wstring one(1, ch);
        auto out = [&](TColor color, int dx, int dy) { turned_text_out(dc, font.get(), align, color, x + dx, y + dy, one); };
        if (!enabled()) {
            out(ui::clBtnHighlight, 1, 1);
            out(ui::clBtnShadow, 0, 0);
        } else {
            switch (text_style_) {
            case TTextStyle::tsRaised:
                if (!light_text_style_) out(shadow_color_, 1, 1);
                out(highlight_color_, -1, -1);
                break;
            case TTextStyle::tsRecessed:
                out(highlight_color_, 1, 1);
                if (!light_text_style_) out(shadow_color_, -1, -1);
                break;
            case TTextStyle::tsShadow: out(shadow_color_, shadow_depth_, shadow_depth_); break;
            default: break;
            }
            out(current_color_, 0, 0);
        }
        a -= step;
    }
}

} // namespace ec
