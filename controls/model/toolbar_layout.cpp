#include "controls/model/toolbar_layout.h"

#include <algorithm>

#include "platform/ui/text_util.h"

namespace ec {

int clamp_toolbar_size(int v) { return std::max(v, 0); }
int clamp_row_height(int v) { return std::max(v, 1); }

namespace {

bool horizontal_extent_sizes(ui::TAlign a) { return a == ui::TAlign::alLeft || a == ui::TAlign::alRight; }
bool across_sizes(ui::TAlign a) { return a == ui::TAlign::alNone || a == ui::TAlign::alTop || a == ui::TAlign::alBottom; }

} // namespace

ToolbarArrangement arrange_toolbar(const ToolbarMetrics& bar, const std::vector<ToolbarItem>& items) {
    ToolbarArrangement out;
    out.bounds.reserve(items.size());
    for (const ToolbarItem& i : items) out.bounds.push_back(i.bounds);
    const bool horizontal = bar.orientation == TOrientation::orHorizontal;
    if (horizontal && !bar.wrap && !items.empty()) out.overflow = items.back().bounds.right > bar.width - bar.margin;

    const int pitch = bar.row_height;  // every row has the same pitch
    int pos = bar.margin, row = 1, extent = 0;
    for (std::size_t n = 0; n < items.size(); ++n) {
        const ToolbarItem& item = items[n];
        if (!item.present || !item.visible) continue;
        const int w = item.bounds.width(), h = item.bounds.height();
        const int along = horizontal ? w : h;
        const int room = (horizontal ? bar.width : bar.height) - bar.margin;
        if (n != 0 && bar.wrap && room < pos + along) {
            pos = bar.margin;
            ++row;
        }
        int left = 0, top = 0;
        if (horizontal) {
            top = (row - 1) * pitch + bar.top_margin + bar.row_height / 2 - h / 2;
            left = bar.right_to_left ? bar.width - w - pos : pos;
        } else {
            left = (row - 1) * pitch + bar.margin + bar.row_height / 2 - w / 2;
            top = pos;
        }
        out.bounds[n] = {left, top, left + w, top + h};
        pos += along;
        extent = std::max(extent, pos);
    }
    out.rows = row;

    if (!bar.auto_resize) return out;
    if (horizontal) {
        if (horizontal_extent_sizes(bar.align)) {
            if (extent != 0) out.new_width = bar.margin + extent;
        } else if (across_sizes(bar.align)) {
            out.new_height = bar.row_height * row + 2 * bar.top_margin;
        }
    } else {
        // Columns count one TopMargin and two pixels, not two margins.
        if (horizontal_extent_sizes(bar.align)) out.new_width = bar.row_height * row + bar.top_margin + 2;
        else if (across_sizes(bar.align) && extent != 0) out.new_height = bar.margin + extent;
    }
    return out;
}

std::optional<TextOptionsPreset> text_options_preset(TEcToolbarTextOptions options, TOrientation orientation) {
    const bool vertical = orientation == TOrientation::orVertical;
    switch (options) {
    case TEcToolbarTextOptions::ttoNoTextLabels: return TextOptionsPreset{TButtonLayout::blGlyphLeft, 25, 25, false, 25};
    case TEcToolbarTextOptions::ttoShowTextLabels:
        return TextOptionsPreset{TButtonLayout::blGlyphTop, 60, 40, true, vertical ? 60 : 40};
    case TEcToolbarTextOptions::ttoSelectiveTextOnRight:
        return TextOptionsPreset{TButtonLayout::blGlyphLeft, 60, 25, true, vertical ? 60 : 25};
    case TEcToolbarTextOptions::ttoCustom: break;
    }
    return std::nullopt;
}

bool add_unique_name(std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (ui::same_text(n, name)) return false;
    names.push_back(name);
    return true;
}

std::vector<int> resolve_toolbar_controls(bool list_read, const std::vector<std::string>& names,
                                          const std::function<NamedPlace(const std::string&)>& find,
                                          int child_count) {
    std::vector<int> listed;
    const auto add = [&](int child) {
        if (child >= 0 && child < child_count && std::find(listed.begin(), listed.end(), child) == listed.end())
            listed.push_back(child);
    };
    bool all_children = !list_read;
    if (list_read) {
        std::vector<std::string> seen;
        for (const std::string& name : names) {
            if (!add_unique_name(seen, name)) continue;
            const NamedPlace place = find(name);
            if (place.kind == NamedPlace::OnBar) add(place.child);
            else if (place.kind == NamedPlace::Elsewhere) all_children = true;
        }
    }
    if (all_children)
        for (int i = 0; i < child_count; ++i) add(i);
    return listed;
}

} // namespace ec
