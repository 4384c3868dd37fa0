#include "controls/ec_tabs.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "controls/model/accel_text.h"
#include "controls/model/hsl_color.h"
#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/messages.h"
#include "platform/ui/win/forms.h"

namespace ec {

using ui::PropBuilder;
using ui::Rect;
using ui::TColor;

namespace {

constexpr UINT_PTR kHoverTimerId = 0x7AB5;
constexpr unsigned kHoverMs = 60;
constexpr unsigned kFirstRepeatMs = 400, kRepeatMs = 100;
constexpr unsigned kFirstDragScrollMs = 400, kDragScrollMs = 300;

bool contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

Rect intersection(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool is_empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// A region handle held for the cache.
class GdiTabRegion : public TabRegion {
public:
    explicit GdiTabRegion(HRGN r) : region(r) {}
    ui::Region region;
};

// The tab font for one caption: the control's font, bold when asked, turned for vertical text,
// with an underlined twin for the accelerator.
struct CaptionFonts {
    ui::GdiObject<HFONT> normal, underlined;
};

CaptionFonts caption_fonts(const ui::Font& base, bool bold, int tenths) {
    ui::Font f;
    f.assign(base);
    ui::TFontStyles s = f.style();
    if (bold) s.include(ui::TFontStyle::fsBold);
    f.set_style(s);
    CaptionFonts out;
    out.normal = create_escaped_font(f, tenths);
    s.include(ui::TFontStyle::fsUnderline);
    f.set_style(s);
    out.underlined = create_escaped_font(f, tenths);
    return out;
}

SIZE extent_of(HDC dc, const std::string& text) {
    SIZE s{};
    const std::wstring w = plat::gbk_to_wide(text);
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
    if (w.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        s.cy = tm.tmHeight;
    }
    return s;
}

// A caption line split at its first accelerator mark: before, the marked character, after.
struct LinePieces {
    std::string before, accel, after;
};

LinePieces split_line(std::string_view raw) {
    for (std::size_t i = 0; i + 1 < raw.size(); ++i) {
        if (raw[i] != '&') continue;
        if (raw[i + 1] == '&') {
            ++i;
            continue;
        }
        return {strip_accel_chars(raw.substr(0, i)), std::string(1, raw[i + 1]), strip_accel_chars(raw.substr(i + 2))};
    }
    return {strip_accel_chars(raw), {}, {}};
}

std::vector<std::string> raw_lines(std::string_view caption) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = caption.find("\r\n", start);
        lines.emplace_back(caption.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return lines;
}

// The inside of a tab in the control, where its image and caption go.
Rect inner_rect(Rect r, const TabSettings& s) {
    const bool across = s.vertical_strip();
    const bool first_side = s.orientation == TEcTabOrientation::toTop || s.orientation == TEcTabOrientation::toLeft;
    auto shrink = [&](int dx, int dy) { r = {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy}; };
    auto move = [&](int dx, int dy) { r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; };
    const int C = s.cut_corner_size;
    switch (s.style) {
    case TEcTabStyle::tsSingleSlant:
    case TEcTabStyle::tsBackSlant: {
        const bool back = s.style == TEcTabStyle::tsBackSlant;
        shrink(1, 1);
        if (!across) {
            const int cut = 2 * slant_overlap(s, r.height() + 2) + 2;
            if (back) r.left += cut, move(-3, 0);
            else r.right -= cut, move(3, 0);
            if (first_side) r.top += 2;
            else r.bottom -= 2, move(0, back ? -1 : 1);
        } else {
            const int cut = 2 * slant_overlap(s, r.width() + 2) + 2;
            const bool up = (s.orientation == TEcTabOrientation::toLeft) != back;
            if (up) r.top += cut, move(0, -2);
            else r.bottom -= cut, move(0, 2);
            move(0, back ? -1 : 1);
            if (first_side) r.left += 2;
            else r.right -= 2, move(1, 0);
        }
        break;
    }
    case TEcTabStyle::tsDoubleSlant:
        if (!across) {
            shrink(-1, 1);
            shrink(slant_overlap(s, r.height() + 2), 0);
            move(1, 0);
            if (first_side) r.top += 2;
            else r.bottom -= 2, move(0, 1);
        } else {
            shrink(1, -1);
            shrink(0, slant_overlap(s, r.width() + 2));
            r.bottom += 2;
            move(0, 1);
            if (first_side) r.left += 2;
            else r.right -= 2, move(1, 0);
        }
        break;
    case TEcTabStyle::tsCutCorner:
        if (!s.vertical_text()) {
            if (!across) {
                shrink(C + 3, 1);
                if (first_side) r.top += 3;
                else r.bottom -= 3, move(0, 1);
            } else {
                shrink(1, 4);
                if (first_side) r.left += C + 5;
                else r.right -= C + 5, move(1, 0);
            }
        } else if (!across) {
            shrink(4, 1);
            if (first_side) r.top += C + 3;
            else r.bottom -= C + 3, move(0, 1);
        } else {
            shrink(1, C + 3);
            if (first_side) r.left += 5;
            else r.right -= 5, move(1, 0);
        }
        break;
    case TEcTabStyle::tsRoundCorners:
        if (s.vertical_text()) shrink(2, 4);
        else shrink(4, 2);
        break;
    }
    shrink(1, 1);
    return r;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Colours

ui::ClassInfo& TEcTabColors::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcTabColors", &ui::Persistent::static_class());
        PropBuilder<TEcTabColors>(c)
            .color("HighlightBar", &TEcTabColors::highlight_bar, &TEcTabColors::set_highlight_bar, ui::clHighlight)
            .color("Shadow", &TEcTabColors::shadow, &TEcTabColors::set_shadow, ui::clBtnFace)
            .color("Unselected", &TEcTabColors::unselected, &TEcTabColors::set_unselected, ui::clWindow);
        return c;
    }();
    return info;
}

void TEcTabColors::change(TColor& field, TColor v) {
    if (field == v) return;
    field = v;
    if (owner_) owner_->invalidate();
}

ui::ClassInfo& TEcTextColors::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcTextColors", &ui::Persistent::static_class());
        PropBuilder<TEcTextColors>(c)
            .color("Disabled", &TEcTextColors::disabled, &TEcTextColors::set_disabled, ui::clGrayText)
            .color("Selected", &TEcTextColors::selected, &TEcTextColors::set_selected, ui::clBtnText)
            .color("Unselected", &TEcTextColors::unselected, &TEcTextColors::set_unselected, ui::clBtnText);
        return c;
    }();
    return info;
}

void TEcTextColors::change(TColor& field, TColor v) {
    if (field == v) return;
    field = v;
    if (owner_) owner_->invalidate();
}

// ---------------------------------------------------------------------------------------------
// Small buttons

ui::ClassInfo& TEcTabSmallButton::static_class() {
    static ui::ClassInfo info("TEcTabSmallButton", &CustomControl::static_class());
    return info;
}

TEcTabSmallButton::TEcTabSmallButton(TEcCustomTabControl* tabs) : CustomControl(tabs), tabs_(tabs) {
    set_bounds(0, 0, 15, 15);
}

void TEcTabSmallButton::set_frame_color(TColor v) {
    if (v == frame_color_) return;
    frame_color_ = v;
    invalidate();
}

void TEcTabSmallButton::paint_face(ui::Canvas& canvas, const Rect& r, bool pressed) {
    const TColor frame = lighten_color(frame_color_, 30);
    const TColor shade = tabs_->tab_colors().shadow(), base = tabs_->tab_colors().unselected();
    canvas.pen().color = frame;
    if (!tabs_->use_gradients()) {
        canvas.brush().color = base;
        canvas.rectangle(r);
        return;
    }
    paint_gradient_fill(canvas, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, TGradientDirection::gdHorizontalEnd,
                        pressed ? base : shade, pressed ? shade : base);
    canvas.brush().style = ui::TBrushStyle::bsClear;
    canvas.rectangle(r);
    canvas.brush().style = ui::TBrushStyle::bsSolid;
}

void TEcTabSmallButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_down(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft) return;
    held_ = pressed_ = true;
    invalidate();
}

void TEcTabSmallButton::mouse_move(ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_move(shift, x, y);
    if (!held_) return;
    const bool inside = contains(client_rect(), x, y);
    if (inside != pressed_) {
        pressed_ = inside;
        invalidate();
    }
}

void TEcTabSmallButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_up(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft || !held_) return;
    held_ = false;
    const bool fire = pressed_ && contains(client_rect(), x, y);
    pressed_ = false;
    invalidate();
    if (fire) released();
}

ui::ClassInfo& TEcTabCloseButton::static_class() {
    static ui::ClassInfo info("TEcTabCloseButton", &TEcTabSmallButton::static_class());
    return info;
}

void TEcTabCloseButton::paint(ui::Canvas& canvas) {
    const Rect r = client_rect();
    paint_face(canvas, r, pressed_);
    paint_close_cross(canvas, r, false, pressed_, enabled());
}

void TEcTabCloseButton::released() {
    bool allow = false;
    if (tabs_->on_close) tabs_->on_close(tabs_, allow);
    if (allow && tabs_->tab_index() >= 0) tabs_->close_active_tab();
}

ui::ClassInfo& TEcTabMenuButton::static_class() {
    static ui::ClassInfo info("TEcTabMenuButton", &TEcTabSmallButton::static_class());
    return info;
}

TEcTabMenuButton::TEcTabMenuButton(TEcCustomTabControl* tabs)
    : TEcTabSmallButton(tabs), menu_(std::make_unique<ui::PopupMenu>(nullptr)) {}

void TEcTabMenuButton::paint(ui::Canvas& canvas) {
    const Rect r = client_rect();
    paint_face(canvas, r, pressed_);
    int direction = 1;  // down for top tabs
    switch (tabs_->tab_orientation()) {
    case TEcTabOrientation::toTop: direction = 1; break;
    case TEcTabOrientation::toBottom: direction = 0; break;
    case TEcTabOrientation::toLeft: direction = 3; break;
    case TEcTabOrientation::toRight: direction = 2; break;
    }
    paint_direction_arrow(canvas, r, false, direction, pressed_, enabled());
}

void TEcTabMenuButton::build_menu() {
    ui::MenuItem* root = menu_->items();
    root->clear();
    menu_->set_images(tabs_->images());
    auto& tabs = tabs_->tabs();
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const TEcTabData& t = tabs[i];
        if (!t.visible) continue;
        auto* item = new ui::MenuItem(menu_.get());
        item->set_caption(t.caption);
        item->set_enabled(t.enabled);
        item->set_checked(static_cast<int>(i) == tabs_->tab_index());
        item->set_image_index(!t.enabled && t.disabled_index != -1 ? t.disabled_index : t.image_index);
        const int index = static_cast<int>(i);
        item->on_click = [this, index](ui::Component*) {
            tabs_->set_tab_index(index);
            if (tabs_->tab_index() == index && tabs_->on_tab_click) tabs_->on_tab_click(tabs_);
        };
        root->add(item);
    }
}

POINT TEcTabMenuButton::menu_point(ui::TPopupAlignment& alignment) const {
    const Rect r = client_rect();
    const bool rev = tabs_->tab_sequence() == TEcTabSequence::tsReverse;
    POINT p{};
    switch (tabs_->tab_orientation()) {
    case TEcTabOrientation::toTop: p = {rev ? r.left : r.right, r.bottom}; break;
    case TEcTabOrientation::toBottom: p = {rev ? r.left : r.right, r.top}; break;
    case TEcTabOrientation::toLeft: p = {r.right, r.top}; break;
    case TEcTabOrientation::toRight: p = {r.left, r.top}; break;
    }
    const bool right_aligned = tabs_->tab_orientation() == TEcTabOrientation::toRight ||
                               (!rev && (tabs_->tab_orientation() == TEcTabOrientation::toTop ||
                                         tabs_->tab_orientation() == TEcTabOrientation::toBottom));
    alignment = right_aligned ? ui::TPopupAlignment::paRight : ui::TPopupAlignment::paLeft;
    return client_to_screen(p);
}

void TEcTabMenuButton::released() {
    build_menu();
    if (on_display_menu) on_display_menu(this);
    ui::TPopupAlignment alignment;
    const POINT p = menu_point(alignment);
    menu_->set_alignment(alignment);
    menu_->popup(p.x, p.y);
}

ui::ClassInfo& TEcTabScroller::static_class() {
    static ui::ClassInfo info("TEcTabScroller", &TEcTabSmallButton::static_class());
    return info;
}

TEcTabScroller::TEcTabScroller(TEcCustomTabControl* tabs)
    : TEcTabSmallButton(tabs), timer_(std::make_unique<ui::Timer>(nullptr)) {
    timer_->set_enabled(false);
    timer_->set_interval(kFirstRepeatMs);
    timer_->on_timer = [this](ui::Component*) {
        timer_->set_interval(kRepeatMs);
        if (pressed_half_ >= 0 && inside_) fire(pressed_half_);
    };
}

TEcTabScroller::~TEcTabScroller() { timer_->on_timer = nullptr; }

bool TEcTabScroller::vertical() const { return tabs_->tab_layout().settings.vertical_strip(); }

int TEcTabScroller::half_at(int x, int y) const {
    if (!vertical()) return x < width() / 2 ? 0 : 1;
    return y >= height() / 2 ? 0 : 1;  // the lower half first
}

// The left (lower) half scrolls back, except for right tabs; reverse sequence swaps both.
void TEcTabScroller::fire(int half) {
    bool back = half == 0;
    if (tabs_->tab_orientation() == TEcTabOrientation::toRight) back = !back;
    if (tabs_->tab_sequence() == TEcTabSequence::tsReverse) back = !back;
    if (half == 0 && on_down_left_click) on_down_left_click(this);
    if (half == 1 && on_up_right_click) on_up_right_click(this);
    tabs_->scroll_tabs(!back);
}

void TEcTabScroller::paint(ui::Canvas& canvas) {
    const Rect r = client_rect();
    const bool v = vertical();
    const Rect halves[2] = {v ? Rect{0, r.bottom - r.width(), r.right, r.bottom} : Rect{0, 0, r.height(), r.bottom},
                            v ? Rect{0, 0, r.right, r.width()} : Rect{r.right - r.height(), 0, r.right, r.bottom}};
    for (int h = 0; h < 2; ++h) {
        const bool down = pressed_half_ == h && inside_;
        paint_face(canvas, halves[h], down);
        bool back = h == 0;
        if (tabs_->tab_orientation() == TEcTabOrientation::toRight) back = !back;
        if (tabs_->tab_sequence() == TEcTabSequence::tsReverse) back = !back;
        const bool possible = tabs_->tab_layout().can_scroll(!back);
        const int direction = v ? (h == 0 ? 1 : 0) : (h == 0 ? 2 : 3);
        paint_direction_arrow(canvas, halves[h], false, direction, down, possible);
    }
}

void TEcTabScroller::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_down(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft) return;
    pressed_half_ = half_at(x, y);
    inside_ = true;
    timer_->set_interval(kFirstRepeatMs);
    timer_->set_enabled(true);
    invalidate();
}

void TEcTabScroller::mouse_move(ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_move(shift, x, y);
    if (pressed_half_ < 0) return;
    const bool inside = contains(client_rect(), x, y) && half_at(x, y) == pressed_half_;
    if (inside != inside_) {
        inside_ = inside;
        invalidate();
    }
}

void TEcTabScroller::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_up(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft || pressed_half_ < 0) return;
    timer_->set_enabled(false);
    const int half = pressed_half_;
    const bool fire_now = contains(client_rect(), x, y) && half_at(x, y) == half;
    pressed_half_ = -1;
    inside_ = false;
    invalidate();
    if (fire_now) fire(half);
}

// ---------------------------------------------------------------------------------------------
// The tab control

ui::ClassInfo& TEcCustomTabControl::static_class() {
    static ui::ClassInfo info = [] {
        using T = TEcCustomTabControl;
        ui::ClassInfo c("TEcCustomTabControl", &CustomControl::static_class());
        PropBuilder<T>(c)
            .boolean("AlignTabs", &T::align_tabs, &T::set_align_tabs, false)
            .boolean("AllowTabDragging", &T::allow_tab_dragging, &T::set_allow_tab_dragging, false)
            .color("BackgroundColor", &T::background_color, &T::set_background_color, ui::clBtnFace)
            .stored([](const T& t) { return !t.parent_background_color(); })
            .boolean("ParentBackgroundColor", &T::parent_background_color, &T::set_parent_background_color, true)
            .boolean("BoldCurrentTab", &T::bold_current_tab, &T::set_bold_current_tab, false)
            .boolean("UseColoredTabs", &T::use_colored_tabs, &T::set_use_colored_tabs, false)
            .integer("CutCornerSize", &T::cut_corner_size, &T::set_cut_corner_size, 6)
            .color("FlatColor", &T::flat_color, &T::set_flat_color, ui::clBtnShadow)
            .integer("FlatColorAdjustment", &T::flat_color_adjustment, &T::set_flat_color_adjustment, 0)
            .boolean("HotTrack", &T::hot_track, &T::set_hot_track, true)
            .color("HotTrackColor", &T::hot_track_color, &T::set_hot_track_color, ui::rgb(240, 155, 20))
            .enumeration("HotTrackColorType", &T::hot_track_color_type, &T::set_hot_track_color_type,
                         TEcHotTrackColorType::htctActual)
            .enumeration("HotTrackStyle", &T::hot_track_style, &T::set_hot_track_style, TEcTabHotTrackStyle::htsTab)
            .enumeration("ImageAlignment", &T::image_alignment, &T::set_image_alignment, TEcHorizontalAlignment::haCenter)
            .enumeration("ImageAlignmentVertical", &T::image_alignment_vertical, &T::set_image_alignment_vertical,
                         TEcVerticalAlignment::vaCenter)
            .integer("ImageMargin", &T::image_margin, &T::set_image_margin, 2)
            .enumeration("ImagePosition", &T::image_position, &T::set_image_position, TEcImagePosition::ipLeft)
            .reference<ui::ImageList>("Images", "TCustomImageList", &T::images, &T::set_images)
            .integer("Margin", &T::margin, &T::set_margin, 0)
            .boolean("MultiLine", &T::multi_line, &T::set_multi_line, false)
            .integer("RowIndent", &T::row_indent, &T::set_row_indent, 5)
            .integer("RowOverlap", &T::row_overlap, &T::set_row_overlap, 5)
            .boolean("ShowCardFrame", &T::show_card_frame, &T::set_show_card_frame, true)
            .boolean("ShowFullFrame", &T::show_full_frame, &T::set_show_full_frame, true)
            .boolean("ShowShadow", &T::show_shadow, &T::set_show_shadow, true)
            .boolean("ShowCloseButton", &T::show_close_button, &T::set_show_close_button, false)
            .boolean("ShowMenuButton", &T::show_menu_button, &T::set_show_menu_button, false)
            .boolean("ShowFocusRect", &T::show_focus_rect, &T::set_show_focus_rect, true)
            .boolean("SoftCorners", &T::soft_corners, &T::set_soft_corners, false)
            .object("TabColors", ui::PropKind::Object, "TEcTabColors", [](T& t) -> ui::Persistent* { return &t.tab_colors_; })
            .integer("TabHeight", &T::tab_height, &T::set_tab_height, 0)
            .integer("TabWidth", &T::tab_width, &T::set_tab_width, 0)
            .boolean("TabHints", &T::tab_hints, &T::set_tab_hints, false)
            .integer("TabIndex", &T::tab_index, &T::set_tab_index, -1)
            .enumeration("TabOrientation", &T::tab_orientation, &T::set_tab_orientation, TEcTabOrientation::toTop)
            .integer("TabOverlap", &T::tab_overlap, &T::set_tab_overlap, -1)
            .enumeration("TabSequence", &T::tab_sequence, &T::set_tab_sequence, TEcTabSequence::tsStandard)
            .enumeration("TabStyle", &T::tab_style, &T::set_tab_style, TEcTabStyle::tsSingleSlant)
            .enumeration("TextAlignment", &T::text_alignment, &T::set_text_alignment, TEcHorizontalAlignment::haCenter)
            .enumeration("TextAlignmentVertical", &T::text_alignment_vertical, &T::set_text_alignment_vertical,
                         TEcVerticalAlignment::vaCenter)
            .object("TextColors", ui::PropKind::Object, "TEcTextColors", [](T& t) -> ui::Persistent* { return &t.text_colors_; })
            .enumeration("TextOrientation", &T::text_orientation, &T::set_text_orientation, TOrientation::orHorizontal)
            .boolean("Transparent", &T::transparent, &T::set_transparent, false)
            .boolean("UseGradients", &T::use_gradients, &T::set_use_gradients, true)
            .event("OnChange", "TNotifyEvent", &T::on_change)
            .event("OnChanging", "TEcTabChangingEvent", &T::on_changing)
            .event("OnClose", "TEcTabCloseEvent", &T::on_close)
            .event("OnTabClick", "TNotifyEvent", &T::on_tab_click)
            .event("OnTabOrderChange", "TEcTabOrderChangeEvent", &T::on_tab_order_change)
            .event("OnScrolledTabs", "TNotifyEvent", &T::on_scrolled_tabs)
            .event("OnGetTextColor", "TEcGetTextColorEvent", &T::on_get_text_color)
            .event("OnPaintBackground", "TEcPaintBackgroundEvent", &T::on_paint_background)
            .event("OnPaintTabBackground", "TEcPaintTabBackgroundEvent", &T::on_paint_tab_background)
            .event("OnPaintCardBackground", "TEcPaintCardBackgroundEvent", &T::on_paint_card_background)
            .event("OnPageChange", "TNotifyEvent", &T::on_page_change)
            // The row thickness, always written: it sizes the card and pages until the first layout.
            .defined(
                "FixedDimension",
                [](T& t, const ui::DescValue& v) {
                    if (v.kind != ui::DescValue::Kind::Integer) throw ui::PropertyError("FixedDimension must be an integer");
                    t.layout_.set_fixed_dimension(static_cast<int>(v.integer));
                },
                [](const T& t, ui::DescValue& v) {
                    v.kind = ui::DescValue::Kind::Integer;
                    v.integer = t.fixed_dimension();
                    return true;
                });
        return c;
    }();
    return info;
}

TEcCustomTabControl::TEcCustomTabControl(ui::Component* owner)
    : CustomControl(owner), drag_timer_(std::make_unique<ui::Timer>(nullptr)) {
    drag_timer_->set_enabled(false);
    drag_timer_->on_timer = [this](ui::Component*) { drag_scroll_tick(); };
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csAcceptsControls);
    s.include(ui::TControlStyleFlag::csCaptureMouse);
    s.include(ui::TControlStyleFlag::csClickEvents);
    s.include(ui::TControlStyleFlag::csDoubleClicks);
    set_control_style(s);
    set_tab_stop(true);
    set_bounds(0, 0, 300, 100);
}

TEcCustomTabControl::~TEcCustomTabControl() {
    drag_timer_->on_timer = nullptr;
    if (hover_timer_ && handle_allocated()) KillTimer(handle(), kHoverTimerId);
}

void TEcCustomTabControl::add_tab(const std::string& caption) {
    TEcTabData d;
    d.caption = caption;
    layout_.tabs.push_back(d);
    layout_changed();
}

void TEcCustomTabControl::layout_changed() {
    layout_invalid_ = true;
    invalidate();
}

void TEcCustomTabControl::ensure_layout() {
    if (layout_invalid_) run_layout();
}

TabTextMeasure TEcCustomTabControl::measurer() {
    return [this](std::string_view line, bool bold) {
        ui::MemoryDC dc;
        const CaptionFonts fonts = caption_fonts(font(), bold, 0);
        HGDIOBJ old = SelectObject(dc.get(), fonts.normal.get());
        const SIZE s = extent_of(dc.get(), std::string(line));
        SelectObject(dc.get(), old);
        return TabSize{s.cx, s.cy};
    };
}

void TEcCustomTabControl::run_layout() {
    layout_invalid_ = false;
    layout_.settings.width = width();
    layout_.settings.height = height();
    layout_.settings.image_size = images_ ? TabSize{images_->width(), images_->height()} : TabSize{};
    layout_.layout(measurer(), tab_index_);
    regions_.clear();
    // The selection moves off a tab that cannot be selected any more.
    if (tab_index_ >= 0) {
        const int corrected = layout_.corrected_selection(tab_index_);
        if (corrected != tab_index_) {
            keyboard_selection_ = true;
            set_tab_index(corrected);
            keyboard_selection_ = false;
        }
    }
    if (!layout_.scrolling_needed() && tab_index_ >= 0) layout_.rotate_rows(tab_index_);
    place_buttons();
    const Rect area = layout_.page_area_rect();
    if (area != last_page_area_) {
        last_page_area_ = area;
        realign();
    }
}

void TEcCustomTabControl::changed_bounds(bool size_changed) {
    CustomControl::changed_bounds(size_changed);
    if (!size_changed) return;
    layout_.settings.width = width();
    layout_.settings.height = height();
    layout_changed();
}

void TEcCustomTabControl::font_changed() {
    CustomControl::font_changed();
    layout_changed();
}

void TEcCustomTabControl::color_changed() {
    CustomControl::color_changed();
    invalidate();
}

void TEcCustomTabControl::loaded() {
    CustomControl::loaded();
    own_hint_ = hint();
    if (settings().vertical_text() && !is_true_type_face(font())) font().set_name("Verdana");
    layout_invalid_ = true;
    const int stored = tab_index_;
    tab_index_ = -1;
    keyboard_selection_ = true;
    set_tab_index(stored);
    keyboard_selection_ = false;
}

void TEcCustomTabControl::notification(ui::Component* c, ui::TOperation op) {
    CustomControl::notification(c, op);
    if (op == ui::TOperation::opRemove && c == images_) {
        images_ = nullptr;
        layout_changed();
    }
}

void TEcCustomTabControl::set_align_tabs(bool v) {
    if (v == align_tabs_) return;
    align_tabs_ = v;
    layout_.settings.align_tabs = v;
    if (multi_line()) layout_changed();
}

void TEcCustomTabControl::set_background_color(TColor v) {
    parent_background_color_ = false;
    change_look(background_color_, v);
}

void TEcCustomTabControl::set_parent_background_color(bool v) {
    parent_background_color_ = v;
    if (v && parent()) background_color_ = parent()->color();
    invalidate();
}

void TEcCustomTabControl::set_use_colored_tabs(bool v) { change_look(use_colored_tabs_, v); }

void TEcCustomTabControl::set_cut_corner_size(int v) {
    if (v < 0 || v == cut_corner_size()) return;
    layout_.settings.cut_corner_size = v;
    if (tab_style() == TEcTabStyle::tsCutCorner) layout_changed();
}

TColor TEcCustomTabControl::outline_color() const { return shift_color_lightness(flat_color_, flat_color_adjustment_); }

void TEcCustomTabControl::set_flat_color(TColor v) {
    change_look(flat_color_, v);
    for (TEcTabSmallButton* b : std::initializer_list<TEcTabSmallButton*>{scroller_, close_button_, menu_button_})
        if (b) b->set_frame_color(outline_color());
}

void TEcCustomTabControl::set_flat_color_adjustment(int v) {
    change_look(flat_color_adjustment_, v);
    for (TEcTabSmallButton* b : std::initializer_list<TEcTabSmallButton*>{scroller_, close_button_, menu_button_})
        if (b) b->set_frame_color(outline_color());
}

void TEcCustomTabControl::set_image_margin(int v) {
    if (v < 0) return;
    change_layout(layout_.settings.image_margin, v);
}

void TEcCustomTabControl::set_images(ui::ImageList* v) {
    if (v == images_) return;
    images_ = v;
    if (v) free_notification(v);
    layout_changed();
}

// Neighbouring rows overlap by less than a row's thickness.
void TEcCustomTabControl::set_row_overlap(int v) {
    if (v < 0) return;
    if (fixed_dimension() > 0) v = std::min(v, fixed_dimension() - 1);
    change_layout(layout_.settings.row_overlap, v);
}

void TEcCustomTabControl::set_show_full_frame(bool v) {
    if (!v) layout_.settings.show_shadow = false;
    change_layout(layout_.settings.show_full_frame, v);
}

void TEcCustomTabControl::set_show_shadow(bool v) {
    if (v) layout_.settings.show_full_frame = true;
    change_layout(layout_.settings.show_shadow, v);
}

void TEcCustomTabControl::set_show_close_button(bool v) {
    if (v && !close_button_) {
        close_button_ = new TEcTabCloseButton(this);
        close_button_->set_frame_color(outline_color());
        close_button_->set_visible(false);
        close_button_->set_parent(this);
    }
    if (close_button_) close_button_->set_visible(v);
    change_layout(layout_.settings.show_close_button, v);
}

void TEcCustomTabControl::set_show_menu_button(bool v) {
    if (v && !menu_button_) {
        menu_button_ = new TEcTabMenuButton(this);
        menu_button_->set_frame_color(outline_color());
        menu_button_->set_visible(false);
        menu_button_->set_parent(this);
    }
    if (menu_button_) menu_button_->set_visible(v);
    change_layout(layout_.settings.show_menu_button, v);
}

void TEcCustomTabControl::set_tab_orientation(TEcTabOrientation v) {
    if (loading()) {
        layout_.settings.orientation = v;
        return;
    }
    change_layout(layout_.settings.orientation, v);
}

// Turned text needs a TrueType face.
void TEcCustomTabControl::set_text_orientation(TOrientation v) {
    if (v == text_orientation()) return;
    layout_.settings.text_orientation = v;
    if (!loading() && !is_true_type_face(font())) font().set_name("Verdana");
    layout_changed();
}

// 0 and values below -1 are refused by the cache.
void TEcCustomTabControl::set_region_cache_capacity(int v) {
    if (v != regions_.capacity()) regions_.set_capacity(v);
}

bool TEcCustomTabControl::can_change(int new_index) {
    bool allow = true;
    if (on_changing) on_changing(this, new_index, allow);
    return allow;
}

void TEcCustomTabControl::change() {
    if (on_change) on_change(this);
    if (on_page_change) on_page_change(this);
}

bool TEcCustomTabControl::can_select_tab(int index) {
    if (!layout_.can_select(index)) return false;
    return can_change(index);
}

void TEcCustomTabControl::set_tab_index(int v) {
    if (loading()) {
        tab_index_ = v;
        return;
    }
    ensure_layout();
    if (v < 0 || v >= tab_count()) {
        tab_index_ = -1;
        invalidate();
        return;
    }
    const bool allowed = v == tab_index_ || keyboard_selection_ || can_select_tab(v);
    if (!allowed) return;
    const int old_first = layout_.first_shown_tab();
    if (!layout_.scrolling_needed()) {
        layout_.rotate_rows(v);
    } else if (v < layout_.first_shown_tab()) {
        layout_.set_first_shown_tab(v);
    } else {
        while (!layout_.is_tab_shown(v) && layout_.scroll_tabs(true)) {
        }
    }
    const int old = tab_index_;
    tab_index_ = v;
    if (old != v || old_first != layout_.first_shown_tab()) {
        invalidate();
        if (scroller_) scroller_->invalidate();
    }
    if (old != v) change();
    if (close_button_) close_button_->invalidate();
    if (menu_button_) menu_button_->invalidate();
}

void TEcCustomTabControl::select_from_keyboard(int index) {
    keyboard_selection_ = true;
    try {
        set_tab_index(index);
    } catch (...) {
        keyboard_selection_ = false;
        throw;
    }
    keyboard_selection_ = false;
    if (on_tab_click) on_tab_click(this);
}

void TEcCustomTabControl::select_from_layout(int index) {
    keyboard_selection_ = true;
    try {
        set_tab_index(index);
    } catch (...) {
        keyboard_selection_ = false;
        throw;
    }
    keyboard_selection_ = false;
}

void TEcCustomTabControl::scroll_tabs(bool forward) {
    ensure_layout();
    if (layout_.scroll_tabs(forward)) {
        invalidate();
        if (scroller_) scroller_->invalidate();
    }
    if (on_scrolled_tabs) on_scrolled_tabs(this);
}

Rect TEcCustomTabControl::tab_rect(int index) {
    ensure_layout();
    return layout_.physical_tab_rect(index, tab_index_);
}

Rect TEcCustomTabControl::page_area_rect() {
    ensure_layout();
    return layout_.page_area_rect();
}

void TEcCustomTabControl::adjust_client_rect(Rect& r) const {
    TabLayout copy_of_size = layout_;
    copy_of_size.settings.width = width();
    copy_of_size.settings.height = height();
    r = copy_of_size.page_area_rect();
}

void TEcCustomTabControl::align_controls(ui::Control* changed, Rect& r) {
    place_buttons();
    CustomControl::align_controls(changed, r);
}

void TEcCustomTabControl::place_buttons() {
    const bool need_scroller = layout_.scrolling_needed() && !layout_.settings.multi_line;
    if (need_scroller && !scroller_) {
        scroller_ = new TEcTabScroller(this);
        scroller_->set_frame_color(outline_color());
        scroller_->set_parent(this);
    }
    const SmallButtonPlaces p = layout_.small_button_places();
    auto put = [](TEcTabSmallButton* b, const Rect& r) {
        if (!b) return;
        if (is_empty(r)) b->set_bounds(-100, -100, 1, 1);  // out of sight
        else b->set_bounds(r.left, r.top, r.width(), r.height());
    };
    put(scroller_, need_scroller ? p.scroller : Rect{});
    put(close_button_, p.close);
    put(menu_button_, p.menu);
}

std::unique_ptr<TabRegion> TEcCustomTabControl::make_tab_region(const std::vector<POINT>& points) {
    HRGN r = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
    if (!r) return nullptr;
    return std::make_unique<GdiTabRegion>(r);
}

HRGN TEcCustomTabControl::tab_region(int index, const Rect& rect) {
    if (TabRegion* cached = regions_.find(rect)) return static_cast<GdiTabRegion*>(cached)->region.get();
    std::vector<POINT> points;
    for (TabPoint p : tab_shape_points(tab_style(), soft_corners_, cut_corner_size(), layout_.display_rect(index, tab_index_))) {
        TabPoint q = layout_.logical_to_physical(p);
        points.push_back({q.x, q.y});
    }
    std::unique_ptr<TabRegion> made = points.size() >= 3 ? make_tab_region(points) : nullptr;
    if (!made) throw EEcTabControlError("Error creating region");
    return static_cast<GdiTabRegion*>(regions_.add(rect, std::move(made)))->region.get();
}

int TEcCustomTabControl::tab_at_point(int x, int y) {
    ensure_layout();
    if (tabs().empty() || layout_.first_shown_tab() < 0) return -1;
    auto hit = [&](int i) {
        if (!layout_.is_tab_shown(i)) return false;
        const Rect r = layout_.physical_tab_rect(i, tab_index_);
        if (!contains({r.left, r.top, r.right + 1, r.bottom + 1}, x, y)) return false;
        HRGN region = tab_region(i, r);
        return PtInRegion(region, x, y) != FALSE;
    };
    if (tab_index_ >= 0 && hit(tab_index_)) return tab_index_;
    const int n = tab_count();
    for (int k = 0; k < n; ++k) {
        const int i = (layout_.first_shown_tab() + k) % n;
        if (i != tab_index_ && hit(i)) return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TEcCustomTabControl::paint(ui::Canvas& target) {
    ensure_layout();
    if (buffer_.width() != width() || buffer_.height() != height()) buffer_.set_size(width(), height());
    if (buffer_.empty()) return;
    ui::Canvas& canvas = buffer_.canvas();
    canvas.font().assign(font());
    const Rect whole{0, 0, width(), height()};
    bool handled = false;
    if (on_paint_background) on_paint_background(this, canvas, whole, handled);
    if (!handled) {
        if (transparent_) {
            paint_parent_background(*this, buffer_.dc(), false);
        } else {
            canvas.brush().style = ui::TBrushStyle::bsSolid;
            canvas.brush().color = parent_background_color_ && parent() ? parent()->color() : background_color_;
            canvas.fill_rect(whole);
        }
    }
    place_buttons();
    paint_tabs(canvas);
    BitBlt(target.handle(), 0, 0, width(), height(), buffer_.dc(), 0, 0, SRCCOPY);
}

void TEcCustomTabControl::paint_tabs(ui::Canvas& canvas) {
    const int n = tab_count();
    int front = -1;
    for (int i = 0; i < n; ++i)
        if (layout_.tabs[i].visible && layout_.tabs[i].row == 0) {
            front = i;
            break;
        }
    const int F = std::max(front, 0);
    int c = layout_.row_count() - 1;
    const int first_shown = layout_.first_shown_tab();
    auto drawable = [&](int i) { return layout_.is_tab_shown(i) && i >= first_shown; };
    if (n > 0) {
        const int start = F == 0 ? n - 1 : F - 1;
        int i = start;
        do {
            if (i != tab_index_ && drawable(i)) {
                const int row = layout_.tabs[i].row;
                if (row < c && c > 0) {
                    draw_card(canvas, c);
                    c = row;
                }
                draw_tab(canvas, i);
            }
            i = i == 0 ? n - 1 : i - 1;
        } while (i != start);
    }
    if (c == 1) draw_card(canvas, 1);
    if (tab_index_ >= 0 && drawable(tab_index_)) draw_tab(canvas, tab_index_);
    draw_card(canvas, 0);
}

void TEcCustomTabControl::draw_tab(ui::Canvas& canvas, int index) {
    const Rect rect = layout_.physical_tab_rect(index, tab_index_);
    const Rect clip = canvas.clip_rect();
    if (is_empty(intersection({rect.left, rect.top, rect.right + 1, rect.bottom + 1}, clip))) return;
    HRGN region = tab_region(index, rect);
    HDC dc = canvas.handle();
    {
        const int saved = SaveDC(dc);
        if (!saved) throw EEcTabControlError("Error saving device context");
        try {
            SelectClipRgn(dc, region);
            draw_tab_background(canvas, index, rect);
            draw_tab_contents(canvas, index, rect);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        canvas.set_handle(nullptr);
        RestoreDC(dc, saved);
        canvas.set_handle(dc);
    }
    outline_.clear();
    outline_.add(kOutlineBegin, {0, index});
    record_tab_outline(outline_, layout_, index, tab_index_, soft_corners_);
    replay(canvas);
}

void TEcCustomTabControl::draw_tab_background(ui::Canvas& canvas, int index, const Rect& rect) {
    const Rect area{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    bool handled = false;
    if (on_paint_tab_background) on_paint_tab_background(this, canvas, index, area, handled);
    if (handled) return;
    const TEcTabData& t = layout_.tabs[index];
    TColor fill = color(), base = tab_colors_.unselected(), shade = tab_colors_.shadow();
    if (use_colored_tabs_) {
        fill = base = t.color;
        shade = ui::color_to_rgb(t.color) == ui::color_to_rgb(ui::clWhite) ? ui::clBtnFace : darken_color(t.color, 30);
    }
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    if (index == tab_index_) {
        canvas.brush().color = fill;
        canvas.fill_rect(area);
        return;
    }
    if (use_gradients_ && display_traits().full_color) {
        switch (tab_orientation()) {
        case TEcTabOrientation::toTop: paint_gradient_fill(canvas, area, TGradientDirection::gdHorizontalEnd, shade, base); break;
        case TEcTabOrientation::toLeft: paint_gradient_fill(canvas, area, TGradientDirection::gdVerticalEnd, shade, base); break;
        case TEcTabOrientation::toBottom: paint_gradient_fill(canvas, area, TGradientDirection::gdHorizontalEnd, base, shade); break;
        case TEcTabOrientation::toRight: paint_gradient_fill(canvas, area, TGradientDirection::gdVerticalEnd, base, shade); break;
        }
        return;
    }
    canvas.brush().color = base;
    canvas.fill_rect(area);
}

TColor TEcCustomTabControl::tab_text_color(int index) {
    const TEcTabData& t = layout_.tabs[index];
    int style = 2;
    TColor color = text_colors_.unselected();
    if (!t.enabled) {
        style = 3;
        color = text_colors_.disabled();
    } else if (hot_track_ && index == hot_tab_ && index != tab_index_) {
        style = 0;
        color = hot_track_style_ == TEcTabHotTrackStyle::htsText ? hot_track_color_ : text_colors_.selected();
    } else if (index == tab_index_) {
        style = 1;
        color = text_colors_.selected();
    }
    bool handled = false;
    TColor asked = color;
    if (on_get_text_color) on_get_text_color(this, index, style, asked, handled);
    return handled ? asked : color;
}

void TEcCustomTabControl::draw_bar(ui::Canvas& canvas, const Rect& rect, TColor color) {
    Rect bar{rect.left - 1, rect.top - 1, rect.right + 2, rect.bottom + 2};
    switch (tab_orientation()) {
    case TEcTabOrientation::toTop: bar.bottom = bar.top + 6; break;
    case TEcTabOrientation::toLeft: bar.right = bar.left + 6; break;
    case TEcTabOrientation::toBottom: bar.top = bar.bottom - 4; break;
    case TEcTabOrientation::toRight: bar.left = bar.right - 4; break;
    }
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    canvas.brush().color = color;
    canvas.fill_rect(bar);
}

void TEcCustomTabControl::draw_tab_contents(ui::Canvas& canvas, int index, const Rect& rect) {
    const TEcTabData& t = layout_.tabs[index];
    const TabSettings& s = settings();
    const Rect inner = inner_rect(rect, s);
    const bool with_image = images_ && t.image_index != -1;
    const TabSize image = with_image ? TabSize{images_->width(), images_->height()} : TabSize{};
    Rect text = inner, pic = inner;
    if (with_image) {
        const int m = s.image_margin;
        switch (s.image_position) {
        case TEcImagePosition::ipLeft: pic.right = pic.left + image.cx, text.left += image.cx + m; break;
        case TEcImagePosition::ipRight: pic.left = pic.right - image.cx, text.right -= image.cx + m; break;
        case TEcImagePosition::ipTop: pic.bottom = pic.top + image.cy, text.top += image.cy + m; break;
        case TEcImagePosition::ipBottom: pic.top = pic.bottom - image.cy, text.bottom -= image.cy + m; break;
        default: break;
        }
        int x = pic.left, y = pic.top;
        if (s.image_position != TEcImagePosition::ipStretch) {
            if (image_alignment_ == TEcHorizontalAlignment::haCenter) x += (pic.width() - image.cx) / 2;
            if (image_alignment_ == TEcHorizontalAlignment::haRight) x = pic.right - image.cx;
            if (image_alignment_vertical_ == TEcVerticalAlignment::vaCenter) y += (pic.height() - image.cy) / 2;
            if (image_alignment_vertical_ == TEcVerticalAlignment::vaBottom) y = pic.bottom - image.cy;
        }
        const bool has_disabled = t.disabled_index != -1;
        const int shown = has_disabled && !t.enabled ? t.disabled_index : t.image_index;
        if (shown >= 0 && shown < images_->count()) images_->draw(canvas, x, y, shown, has_disabled || t.enabled);
    }
    const TColor color = tab_text_color(index);
    if (t.enabled && hot_track_ && hot_track_style_ == TEcTabHotTrackStyle::htsTab) {
        if (index == hot_tab_ && index != tab_index_)
            draw_bar(canvas, rect, hot_track_color_type_ == TEcHotTrackColorType::htctActual
                                       ? hot_track_color_
                                       : hue_opposite_color(hot_track_color_, 140));
        else if (index == tab_index_)
            draw_bar(canvas, rect, tab_colors_.highlight_bar());
    }
    if (!t.caption.empty()) draw_caption(canvas, index, text, color);
    if (show_focus_rect_ && index == tab_index_ && focused()) {
        Rect f = text;
        if (s.vertical_strip()) f.top -= 1, f.bottom += 1;
        else f.left -= 1, f.right += 1, f.bottom += 1;
        if (s.round()) {
            switch (s.orientation) {
            case TEcTabOrientation::toTop: f.top -= 1, f.bottom -= 1; break;
            case TEcTabOrientation::toLeft: f.left -= 2, f.right -= 2; break;
            case TEcTabOrientation::toBottom: f.top += 1, f.bottom += 1; break;
            case TEcTabOrientation::toRight: f.left += 2, f.right += 2; break;
            }
        }
        canvas.draw_focus_rect(f);
    }
}

void TEcCustomTabControl::draw_caption(ui::Canvas& canvas, int index, const Rect& r, TColor color) {
    const TabSettings& s = settings();
    const bool vertical = s.vertical_text();
    const bool down = vertical && s.orientation == TEcTabOrientation::toRight;
    const int tenths = !vertical ? 0 : down ? 2700 : 900;
    const CaptionFonts fonts = caption_fonts(font(), s.bold_current_tab && index == tab_index_, tenths);
    canvas.set_handle(nullptr);
    HDC dc = buffer_.dc();
    const int saved = SaveDC(dc);
    if (!saved) throw EEcTabControlError("Error saving device context");
    SelectObject(dc, fonts.normal.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::to_colorref(color));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const std::vector<std::string> lines = raw_lines(layout_.tabs[index].caption);
    std::vector<SIZE> sizes;
    int block = 0;
    for (const std::string& line : lines) {
        sizes.push_back(extent_of(dc, strip_accel_chars(line)));
        block += sizes.back().cy;
    }
    auto draw_piece = [&](int x, int y, const std::string& text, bool underline) {
        SelectObject(dc, underline ? fonts.underlined.get() : fonts.normal.get());
        const std::wstring w = plat::gbk_to_wide(text);
        TextOutW(dc, x, y, w.c_str(), static_cast<int>(w.size()));
        return static_cast<int>(extent_of(dc, text).cx);
    };
    const int across_room = vertical ? r.width() : r.height();
    const int along_room = vertical ? r.height() : r.width();
    int offset = 0;  // across, from the block's start
    const bool center_block = vertical ? text_alignment_ == TEcHorizontalAlignment::haCenter
                                       : text_alignment_vertical_ == TEcVerticalAlignment::vaCenter;
    const bool end_block = vertical ? text_alignment_ == TEcHorizontalAlignment::haRight
                                    : text_alignment_vertical_ == TEcVerticalAlignment::vaBottom;
    if (center_block) offset = (across_room - block) / 2;
    else if (end_block) offset = across_room - block;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const LinePieces p = split_line(lines[k]);
        const int len = sizes[k].cx;
        int along = 0;
        const bool center = vertical ? text_alignment_vertical_ == TEcVerticalAlignment::vaCenter
                                     : text_alignment_ == TEcHorizontalAlignment::haCenter;
        const bool at_end = vertical ? text_alignment_vertical_ == TEcVerticalAlignment::vaBottom
                                     : text_alignment_ == TEcHorizontalAlignment::haRight;
        if (center) along = (along_room - len) / 2;
        else if (at_end) along = along_room - len;
        if (!vertical) {
            int x = r.left + along;
            const int y = r.top + offset;
            x += draw_piece(x, y, p.before, false);
            if (!p.accel.empty()) x += draw_piece(x, y, p.accel, true);
            draw_piece(x, y, p.after, false);
        } else if (!down) {
            // Upward text: the line's top faces left; it starts at the bottom.
            const int x = r.left + offset;
            int y = r.bottom - along;
            y -= draw_piece(x, y, p.before, false);
            if (!p.accel.empty()) y -= draw_piece(x, y, p.accel, true);
            draw_piece(x, y, p.after, false);
        } else {
            const int x = r.right - offset;
            int y = r.top + along;
            y += draw_piece(x, y, p.before, false);
            if (!p.accel.empty()) y += draw_piece(x, y, p.accel, true);
            draw_piece(x, y, p.after, false);
        }
        offset += sizes[k].cy;
    }
    RestoreDC(dc, saved);
    canvas.set_handle(dc);
}

bool TEcCustomTabControl::paint_card_background(ui::Canvas& canvas, int row, const Rect& rect) {
    bool handled = false;
    if (on_paint_card_background) on_paint_card_background(this, canvas, row, rect, handled);
    return handled;
}

void TEcCustomTabControl::draw_card(ui::Canvas& canvas, int row) {
    Rect card = layout_.card_rect(row);
    if (is_empty({card.left, card.top, card.right + 1, card.bottom + 1})) return;
    const Rect area{card.left, card.top, card.right + 1, card.bottom + 1};
    if (!paint_card_background(canvas, row, area)) {
        canvas.brush().style = ui::TBrushStyle::bsSolid;
        canvas.brush().color = use_colored_tabs_ && tab_index_ >= 0 ? layout_.tabs[tab_index_].color : color();
        canvas.fill_rect(area);
    }
    if (!show_card_frame()) return;
    outline_.clear();
    outline_.add(kOutlineBegin, {1, row});
    const bool shown = tab_index_ >= 0 && layout_.is_tab_shown(tab_index_) && tab_index_ >= layout_.first_shown_tab();
    record_card_frame(outline_, layout_, row, tab_index_, shown, soft_corners_, true);
    replay(canvas);
}

void TEcCustomTabControl::replay(ui::Canvas& canvas) {
    TColor outline = outline_color();
    std::unique_ptr<ui::Bitmap> parent_image;
    if (outline_.has_shadow()) {
        parent_image = std::make_unique<ui::Bitmap>(width(), height());
        parent_image->canvas().brush().color = parent() ? parent()->color() : ui::clBtnFace;
        parent_image->canvas().fill_rect({0, 0, width(), height()});
        if (parent()) paint_parent_background(*this, parent_image->dc(), false);
    }
    POINT pen{0, 0};
    auto shadow_line = [&](POINT to, int strength) {
        const int x0 = std::min(pen.x, to.x), x1 = std::max(pen.x, to.x);
        const int y0 = std::min(pen.y, to.y), y1 = std::max(pen.y, to.y);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                if (x < 0 || y < 0 || x >= width() || y >= height()) continue;
                const TColor under = static_cast<TColor>(parent_image->pixel(x, y));
                canvas.set_pixel(x, y, mix_colors(ui::clBlack, under, strength));
            }
        pen = to;
        canvas.move_to(pen.x, pen.y);
    };
    const std::vector<std::int32_t>& c = outline_.codes;
    for (std::size_t i = 0; i < c.size();) {
        const std::int32_t code = c[i];
        if (code < kOutlineBegin) {
            if (code == kOutlinePen) canvas.pen().color = outline;
            ++i;
            continue;
        }
        const POINT p{c[i + 1], c[i + 2]};
        i += 3;
        switch (code) {
        case kOutlineBegin: outline = outline_color(); break;
        case kOutlineMove:
            canvas.move_to(p.x, p.y);
            pen = p;
            break;
        case kOutlineLine:
            canvas.line_to(p.x, p.y);
            pen = p;
            break;
        case kOutlineShadow30: shadow_line(p, 30); break;
        case kOutlineShadow15: shadow_line(p, 15); break;
        default: break;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Input

void TEcCustomTabControl::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_down(button, shift, x, y);
    if (!enabled()) return;
    const int t = tab_at_point(x, y);
    pressed_tab_ = t >= 0 && layout_.tabs[t].enabled && button == ui::TMouseButton::mbLeft ? t : -1;
    if (t < 0 || !layout_.tabs[t].enabled) return;
    if (tab_stop() && can_focus() && handle_allocated()) {
        set_focus();
        if (!focused()) return;
    }
    set_tab_index(t);
    if (tab_index_ == t && on_tab_click) on_tab_click(this);
}

void TEcCustomTabControl::mouse_move(ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_move(shift, x, y);
    if (allow_tab_dragging_ && pressed_tab_ >= 0 && shift.has(ui::TShiftStateFlag::ssLeft)) {
        dragging_ = true;
        drag_over(x, y);
        return;
    }
    if (hot_track_ || tab_hints_) update_hot(x, y);
}

void TEcCustomTabControl::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_up(button, shift, x, y);
    pressed_tab_ = -1;
    if (!dragging_) return;
    drag_over(x, y);
    const int target = drop_target_;
    end_drag();
    if (target >= 0) move_active_tab(target);
}

// Over itself the drop is taken only on a tab other than the selected one; elsewhere the tabs
// scroll toward the cursor on the drag timer.
void TEcCustomTabControl::drag_over(int x, int y) {
    drag_point_ = {x, y};
    const int t = tab_at_point(x, y);
    const int target = t >= 0 && t != tab_index_ ? t : -1;
    if (t < 0) {
        if (!drag_timer_->enabled()) {
            drag_timer_->set_interval(kFirstDragScrollMs);
            drag_timer_->set_enabled(true);
        }
    } else {
        drag_timer_->set_enabled(false);
    }
    if (target == drop_target_) return;
    if (mark_shown_) draw_drop_mark(mark_tab_);
    drop_target_ = target;
    if (target >= 0) draw_drop_mark(target);
}

void TEcCustomTabControl::end_drag() {
    drag_timer_->set_enabled(false);
    if (mark_shown_) draw_drop_mark(mark_tab_);
    dragging_ = false;
    drop_target_ = -1;
}

void TEcCustomTabControl::drag_scroll_tick() {
    drag_timer_->set_interval(kDragScrollMs);
    if (!dragging_) {
        drag_timer_->set_enabled(false);
        return;
    }
    const Rect strip = layout_.tab_strip_rect();
    const bool vertical = layout_.settings.vertical_strip();
    const int p = vertical ? drag_point_.y : drag_point_.x;
    const int lo = vertical ? strip.top : strip.left, hi = vertical ? strip.bottom : strip.right;
    int direction = p > hi ? 1 : p < lo ? -1 : 0;  // +1: past the strip's end
    if (direction == 0) return;
    // Above the control means forward for left tabs and back for right tabs.
    if (tab_orientation() == TEcTabOrientation::toLeft) direction = -direction;
    if (tab_sequence() == TEcTabSequence::tsReverse) direction = -direction;
    scroll_tabs(direction > 0);
}

void TEcCustomTabControl::draw_drop_mark(int target) {
    const bool erase = mark_shown_ && target == mark_tab_;
    mark_shown_ = !erase;
    mark_tab_ = erase ? -1 : target;
    if (!handle_allocated() || target < 0 || target >= tab_count()) return;
    const Rect r = layout_.physical_tab_rect(target, tab_index_);
    const bool vertical = layout_.settings.vertical_strip();
    const bool slanted = tab_style() == TEcTabStyle::tsSingleSlant || tab_style() == TEcTabStyle::tsDoubleSlant ||
                         tab_style() == TEcTabStyle::tsBackSlant;
    const Rect sel = tab_index_ >= 0 ? layout_.physical_tab_rect(tab_index_, tab_index_) : r;
    // The edge facing the selected tab, along the strip.
    const bool before = vertical ? sel.top < r.top : sel.left < r.left;
    int edge = vertical ? (before ? r.top : r.bottom) : (before ? r.left : r.right);
    if (slanted) edge += (before ? 1 : -1) * fixed_dimension() / 2;
    Rect band;
    switch (tab_orientation()) {
    case TEcTabOrientation::toTop: band = {edge - 7, r.top - 2, edge + 8, r.top + 6}; break;
    case TEcTabOrientation::toBottom: band = {edge - 7, r.bottom - 6, edge + 8, r.bottom + 2}; break;
    case TEcTabOrientation::toLeft: band = {r.left - 2, edge - 7, r.left + 6, edge + 8}; break;
    case TEcTabOrientation::toRight: band = {r.right - 6, edge - 7, r.right + 2, edge + 8}; break;
    }
    const POINT a = client_to_screen({band.left, band.top});
    const POINT b = client_to_screen({band.right, band.bottom});
    ui::ClientDC screen(nullptr);
    HDC dc = screen.get();
    ui::GdiObject<HBRUSH> shade(CreateSolidBrush(ui::to_colorref(ui::clBtnShadow)));
    HGDIOBJ old_brush = SelectObject(dc, shade.get());
    PatBlt(dc, a.x, a.y, b.x - a.x, b.y - a.y, PATINVERT);
    // Two 8-pixel triangles pointing at the edge, inverted in.
    const int mid_x = (a.x + b.x) / 2, mid_y = (a.y + b.y) / 2;
    std::vector<std::vector<POINT>> triangles;
    if (!vertical) {
        triangles.push_back({{mid_x - 8, a.y}, {mid_x, a.y}, {mid_x, a.y + 8}});
        triangles.push_back({{mid_x + 8, a.y}, {mid_x + 1, a.y}, {mid_x + 1, a.y + 8}});
    } else {
        triangles.push_back({{a.x, mid_y - 8}, {a.x, mid_y}, {a.x + 8, mid_y}});
        triangles.push_back({{a.x, mid_y + 8}, {a.x, mid_y + 1}, {a.x + 8, mid_y + 1}});
    }
    for (const auto& tri : triangles) {
        ui::Region region(CreatePolygonRgn(tri.data(), 3, WINDING));
        if (region.get()) InvertRgn(dc, region.get());
    }
    SelectObject(dc, old_brush);
}

void TEcCustomTabControl::repaint_strip() {
    if (!handle_allocated()) return;
    const RECT r = ui::to_rect(layout_.tab_strip_rect());
    RECT grown{r.left, r.top, r.right + 3, r.bottom + 3};
    InvalidateRect(handle(), &grown, FALSE);
}

void TEcCustomTabControl::update_hot(int x, int y) {
    const int t = tab_at_point(x, y);
    if (t >= 0) {
        if (t == hot_tab_) return;
        hot_tab_ = t;
        repaint_strip();
        if (tab_hints_) {
            ui::application().cancel_hint();
            set_hint(layout_.tabs[t].hint);
        }
        if (!hover_timer_ && handle_allocated()) hover_timer_ = SetTimer(handle(), kHoverTimerId, kHoverMs, nullptr) != 0;
        return;
    }
    const bool in_strip = contains(layout_.tab_strip_rect(), x, y);
    if (tab_hints_ && (hot_tab_ >= 0 || in_strip)) ui::application().cancel_hint();
    if (hot_tab_ >= 0) clear_hot_tab();
    if (in_strip && tab_hints_) set_hint({});
}

void TEcCustomTabControl::clear_hot_tab() {
    if (hover_timer_ && handle_allocated()) KillTimer(handle(), kHoverTimerId);
    hover_timer_ = false;
    hot_tab_ = -1;
    repaint_strip();
    if (tab_hints_) set_hint(own_hint_);
}

int TEcCustomTabControl::step_tab(int from, bool next) const {
    const int n = tab_count();
    if (n == 0) return -1;
    int i = from < 0 ? (next ? n - 1 : 0) : from;
    for (int k = 0; k < n; ++k) {
        i = next ? (i + 1) % n : (i - 1 + n) % n;
        if (i == from) break;
        if (const_cast<TEcCustomTabControl*>(this)->can_select_tab(i)) return i;
    }
    return from;
}

bool TEcCustomTabControl::do_key_down(WORD& key, ui::TShiftState shift) {
    if (CustomControl::do_key_down(key, shift)) return true;
    const int n = tab_count();
    if (n == 0) return false;
    const bool left_tabs = tab_orientation() == TEcTabOrientation::toLeft;
    const bool rev = tab_sequence() == TEcTabSequence::tsReverse;
    int target = -2;
    switch (key) {
    case VK_HOME:
    case VK_END: {
        bool first = key == VK_HOME;
        if (left_tabs != rev) first = !first;
        if (first) {
            for (int i = 0; i < n && target < 0; ++i)
                if (can_select_tab(i)) target = i;
        } else {
            for (int i = n - 1; i >= 0 && target < 0; --i)
                if (can_select_tab(i)) target = i;
        }
        break;
    }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        bool next = key == VK_RIGHT || key == VK_DOWN;
        if (rev) next = !next;
        if (left_tabs) next = !next;
        target = step_tab(tab_index_, next);
        break;
    }
    default: return false;
    }
    if (target >= 0 && target != tab_index_) select_from_keyboard(target);
    return true;
}

void TEcCustomTabControl::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_GETDLGCODE:
        m.result = DLGC_WANTARROWS;
        return;
    case WM_ERASEBKGND:
        m.result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        CustomControl::wnd_proc(m);
        invalidate();
        return;
    case WM_TIMER:
        if (m.wparam == kHoverTimerId) {
            POINT p{};
            GetCursorPos(&p);
            p = screen_to_client(p);
            if (!contains(client_rect(), p.x, p.y) || tab_at_point(p.x, p.y) < 0) clear_hot_tab();
            m.result = 0;
            return;
        }
        break;
    case ui::CM_DIALOGCHAR:
        if (can_focus()) {
            const char ch = static_cast<char>(std::tolower(static_cast<int>(m.wparam & 0xFF)));
            for (int i = 0; i < tab_count(); ++i) {
                const TEcTabData& t = layout_.tabs[i];
                if (!t.enabled || !t.visible || tab_accelerator(t.caption) != ch || ch == 0) continue;
                m.result = 1;
                set_focus();
                if (focused()) {
                    set_tab_index(i);
                    if (on_tab_click) on_tab_click(this);
                }
                return;
            }
        }
        break;
    case ui::CM_PARENTCOLORCHANGED:
        CustomControl::wnd_proc(m);
        if (parent_background_color_ && parent()) {
            background_color_ = parent()->color();
            invalidate();
        }
        return;
    default: break;
    }
    CustomControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// Pages

ui::ClassInfo& TEcTabSheet::static_class() {
    static ui::ClassInfo info = [] {
        using T = TEcTabSheet;
        ui::ClassInfo c("TEcTabSheet", &CustomControl::static_class());
        c.factory = ui::factory_of<TEcTabSheet>();
        PropBuilder<T>(c)
            .string("Caption", [](const T& t) { return t.text(); }, [](T& t, const std::string& v) { t.set_text(v); }, "TCaption")
            .color("Color", &T::sheet_color, &T::set_sheet_color, ui::clBtnFace)
            .integer("DisabledIndex", &T::disabled_index, &T::set_disabled_index, -1, "TImageIndex")
            .integer("ImageIndex", &T::image_index, &T::set_image_index, -1, "TImageIndex")
            .integer("PageIndex", &T::page_index, &T::set_page_index)
            .stored([](const T&) { return false; })
            .boolean("TabEnabled", &T::tab_enabled, &T::set_tab_enabled, true)
            .boolean("TabVisible", &T::tab_visible, &T::set_tab_visible, true)
            // The page control decides which page shows.
            .boolean(
                "Visible", [](const T& t) { return t.visible(); },
                [](T&, bool) { throw EEcTabControlError("You cannot change the Visible property of a page"); }, true)
            .stored([](const T&) { return false; })
            .event("OnPaintBackground", "TEcPaintBackgroundEvent", &T::on_paint_background)
            .event("OnShow", "TNotifyEvent", &T::on_show)
            .event("OnHide", "TNotifyEvent", &T::on_hide);
        return c;
    }();
    return info;
}

TEcTabSheet::TEcTabSheet(ui::Component* owner) : CustomControl(owner) {
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csAcceptsControls);
    s.include(ui::TControlStyleFlag::csOpaque);
    set_control_style(s);
    Control::set_visible(false);
    set_align(ui::TAlign::alClient);
}

TEcTabSheet::~TEcTabSheet() {
    release_owned();
    set_page_control(nullptr);
}

bool TEcTabSheet::adopt_child(ui::Component* child) {
    auto* c = dynamic_cast<ui::Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void TEcTabSheet::set_page_control(TEcPageControl* pc) {
    if (pc == page_control_) return;
    if (page_control_) page_control_->remove_page(this);
    if (pc) pc->insert_page(this);
}

void TEcTabSheet::changed() {
    if (page_control_) page_control_->layout_changed();
}

void TEcTabSheet::set_sheet_color(TColor v) {
    if (page_control_ && !page_control_->use_colored_tabs()) {
        if (v != page_control_->color()) page_control_->set_use_colored_tabs(true);
        else if (color() == v) return;
    }
    if (v == color()) return;
    set_color(v);
    changed();
}

void TEcTabSheet::set_disabled_index(int v) {
    if (v == disabled_index_) return;
    disabled_index_ = v;
    changed();
}

void TEcTabSheet::set_image_index(int v) {
    if (v == image_index_) return;
    image_index_ = v;
    changed();
}

int TEcTabSheet::page_index() const {
    if (!page_control_) return -1;
    auto& p = page_control_->pages_;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TEcTabSheet::set_page_index(int v) {
    if (!page_control_) return;
    auto& p = page_control_->pages_;
    const int last = static_cast<int>(p.size()) - 1;
    if (v < 0 || v > last) {
        char text[128];
        std::snprintf(text, sizeof text, "%d is an invalid PageIndex value. PageIndex must be between 0 and %d", v, last);
        throw EEcTabControlError(text);
    }
    const int old = page_index();
    if (old == v) return;
    p.erase(p.begin() + old);
    p.insert(p.begin() + v, this);
    changed();
    if (page_control_->on_tab_order_change) page_control_->on_tab_order_change(page_control_, old, v);
}

void TEcTabSheet::set_tab_enabled(bool v) {
    if (v == tab_enabled_) return;
    tab_enabled_ = v;
    changed();
}

void TEcTabSheet::set_tab_visible(bool v) {
    if (v == tab_visible_) return;
    tab_visible_ = v;
    changed();
}

int TEcTabSheet::visible_tab_index() const {
    if (!page_control_ || !tab_visible_) return -1;
    int n = 0;
    for (TEcTabSheet* s : page_control_->pages_) {
        if (s == this) return n;
        if (s->tab_visible_) ++n;
    }
    return -1;
}

void TEcTabSheet::text_changed() { changed(); }

void TEcTabSheet::paint(ui::Canvas& canvas) {
    const Rect r = client_rect();
    bool handled = false;
    if (on_paint_background) on_paint_background(this, canvas, r, handled);
    if (handled) return;
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    canvas.brush().color = color();
    canvas.fill_rect(r);
}

void TEcTabSheet::wnd_proc(ui::Message& m) {
    if (m.msg == ui::CM_SHOWINGCHANGED) {
        try {
            if (m.wparam && on_show) on_show(this);
            if (!m.wparam && on_hide) on_hide(this);
        } catch (...) {
            ui::application().handle_exception(std::current_exception());
        }
    }
    CustomControl::wnd_proc(m);
}

ui::ClassInfo& TEcPageControl::static_class() {
    static ui::ClassInfo info = [] {
        using T = TEcPageControl;
        ui::ClassInfo c("TEcPageControl", &TEcCustomTabControl::static_class());
        c.factory = ui::factory_of<TEcPageControl>();
        PropBuilder<T>(c)
            .reference<TEcTabSheet>("ActivePage", "TEcTabSheet", &T::active_page, &T::set_active_page)
            .reference<TEcTabSheet>("ActivePageDefault", "TEcTabSheet", &T::active_page_default, &T::set_active_page_default)
            .boolean("SaveResources", &T::save_resources, &T::set_save_resources, false)
            .boolean("DblClickUndocks", &T::dbl_click_undocks, &T::set_dbl_click_undocks, true)
            .boolean("DockSite", &T::dock_site, &T::set_dock_site, false);
        return c;
    }();
    return info;
}

TEcPageControl::TEcPageControl(ui::Component* owner) : TEcCustomTabControl(owner) {
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csOpaque);
    set_control_style(s);
    set_height(150);
}

TEcPageControl::~TEcPageControl() {
    release_owned();
    for (TEcTabSheet* p : std::vector<TEcTabSheet*>(pages_)) p->page_control_ = nullptr;
    pages_.clear();
    active_page_ = active_page_default_ = nullptr;
}

bool TEcPageControl::adopt_child(ui::Component* child) {
    auto* sheet = dynamic_cast<TEcTabSheet*>(child);
    if (!sheet) return false;
    sheet->set_page_control(this);
    return true;
}

std::vector<ui::Component*> TEcPageControl::children() const { return {pages_.begin(), pages_.end()}; }

void TEcPageControl::insert_page(TEcTabSheet* page) {
    if (!loading() && parent()) handle_needed();
    pages_.push_back(page);
    page->page_control_ = this;
    page->set_parent(this);
    layout_changed();
}

void TEcPageControl::remove_page(TEcTabSheet* page) {
    if (page == active_page_) change_active_page(nullptr);
    if (page == active_page_default_) active_page_default_ = nullptr;
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->page_control_ = nullptr;
    if (page->parent() == this && !destroying()) page->set_parent(nullptr);
    if (!destroying()) layout_changed();
}

void TEcPageControl::notification(ui::Component* c, ui::TOperation op) {
    TEcCustomTabControl::notification(c, op);
    if (op != ui::TOperation::opRemove) return;
    if (c == active_page_default_) active_page_default_ = nullptr;
}

// The tabs are the pages with a visible tab, in page order.
void TEcPageControl::layout_changed() {
    if (rebuilding_) return;
    rebuilding_ = true;
    auto& records = tabs();
    records.clear();
    for (TEcTabSheet* p : pages_) {
        if (!p->tab_visible()) continue;
        TEcTabData d;
        d.caption = p->text();
        d.color = p->color();
        d.enabled = p->tab_enabled();
        d.visible = true;
        d.hint = p->hint();
        d.image_index = p->image_index();
        d.disabled_index = p->disabled_index();
        records.push_back(d);
    }
    rebuilding_ = false;
    if (active_page_ && !loading()) {
        const int t = active_page_->visible_tab_index();
        if (t >= 0 && t != tab_index()) {
            TEcCustomTabControl::layout_changed();
            select_from_layout(t);
        } else if (t < 0 && tab_index() != -1) {
            TEcCustomTabControl::layout_changed();
            set_tab_index(-1);
        }
    }
    TEcCustomTabControl::layout_changed();
}

bool TEcPageControl::can_change(int new_index) {
    if (!own_loading_ && !TEcCustomTabControl::can_change(new_index)) return false;
    int n = 0;
    for (TEcTabSheet* p : pages_) {
        if (!p->tab_visible()) continue;
        if (n++ == new_index) {
            change_active_page(p);
            break;
        }
    }
    return true;
}

void TEcPageControl::change() {
    if (!own_loading_) TEcCustomTabControl::change();
}

void TEcPageControl::set_active_page(TEcTabSheet* page) {
    if (page && page->page_control() != this) return;
    if (loading()) {
        active_page_ = page;
        return;
    }
    const int t = page ? page->visible_tab_index() : -1;
    if (t < 0) {
        const bool changed = page != active_page_;
        change_active_page(page);
        if (changed && !own_loading_ && on_page_change) on_page_change(this);
        set_tab_index(-1);
        return;
    }
    if (t == tab_index() && page != active_page_) {
        change_active_page(page);
        if (!own_loading_ && on_page_change) on_page_change(this);
        return;
    }
    set_tab_index(t);
}

void TEcPageControl::set_active_page_default(TEcTabSheet* page) {
    if (page && page->page_control() != this) return;
    active_page_default_ = page;
    if (page) free_notification(page);
}

void TEcPageControl::set_active_page_index(int v) {
    if (v < 0 || v >= page_count()) {
        set_tab_index(-1);
        return;
    }
    set_active_page(pages_[static_cast<std::size_t>(v)]);
}

void TEcPageControl::set_save_resources(bool v) {
    save_resources_ = v;
    if (v && !loading())
        for (TEcTabSheet* p : pages_)
            if (p != active_page_) p->destroy_handle();
}

void TEcPageControl::change_active_page(TEcTabSheet* page) {
    if (page == active_page_) return;
    ui::Form* form = parent_form();
    TEcTabSheet* old = active_page_;
    if (form && old && old->contains_control(form->active_control()) && old->can_focus()) form->set_active_control(old);
    if (page) {
        page->bring_to_front();
        page->Control::set_visible(true);
        if (form && old && form->active_control() == old)
            form->set_active_control(page->can_focus() ? static_cast<ui::WinControl*>(page) : this);
    }
    if (old) {
        old->Control::set_visible(false);
        if (old->handle_allocated()) ShowWindow(old->handle(), SW_HIDE);
        if (save_resources_) old->destroy_handle();
    }
    if (page && page->handle_allocated()) ShowWindow(page->handle(), SW_SHOWNA);
    active_page_ = page;
    if (page) free_notification(page);
    realign();
    if (form && page && form->active_control() == page) page->select_first();
}

void TEcPageControl::close_active_tab() {
    if (!active_page_) return;
    TEcTabSheet* closing = active_page_;
    const int index = closing->page_index();
    delete closing;
    if (pages_.empty()) return;
    set_active_page(pages_[static_cast<std::size_t>(std::max(0, index - 1))]);
}

void TEcPageControl::move_active_tab(int new_index) {
    if (active_page_) active_page_->set_page_index(new_index);
}

void TEcPageControl::hide_all_tabs() {
    for (TEcTabSheet* p : pages_) p->set_tab_visible(false);
}

void TEcPageControl::show_all_tabs() {
    for (TEcTabSheet* p : pages_) p->set_tab_visible(true);
}

bool TEcPageControl::paint_card_background(ui::Canvas& canvas, int row, const Rect& rect) {
    if (TEcCustomTabControl::paint_card_background(canvas, row, rect)) return true;
    if (row != 0 || tab_index() < 0 || !active_page_) return false;
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    canvas.brush().color = active_page_->color();
    canvas.fill_rect(rect);
    return true;
}

void TEcPageControl::set_use_colored_tabs(bool v) {
    if (v == use_colored_tabs()) return;
    TEcCustomTabControl::set_use_colored_tabs(v);
    if (!v) color_changed();
}

void TEcPageControl::color_changed() {
    TEcCustomTabControl::color_changed();
    if (use_colored_tabs()) return;
    for (TEcTabSheet* p : pages_) p->set_color(color());
    layout_changed();
}

// After loading the active page decides the selection, without change events.
void TEcPageControl::loaded() {
    own_loading_ = true;
    try {
        TEcCustomTabControl::loaded();
        ensure_layout();
        set_tab_index(-1);
        TEcTabSheet* chosen = active_page_;
        if (active_page_default_ && active_page_default_ != active_page_) {
            if (active_page_) active_page_->Control::set_visible(false);
            chosen = active_page_default_;
        }
        active_page_ = nullptr;
        layout_changed();
        set_active_page(chosen);
    } catch (...) {
        own_loading_ = false;
        throw;
    }
    own_loading_ = false;
}

void TEcPageControl::select_next_page(bool forward) {
    const int n = page_count();
    if (n == 0) return;
    const int start = std::max(0, active_page_index());
    for (int step = 1; step <= n; ++step) {
        TEcTabSheet* s = pages_[static_cast<std::size_t>(((forward ? start + step : start - step) % n + n) % n)];
        if (s->tab_visible()) {
            set_active_page(s);
            return;
        }
    }
}

void TEcPageControl::wnd_proc(ui::Message& m) {
    if (m.msg == ui::CM_DIALOGKEY) {
        TEcCustomTabControl::wnd_proc(m);
        if (m.result != 0) return;
        ui::Form* form = parent_form();
        if (m.wparam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && form && contains_control(form->active_control()) &&
            form->active_control() != this) {
            select_next_page(GetKeyState(VK_SHIFT) >= 0);
            m.result = 1;
        }
        return;
    }
    if (m.msg == WM_SETFOCUS && active_page_ && !active_page_->tab_visible() && active_page_->control_count() > 0) {
        TEcCustomTabControl::wnd_proc(m);
        active_page_->select_first();
        return;
    }
    TEcCustomTabControl::wnd_proc(m);
}

void register_tab_classes() {
    ui::register_class(TEcPageControl::static_class());
    ui::register_class(TEcTabSheet::static_class());
}

} // namespace ec
