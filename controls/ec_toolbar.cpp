#include <algorithm>
#include <memory>

#include "controls/ec_button.h"
#include "controls/ec_grafx.h"
#include "controls/ec_panel.h"
#include "controls/ec_popups.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

using ui::Rect;

const char* const kDefaultCaptions[] = {"Customize Toolbar", "Uncheck to hide control", "Close", "Move Up", "Move Down",
                                        "Text Options",      "No text labels",          "Show text labels",
                                        "Selective text on right"};
const char* const kCaptionNames[] = {"Title",        "Hint",         "Close",          "MoveUp",
                                     "MoveDown",     "TextOptions",  "NoTextLabels",   "ShowTextLabels",
                                     "SelectiveTextOnRight"};

} // namespace

// A copy of a tool button in the overflow popup: clicking it chooses its source.
class TEcPopupToolButton : public TEcToolButton {
public:
    TEcPopupToolButton(ui::Component* owner, TEcToolbarPopupButton& overflow, TEcToolButton& source)
        : TEcToolButton(owner), overflow_(overflow), source_(source) {
        assign(source);
        on_click = source.on_click;
    }
    void click() override {
        overflow_.chosen_ = &source_;
        if (auto* bar = toolbar(); bar && bar->on_click) bar->on_click(bar);
    }

private:
    TEcToolbarPopupButton& overflow_;
    TEcToolButton& source_;
};

// ---------------------------------------------------------------------------------------------
// TEcToolbarControlList

int TEcToolbarControlList::index_of(const ui::Control* control) const {
    for (int i = 0; i < count(); ++i)
        if (entries_[static_cast<std::size_t>(i)].control == control) return i;
    return -1;
}

int TEcToolbarControlList::index_of_name(const std::string& name) const {
    for (int i = 0; i < count(); ++i)
        if (ui::same_text(entries_[static_cast<std::size_t>(i)].name, name)) return i;
    return -1;
}

int TEcToolbarControlList::add(ui::Control* control) {
    const int i = index_of(control);
    if (i >= 0) return i;
    entries_.push_back({control, control->name()});
    return count() - 1;
}

int TEcToolbarControlList::add_name(const std::string& name) {
    const int i = index_of_name(name);
    if (i >= 0) return i;
    entries_.push_back({nullptr, name});
    return count() - 1;
}

int TEcToolbarControlList::remove(ui::Control* control) {
    const int i = index_of(control);
    if (i >= 0) entries_.erase(entries_.begin() + i);
    return i;
}

int TEcToolbarControlList::remove_name(const std::string& name) {
    const int i = index_of_name(name);
    if (i >= 0) entries_.erase(entries_.begin() + i);
    return i;
}

// ---------------------------------------------------------------------------------------------
// TEcCustomizeCaptions

ui::ClassInfo& TEcCustomizeCaptions::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomizeCaptions", &ui::Persistent::static_class());
        ui::PropBuilder<TEcCustomizeCaptions> b(c);
        for (int i = 1; i <= 9; ++i) {
            b.string(kCaptionNames[i - 1], [i](const TEcCustomizeCaptions& x) { return x.caption(i); },
                     [i](TEcCustomizeCaptions& x, const std::string& v) { x.set_caption(i, v); })
                .stored([](const TEcCustomizeCaptions& x) { return x.modified(); });
        }
        return c;
    }();
    return info;
}

TEcCustomizeCaptions::TEcCustomizeCaptions() : captions_(std::begin(kDefaultCaptions), std::end(kDefaultCaptions)) {}

void TEcCustomizeCaptions::set_caption(int index, const std::string& text) {
    std::string& c = captions_.at(static_cast<std::size_t>(index - 1));
    if (c == text) return;
    c = text;
    modified_ = true;
}

void TEcCustomizeCaptions::assign(const ui::Persistent& source) {
    const auto* s = dynamic_cast<const TEcCustomizeCaptions*>(&source);
    if (!s) {
        Persistent::assign(source);
        return;
    }
    captions_ = s->captions_;
    modified_ = s->modified_;
}

// ---------------------------------------------------------------------------------------------
// TEcToolbarPopupButton

ui::ClassInfo& TEcToolbarPopupButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcToolbarPopupButton", &ui::CustomControl::static_class());
        ui::PropBuilder<TEcToolbarPopupButton> b(c);
        b.color("FrameColor", &TEcToolbarPopupButton::frame_color, &TEcToolbarPopupButton::set_frame_color,
                ui::clBtnShadow);
        return c;
    }();
    return info;
}

TEcToolbarPopupButton::TEcToolbarPopupButton(TEcToolbar* bar) : CustomControl(bar), bar_(bar) {
    set_visible(false);
    set_bounds(0, 0, kOverflowButtonWidth, 25);
}

TEcToolbarPopupButton::~TEcToolbarPopupButton() = default;

void TEcToolbarPopupButton::set_frame_color(TColor v) {
    if (v == frame_color_) return;
    frame_color_ = v;
    invalidate();
}

void TEcToolbarPopupButton::paint(ui::Canvas& canvas) {
    const Rect r = client_rect();
    const bool themed = themes_active();
    HDC dc = canvas.handle();
    if (bar_->visual_style() == TEcVisualStyle::vsWinXP && themed) {
        ui::theme_services().draw_element(dc, L"REBAR", 0, 0, r);
        ui::theme_services().draw_element(dc, L"REBAR", 4, down_ ? 3 : 1, r);  // the chevron
        return;
    }
    const Rect inner = paint_box_outline(canvas, r, frame_color_);
    if (bar_->visual_style() == TEcVisualStyle::vsGradient) {
        GradientPair pair{bar_->gradient_color_start(), bar_->gradient_color_stop()};
        if (bar_->gradient_color_style() != TEcGradientColorStyle::gcsCustom)
            pair = bar_gradient_colors(bar_->gradient_color_style(), themed, display_traits());
        if (down_) std::swap(pair.start, pair.stop);
        paint_gradient_fill(canvas, inner, bar_->gradient_direction(), pair.start, pair.stop, 1);
    } else {
        canvas.brush().color = down_ ? darken_color(bar_->color(), 20) : bar_->color();
        canvas.fill_rect(inner);
    }
    const int x = r.left + (r.right - r.left) / 2;
    const int y = r.bottom - 4 + (down_ ? 1 : 0);
    const TColor saved = canvas.brush().color;
    if (themed) {
        TColor arrow = ui::cl3DDkShadow;
        ui::Bitmap probe(17, 21);
        if (ui::theme_services().draw_element(probe.dc(), L"COMBOBOX", 1, 1, Rect{0, 0, 16, 20})) {
            GdiFlush();
            const auto c = static_cast<TColor>(probe.pixel(8, 10));
            if (!colors_nearly_equal(c, ui::clWindow)) arrow = c;
        }
        canvas.brush().color = arrow;
        canvas.fill_rect({x - 3, y - 6, x + 4, y - 5});
        canvas.pen().style = ui::TPenStyle::psClear;
        canvas.polygon({{x, y}, {x - 3, y - 4}, {x, y - 4}, {x, y - 3}, {x + 1, y - 4}, {x + 4, y - 4}});
        canvas.pen().style = ui::TPenStyle::psSolid;
    } else {
        canvas.brush().color = ui::clBlack;
        canvas.fill_rect({x - 3, y - 5, x + 4, y - 4});
        canvas.set_pixel(x, y, ui::clBlack);
        for (int row = 1; row <= 3; ++row)
            for (int dx = -row; dx <= row; ++dx) canvas.set_pixel(x + dx, y - row, ui::clBlack);
    }
    canvas.brush().color = saved;
}

void TEcToolbarPopupButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_down(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft) return;
    pressed_ = down_ = true;
    repaint();
    SetCapture(handle());
}

void TEcToolbarPopupButton::mouse_move(ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_move(shift, x, y);
    if (!pressed_) return;
    const bool in = x >= 0 && y >= 0 && x < width() && y < height();
    if (in == down_) return;
    down_ = in;
    repaint();
}

void TEcToolbarPopupButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_up(button, shift, x, y);
    if (GetCapture() == handle()) ReleaseCapture();
    pressed_ = false;
    if (down_) {
        down_ = false;
        repaint();
        show_overflow_popup();
    }
    repaint();
}

void TEcToolbarPopupButton::show_overflow_popup() {
    ui::Form* form = parent_form();
    if (!form) return;
    std::unique_ptr<TEcPopupPanel> panel(new TEcPopupPanel(this));
    auto* bar = new TEcToolbar(panel.get());
    bar->set_border_outer(TFrameStyleEx::fsFlat);
    bar->set_border_sides(kAllSides);
    bar->set_toolbar_align(ui::TAlign::alNone);
    bar->set_bidi_mode(bar_->bidi_mode());
    bar->background().assign(bar_->background());
    bar->button_height_ = bar_->button_height_;
    bar->button_layout_ = bar_->button_layout_;
    bar->button_width_ = bar_->button_width_;
    bar->set_gradient_color_start(bar_->gradient_color_start());
    bar->set_gradient_color_stop(bar_->gradient_color_stop());
    bar->set_gradient_color_style(bar_->gradient_color_style());
    bar->set_gradient_direction(bar_->gradient_direction());
    bar->set_images(bar_->images());
    bar->row_height_ = bar_->row_height_;
    bar->show_button_captions_ = bar_->show_button_captions_;
    bar->set_show_hint(bar_->show_hint());
    bar->text_options_ = bar_->text_options_;
    bar->set_visual_style(bar_->visual_style());
    bar->set_color(bar_->visual_style() == TEcVisualStyle::vsGradient ? ui::clWindow : bar_->color());
    bar->set_bounds(3, 3, 3 * bar_->button_width_ + 8, bar->height());
    bar->set_parent(panel.get());

    const int line = bar_->width() - bar_->margin();
    for (const TEcToolbarControlList::Entry& e : bar_->control_list().entries()) {
        auto* source = dynamic_cast<TEcToolButton*>(e.control);
        if (!source || !source->visible() || source->left() + source->width() <= line) continue;
        auto* copy = new TEcPopupToolButton(bar, *this, *source);
        copy->set_parent(bar);
        bar->control_list().add(copy);
    }
    bar->arrange_controls();
    panel->set_parent(form);
    panel->font().set_name(font().name());
    panel->font().set_color(font().color());
    panel->set_bounds(0, 0, bar->width() + 6, bar->height() + 6);
    TEcPopupPanel* p = panel.get();
    bar->on_click = [p](ui::Component*) { p->close_popup(); };

    chosen_ = nullptr;
    popup_panel_ = p;
    popup_bar_ = bar;
    struct Forget {
        TEcToolbarPopupButton& b;
        ~Forget() { b.popup_panel_ = nullptr, b.popup_bar_ = nullptr; }
    } forget{*this};
    if (on_popup) on_popup(this);
    p->popup(this);
    ui::Control* chosen = chosen_;
    chosen_ = nullptr;
    panel.reset();
    if (chosen) chosen->click();
}

// ---------------------------------------------------------------------------------------------
// TEcToolbar

ui::ClassInfo& TEcToolbar::static_class() {
    static ui::ClassInfo info = [] {
        using T = TEcToolbar;
        ui::ClassInfo c("TEcToolbar", &TEcCustomPanel::static_class());
        c.factory = ui::factory_of<TEcToolbar>();
        ui::PropBuilder<T> b(c);
        b.enumeration("Align", &T::toolbar_align, &T::set_toolbar_align, ui::TAlign::alTop)
            .boolean("AutoResize", &T::auto_resize, &T::set_auto_resize, true)
            .boolean("AutoStyle", &T::auto_style, &T::set_auto_style, true)
            .object("Background", ui::PropKind::Object, "TBitmap", [](T& x) -> ui::Persistent* { return &x.background_; })
            .enumeration("BorderInner", &T::border_inner, &T::set_border_inner, TFrameStyleEx::fsNone)
            .enumeration("BorderOuter", &T::border_outer, &T::set_border_outer, TFrameStyleEx::fsGroove)
            .set("BorderSides", "TSides", &T::border_sides, &T::set_border_sides, TSides{TSide::sdTop})
            .integer("BorderWidth", &T::border_width, &T::set_border_width, 0)
            .boolean("FullRepaint", &T::full_repaint, &T::set_full_repaint, false)
            .integer("ButtonHeight", &T::button_height, &T::set_button_height, 25)
            .integer("ButtonWidth", &T::button_width, &T::set_button_width, 25)
            .enumeration("ButtonLayout", &T::button_layout, &T::set_button_layout, TButtonLayout::blGlyphLeft)
            .object("CustomizeCaptions", ui::PropKind::Object, "TEcCustomizeCaptions",
                    [](T& x) -> ui::Persistent* { return &x.captions_; })
            .enumeration("GradientColorStyle", &T::gradient_color_style, &T::set_gradient_color_style,
                         TEcGradientColorStyle::gcsSystem)
            .integer("Height", &T::height, &T::set_height, 32)
            .reference<ui::ImageList>("Images", "TCustomImageList", &T::images, &T::set_images)
            .integer("Margin", &T::margin, &T::set_margin, 4)
            .enumeration("Orientation", &T::orientation, &T::set_orientation, TOrientation::orHorizontal)
            .reference<RegIniFile>("RegIniFile", "TEcRegIniFile", &T::reg_ini_file, &T::set_reg_ini_file)
            .integer("RowHeight", &T::row_height, &T::set_row_height, 25)
            .boolean("ShowButtonCaptions", &T::show_button_captions, &T::set_show_button_captions)
            .boolean("ShowDivider", &T::show_divider, &T::set_show_divider, true)
            .boolean("ShowDockClientCaptions", &T::show_dock_client_captions, &T::set_show_dock_client_captions)
            .enumeration("TextOptions", &T::text_options, &T::set_text_options,
                         TEcToolbarTextOptions::ttoNoTextLabels)
            .integer("TopMargin", &T::top_margin, &T::set_top_margin, 2)
            .enumeration("VisualStyle", &T::visual_style, &T::set_visual_style, TEcVisualStyle::vsWinXP)
            .integer("Width", &T::width, &T::set_width, 32)
            .boolean("WrapControls", &T::wrap_controls, &T::set_wrap_controls, true)
            .event("OnVisibleChanged", "TNotifyEvent", &T::on_visible_changed)
            .defined("ToolbarControls", &T::read_controls, &T::write_controls);
        return c;
    }();
    return info;
}

TEcToolbar::TEcToolbar(ui::Component* owner) : TEcCustomPanel(owner) {
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
    TEcCustomPanel::set_border_inner(TFrameStyleEx::fsNone);
    TEcCustomPanel::set_border_outer(TFrameStyleEx::fsGroove);
    TEcCustomPanel::set_border_sides(TSides{TSide::sdTop});
    set_border_width(0);
    set_full_repaint(false);
    set_show_dock_client_captions(false);
    set_bounds(0, 0, 32, 32);
    set_align(ui::TAlign::alTop);
    background_.on_change = [this](ui::Bitmap&) { invalidate(); };
}

TEcToolbar::~TEcToolbar() {
    destroying_ = true;
    set_images(nullptr);
}

void TEcToolbar::read_controls(const ui::DescValue& v) {
    names_read_ = true;
    loading_names_.clear();
    const auto take = [&](const ui::DescValue& item) {
        if (item.kind == ui::DescValue::Kind::Identifier || item.kind == ui::DescValue::Kind::String)
            add_unique_name(loading_names_, item.text);
    };
    if (v.kind == ui::DescValue::Kind::List) {
        for (const ui::DescValue& item : v.list) take(item);
    } else {
        for (const std::string& id : v.identifiers) add_unique_name(loading_names_, id);
        take(v);
    }
}

bool TEcToolbar::write_controls(ui::DescValue& v) const {
    if (list_.count() == 0) return false;
    v.kind = ui::DescValue::Kind::List;
    for (const TEcToolbarControlList::Entry& e : list_.entries()) {
        ui::DescValue item;
        item.kind = ui::DescValue::Kind::Identifier;
        item.text = e.control ? e.control->name() : e.name;
        v.list.push_back(item);
    }
    return true;
}

void TEcToolbar::loaded() {
    TEcCustomPanel::loaded();
    std::vector<ui::Control*> children = controls();
    children.erase(std::remove(children.begin(), children.end(), overflow_button_), children.end());
    ui::Component* root = owner() ? owner() : this;
    const std::vector<int> listed = resolve_toolbar_controls(
        names_read_, loading_names_,
        [&](const std::string& name) {
            NamedPlace place;
            auto* c = dynamic_cast<ui::Control*>(root->find_component(name));
            if (!c) return place;
            const auto it = std::find(children.begin(), children.end(), c);
            if (it == children.end()) {
                place.kind = NamedPlace::Elsewhere;
                return place;
            }
            place.kind = NamedPlace::OnBar;
            place.child = static_cast<int>(it - children.begin());
            return place;
        },
        static_cast<int>(children.size()));
    list_.clear();
    for (int i : listed) list_.add(children[static_cast<std::size_t>(i)]);
    loading_names_.clear();
    names_read_ = false;
    arrange_controls();
    if (auto_style_) apply_auto_style(align());
}

bool TEcToolbar::check_auto_resize_allowed(bool v) const {
    if (v && parent() && (parent()->class_name() == "TPageScroller" || parent()->class_name() == "TToolbar")) return false;
    return v;
}

void TEcToolbar::set_parent(ui::WinControl* parent) {
    TEcCustomPanel::set_parent(parent);
    auto_resize_ = check_auto_resize_allowed(auto_resize_);
}

void TEcToolbar::set_auto_resize(bool v) {
    v = check_auto_resize_allowed(v);
    if (v == auto_resize_) return;
    auto_resize_ = v;
    arrange_controls();
}

void TEcToolbar::changed_by_hand() {
    if (!applying_preset_) text_options_ = TEcToolbarTextOptions::ttoCustom;
}

void TEcToolbar::set_button_height(int v) {
    v = clamp_toolbar_size(v);
    if (v == button_height_) return;
    button_height_ = v;
    notify_controls(CM_TOOLBARBUTTONSIZECHANGED);
    changed_by_hand();
}

void TEcToolbar::set_button_width(int v) {
    v = clamp_toolbar_size(v);
    if (v == button_width_) return;
    button_width_ = v;
    notify_controls(CM_TOOLBARBUTTONSIZECHANGED);
    changed_by_hand();
}

void TEcToolbar::set_button_layout(TButtonLayout v) {
    if (v == button_layout_) return;
    button_layout_ = v;
    notify_controls(CM_TOOLBARBUTTONLAYOUTCHANGED);
    changed_by_hand();
}

void TEcToolbar::set_show_button_captions(bool v) {
    if (v == show_button_captions_) return;
    show_button_captions_ = v;
    notify_controls(CM_TOOLBARSHOWCAPTIONCHANGED);
    // Captions change the buttons' widths.
    notify_controls(CM_TOOLBARBUTTONSIZECHANGED);
    changed_by_hand();
}

void TEcToolbar::apply_button_metrics(bool captions, int width, int height) {
    set_show_button_captions(captions);
    set_button_width(width);
    set_button_height(height);
    set_row_height(orientation_ == TOrientation::orHorizontal ? button_height_ : button_width_);
}

void TEcToolbar::set_text_options(TEcToolbarTextOptions v) {
    const auto preset = text_options_preset(v, orientation_);
    if (!preset) {
        text_options_ = v;
        return;
    }
    applying_preset_ = true;
    try {
        set_button_layout(preset->layout);
        apply_button_metrics(preset->show_captions, preset->button_width, preset->button_height);
        set_row_height(preset->row_height);
    } catch (...) {
        applying_preset_ = false;
        throw;
    }
    applying_preset_ = false;
    text_options_ = v;
}

void TEcToolbar::set_images(ui::ImageList* list) {
    if (images_.set(list)) invalidate();
}

void TEcToolbar::set_margin(int v) {
    v = clamp_toolbar_size(v);
    if (v == margin_) return;
    margin_ = v;
    arrange_controls();
}

void TEcToolbar::set_top_margin(int v) {
    v = clamp_toolbar_size(v);
    if (v == top_margin_) return;
    top_margin_ = v;
    arrange_controls();
}

void TEcToolbar::set_row_height(int v) {
    v = clamp_row_height(v);
    if (v == row_height_) return;
    row_height_ = v;
    arrange_controls();
}

void TEcToolbar::set_wrap_controls(bool v) {
    if (v == wrap_controls_) return;
    wrap_controls_ = v;
    arrange_controls();
}

void TEcToolbar::set_orientation(TOrientation v) {
    if (v == orientation_) return;
    orientation_ = v;
    for (ui::Control* c : controls())
        if (auto* spacer = dynamic_cast<TEcSpacer*>(c)) spacer->set_orientation(v);
    arrange_controls();
}

void TEcToolbar::set_reg_ini_file(RegIniFile* v) {
    if (v == reg_ini_file_) return;
    if (reg_ini_file_) remove_free_notification(reg_ini_file_);
    reg_ini_file_ = v;
    if (v) free_notification(v);
}

void TEcToolbar::set_show_divider(bool v) {
    show_divider_ = v;
    const bool style = auto_style_;
    TEcCustomPanel::set_border_outer(v ? TFrameStyleEx::fsGroove : TFrameStyleEx::fsNone);
    auto_style_ = style;
}

void TEcToolbar::set_border_inner(TFrameStyleEx v) {
    if (v == border_inner()) return;
    TEcCustomPanel::set_border_inner(v);
    auto_style_ = false;
}

void TEcToolbar::set_border_outer(TFrameStyleEx v) {
    if (v == border_outer()) return;
    TEcCustomPanel::set_border_outer(v);
    auto_style_ = false;
}

void TEcToolbar::set_border_sides(TSides v) {
    if (v == border_sides()) return;
    TEcCustomPanel::set_border_sides(v);
    auto_style_ = false;
}

void TEcToolbar::set_visual_style(TEcVisualStyle v) {
    if (v == visual_style()) return;
    TEcCustomPanel::set_visual_style(v);
    notify_controls(CM_TOOLBARVISUALSTYLECHANGED);
}

void TEcToolbar::set_gradient_color_style(TEcGradientColorStyle v) {
    if (v == gradient_color_style()) return;
    TEcCustomPanel::set_gradient_color_style(v);
    notify_controls(CM_TOOLBARVISUALSTYLECHANGED);
}

void TEcToolbar::apply_auto_style(ui::TAlign a) {
    TEcCustomPanel::set_border_inner(TFrameStyleEx::fsNone);
    TEcCustomPanel::set_border_outer(show_divider_ ? TFrameStyleEx::fsGroove : TFrameStyleEx::fsNone);
    TSide side = TSide::sdTop;
    if (a == ui::TAlign::alLeft) side = TSide::sdLeft;
    else if (a == ui::TAlign::alRight) side = TSide::sdRight;
    else if (a == ui::TAlign::alBottom) side = TSide::sdBottom;
    TEcCustomPanel::set_border_sides(TSides{side});
    invalidate();
}

void TEcToolbar::set_toolbar_align(ui::TAlign v) {
    if (auto_style_) apply_auto_style(v);
    set_align(v);
    // A stored size is the designer's: only a change by the program resets it.
    if (!auto_resize_ || loading()) return;
    if (v == ui::TAlign::alLeft || v == ui::TAlign::alRight) set_width(32);
    else set_height(32);
}

void TEcToolbar::change_scale(int multiplier, int divider) {
    if (divider != 0) set_row_height(row_height_ * multiplier / divider);
}

void TEcToolbar::align_controls(ui::Control*, ui::Rect&) {
    if (!loading() && !arranging_) {
        for (ui::Control* c : controls())
            if (c != overflow_button_ && list_.index_of(c) < 0) list_.add(c);
        arrange_controls();
    }
    place_overflow_button();
}

void TEcToolbar::arrange_controls() {
    if (loading() || arranging_ || destroying_) return;
    arranging_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{arranging_};

    ToolbarMetrics m;
    m.width = width();
    m.height = height();
    m.margin = margin_;
    m.top_margin = top_margin_;
    m.row_height = row_height_;
    m.orientation = orientation_;
    m.wrap = wrap_controls_;
    m.right_to_left = use_right_to_left_reading();
    m.auto_resize = auto_resize_;
    m.align = align();
    std::vector<ToolbarItem> items;
    for (const TEcToolbarControlList::Entry& e : list_.entries()) {
        ToolbarItem item;
        item.present = e.control && !e.control->destroying();
        if (item.present) {
            item.bounds = e.control->bounds_rect();
            item.visible = e.control->visible();
        }
        items.push_back(item);
    }
    const ToolbarArrangement a = arrange_toolbar(m, items);
    row_pitch_ = row_height_;
    overflow_shown_ = a.overflow;
    if (overflow_shown_ && !overflow_button_) {
        overflow_button_ = new TEcToolbarPopupButton(this);
        overflow_button_->set_parent(this);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        ui::Control* c = list_.entries()[i].control;
        if (!items[i].present || !items[i].visible) continue;
        const Rect& r = a.bounds[i];
        if (r != c->bounds_rect()) c->set_bounds(r.left, r.top, r.width(), r.height());
    }
    const int w = a.new_width.value_or(width()), h = a.new_height.value_or(height());
    if (w != width() || h != height()) {
        set_bounds(left(), top(), w, h);
        invalidate();
        post_size_to_parent();
    }
}

void TEcToolbar::post_size_to_parent() {
    ui::WinControl* p = parent();
    if (!p || !p->visible() || !p->handle_allocated()) return;
    WPARAM kind = SIZE_RESTORED;
    if (IsZoomed(p->handle())) kind = SIZE_MAXIMIZED;
    else if (IsIconic(p->handle())) kind = SIZE_MINIMIZED;
    PostMessageW(p->handle(), WM_SIZE, kind, MAKELPARAM(p->width(), p->height()));
}

void TEcToolbar::place_overflow_button() {
    if (!overflow_button_ || loading()) return;
    if (overflow_shown_ && !wrap_controls_ && orientation_ == TOrientation::orHorizontal) {
        overflow_button_->set_bounds(width() - kOverflowButtonWidth, 0, kOverflowButtonWidth, height());
        overflow_button_->set_visible(true);
        overflow_button_->bring_to_front();
    } else {
        overflow_button_->set_visible(false);
    }
}

void TEcToolbar::paint(ui::Canvas& canvas) {
    if (visual_style() == TEcVisualStyle::vsWinXP && themes_active()) {
        ui::theme_services().draw_element(canvas.handle(), L"REBAR", 0, 0, client_rect());
        return;
    }
    TEcCustomPanel::paint(canvas);
    const int bw = background_.width(), bh = background_.height();
    if (bw <= 0 || bh <= 0) return;
    const Rect area = adjust_rect_for_borders(client_rect(), true);
    const int cols = area.width() / bw + (area.width() % bw ? 1 : 0);
    const int rows = area.height() / bh + (area.height() % bh ? 1 : 0);
    HDC dc = canvas.handle();
    ui::SavedDC saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            BitBlt(dc, area.left + x * bw, area.top + y * bh, bw, bh, background_.dc(), 0, 0, SRCCOPY);
}

void TEcToolbar::notification(ui::Component* c, ui::TOperation op) {
    TEcCustomPanel::notification(c, op);
    if (op != ui::TOperation::opRemove || destroying_ || destroying()) return;
    if (images_.forget(c)) invalidate();
    if (c == reg_ini_file_) reg_ini_file_ = nullptr;
    if (c == overflow_button_) overflow_button_ = nullptr;
    if (c != this)
        if (auto* control = dynamic_cast<ui::Control*>(c); control && list_.remove(control) >= 0) arrange_controls();
}

void TEcToolbar::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case ui::CM_VISIBLECHANGED:
        TEcCustomPanel::wnd_proc(m);
        if (on_visible_changed) on_visible_changed(this);
        return;
    case ui::CM_CONTROLLISTCHANGE: {
        // A child joins the list at its end and leaves it with the bar.
        auto* child = reinterpret_cast<ui::Control*>(m.wparam);
        if (m.lparam && !loading() && child != overflow_button_) list_.add(child);
        if (!m.lparam && !destroying_ && !destroying() && list_.remove(child) >= 0) {
            TEcCustomPanel::wnd_proc(m);
            arrange_controls();
            return;
        }
        break;
    }
    default: break;
    }
    TEcCustomPanel::wnd_proc(m);
}

} // namespace ec
