#include <algorithm>
#include <optional>

#include "controls/ec_button.h"
#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "controls/ec_panel.h"
#include "controls/model/accel_text.h"
#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

using ui::Rect;
using S = ToolButtonState;

constexpr UINT kMeasureFlags = 0x455;  // calculate, word break, expand tabs, centred both ways
// Theme parts and states of the tool-bar and push-button classes.
constexpr int kTbButton = 1, kTbSplitButton = 3, kTbSplitDropDown = 4;
constexpr int kTsNormal = 1, kTsHot = 2, kTsPressed = 3, kTsDisabled = 4, kTsChecked = 5, kTsHotChecked = 6;
constexpr int kBpPushButton = 1;

TEcToolButton::TickSource& tick_source() {
    static TEcToolButton::TickSource source;
    return source;
}

std::uint32_t now_ticks() { return tick_source() ? tick_source()() : static_cast<std::uint32_t>(GetTickCount()); }

// A colour given as an identifier or an integer; nothing for an unknown identifier.
std::optional<TColor> desc_color(const ui::DescValue& v) {
    if (v.kind == ui::DescValue::Kind::Integer) return static_cast<TColor>(v.integer);
    return ui::color_from_text(v.text);
}

bool inside(const Rect& r, int x, int y) { return x >= r.left && y >= r.top && x < r.right && y < r.bottom; }

void vline(ui::Canvas& c, int x, int y1, int y2, TColor color) {
    c.pen().color = color;
    c.move_to(x, y1);
    c.line_to(x, y2);
}

HorzAlign horz(ui::TAlignment a) {
    return a == ui::TAlignment::taLeftJustify ? HorzAlign::Left
           : a == ui::TAlignment::taRightJustify ? HorzAlign::Right
                                                  : HorzAlign::Center;
}

// The widest caption of the menu's items in the system's menu font.
int widest_menu_caption(ui::PopupMenu& menu) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    ui::GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfMenuFont));
    const ui::ClientDC screen_dc(nullptr);
    ui::SavedDC saved(screen_dc.get());
    SelectObject(screen_dc.get(), font.get());
    int widest = 0;
    for (const ui::MenuItem* item : menu.items()->items()) {
        const std::wstring text = plat::gbk_to_wide(strip_accel_chars(item->caption()));
        SIZE size{};
        GetTextExtentPoint32W(screen_dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TEcToolButtonActionLink

bool TEcToolButtonActionLink::is_checked_linked() const {
    return button_.action() && button_.action()->checked() == button_.down();
}

bool TEcToolButtonActionLink::is_image_index_linked() const {
    return button_.action() && button_.action()->image_index() == button_.image_index();
}

void TEcToolButtonActionLink::set_checked(bool v) {
    if (is_checked_linked()) button_.set_down(v);
}

void TEcToolButtonActionLink::set_image_index(int v) {
    if (is_image_index_linked()) button_.set_image_index(v);
}

// ---------------------------------------------------------------------------------------------
// TEcToolButton

ui::ClassInfo& TEcToolButton::static_class() {
    static ui::ClassInfo info = [] {
        using B = TEcToolButton;
        ui::ClassInfo c("TEcToolButton", &ui::GraphicControl::static_class());
        c.factory = ui::factory_of<TEcToolButton>();
        ui::PropBuilder<B> b(c);
        const auto own_look = [](const B& x) { return !x.use_toolbar_visual_style() || !x.toolbar(); };
        b.string("Caption", [](const B& x) { return x.text(); }, [](B& x, const std::string& v) { x.set_text(v); },
                 "TCaption")
            .boolean("AllowAllUp", &B::allow_all_up, &B::set_allow_all_up)
            .enumeration("Alignment", &B::alignment, &B::set_alignment, ui::TAlignment::taCenter)
            .integer("DisabledIndex", &B::disabled_index, &B::set_disabled_index, -1, "TImageIndex")
            .integer("DownIndex", &B::down_index, &B::set_down_index, -1, "TImageIndex")
            .integer("HotIndex", &B::hot_index, &B::set_hot_index, -1, "TImageIndex")
            // The group before Down: a button outside any group cannot be down.
            .integer("GroupIndex", &B::group_index, &B::set_group_index)
            .boolean("Down", &B::down, &B::set_down)
            .stored([](const B& x) { return !TEcToolButtonActionLink(const_cast<B&>(x)).is_checked_linked(); })
            .reference<ui::PopupMenu>("DropDownMenu", "TPopupMenu", &B::drop_down_menu, &B::set_drop_down_menu)
            .boolean("Flat", &B::flat, &B::set_flat, true)
            .enumeration("GradientColorStyle", &B::gradient_color_style, &B::set_gradient_color_style,
                         TEcGradientColorStyle::gcsSystem)
            .stored(own_look)
            .integer("Height", &B::height, &B::set_height, 25)
            .stored([](const B& x) { return x.stores_size(); })
            .integer("Width", &B::width, &B::set_width, 25)
            .stored([](const B& x) { return x.stores_size(); })
            .integer("ImageIndex", &B::image_index, &B::set_image_index, -1, "TImageIndex")
            .stored([](const B& x) { return !TEcToolButtonActionLink(const_cast<B&>(x)).is_image_index_linked(); })
            .reference<ui::ImageList>("Images", "TCustomImageList", &B::images, &B::set_images)
            .enumeration("Layout", &B::layout, &B::set_layout, TButtonLayout::blGlyphLeft)
            .stored([](const B& x) { return !x.use_toolbar_button_layout() || !x.toolbar(); })
            .color("SelectionColorStart", &B::selection_color_start, &B::set_selection_color_start, ui::clBtnFace)
            .color("SelectionColorStop", &B::selection_color_stop, &B::set_selection_color_stop, ui::clBtnShadow)
            .color("SelectionFrameColor", &B::selection_frame_color, &B::set_selection_frame_color, ui::cl3DDkShadow)
            .boolean("ShowCaption", &B::show_caption, &B::set_show_caption)
            .stored([](const B& x) { return !x.use_toolbar_show_caption() || !x.toolbar(); })
            .enumeration("ToolStyle", &B::tool_style, &B::set_tool_style, TEcToolStyle::tsButton)
            .boolean("Transparent", &B::transparent, &B::set_transparent, true)
            .boolean("UseToolbarButtonLayout", &B::use_toolbar_button_layout, &B::set_use_toolbar_button_layout, true)
            .boolean("UseToolbarButtonSize", &B::use_toolbar_button_size, &B::set_use_toolbar_button_size, true)
            .boolean("UseToolbarShowCaption", &B::use_toolbar_show_caption, &B::set_use_toolbar_show_caption, true)
            .boolean("UseToolbarVisualStyle", &B::use_toolbar_visual_style, &B::set_use_toolbar_visual_style, true)
            .enumeration("VisualStyle", &B::visual_style, &B::set_visual_style, TEcVisualStyle::vsWinXP)
            .stored(own_look)
            .event("OnDropDown", "TNotifyEvent", &B::on_drop_down)
            .obsolete("GradientColorDefault", ui::ObsoleteValue::Boolean)
            .obsolete("ThemeAware", ui::ObsoleteValue::Boolean)
            .obsolete("GradientColorStart", ui::ObsoleteValue::ColorOrInteger,
                      [](B& x, const ui::DescValue& v) {
                          if (const auto c = desc_color(v)) x.set_selection_color_start(*c);
                      })
            .obsolete("GradientColorStop", ui::ObsoleteValue::ColorOrInteger,
                      [](B& x, const ui::DescValue& v) {
                          if (const auto c = desc_color(v)) x.set_selection_color_stop(*c);
                      })
            .obsolete("FrameColor", ui::ObsoleteValue::ColorOrInteger,
                      [](B& x, const ui::DescValue& v) {
                          if (const auto c = desc_color(v)) x.set_selection_frame_color(*c);
                      })
            .obsolete("UseGradients", ui::ObsoleteValue::Boolean, [](B& x, const ui::DescValue& v) {
                if (ui::same_text(v.text, "True")) x.set_visual_style(TEcVisualStyle::vsGradient);
            });
        return c;
    }();
    return info;
}

TEcToolButton::TEcToolButton(ui::Component* owner) : GraphicControl(owner) {
    set_control_style(ui::TControlStyle{ui::TControlStyleFlag::csCaptureMouse});
    following_ = true;
    set_bounds(0, 0, 25, 25);
    following_ = false;
    set_color(ui::clBtnFace);
}

TEcToolButton::~TEcToolButton() { set_images(nullptr); }

void TEcToolButton::set_tick_source(TickSource source) { tick_source() = std::move(source); }

TEcToolbar* TEcToolButton::toolbar() const { return dynamic_cast<TEcToolbar*>(parent()); }

ui::ImageList* TEcToolButton::image_list_in_use() const {
    if (images_) return images_.list();
    const TEcToolbar* bar = toolbar();
    return bar ? bar->images() : nullptr;
}

bool TEcToolButton::stores_size() const {
    const TEcToolbar* bar = toolbar();
    return !use_toolbar_button_size_ || !bar || width() != bar->button_width() || height() != bar->button_height();
}

void TEcToolButton::set_bounds(int left, int top, int width, int height) {
    if (!following_ && !loading() && (width != this->width() || height != this->height()))
        use_toolbar_button_size_ = false;
    GraphicControl::set_bounds(left, top, width, height);
}

void TEcToolButton::set_layout(TButtonLayout v) {
    if (!following_ && !loading()) use_toolbar_button_layout_ = false;
    store(layout_, v);
}

void TEcToolButton::set_show_caption(bool v) {
    if (!following_) use_toolbar_show_caption_ = false;
    store(show_caption_, v);
}

void TEcToolButton::set_visual_style(TEcVisualStyle v) {
    if (!following_) use_toolbar_visual_style_ = false;
    store(visual_style_, v);
}

void TEcToolButton::set_use_toolbar_button_size(bool v) {
    use_toolbar_button_size_ = v;
    if (v && parent() && !loading()) perform(CM_TOOLBARBUTTONSIZECHANGED);
}

void TEcToolButton::set_use_toolbar_button_layout(bool v) {
    use_toolbar_button_layout_ = v;
    if (v && parent() && !loading()) perform(CM_TOOLBARBUTTONLAYOUTCHANGED);
}

void TEcToolButton::set_use_toolbar_show_caption(bool v) {
    use_toolbar_show_caption_ = v;
    if (v && parent() && !loading()) perform(CM_TOOLBARSHOWCAPTIONCHANGED);
}

void TEcToolButton::set_use_toolbar_visual_style(bool v) {
    use_toolbar_visual_style_ = v;
    if (v && parent() && !loading()) perform(CM_TOOLBARVISUALSTYLECHANGED);
}

void TEcToolButton::pick_up_toolbar_styles() {
    perform(CM_TOOLBARSHOWCAPTIONCHANGED);
    perform(CM_TOOLBARBUTTONLAYOUTCHANGED);
    perform(CM_TOOLBARBUTTONSIZECHANGED);
    perform(CM_TOOLBARVISUALSTYLECHANGED);
}

void TEcToolButton::set_images(ui::ImageList* list) {
    if (!images_.set(list)) return;
    images_changed();
    invalidate();
}

void TEcToolButton::images_changed() {
    if (!images_) return;
    following_ = true;
    set_bounds(left(), top(), std::max(width(), images_->width()), std::max(height(), images_->height()));
    following_ = false;
    invalidate();
}

void TEcToolButton::set_drop_down_menu(ui::PopupMenu* menu) {
    if (menu == drop_down_menu_) return;
    if (drop_down_menu_) remove_free_notification(drop_down_menu_);
    drop_down_menu_ = menu;
    if (menu) free_notification(menu);
}

void TEcToolButton::notification(ui::Component* c, ui::TOperation op) {
    GraphicControl::notification(c, op);
    if (op != ui::TOperation::opRemove) return;
    if (images_.forget(c)) invalidate();
    if (c == drop_down_menu_) drop_down_menu_ = nullptr;
}

void TEcToolButton::loaded() {
    GraphicControl::loaded();
    pick_up_toolbar_styles();
}

void TEcToolButton::set_parent(ui::WinControl* parent) {
    GraphicControl::set_parent(parent);
    if (parent && !loading()) pick_up_toolbar_styles();
}

void TEcToolButton::broadcast_group() {
    if (group_index_ == 0 || !parent()) return;
    ui::Message m{ui::CM_BUTTONPRESSED, static_cast<WPARAM>(group_index_), reinterpret_cast<LPARAM>(this), 0};
    parent()->broadcast(m);
}

void TEcToolButton::set_down(bool v) {
    if (group_index_ == 0) v = false;
    if (v == down_) return;
    if (down_ && !allow_all_up_) return;
    down_ = v;
    if (v) {
        if (state_ == S::Up) invalidate();
        state_ = S::Down;
        broadcast_group();
    } else {
        state_ = S::Up;
        repaint();
    }
}

void TEcToolButton::set_group_index(int v) {
    if (tool_style_ == TEcToolStyle::tsDropDown) v = 0;
    if (v == group_index_) return;
    group_index_ = v;
    broadcast_group();
}

void TEcToolButton::set_allow_all_up(bool v) {
    if (v == allow_all_up_) return;
    allow_all_up_ = v;
    broadcast_group();
}

void TEcToolButton::set_tool_style(TEcToolStyle v) {
    if (v == tool_style_) return;
    tool_style_ = v;
    group_index_ = 0;
    if (!loading()) {
        following_ = true;
        set_width(v == TEcToolStyle::tsDropDown ? width() + kDropDownPartWidth : width() - kDropDownPartWidth);
        following_ = false;
    }
    invalidate();
}

void TEcToolButton::action_change(ui::Action& action) {
    GraphicControl::action_change(action);
    set_down(action.checked());
    set_image_index(action.image_index());
}

void TEcToolButton::assign_to_action(ui::Action& action) const {
    action.set_checked(down_);
    action.set_image_index(image_index_);
}

void TEcToolButton::assign(const ui::Persistent& source) {
    const auto* b = dynamic_cast<const TEcToolButton*>(&source);
    if (!b) {
        GraphicControl::assign(source);
        return;
    }
    following_ = true;
    alignment_ = b->alignment_;
    allow_all_up_ = b->allow_all_up_;
    set_bidi_mode(b->bidi_mode());
    set_text(b->text());
    set_color(b->color());
    disabled_index_ = b->disabled_index_;
    tool_style_ = b->tool_style_;
    group_index_ = b->group_index_;
    down_ = b->down_;
    state_ = down_ ? S::Down : S::Up;
    down_index_ = b->down_index_;
    set_drop_down_menu(b->drop_down_menu_);
    set_enabled(b->enabled());
    flat_ = b->flat_;
    font().assign(b->font());
    gradient_color_style_ = b->gradient_color_style_;
    set_hint(b->hint());
    hot_index_ = b->hot_index_;
    image_index_ = b->image_index_;
    set_images(b->image_list_in_use());
    layout_ = b->layout_;
    set_parent_font(b->parent_font());
    selection_color_start_ = b->selection_color_start_;
    selection_color_stop_ = b->selection_color_stop_;
    selection_frame_color_ = b->selection_frame_color_;
    show_caption_ = b->show_caption_;
    set_show_hint(b->show_hint());
    set_tag(b->tag());
    transparent_ = b->transparent_;
    use_toolbar_button_layout_ = b->use_toolbar_button_layout_;
    use_toolbar_button_size_ = b->use_toolbar_button_size_;
    use_toolbar_show_caption_ = b->use_toolbar_show_caption_;
    use_toolbar_visual_style_ = b->use_toolbar_visual_style_;
    set_visible(b->visible());
    visual_style_ = b->visual_style_;
    set_bounds(left(), top(), b->width(), b->height());
    following_ = false;
    invalidate();
}

// ----- look

bool TEcToolButton::themed() const { return visual_style_ == TEcVisualStyle::vsWinXP && themes_active(); }

bool TEcToolButton::active_look() const {
    return state_ == S::Pressed || state_ == S::Down || (mouse_over_ && enabled());
}

bool TEcToolButton::split_button() const { return tool_style_ == TEcToolStyle::tsDropDown && has_own_click(); }

void TEcToolButton::fix_state() {
    if (!enabled()) {
        state_ = S::Disabled;
        dragging_ = false;
    } else if (state_ == S::Disabled) {
        state_ = group_index_ != 0 && down_ ? S::Down : S::Up;
    }
}

SIZE TEcToolButton::glyph_size() const {
    const ui::ImageList* list = image_list_in_use();
    if (!list || image_index_ == -1) return {0, 0};
    return {list->width(), list->height()};
}

int TEcToolButton::caption_text_width() const {
    const ui::ClientDC screen_dc(nullptr);
    ui::Canvas canvas(screen_dc.get());
    canvas.font().assign(font());
    const int w = canvas.text_width(strip_accel_chars(text()));
    canvas.set_handle(nullptr);
    return w;
}

void TEcToolButton::follow_size() {
    const TEcToolbar* bar = toolbar();
    if (!bar) return;
    const int w = tool_button_follow_width(bar->button_width(), show_caption_ && !text().empty(), layout_,
                                           static_cast<int>(glyph_size().cx), caption_text_width(),
                                           tool_style_ == TEcToolStyle::tsDropDown);
    following_ = true;
    set_bounds(left(), top(), w, bar->button_height());
    following_ = false;
}

void TEcToolButton::draw_frame_and_face(ui::Canvas& canvas, Rect r) {
    HDC dc = canvas.handle();
    if (themed() && flat_) {
        int part = kTbButton, st = kTsNormal;
        if (split_button()) {
            if (use_right_to_left_reading()) r.left += kDropDownPartWidth;
            else r.right -= kDropDownPartWidth;
            part = kTbSplitButton;
            st = state_ == S::Pressed ? kTsPressed
                 : state_ == S::Down  ? (mouse_over_ ? kTsHotChecked : kTsChecked)
                 : active_look()      ? kTsHot
                                      : kTsNormal;
        } else {
            st = state_ == S::Pressed || state_ == S::Dropped ? kTsPressed
                 : state_ == S::Down                          ? (mouse_over_ ? kTsHotChecked : kTsChecked)
                 : active_look()                              ? kTsHot
                                                              : kTsNormal;
        }
        if (!enabled()) st = kTsDisabled;
        ui::theme_services().draw_element(dc, L"TOOLBAR", part, st, r);
        return;
    }
    if (themed()) {
        const int st = !enabled()                                    ? 4
                       : state_ == S::Pressed || state_ == S::Down ? 3
                       : active_look()                               ? 2
                                                                     : 1;
        ui::theme_services().draw_element(dc, L"BUTTON", kBpPushButton, st, r);
        return;
    }
    Rect inner = r;
    if (flat_like()) {
        if (!active_look()) return;
        if (visual_style_ == TEcVisualStyle::vsGradient) {
            SelectionColorSet colors{selection_frame_color_, selection_color_start_, selection_color_stop_};
            if (gradient_color_style_ != TEcGradientColorStyle::gcsCustom)
                colors = selection_colors(gradient_color_style_, themes_active(), display_traits());
            TColor start = colors.start, stop = colors.stop;
            if (state_ == S::Pressed || state_ == S::Dropped || (state_ == S::Down && down_ && mouse_over_))
                std::swap(start, stop);
            else if (state_ == S::Down)
                start = darken_color(colors.stop, 40), stop = colors.start;
            inner = paint_box_outline(canvas, r, colors.frame);
            paint_gradient_fill(canvas, inner, TGradientDirection::gdHorizontalEnd, start, stop, 1);
            return;
        }
        inner = paint_frame_style(canvas, r,
                                  state_ == S::Pressed || state_ == S::Down ? TFrameStyleEx::fsStatus : TFrameStyleEx::fsPopup);
    } else {
        inner = paint_frame_style(canvas, r,
                                  state_ == S::Pressed || state_ == S::Down ? TFrameStyleEx::fsLowered : TFrameStyleEx::fsButtonUp);
    }
    if (state_ == S::Down && !(flat_ && mouse_over_)) {
        // The latched look: a checker over the face inside the frame.
        const TColor a = transparent_ ? ui::clBtnFace : color();
        const TColor b = transparent_ ? ui::clBtnHighlight : lighten_color(color(), 20);
        ui::GdiObject<HBRUSH> brush = ui::create_checker_brush(a, b);
        const RECT rr = ui::to_rect(inner);
        FillRect(dc, &rr, brush.get());
    }
}

void TEcToolButton::draw_drop_down_part(ui::Canvas& canvas) {
    const bool rtl = use_right_to_left_reading();
    const int w = width(), h = height();
    const Rect part = rtl ? Rect{0, 0, kDropDownPartWidth, h} : Rect{w - kDropDownPartWidth, 0, w, h};
    const bool gradient = visual_style_ == TEcVisualStyle::vsGradient;
    if (themed() && flat_ && split_button()) {
        const int st = !enabled()                                        ? kTsDisabled
                       : state_ == S::Pressed || state_ == S::Dropped ? kTsPressed
                       : active_look()                                   ? kTsHot
                                                                         : kTsNormal;
        ui::theme_services().draw_element(canvas.handle(), L"TOOLBAR", kTbSplitDropDown, st, part);
        return;
    }
    SelectionColorSet colors{selection_frame_color_, selection_color_start_, selection_color_stop_};
    if (gradient_color_style_ != TEcGradientColorStyle::gcsCustom)
        colors = selection_colors(gradient_color_style_, themes_active(), display_traits());
    if (state_ == S::Dropped && !themed()) {
        if (gradient) {
            const Rect inner = paint_box_outline(canvas, part, colors.frame);
            paint_gradient_fill(canvas, inner, TGradientDirection::gdHorizontalEnd, colors.stop, colors.start, 1);
        } else {
            paint_frame_style(canvas, part, TFrameStyleEx::fsStatus);
        }
    } else if (((flat_like() && mouse_over_ && enabled()) || (!flat_like() && enabled())) && has_own_click()) {
        int x = rtl ? kDropDownPartWidth : w - kDropDownPartWidth;
        if (state_ == S::Pressed && !gradient) ++x;
        if (gradient) {
            vline(canvas, x, 1, h - 1, colors.frame);
        } else {
            if (state_ != S::Pressed) vline(canvas, x, 1, h - 1, ui::clBtnHighlight);
            vline(canvas, x - 1, 1, h - 1, ui::clBtnShadow);
        }
    }
    int x0 = rtl ? 6 : w - 8, y0 = h / 2 + 2;
    if ((state_ == S::Pressed || state_ == S::Dropped) && !gradient) ++x0, ++y0;
    const TColor arrow = enabled() ? ui::clWindowText : ui::clBtnShadow;
    for (int row = 0; row < 3; ++row)
        for (int x = x0 - row; x <= x0 + row; ++x) canvas.set_pixel(x, y0 - row, arrow);
}

ToolButtonRects TEcToolButton::place_glyph_and_caption(ui::Canvas& canvas) const {
    const bool drop = tool_style_ == TEcToolStyle::tsDropDown;
    ToolButtonFace f;
    f.work = tool_button_work_rect(width(), height(), drop, use_right_to_left_reading());
    const SIZE g = glyph_size();
    f.glyph_width = static_cast<int>(g.cx);
    f.glyph_height = static_cast<int>(g.cy);
    f.caption = show_caption_ && !text().empty();
    if (f.caption) {
        Rect m = tool_button_measure_rect(f.work, layout_, f.glyph_width, f.glyph_height);
        canvas.font().assign(font());
        f.text_height = canvas.draw_text(text(), m, kMeasureFlags);
        f.text_width = m.width();
    }
    f.layout = layout_;
    f.alignment = horz(alignment_);
    f.shifted = visual_style_ != TEcVisualStyle::vsGradient &&
                (state_ == S::Pressed || state_ == S::Down || (state_ == S::Dropped && drop && !has_own_click()));
    f.themed = themed();
    return tool_button_rects(f);
}

void TEcToolButton::draw_glyph(ui::Canvas& canvas, const Rect& r) {
    ui::ImageList* list = image_list_in_use();
    if (!list || image_index_ == -1) return;
    const bool hovered = mouse_over_ && enabled();
    int index = image_index_;
    bool draw_enabled = true;
    if ((state_ == S::Pressed || state_ == S::Down || (state_ == S::Dropped && !has_own_click())) && down_index_ != -1) {
        index = down_index_;
    } else if (disabled_index_ == -1) {
        index = hot_index_ != -1 && hovered ? hot_index_ : image_index_;
        draw_enabled = enabled();
    } else {
        index = !enabled() ? disabled_index_ : hot_index_ != -1 && hovered ? hot_index_ : image_index_;
    }
    if (index < 0 || index >= list->count()) return;
    list->draw(canvas, r.left, r.top, index, draw_enabled);
}

void TEcToolButton::draw_caption(ui::Canvas& canvas, const Rect& r) {
    if (!show_caption_ || text().empty()) return;
    canvas.font().assign(font());
    if (!enabled()) canvas.font().set_color(ui::clBtnShadow);
    else if (state_ == S::Pressed && visual_style_ != TEcVisualStyle::vsGradient) canvas.font().set_color(ui::clHighlightText);
    canvas.brush().style = ui::TBrushStyle::bsClear;
    UINT flags = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS;
    if (use_right_to_left_reading()) flags |= DT_RTLREADING;
    Rect place = r;
    canvas.draw_text(text(), place, flags);
    canvas.brush().style = ui::TBrushStyle::bsSolid;
}

void TEcToolButton::paint(ui::Canvas& canvas) {
    fix_state();
    const Rect client = client_rect();
    if (!transparent_) {
        canvas.brush().color = color();
        canvas.fill_rect(client);
    }
    draw_frame_and_face(canvas, client);
    if (tool_style_ == TEcToolStyle::tsDropDown) draw_drop_down_part(canvas);
    const ToolButtonRects r = place_glyph_and_caption(canvas);
    draw_glyph(canvas, r.glyph);
    draw_caption(canvas, r.caption);
}

// ----- mouse, keys and the drop-down

void TEcToolButton::check_hover() {
    if (!flat_like() || !enabled() || !parent() || !parent()->handle_allocated()) return;
    POINT p{};
    GetCursorPos(&p);
    const POINT local = parent()->screen_to_client(p);
    perform(parent()->control_at_pos(local, false, true) == this ? ui::CM_MOUSEENTER : ui::CM_MOUSELEAVE);
}

void TEcToolButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    GraphicControl::mouse_down(button, shift, x, y);
    if (tool_style_ == TEcToolStyle::tsDropDown) {
        const bool plain = button == ui::TMouseButton::mbLeft && !shift.has(ui::TShiftStateFlag::ssShift) &&
                           !shift.has(ui::TShiftStateFlag::ssCtrl) && !shift.has(ui::TShiftStateFlag::ssAlt);
        if (plain && drop_down_menu_ && (in_drop_down_part(x, width(), use_right_to_left_reading()) || !has_own_click())) {
            if (drop_down_guard_holds(now_ticks(), last_drop_)) {
                treat_as_normal_ = true;
                last_drop_ = 0;
            } else {
                state_ = S::Dropped;
                repaint();
                drop_down();
                treat_as_normal_ = false;
                last_drop_ = now_ticks();
                if (last_drop_ == 0) last_drop_ = 1;  // 0 means none
            }
            // The menu ate the release (or none will come): the press ends here.
            if (parent() && parent()->handle_allocated() && GetCapture() == parent()->handle()) ReleaseCapture();
            mouse_up(button, shift, x, y);
            return;
        }
        if (!treat_as_normal_) {
            treat_as_normal_ = true;
            return;
        }
        if (button == ui::TMouseButton::mbLeft && enabled() && !down_) {
            state_ = S::Pressed;
            dragging_ = true;
            invalidate();
        }
        return;
    }
    if (button == ui::TMouseButton::mbLeft && enabled() && (!down_ || state_ == S::Down)) {
        state_ = S::Pressed;
        dragging_ = true;
        invalidate();
    }
}

void TEcToolButton::mouse_move(ui::TShiftState shift, int x, int y) {
    GraphicControl::mouse_move(shift, x, y);
    if (dragging_) {
        const S now = inside(client_rect(), x, y) ? (down_ ? S::Down : S::Pressed) : (down_ ? S::Down : S::Up);
        if (now != state_) {
            state_ = now;
            invalidate();
        }
    } else if (!mouse_over_) {
        check_hover();
    }
}

void TEcToolButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    GraphicControl::mouse_up(button, shift, x, y);
    if (dragging_) {
        dragging_ = false;
        const bool in = inside(client_rect(), x, y);
        bool clicks = in;
        if (group_index_ == 0) {
            state_ = S::Up;
            mouse_over_ = false;
            if (in) invalidate();
        } else if (in) {
            const bool was = down_;
            set_down(!down_);
            clicks = down_ != was;
            state_ = down_ ? S::Down : S::Up;
            invalidate();
        } else {
            state_ = down_ ? S::Down : S::Up;
            invalidate();
        }
        if (clicks) click();
        check_hover();
    }
    if (tool_style_ == TEcToolStyle::tsDropDown) {
        POINT p{};
        GetCursorPos(&p);
        if (parent() && parent()->handle_allocated()) {
            const POINT local = screen_to_client(p);
            if (!inside(client_rect(), local.x, local.y)) treat_as_normal_ = true;
        }
        state_ = S::Up;
        repaint();
        check_hover();
    }
}

void TEcToolButton::click() {
    if (tool_style_ == TEcToolStyle::tsButton || treat_as_normal_) GraphicControl::click();
}

void TEcToolButton::drop_down() {
    if (!drop_down_menu_) return;
    in_drop_down_ = true;
    try {
        if (on_drop_down) on_drop_down(drop_down_menu_);
        const bool rtl = use_right_to_left_reading();
        POINT p = client_to_screen(POINT{rtl ? width() : 0, height()});
        const int menu_width = widest_menu_caption(*drop_down_menu_) + kDropDownMenuExtra;
        int work_right = 0;
        if (const auto monitor = monitor_at_point(p)) work_right = monitor->work_area.right;
        else work_right = active_work_area(parent() && parent()->handle_allocated() ? parent()->handle() : nullptr).right;
        p.x = drop_down_menu_left(p.x, menu_width, width(), work_right);
        drop_down_menu_->set_popup_component(this);
        drop_down_menu_->popup(p.x, p.y);
    } catch (...) {
        in_drop_down_ = false;
        throw;
    }
    in_drop_down_ = false;
    if (group_index_ != 0 && !down_) click();
}

void TEcToolButton::wnd_proc(ui::Message& m) {
    TEcToolbar* bar = toolbar();
    switch (m.msg) {
    // The hover re-check asks again and again: OnMouseEnter and OnMouseLeave fire on changes only.
    case ui::CM_MOUSEENTER:
        if (mouse_over_) return;
        mouse_over_ = true;
        GraphicControl::wnd_proc(m);
        if (flat_like()) repaint();
        return;
    case ui::CM_MOUSELEAVE:
        if (!mouse_over_ || in_drop_down_) return;
        mouse_over_ = false;
        GraphicControl::wnd_proc(m);
        if (flat_like()) repaint();
        return;
    case ui::CM_BUTTONPRESSED: {
        auto* sender = dynamic_cast<TEcToolButton*>(reinterpret_cast<ui::Control*>(m.lparam));
        if (!sender || sender == this || group_index_ == 0 || static_cast<int>(m.wparam) != group_index_) return;
        if (sender->down() && down_) {
            down_ = false;
            state_ = S::Up;
            invalidate();
        }
        allow_all_up_ = sender->allow_all_up();
        return;
    }
    case ui::CM_DIALOGCHAR:
        if (ui::is_accel(static_cast<wchar_t>(m.wparam), text()) && enabled() && visible() && parent() &&
            parent()->showing()) {
            if (tool_style_ == TEcToolStyle::tsButton || has_own_click()) click();
            else drop_down();
            m.result = 1;
            return;
        }
        break;
    case CM_TOOLBARSHOWCAPTIONCHANGED:
        if (bar && use_toolbar_show_caption_) {
            following_ = true;
            set_show_caption(bar->show_button_captions());
            following_ = false;
        }
        return;
    case CM_TOOLBARBUTTONLAYOUTCHANGED:
        if (bar && use_toolbar_button_layout_) {
            following_ = true;
            set_layout(bar->button_layout());
            following_ = false;
        }
        return;
    case CM_TOOLBARBUTTONSIZECHANGED:
        if (bar && use_toolbar_button_size_) follow_size();
        return;
    case CM_TOOLBARVISUALSTYLECHANGED:
        if (bar && use_toolbar_visual_style_) {
            following_ = true;
            set_visual_style(bar->visual_style());
            set_gradient_color_style(bar->gradient_color_style());
            following_ = false;
        }
        return;
    case ui::CM_TEXTCHANGED:
        GraphicControl::wnd_proc(m);
        pick_up_toolbar_styles();
        invalidate();
        return;
    default: break;
    }
    GraphicControl::wnd_proc(m);
}

} // namespace ec
