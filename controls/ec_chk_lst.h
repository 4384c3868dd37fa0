// The control set's check list: a tabbed list box whose items each carry a check state and an
// enabled flag, show a check glyph before their text, and toggle by mouse or space with a veto.
// Its strings keep their lines in the list window with one packet per line.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "controls/ec_lst_box.h"
#include "controls/model/check_list_stream.h"

namespace ec {

// Lines with their packets, held while the list has no window.
class TPacketStringList : public ui::StringList {
    UI_CLASS_IDENTITY()
public:
    CheckPacket& packet(int index) { return packets_.at(static_cast<std::size_t>(index)); }
    const CheckPacket& packet(int index) const { return packets_.at(static_cast<std::size_t>(index)); }
    void insert(int index, const std::string& text) override;
    void remove(int index) override;
    void clear() override;
    int add(const std::string& text) override;
    void move(int cur_index, int new_index) override;
    void exchange(int index1, int index2) override;

private:
    std::vector<CheckPacket> packets_;
};

class TEcCheckList;

class TEcCheckListStrings : public ui::Strings {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCheckListStrings(TEcCheckList& list);

    int count() const override;
    std::string get(int index) const override;
    void put(int index, const std::string& text) override;
    void* object(int index) const override;
    void put_object(int index, void* object) override;
    void insert(int index, const std::string& text) override;
    void remove(int index) override;
    void clear() override;
    int add(const std::string& text) override;
    void move(int cur_index, int new_index) override;
    void exchange(int index1, int index2) override;
    // Lines of another check list keep their packets; any other lines are read as "&" lines.
    void assign(const ui::Persistent& source) override;

    CheckPacket& packet(int index);
    const CheckPacket& packet(int index) const;
    std::string save_to_stream() const;
    void load_from_stream(std::string_view stream);

    // The window came or goes: the lines move between it and the held list.
    void window_created();
    void window_going();

protected:
    void set_update_state(bool updating) override;

private:
    bool windowed() const;
    HWND window() const;
    void check_index(int index) const;
    // Adds a line with its packet; `at` -1 appends (the window's sorting may place it).
    int insert_line(int at, const std::string& text, const CheckPacket& packet);

    TEcCheckList& list_;
    std::vector<CheckPacket> packets_;  // beside the window's lines
    TPacketStringList held_;            // the lines while there is no window
    bool in_window_ = false;
};

using TStateChangingEvent = std::function<void(ui::Component* sender, int index, ui::TCheckBoxState new_state,
                                               bool& allow_change)>;
using TStateChangeEvent = std::function<void(ui::Component* sender, int index, ui::TCheckBoxState new_state)>;

class TEcCheckList : public TEcCustomTabbedListBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCheckList(ui::Component* owner);
    ~TEcCheckList() override;

    TEcCheckListStrings& check_strings() { return *strings_; }
    int add_checked(const std::string& text, bool checked, bool enabled);

    // Outside the items: "List index out of bounds (%d)".
    bool item_checked(int index) const;
    void set_item_checked(int index, bool checked);
    bool item_enabled(int index) const;
    void set_item_enabled(int index, bool enabled);
    ui::TCheckBoxState item_state(int index) const;
    void set_item_state(int index, ui::TCheckBoxState state);

    bool allow_grayed() const { return allow_grayed_; }
    void set_allow_grayed(bool v) { allow_grayed_ = v; }
    bool toggle_on_item_click() const { return toggle_on_item_click_; }
    void set_toggle_on_item_click(bool v) { toggle_on_item_click_ = v; }
    ui::TColor highlight_color() const { return highlight_color_; }
    void set_highlight_color(ui::TColor v);
    ui::TColor item_fill_color() const { return item_fill_color_; }
    void set_item_fill_color(ui::TColor v);
    ui::TColor item_focus_color() const { return item_focus_color_; }
    void set_item_focus_color(ui::TColor v);
    ui::TColor item_frame_color() const { return item_frame_color_; }
    void set_item_frame_color(ui::TColor v);
    ui::TColor transparent_color() const { return transparent_color_; }
    void set_transparent_color(ui::TColor v);
    int glyph_width() const { return 13; }
    int glyph_height() const { return 13; }

    TStateChangingEvent on_changing;
    TStateChangeEvent on_change;

    void wnd_proc(ui::Message& m) override;

protected:
    friend class TEcCheckListStrings;
    void toggle_selected();
    // The glyph of one item into `bounds`.
    void paint_glyph(ui::Canvas& canvas, int index, const ui::Rect& bounds);
    int owner_draw_indent() const override { return glyph_width() + 8; }
    int first_column_extra() const override { return glyph_width(); }
    void draw_item_on(ui::Canvas& canvas, int index, const ui::Rect& rect, ui::TOwnerDrawState state) override;
    void initialize_window() override;
    void fit_check_item_height();
    void check_item(int index) const;
    bool adding_ = false;

private:
    std::unique_ptr<TEcCheckListStrings> strings_;
    bool allow_grayed_ = false, toggle_on_item_click_ = false;
    ui::TColor highlight_color_ = ui::clHighlight, item_fill_color_ = ui::clWindow, item_focus_color_ = ui::clWindow,
               item_frame_color_ = ui::clBtnShadow, transparent_color_ = ui::clOlive;
    bool toggle_pending_ = false;
    int toggle_index_ = -1;
    int kept_top_ = 0, kept_index_ = -1;
};

} // namespace ec
