#include "controls/model/tab_layout.h"

#include <algorithm>
#include <cctype>

#include "controls/model/accel_text.h"

namespace ec {

void TEcTabData::assign(const TEcTabData& other) {
    caption = other.caption;
    disabled_index = other.disabled_index;
    image_index = other.image_index;
    color = other.color;
    enabled = other.enabled;
    visible = other.visible;
    hint = other.hint;
}

std::vector<std::string> tab_caption_lines(std::string_view caption) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = caption.find("\r\n", start);
        lines.push_back(strip_accel_chars(caption.substr(start, end == std::string_view::npos ? end : end - start)));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return lines;
}

TabSize measure_tab_caption(std::string_view caption, bool bold, TOrientation text, const TabTextMeasure& measure) {
    TabSize block;
    for (const std::string& line : tab_caption_lines(caption)) {
        TabSize s = measure(line, bold);
        block.cx = std::max(block.cx, s.cx);
        block.cy += s.cy;
    }
    if (text == TOrientation::orVertical) std::swap(block.cx, block.cy);
    return block;
}

char tab_accelerator(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        ++i;  // "&&" is a plain ampersand
    }
    return 0;
}

TabSize tab_extent(const TabSettings& s, int w, int h) {
    const int H = s.tab_height, C = s.cut_corner_size;
    const bool across = s.vertical_strip();
    switch (s.style) {
    case TEcTabStyle::tsSingleSlant:
    case TEcTabStyle::tsBackSlant:
        if (!across) return {2 * ((h + 6) / 2) + w + 2 + H / 2 + 4, h + 6};
        return {w + 6, 2 * ((w + 6) / 2) + h + 2 + H / 2 + 4};
    case TEcTabStyle::tsDoubleSlant:
        if (!across) return {2 * (h + 2) + w + 2 + H + 4, h + 6};
        return {w + 6, 2 * (w + 2) + h + 2 + H + 4};
    case TEcTabStyle::tsCutCorner:
        if (!across) return s.vertical_text() ? TabSize{w + 10, h + C + 7} : TabSize{2 * C + w + 8, h + 7};
        return s.vertical_text() ? TabSize{w + 7, 2 * C + h + 8} : TabSize{w + C + 7, h + 10};
    case TEcTabStyle::tsRoundCorners:
        return s.vertical_text() ? TabSize{w + 6, h + 16} : TabSize{w + 16, h + 6};
    }
    return {w, h};
}

int slant_overlap(const TabSettings& s, int x) {
    switch (s.style) {
    case TEcTabStyle::tsSingleSlant:
    case TEcTabStyle::tsBackSlant: return x / 2;
    case TEcTabStyle::tsDoubleSlant: return x;
    default: return s.tab_overlap;
    }
}

int TabLayout::first_visible() const {
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i].visible) return static_cast<int>(i);
    return -1;
}

int TabLayout::last_visible() const {
    for (std::size_t i = tabs.size(); i-- > 0;)
        if (tabs[i].visible) return static_cast<int>(i);
    return -1;
}

bool TabLayout::can_select(int index) const {
    return index >= 0 && index < static_cast<int>(tabs.size()) && tabs[index].visible && tabs[index].enabled;
}

int TabLayout::corrected_selection(int selected) const {
    const int n = static_cast<int>(tabs.size());
    if (selected < 0) return -1;
    if (selected >= n) selected = n - 1;
    for (int i = selected; i < n; ++i)
        if (can_select(i)) return i;
    for (int i = selected - 1; i >= 0; --i)
        if (can_select(i)) return i;
    return -1;
}

void TabLayout::layout(const TabTextMeasure& measure, int selected) {
    (void)selected;
    const TabSettings& s = settings;
    const bool across_is_width = s.vertical_strip();
    std::vector<int> visible;
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i].visible) visible.push_back(static_cast<int>(i));

    // Content sizes, raised to the least a tab shows.
    const TabSize letter = measure("A", s.bold_current_tab);
    TabSize minimum{measure(s.round() ? "AAA" : "A", s.bold_current_tab).cx, letter.cy};
    if (s.vertical_text()) std::swap(minimum.cx, minimum.cy);
    for (int i : visible) {
        TEcTabData& t = tabs[i];
        TabSize text = measure_tab_caption(t.caption, s.bold_current_tab, s.text_orientation, measure);
        TabSize image = t.image_index != -1 ? s.image_size : TabSize{};
        TabSize c;
        switch (s.image_position) {
        case TEcImagePosition::ipLeft:
        case TEcImagePosition::ipRight:
            c = {image.cx ? s.image_margin + image.cx + text.cx : text.cx, std::max(image.cy, text.cy)};
            break;
        case TEcImagePosition::ipTop:
        case TEcImagePosition::ipBottom:
            c = {std::max(image.cx, text.cx), image.cy ? s.image_margin + image.cy + text.cy : text.cy};
            break;
        case TEcImagePosition::ipBack: c = {std::max(image.cx, text.cx), std::max(image.cy, text.cy)}; break;
        case TEcImagePosition::ipStretch: c = text; break;
        }
        if (s.tab_width <= 0) c.cx = std::max(c.cx, minimum.cx);
        if (s.tab_height <= 0) c.cy = std::max(c.cy, minimum.cy);
        t.content = c;
    }

    // Every tab as thick as the thickest.
    int across = 0;
    for (int i : visible) across = std::max(across, across_is_width ? tabs[i].content.cx : tabs[i].content.cy);
    std::vector<int> lengths;
    fixed_dimension_ = 0;
    for (int i : visible) {
        TEcTabData& t = tabs[i];
        (across_is_width ? t.content.cx : t.content.cy) = across;
        TabSize outer = tab_extent(s, t.content.cx, t.content.cy);
        if (s.tab_width > 0) outer.cx = s.tab_width;
        if (s.tab_height > 0) outer.cy = s.tab_height;
        fixed_dimension_ = std::max(fixed_dimension_, across_is_width ? outer.cx : outer.cy);
        lengths.push_back(across_is_width ? outer.cy : outer.cx);
    }

    const int text_height = letter.cy + 4 + (s.vertical_text() ? 2 : 0);
    const bool at_least = (!s.vertical_strip() && !s.vertical_text() && s.tab_height >= 1) ||
                          (s.vertical_strip() && s.vertical_text() && s.tab_width >= 1);
    small_button_size_ = at_least ? std::max(text_height, fixed_dimension_ - 2) : std::min(text_height, fixed_dimension_ - 2);

    place_rows(visible, lengths);
    if (s.multi_line && s.align_tabs && (s.vertical_strip() ? s.tab_height : s.tab_width) <= 0) align_rows(visible);
    correct_first_shown();
}

// Places the tabs along the strip, trying 1, 2, ... rows until they fit. Rows never get a
// negative length, so a control narrower than its margins still ends with one tab a row.
void TabLayout::place_rows(const std::vector<int>& visible, const std::vector<int>& lengths) {
    const TabSettings& s = settings;
    const int step_back = slant_overlap(s, fixed_dimension_) - 1;
    const int strip = strip_length();
    const int n = static_cast<int>(visible.size());
    std::vector<int> along(visible.size()), length(visible.size()), row(visible.size());
    row_count_ = 1;
    if (!s.multi_line) {
        int pos = s.margin;
        for (int k = 0; k < n; ++k) {
            along[k] = pos;
            length[k] = lengths[k];
            row[k] = 0;
            pos += lengths[k] - step_back;
        }
    } else {
        for (int rows = 1;; ++rows) {
            const int L = std::max(0, strip - 2 * s.margin - (rows - 1) * s.row_indent);
            const int cap = std::max(0, s.round() ? L - 4 : L);
            int r = 0, pos = s.margin;
            bool empty = true, restart = false;
            for (int k = 0; k < n && !restart; ++k) {
                const int len = std::max(0, std::min(lengths[k], cap));
                for (;;) {
                    if (pos + len < L || (empty && (r < rows - 1 || k == n - 1))) {
                        const bool alone = !(pos + len < L);
                        along[k] = pos;
                        length[k] = len;
                        row[k] = r;
                        pos += len - step_back;
                        empty = false;
                        if (alone && k < n - 1) {  // a tab alone on its row ends it
                            ++r;
                            pos = s.margin;
                            empty = true;
                        }
                        break;
                    }
                    if (empty || r == rows - 1) {
                        restart = true;
                        break;
                    }
                    ++r;
                    pos = s.margin;
                    empty = true;
                }
            }
            if (!restart) {
                row_count_ = n ? row[n - 1] + 1 : 1;
                break;
            }
        }
    }

    // From distances along the strip to logical rectangles.
    int extent = 0;
    for (int k = 0; k < n; ++k) extent = std::max(extent, along[k] + length[k]);
    extent += s.margin;
    const int shift = s.multi_line ? s.width : extent;
    for (int k = 0; k < n; ++k) {
        TEcTabData& t = tabs[visible[k]];
        t.row = row[k];
        const int y = row_y(row[k]);
        if (!s.reverse()) t.rect = {along[k], y, along[k] + length[k], y + fixed_dimension_};
        else t.rect = {shift - along[k] - length[k], y, shift - along[k], y + fixed_dimension_};
    }
    scrolling_needed_ = false;
    if (!s.multi_line && n > 0) {
        const int room = strip - 2 * s.margin - buttons_length();
        const int end = s.reverse() ? tabs[visible.front()].rect.right - (shift - extent) : tabs[visible.back()].rect.right;
        scrolling_needed_ = room < end;
    }
}

// Shares each row's free length among its tabs; later tabs move by the growth of earlier ones.
void TabLayout::align_rows(const std::vector<int>& visible) {
    const TabSettings& s = settings;
    const int room = strip_length() - 2 * s.margin - (row_count_ - 1) * s.row_indent;
    for (int r = 0; r < row_count_; ++r) {
        std::vector<int> members;
        for (int i : visible)
            if (tabs[i].row == r) members.push_back(i);
        if (members.empty()) continue;
        const ui::Rect& first = tabs[members.front()].rect;
        const ui::Rect& last = tabs[members.back()].rect;
        const int used = s.reverse() ? first.right - last.left : last.right - first.left;
        const int free = room - (used + (s.round() ? 4 : 0));
        if (free < 1) continue;
        const int n = static_cast<int>(members.size());
        int moved = 0;
        for (int k = 0; k < n; ++k) {
            const int grow = free / n + (k < free % n ? 1 : 0);
            ui::Rect& rc = tabs[members[k]].rect;
            if (!s.reverse()) {
                rc.left += moved;
                rc.right += moved + grow;
            } else {
                rc.right -= moved;
                rc.left -= moved + grow;
            }
            moved += grow;
        }
    }
}

void TabLayout::correct_first_shown() {
    const int n = static_cast<int>(tabs.size());
    if (!scrolling_needed_) {
        first_shown_ = first_visible();
        return;
    }
    const int old = first_shown_;
    for (int i = std::max(0, old); i < n; ++i)
        if (tabs[i].visible) {
            first_shown_ = i;
            return;
        }
    for (int i = std::min(old, n) - 1; i >= 0; --i)
        if (tabs[i].visible) {
            first_shown_ = i;
            return;
        }
    first_shown_ = first_visible();
}

int TabLayout::row_y(int row) const {
    return strip_thickness() - fixed_dimension_ - row * (fixed_dimension_ - settings.row_overlap);
}

void TabLayout::rotate_rows(int selected) {
    if (!settings.multi_line || selected < 0 || selected >= static_cast<int>(tabs.size()) || !tabs[selected].visible) return;
    const int m = row_count_ - 1;
    const int s = tabs[selected].row;
    if (s == 0) return;
    for (TEcTabData& t : tabs) {
        if (!t.visible) continue;
        t.row = (t.row + m - s + 1) % (m + 1);
        const int y = row_y(t.row);
        t.rect.top = y;
        t.rect.bottom = y + fixed_dimension_;
    }
}

int TabLayout::strip_thickness() const {
    return (settings.round() ? 3 : 0) + fixed_dimension_ + (fixed_dimension_ - settings.row_overlap) * (row_count_ - 1);
}

ui::Rect TabLayout::tab_strip_rect() const {
    const int W1 = settings.width - 1, H1 = settings.height - 1, t = strip_thickness();
    switch (settings.orientation) {
    case TEcTabOrientation::toTop: return {0, 0, W1 - (settings.show_shadow && !settings.reverse() ? 2 : 0), t};
    case TEcTabOrientation::toLeft: return {0, 0, t, H1};
    case TEcTabOrientation::toBottom: return {0, H1 - t, W1, H1};
    case TEcTabOrientation::toRight: return {W1 - t, 0, W1, H1};
    }
    return {};
}

int TabLayout::strip_length() const {
    const ui::Rect s = tab_strip_rect();
    return settings.vertical_strip() ? s.height() : s.width();
}

int TabLayout::scroll_offset() const {
    int f = first_shown_;
    if (f < 0 || f >= static_cast<int>(tabs.size()) || !tabs[f].visible) f = first_visible();
    if (f < 0) return 0;
    const int b = (settings.round() ? 2 : 0) + settings.margin;
    return settings.reverse() ? b + tabs[f].rect.right : tabs[f].rect.left - b;
}

TabPoint TabLayout::logical_to_physical(TabPoint p) const {
    const ui::Rect S = tab_strip_rect();
    const int a = scroll_offset();
    const bool rev = settings.reverse();
    switch (settings.orientation) {
    case TEcTabOrientation::toTop: return {(rev ? S.right : S.left) + p.x - a, S.top + p.y};
    case TEcTabOrientation::toLeft: return {S.left + p.y, (rev ? S.top : S.bottom) + a - p.x};
    case TEcTabOrientation::toBottom: return {(rev ? S.right : S.left) + p.x - a, S.bottom - p.y};
    case TEcTabOrientation::toRight: return {S.right - p.y, (rev ? S.bottom : S.top) + p.x - a};
    }
    return p;
}

ui::Rect TabLayout::logical_to_physical(const ui::Rect& r) const {
    TabPoint a = logical_to_physical(TabPoint{r.left, r.top});
    TabPoint b = logical_to_physical(TabPoint{r.right, r.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

ui::Rect TabLayout::display_rect(int index, int selected) const {
    const TEcTabData& t = tabs.at(static_cast<std::size_t>(index));
    ui::Rect r = t.rect;
    const int shift = (settings.reverse() ? -1 : 1) * t.row * settings.row_indent;
    r.left += shift;
    r.right += shift;
    if (settings.round() && index == selected) {
        r.left -= 2;
        r.right += 2;
        r.top -= 2;
    }
    return r;
}

ui::Rect TabLayout::card_rect(int row) const {
    const ui::Rect B{0, 0, settings.width - 1, settings.height - 1};
    if (first_visible() < 0) return B;
    const int t = strip_thickness();
    const int D = row * (fixed_dimension_ - settings.row_overlap);
    const int ci = row * settings.row_indent;
    const int ri = (row_count_ - row - 1) * settings.row_indent;
    const bool rev = settings.reverse();
    const int lo = rev ? ri : ci, hi = rev ? ci : ri;  // indents at the start and the end of the strip
    ui::Rect r;
    switch (settings.orientation) {
    case TEcTabOrientation::toTop: r = {B.left + lo, B.top + t - D, B.right - hi, B.bottom - D}; break;
    case TEcTabOrientation::toLeft: r = {B.left + t - D, B.top + hi, B.right - D, B.bottom - lo}; break;
    case TEcTabOrientation::toBottom: r = {B.left + lo, B.top + D, B.right - hi, B.bottom - t + D}; break;
    case TEcTabOrientation::toRight: r = {B.left + D, B.top + lo, B.right - t + D, B.bottom - hi}; break;
    }
    if (r.right < r.left || r.bottom < r.top) return {};
    return r;
}

ui::Rect TabLayout::page_area_rect() const {
    const TabSettings& s = settings;
    ui::Rect r = card_rect(0);
    if (s.show_card_frame) {
        if (s.show_full_frame) {
            ++r.left;
            ++r.top;
            if (s.orientation == TEcTabOrientation::toTop && !s.reverse() && s.show_shadow) {
                r.right -= 2;
                r.bottom -= 2;
            }
        } else {
            if (s.orientation == TEcTabOrientation::toTop) ++r.top;
            ++r.right;
            ++r.bottom;
        }
    } else {
        if (!s.show_full_frame) {
            if (s.orientation == TEcTabOrientation::toLeft) --r.left;
            if (s.orientation == TEcTabOrientation::toBottom) ++r.bottom;
            if (s.orientation == TEcTabOrientation::toRight) ++r.right;
        }
        ++r.right;
        ++r.bottom;
    }
    return r;
}

int TabLayout::buttons_length() const {
    return (settings.show_close_button ? small_button_size_ + 2 : 0) + (settings.show_menu_button ? small_button_size_ + 2 : 0);
}

int TabLayout::visible_span() const {
    return strip_length() - 2 * small_button_size_ - 2 * settings.margin - buttons_length();
}

bool TabLayout::is_tab_shown(int index) const {
    if (index < 0 || index >= static_cast<int>(tabs.size()) || !tabs[index].visible) return false;
    if (!scrolling_needed_) return true;
    const ui::Rect& r = tabs[index].rect;
    const int a = scroll_offset();
    if (!settings.reverse()) return r.left >= a && r.right - a <= visible_span();
    return a - r.right >= 0 && a - r.left <= visible_span();
}

bool TabLayout::can_scroll(bool forward) const {
    if (!scrolling_needed_) return false;
    return forward ? !is_tab_shown(last_visible()) : !is_tab_shown(first_visible());
}

bool TabLayout::scroll_tabs(bool forward) {
    if (!can_scroll(forward)) return false;
    const int n = static_cast<int>(tabs.size());
    if (forward) {
        for (int i = first_shown_ + 1; i < n; ++i)
            if (tabs[i].visible) {
                first_shown_ = i;
                return true;
            }
    } else {
        for (int i = std::min(first_shown_, n) - 1; i >= 0; --i)
            if (tabs[i].visible) {
                first_shown_ = i;
                return true;
            }
    }
    return false;
}

SmallButtonPlaces TabLayout::small_button_places() const {
    const TabSettings& st = settings;
    const ui::Rect S = tab_strip_rect();
    const int s = small_button_size_, M = st.margin;
    const int cb = st.show_close_button ? s + 2 : 0, mb = st.show_menu_button ? s + 2 : 0;
    const int shadow = st.show_shadow ? 0 : 2;
    const int run = 2 * s - 1;  // the scroller's length
    ui::Rect close, menu, scroller;
    auto at = [](int x, int y, int w, int h) { return ui::Rect{x, y, x + w, y + h}; };
    const bool rev = st.reverse();
    switch (st.orientation) {
    case TEcTabOrientation::toTop:
    case TEcTabOrientation::toBottom: {
        const int y = st.orientation == TEcTabOrientation::toTop ? S.bottom - s - 2 : S.top + 2;
        if (!rev) {
            const int end = st.orientation == TEcTabOrientation::toTop ? S.right - M - 1 + shadow : S.right - M + 1;
            close = at(end - s, y, s, s);
            menu = at(end - s - cb, y, s, s);
            scroller = at(end - run - cb - mb, y, run, s);
        } else {
            close = at(S.left + M, y, s, s);
            menu = at(S.left + M + cb, y, s, s);
            scroller = at(S.left + M + cb + mb, y, run, s);
        }
        break;
    }
    case TEcTabOrientation::toLeft:
    case TEcTabOrientation::toRight: {
        const int x = st.orientation == TEcTabOrientation::toLeft ? S.right - s - 2 : S.left + 2;
        // Left tabs start at the top, right tabs at the bottom; reverse sequence swaps them.
        const bool from_top = (st.orientation == TEcTabOrientation::toLeft) != rev;
        if (from_top) {
            close = at(x, S.top + M, s, s);
            menu = at(x, S.top + M + cb, s, s);
            scroller = at(x, S.top + M + cb + mb, s, run);
        } else {
            const int end = S.bottom - M + 1;
            close = at(x, end - s, s, s);
            menu = at(x, end - s - cb, s, s);
            scroller = at(x, end - run - cb - mb, s, run);
        }
        break;
    }
    }
    if (!st.show_close_button) close = {};
    if (!st.show_menu_button) menu = {};
    if (!scrolling_needed_) scroller = {};
    return {close, menu, scroller};
}

} // namespace ec
