#include "controls/ec_lst_box.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/ec_grafx.h"
#include "controls/model/list_items.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"

namespace ec {

using ui::Message;

// ---------------------------------------------------------------------------------------------
// TEcCustomListBox

ui::ClassInfo& TEcCustomListBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomListBox", &ui::ListBox::static_class());
        ui::PropBuilder<TEcCustomListBox> b(c);
        publish_frame_look(b);
        b.boolean("BeepOnInvalidKey", &TEcCustomListBox::beep_on_invalid_key, &TEcCustomListBox::set_beep_on_invalid_key,
                  true)
            .color("GroupColor", &TEcCustomListBox::group_color, &TEcCustomListBox::set_group_color,
                   ui::clInactiveCaptionText)
            .object("GroupFont", ui::PropKind::Object, "TFont",
                    [](TEcCustomListBox& x) -> ui::Persistent* { return &x.group_font_; })
            .stored([](const TEcCustomListBox& x) { return x.group_font_set_; })
            .string("GroupPrefix", &TEcCustomListBox::group_prefix, &TEcCustomListBox::set_group_prefix, "string", "//")
            .integer("HorzExtent", &TEcCustomListBox::horz_extent, &TEcCustomListBox::set_horz_extent, 0, "Word")
            .boolean("HorzScrollBar", &TEcCustomListBox::horz_scroll_bar, &TEcCustomListBox::set_horz_scroll_bar)
            .boolean("IncrementalSearch", &TEcCustomListBox::incremental_search,
                     &TEcCustomListBox::set_incremental_search, true)
            .integer("OwnerDrawIndent", &TEcCustomListBox::owner_draw_indent_value,
                     &TEcCustomListBox::set_owner_draw_indent)
            .boolean("ShowGroups", &TEcCustomListBox::show_groups, &TEcCustomListBox::set_show_groups)
            .boolean("ShowItemHints", &TEcCustomListBox::show_item_hints, &TEcCustomListBox::set_show_item_hints,
                     true)
            .boolean("TabOnEnter", &TEcCustomListBox::tab_on_enter, &TEcCustomListBox::set_tab_on_enter)
            .boolean("UseGradients", &TEcCustomListBox::use_gradients, &TEcCustomListBox::set_use_gradients, true)
            .event("OnMatch", "TNotifyEvent", &TEcCustomListBox::on_match)
            .event("OnDeleteItems", "TNotifyEvent", &TEcCustomListBox::on_delete_items);
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcListBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcListBox", &TEcCustomListBox::static_class());
        c.factory = ui::factory_of<TEcListBox>();
        return c;
    }();
    return info;
}

TEcCustomListBox::TEcCustomListBox(ui::Component* owner) : FramedControl(owner) {
    search_timer_ = new ui::Timer(this);
    search_timer_->set_enabled(false);
    search_timer_->set_interval(kSearchIntervalMs);
    search_timer_->on_timer = [this](ui::Component*) {
        if (key_in_progress_) return;
        search_timer_->set_enabled(false);
        search_.clear();
    };
    copy_group_font();
    group_font_.on_change = [this](ui::Font&) {
        group_font_set_ = true;
        if (show_groups_) invalidate();
    };
    auto refill = own_items().on_change;
    own_items().on_change = [this, refill](ui::StringList& list) {
        if (refill) refill(list);
        items_changed();
    };
}

TEcCustomListBox::~TEcCustomListBox() {
    own_items().on_change = nullptr;
    group_font_.on_change = nullptr;
    frame_.controller.release(*this);
}

void TEcCustomListBox::copy_group_font() {
    group_font_.assign(font());
    ui::TFontStyles style = group_font_.style();
    style.include(ui::TFontStyle::fsBold);
    group_font_.set_style(style);
    group_font_.set_color(ui::clHighlight);
}

void TEcCustomListBox::invalid_key() {
    if (beep_on_invalid_key_) MessageBeep(0);
}

void TEcCustomListBox::loaded() {
    ListBox::loaded();
    update_color();
    if (horz_scroll_bar_) compute_horz_extent();
}

void TEcCustomListBox::create_params(ui::CreateParams& p) {
    ListBox::create_params(p);
    if (horz_scroll_bar_) p.style |= WS_HSCROLL;
    else p.style &= ~static_cast<DWORD>(WS_HSCROLL);
}

void TEcCustomListBox::initialize_window() {
    ListBox::initialize_window();
    SendMessageW(handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(horz_extent_), 0);
    ShowScrollBar(handle(), SB_HORZ, horz_scroll_bar_);
}

void TEcCustomListBox::items_changed() {
    if (horz_scroll_bar_ && !items().updating()) compute_horz_extent();
}

void TEcCustomListBox::set_group_prefix(const std::string& v) {
    group_prefix_ = v;
    if (show_groups_) invalidate();
}

void TEcCustomListBox::set_group_color(ui::TColor v) {
    group_color_ = v;
    if (show_groups_) invalidate();
}

void TEcCustomListBox::set_show_groups(bool v) {
    show_groups_ = v;
    if (v) {
        set_style(ui::TListBoxStyle::lbOwnerDrawFixed);
        fit_item_height();
    }
    invalidate();
}

void TEcCustomListBox::set_use_gradients(bool v) {
    use_gradients_ = v;
    invalidate();
}

void TEcCustomListBox::set_owner_draw_indent(int v) {
    owner_draw_indent_ = v;
    invalidate();
}

void TEcCustomListBox::fit_item_height() {
    set_item_height(std::max(item_height(), font_line_height(font())));
}

void TEcCustomListBox::set_horz_scroll_bar(bool v) {
    if (v == horz_scroll_bar_) return;
    horz_scroll_bar_ = v;
    if (handle_allocated()) recreate_wnd();
    if (v && !loading()) compute_horz_extent();
}

void TEcCustomListBox::set_horz_extent(int v) {
    horz_extent_ = std::clamp(v, 0, 0xFFFF);
    if (handle_allocated()) SendMessageW(handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(horz_extent_), 0);
}

void TEcCustomListBox::compute_horz_extent() {
    ui::Bitmap probe(1, 1);
    ui::Canvas canvas(probe.dc());
    canvas.font().assign(font());
    int widest = 0;
    for (const std::string& text : item_texts()) widest = std::max(widest, canvas.text_width(text + "x"));
    set_horz_extent(widest);
}

void TEcCustomListBox::delete_item(int index) {
    const int before = item_index();
    items().remove(index);
    const int after = index_after_delete(before, items().count());
    if (after < 0) return;
    set_item_index(after);
    click();
}

std::string TEcCustomListBox::selected_item() {
    const bool any = multi_select() ? sel_count() > 0 : item_index() != -1;
    const int index = item_index();
    if (!any || index < 0 || index >= items().count()) return {};
    return items().get(index);
}

void TEcCustomListBox::delete_all_selected() {
    std::vector<int> chosen;
    for (int i = 0; i < items().count(); ++i) {
        if (selected(i)) chosen.push_back(i);
    }
    {
        ui::HourGlass busy;
        ui::Strings& strings = items();
        strings.begin_update();
        struct EndUpdate {
            ui::Strings& s;
            ~EndUpdate() { s.end_update(); }
        } end{strings};
        for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) strings.remove(*it);
    }
    if (on_delete_items) on_delete_items(this);
}

// Painting asks these for every row it draws: they read that one line only.
std::string TEcCustomListBox::item_text(int index) {
    return index >= 0 && index < items().count() ? shown_text(items().get(index), group_prefix_) : std::string();
}
bool TEcCustomListBox::is_group_line(int index) {
    return index >= 0 && index < items().count() && is_group_text(items().get(index), group_prefix_);
}
int TEcCustomListBox::group_line_at_or_before(int index) {
    return ec::group_line_at_or_before(item_texts(), index, group_prefix_);
}
int TEcCustomListBox::group_ordinal(int index) { return ec::group_ordinal(item_texts(), index, group_prefix_); }

void TEcCustomListBox::apply_search(const SearchStep& step) {
    if (step.invalid) invalid_key();
    if (!step.select) return;
    const int found = *step.select;
    if (multi_select()) {
        const int previous = item_index();
        if (previous >= 0 && previous < count()) set_selected(previous, false);
        if (found >= 0 && found < count()) set_selected(found, true);
        SendMessageW(handle(), LB_SETCARETINDEX, static_cast<WPARAM>(found), FALSE);
    } else {
        set_item_index(found);
    }
    if (!step.matched) click();
}

void TEcCustomListBox::search_key(wchar_t key, Message& m) {
    const std::vector<std::string> texts = item_texts();
    PrefixFinder find = [&texts](std::string_view t) { return find_prefix(texts, t); };
    SearchStep step;
    if (key == VK_BACK) {
        step = search_.backspace(find);
    } else {
        key_in_progress_ = true;
        step = search_.type(plat::wide_to_gbk(std::wstring_view(&key, 1)), find);
        search_timer_->set_enabled(false);
        search_timer_->set_enabled(true);
        key_in_progress_ = false;
    }
    apply_search(step);
    // The key goes on to OnKeyPress but never to the list window, whose own search would move
    // the selection again.
    do_key_press(key);
    m.result = 0;
    if (step.matched && on_match) on_match(this);
}

void TEcCustomListBox::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_CHAR: {
        if (!incremental_search_) break;
        const wchar_t key = static_cast<wchar_t>(m.wparam);
        if (key == VK_RETURN && tab_on_enter_) {
            PostMessageW(handle(), WM_KEYDOWN, VK_TAB, 0);
            m.result = 0;
            return;
        }
        if (key == VK_ESCAPE) set_item_index(-1);
        const bool plain_space = key == L' ' && multi_select() && !extended_select();
        if (key == VK_BACK || (key >= 32 && key != 127 && !plain_space)) {
            search_key(key, m);
            return;
        }
        break;
    }
    case WM_KEYDOWN:
        switch (m.wparam) {
        case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            search_.clear();
            break;
        default: break;
        }
        break;
    case WM_LBUTTONDOWN: search_.clear(); break;
    case WM_NCPAINT:
        ListBox::wnd_proc(m);
        if (frame_.custom_frame_shown())
            frame_.paint_frame(handle(), color(), focused_ || over_);
        m.result = 0;
        return;
    case WM_SIZE:
        ListBox::wnd_proc(m);
        if (frame_.custom_frame_shown()) frame_look_changed(false);
        return;
    case ui::CM_COLORCHANGED:
    case ui::CM_PARENTCOLORCHANGED:
        if (m.msg == ui::CM_PARENTCOLORCHANGED) {
            ListBox::wnd_proc(m);
            if (!parent_color()) return;
        }
        if (!updating_colour_) {
            // A colour from outside is the new normal colour, and a focus colour that was the
            // same follows it.
            if (frame_.focus_color == frame_.normal_color) frame_.focus_color = color();
            frame_.normal_color = color();
            update_color();
            if (frame_.custom_frame_shown()) frame_look_changed(false);
        }
        if (m.msg == ui::CM_COLORCHANGED) ListBox::wnd_proc(m);
        return;
    case ui::CM_ENABLEDCHANGED:
        update_color();
        break;
    case ui::CM_FONTCHANGED:
        ListBox::wnd_proc(m);
        if (!group_font_set_) {
            auto keep = std::move(group_font_.on_change);
            copy_group_font();
            group_font_.on_change = std::move(keep);
        }
        if (show_groups_) fit_item_height();
        if (horz_scroll_bar_) compute_horz_extent();
        return;
    case ui::CM_ENTER:
    case ui::CM_EXIT:
        focused_ = m.msg == ui::CM_ENTER;
        update_color();
        if (frame_.frame_hot_track) frame_look_changed(false);
        break;
    case WM_MOUSEMOVE:
        ListBox::wnd_proc(m);
        update_item_hint(POINT{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)});
        return;
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
        over_ = m.msg == ui::CM_MOUSEENTER;
        if (frame_.frame_hot_track) frame_look_changed(false);
        update_color();
        if (over_) update_item_hint(cursor_point());
        else hide_item_hint();
        break;
    default: break;
    }
    ListBox::wnd_proc(m);
}

void TEcCustomListBox::set_show_item_hints(bool v) {
    show_item_hints_ = v;
    if (!v) hide_item_hint();
}

POINT TEcCustomListBox::cursor_point() {
    POINT p{};
    GetCursorPos(&p);
    return screen_to_client(p);
}

void TEcCustomListBox::update_item_hint(POINT p) {
    if (!show_item_hints_ || !handle_allocated() || loading()) return;
    const LRESULT hit = SendMessageW(handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    const int index = LOWORD(hit);
    RECT item{};
    if (HIWORD(hit) != 0 || index >= items().count() || !ui::application().active() ||
        SendMessageW(handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        hide_item_hint();
        return;
    }
    std::string text = item_text(index);
    int width = 0;
    {
        ui::ClientDC dc(handle());
        width = canvas_on(dc.get()).canvas().text_width(text);
    }
    if (width + 2 <= client_width() - owner_draw_indent()) {
        hide_item_hint();
        return;
    }
    std::string shown;
    for (char c : text) shown += c == '\t' ? std::string(8, ' ') : std::string(1, c);
    if (!hint_) hint_ = std::make_unique<ui::HintWindow>(nullptr);
    hint_->font().assign(font());
    ui::Rect r = hint_->calc_hint_rect(GetSystemMetrics(SM_CXSCREEN), shown);
    POINT at{item.left + owner_draw_indent() - 1, item.top + (item.bottom - item.top - r.height()) / 2 - 2};
    ClientToScreen(handle(), &at);
    r = {at.x, at.y, at.x + r.width(), at.y + r.height()};
    // Shown again only when it moved or was hidden, so that it does not flicker under the mouse.
    const bool same = hint_->visible() && hint_->left() == r.left && hint_->top() == r.top && hint_->text() == shown;
    if (!same) hint_->activate_hint(r, shown);
}

void TEcCustomListBox::hide_item_hint() {
    if (hint_ && hint_->handle_allocated()) hint_->release_handle();
}

void TEcCustomListBox::draw_item(int index, const ui::Rect& rect, ui::TOwnerDrawState state, HDC dc) {
    ui::CanvasScope scope = canvas_on(dc);
    draw_item_on(scope.canvas(), index, rect, state);
}

void TEcCustomListBox::draw_item_on(ui::Canvas& canvas, int index, const ui::Rect& rect, ui::TOwnerDrawState state) {
    const bool selected = state.has(ui::TOwnerDrawStateFlag::odSelected);
    if (show_groups_ && index >= 0 && is_group_line(index)) {
        draw_group_line(canvas, index, rect, selected);
        return;
    }
    ui::Rect r = rect;
    if (use_right_to_left_reading()) r.right -= owner_draw_indent();
    else r.left += owner_draw_indent();
    if (selected) {
        canvas.brush().color = ui::clHighlight;
        canvas.font().set_color(ui::clHighlightText);
    }
    if (index < 0) {
        canvas.fill_rect(r);
    } else if (on_draw_item) {
        on_draw_item(this, index, r, state);
    } else {
        draw_default_item(canvas, index, r);
    }
    if (state.has(ui::TOwnerDrawStateFlag::odFocused)) canvas.draw_focus_rect(r);
}

void TEcCustomListBox::draw_default_item(ui::Canvas& canvas, int index, const ui::Rect& rect) {
    canvas.fill_rect(rect);
    if (index >= items().count()) return;
    ui::Rect text = rect;
    text.left += 2;
    canvas.brush().style = ui::TBrushStyle::bsClear;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (use_right_to_left_reading()) flags |= DT_RIGHT | DT_RTLREADING;
    canvas.draw_text(items().get(index), text, flags);
}

void TEcCustomListBox::fill_group_background(ui::Canvas& canvas, const ui::Rect& rect, ui::TColor group) {
    if (use_gradients_ && has_full_color_display()) {
        const bool rtl = use_right_to_left_reading();
        paint_gradient_fill(canvas, rect, TGradientDirection::gdVerticalEnd, rtl ? color() : group,
                            rtl ? group : color(), 1);
    } else {
        canvas.brush().color = group;
        canvas.fill_rect(rect);
    }
}

void TEcCustomListBox::draw_group_line(ui::Canvas& canvas, int index, const ui::Rect& rect, bool selected) {
    canvas.font().assign(group_font_);
    const bool themed = themes_active();
    ui::TColor group = themed ? theme_element_color(4) : group_color_;
    if (themed) canvas.font().set_color(theme_element_color(5));
    if (selected) {
        canvas.font().set_color(ui::clHighlightText);
        canvas.brush().color = ui::clHighlight;
        canvas.fill_rect(rect);
    } else {
        fill_group_background(canvas, rect, group);
    }
    ui::Rect text = rect;
    text.left += 2;
    canvas.brush().style = ui::TBrushStyle::bsClear;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (use_right_to_left_reading()) flags |= DT_RIGHT | DT_RTLREADING;
    canvas.draw_text(item_text(index), text, flags);
}

// ---------------------------------------------------------------------------------------------
// TEcTabStopList

ui::ClassInfo& TEcTabStopList::static_class() {
    static ui::ClassInfo info("TEcTabStopList", &IntegerList::static_class());
    return info;
}

TEcTabStopList::TEcTabStopList(TEcCustomTabbedListBox& list) : list_(list) {
    set_min(-kMaxPositiveInteger);
    set_max(kMaxPositiveInteger);
}

void TEcTabStopList::put(int index, std::int32_t value) {
    IntegerList::put(index, value);
    list_.apply_tab_stops();
}
int TEcTabStopList::add(std::int32_t value) {
    int at = IntegerList::add(value);
    list_.apply_tab_stops();
    return at;
}
void TEcTabStopList::insert(int index, std::int32_t value) {
    IntegerList::insert(index, value);
    list_.apply_tab_stops();
}
void TEcTabStopList::delete_at(int index) {
    IntegerList::delete_at(index);
    list_.apply_tab_stops();
}
void TEcTabStopList::clear() {
    IntegerList::clear();
    list_.apply_tab_stops();
}
void TEcTabStopList::assign(const ui::Persistent& source) {
    IntegerList::assign(source);
    list_.apply_tab_stops();
}

// ---------------------------------------------------------------------------------------------
// TEcCustomTabbedListBox

ui::ClassInfo& TEcCustomTabbedListBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomTabbedListBox", &TEcCustomListBox::static_class());
        ui::PropBuilder<TEcCustomTabbedListBox>(c)
            .object("TabStops", ui::PropKind::Object, "TEcTabStopList",
                    [](TEcCustomTabbedListBox& x) -> ui::Persistent* { return x.tab_stops_.get(); })
            .stored([](const TEcCustomTabbedListBox& x) { return x.tab_stops_->count() > 0; })
            .enumeration("TabStopsMode", &TEcCustomTabbedListBox::tab_stops_mode,
                         &TEcCustomTabbedListBox::set_tab_stops_mode, TEcTabStopsMode::tsmManual)
            .boolean("ShowItemHints", &TEcCustomTabbedListBox::show_item_hints,
                     &TEcCustomTabbedListBox::set_show_item_hints, false);
        return c;
    }();
    return info;
}

TEcCustomTabbedListBox::TEcCustomTabbedListBox(ui::Component* owner)
    : TEcCustomListBox(owner), tab_stops_(std::make_unique<TEcTabStopList>(*this)) {
    show_item_hints_ = false;
}

TEcCustomTabbedListBox::~TEcCustomTabbedListBox() { own_items().on_change = nullptr; }

void TEcCustomTabbedListBox::create_params(ui::CreateParams& p) {
    TEcCustomListBox::create_params(p);
    p.style |= LBS_USETABSTOPS;
}

void TEcCustomTabbedListBox::initialize_window() {
    dialog_units_ = std::max(1, average_char_width(font()));
    TEcCustomListBox::initialize_window();
    apply_tab_stops();
}

void TEcCustomTabbedListBox::loaded() {
    TEcCustomListBox::loaded();
    if (tab_stops_mode_ == TEcTabStopsMode::tsmAutomatic) compute_tab_stops();
}

void TEcCustomTabbedListBox::set_tab_stops_mode(TEcTabStopsMode v) {
    tab_stops_mode_ = v;
    if (v == TEcTabStopsMode::tsmAutomatic) compute_tab_stops();
}

void TEcCustomTabbedListBox::apply_tab_stops() {
    if (!handle_allocated()) return;
    std::vector<std::int32_t> sent = list_box_tab_stops(tab_stops_->values());
    std::vector<INT> stops(sent.begin(), sent.end());
    SendMessageW(handle(), LB_SETTABSTOPS, static_cast<WPARAM>(stops.size()),
                 reinterpret_cast<LPARAM>(stops.empty() ? nullptr : stops.data()));
    invalidate();
}

void TEcCustomTabbedListBox::compute_tab_stops() {
    if (loading() || destroying() || items().updating()) return;
    ui::Bitmap probe(1, 1);
    ui::Canvas canvas(probe.dc());
    FieldMeasure measure = [&](std::string_view field, int column, bool group_line) {
        canvas.font().assign(group_line ? group_font() : font());
        return canvas.text_width(field) + (column == 0 ? first_column_extra() : 0);
    };
    std::vector<std::int32_t> stops = automatic_tab_stops(item_texts(), group_prefix(), dialog_units_, measure);
    IntegerList computed;
    for (std::int32_t s : stops) computed.add(s);
    tab_stops_->assign(computed);
}

std::string TEcCustomTabbedListBox::cell(int column, int row) { return ec::cell(item_texts(), column, row); }

void TEcCustomTabbedListBox::set_cell(int column, int row, const std::string& value) {
    ec::cell(item_texts(), column, row);  // raises the range errors
    items().put(row, with_cell(items().get(row), column, value));
}

void TEcCustomTabbedListBox::items_changed() {
    TEcCustomListBox::items_changed();
    if (tab_stops_mode_ == TEcTabStopsMode::tsmAutomatic) compute_tab_stops();
}

void TEcCustomTabbedListBox::compute_horz_extent() {
    ui::Bitmap probe(1, 1);
    ui::Canvas canvas(probe.dc());
    canvas.font().assign(font());
    std::vector<INT> stops;
    for (std::int32_t s : list_box_tab_stops(tab_stops_->values())) stops.push_back(s / 4 * dialog_units_);
    canvas.text_width("");  // puts the font into the DC
    int widest = 0;
    for (const std::string& text : item_texts()) {
        std::wstring wide = plat::gbk_to_wide(text + "x");
        DWORD size = GetTabbedTextExtentW(canvas.handle(), wide.c_str(), static_cast<int>(wide.size()),
                                          static_cast<int>(stops.size()), stops.empty() ? nullptr : stops.data());
        widest = std::max(widest, static_cast<int>(LOWORD(size)));
    }
    set_horz_extent(widest + owner_draw_indent());
}

void TEcCustomTabbedListBox::wnd_proc(Message& m) {
    TEcCustomListBox::wnd_proc(m);
    if (m.msg == ui::CM_FONTCHANGED) {
        dialog_units_ = std::max(1, average_char_width(font()));
        apply_tab_stops();
        if (tab_stops_mode_ == TEcTabStopsMode::tsmAutomatic) compute_tab_stops();
    }
}

void TEcCustomTabbedListBox::tabbed_text(ui::Canvas& canvas, const std::string& text, const ui::Rect& rect) {
    std::vector<INT> stops;
    for (std::int32_t s : list_box_tab_stops(tab_stops_->values())) stops.push_back(s / 4 * dialog_units_);
    // Measuring also puts the canvas font and its colour into the DC.
    const int offset = (item_height() - canvas.text_height("Pp")) / 2;
    std::wstring wide = plat::gbk_to_wide(text);
    ui::SavedDC saved(canvas.handle());
    IntersectClipRect(canvas.handle(), rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(canvas.handle(), TRANSPARENT);
    TabbedTextOutW(canvas.handle(), rect.left + 2, rect.top + offset, wide.c_str(), static_cast<int>(wide.size()),
                   static_cast<int>(stops.size()), stops.empty() ? nullptr : stops.data(), rect.left + 2);
}

void TEcCustomTabbedListBox::draw_default_item(ui::Canvas& canvas, int index, const ui::Rect& rect) {
    canvas.fill_rect(rect);
    if (index < items().count()) tabbed_text(canvas, items().get(index), rect);
}

void TEcCustomTabbedListBox::draw_group_line(ui::Canvas& canvas, int index, const ui::Rect& rect, bool selected) {
    canvas.font().assign(group_font());
    if (selected) {
        canvas.font().set_color(ui::clHighlightText);
        canvas.brush().color = ui::clHighlight;
        canvas.fill_rect(rect);
    } else {
        fill_group_background(canvas, rect, group_color());
    }
    tabbed_text(canvas, item_text(index), rect);
}

} // namespace ec
