#include "controls/ec_rad_grp.h"

#include <algorithm>

#include "controls/model/accel_text.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/application.h"

namespace ec {

// ---------------------------------------------------------------------------------------------
// TEcGroupButton

ui::ClassInfo& TEcGroupButton::static_class() {
    static ui::ClassInfo info("TEcGroupButton", &TEcRadioButton::static_class());
    return info;
}

TEcGroupButton::TEcGroupButton(TEcCustomRadioGroup& group) : TEcRadioButton(&group), group_(group) {
    set_visible(false);
    set_enabled(group.enabled());
    set_show_hint(false);
    set_parent(&group);
    on_click = [this](ui::Component*) { group_.button_clicked(*this); };
}

TEcGroupButton::~TEcGroupButton() { group_.remove_button(this); }

void TEcGroupButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (!group_.can_modify()) return;
    try {
        TEcRadioButton::mouse_down(button, shift, x, y);
    } catch (...) {
        ui::application().handle_exception(std::current_exception());
    }
}

void TEcGroupButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    // A release that arrives while the previous one is handled (a box shown by OnClick) is dropped.
    if (in_release_ || !group_.can_modify()) return;
    in_release_ = true;
    try {
        TEcRadioButton::mouse_up(button, shift, x, y);
    } catch (...) {
        in_release_ = false;
        ui::application().handle_exception(std::current_exception());
        return;
    }
    in_release_ = false;
}

bool TEcGroupButton::do_key_press(wchar_t& key) {
    if ((key == L'\b' || key == L' ') && !group_.can_modify()) return true;
    return TEcRadioButton::do_key_press(key);
}

// ---------------------------------------------------------------------------------------------
// TEcCustomRadioGroup

ui::ClassInfo& TEcCustomRadioGroup::static_class() {
    static ui::ClassInfo info = [] {
        using G = TEcCustomRadioGroup;
        ui::ClassInfo c("TEcCustomRadioGroup", &TEcCustomGroupBox::static_class());
        ui::PropBuilder<G> b(c);
        b.integer("Columns", &G::columns, &G::set_columns, 1)
            .object("CustomGlyphs", ui::PropKind::Object, "TBitmap", [](G& x) -> ui::Persistent* { return &x.custom_glyphs_; })
            .object("ItemFont", ui::PropKind::Object, "TFont", [](G& x) -> ui::Persistent* { return &x.item_font_; })
            .stored([](const G& x) { return x.item_font_set_; })
            .color("ItemFrameColor", &G::item_frame_color, &G::set_item_frame_color, ui::clBtnShadow)
            .integer("ItemHeight", &G::item_height, &G::set_item_height, 17)
            .color("ItemHighlightColor", &G::item_highlight_color, &G::set_item_highlight_color, ui::clHighlight)
            .boolean("ItemHotTrack", &G::item_hot_track, &G::set_item_hot_track)
            .color("ItemHotTrackColor", &G::item_hot_track_color, &G::set_item_hot_track_color, kDefaultHotTrackColor)
            .enumeration("ItemHotTrackColorType", &G::item_hot_track_color_type, &G::set_item_hot_track_color_type,
                         TEcHotTrackColorType::htctActual)
            .object("Items", ui::PropKind::StringList, "TStrings", [](G& x) -> ui::Persistent* { return &x.items_; })
            .integer("ItemIndex", &G::item_index, &G::set_item_index, -1)
            .boolean("LightTextStyle", &G::light_text_style, &G::set_light_text_style)
            .enumeration("TextStyle", &G::text_style, &G::set_text_style, TTextStyle::tsNormal)
            .color("TextHighlightColor", &G::text_highlight_color, &G::set_text_highlight_color, ui::clBtnHighlight)
            .color("TextShadowColor", &G::text_shadow_color, &G::set_text_shadow_color, ui::clBtnShadow)
            .integer("TextShadowDepth", &G::text_shadow_depth, &G::set_text_shadow_depth, 2)
            .boolean("SpaceEvenly", &G::space_evenly, &G::set_space_evenly)
            .integer("StartXPos", &G::start_x_pos, &G::set_start_x_pos, 8)
            .integer("StartYPos", &G::start_y_pos, &G::set_start_y_pos, 2)
            .boolean("TabOnEnter", &G::tab_on_enter, &G::set_tab_on_enter)
            .color("TransparentColor", &G::transparent_color, &G::set_transparent_color, ui::clOlive)
            .boolean("UseCustomGlyphs", &G::use_custom_glyphs, &G::set_use_custom_glyphs)
            .integer("VerticalSpacing", &G::vertical_spacing, &G::set_vertical_spacing, 3)
            .color("WinMaskColor", &G::win_mask_color, &G::set_win_mask_color, ui::clTeal)
            .event("OnChanging", "TEcIndexChangingEvent", &G::on_changing)
            .obsolete("Flat", ui::ObsoleteValue::Boolean,
                      [](G& x, const ui::DescValue& v) { x.set_item_hot_track(ui::same_text(v.text, "True")); });
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcRadioGroup::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcRadioGroup", &TEcCustomRadioGroup::static_class());
        c.factory = ui::factory_of<TEcRadioGroup>();
        return c;
    }();
    return info;
}

TEcCustomRadioGroup::TEcCustomRadioGroup(ui::Component* owner) : TEcCustomGroupBox(owner) {
    ui::TControlStyle s = control_style();
    s.exclude(ui::TControlStyleFlag::csReplicatable);
    set_control_style(s);
    item_font_.set_name("MS Sans Serif");
    item_font_.set_size(8);
    item_font_.on_change = [this](ui::Font&) {
        if (!following_font_) item_font_set_ = true;
        layout_buttons();
        invalidate();
    };
    items_.on_change = [this](ui::StringList&) {
        if (loading()) return;
        if (item_index_ >= items_.count()) item_index_ = items_.count() - 1;
        rebuild_buttons();
    };
    custom_glyphs_.on_change = [this](ui::Bitmap&) { set_use_custom_glyphs(true); };
}

TEcCustomRadioGroup::~TEcCustomRadioGroup() {
    items_.on_change = nullptr;
    set_button_count(0);
}

void TEcCustomRadioGroup::remove_button(TEcGroupButton* b) {
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), b), buttons_.end());
}

void TEcCustomRadioGroup::set_button_count(int n) {
    while (button_count() < n) buttons_.push_back(new TEcGroupButton(*this));
    while (button_count() > n) delete buttons_.back();  // the button takes itself off the list
}

void TEcCustomRadioGroup::rebuild_buttons() {
    set_button_count(items_.count());
    for (int i = 0; i < button_count(); ++i) buttons_[static_cast<std::size_t>(i)]->set_caption(items_.get(i));
    if (item_index_ >= 0) {
        rebuilding_ = true;
        buttons_[static_cast<std::size_t>(item_index_)]->set_checked(true);
        rebuilding_ = false;
    }
    layout_buttons();
    invalidate();
}

void TEcCustomRadioGroup::loaded() {
    TEcCustomGroupBox::loaded();
    item_index_ = clamp_radio_item_index(item_index_, items_.count());
    rebuild_buttons();
}

void TEcCustomRadioGroup::layout_buttons() {
    if (buttons_.empty() || loading()) return;
    ui::Rect client = client_rect();
    adjust_client_rect(client);
    RadioGroupMetrics m;
    m.columns = columns_;
    m.width = width();
    m.client_width = client_width();
    m.client_top = client.top;
    m.border_width = border_width();
    m.start_x = start_x_;
    m.start_y = start_y_;
    m.item_height = item_height_;
    m.vertical_spacing = vertical_spacing_;
    m.glyph_width = glyph_width_;
    m.space_evenly = space_evenly_;
    m.right_to_left = use_right_to_left_reading();
    std::vector<int> widths;
    {
        const ui::ClientDC screen(nullptr);
        ui::Canvas canvas(screen.get());
        canvas.font().assign(item_font_);
        for (int i = 0; i < items_.count(); ++i) widths.push_back(canvas.text_width(strip_accel_chars(items_.get(i))));
        canvas.set_handle(nullptr);
    }
    widths.resize(buttons_.size(), 0);
    const std::vector<ui::Rect> places = radio_group_layout(m, widths);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        TEcGroupButton& b = *buttons_[i];
        b.set_bounds(places[i].left, places[i].top, places[i].width(), places[i].height());
        b.set_visible(true);
        b.font().assign(item_font_);
        b.set_bidi_mode(bidi_mode());
        b.set_text_highlight_color(text_highlight_color_);
        b.set_text_shadow_color(text_shadow_color_);
        b.set_text_shadow_depth(text_shadow_depth_);
        b.set_light_text_style(light_text_style_);
        b.set_text_style(text_style_);
        b.set_transparent(transparent());
        b.set_win_mask_color(win_mask_color_);
        b.set_transparent_color(transparent_color_);
        if (use_custom_glyphs_) b.set_custom_glyphs(custom_glyphs_);
        b.set_use_custom_glyphs(use_custom_glyphs_);
        b.set_frame_color(item_frame_color_);
        b.set_hot_track(item_hot_track_);
        b.set_highlight_color(item_highlight_color_);
        b.set_hot_track_color(item_hot_track_color_);
        b.set_hot_track_color_type(item_hot_track_color_type_);
        b.set_tab_on_enter(tab_on_enter_);
    }
}

void TEcCustomRadioGroup::set_use_custom_glyphs(bool v) {
    use_custom_glyphs_ = v;
    if (v && !custom_glyphs_.empty()) {
        glyph_width_ = custom_glyphs_.width() / 6;
        glyph_height_ = custom_glyphs_.height();
    } else {
        glyph_width_ = glyph_height_ = 13;
    }
    layout_buttons();
    invalidate();
}

void TEcCustomRadioGroup::set_group_style(TEcGroupBoxStyle v) {
    TEcCustomGroupBox::set_group_style(v);
    layout_buttons();
    invalidate();
}

void TEcCustomRadioGroup::set_item_index(int v) {
    if (loading()) {
        item_index_ = v;
        return;
    }
    v = clamp_radio_item_index(v, button_count());
    if (v == item_index_) return;
    if (item_index_ >= 0) {
        rebuilding_ = true;
        buttons_[static_cast<std::size_t>(item_index_)]->set_checked(false);
        rebuilding_ = false;
    }
    if (v < 0) {
        item_index_ = v;
        return;
    }
    // The new button's click asks OnChanging and fires OnClick, as a user's choice does.
    buttons_[static_cast<std::size_t>(v)]->set_checked(true);
}

// The index is stored before OnChanging is asked, so that the handler reads the new choice;
// a refusal puts the previous one back, checked and focused.
void TEcCustomRadioGroup::button_clicked(TEcGroupButton& b) {
    if (rebuilding_) return;
    const auto it = std::find(buttons_.begin(), buttons_.end(), &b);
    if (it == buttons_.end()) return;
    const int index = static_cast<int>(it - buttons_.begin());
    const int previous = item_index_;
    item_index_ = index;
    bool allow = true;
    if (on_changing) on_changing(this, index, allow);
    if (allow) {
        click();
        return;
    }
    item_index_ = previous;
    rebuilding_ = true;
    if (previous < 0) {
        b.set_checked(false);
    } else {
        TEcGroupButton& back = *buttons_[static_cast<std::size_t>(previous)];
        back.set_checked(true);
        if (back.can_focus() && handle_allocated()) back.set_focus();
    }
    rebuilding_ = false;
}

void TEcCustomRadioGroup::change_scale(int multiplier, int divider) {
    const RadioGroupScaled scaled =
        scale_radio_group({vertical_spacing_, item_height_, start_y_, item_font_.height()}, multiplier, divider,
                          item_font_set_);
    vertical_spacing_ = scaled.vertical_spacing;
    item_height_ = scaled.item_height;
    start_y_ = scaled.start_y;
    if (item_font_set_) item_font_.set_height(scaled.item_font_height);
    layout_buttons();
}

void TEcCustomRadioGroup::refresh_frame_from_controller() {
    FrameController* fc = frame_controller();
    if (!fc || !fc->frame_visible()) return;
    TEcCustomGroupBox::refresh_frame_from_controller();
    item_frame_color_ = fc->frame_color();
    for (TEcGroupButton* b : buttons_) b->set_disabled_color(fc->disabled_color());
    layout_buttons();
}

void TEcCustomRadioGroup::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case ui::CM_DIALOGCHAR:
        if (ui::is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            select_first();
            m.result = 1;
            return;
        }
        break;
    case ui::CM_ENABLEDCHANGED:
        TEcCustomGroupBox::wnd_proc(m);
        for (TEcGroupButton* b : buttons_) b->set_enabled(enabled());
        return;
    case ui::CM_FONTCHANGED:
        TEcCustomGroupBox::wnd_proc(m);
        if (!item_font_set_) {
            following_font_ = true;
            item_font_.assign(font());
            following_font_ = false;
        }
        invalidate();
        return;
    case WM_SIZE:
        TEcCustomGroupBox::wnd_proc(m);
        layout_buttons();
        return;
    default: break;
    }
    TEcCustomGroupBox::wnd_proc(m);
}

void register_radio_group_classes() { ui::register_class(TEcRadioGroup::static_class()); }

} // namespace ec
