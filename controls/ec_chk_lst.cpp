#include "controls/ec_chk_lst.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/text_gbk.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

[[noreturn]] void bounds_error(int index) {
    throw ui::StringListError("List index out of bounds (" + std::to_string(index) + ")");
}

ui::DescValue list_value() {
    ui::DescValue v;
    v.kind = ui::DescValue::Kind::List;
    return v;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TPacketStringList

ui::ClassInfo& TPacketStringList::static_class() {
    static ui::ClassInfo info("TPacketStringList", &ui::StringList::static_class());
    return info;
}

void TPacketStringList::insert(int index, const std::string& text) {
    StringList::insert(index, text);
    packets_.insert(packets_.begin() + index, CheckPacket{});
}

int TPacketStringList::add(const std::string& text) {
    const int before = count();
    const int at = StringList::add(text);
    // An unsorted add comes through insert, which made the packet already.
    if (static_cast<int>(packets_.size()) < count() && count() > before)
        packets_.insert(packets_.begin() + at, CheckPacket{});
    return at;
}

void TPacketStringList::remove(int index) {
    StringList::remove(index);
    packets_.erase(packets_.begin() + index);
}

void TPacketStringList::clear() {
    StringList::clear();
    packets_.clear();
}

void TPacketStringList::move(int cur_index, int new_index) {
    if (cur_index == new_index) return;
    const CheckPacket kept = packet(cur_index);
    StringList::move(cur_index, new_index);
    packet(new_index) = kept;
}

void TPacketStringList::exchange(int index1, int index2) {
    StringList::exchange(index1, index2);
    std::swap(packet(index1), packet(index2));
}

// ---------------------------------------------------------------------------------------------
// TEcCheckListStrings

ui::ClassInfo& TEcCheckListStrings::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCheckListStrings", &ui::Strings::static_class());
        ui::PropBuilder<TEcCheckListStrings>(c)
            .defined(
                "ItemEnabled",
                [](TEcCheckListStrings& s, const ui::DescValue& v) {
                    if (v.kind != ui::DescValue::Kind::List) throw ui::PropertyError("a list of Booleans expected");
                    // Values past the items have no item to go to.
                    for (int i = 0; i < static_cast<int>(v.list.size()) && i < s.count(); ++i) {
                        const ui::DescValue& item = v.list[static_cast<std::size_t>(i)];
                        if (item.kind != ui::DescValue::Kind::Identifier ||
                            !(ui::same_text(item.text, "True") || ui::same_text(item.text, "False")))
                            throw ui::PropertyError("a list of Booleans expected");
                        s.packet(i).enabled = ui::same_text(item.text, "True");
                    }
                },
                [](const TEcCheckListStrings& s, ui::DescValue& v) {
                    v = list_value();
                    for (int i = 0; i < s.count(); ++i) {
                        ui::DescValue item;
                        item.kind = ui::DescValue::Kind::Identifier;
                        item.text = s.packet(i).enabled ? "True" : "False";
                        v.list.push_back(item);
                    }
                    return s.count() > 0;
                })
            .defined(
                "ItemState",
                [](TEcCheckListStrings& s, const ui::DescValue& v) {
                    if (v.kind != ui::DescValue::Kind::List) throw ui::PropertyError("a list of check states expected");
                    for (int i = 0; i < static_cast<int>(v.list.size()) && i < s.count(); ++i) {
                        const ui::DescValue& item = v.list[static_cast<std::size_t>(i)];
                        if (item.kind != ui::DescValue::Kind::Integer || item.integer < 0 ||
                            item.integer >= kCheckStateCount)
                            throw ui::PropertyError("a check state (0, 1 or 2) expected");
                        s.packet(i).state = static_cast<std::uint8_t>(item.integer);
                    }
                },
                [](const TEcCheckListStrings& s, ui::DescValue& v) {
                    v = list_value();
                    for (int i = 0; i < s.count(); ++i) {
                        ui::DescValue item;
                        item.kind = ui::DescValue::Kind::Integer;
                        item.integer = s.packet(i).state;
                        v.list.push_back(item);
                    }
                    return s.count() > 0;
                });
        return c;
    }();
    return info;
}

TEcCheckListStrings::TEcCheckListStrings(TEcCheckList& list) : list_(list) {}

bool TEcCheckListStrings::windowed() const { return in_window_ && list_.handle_allocated(); }
HWND TEcCheckListStrings::window() const { return const_cast<TEcCheckList&>(list_).handle(); }

int TEcCheckListStrings::count() const {
    if (!windowed()) return held_.count();
    return static_cast<int>(SendMessageW(window(), LB_GETCOUNT, 0, 0));
}

void TEcCheckListStrings::check_index(int index) const {
    if (index < 0 || index >= count()) bounds_error(index);
}

std::string TEcCheckListStrings::get(int index) const {
    if (!windowed()) return held_.get(index);
    // The length first: a line of any length is read whole.
    const LRESULT length = SendMessageW(window(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) bounds_error(index);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT read = SendMessageW(window(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (read == LB_ERR) bounds_error(index);
    text.resize(static_cast<std::size_t>(read));
    return plat::wide_to_gbk(text);
}

void* TEcCheckListStrings::object(int index) const {
    if (!windowed()) return held_.object(index);
    check_index(index);
    return reinterpret_cast<void*>(SendMessageW(window(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void TEcCheckListStrings::put_object(int index, void* object) {
    if (!windowed()) {
        held_.put_object(index, object);
        return;
    }
    check_index(index);
    SendMessageW(window(), LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

CheckPacket& TEcCheckListStrings::packet(int index) {
    if (!windowed()) {
        if (index < 0 || index >= held_.count()) bounds_error(index);
        return held_.packet(index);
    }
    check_index(index);
    return packets_[static_cast<std::size_t>(index)];
}

const CheckPacket& TEcCheckListStrings::packet(int index) const {
    return const_cast<TEcCheckListStrings*>(this)->packet(index);
}

int TEcCheckListStrings::insert_line(int at, const std::string& text, const CheckPacket& packet) {
    int index;
    if (windowed()) {
        const std::wstring wide = plat::gbk_to_wide(text);
        list_.adding_ = true;
        const LRESULT r = SendMessageW(window(), at < 0 ? LB_ADDSTRING : LB_INSERTSTRING, static_cast<WPARAM>(at),
                                       reinterpret_cast<LPARAM>(wide.c_str()));
        list_.adding_ = false;
        if (r < 0) throw std::runtime_error("Unable to insert a line");
        index = static_cast<int>(r);
        packets_.insert(packets_.begin() + index, packet);
        list_.invalidate();
    } else {
        index = at < 0 ? held_.add(text) : (held_.insert(at, text), at);
        held_.packet(index) = packet;
    }
    if (!updating()) list_.items_changed();
    return index;
}

int TEcCheckListStrings::add(const std::string& text) { return insert_line(-1, text, CheckPacket{}); }

void TEcCheckListStrings::insert(int index, const std::string& text) {
    if (index < 0 || index > count()) bounds_error(index);
    insert_line(index, text, CheckPacket{});
}

void TEcCheckListStrings::remove(int index) {
    if (!windowed()) {
        held_.remove(index);
    } else {
        check_index(index);
        SendMessageW(window(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        packets_.erase(packets_.begin() + index);
    }
    if (!updating()) list_.items_changed();
}

void TEcCheckListStrings::clear() {
    if (!windowed()) {
        held_.clear();
    } else {
        SendMessageW(window(), LB_RESETCONTENT, 0, 0);
        packets_.clear();
    }
    if (!updating()) list_.items_changed();
}

void TEcCheckListStrings::put(int index, const std::string& text) {
    const CheckPacket kept = packet(index);
    void* obj = object(index);
    const int selected = list_.item_index();
    begin_update();
    remove(index);
    insert_line(index, text, kept);
    put_object(index, obj);
    end_update();
    list_.set_item_index(selected);
}

void TEcCheckListStrings::move(int cur_index, int new_index) {
    if (cur_index == new_index) return;
    const std::string text = get(cur_index);
    void* obj = object(cur_index);
    const CheckPacket kept = packet(cur_index);
    if (new_index < 0 || new_index >= count()) bounds_error(new_index);
    begin_update();
    remove(cur_index);
    insert_line(new_index, text, kept);
    put_object(new_index, obj);
    end_update();
}

void TEcCheckListStrings::exchange(int index1, int index2) {
    const CheckPacket first = packet(index1), second = packet(index2);
    begin_update();
    Strings::exchange(index1, index2);
    packet(index1) = second;
    packet(index2) = first;
    end_update();
}

void TEcCheckListStrings::assign(const ui::Persistent& source) {
    const auto* lines = dynamic_cast<const ui::Strings*>(&source);
    if (!lines) {
        Strings::assign(source);
        return;
    }
    if (lines == this) return;
    const auto* checks = dynamic_cast<const TEcCheckListStrings*>(lines);
    const auto* held = dynamic_cast<const TPacketStringList*>(lines);
    // Plain lines are parsed before anything changes, so a malformed one leaves the list whole.
    std::vector<CheckItem> items;
    for (int i = 0; i < lines->count(); ++i) {
        if (checks) items.push_back({lines->get(i), checks->packet(i)});
        else if (held) items.push_back({lines->get(i), held->packet(i)});
        else items.push_back(parse_check_line(lines->get(i)));
    }
    begin_update();
    struct EndUpdate {
        Strings& s;
        ~EndUpdate() { s.end_update(); }
    } end{*this};
    clear();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const int at = insert_line(-1, items[static_cast<std::size_t>(i)].text, items[static_cast<std::size_t>(i)].packet);
        put_object(at, lines->object(i));
    }
}

std::string TEcCheckListStrings::save_to_stream() const {
    std::vector<CheckItem> items;
    for (int i = 0; i < count(); ++i) items.push_back({get(i), packet(i)});
    return save_check_items(items);
}

void TEcCheckListStrings::load_from_stream(std::string_view stream) {
    const std::vector<CheckItem> items = load_check_items(stream);
    begin_update();
    struct EndUpdate {
        Strings& s;
        ~EndUpdate() { s.end_update(); }
    } end{*this};
    clear();
    for (const CheckItem& item : items) insert_line(-1, item.text, item.packet);
}

void TEcCheckListStrings::set_update_state(bool updating) {
    if (windowed()) {
        SendMessageW(window(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating) list_.invalidate();
    }
    if (!updating) list_.items_changed();
}

void TEcCheckListStrings::window_created() {
    packets_.clear();
    in_window_ = true;
    const HWND w = window();
    list_.adding_ = true;
    for (int i = 0; i < held_.count(); ++i) {
        const std::wstring wide = plat::gbk_to_wide(held_.get(i));
        const LRESULT r = SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        if (r < 0) continue;
        SendMessageW(w, LB_SETITEMDATA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(held_.object(i)));
        packets_.insert(packets_.begin() + r, held_.packet(i));
    }
    list_.adding_ = false;
    held_.clear();
}

void TEcCheckListStrings::window_going() {
    if (!windowed()) return;
    held_.clear();
    const int n = count();
    std::vector<std::pair<std::string, void*>> lines;
    for (int i = 0; i < n; ++i) lines.emplace_back(get(i), object(i));
    for (int i = 0; i < n; ++i) {
        held_.insert(i, lines[static_cast<std::size_t>(i)].first);
        held_.put_object(i, lines[static_cast<std::size_t>(i)].second);
        held_.packet(i) = packets_[static_cast<std::size_t>(i)];
    }
    packets_.clear();
    in_window_ = false;
}

// ---------------------------------------------------------------------------------------------
// TEcCheckList

ui::ClassInfo& TEcCheckList::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCheckList", &TEcCustomTabbedListBox::static_class());
        c.factory = ui::factory_of<TEcCheckList>();
        ui::PropBuilder<TEcCheckList>(c)
            .boolean("AllowGrayed", &TEcCheckList::allow_grayed, &TEcCheckList::set_allow_grayed)
            .color("HighlightColor", &TEcCheckList::highlight_color, &TEcCheckList::set_highlight_color, ui::clHighlight)
            .color("ItemFillColor", &TEcCheckList::item_fill_color, &TEcCheckList::set_item_fill_color, ui::clWindow)
            .color("ItemFocusColor", &TEcCheckList::item_focus_color, &TEcCheckList::set_item_focus_color, ui::clWindow)
            .color("ItemFrameColor", &TEcCheckList::item_frame_color, &TEcCheckList::set_item_frame_color,
                   ui::clBtnShadow)
            .color("TransparentColor", &TEcCheckList::transparent_color, &TEcCheckList::set_transparent_color,
                   ui::clOlive)
            .boolean("ToggleOnItemClick", &TEcCheckList::toggle_on_item_click, &TEcCheckList::set_toggle_on_item_click)
            .event("OnChange", "TStateChangeEvent", &TEcCheckList::on_change)
            .event("OnChanging", "TStateChangingEvent", &TEcCheckList::on_changing);
        return c;
    }();
    return info;
}

TEcCheckList::TEcCheckList(ui::Component* owner)
    : TEcCustomTabbedListBox(owner), strings_(std::make_unique<TEcCheckListStrings>(*this)) {
    replace_items(*strings_);
    set_style(ui::TListBoxStyle::lbOwnerDrawFixed);
    set_show_groups(true);
    fit_check_item_height();
}

TEcCheckList::~TEcCheckList() {
    // The window goes while the strings that work on it still exist.
    destroy_handle();
}

void TEcCheckList::fit_check_item_height() {
    set_item_height(std::max(glyph_height() + 4, font_line_height(font())));
}

void TEcCheckList::check_item(int index) const {
    if (index < 0 || index >= const_cast<TEcCheckList*>(this)->count()) bounds_error(index);
}

int TEcCheckList::add_checked(const std::string& text, bool checked, bool enabled) {
    const int at = strings_->add(text);
    set_item_checked(at, checked);
    set_item_enabled(at, enabled);
    return at;
}

bool TEcCheckList::item_checked(int index) const { return item_state(index) == ui::TCheckBoxState::cbChecked; }

void TEcCheckList::set_item_checked(int index, bool checked) {
    set_item_state(index, checked ? ui::TCheckBoxState::cbChecked : ui::TCheckBoxState::cbUnchecked);
}

bool TEcCheckList::item_enabled(int index) const {
    check_item(index);
    return strings_->packet(index).enabled;
}

void TEcCheckList::set_item_enabled(int index, bool enabled) {
    check_item(index);
    CheckPacket& p = strings_->packet(index);
    if (p.enabled == enabled) return;
    p.enabled = enabled;
    invalidate();
}

ui::TCheckBoxState TEcCheckList::item_state(int index) const {
    check_item(index);
    return static_cast<ui::TCheckBoxState>(strings_->packet(index).state);
}

void TEcCheckList::set_item_state(int index, ui::TCheckBoxState state) {
    check_item(index);
    CheckPacket& p = strings_->packet(index);
    const auto value = static_cast<std::uint8_t>(state);
    if (p.state == value) return;
    p.state = value;
    if (!handle_allocated()) return;
    // Only the glyph band changes.
    ui::Rect r = item_rect(index);
    RECT band{r.left, r.top, r.left + owner_draw_indent(), r.bottom};
    if (use_right_to_left_reading()) band = {r.right - owner_draw_indent(), r.top, r.right, r.bottom};
    InvalidateRect(handle(), &band, FALSE);
}

void TEcCheckList::set_highlight_color(ui::TColor v) {
    highlight_color_ = v;
    invalidate();
}
void TEcCheckList::set_item_fill_color(ui::TColor v) {
    item_fill_color_ = v;
    invalidate();
}
void TEcCheckList::set_item_focus_color(ui::TColor v) {
    item_focus_color_ = v;
    invalidate();
}
void TEcCheckList::set_item_frame_color(ui::TColor v) {
    item_frame_color_ = v;
    invalidate();
}
void TEcCheckList::set_transparent_color(ui::TColor v) {
    transparent_color_ = v;
    invalidate();
}

void TEcCheckList::toggle_selected() {
    const int index = item_index();
    if (index < 0 || index >= count() || !strings_->packet(index).enabled || is_group_line(index)) return;
    const auto next = static_cast<ui::TCheckBoxState>(next_check_state(strings_->packet(index).state, allow_grayed_));
    bool allow = true;
    if (on_changing) on_changing(this, index, next, allow);
    toggle_pending_ = false;
    if (!allow) return;
    set_item_state(index, next);
    if (on_change) on_change(this, index, next);
}

void TEcCheckList::initialize_window() {
    TEcCustomTabbedListBox::initialize_window();
    strings_->window_created();
    set_top_index(kept_top_);
    set_item_index(kept_index_);
}


void TEcCheckList::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_LBUTTONDOWN: {
        TEcCustomTabbedListBox::wnd_proc(m);
        const POINT p{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
        const int index = item_at_pos(p, true);
        if (index < 0) return;
        const ui::Rect r = item_rect(index);
        const int zone = glyph_width() + 4;
        const bool in_glyph = use_right_to_left_reading() ? p.x >= r.right - zone : p.x < r.left + zone;
        if (toggle_on_item_click_ || in_glyph) {
            toggle_pending_ = true;
            toggle_index_ = item_index();
        }
        return;
    }
    case WM_LBUTTONUP: {
        TEcCustomTabbedListBox::wnd_proc(m);
        const POINT p{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
        RECT client{};
        GetClientRect(handle(), &client);
        if (toggle_pending_ && item_index() == toggle_index_ && PtInRect(&client, p)) toggle_selected();
        return;
    }
    case WM_RBUTTONDOWN: {
        const int index = item_at_pos(POINT{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)}, true);
        if (index >= 0 && index != item_index()) {
            set_item_index(index);
            click();
        }
        break;
    }
    case WM_KEYDOWN:
        if (m.wparam == VK_SPACE) toggle_pending_ = true;
        toggle_index_ = item_index();
        break;
    case WM_KEYUP:
        if (m.wparam == VK_SPACE && toggle_pending_) toggle_selected();
        break;
    case WM_CHAR:
        // The space toggles; it is no search key.
        if (m.wparam == L' ') {
            m.result = 0;
            return;
        }
        break;
    case ui::CM_ENABLEDCHANGED:
        for (int i = 0; i < count(); ++i) strings_->packet(i).enabled = enabled();
        invalidate();
        break;
    case ui::CM_FONTCHANGED:
        TEcCustomTabbedListBox::wnd_proc(m);
        fit_check_item_height();
        return;
    case WM_DESTROY:
        // Every way a window goes passes here, a parent's re-creation too: the lines and their
        // packets are held until the next window.
        kept_top_ = top_index();
        kept_index_ = item_index();
        strings_->window_going();
        break;
    default: break;
    }
    TEcCustomTabbedListBox::wnd_proc(m);
}

void TEcCheckList::paint_glyph(ui::Canvas& canvas, int index, const ui::Rect& bounds) {
    const CheckPacket& p = strings_->packet(index);
    const auto state = static_cast<ui::TCheckBoxState>(p.state);
    if (themes_active()) {
        // The check box part's states: unchecked, checked and mixed, each normal..disabled.
        const int group = p.state == 1 ? 5 : p.state == 2 ? 9 : 1;
        ui::theme_services().draw_element(canvas.handle(), L"BUTTON", 3, group + (p.enabled ? 0 : 3), bounds);
        return;
    }
    GlyphLook look;
    look.state = p.enabled ? GlyphDrawState::Normal : GlyphDrawState::Disabled;
    look.focused = focused();
    look.hot_style = TEcButtonHotTrackStyle::htsInterior;
    look.frame = item_frame_color_;
    look.mark = highlight_color_;
    look.fill = item_fill_color_;
    look.focus = item_focus_color_;
    look.disabled = frame_look().disabled_color;
    look.hot_light = ui::clLime;
    look.hot_dark = ui::clRed;
    look.read_only = false;
    look.read_only_color_on_focus = false;
    look.read_only_color = ui::clWindow;
    paint_check_glyph(canvas, bounds, state, look);
}

void TEcCheckList::draw_item_on(ui::Canvas& canvas, int index, const ui::Rect& rect, ui::TOwnerDrawState state) {
    if (adding_) return;
    if (index < 0 || index >= count() || (show_groups() && is_group_line(index))) {
        TEcCustomTabbedListBox::draw_item_on(canvas, index, rect, state);
        return;
    }
    const int indent = owner_draw_indent();
    const bool rtl = use_right_to_left_reading();
    ui::Rect band = rect;
    if (rtl) band.left = rect.right - indent;
    else band.right = rect.left + indent;
    canvas.brush().color = color();
    canvas.fill_rect(band);
    const int x = rtl ? rect.right - indent + 4 : rect.left + 4;
    const int y = rect.top + (item_height() - glyph_height()) / 2;
    paint_glyph(canvas, index, {x, y, x + glyph_width(), y + glyph_height()});
    canvas.reset_values();
    canvas.font().assign(font());
    canvas.brush().color = color();
    if (!strings_->packet(index).enabled || !enabled())
        canvas.font().set_color(color() == ui::clBtnShadow ? ui::clBtnFace : ui::clBtnShadow);
    TEcCustomTabbedListBox::draw_item_on(canvas, index, rect, state);
}

} // namespace ec
