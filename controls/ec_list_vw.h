// The control set's list view: a frame in the non-client area, state colours, an owner-drawn
// column header that shows the sort column with an arrow, click sorting on any column, a last
// column that fills the width, and a veto on check box changes.
#pragma once
#include <functional>
#include <memory>

#include "controls/ec_frame_look.h"
#include "controls/model/list_view_sort.h"
#include "platform/ui/win/hint_window.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/subclass.h"

namespace ec {

using TEcLVCheckStateChanging = std::function<void(ui::Component* sender, ui::ListItem* item, bool to_be_checked,
                                                   bool& allow_change)>;
using TEcLVCheckStateChange = std::function<void(ui::Component* sender, ui::ListItem* item)>;
using TEcLVDrawHeaderEvent = std::function<void(ui::Component* sender, ui::Canvas& canvas, int index, const ui::Rect& rect)>;
// `pos` in the list's client coordinates; both it and the menu may be changed, a null menu shows none.
using TEcLVOnItemContextMenuEvent =
    std::function<void(ui::Component* sender, ui::ListItem* item, POINT& pos, ui::PopupMenu*& menu)>;

class TEcCustomListView : public FramedControl<ui::ListView> {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomListView(ui::Component* owner);
    ~TEcCustomListView() override;

    bool alpha_sort_all() const { return alpha_sort_all_; }
    void set_alpha_sort_all(bool v) { alpha_sort_all_ = v; }
    bool fill_last_column_enabled() const { return fill_last_column_; }
    void set_fill_last_column(bool v);
    bool header_default_drawing() const { return header_default_drawing_; }
    void set_header_default_drawing(bool v);
    TEcLVHeaderSortDisplayMode header_sort_display_mode() const { return sort_display_mode_; }
    // Below common controls 4.70 the header cannot draw the arrow: the mode stays hsdmNone.
    void set_header_sort_display_mode(TEcLVHeaderSortDisplayMode v);
    const SortState& sort_state() const { return sort_; }
    // The sort indicator without sorting.
    void set_sort_column(int column, SortDirection direction);

    // Gives the last column what is left of the client width.
    void fill_last_column();
    void apply_header_styles();
    bool header_hooked() const { return header_layer_ != nullptr; }

    TEcLVCheckStateChanging on_check_state_changing;
    TEcLVCheckStateChange on_check_state_change;
    TEcLVDrawHeaderEvent on_draw_header;
    TEcLVOnItemContextMenuEvent on_item_context_menu;

    // The info-tip window, once a tip was shown; for tests.
    ui::HintWindow* info_tip() const { return tip_.get(); }

    void wnd_proc(ui::Message& m) override;

protected:
    virtual void draw_header(ui::Canvas& canvas, int index, const ui::Rect& rect);
    void col_click(ui::ListColumn* column) override;
    void cn_notify(NMHDR& header, ui::Message& m) override;
    void header_notify(UINT code, NMHDR& header, ui::Message& m) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    void initialize_window() override;
    void save_window_state() override;
    void loaded() override;

private:
    void hook_header();
    void header_message(ui::Message& m, const ui::WindowSubclass::Next& next);
    void draw_header_item(DRAWITEMSTRUCT& item);
    void invalidate_header();
    void push_colors();
    // The menu for a point of the client area (a right click, or the keyboard at 0, 0).
    void position_menu(POINT pos);
    // The focused item's menu at a point of the client area.
    void item_menu(POINT pos);
    // `p`: the pointer in client coordinates.
    void update_info_tip(POINT p);
    void hide_info_tip();

    std::unique_ptr<ui::WindowSubclass> header_layer_;
    SortState sort_;
    TEcLVHeaderSortDisplayMode sort_display_mode_ = TEcLVHeaderSortDisplayMode::hsdmRightOfText;
    bool alpha_sort_all_ = false, fill_last_column_ = true, header_default_drawing_ = true;
    int applying_styles_ = 0;
    int hot_section_ = -1;      // the header section under the mouse (themed headers)
    bool section_down_ = false;
    std::unique_ptr<ui::HintWindow> tip_;
    // Set while a right click on an item runs its menu; a menu shown stays handled until the
    // button comes up, so that the same click shows no second one.
    bool right_clicked_ = false, menu_handled_ = false;
};

class TEcListView : public TEcCustomListView {
    UI_CLASS_IDENTITY()
public:
    explicit TEcListView(ui::Component* owner) : TEcCustomListView(owner) {}
};

} // namespace ec
