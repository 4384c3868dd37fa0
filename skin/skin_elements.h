// The loaded skin: one element per described picture, the colour table and the caption
// buttons. Elements own their pictures; a reload builds a whole new description and the
// component swaps it in at once, so nothing keeps an element of the old one.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/color.h"
#include "skin/image32.h"

namespace skin {

struct TDataSkinObject {
    virtual ~TDataSkinObject() = default;
    std::string name;
    int left_width = 0, top_height = 0, right_width = 0, bottom_height = 0;
    Image32 bitmap;  // a strip of `frame` equal frames; stacked for the vertical elements
    int trans = 0;
    int tile = 0;
    int frame = 0;
    int style = 0;
    int normal_colour = -1, mouse_over_colour = -1, pressed_colour = -1;
    ui::TColor normal_colour2 = 0, mouse_over_colour2 = 0, pressed_colour2 = 0;
};

struct TDataSkinBorder : TDataSkinObject {
    Image32 bitmap2;
};

struct TDataSkinBoxLabel : TDataSkinObject {
    int background_left_shift = 0, background_right_shift = 0, background_alignment = 0;
};

// The caption: its text shift, vertical shift and right clip are kept in the left width, top
// height and right width.
struct TDataSkinTitle : TDataSkinObject {
    int text_alignment = 0, text_background = 0, font_height = 14, text_back_left = 0, text_back_right = 0;
    ui::TColor active_text = ui::clNone, inactive_text = ui::clNone;
};

struct TDataSkinButton : TDataSkinObject {
    Image32 check_bitmap, radio_bitmap;
    int radio_frame = 0, check_frame = 0;
    bool normal_colour2_given = false, mouse_over_colour2_given = false, pressed_colour2_given = false;
};

struct TDataSkinSysButton : TDataSkinObject {
    int action = 0, align = 0, x = 0, y = 0, combine_op = -1, visibility = 0, visibility1 = 0;
};

// Places in the colour table.
enum SkinColourIndex {
    kWindowText = 0, kTitleTextActive = 1, kTitleTextNoActive = 2, kButtonFace = 3, kButtonText = 4,
    kButtonHilight = 5, kButtonlight = 6, kButtonShadow = 7, kButtonDkShadow = 8, kHilightText = 11,
    kHilight = 12, kMenubar = 13, kMenuBarText = 14, kMenuText = 15, kMenu = 16, kScrollbarColour = 18,
};
constexpr int kSkinColourCount = 19;

enum BorderSide { kLeftBorder, kRightBorder, kTopBorder, kBottomBorder };

struct SkinDescription {
    std::string skin_name;
    std::array<ui::TColor, kSkinColourCount> colours{};
    std::array<bool, kSkinColourCount> colour_defined{};
    std::vector<ui::TColor> numbered_colours;
    std::array<ui::TColor, 10> custom_colours{};
    ui::TColor border_colour = 0;

    std::array<TDataSkinObject, 4> borders;  // by BorderSide
    TDataSkinTitle title;
    std::vector<TDataSkinSysButton> caption_buttons;  // the described ones, then the three of a maximised child

    std::optional<TDataSkinButton> buttons;
    std::optional<TDataSkinObject> progress, progress_chunk, menu_bar, group_box_edge;
    std::optional<TDataSkinBoxLabel> group_box;
    std::optional<TDataSkinBorder> tabs;
    std::optional<TDataSkinObject> status_bar_edges, tab_pane, tool_bars;
    std::optional<TDataSkinBorder> combo_button;
    std::optional<TDataSkinObject> sunk_edge, extra_images, header_bar, menu_item, menu_background, scrollbar;
    std::optional<TDataSkinObject> horz_scroll, vert_scroll, horz_scroll_thumb, vert_scroll_thumb;
    std::array<std::optional<TDataSkinObject>, 6> track_bar_thumbs;  // Horz, Vert, Left, Right, Up, Down
    std::optional<TDataSkinBorder> up_down_horz, up_down_vert;
    std::optional<TDataSkinObject> track, track_vert;
    std::optional<TDataSkinObject> combo_arrow, toolbar;  // derived

    // Every element present, in the order of the parse.
    std::vector<const TDataSkinObject*> Elements() const { return ElementsOf<const TDataSkinObject>(*this); }
    std::vector<TDataSkinObject*> Elements() { return ElementsOf<TDataSkinObject>(*this); }

private:
    template <class Element, class Self>
    static std::vector<Element*> ElementsOf(Self& self);
};

template <class Element, class Self>
std::vector<Element*> SkinDescription::ElementsOf(Self& s) {
    std::vector<Element*> out;
    for (auto& b : s.borders) out.push_back(&b);
    out.push_back(&s.title);
    for (auto& b : s.caption_buttons) out.push_back(&b);
    auto add = [&](auto& slot) {
        if (slot) out.push_back(&*slot);
    };
    add(s.buttons), add(s.progress), add(s.progress_chunk), add(s.menu_bar), add(s.group_box_edge), add(s.group_box), add(s.tabs);
    add(s.status_bar_edges), add(s.tab_pane), add(s.tool_bars), add(s.combo_button), add(s.sunk_edge), add(s.extra_images);
    add(s.header_bar), add(s.menu_item), add(s.menu_background), add(s.scrollbar), add(s.horz_scroll), add(s.vert_scroll);
    add(s.horz_scroll_thumb), add(s.vert_scroll_thumb);
    for (auto& t : s.track_bar_thumbs) add(t);
    add(s.up_down_horz), add(s.up_down_vert), add(s.track), add(s.track_vert), add(s.combo_arrow), add(s.toolbar);
    return out;
}

} // namespace skin
