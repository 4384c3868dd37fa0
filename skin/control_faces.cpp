#include "skin/control_faces.h"

#include <algorithm>
#include <cctype>

#include "skin/frame_geometry.h"

namespace skin {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The frame of the four-frame picture (1 unchecked, 2 checked, 3 and 4 the same disabled) in
// the system's longer pictures, where each value has four frames and the disabled one is last.
int LongStripIndex(int index) {
    switch (index) {
    case 1: return 1;
    case 2: return 5;
    case 3: return 4;
    default: return 8;  // checked disabled, and the grayed box shown as it
    }
}

} // namespace

int CheckFrameIndex(const CheckFacts& f, int frames) {
    if (frames < 1) return 0;
    int index = f.checked ? 2 : 1;
    if (f.state) {
        const std::string s = Lower(*f.state);
        if (s.find("uncheck") != std::string::npos) index = 1;
        else if (s.find("check") != std::string::npos) index = 2;
        else if (s.find("gray") != std::string::npos) index = 4;
    } else if (f.checked_property) {
        index = *f.checked_property ? 2 : 1;
    }
    if (f.data_field && f.last_check > 0) index = f.last_check == 1 ? 1 : f.last_check == 2 ? 2 : 4;
    if (f.data_binding) index = 1;
    if (f.disabled) index += 2;  // a grayed box reaches 6
    if (f.indeterminate) index = 4;
    if (frames >= 8) {
        if (f.indeterminate) index = f.disabled ? 12 : 9;
        else index = LongStripIndex(std::min(index, 4));
    }
    return std::clamp(index, 1, frames);
}

int RadioFrameIndex(const RadioFacts& f, int frames) {
    if (frames < 1) return 0;
    bool checked = f.checked;
    if (f.checked_property) checked = *f.checked_property;
    int index = (checked ? 2 : 1) + (f.disabled ? 2 : 0);
    if (frames >= 8) index = LongStripIndex(index);
    return std::clamp(index, 1, frames);
}

ToggleLayout LayoutToggle(const Rect& bounds, int box_width, int box_height, bool left_text, bool radio) {
    ToggleLayout out;
    const int top = bounds.top + (bounds.height() - box_height) / 2;
    if (left_text) {
        const int right = bounds.right - (radio ? 1 : 0);
        out.box = {right - box_width, top, right, top + box_height};
        out.text = {bounds.left, bounds.top, out.box.left - 2, bounds.bottom};
    } else {
        out.box = {bounds.left, top, bounds.left + box_width, top + box_height};
        out.text = {out.box.right + 2, bounds.top, bounds.right, bounds.bottom};
    }
    return out;
}

Size2 StripFrameSize(int strip_width, int strip_height, int frames) {
    if (frames < 1 || strip_width / frames < 1 || strip_height < 1) return {};
    return {strip_width / frames, strip_height};
}

std::vector<int> GlyphStripSources(int kind, int skin_frames) {
    const bool grayed = skin_frames >= 5;
    switch (kind) {
    case 1: return {1, 2, grayed ? 5 : 0, 1, 2, grayed ? 5 : 0, 3, 4, grayed ? 5 : 0};
    case 2: return {1, 2, 1, 2, 3, 4};
    case 3: return {1, 2, grayed ? 5 : 0, 1, 2, grayed ? 5 : 0};
    default: return {};
    }
}

Image32 BuildGlyphStrip(int kind, const Image32& strip, int skin_frames) {
    const std::vector<int> sources = GlyphStripSources(kind, skin_frames);
    const Size2 frame = StripFrameSize(strip.width(), strip.height(), skin_frames);
    if (sources.empty() || frame.width == 0) return {};
    Image32 out(frame.width * static_cast<int>(sources.size()), frame.height, kKeyPixel);
    if (out.empty()) return {};
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto src = FrameRect(strip.width(), strip.height(), skin_frames, sources[i], false);
        if (!src) continue;
        const int x = static_cast<int>(i) * frame.width;
        StretchNearest(strip, *src, out, {x, 0, x + frame.width, frame.height});
    }
    return out;
}

GroupBoxLayout LayoutGroupBox(const Rect& bounds, int zero_height, int caption_width, int caption_height,
                              bool right_aligned) {
    GroupBoxLayout out;
    out.frame_top = bounds.top + zero_height / 2 - 1;
    out.frame = {bounds.left + 1, out.frame_top, bounds.right - 1, bounds.bottom - 1};
    const int top = bounds.top;
    if (right_aligned) out.caption = {bounds.right - 8 - caption_width, top, bounds.right - 8, top + caption_height};
    else out.caption = {bounds.left + 8, top, bounds.left + 8 + caption_width, top + caption_height};
    return out;
}

std::vector<Rect> StatusPanelRects(const std::vector<Rect>& panels, int bar_width) {
    std::vector<Rect> out = panels;
    for (std::size_t i = 0; i < out.size(); ++i) {
        Rect& r = out[i];
        if (r.right <= r.left || r.bottom <= r.top) {
            r = {};
            continue;
        }
        r.right = i + 1 == out.size() ? std::max(bar_width, r.left) : r.right + 2;
    }
    return out;
}

Rect StatusTextRect(const Rect& area) { return {area.left + 2, area.top, area.right - 2, area.bottom}; }

Rect SizeGripRect(int bar_width, int bar_height, int grip_width, int grip_height) {
    return {bar_width - 1 - grip_width, bar_height - 1 - grip_height, bar_width - 1, bar_height - 1};
}

} // namespace skin
