// The colour table, the numbered colours and the custom colours of a description.
#include "skin/colour_text.h"
#include "skin/skin_parse.h"

namespace skin {
namespace {

struct ColourEntry {
    int index;
    const char* key;
    ui::TColor fallback;  // kMenubarFallback: the button face already read
};
constexpr ui::TColor kMenubarFallback = ui::clDefault;

// In the order read, so that the menu bar falls back to the button face already read.
constexpr ColourEntry kColourTable[] = {
    {kWindowText, "WindowText", ui::clWindowText},
    {kButtonFace, "ButtonFace", ui::clBtnFace},
    {kScrollbarColour, "Scrollbar", ui::clScrollBar},
    {kHilightText, "HilightText", ui::clHighlightText},
    {kHilight, "Hilight", ui::clHighlight},
    {kMenubar, "Menubar", kMenubarFallback},
    {kMenu, "Menu", ui::clMenu},
    {kMenuText, "MenuText", ui::clMenuText},
    {kButtonText, "ButtonText", ui::clBtnText},
    {kButtonHilight, "ButtonHilight", ui::clBtnHighlight},
    {kButtonlight, "Buttonlight", ui::clBtnHighlight},
    {kButtonShadow, "ButtonShadow", ui::clBtnShadow},
    {kButtonDkShadow, "ButtonDkShadow", ui::cl3DDkShadow},
    {kMenuBarText, "MenuBarText", ui::clMenuText},
    {kTitleTextActive, "TitleTextActive", ui::clCaptionText},
    {kTitleTextNoActive, "TitleTextNoActive", ui::clInactiveCaptionText},
};

} // namespace

void ReadColourTable(const SkinSource& s, SkinDescription& skin) {
    skin.colours.fill(0);
    skin.colour_defined.fill(false);
    for (const ColourEntry& entry : kColourTable) {
        const auto index = static_cast<std::size_t>(entry.index);
        const std::optional<ui::TColor> given = ParseColourText(s.ini.ReadString("Colours", entry.key, ""));
        skin.colour_defined[index] = given.has_value();
        skin.colours[index] = given.value_or(entry.fallback == kMenubarFallback ? skin.colours[kButtonFace] : entry.fallback);
    }
    skin.numbered_colours.clear();
    for (const std::string& section : s.ini.ReadSections()) {
        const std::string upper = UpperAscii(section);
        if (upper.rfind("COLOUR", 0) != 0 || upper == "COLOURS") continue;
        skin.numbered_colours.push_back(ParseColourText(s.ini.ReadString(section, "color", "")).value_or(ui::clWindowText));
    }
    for (std::size_t i = 0; i < skin.custom_colours.size(); ++i)
        skin.custom_colours[i] = ParseColourText(s.ini.ReadString("Customcolors", "Color" + std::to_string(i), "")).value_or(ui::clWhite);
}

} // namespace skin
