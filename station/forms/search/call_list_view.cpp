#include "station/forms/search/call_list_view.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/text_gbk.h"
#include "platform/ui/win/menus.h"

namespace forms {
namespace {

int format_of(station::ColumnAlign align) {
    switch (align) {
    case station::ColumnAlign::Center: return LVCFMT_CENTER;
    case station::ColumnAlign::Right: return LVCFMT_RIGHT;
    case station::ColumnAlign::Left: break;
    }
    return LVCFMT_LEFT;
}

} // namespace

CallListView::CallListView(ui::Component* owner) : ui::WinControl(owner) { set_tab_stop(true); }

void CallListView::create_params(ui::CreateParams& p) {
    ui::WinControl::create_params(p);
    p.system_class = WC_LISTVIEWW;
    p.style |= LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP;
    p.ex_style |= WS_EX_CLIENTEDGE;
}

void CallListView::initialize_window() {
    HWND w = handle();
    const DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
    SendMessageW(w, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    if (images_) SendMessageW(w, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_->handle()));
    if (header_images_) SendMessageW(header_window(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(header_images_->handle()));
    for (int c = 0; c < ColumnCount(); ++c) insert_column(c);
    SendMessageW(w, LVM_SETITEMCOUNT, static_cast<WPARAM>(item_count_), LVSICF_NOINVALIDATEALL);
}

HWND CallListView::header_window() const {
    return reinterpret_cast<HWND>(SendMessageW(list(), LVM_GETHEADER, 0, 0));
}

void CallListView::SetSmallImages(ui::ImageList* images) {
    images_ = images;
    if (handle_allocated() && images_)
        SendMessageW(handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_->handle()));
}

void CallListView::SetHeaderImages(ui::ImageList* images) {
    header_images_ = images;
    if (handle_allocated() && header_images_)
        SendMessageW(header_window(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(header_images_->handle()));
}

void CallListView::insert_column(int index) {
    const ListColumnSpec& spec = columns_[static_cast<std::size_t>(index)];
    std::wstring caption = plat::gbk_to_wide(spec.caption);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = format_of(spec.align);
    col.cx = spec.width;
    col.pszText = caption.data();
    col.iSubItem = index;
    SendMessageW(list(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
    apply_column(index);
}

void CallListView::apply_column(int index) {
    if (!handle_allocated()) return;
    const ListColumnSpec& spec = columns_[static_cast<std::size_t>(index)];
    std::wstring caption = plat::gbk_to_wide(spec.caption);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = format_of(spec.align);
    col.cx = spec.width;
    col.pszText = caption.data();
    SendMessageW(list(), LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
    // The sort arrow lives in the header item: its image on the right of the caption.
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    HWND header = header_window();
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const int image = column_images_[static_cast<std::size_t>(index)];
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.iImage = image < 0 ? 0 : image;
    item.fmt = image < 0 ? (item.fmt & ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT)) : (item.fmt | HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void CallListView::SetColumns(const std::vector<ListColumnSpec>& columns) {
    if (handle_allocated()) {
        for (int c = ColumnCount() - 1; c >= 0; --c) SendMessageW(list(), LVM_DELETECOLUMN, static_cast<WPARAM>(c), 0);
    }
    columns_ = columns;
    column_images_.assign(columns_.size(), -1);
    if (handle_allocated()) {
        for (int c = 0; c < ColumnCount(); ++c) insert_column(c);
    }
}

void CallListView::SetColumnCaption(int column, const std::string& caption) {
    if (column < 0 || column >= ColumnCount()) return;
    columns_[static_cast<std::size_t>(column)].caption = caption;
    apply_column(column);
}

void CallListView::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount()) return;
    columns_[static_cast<std::size_t>(column)].width = width;
    apply_column(column);
}

void CallListView::SetColumnImage(int column, int image) {
    if (column < 0 || column >= ColumnCount()) return;
    column_images_[static_cast<std::size_t>(column)] = image;
    apply_column(column);
}

int CallListView::ColumnImage(int column) const {
    return column >= 0 && column < ColumnCount() ? column_images_[static_cast<std::size_t>(column)] : -1;
}

std::string CallListView::ColumnCaption(int column) const {
    return column >= 0 && column < ColumnCount() ? columns_[static_cast<std::size_t>(column)].caption : std::string();
}

void CallListView::SetItemCount(int count) {
    item_count_ = count < 0 ? 0 : count;
    if (handle_allocated()) {
        SendMessageW(handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(item_count_), 0);
        InvalidateRect(handle(), nullptr, TRUE);
    }
}

int CallListView::ItemCount() const {
    return handle_allocated() ? static_cast<int>(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0)) : item_count_;
}

std::vector<int> CallListView::SelectedRows() const {
    std::vector<int> rows;
    if (!handle_allocated()) return rows;
    int i = -1;
    for (int guard = 0; guard <= item_count_; ++guard) {
        i = static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
        if (i < 0) break;
        rows.push_back(i);
    }
    return rows;
}

int CallListView::SelectedCount() const {
    return handle_allocated() ? static_cast<int>(SendMessageW(list(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

int CallListView::FirstSelected() const {
    return handle_allocated() ? static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

void CallListView::SetSelected(int row, bool selected) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CallListView::ClearSelection() { SetSelected(-1, false); }

void CallListView::SelectAll() { SetSelected(-1, true); }

int CallListView::FocusedRow() const {
    return handle_allocated() ? static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)) : -1;
}

void CallListView::MoveTo(int row) {
    if (row < 0 || row >= ItemCount()) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    set_focus();
}

void CallListView::RedrawRows() {
    if (handle_allocated()) InvalidateRect(handle(), nullptr, TRUE);
}

void CallListView::wnd_proc(ui::Message& m) {
    // A right click on the header has its own menu: the rows' menu must not follow it.
    if (m.msg == WM_CONTEXTMENU && handle_allocated() && reinterpret_cast<HWND>(m.wparam) == header_window()) {
        m.result = 0;
        return;
    }
    if (m.msg == WM_NOTIFY && handle_allocated()) {
        auto* hdr = reinterpret_cast<NMHDR*>(m.lparam);
        if (hdr->hwndFrom == header_window() && hdr->code == NM_RCLICK && OnColumnRightClick) {
            HDHITTESTINFO hit{};
            GetCursorPos(&hit.pt);
            ScreenToClient(hdr->hwndFrom, &hit.pt);
            hit.iItem = -1;
            SendMessageW(hdr->hwndFrom, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            const int column = hit.iItem;
            if (column >= 0 && (hit.flags & HHT_ONHEADER)) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(handle(), &p);
                OnColumnRightClick(column, p);
                m.result = 1;
                return;
            }
        }
    }
    ui::WinControl::wnd_proc(m);
}

bool CallListView::do_key_down(WORD& key, ui::TShiftState shift) {
    // The row menu's shortcuts (F9, Esc, Ctrl+W, Shift+Del, Ctrl+A) work while the list has the
    // focus; the menu's own enabling runs first so that a key obeys the same rules as a click.
    if (ui::PopupMenu* menu = popup_menu(); menu && key <= 0xFF) {
        ui::TShortCut modifiers = 0;
        if (shift.has(ui::TShiftStateFlag::ssShift)) modifiers |= ui::scShift;
        if (shift.has(ui::TShiftStateFlag::ssCtrl)) modifiers |= ui::scCtrl;
        if (shift.has(ui::TShiftStateFlag::ssAlt)) modifiers |= ui::scAlt;
        if (menu->on_popup) menu->on_popup(menu);
        if (menu->is_shortcut(ui::shortcut(static_cast<std::uint8_t>(key), modifiers))) {
            key = 0;
            return true;
        }
    }
    return ui::WinControl::do_key_down(key, shift);
}

void CallListView::cn_notify(NMHDR& header, ui::Message& m) {
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
        LVITEMW& item = info.item;
        if (!OnData || item.iItem < 0 || item.iItem >= item_count_ || ColumnCount() == 0) return;
        const station::ListCell cell = OnData(item.iItem, item.iSubItem);
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            text_buffer_ = plat::gbk_to_wide(cell.text);
            const std::size_t n = std::min<std::size_t>(text_buffer_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
            text_buffer_.copy(item.pszText, n);
            item.pszText[n] = L'\0';
        }
        if (item.mask & LVIF_IMAGE) item.iImage = cell.image;
        return;
    }
    case LVN_COLUMNCLICK:
        if (OnColumnClick) OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        return;
    case NM_CLICK:
        if (OnClick) OnClick();
        return;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick();
        return;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
        if (OnChange) OnChange();
        return;
    default:
        ui::WinControl::cn_notify(header, m);
    }
}

} // namespace forms
