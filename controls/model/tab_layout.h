// The tab control's geometry without windows: tab records, measuring, the layout of one
// scrolled row or several stacked rows, the mapping from the logical strip (tabs on top,
// standard sequence, rows stacking toward negative y) to the control, cards, the page area,
// scrolling and the places of the strip's small buttons.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"
#include "platform/ui/color.h"

namespace ec {

UI_ENUM(TEcTabStyle, tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant)
UI_ENUM(TEcTabOrientation, toTop, toLeft, toBottom, toRight)
UI_ENUM(TEcTabSequence, tsStandard, tsReverse)
UI_ENUM(TEcImagePosition, ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch)
UI_ENUM(TEcHorizontalAlignment, haLeft, haCenter, haRight)
UI_ENUM(TEcVerticalAlignment, vaTop, vaCenter, vaBottom)
UI_ENUM(TEcTabHotTrackStyle, htsTab, htsText)

class EEcTabControlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TabSize {
    int cx = 0, cy = 0;
    friend bool operator==(TabSize a, TabSize b) { return a.cx == b.cx && a.cy == b.cy; }
};

struct TabPoint {
    int x = 0, y = 0;
    friend bool operator==(TabPoint a, TabPoint b) { return a.x == b.x && a.y == b.y; }
};

struct TEcTabData {
    std::string caption;  // CR LF breaks lines; one & marks the accelerator
    ui::TColor color = ui::clBtnFace;
    int disabled_index = -1;
    bool enabled = true;
    std::string hint;
    int image_index = -1;
    ui::Rect rect;  // in the logical layout
    bool visible = true;
    int row = 0;    // 0: the row next to the card
    TabSize content;  // measured by the last layout

    // Copies what a tab is made of, not where the last layout put it.
    void assign(const TEcTabData& other);
};

// The size of one line of text in the tab font (bold or not). Accelerator marks are already
// removed from the line.
using TabTextMeasure = std::function<TabSize(std::string_view line, bool bold)>;

// The caption's lines without their accelerator marks.
std::vector<std::string> tab_caption_lines(std::string_view caption);
// The caption's block: widths the largest, heights summed; swapped for vertical text.
TabSize measure_tab_caption(std::string_view caption, bool bold, TOrientation text, const TabTextMeasure& measure);
// The accelerator character of a caption (lower case), or 0 without one.
char tab_accelerator(std::string_view caption);

struct TabSettings {
    TEcTabStyle style = TEcTabStyle::tsSingleSlant;
    TEcTabOrientation orientation = TEcTabOrientation::toTop;
    TEcTabSequence sequence = TEcTabSequence::tsStandard;
    TOrientation text_orientation = TOrientation::orHorizontal;
    TEcImagePosition image_position = TEcImagePosition::ipLeft;
    TabSize image_size;  // of the image list; 0 x 0 without one
    int image_margin = 2;
    int tab_width = 0, tab_height = 0;
    int cut_corner_size = 6;
    int tab_overlap = -1;
    int margin = 0;
    int row_indent = 5;
    int row_overlap = 5;
    bool multi_line = false;
    bool align_tabs = false;
    bool bold_current_tab = false;
    bool show_shadow = true;
    bool show_full_frame = true;
    bool show_card_frame = true;
    bool show_close_button = false;
    bool show_menu_button = false;
    int width = 300, height = 100;  // the control's (and its client's) size

    bool vertical_strip() const {
        return orientation == TEcTabOrientation::toLeft || orientation == TEcTabOrientation::toRight;
    }
    bool reverse() const { return sequence == TEcTabSequence::tsReverse; }
    bool round() const { return style == TEcTabStyle::tsRoundCorners; }
    bool vertical_text() const { return text_orientation == TOrientation::orVertical; }
};

// The outer size of a tab around content w x h, before TabWidth and TabHeight replace a side.
TabSize tab_extent(const TabSettings& s, int w, int h);
int slant_overlap(const TabSettings& s, int x);

// The places of the strip's small buttons; an empty rectangle for a button not shown.
struct SmallButtonPlaces {
    ui::Rect close, menu, scroller;
};

class TabLayout {
public:
    TabSettings settings;
    std::vector<TEcTabData> tabs;

    int fixed_dimension() const { return fixed_dimension_; }
    // The stored value serves until the first layout.
    void set_fixed_dimension(int v) { fixed_dimension_ = v; }
    int row_count() const { return row_count_; }
    int first_shown_tab() const { return first_shown_; }
    void set_first_shown_tab(int v) { first_shown_ = v; }
    bool scrolling_needed() const { return scrolling_needed_; }
    int small_button_size() const { return small_button_size_; }

    // Measures and places every tab; `selected` is the selected tab or -1.
    void layout(const TabTextMeasure& measure, int selected);
    // Brings the selected tab's row to the front (multi-line).
    void rotate_rows(int selected);

    int strip_thickness() const;
    ui::Rect tab_strip_rect() const;
    int strip_length() const;
    int scroll_offset() const;
    TabPoint logical_to_physical(TabPoint p) const;
    ui::Rect logical_to_physical(const ui::Rect& r) const;
    // The logical rectangle a tab is drawn in: its row's indent, and the selected round tab
    // enlarged.
    ui::Rect display_rect(int index, int selected) const;
    ui::Rect physical_tab_rect(int index, int selected) const { return logical_to_physical(display_rect(index, selected)); }
    ui::Rect card_rect(int row) const;
    ui::Rect page_area_rect() const;

    bool is_tab_shown(int index) const;
    // One step of the scroller; false when there was nothing to scroll.
    bool scroll_tabs(bool forward);
    bool can_scroll(bool forward) const;
    SmallButtonPlaces small_button_places() const;

    int first_visible() const;
    int last_visible() const;
    bool can_select(int index) const;
    // The selection after a layout: the tab itself when selectable, the next selectable after
    // it, or the nearest before it; -1 when none.
    int corrected_selection(int selected) const;

private:
    int fixed_dimension_ = 0;
    int row_count_ = 1;
    int first_shown_ = -1;
    bool scrolling_needed_ = false;
    int small_button_size_ = 0;

    int row_y(int row) const;
    int buttons_length() const;
    int visible_span() const;
    void place_rows(const std::vector<int>& visible, const std::vector<int>& lengths);
    void align_rows(const std::vector<int>& visible);
    void correct_first_shown();
};

} // namespace ec
