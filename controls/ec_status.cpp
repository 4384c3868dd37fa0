#include "controls/ec_status.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/ec_grafx.h"
#include "controls/ec_panel.h"
#include "controls/model/button_layout.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/themes.h"

namespace ec {

using ui::PropBuilder;
using ui::Rect;
using ui::TColor;

namespace {

constexpr int kStatusBackground = 0, kStatusPane = 1;  // status-bar theme parts

void line(ui::Canvas& c, int x1, int y1, int x2, int y2) {
    c.move_to(x1, y1);
    c.line_to(x2, y2);
}

UINT text_align_of(TextAnchor a) {
    return a == TextAnchor::Right ? TA_RIGHT : a == TextAnchor::Center ? TA_CENTER : TA_LEFT;
}

} // namespace

void paint_cut_corner_box(ui::Canvas& canvas, const Rect& r, TColor color) {
    if (r.width() <= 0 || r.height() <= 0) return;
    canvas.pen().color = color;
    line(canvas, r.left, r.top + 1, r.left, r.bottom - 1);
    line(canvas, r.left + 1, r.top, r.right - 1, r.top);
    line(canvas, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
    line(canvas, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
}

// ---------------------------------------------------------------------------------------------
// TEcCustomStatusPane

ui::ClassInfo& TEcCustomStatusPane::static_class() {
    static ui::ClassInfo info = [] {
        using P = TEcCustomStatusPane;
        ui::ClassInfo c("TEcCustomStatusPane", &ui::GraphicControl::static_class());
        PropBuilder<P>(c)
            .enumeration("Alignment", &P::alignment, &P::set_alignment, ui::TAlignment::taLeftJustify)
            .boolean("AutoHint", &P::auto_hint, &P::set_auto_hint)
            .boolean("Blinking", &P::blinking, &P::set_blinking)
            .color("BlinkColor", &P::blink_color, &P::set_blink_color, ui::clHighlight)
            .integer("BlinkIntervalOff", &P::blink_interval_off, &P::set_blink_interval_off, 500, "Word")
            .integer("BlinkIntervalOn", &P::blink_interval_on, &P::set_blink_interval_on, 500, "Word")
            .integer("BorderWidth", &P::border_width, &P::set_border_width, 1, "TBorderWidth")
            .string("Caption", [](const P& x) { return x.text(); }, [](P& x, const std::string& v) { x.set_text(v); },
                    "TCaption")
            .integer("CaptionOffset", &P::caption_offset, &P::set_caption_offset, 2)
            .color("Color", &P::color, &P::set_color, ui::clBtnFace)
            .stored([](const P& x) { return !x.parent_color(); })
            .boolean("ParentColor", &P::parent_color, &P::set_parent_color, true)
            .integer("DefaultWidth", &P::default_width, &P::set_default_width, 40)
            .color("FillColor", &P::fill_color, &P::set_fill_color, ui::clBtnFace)
            .stored([](const P& x) { return !x.parent_fill_color(); })
            .boolean("ParentFillColor", &P::parent_fill_color, &P::set_parent_fill_color, true)
            .color("FlatColor", &P::flat_color, &P::set_flat_color, ui::clBtnShadow)
            .integer("FlatColorAdjustment", &P::flat_color_adjustment, &P::set_flat_color_adjustment, 30)
            .enumeration("FrameStyle", &P::frame_style, &P::set_frame_style, TFrameStyle::fsFlat)
            .reference<FrameController>("FrameController", "TEcFrameController", &P::frame_controller,
                                        &P::set_frame_controller)
            .set("FrameControllerNotifications", "TEcFrameControllerNotifications", &P::frame_controller_notifications,
                 &P::set_frame_controller_notifications,
                 TEcFrameControllerNotifications::from_bits(kAllFrameNotifications))
            .boolean("Transparent", &P::transparent, &P::set_transparent, true);
        return c;
    }();
    return info;
}

TEcCustomStatusPane::TEcCustomStatusPane(ui::Component* owner) : GraphicControl(owner) {
    ui::TControlStyle s = control_style();
    s.exclude(ui::TControlStyleFlag::csOpaque);
    set_control_style(s);
    set_parent_color(true);
    set_bounds(0, 0, 100, 20);
    normal_color_ = caption_color_ = font().color();
    acquire_window_blink_list().register_control(this);
}

TEcCustomStatusPane::~TEcCustomStatusPane() {
    frame_.release(*this);
    if (BlinkingControlsList* list = blink_list()) list->unregister_control(this);
    release_blink_list_if_empty();
}

void TEcCustomStatusPane::set_blinking(bool v) {
    if (v == blinking_) return;
    blinking_ = v;
    if (blinking_) return;
    caption_color_ = normal_color_;
    repaint();
}

int TEcCustomStatusPane::blink_interval_on() const {
    return blink_list() ? static_cast<int>(blink_list()->on_interval()) : 500;
}
void TEcCustomStatusPane::set_blink_interval_on(int ms) { acquire_window_blink_list().set_on_interval(ms); }
int TEcCustomStatusPane::blink_interval_off() const {
    return blink_list() ? static_cast<int>(blink_list()->off_interval()) : 500;
}
void TEcCustomStatusPane::set_blink_interval_off(int ms) { acquire_window_blink_list().set_off_interval(ms); }

void TEcCustomStatusPane::set_default_width(int v) {
    default_width_ = v;
    adjust_size();
}

void TEcCustomStatusPane::set_fill_color(TColor v) {
    fill_color_ = v;
    parent_fill_color_ = false;
    invalidate();
}

void TEcCustomStatusPane::set_parent_fill_color(bool v) {
    parent_fill_color_ = v;
    if (!loading()) perform(ui::CM_PARENTCOLORCHANGED);
    follow_color();
}

void TEcCustomStatusPane::follow_color() {
    if (parent_fill_color_) fill_color_ = color();
    invalidate();
}

void TEcCustomStatusPane::set_transparent(bool v) {
    transparent_ = v;
    ui::TControlStyle s = control_style();
    if (v) s.exclude(ui::TControlStyleFlag::csOpaque);
    else s.include(ui::TControlStyleFlag::csOpaque);
    set_control_style(s);
    invalidate();
}

void TEcCustomStatusPane::refresh_frame_from_controller() {
    FrameController* fc = frame_.controller();
    if (!fc || !fc->frame_visible()) return;
    using P = TEcFrameControllerProperty;
    const TEcFrameControllerNotifications n = frame_.notifications();
    if (n.has(P::fcpFrameStyle)) frame_style_ = fc->frame_style();
    if (n.has(P::fcpFrameColor)) {
        flat_color_ = fc->frame_color();
        flat_color_adjustment_ = 0;
    }
    if (n.has(P::fcpColor)) set_fill_color(fc->color());
    if (n.has(P::fcpParentColor)) set_parent_color(fc->parent_color());
    invalidate();
}

PaneMetrics TEcCustomStatusPane::metrics() const {
    return {border_width_, caption_offset_, default_width_, frame_style_, use_right_to_left_reading()};
}

TEcStatusBar* TEcCustomStatusPane::status_bar() const { return dynamic_cast<TEcStatusBar*>(parent()); }

bool TEcCustomStatusPane::themed() const {
    const TEcStatusBar* bar = status_bar();
    return bar && bar->visual_style() == TEcVisualStyle::vsWinXP && themes_active();
}

// ---------------------------------------------------------------------------------------------
// Messages and notifications

bool TEcCustomStatusPane::hands_hit_to_grip(int x, int y) const {
    TEcStatusBar* bar = status_bar();
    if (!bar || !bar->show_size_grip() || !bar->handle_allocated()) return false;
    const int client_right = bar->ui::WinControl::client_rect().right;
    const POINT edge = bar->client_to_screen(POINT{client_right, 0});
    const POINT pane_right = bar->client_to_screen(POINT{left() + width(), 0});
    const POINT at = bar->client_to_screen(POINT{left() + x, top() + y});
    return in_grip_pass_through(pane_right.x, edge.x, at.x);
}

void TEcCustomStatusPane::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case CM_QUERYBLINK: m.result = blinking_ ? 1 : 0; return;
    case CM_BLINKSTEP:
        if (blinking_) {
            caption_color_ = (m.wparam & 0xFF) != 0 ? blink_color_ : normal_color_;
            repaint();
        }
        return;
    case ui::CM_HITTEST: {
        GraphicControl::wnd_proc(m);
        const int x = GET_X_LPARAM(m.lparam), y = GET_Y_LPARAM(m.lparam);
        if (hands_hit_to_grip(x, y)) {
            TEcStatusBar* bar = status_bar();
            const POINT at = bar->client_to_screen(POINT{left() + x, top() + y});
            m.result = bar->perform(WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        }
        return;
    }
    case ui::CM_PARENTCOLORCHANGED:
        GraphicControl::wnd_proc(m);
        follow_color();
        return;
    default: break;
    }
    GraphicControl::wnd_proc(m);
}

void TEcCustomStatusPane::color_changed() {
    GraphicControl::color_changed();
    follow_color();
}

void TEcCustomStatusPane::font_changed() {
    if (!loading()) {
        normal_color_ = font().color();
        if (!blinking_) caption_color_ = normal_color_;
    }
    GraphicControl::font_changed();
}

void TEcCustomStatusPane::loaded() {
    GraphicControl::loaded();
    if (!parent_color()) set_transparent(false);
    normal_color_ = caption_color_ = font().color();
    adjust_size();
}

void TEcCustomStatusPane::notification(ui::Component* component, ui::TOperation operation) {
    GraphicControl::notification(component, operation);
    if (operation == ui::TOperation::opRemove) frame_.forget(component);
}

bool TEcCustomStatusPane::can_auto_size(int& width, int& /*height*/) {
    if (loading()) return false;
    const std::string caption = text();
    int caption_width = 0;
    if (!caption.empty()) {
        const ui::ClientDC screen(nullptr);
        ui::CanvasScope scope = canvas_on(screen.get());
        Rect measured{0, 0, 0, 0};
        scope.canvas().draw_text(caption, measured, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
        caption_width = measured.width();
    }
    width = status_pane_auto_width(!caption.empty(), caption_width, metrics(), glyph());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TEcCustomStatusPane::draw_frame(ui::Canvas& canvas, Rect r) {
    if (!transparent_) {
        canvas.brush().style = ui::TBrushStyle::bsSolid;
        canvas.brush().color = color();
        canvas.fill_rect(r);
    }
    r = {r.left + border_width_, r.top + border_width_, r.right - border_width_, r.bottom - border_width_};
    const TEcStatusBar* bar = status_bar();
    if (bar && bar->visual_style() == TEcVisualStyle::vsGradient) {
        // Panes on a gradient bar are parted by a line; the first one needs none.
        if (left() <= bar->border_width()) return;
        canvas.pen().color =
            panel_gradient_colors(bar->gradient_color_style(), themes_active(), display_traits()).frame;
        line(canvas, r.left, r.top + 1, r.left, r.bottom - 1);
        return;
    }
    if (frame_style_ == TFrameStyle::fsFlat)
        paint_cut_corner_box(canvas, r, shift_color_lightness(flat_color_, flat_color_adjustment_));
    else
        paint_frame_style(canvas, r, to_frame_style_ex(frame_style_));
}

void TEcCustomStatusPane::draw_caption(ui::Canvas& canvas) {
    const std::string caption = text();
    const Rect r = caption_rect();
    canvas.font().assign(font());
    canvas.font().set_color(enabled() ? caption_color_ : ui::clGrayText);
    const CaptionAnchor a = status_caption_anchor(r, static_cast<TextAnchor>(static_cast<int>(alignment_)),
                                                  use_right_to_left_reading(), caption_offset_,
                                                  canvas.text_height("Pp"));
    const HDC dc = canvas.handle();
    if (themed()) {
        // The bar's own background under the caption, then the text over it.
        const TEcStatusBar* bar = status_bar();
        ui::SavedDC saved(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        ui::theme_services().draw_element(dc, L"STATUS", kStatusBackground, 0,
                                          {-left(), -top(), bar->width() - left(), bar->height() - top()});
        canvas.brush().style = ui::TBrushStyle::bsClear;
    } else if (transparent_) {
        canvas.brush().style = ui::TBrushStyle::bsClear;
    } else {
        canvas.brush().style = ui::TBrushStyle::bsSolid;
        canvas.brush().color = fill_color_;
        canvas.fill_rect(r);
        canvas.brush().style = ui::TBrushStyle::bsClear;
    }
    if (!caption.empty()) {
        const UINT old_align = SetTextAlign(dc, text_align_of(a.anchor) | TA_TOP);
        canvas.text_rect(r, a.x, a.y, caption);
        SetTextAlign(dc, old_align);
    }
    canvas.brush().style = ui::TBrushStyle::bsSolid;
}

void TEcCustomStatusPane::paint(ui::Canvas& canvas) {
    const Rect all{0, 0, width(), height()};
    if (themed()) ui::theme_services().draw_element(canvas.handle(), L"STATUS", kStatusPane, 0, all);
    else draw_frame(canvas, all);
    draw_caption(canvas);
    draw_glyph(canvas);
}

// ---------------------------------------------------------------------------------------------
// TEcCustomGlyphStatus

ui::ClassInfo& TEcCustomGlyphStatus::static_class() {
    static ui::ClassInfo info = [] {
        using P = TEcCustomGlyphStatus;
        ui::ClassInfo c("TEcCustomGlyphStatus", &TEcCustomStatusPane::static_class());
        PropBuilder<P>(c)
            .object("Glyph", ui::PropKind::Object, "TBitmap", [](P& x) -> ui::Persistent* { return &x.glyph_; })
            .stored([](const P& x) { return !x.glyph_.empty(); })
            .integer("NumGlyphs", &P::num_glyphs, &P::set_num_glyphs, 1, "TNumGlyphs")
            .enumeration("GlyphAlignment", &P::glyph_alignment, &P::set_glyph_alignment, TGlyphAlignment::gaLeft)
            .integer("GlyphOffset", &P::glyph_offset, &P::set_glyph_offset, 2)
            .boolean("ShowGlyph", &P::show_glyph, &P::set_show_glyph, true)
            .reference<ui::ImageList>("Images", "TCustomImageList", &P::images, &P::set_images)
            .integer("ImageIndex", &P::image_index, &P::set_image_index, -1, "TImageIndex")
            .integer("DisabledIndex", &P::disabled_index, &P::set_disabled_index, -1, "TImageIndex");
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcGlyphStatus::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcGlyphStatus", &TEcCustomGlyphStatus::static_class());
        c.factory = ui::factory_of<TEcGlyphStatus>();
        return c;
    }();
    return info;
}

TEcCustomGlyphStatus::TEcCustomGlyphStatus(ui::Component* owner) : TEcCustomStatusPane(owner) {
    glyph_.on_change = [this](ui::Bitmap& g) {
        num_glyphs_ = detect_num_glyphs(g.width(), g.height(), num_glyphs_);
        invalidate();
        adjust_size();
    };
}

TEcCustomGlyphStatus::~TEcCustomGlyphStatus() { set_images(nullptr); }

void TEcCustomGlyphStatus::set_num_glyphs(int v) { store(num_glyphs_, clamp_num_glyphs(v)); }

void TEcCustomGlyphStatus::set_images(ui::ImageList* list) {
    if (images_.set(list)) invalidate();
}

void TEcCustomGlyphStatus::notification(ui::Component* component, ui::TOperation operation) {
    TEcCustomStatusPane::notification(component, operation);
    if (operation == ui::TOperation::opRemove && images_.forget(component)) invalidate();
}

PaneGlyph TEcCustomGlyphStatus::glyph() const {
    PaneGlyph g;
    g.glyph_pane = true;
    g.show = show_glyph_;
    g.offset = glyph_offset_;
    g.alignment = glyph_alignment_;
    if (uses_image()) {
        g.width = images_->width();
        g.height = images_->height();
    } else if (!glyph_.empty()) {
        g.width = glyph_.width() / std::max(1, num_glyphs_);
        g.height = glyph_.height();
    }
    return g;
}

void TEcCustomGlyphStatus::draw_glyph(ui::Canvas& canvas) {
    if (!show_glyph_) return;
    const Rect r = status_glyph_rect(width(), height(), metrics(), glyph());
    const Rect caption = caption_rect();
    if (!themed() && !transparent()) {
        const int inset = status_frame_inset(frame_style(), border_width());
        if (caption.left > inset) {
            canvas.brush().style = ui::TBrushStyle::bsSolid;
            canvas.brush().color = fill_color();
            canvas.fill_rect({inset, inset, caption.left, height() - inset});
        }
    }
    if (uses_image()) {
        if (disabled_index_ == -1) {
            images_->draw(canvas, r.left, r.top, image_index_, enabled());
            return;
        }
        const int index = enabled() ? image_index_ : disabled_index_;
        if (index != -1) images_->draw(canvas, r.left, r.top, index, true);
        return;
    }
    if (glyph_.empty() || r.width() <= 0 || r.height() <= 0) return;
    const int cell = num_glyphs_ >= 2 && !enabled() ? 1 : 0;
    const int w = r.width();
    draw_transparent_stretched(canvas, glyph_, r, {cell * w, 0, cell * w + w, r.height()},
                               glyph_.effective_transparent_color());
}

} // namespace ec
