#include "controls/ec_border.h"

namespace ec {

using ui::PropBuilder;
using ui::TColor;

namespace {

void publish_border(PropBuilder<TEcBorder>& b) {
    b.integer("BevelWidth", &TEcBorder::bevel_width, &TEcBorder::set_bevel_width, 1, "TBevelWidth")
        .integer("BorderWidth", &TEcBorder::border_width, &TEcBorder::set_border_width, 0, "TBorderWidth")
        .color("BorderColor", &TEcBorder::border_color, &TEcBorder::set_border_color, ui::clBtnFace)
        .color("BorderHighlight", &TEcBorder::border_highlight, &TEcBorder::set_border_highlight, ui::clBtnHighlight)
        .color("BorderShadow", &TEcBorder::border_shadow, &TEcBorder::set_border_shadow, ui::clBtnShadow)
        .enumeration("BorderInner", &TEcBorder::border_inner, &TEcBorder::set_border_inner, TFrameStyleEx::fsNone)
        .enumeration("BorderOuter", &TEcBorder::border_outer, &TEcBorder::set_border_outer,
                     TFrameStyleEx::fsGroove)
        .set("BorderSides", "TSides", &TEcBorder::border_sides, &TEcBorder::set_border_sides, kAllSides)
        .color("FlatColor", &TEcBorder::flat_color, &TEcBorder::set_flat_color, ui::clBtnShadow)
        .integer("FlatColorAdjustment", &TEcBorder::flat_color_adjustment, &TEcBorder::set_flat_color_adjustment, 30)
        .reference<FrameController>("FrameController", "TEcFrameController", &TEcBorder::frame_controller,
                                    &TEcBorder::set_frame_controller)
        .set("FrameControllerNotifications", "TEcFrameControllerNotifications",
             &TEcBorder::frame_controller_notifications, &TEcBorder::set_frame_controller_notifications,
             TEcFrameControllerNotifications::from_bits(kAllFrameNotifications));
}

TColor parent_colour_of(const ui::Control& control) {
    return control.parent() ? control.parent()->color() : control.color();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Border

ui::ClassInfo& TEcBorder::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcBorder", &GraphicControl::static_class());
        c.factory = ui::factory_of<TEcBorder>();
        PropBuilder<TEcBorder> b(c);
        publish_border(b);
        return c;
    }();
    return info;
}

TEcBorder::TEcBorder(ui::Component* owner) : GraphicControl(owner) {
    layers_.outer = TFrameStyleEx::fsGroove;
    set_bounds(0, 0, 50, 50);
}

TEcBorder::~TEcBorder() { frame_.release(*this); }

void TEcBorder::set_flat_color_adjustment(int v) {
    if (v == flat_color_adjustment_) return;
    flat_color_adjustment_ = v;
    invalidate();
}

void TEcBorder::change_color(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    invalidate();
}

ui::Rect TEcBorder::border_client_rect() const { return ec::border_client_rect({0, 0, width(), height()}, layers_); }

void TEcBorder::refresh_frame_from_controller() {
    if (!take_frame_controller_push(*this, frame_, layers_,
                                    {highlight_, shadow_, flat_color_, flat_color_adjustment_}))
        return;
    // The layers may have changed size: a display places its dots anew.
    layers_changed();
}

void TEcBorder::paint(ui::Canvas& canvas) {
    LayeredBorders b;
    b.outer = layers_.outer;
    b.inner = layers_.inner;
    b.width = layers_.width;
    b.sides = layers_.sides;
    b.bevel_width = layers_.bevel_width;
    b.border_color = border_color_;
    b.highlight = highlight_;
    b.shadow = shadow_;
    b.flat_color = flat_color_;
    b.flat_color_adjustment = flat_color_adjustment_;
    b.color = interior_color();
    b.parent_color = parent_colour_of(*this);
    b.transparent = !control_style().has(ui::TControlStyleFlag::csOpaque);
    paint_layered_borders(canvas, {0, 0, width(), height()}, b);
}

void TEcBorder::notification(ui::Component* component, ui::TOperation operation) {
    GraphicControl::notification(component, operation);
    if (operation == ui::TOperation::opRemove) frame_.forget(component);
}

// ---------------------------------------------------------------------------------------------
// LED display

ui::ClassInfo& TEcLEDDisplay::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcLEDDisplay", &TEcBorder::static_class());
        c.factory = ui::factory_of<TEcLEDDisplay>();
        PropBuilder<TEcBorder>(c).enumeration("BorderOuter", &TEcBorder::border_outer, &TEcBorder::set_border_outer,
                                              TFrameStyleEx::fsStatus);
        PropBuilder<TEcLEDDisplay>(c)
            .enumeration("Alignment", &TEcLEDDisplay::alignment, &TEcLEDDisplay::set_alignment,
                         ui::TAlignment::taLeftJustify)
            .string("Caption", &TEcLEDDisplay::led_caption, &TEcLEDDisplay::set_led_caption, "TCaption")
            .color("BackColor", &TEcLEDDisplay::back_color, &TEcLEDDisplay::set_back_color, ui::clBlack)
            .color("SegOnColor", &TEcLEDDisplay::seg_on_color, &TEcLEDDisplay::set_seg_on_color, 0x0000FF00)
            .color("SegOffColor", &TEcLEDDisplay::seg_off_color, &TEcLEDDisplay::set_seg_off_color, 0x00003300)
            .enumeration("ScrollType", &TEcLEDDisplay::scroll_type, &TEcLEDDisplay::set_scroll_type,
                         TEcScrollType::stRightToLeft)
            .boolean("Scrolling", &TEcLEDDisplay::scrolling, &TEcLEDDisplay::set_scrolling, false)
            .integer("ScrollDelay", &TEcLEDDisplay::scroll_delay, &TEcLEDDisplay::set_scroll_delay, 100, "Word")
            .event("OnScrollComplete", "TNotifyEvent", &TEcLEDDisplay::on_scroll_complete)
            .obsolete("SegSpacing", ui::ObsoleteValue::Integer)
            .obsolete("DisplayCells", ui::ObsoleteValue::Integer);
        return c;
    }();
    return info;
}

TEcLEDDisplay::TEcLEDDisplay(ui::Component* owner) : TEcBorder(owner), timer_(std::make_unique<ui::Timer>(nullptr)) {
    timer_->set_enabled(false);
    timer_->set_interval(scroll_delay_);
    timer_->on_timer = [this](ui::Component*) { scroll_tick(); };
    auto style = control_style();
    style.include(ui::TControlStyleFlag::csOpaque);
    set_control_style(style);
    set_border_outer(TFrameStyleEx::fsStatus);
    set_bounds(left(), top(), 100, 30);
    recompute_dots();
}

TEcLEDDisplay::~TEcLEDDisplay() { timer_->on_timer = nullptr; }

void TEcLEDDisplay::set_alignment(ui::TAlignment v) {
    if (v == alignment_) return;
    alignment_ = v;
    invalidate();
}

void TEcLEDDisplay::set_led_caption(const std::string& v) {
    if (v == caption_) return;
    caption_ = v;
    steps_ = led_steps(dots_, static_cast<int>(caption_.size()), width());
    repaint();
}

void TEcLEDDisplay::set_colour(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    invalidate();
}
void TEcLEDDisplay::set_back_color(TColor v) { set_colour(back_color_, v); }
void TEcLEDDisplay::set_seg_on_color(TColor v) { set_colour(seg_on_color_, v); }
void TEcLEDDisplay::set_seg_off_color(TColor v) { set_colour(seg_off_color_, v); }

void TEcLEDDisplay::set_scroll_type(TEcScrollType v) {
    if (v == scroll_type_) return;
    scroll_type_ = v;
    update_timer();
    invalidate();
}

void TEcLEDDisplay::set_scrolling(bool v) {
    if (v == scrolling_) return;
    scrolling_ = v;
    if (!scrolling_) current_step_ = 0;
    update_timer();
    invalidate();
}

void TEcLEDDisplay::set_scroll_delay(int v) {
    scroll_delay_ = static_cast<unsigned>(std::max(v, 1));
    timer_->set_interval(scroll_delay_);
}

void TEcLEDDisplay::update_timer() {
    timer_->set_enabled(scrolling_ && scroll_type_ != TEcScrollType::stNone && !loading());
}

void TEcLEDDisplay::scroll_tick() {
    if (!timer_->enabled()) return;
    const bool pass_done = led_advance(current_step_, dots_, steps_);
    repaint();
    if (pass_done && on_scroll_complete) on_scroll_complete(this);
}

void TEcLEDDisplay::recompute_dots() {
    dots_ = led_dots_for_height(border_client_rect().height());
    steps_ = led_steps(dots_, static_cast<int>(caption_.size()), width());
}

void TEcLEDDisplay::layers_changed() {
    recompute_dots();
    invalidate();
}

void TEcLEDDisplay::changed_bounds(bool size_changed) {
    TEcBorder::changed_bounds(size_changed);
    if (size_changed) recompute_dots();
}

void TEcLEDDisplay::loaded() {
    TEcBorder::loaded();
    recompute_dots();
    update_timer();
}

void TEcLEDDisplay::draw_led_cell(ui::Canvas& canvas, int x, int y, unsigned char code) const {
    const LedGlyph glyph = led_glyph(code);
    const int pitch = dots_.pitch();
    canvas.pen().color = back_color_;
    for (int r = 0; r < kLedRows; ++r) {
        for (int c = 0; c < kLedColumns; ++c) {
            const bool lit = c < 5 && ((glyph[c] >> (7 - r)) & 1);
            canvas.brush().color = lit ? seg_on_color_ : seg_off_color_;
            const int left = x + c * pitch, top = y + r * pitch;
            canvas.rectangle(left, top, left + dots_.size + 1, top + dots_.size + 1);
        }
    }
}

void TEcLEDDisplay::paint(ui::Canvas& canvas) {
    TEcBorder::paint(canvas);
    const ui::Rect client = border_client_rect();
    const int w = client.width(), h = client.height();
    if (w <= 0 || h <= 7) return;

    // The whole picture goes to the screen in one copy, so a scrolling text does not flicker.
    ui::Bitmap picture(w, h);
    ui::Canvas& off = picture.canvas();
    off.brush().color = back_color_;
    off.fill_rect({0, 0, w, h});

    LedLayoutInput in;
    in.dots = dots_;
    in.client_width = w;
    in.caption_length = static_cast<int>(caption_.size());
    in.align = alignment_ == ui::TAlignment::taRightJustify ? LedAlign::Right
               : alignment_ == ui::TAlignment::taCenter     ? LedAlign::Center
                                                            : LedAlign::Left;
    in.scrolling = scrolling_;
    in.scroll_type = scroll_type_;
    in.current_step = current_step_;
    const int y = (h - dots_.cell_height()) / 2;
    for (int x : led_blank_cells(in)) draw_led_cell(off, x, y, ' ');
    const auto xs = led_text_cells(in);
    for (std::size_t i = 0; i < xs.size(); ++i) draw_led_cell(off, xs[i], y, static_cast<unsigned char>(caption_[i]));

    canvas.copy_rect(client, off, {0, 0, w, h});
}

} // namespace ec
