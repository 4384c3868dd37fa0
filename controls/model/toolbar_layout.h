// Geometry and tables of the tool bar: the wrap layout of its controls in rows or columns, the
// text-option presets, and the control list read back from a description by names.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/model/button_layout.h"
#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"

namespace ec {

UI_ENUM(TEcToolbarTextOptions, ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom)

// The overflow button's width at the bar's trailing edge.
constexpr int kOverflowButtonWidth = 14;

struct ToolbarMetrics {
    int width = 32, height = 32;
    int margin = 4, top_margin = 2, row_height = 25;
    TOrientation orientation = TOrientation::orHorizontal;
    bool wrap = true;
    bool right_to_left = false;
    bool auto_resize = true;
    ui::TAlign align = ui::TAlign::alTop;
};

// One listed control as it is placed now; an entry without a control (`present` false) and an
// invisible control take no room, the latter keeping its place in the order.
struct ToolbarItem {
    ui::Rect bounds;
    bool visible = true;
    bool present = true;
};

struct ToolbarArrangement {
    std::vector<ui::Rect> bounds;  // one per item; unplaced items keep theirs
    int rows = 1;                  // rows, or columns of a vertical bar
    bool overflow = false;         // the overflow button is to be shown (horizontal, no wrap)
    std::optional<int> new_width, new_height;  // what AutoResize makes of the bar
};

// Places the listed controls in list order. The first item never wraps. The overflow test reads
// the last item's right edge as placed before this layout.
ToolbarArrangement arrange_toolbar(const ToolbarMetrics& bar, const std::vector<ToolbarItem>& items);

// Values below their floor become it: sizes and margins 0, the row height 1.
int clamp_toolbar_size(int v);
int clamp_row_height(int v);

struct TextOptionsPreset {
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    int button_width = 25, button_height = 25;
    bool show_captions = false;
    int row_height = 25;
};
// The preset of a text option for a bar of that orientation; none for ttoCustom.
std::optional<TextOptionsPreset> text_options_preset(TEcToolbarTextOptions options, TOrientation orientation);

// Adds `name` unless a name equal to it without regard to case is listed; true when added.
bool add_unique_name(std::vector<std::string>& names, const std::string& name);

// Where a name read for the list is found among the owner's components.
struct NamedPlace {
    enum Kind { Missing, OnBar, Elsewhere } kind = Missing;
    int child = -1;  // OnBar: the bar's child index
};

// The bar's children (indexes in child order) listed after loading. Without a list read every
// child is listed; names of missing components are dropped; a named component placed elsewhere
// makes the list take every child in child order after the ones named; each child once.
std::vector<int> resolve_toolbar_controls(bool list_read, const std::vector<std::string>& names,
                                          const std::function<NamedPlace(const std::string&)>& find,
                                          int child_count);

} // namespace ec
