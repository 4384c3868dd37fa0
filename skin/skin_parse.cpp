#include "skin/skin_parse.h"

#include <algorithm>

#include "skin/colour_text.h"
#include "skin/skin_picture.h"

namespace skin {
namespace {

constexpr const char* kPersonality = "Personality";

// The keys every control element reads; `reads_frame` is false for the sections whose frame
// count is fixed later without reading one.
template <class Element>
std::optional<Element> ReadElement(const SkinSource& s, const SkinDescription& skin, const char* section, bool reads_frame,
                                   const char* image_key = "Image") {
    const TQuickIni& ini = s.ini;
    if (ini.ReadString(section, image_key, "").empty()) return std::nullopt;
    Element e;
    e.name = section;
    e.bitmap = ReadPicture(ini, s.archive, section, image_key);
    e.style = ini.ReadInteger(section, "Style", 0);
    e.left_width = ini.ReadInteger(section, "LeftWidth", 0);
    e.right_width = ini.ReadInteger(section, "RightWidth", 0);
    e.top_height = ini.ReadInteger(section, "TopHeight", 0);
    e.bottom_height = ini.ReadInteger(section, "BottomHeight", 0);
    if (reads_frame) e.frame = ini.ReadInteger(section, "Frame", 0);
    e.trans = ini.ReadInteger(section, "Trans", 0);
    e.tile = ini.ReadInteger(section, "Tile", 0);
    if (e.tile > 1) e.tile = 0;
    e.normal_colour = ini.ReadInteger(section, "NormalColour", -1);
    e.mouse_over_colour = ini.ReadInteger(section, "MouseOverColour", -1);
    e.pressed_colour = ini.ReadInteger(section, "PressedColour", -1);
    const ui::TColor text = skin.colours[kButtonText];
    e.normal_colour2 = ParseColourText(ini.ReadString(section, "NormalColour2", "")).value_or(text);
    e.mouse_over_colour2 = ParseColourText(ini.ReadString(section, "MouseOverColour2", "")).value_or(text);
    e.pressed_colour2 = ParseColourText(ini.ReadString(section, "PressedColour2", "")).value_or(text);
    return e;
}

void ReadBorders(const SkinSource& s, SkinDescription& skin) {
    static const char* const kNames[4] = {"Left", "Right", "Top", "Bottom"};
    for (int side = 0; side < 4; ++side) {
        const std::string name = kNames[side];
        TDataSkinObject& e = skin.borders[static_cast<std::size_t>(side)];
        e = TDataSkinObject{};
        e.name = name;
        const int first = s.ini.ReadInteger(kPersonality, name + "TopHeight", 0);
        const int second = s.ini.ReadInteger(kPersonality, name + "BotHeight", 0);
        // The side borders keep their fixed ends at top and bottom, the others at left and right.
        if (side == kLeftBorder || side == kRightBorder) {
            e.top_height = first;
            e.bottom_height = second;
        } else {
            e.left_width = first;
            e.right_width = second;
        }
        e.frame = s.ini.ReadInteger(kPersonality, name + "Frame", 1);
        e.tile = std::min(s.ini.ReadInteger(kPersonality, name + "Stretch", 1), 1);
        e.trans = s.ini.ReadInteger(kPersonality, name + "Trans", 1);
        e.bitmap = ReadPicture(s.ini, s.archive, kPersonality, name);
    }
}

void ReadButtons(const SkinSource& s, SkinDescription& skin) {
    skin.buttons = ReadElement<TDataSkinButton>(s, skin, "Buttons", false, "Bitmap");
    if (!skin.buttons) return;
    TDataSkinButton& b = *skin.buttons;
    b.style = 0;
    b.check_bitmap = ReadPicture(s.ini, s.archive, "Buttons", "CheckButton");
    b.radio_bitmap = ReadPicture(s.ini, s.archive, "Buttons", "RadioButton");
    b.radio_frame = s.ini.ReadInteger("Buttons", "RadioButtonFrame", 0);
    b.check_frame = s.ini.ReadInteger("Buttons", "CheckButtonFrame", 0);
    b.normal_colour2_given = !s.ini.ReadString("Buttons", "NormalColour2", "").empty();
    b.mouse_over_colour2_given = !s.ini.ReadString("Buttons", "MouseOverColour2", "").empty();
    b.pressed_colour2_given = !s.ini.ReadString("Buttons", "PressedColour2", "").empty();
}

void ReadTitle(const SkinSource& s, SkinDescription& skin) {
    TDataSkinTitle& t = skin.title;
    t = TDataSkinTitle{};
    t.name = "Title";
    t.bitmap = ReadPicture(s.ini, s.archive, kPersonality, "TextBack");
    t.left_width = s.ini.ReadInteger(kPersonality, "TextShift", 0);
    t.top_height = s.ini.ReadInteger(kPersonality, "TextShiftVert", 0);
    t.right_width = s.ini.ReadInteger(kPersonality, "TextRightClip", 0);
    t.text_alignment = s.ini.ReadInteger(kPersonality, "TextAlignment", 0);
    t.text_background = s.ini.ReadInteger(kPersonality, "Textbackground", 0);
    t.text_back_left = s.ini.ReadInteger(kPersonality, "TXTBackleft", 0);
    t.text_back_right = s.ini.ReadInteger(kPersonality, "TXTBackRight", 0);
    t.font_height = s.ini.ReadInteger("Fonts", "FontHeight", 14);
    auto colour = [&](const std::string& key) -> ui::TColor {
        const int r = s.ini.ReadInteger(kPersonality, key + "R", -1);
        const int g = s.ini.ReadInteger(kPersonality, key + "G", -1);
        const int b = s.ini.ReadInteger(kPersonality, key + "B", -1);
        return r >= 0 && g >= 0 && b >= 0 ? ui::rgb(r, g, b) : ui::clNone;
    };
    t.active_text = colour("ActiveText");
    t.inactive_text = colour("InActiveText");
}

void ReadProgress(const SkinSource& s, SkinDescription& skin) {
    skin.progress = ReadElement<TDataSkinObject>(s, skin, "Progress", false, "Bitmap");
    if (!skin.progress) return;
    // Only Tile 0 and 1 exist for the bar: a larger value means tiling, not stretching.
    skin.progress->tile = std::min(s.ini.ReadInteger("Progress", "Tile", 0), 1);
    skin.progress->normal_colour = skin.progress->mouse_over_colour = skin.progress->pressed_colour = -1;
}

void ReadMenuBar(const SkinSource& s, SkinDescription& skin) {
    skin.menu_bar.reset();
    if (s.ini.ReadString(kPersonality, "menuBar", "").empty()) return;
    TDataSkinObject m;
    m.name = "MenuBar";
    m.bitmap = ReadPicture(s.ini, s.archive, kPersonality, "menuBar");
    m.left_width = s.ini.ReadInteger(kPersonality, "TileLeftMenu", 1);
    m.right_width = s.ini.ReadInteger(kPersonality, "TileRightMenu", 1);
    m.tile = std::min(s.ini.ReadInteger(kPersonality, "TileMenu", 1), 1);
    skin.menu_bar = std::move(m);
}

template <class Element>
void ReadWithSecondPicture(const SkinSource& s, const SkinDescription& skin, std::optional<Element>& slot, const char* section,
                           const char* second_key) {
    slot = ReadElement<Element>(s, skin, section, false);
    if (slot) slot->bitmap2 = ReadPicture(s.ini, s.archive, section, second_key);
}

} // namespace

ui::TColor ResolveColour(const SkinSystem& system, ui::TColor colour) {
    return ui::is_system_color(colour) ? static_cast<ui::TColor>(system.SystemColour(colour & 0xFF) & 0xFFFFFF) : colour;
}

std::unique_ptr<SkinDescription> ParseSkin(const SkinSource& s) {
    auto skin = std::make_unique<SkinDescription>();
    skin->skin_name = s.ini.ReadString("TitlebarSkin", "SkinName", "");
    ReadBorders(s, *skin);
    ReadColourTable(s, *skin);
    ReadCaptionButtons(s, *skin);

    ReadButtons(s, *skin);
    ReadTitle(s, *skin);
    ReadProgress(s, *skin);
    skin->progress_chunk = ReadElement<TDataSkinObject>(s, *skin, "Progress.Chunk", true);
    ReadMenuBar(s, *skin);
    skin->group_box_edge = ReadElement<TDataSkinObject>(s, *skin, "GroupBoxEdge", true);
    skin->group_box = ReadElement<TDataSkinBoxLabel>(s, *skin, "GroupBox", false);
    if (skin->group_box) {
        skin->group_box->background_alignment = s.ini.ReadInteger("GroupBox", "BackgroundAlignment", 0);
        skin->group_box->background_left_shift = s.ini.ReadInteger("GroupBox", "BackgroundLeftShift", 0);
        skin->group_box->background_right_shift = s.ini.ReadInteger("GroupBox", "BackgroundRightShift", 0);
    }
    ReadWithSecondPicture(s, *skin, skin->tabs, "Tabs", "Border");
    skin->status_bar_edges = ReadElement<TDataSkinObject>(s, *skin, "StatusBarEdges", true);
    skin->tab_pane = ReadElement<TDataSkinObject>(s, *skin, "Tab.Pane", true);
    if (skin->tab_pane) {
        TDataSkinObject& p = *skin->tab_pane;
        for (int* margin : {&p.left_width, &p.top_height, &p.right_width, &p.bottom_height}) *margin = std::min(*margin, 4);
    }
    skin->tool_bars = ReadElement<TDataSkinObject>(s, *skin, "ToolBars", true);
    skin->combo_button = ReadElement<TDataSkinBorder>(s, *skin, "ComboButton", false);
    skin->sunk_edge = ReadElement<TDataSkinObject>(s, *skin, "SunkEdge", true);

    skin->extra_images = ReadElement<TDataSkinObject>(s, *skin, "ExtraImages", true);
    skin->header_bar = ReadElement<TDataSkinObject>(s, *skin, "Headerbar", true);
    skin->menu_item = ReadElement<TDataSkinObject>(s, *skin, "MenuItem", true);
    skin->menu_background = ReadElement<TDataSkinObject>(s, *skin, "MenuBackground", true);
    skin->scrollbar = ReadElement<TDataSkinObject>(s, *skin, "Scrollbar", true);
    skin->horz_scroll = ReadElement<TDataSkinObject>(s, *skin, "HorzScroll", true);
    skin->vert_scroll = ReadElement<TDataSkinObject>(s, *skin, "VertScroll", true);
    skin->horz_scroll_thumb = ReadElement<TDataSkinObject>(s, *skin, "HorzScrollThumb", true);
    skin->vert_scroll_thumb = ReadElement<TDataSkinObject>(s, *skin, "VertScrollThumb", true);
    static const char* const kThumbs[6] = {"Trackbar.ThumbHorz",  "Trackbar.ThumbVert", "Trackbar.ThumbLeft",
                                           "Trackbar.ThumbRight", "Trackbar.ThumbUp",   "Trackbar.ThumbDown"};
    for (std::size_t i = 0; i < 6; ++i) skin->track_bar_thumbs[i] = ReadElement<TDataSkinObject>(s, *skin, kThumbs[i], true);
    ReadWithSecondPicture(s, *skin, skin->up_down_horz, "UpDown.Horz", "GlyphImage");
    ReadWithSecondPicture(s, *skin, skin->up_down_vert, "UpDown.Vert", "GlyphImage");
    skin->track = ReadElement<TDataSkinObject>(s, *skin, "Track", true);
    skin->track_vert = ReadElement<TDataSkinObject>(s, *skin, "TRACKVERT", true);
    for (bool vertical : {false, true}) {
        std::optional<TDataSkinObject>& slot = vertical ? skin->track_vert : skin->track;
        if (slot) continue;
        TDataSkinObject e;
        e.name = vertical ? "TRACKVERT" : "Track";
        e.left_width = e.top_height = e.right_width = e.bottom_height = 3;
        e.frame = 1;
        e.bitmap = s.system.TrackPicture(vertical);
        slot = std::move(e);
    }

    FixFrameCounts(s.ini, *skin);
    MakeDerivedPictures(s, *skin);
    return skin;
}

} // namespace skin
