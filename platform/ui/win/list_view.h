// The list view in report and icon views: columns, items with sub-items and images, sorting,
// and the virtual mode in which the program supplies rows on demand and keeps the selection as
// row numbers.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "platform/ui/collection.h"
#include "platform/ui/string_list.h"
#include "platform/ui/win/control.h"

namespace ui {

class ImageList;
class ListView;

UI_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)
UI_ENUM(TItemChange, ctText, ctImage, ctState)
UI_ENUM(TDisplayCode, drBounds, drIcon, drLabel, drSelectBounds)

class ListColumn : public CollectionItem {
    UI_CLASS_IDENTITY()
public:
    using CollectionItem::CollectionItem;
    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    int width() const;
    void set_width(int w);
    TAlignment alignment() const { return alignment_; }
    void set_alignment(TAlignment a);
    int image_index() const { return image_index_; }
    void set_image_index(int i);
    bool auto_size() const { return auto_size_; }
    void set_auto_size(bool v) { auto_size_ = v; }
    // The picture on the right of the caption, from the list's header images (a sort arrow);
    // -1 none. Set at run time only.
    int header_image() const { return header_image_; }
    void set_header_image(int i);

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int image_index_ = -1;
    int header_image_ = -1;
    bool auto_size_ = false;
};

class ListItem {
public:
    explicit ListItem(ListView* owner);
    ListView* owner() const { return owner_; }
    int index() const;

    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    StringList& sub_items() { return sub_items_; }
    const StringList& sub_items() const { return sub_items_; }
    int image_index() const { return image_index_; }
    void set_image_index(int i);
    bool checked() const;
    void set_checked(bool v);
    bool selected() const;
    void set_selected(bool v);
    bool focused() const;
    void set_focused(bool v);
    void* data = nullptr;
    // The item's rectangle in the list's client coordinates.
    Rect display_rect(TDisplayCode code) const;
    void make_visible();

private:
    friend class ListView;
    ListView* owner_;
    std::string caption_;
    StringList sub_items_;
    int image_index_ = -1;
    bool checked_ = false, selected_ = false;
    int virtual_index_ = -1;  // the row a virtual item stands for
};

using LVNotifyEvent = std::function<void(Component* sender, ListItem* item)>;
using LVChangeEvent = std::function<void(Component* sender, ListItem* item, TItemChange change)>;
using LVColumnClickEvent = std::function<void(Component* sender, ListColumn* column)>;
using LVCompareEvent = std::function<void(Component* sender, ListItem* a, ListItem* b, int data, int& compare)>;
using LVSelectItemEvent = std::function<void(Component* sender, ListItem* item, bool selected)>;
using LVEditingEvent = std::function<void(Component* sender, ListItem* item, bool& allow_edit)>;
using LVInfoTipEvent = std::function<void(Component* sender, ListItem* item, std::string& tip)>;
using LVChangingEvent = std::function<void(Component* sender, ListItem* item, TItemChange change, bool& allow_change)>;
// `client` is the click in the list's client coordinates.
using LVColumnRightClickEvent = std::function<void(Component* sender, ListColumn* column, POINT client)>;
// Rows first..last of a virtual list changed their state together.
using LVDataStateChangeEvent = std::function<void(Component* sender, int first, int last, UINT old_state, UINT new_state)>;
using LVSubItemImageEvent = std::function<void(Component* sender, ListItem* item, int sub_item, int& image)>;

class ListView : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit ListView(Component* owner);
    ~ListView() override;

    OwnedCollection<ListColumn>& columns() { return columns_; }
    ListColumn* column(int i) { return columns_.at(i); }

    // Items (stored mode).
    int item_count() const;
    ListItem* item(int index);
    ListItem* add_item();
    ListItem* insert_item(int index);
    void delete_item(int index);
    void clear();
    void begin_update();
    void end_update();
    int index_of(const ListItem* item) const;

    // Virtual mode: the program says how many rows there are and fills them in OnData.
    bool owner_data() const { return owner_data_; }
    void set_owner_data(bool v);
    void set_item_count(int count);

    TViewStyle view_style() const { return view_style_; }
    void set_view_style(TViewStyle v);
    bool checkboxes() const { return checkboxes_; }
    void set_checkboxes(bool v);
    bool row_select() const { return row_select_; }
    void set_row_select(bool v);
    bool multi_select() const { return multi_select_; }
    void set_multi_select(bool v);
    bool read_only() const { return read_only_; }
    void set_read_only(bool v);
    bool grid_lines() const { return grid_lines_; }
    void set_grid_lines(bool v);
    bool hide_selection() const { return hide_selection_; }
    void set_hide_selection(bool v);
    bool column_click() const { return column_click_; }
    void set_column_click(bool v);
    bool show_column_headers() const { return show_column_headers_; }
    void set_show_column_headers(bool v);
    ImageList* small_images() const { return small_images_; }
    void set_small_images(ImageList* i);
    ImageList* large_images() const { return large_images_; }
    void set_large_images(ImageList* i);
    ImageList* state_images() const { return state_images_; }
    void set_state_images(ImageList* i);
    // The pictures the columns' header images index.
    ImageList* header_images() const { return header_images_; }
    void set_header_images(ImageList* i);

    ListItem* selected();
    void set_selected(ListItem* item);
    int selected_index() const;
    int sel_count() const;
    ListItem* item_focused();
    // The selection by row numbers, which serves a virtual list of any length without items.
    std::vector<int> selected_rows() const;
    void set_row_selected(int row, bool selected);
    void select_all();
    void clear_selection();
    int focused_row() const;
    // Adds the row to the selection, makes it the focused row, scrolls it into view and takes
    // the focus.
    void move_to(int row);
    // Draws the rows again from their data (a virtual list's data changed in place).
    void redraw_rows();
    ListItem* get_item_at(int x, int y);
    bool is_editing() const;
    // Sorts by caption, or by OnCompare when it is set.
    void alpha_sort();
    void custom_sort(const std::function<int(ListItem*, ListItem*)>& compare);
    // The text the window shows in a cell, read back from it.
    std::string cell_text(int row, int column);
    HWND header_handle();

    LVChangeEvent on_change;
    LVColumnClickEvent on_column_click;
    LVCompareEvent on_compare;
    LVNotifyEvent on_data;
    LVSelectItemEvent on_select_item;
    LVEditingEvent on_editing;
    LVInfoTipEvent on_info_tip;
    LVChangingEvent on_changing;
    LVColumnRightClickEvent on_column_right_click;
    LVDataStateChangeEvent on_data_state_change;
    // Pictures in the cells right of the first (the list's small images).
    LVSubItemImageEvent on_get_sub_item_image;

    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_notify(NMHDR& header, Message& m) override;
    void notification(Component* c, TOperation op) override;
    void save_window_state() override;
    virtual void col_click(ListColumn* column);
    // A notification from the column header, its code always the Unicode one (the header sends
    // the ANSI codes to a parent that asks for them).
    virtual void header_notify(UINT code, NMHDR& header, Message& m);

private:
    friend class ListItem;
    friend class ListColumn;
    void update_columns();
    void update_column(int index);
    void apply_header_image(int index);
    void fill_items();
    void update_item(const ListItem& item);
    void update_image_lists();
    ListItem* virtual_item(int index);
    bool stored_state(int index, UINT mask) const;
    void set_stored_state(int index, UINT mask, bool on);
    DWORD extended_style() const;

    OwnedCollection<ListColumn> columns_;
    std::vector<std::unique_ptr<ListItem>> items_;
    std::unique_ptr<ListItem> virtual_item_;
    std::wstring dispinfo_text_;
    int virtual_count_ = 0;
    int update_count_ = 0;
    TViewStyle view_style_ = TViewStyle::vsIcon;
    bool owner_data_ = false, checkboxes_ = false, row_select_ = false, multi_select_ = false, read_only_ = false,
         grid_lines_ = false, hide_selection_ = true, column_click_ = true, show_column_headers_ = true;
    ImageList *small_images_ = nullptr, *large_images_ = nullptr, *state_images_ = nullptr, *header_images_ = nullptr;
};

} // namespace ui
