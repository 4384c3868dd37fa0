#include "platform/ui/win/list_view.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text_gbk.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/image_list.h"

namespace ui {

namespace {

std::wstring wide(const std::string& gbk) { return plat::gbk_to_wide(gbk); }

int column_format(TAlignment a) {
    return a == TAlignment::taCenter ? LVCFMT_CENTER : a == TAlignment::taRightJustify ? LVCFMT_RIGHT : LVCFMT_LEFT;
}

LVCOLUMNW column_info(const ListColumn& c, std::wstring& text) {
    text = wide(c.caption());
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = column_format(c.alignment());
    col.cx = c.width();
    col.pszText = text.data();
    if (c.image_index() >= 0) {
        col.mask |= LVCF_IMAGE;
        col.fmt |= LVCFMT_IMAGE;
        col.iImage = c.image_index();
    }
    return col;
}

// The header sends its ANSI codes to a parent that answers WM_NOTIFYFORMAT so.
UINT unicode_header_code(UINT code) {
    switch (code) {
    case HDN_ITEMCHANGINGA: return HDN_ITEMCHANGINGW;
    case HDN_ITEMCHANGEDA: return HDN_ITEMCHANGEDW;
    case HDN_ITEMCLICKA: return HDN_ITEMCLICKW;
    case HDN_ITEMDBLCLICKA: return HDN_ITEMDBLCLICKW;
    case HDN_DIVIDERDBLCLICKA: return HDN_DIVIDERDBLCLICKW;
    case HDN_BEGINTRACKA: return HDN_BEGINTRACKW;
    case HDN_ENDTRACKA: return HDN_ENDTRACKW;
    case HDN_TRACKA: return HDN_TRACKW;
    case HDN_GETDISPINFOA: return HDN_GETDISPINFOW;
    default: return code;
    }
}

void check_index(int index, int count) {
    if (index < 0 || index >= count) throw std::out_of_range("list index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

// ---------------------------------------------------------------------------------------------
// ListColumn

ClassInfo& ListColumn::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TListColumn", &CollectionItem::static_class());
        PropBuilder<ListColumn>(c)
            .string("Caption", &ListColumn::caption, &ListColumn::set_caption)
            .integer("Width", &ListColumn::width, &ListColumn::set_width, 50, "TWidth")
            .enumeration("Alignment", &ListColumn::alignment, &ListColumn::set_alignment, TAlignment::taLeftJustify)
            .integer("ImageIndex", &ListColumn::image_index, &ListColumn::set_image_index, -1, "TImageIndex")
            .boolean("AutoSize", &ListColumn::auto_size, &ListColumn::set_auto_size);
        return c;
    }();
    return info;
}

void ListColumn::set_caption(const std::string& c) {
    caption_ = c;
    changed();
}

int ListColumn::width() const { return width_; }

void ListColumn::set_width(int w) {
    width_ = w;
    changed();
}

void ListColumn::set_alignment(TAlignment a) {
    alignment_ = a;
    changed();
}

void ListColumn::set_image_index(int i) {
    image_index_ = i;
    changed();
}

void ListColumn::set_header_image(int i) {
    header_image_ = i < 0 ? -1 : i;
    changed();
}

// ---------------------------------------------------------------------------------------------
// ListItem

ListItem::ListItem(ListView* owner) : owner_(owner) {
    sub_items_.on_change = [this](StringList&) {
        if (owner_) owner_->update_item(*this);
    };
}

int ListItem::index() const { return virtual_index_ >= 0 ? virtual_index_ : owner_->index_of(this); }

void ListItem::set_caption(const std::string& c) {
    caption_ = c;
    owner_->update_item(*this);
    if (owner_->on_change && virtual_index_ < 0) owner_->on_change(owner_, this, TItemChange::ctText);
}

void ListItem::set_image_index(int i) {
    image_index_ = i;
    owner_->update_item(*this);
}

bool ListItem::checked() const {
    if (!owner_->handle_allocated()) return checked_;
    UINT s = static_cast<UINT>(SendMessageW(owner_->handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index()), LVIS_STATEIMAGEMASK));
    return (s >> 12) == 2;
}

void ListItem::set_checked(bool v) {
    checked_ = v;
    if (!owner_->handle_allocated()) return;
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(v ? 2 : 1);
    SendMessageW(owner_->handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index()), reinterpret_cast<LPARAM>(&item));
}

bool ListItem::selected() const { return owner_->stored_state(index(), LVIS_SELECTED); }
void ListItem::set_selected(bool v) { owner_->set_stored_state(index(), LVIS_SELECTED, v); }
bool ListItem::focused() const { return owner_->stored_state(index(), LVIS_FOCUSED); }
void ListItem::set_focused(bool v) { owner_->set_stored_state(index(), LVIS_FOCUSED, v); }

Rect ListItem::display_rect(TDisplayCode code) const {
    RECT r{};
    r.left = code == TDisplayCode::drBounds ? LVIR_BOUNDS : code == TDisplayCode::drIcon ? LVIR_ICON
                                                          : code == TDisplayCode::drLabel ? LVIR_LABEL
                                                                                          : LVIR_SELECTBOUNDS;
    if (owner_->handle_allocated())
        SendMessageW(owner_->handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index()), reinterpret_cast<LPARAM>(&r));
    else
        r = RECT{};
    return from_rect(r);
}

void ListItem::make_visible() {
    if (owner_->handle_allocated()) SendMessageW(owner_->handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index()), FALSE);
}

// ---------------------------------------------------------------------------------------------
// ListView

ClassInfo& ListView::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomListView", &WinControl::static_class());
        PropBuilder<ListView>(c)
            .object("Columns", PropKind::Collection, "TListColumns", [](ListView& l) -> Persistent* { return &l.columns_; })
            .enumeration("ViewStyle", &ListView::view_style, &ListView::set_view_style, TViewStyle::vsIcon)
            .boolean("OwnerData", &ListView::owner_data, &ListView::set_owner_data)
            .boolean("Checkboxes", &ListView::checkboxes, &ListView::set_checkboxes)
            .boolean("RowSelect", &ListView::row_select, &ListView::set_row_select)
            .boolean("MultiSelect", &ListView::multi_select, &ListView::set_multi_select)
            .boolean("ReadOnly", &ListView::read_only, &ListView::set_read_only)
            .boolean("GridLines", &ListView::grid_lines, &ListView::set_grid_lines)
            .boolean("HideSelection", &ListView::hide_selection, &ListView::set_hide_selection, true)
            .boolean("ColumnClick", &ListView::column_click, &ListView::set_column_click, true)
            .boolean("ShowColumnHeaders", &ListView::show_column_headers, &ListView::set_show_column_headers, true)
            .reference<ImageList>("SmallImages", "TCustomImageList", &ListView::small_images, &ListView::set_small_images)
            .reference<ImageList>("LargeImages", "TCustomImageList", &ListView::large_images, &ListView::set_large_images)
            .reference<ImageList>("StateImages", "TCustomImageList", &ListView::state_images, &ListView::set_state_images)
            .event("OnChange", "TLVChangeEvent", &ListView::on_change)
            .event("OnColumnClick", "TLVColumnClickEvent", &ListView::on_column_click)
            .event("OnCompare", "TLVCompareEvent", &ListView::on_compare)
            .event("OnData", "TLVOwnerDataEvent", &ListView::on_data)
            .event("OnSelectItem", "TLVSelectItemEvent", &ListView::on_select_item)
            .event("OnEditing", "TLVEditingEvent", &ListView::on_editing)
            .event("OnInfoTip", "TLVInfoTipEvent", &ListView::on_info_tip)
            .event("OnColumnRightClick", "TLVColumnRClickEvent", &ListView::on_column_right_click)
            .event("OnDataStateChange", "TLVDataStateChangeEvent", &ListView::on_data_state_change)
            .event("OnGetSubItemImage", "TLVSubItemImageEvent", &ListView::on_get_sub_item_image);
        return c;
    }();
    return info;
}

ClassInfo& ListView::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TListView", &custom_class());
        c.factory = factory_of<ListView>();
        return c;
    }();
    return info;
}

ListView::ListView(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 250, 150);
    set_tab_stop(true);
    set_color(clWindow);
    columns_.on_update = [this](CollectionItem* changed) {
        if (changed) update_column(changed->index());
        else update_columns();
    };
}

ListView::~ListView() {
    // The window goes while the items it points at still exist.
    release_owned();
    destroy_handle();
}

DWORD ListView::extended_style() const {
    DWORD ex = LVS_EX_LABELTIP;
    if (checkboxes_) ex |= LVS_EX_CHECKBOXES;
    if (row_select_) ex |= LVS_EX_FULLROWSELECT;
    if (grid_lines_) ex |= LVS_EX_GRIDLINES;
    if (on_info_tip) ex |= LVS_EX_INFOTIP;
    if (on_get_sub_item_image) ex |= LVS_EX_SUBITEMIMAGES;
    return ex;
}

void ListView::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = WC_LISTVIEWW;
    p.ex_style |= WS_EX_CLIENTEDGE;
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    p.style |= views[static_cast<int>(view_style_)] | LVS_SHAREIMAGELISTS;
    if (owner_data_) p.style |= LVS_OWNERDATA;
    if (!multi_select_) p.style |= LVS_SINGLESEL;
    if (!read_only_) p.style |= LVS_EDITLABELS;
    if (!hide_selection_) p.style |= LVS_SHOWSELALWAYS;
    if (!column_click_) p.style |= LVS_NOSORTHEADER;
    if (!show_column_headers_) p.style |= LVS_NOCOLUMNHEADER;
}

void ListView::initialize_window() {
    SendMessageW(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended_style());
    SendMessageW(handle(), LVM_SETBKCOLOR, 0, to_colorref(color()));
    SendMessageW(handle(), LVM_SETTEXTBKCOLOR, 0, to_colorref(color()));
    SendMessageW(handle(), LVM_SETTEXTCOLOR, 0, to_colorref(font().color()));
    update_image_lists();
    update_columns();
    fill_items();
}

void ListView::save_window_state() {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->checked_ = items_[i]->checked();
        items_[i]->selected_ = stored_state(static_cast<int>(i), LVIS_SELECTED);
    }
}

void ListView::update_image_lists() {
    if (!handle_allocated()) return;
    SendMessageW(handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small_images_ ? small_images_->handle() : nullptr));
    SendMessageW(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large_images_ ? large_images_->handle() : nullptr));
    if (state_images_) SendMessageW(handle(), LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(state_images_->handle()));
    // After the small images, which the window also gives its header.
    if (header_images_)
        if (HWND header = header_handle())
            SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(header_images_->handle()));
}

void ListView::update_columns() {
    if (!handle_allocated()) return;
    HWND h = handle();
    while (SendMessageW(h, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < columns_.count(); ++i) {
        std::wstring text;
        LVCOLUMNW col = column_info(*columns_.at(i), text);
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = i;
        SendMessageW(h, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
        apply_header_image(i);
    }
}

void ListView::update_column(int index) {
    if (!handle_allocated() || index < 0 || index >= columns_.count()) return;
    std::wstring text;
    LVCOLUMNW col = column_info(*columns_.at(index), text);
    SendMessageW(handle(), LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
    apply_header_image(index);
}

void ListView::apply_header_image(int index) {
    HWND header = header_handle();
    if (!header) return;
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const int image = columns_.at(index)->header_image();
    if (image < 0 && !(item.fmt & HDF_BITMAP_ON_RIGHT)) return;  // none shown, none wanted
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.iImage = std::max(image, 0);
    if (image < 0) item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
    else item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void ListView::fill_items() {
    if (!handle_allocated() || update_count_ > 0) return;
    HWND h = handle();
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    if (owner_data_) {
        SendMessageW(h, LVM_SETITEMCOUNT, static_cast<WPARAM>(virtual_count_), LVSICF_NOINVALIDATEALL);
    } else {
        SendMessageW(h, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = static_cast<int>(i);
            item.pszText = LPSTR_TEXTCALLBACKW;
            item.iImage = I_IMAGECALLBACK;
            item.lParam = reinterpret_cast<LPARAM>(items_[i].get());
            SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            if (checkboxes_) items_[i]->set_checked(items_[i]->checked_);
            if (items_[i]->selected_) set_stored_state(static_cast<int>(i), LVIS_SELECTED, true);
        }
    }
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

void ListView::update_item(const ListItem& item) {
    // A virtual row is being filled in for the window, which is drawing it right now.
    if (!handle_allocated() || update_count_ > 0 || item.virtual_index_ >= 0) return;
    int index = item.index();
    if (index >= 0) SendMessageW(handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
}

int ListView::item_count() const { return owner_data_ ? virtual_count_ : static_cast<int>(items_.size()); }

ListItem* ListView::virtual_item(int index) {
    if (!virtual_item_) virtual_item_ = std::make_unique<ListItem>(this);
    ListItem& v = *virtual_item_;
    v.virtual_index_ = index;
    v.caption_.clear();
    v.sub_items_.on_change = nullptr;
    v.sub_items_.clear();
    v.image_index_ = -1;
    v.data = nullptr;
    if (on_data) on_data(this, &v);
    return &v;
}

ListItem* ListView::item(int index) {
    check_index(index, item_count());
    if (owner_data_) return virtual_item(index);
    return items_[static_cast<std::size_t>(index)].get();
}

ListItem* ListView::add_item() { return insert_item(static_cast<int>(items_.size())); }

ListItem* ListView::insert_item(int index) {
    if (owner_data_) throw std::logic_error("items of a virtual list come from OnData");
    index = std::clamp(index, 0, static_cast<int>(items_.size()));
    items_.insert(items_.begin() + index, std::make_unique<ListItem>(this));
    ListItem* item = items_[static_cast<std::size_t>(index)].get();
    if (handle_allocated() && update_count_ == 0) {
        LVITEMW lv{};
        lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        lv.iItem = index;
        lv.pszText = LPSTR_TEXTCALLBACKW;
        lv.iImage = I_IMAGECALLBACK;
        lv.lParam = reinterpret_cast<LPARAM>(item);
        SendMessageW(handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv));
    }
    return item;
}

void ListView::delete_item(int index) {
    check_index(index, item_count());
    if (owner_data_) throw std::logic_error("items of a virtual list come from OnData");
    if (handle_allocated() && update_count_ == 0) SendMessageW(handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    items_.erase(items_.begin() + index);
}

void ListView::clear() {
    if (handle_allocated()) SendMessageW(handle(), LVM_DELETEALLITEMS, 0, 0);
    items_.clear();
    virtual_count_ = 0;
}

void ListView::begin_update() { ++update_count_; }

void ListView::end_update() {
    if (update_count_ > 0 && --update_count_ == 0) fill_items();
}

int ListView::index_of(const ListItem* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return static_cast<int>(i);
    return -1;
}

void ListView::set_owner_data(bool v) {
    if (v == owner_data_) return;
    items_.clear();
    virtual_count_ = 0;
    owner_data_ = v;
    if (handle_allocated()) recreate_wnd();
}

void ListView::set_item_count(int count) {
    if (!owner_data_) throw std::logic_error("only a virtual list takes an item count");
    virtual_count_ = std::max(0, count);
    if (handle_allocated()) {
        SendMessageW(handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(virtual_count_), 0);
        InvalidateRect(handle(), nullptr, TRUE);
    }
}

void ListView::set_view_style(TViewStyle v) {
    view_style_ = v;
    if (handle_allocated()) recreate_wnd();
}

#define UI_LISTVIEW_STYLE_SETTER(fn, field)  \
    void ListView::fn(bool v) {              \
        field = v;                           \
        if (handle_allocated()) recreate_wnd(); \
    }
UI_LISTVIEW_STYLE_SETTER(set_multi_select, multi_select_)
UI_LISTVIEW_STYLE_SETTER(set_read_only, read_only_)
UI_LISTVIEW_STYLE_SETTER(set_hide_selection, hide_selection_)
UI_LISTVIEW_STYLE_SETTER(set_column_click, column_click_)
UI_LISTVIEW_STYLE_SETTER(set_show_column_headers, show_column_headers_)
#undef UI_LISTVIEW_STYLE_SETTER

void ListView::set_checkboxes(bool v) {
    checkboxes_ = v;
    if (handle_allocated()) SendMessageW(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended_style());
}

void ListView::set_row_select(bool v) {
    row_select_ = v;
    if (handle_allocated()) SendMessageW(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended_style());
}

void ListView::set_grid_lines(bool v) {
    grid_lines_ = v;
    if (handle_allocated()) SendMessageW(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended_style());
}

void ListView::set_small_images(ImageList* i) {
    small_images_ = i;
    if (i) free_notification(i);
    update_image_lists();
}

void ListView::set_large_images(ImageList* i) {
    large_images_ = i;
    if (i) free_notification(i);
    update_image_lists();
}

void ListView::set_state_images(ImageList* i) {
    state_images_ = i;
    if (i) free_notification(i);
    update_image_lists();
}

void ListView::set_header_images(ImageList* i) {
    header_images_ = i;
    if (i) free_notification(i);
    if (!handle_allocated()) return;
    if (HWND header = header_handle())
        SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(i ? i->handle() : nullptr));
}

void ListView::notification(Component* c, TOperation op) {
    WinControl::notification(c, op);
    if (op != TOperation::opRemove) return;
    bool changed = false;
    for (ImageList** l : {&small_images_, &large_images_, &state_images_, &header_images_})
        if (*l == c) {
            *l = nullptr;
            changed = true;
        }
    if (changed && !destroying()) update_image_lists();
}

bool ListView::stored_state(int index, UINT mask) const {
    if (!handle_allocated()) {
        return mask == LVIS_SELECTED && index >= 0 && index < static_cast<int>(items_.size()) &&
               items_[static_cast<std::size_t>(index)]->selected_;
    }
    return (SendMessageW(const_cast<ListView*>(this)->handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask) & mask) != 0;
}

void ListView::set_stored_state(int index, UINT mask, bool on) {
    if (mask == LVIS_SELECTED && index >= 0 && index < static_cast<int>(items_.size()))
        items_[static_cast<std::size_t>(index)]->selected_ = on;
    if (!handle_allocated()) return;
    LVITEMW item{};
    item.stateMask = mask;
    item.state = on ? mask : 0;
    SendMessageW(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int ListView::selected_index() const {
    if (!handle_allocated()) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i]->selected_) return static_cast<int>(i);
        return -1;
    }
    return static_cast<int>(SendMessageW(const_cast<ListView*>(this)->handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

ListItem* ListView::selected() {
    int i = selected_index();
    return i >= 0 ? item(i) : nullptr;
}

void ListView::set_selected(ListItem* it) {
    for (int i = 0; i < item_count(); ++i)
        if (stored_state(i, LVIS_SELECTED)) set_stored_state(i, LVIS_SELECTED, false);
    if (it) {
        it->set_selected(true);
        it->set_focused(true);
    }
}

int ListView::sel_count() const {
    if (!handle_allocated()) return selected_index() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageW(const_cast<ListView*>(this)->handle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

ListItem* ListView::item_focused() {
    if (!handle_allocated()) return nullptr;
    int i = static_cast<int>(SendMessageW(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return i >= 0 ? item(i) : nullptr;
}

std::vector<int> ListView::selected_rows() const {
    std::vector<int> rows;
    if (!handle_allocated()) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i]->selected_) rows.push_back(static_cast<int>(i));
        return rows;
    }
    HWND h = const_cast<ListView*>(this)->handle();
    const int count = item_count();
    int row = static_cast<int>(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    // Bounded by the count: the window never lists a row twice, but a loop here must not trust it.
    while (row >= 0 && static_cast<int>(rows.size()) < count) {
        rows.push_back(row);
        row = static_cast<int>(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
    }
    return rows;
}

void ListView::set_row_selected(int row, bool selected) {
    if (row < 0 || row >= item_count()) return;
    set_stored_state(row, LVIS_SELECTED, selected);
}

void ListView::select_all() {
    for (auto& item : items_) item->selected_ = true;
    // Row -1 stands for every row, which a virtual list of any length handles in one message.
    if (handle_allocated()) set_stored_state(-1, LVIS_SELECTED, true);
}

void ListView::clear_selection() {
    for (auto& item : items_) item->selected_ = false;
    if (handle_allocated()) set_stored_state(-1, LVIS_SELECTED, false);
}

int ListView::focused_row() const {
    if (!handle_allocated()) return -1;
    return static_cast<int>(SendMessageW(const_cast<ListView*>(this)->handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::move_to(int row) {
    if (row < 0 || row >= item_count()) return;
    if (row < static_cast<int>(items_.size())) items_[static_cast<std::size_t>(row)]->selected_ = true;
    if (!handle_allocated()) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    set_focus();
}

void ListView::redraw_rows() {
    if (handle_allocated()) InvalidateRect(handle(), nullptr, TRUE);
}

ListItem* ListView::get_item_at(int x, int y) {
    if (!handle_allocated()) return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    int i = static_cast<int>(SendMessageW(handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return i >= 0 && (hit.flags & LVHT_ONITEM) ? item(i) : nullptr;
}

bool ListView::is_editing() const {
    return handle_allocated() && SendMessageW(const_cast<ListView*>(this)->handle(), LVM_GETEDITCONTROL, 0, 0) != 0;
}

void ListView::alpha_sort() {
    if (on_compare) {
        custom_sort([this](ListItem* a, ListItem* b) {
            int r = 0;
            on_compare(this, a, b, 0, r);
            return r;
        });
        return;
    }
    custom_sort([](ListItem* a, ListItem* b) { return plat::gbk_to_wide(a->caption()).compare(plat::gbk_to_wide(b->caption())); });
}

void ListView::custom_sort(const std::function<int(ListItem*, ListItem*)>& compare) {
    if (owner_data_) return;  // a virtual list's rows are ordered by the program
    save_window_state();
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const std::unique_ptr<ListItem>& a, const std::unique_ptr<ListItem>& b) { return compare(a.get(), b.get()) < 0; });
    fill_items();
}

std::string ListView::cell_text(int row, int column) {
    if (!handle_allocated()) {
        ListItem* it = item(row);
        if (column == 0) return it->caption();
        return column - 1 < it->sub_items().count() ? it->sub_items().get(column - 1) : std::string();
    }
    wchar_t buf[1024] = {};
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = buf;
    lv.cchTextMax = 1023;
    SendMessageW(handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&lv));
    return plat::wide_to_gbk(buf);
}

HWND ListView::header_handle() { return reinterpret_cast<HWND>(SendMessageW(handle(), LVM_GETHEADER, 0, 0)); }

void ListView::wnd_proc(Message& m) {
    if (handle_allocated() && (m.msg == WM_NOTIFY || m.msg == WM_CONTEXTMENU)) {
        HWND header = header_handle();
        if (m.msg == WM_CONTEXTMENU && on_column_right_click && header && reinterpret_cast<HWND>(m.wparam) == header) {
            // The header's right click has its own event: the rows' menu must not follow it.
            m.result = 0;
            return;
        }
        auto* n = reinterpret_cast<NMHDR*>(m.lparam);
        if (m.msg == WM_NOTIFY && n && header && n->hwndFrom == header) {
            if (n->code == static_cast<UINT>(NM_RCLICK) && on_column_right_click) {
                HDHITTESTINFO hit{};
                GetCursorPos(&hit.pt);
                ScreenToClient(header, &hit.pt);
                hit.iItem = -1;
                SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                if (hit.iItem >= 0 && hit.iItem < columns_.count() && (hit.flags & HHT_ONHEADER)) {
                    POINT p;
                    GetCursorPos(&p);
                    ScreenToClient(handle(), &p);
                    on_column_right_click(this, columns_.at(hit.iItem), p);
                    m.result = 1;
                    return;
                }
            }
            WinControl::wnd_proc(m);
            header_notify(unicode_header_code(n->code), *n, m);
            return;
        }
    }
    WinControl::wnd_proc(m);
}

void ListView::header_notify(UINT, NMHDR&, Message&) {}

void ListView::col_click(ListColumn* column) {
    if (on_column_click) on_column_click(this, column);
}

void ListView::cn_notify(NMHDR& header, Message& m) {
    m.result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& d = reinterpret_cast<NMLVDISPINFOW&>(header);
        ListItem* it = owner_data_ ? (d.item.iItem >= 0 && d.item.iItem < virtual_count_ ? virtual_item(d.item.iItem) : nullptr)
                                   : reinterpret_cast<ListItem*>(d.item.lParam);
        if (!it && !owner_data_ && d.item.iItem >= 0 && d.item.iItem < static_cast<int>(items_.size()))
            it = items_[static_cast<std::size_t>(d.item.iItem)].get();
        if (!it) return;
        if (d.item.mask & LVIF_TEXT) {
            std::string text;
            if (d.item.iSubItem == 0) text = it->caption();
            else if (d.item.iSubItem - 1 < it->sub_items().count()) text = it->sub_items().get(d.item.iSubItem - 1);
            dispinfo_text_ = wide(text);
            // Copied by length into the window's buffer, never past it.
            if (d.item.pszText && d.item.cchTextMax > 0) {
                std::size_t n = std::min(dispinfo_text_.size(), static_cast<std::size_t>(d.item.cchTextMax - 1));
                std::copy_n(dispinfo_text_.c_str(), n, d.item.pszText);
                d.item.pszText[n] = L'\0';
            }
        }
        if ((d.item.mask & LVIF_IMAGE) && d.item.iSubItem > 0) {
            int image = -1;
            if (on_get_sub_item_image) on_get_sub_item_image(this, it, d.item.iSubItem, image);
            d.item.iImage = image;
        } else if (d.item.mask & LVIF_IMAGE) {
            d.item.iImage = it->image_index();
        }
        return;
    }
    case LVN_COLUMNCLICK: {
        auto& n = reinterpret_cast<NMLISTVIEW&>(header);
        if (n.iSubItem >= 0 && n.iSubItem < columns_.count()) col_click(columns_.at(n.iSubItem));
        return;
    }
    case LVN_ITEMCHANGING: {
        auto& n = reinterpret_cast<NMLISTVIEW&>(header);
        if (!on_changing || !(n.uChanged & LVIF_STATE) || n.iItem < 0 || n.iItem >= item_count()) return;
        bool allow = true;
        on_changing(this, item(n.iItem), TItemChange::ctState, allow);
        m.result = allow ? 0 : 1;
        return;
    }
    case LVN_ODSTATECHANGED: {
        auto& n = reinterpret_cast<NMLVODSTATECHANGE&>(header);
        if (on_data_state_change) on_data_state_change(this, n.iFrom, n.iTo, n.uOldState, n.uNewState);
        return;
    }
    case LVN_ITEMCHANGED: {
        auto& n = reinterpret_cast<NMLISTVIEW&>(header);
        if (!(n.uChanged & LVIF_STATE)) return;
        // Row -1: every row changed at once (select all, clear the selection).
        if (n.iItem == -1) {
            if (on_change) on_change(this, nullptr, TItemChange::ctState);
            return;
        }
        // A virtual row is made only for someone who listens: selecting every row of a long
        // virtual list tells of each row on some platforms.
        if (n.iItem < 0 || n.iItem >= item_count() || (!on_change && !on_select_item)) return;
        ListItem* it = item(n.iItem);
        if (on_change) on_change(this, it, TItemChange::ctState);
        bool was = n.uOldState & LVIS_SELECTED, now = n.uNewState & LVIS_SELECTED;
        if (was != now && on_select_item) on_select_item(this, it, now);
        return;
    }
    case LVN_BEGINLABELEDITW: {
        auto& d = reinterpret_cast<NMLVDISPINFOW&>(header);
        bool allow = !read_only_;
        if (on_editing && d.item.iItem >= 0 && d.item.iItem < item_count()) on_editing(this, item(d.item.iItem), allow);
        m.result = allow ? 0 : 1;
        return;
    }
    case LVN_ENDLABELEDITW: {
        auto& d = reinterpret_cast<NMLVDISPINFOW&>(header);
        if (d.item.pszText && !owner_data_ && d.item.iItem >= 0 && d.item.iItem < item_count())
            item(d.item.iItem)->set_caption(plat::wide_to_gbk(d.item.pszText));
        return;
    }
    case LVN_GETINFOTIPW: {
        auto& t = reinterpret_cast<NMLVGETINFOTIPW&>(header);
        if (!on_info_tip || t.iItem < 0 || t.iItem >= item_count() || !t.pszText || t.cchTextMax <= 0) return;
        std::string tip;
        on_info_tip(this, item(t.iItem), tip);
        std::wstring w = wide(tip);
        std::size_t n = std::min(w.size(), static_cast<std::size_t>(t.cchTextMax - 1));
        std::copy_n(w.c_str(), n, t.pszText);
        t.pszText[n] = L'\0';
        return;
    }
    case NM_DBLCLK: dbl_click(); return;
    case NM_CLICK: click(); return;
    default: return;
    }
}

} // namespace ui
