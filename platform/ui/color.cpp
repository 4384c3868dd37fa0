#include "platform/ui/color.h"

#include <cstdio>
#include <utility>

#include "platform/ui/text_util.h"

namespace ui {

namespace {

struct NamedColor {
    TColor value;
    const char* name;
};

constexpr NamedColor kNamed[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};

// The classic Windows scheme, used where no real system colours exist.
constexpr std::uint32_t kClassic[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF,
};

SystemColorProvider& provider() {
    static SystemColorProvider p = classic_system_color;
    return p;
}

} // namespace

std::uint32_t classic_system_color(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= std::size(kClassic)) return 0;
    return kClassic[index];
}

void set_system_color_provider(SystemColorProvider p) { provider() = p ? std::move(p) : SystemColorProvider(classic_system_color); }

std::uint32_t color_to_rgb(TColor color) {
    if (is_system_color(color)) return provider()(static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF)) & 0xFFFFFF;
    return static_cast<std::uint32_t>(color);
}

std::string color_to_text(TColor color) {
    for (const auto& n : kNamed)
        if (n.value == color) return n.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(color));
    return buf;
}

std::optional<TColor> color_from_text(std::string_view text) {
    std::string_view t = trim(text);
    for (const auto& n : kNamed)
        if (same_text(n.name, t)) return n.value;
    auto v = parse_integer(t);
    if (!v || *v < INT32_MIN || *v > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
    return static_cast<TColor>(static_cast<std::uint32_t>(*v));
}

} // namespace ui
