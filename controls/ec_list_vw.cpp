#include "controls/ec_list_vw.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/ec_shell_utils.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/themes.h"

namespace ec {

using ui::Message;

namespace {

// Asks the list view to apply the header styles again once the header has settled.
constexpr UINT kReapplyHeaderStyles = WM_USER + 100;

constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

bool is_check_state(UINT state) {
    const UINT image = state & LVIS_STATEIMAGEMASK;
    return image == kUnchecked || image == kChecked;
}

SortRow row_of(ui::ListItem* item) { return {item->caption(), item->sub_items().to_vector()}; }

} // namespace

ui::ClassInfo& TEcCustomListView::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcCustomListView;
        ui::ClassInfo c("TEcCustomListView", &ui::ListView::static_class());
        ui::PropBuilder<C> b(c);
        publish_frame_look(b);
        b.boolean("AlphaSortAll", &C::alpha_sort_all, &C::set_alpha_sort_all)
            .boolean("FillLastColumn", &C::fill_last_column_enabled, &C::set_fill_last_column, true)
            .boolean("HeaderDefaultDrawing", &C::header_default_drawing, &C::set_header_default_drawing, true)
            .enumeration("HeaderSortDisplayMode", &C::header_sort_display_mode, &C::set_header_sort_display_mode,
                         TEcLVHeaderSortDisplayMode::hsdmRightOfText)
            .event("OnCheckStateChange", "TEcLVCheckStateChange", &C::on_check_state_change)
            .event("OnCheckStateChanging", "TEcLVCheckStateChanging", &C::on_check_state_changing)
            .event("OnDrawHeader", "TEcLVDrawHeaderEvent", &C::on_draw_header)
            .event("OnItemContextMenu", "TEcLVOnItemContextMenuEvent", &C::on_item_context_menu);
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcListView::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcListView", &TEcCustomListView::static_class());
        c.factory = ui::factory_of<TEcListView>();
        return c;
    }();
    return info;
}

TEcCustomListView::TEcCustomListView(ui::Component* owner) : FramedControl(owner) {
    if (comctl32_version() < make_version(4, 70)) sort_display_mode_ = TEcLVHeaderSortDisplayMode::hsdmNone;
}

TEcCustomListView::~TEcCustomListView() {
    header_layer_.reset();
    frame_.controller.release(*this);
}

void TEcCustomListView::push_colors() {
    if (!handle_allocated()) return;
    const COLORREF c = ui::color_to_rgb(color());
    SendMessageW(handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(c));
    SendMessageW(handle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(c));
    InvalidateRect(handle(), nullptr, TRUE);
}

void TEcCustomListView::set_fill_last_column(bool v) {
    fill_last_column_ = v;
    if (v) fill_last_column();
}

void TEcCustomListView::set_header_default_drawing(bool v) {
    header_default_drawing_ = v;
    invalidate_header();
}

void TEcCustomListView::set_header_sort_display_mode(TEcLVHeaderSortDisplayMode v) {
    sort_display_mode_ = comctl32_version() < make_version(4, 70) ? TEcLVHeaderSortDisplayMode::hsdmNone : v;
    apply_header_styles();
}

void TEcCustomListView::set_sort_column(int column, SortDirection direction) {
    sort_.column = column;
    sort_.direction = direction;
    invalidate_header();
}

void TEcCustomListView::invalidate_header() {
    if (!handle_allocated()) return;
    if (HWND header = header_handle()) InvalidateRect(header, nullptr, TRUE);
}

void TEcCustomListView::loaded() {
    ListView::loaded();
    update_color();
    fill_last_column();
}

void TEcCustomListView::initialize_window() {
    ListView::initialize_window();
    push_colors();
    hook_header();
    apply_header_styles();
    fill_last_column();
    PostMessageW(handle(), kReapplyHeaderStyles, 0, 0);
}

void TEcCustomListView::save_window_state() {
    header_layer_.reset();
    ListView::save_window_state();
}

void TEcCustomListView::hook_header() {
    if (header_layer_ || !handle_allocated()) return;
    if (HWND header = header_handle()) {
        header_layer_ = std::make_unique<ui::WindowSubclass>(
            header, [this](Message& m, const ui::WindowSubclass::Next& next) { header_message(m, next); });
    }
}

void TEcCustomListView::header_message(Message& m, const ui::WindowSubclass::Next& next) {
    switch (m.msg) {
    case WM_MOUSEMOVE:
        if (ui::theme_services().themes_enabled() && !section_down_) {
            HDHITTESTINFO hit{};
            hit.pt = {GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
            hot_section_ = static_cast<int>(SendMessageW(header_handle(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            invalidate_header();
        }
        break;
    case WM_LBUTTONDOWN: section_down_ = true; break;
    case WM_LBUTTONUP: section_down_ = false; break;
    default: break;
    }
    next(m);
}

void TEcCustomListView::apply_header_styles() {
    if (view_style() != ui::TViewStyle::vsReport || !handle_allocated() || applying_styles_ > 0) return;
    HWND header = header_handle();
    if (!header) return;
    ++applying_styles_;
    for (int i = columns().count() - 1; i >= 0; --i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
        int format = item.fmt & HDF_JUSTIFYMASK;
        if (sort_display_mode_ != TEcLVHeaderSortDisplayMode::hsdmNone) {
            format |= HDF_OWNERDRAW;
        } else {
            format |= HDF_STRING;
            if (column(i)->image_index() >= 0 && small_images()) format |= HDF_IMAGE;
        }
        item.fmt = format;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    --applying_styles_;
    invalidate_header();
}

void TEcCustomListView::fill_last_column() {
    // Without a window the client width is not known yet.
    if (!fill_last_column_ || view_style() != ui::TViewStyle::vsReport || destroying() || columns().count() == 0 ||
        !handle_allocated())
        return;
    std::vector<int> widths;
    for (int i = 0; i < columns().count(); ++i) widths.push_back(column(i)->width());
    const bool take_scroll_bar = item_count() == 0 || loading();
    if (auto last = ec::fill_last_column(widths, client_width(), GetSystemMetrics(SM_CXVSCROLL), take_scroll_bar))
        column(columns().count() - 1)->set_width(*last);
}

void TEcCustomListView::col_click(ui::ListColumn* clicked) {
    if (alpha_sort_all_ && clicked) {
        sort_ = click_column(sort_, clicked->index());
        const int count = columns().count();
        const SortState state = sort_;
        custom_sort([state, count](ui::ListItem* a, ui::ListItem* b) {
            const SortRow ra = row_of(a), rb = row_of(b);
            return compare_rows(&ra, &rb, state.column, count, state.direction);
        });
        if (!(comctl32_version() < make_version(6, 0))) apply_header_styles();
        invalidate_header();
    }
    ListView::col_click(clicked);
}

void TEcCustomListView::cn_notify(NMHDR& header, Message& m) {
    switch (header.code) {
    case LVN_GETINFOTIPW:
    case LVN_GETINFOTIPA:
        m.result = 0;  // the list shows its own tips
        return;
    case NM_RCLICK: {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(handle(), &p);
        if (get_item_at(p.x, p.y)) {
            right_clicked_ = true;
            position_menu(p);
            right_clicked_ = false;
        }
        break;
    }
    default: break;
    }
    if (header.code == LVN_ITEMCHANGING && checkboxes()) {
        auto& n = reinterpret_cast<NMLISTVIEW&>(header);
        const UINT before = n.uOldState & LVIS_STATEIMAGEMASK, after = n.uNewState & LVIS_STATEIMAGEMASK;
        if ((n.uChanged & LVIF_STATE) && is_check_state(after) && after != before && n.iItem >= 0 &&
            n.iItem < item_count() && on_check_state_changing) {
            bool allow = true;
            on_check_state_changing(this, item(n.iItem), after == kChecked, allow);
            if (!allow) {
                m.result = 1;
                return;
            }
        }
    }
    ListView::cn_notify(header, m);
    if (header.code == LVN_ITEMCHANGED && checkboxes()) {
        auto& n = reinterpret_cast<NMLISTVIEW&>(header);
        const UINT before = n.uOldState & LVIS_STATEIMAGEMASK, after = n.uNewState & LVIS_STATEIMAGEMASK;
        if ((n.uChanged & LVIF_STATE) && is_check_state(after) && after != before && n.iItem >= 0 &&
            n.iItem < item_count() && on_check_state_change)
            on_check_state_change(this, item(n.iItem));
    }
}

void TEcCustomListView::position_menu(POINT pos) {
    if (!item_focused() || right_clicked_) {
        if (right_clicked_) {
            item_menu(pos);
            return;
        }
        if (ui::PopupMenu* menu = popup_menu(); menu && menu->auto_popup()) {
            const POINT screen = client_to_screen(pos);
            menu->set_popup_component(this);
            menu->popup(screen.x, screen.y);
        }
        menu_handled_ = true;
        return;
    }
    const ui::Rect icon = item_focused()->display_rect(ui::TDisplayCode::drIcon);
    item_menu(POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
}

void TEcCustomListView::item_menu(POINT pos) {
    ui::PopupMenu* menu = popup_menu();
    if (on_item_context_menu) on_item_context_menu(this, item_focused(), pos, menu);
    menu_handled_ = true;
    if (!menu) return;
    const POINT screen = client_to_screen(pos);
    menu->set_popup_component(this);
    menu->popup(screen.x, screen.y);
}

bool TEcCustomListView::do_key_down(WORD& key, ui::TShiftState shift) {
    const bool shifted = shift.has(ui::TShiftStateFlag::ssShift);
    if ((key == VK_APPS && !shifted) || (key == VK_F10 && shifted)) {
        key = 0;
        position_menu(POINT{0, 0});
        return true;
    }
    return ListView::do_key_down(key, shift);
}

void TEcCustomListView::update_info_tip(POINT p) {
    if (!on_info_tip || !handle_allocated() || loading()) return;
    ui::ListItem* item = ui::application().active() ? get_item_at(p.x, p.y) : nullptr;
    if (!item) {
        hide_info_tip();
        return;
    }
    const ui::Rect bounds = item->display_rect(ui::TDisplayCode::drBounds);
    std::string tip = item->caption();
    on_info_tip(this, item, tip);
    if (!tip_) tip_ = std::make_unique<ui::HintWindow>(nullptr);
    tip_->font().assign(font());
    ui::Rect r = tip_->calc_hint_rect(GetSystemMetrics(SM_CXSCREEN), tip);
    const POINT at = client_to_screen(POINT{bounds.left + 5, bounds.bottom - 3});
    r = {at.x, at.y, at.x + r.width(), at.y + r.height()};
    // Shown again only when it moved or was hidden, so that it does not flicker under the mouse.
    const bool same = tip_->visible() && tip_->left() == r.left && tip_->top() == r.top && tip_->text() == tip;
    if (!same) tip_->activate_hint(r, tip);
}

void TEcCustomListView::hide_info_tip() {
    if (tip_ && tip_->handle_allocated()) tip_->release_handle();
}

void TEcCustomListView::draw_header_item(DRAWITEMSTRUCT& d) {
    ui::SavedDC saved(d.hDC);
    ui::Canvas canvas(d.hDC);
    canvas.font().assign(font());
    canvas.font().set_color(ui::clBtnText);
    canvas.brush().color = ui::clBtnFace;
    ui::Rect r{d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom};
    const int index = static_cast<int>(d.itemID);
    if (ui::theme_services().themes_enabled()) {
        const int state = index == hot_section_ ? (section_down_ ? 3 : 2) : 1;
        ui::theme_services().draw_element(d.hDC, L"HEADER", 1, state, r);
    } else {
        canvas.fill_rect(r);
    }
    r = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    if (header_default_drawing_) draw_header(canvas, index, r);
    else if (on_draw_header) on_draw_header(this, canvas, index, r);
}

void TEcCustomListView::draw_header(ui::Canvas& canvas, int index, const ui::Rect& rect) {
    if (index < 0 || index >= columns().count()) return;
    ui::ListColumn* col = column(index);
    IntersectClipRect(canvas.handle(), rect.left - 2, rect.top - 2, rect.right + 2, rect.bottom + 2);
    const HeaderRect text{rect.left + 4, rect.top, rect.right - 4, rect.bottom};
    const std::string caption = col->caption().substr(0, 255);
    const SIZE size = canvas.text_extent(caption);
    HeaderJustify justify = HeaderJustify::Left;
    UINT align = DT_LEFT;
    if (col->alignment() == ui::TAlignment::taRightJustify) {
        justify = HeaderJustify::Right;
        align = DT_RIGHT;
    } else if (col->alignment() == ui::TAlignment::taCenter) {
        justify = HeaderJustify::Center;
        align = DT_CENTER;
    }
    const HeaderLayout layout = header_layout(sort_display_mode_, justify, text, size.cx, size.cy,
                                              index == sort_.column, col->width());
    if (layout.arrow && arrow_fits(*layout.arrow, col->width())) {
        const ArrowTriangle t = arrow_triangle(*layout.arrow, sort_.direction);
        canvas.pen().color = ui::clBtnShadow;
        canvas.brush().color = ui::clBtnShadow;
        canvas.polygon({{t.x[0], t.y[0]}, {t.x[1], t.y[1]}, {t.x[2], t.y[2]}});
    }
    canvas.brush().color = ui::clBtnFace;
    if (ui::theme_services().themes_enabled()) canvas.brush().style = ui::TBrushStyle::bsClear;
    ui::Rect place{layout.text.left, layout.text.top, layout.text.right, layout.text.bottom};
    canvas.draw_text(caption, place, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | align);
}

void TEcCustomListView::header_notify(UINT code, NMHDR& header, Message& m) {
    ListView::header_notify(code, header, m);
    switch (code) {
    case HDN_ITEMCLICKW: invalidate_header(); break;
    case HDN_ENDTRACKW:
    case HDN_DIVIDERDBLCLICKW:
        apply_header_styles();
        fill_last_column();
        break;
    case HDN_BEGINTRACKW:
    case HDN_ITEMCHANGEDW:
        apply_header_styles();
        if (frame_.frame_visible) frame_look_changed(false);
        break;
    default: break;
    }
}

void TEcCustomListView::wnd_proc(Message& m) {
    switch (m.msg) {
    case kReapplyHeaderStyles:
        apply_header_styles();
        m.result = 0;
        return;
    case WM_PARENTNOTIFY:
        ListView::wnd_proc(m);
        if (LOWORD(m.wparam) == WM_CREATE) hook_header();
        apply_header_styles();
        return;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
        if (d && handle_allocated() && d->hwndItem == header_handle()) {
            draw_header_item(*d);
            m.result = 1;
            return;
        }
        break;
    }
    case WM_SIZE:
        ListView::wnd_proc(m);
        if (header_hooked()) fill_last_column();
        if (frame_.custom_frame_shown()) frame_look_changed(false);
        return;
    case WM_NCPAINT:
        ListView::wnd_proc(m);
        if (frame_.custom_frame_shown()) frame_.paint_frame(handle(), color(), focused_ || over_);
        m.result = 0;
        return;
    case ui::CM_COLORCHANGED:
        if (!updating_colour_) {
            if (frame_.focus_color == frame_.normal_color) frame_.focus_color = color();
            frame_.normal_color = color();
            update_color();
        }
        ListView::wnd_proc(m);
        push_colors();
        return;
    case ui::CM_ENABLEDCHANGED: update_color(); break;
    case ui::CM_ENTER:
    case ui::CM_EXIT:
        focused_ = m.msg == ui::CM_ENTER;
        update_color();
        if (frame_.frame_hot_track) frame_look_changed(false);
        break;
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
        over_ = m.msg == ui::CM_MOUSEENTER;
        if (frame_.frame_hot_track) frame_look_changed(false);
        if (over_) {
            POINT p{};
            GetCursorPos(&p);
            update_info_tip(screen_to_client(p));
        } else {
            hide_info_tip();
        }
        break;
    case WM_MOUSEMOVE:
        if (ui::theme_services().themes_enabled() && view_style() == ui::TViewStyle::vsReport && hot_section_ != -1) {
            hot_section_ = -1;
            invalidate_header();
        }
        // After the platform's handling, which tells of the mouse entering: the tip follows
        // this move's point.
        ListView::wnd_proc(m);
        update_info_tip(POINT{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)});
        return;
    case WM_CONTEXTMENU:
        if (handle_allocated() && reinterpret_cast<HWND>(m.wparam) == handle()) {
            if (menu_handled_) {
                m.result = 0;
                return;
            }
            if (selected_index() >= 0 || item_focused()) {
                POINT p{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
                if (p.x == -1 && p.y == -1) {
                    position_menu(POINT{0, 0});
                } else {
                    ScreenToClient(handle(), &p);
                    item_menu(p);
                }
                m.result = 0;
                return;
            }
        }
        break;
    case WM_RBUTTONDOWN:
        // A new click: a mark left by a click whose button-up the list kept to itself goes.
        menu_handled_ = false;
        break;
    case WM_RBUTTONUP:
        if (menu_handled_) {
            // The menu of this click was shown: the platform's handling must not show another.
            ui::PopupMenu* menu = popup_menu();
            set_popup_menu(nullptr);
            ListView::wnd_proc(m);
            set_popup_menu(menu);
        } else {
            ListView::wnd_proc(m);
        }
        menu_handled_ = false;
        return;
    default: break;
    }
    ListView::wnd_proc(m);
}

} // namespace ec
