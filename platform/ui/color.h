// Colour values as stored in descriptions: 0x00BBGGRR, 0xFF0000nn for system colour nn, and
// clNone (0x1FFFFFFF) meaning no colour.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

using TColor = std::int32_t;

constexpr TColor system_color(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }
constexpr TColor rgb(int r, int g, int b) { return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)); }

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = system_color(0);
constexpr TColor clBackground = system_color(1);
constexpr TColor clActiveCaption = system_color(2);
constexpr TColor clInactiveCaption = system_color(3);
constexpr TColor clMenu = system_color(4);
constexpr TColor clWindow = system_color(5);
constexpr TColor clWindowFrame = system_color(6);
constexpr TColor clMenuText = system_color(7);
constexpr TColor clWindowText = system_color(8);
constexpr TColor clCaptionText = system_color(9);
constexpr TColor clActiveBorder = system_color(10);
constexpr TColor clInactiveBorder = system_color(11);
constexpr TColor clAppWorkSpace = system_color(12);
constexpr TColor clHighlight = system_color(13);
constexpr TColor clHighlightText = system_color(14);
constexpr TColor clBtnFace = system_color(15);
constexpr TColor clBtnShadow = system_color(16);
constexpr TColor clGrayText = system_color(17);
constexpr TColor clBtnText = system_color(18);
constexpr TColor clInactiveCaptionText = system_color(19);
constexpr TColor clBtnHighlight = system_color(20);
constexpr TColor cl3DDkShadow = system_color(21);
constexpr TColor cl3DLight = system_color(22);
constexpr TColor clInfoText = system_color(23);
constexpr TColor clInfoBk = system_color(24);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr bool is_system_color(TColor c) { return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }

// The RGB value (0x00BBGGRR) of a colour; system colours through the provider below.
// clNone and clDefault pass through unchanged for callers that test them.
std::uint32_t color_to_rgb(TColor color);

// System colour lookup; Windows builds install GetSysColor, elsewhere a fixed classic table
// serves. Tests may replace it.
using SystemColorProvider = std::function<std::uint32_t(int index)>;
void set_system_color_provider(SystemColorProvider provider);
std::uint32_t classic_system_color(int index);

// "clBtnFace", "clRed"... for known values, else "$00BBGGRR".
std::string color_to_text(TColor color);
// An identifier (case-insensitive) or a number (decimal or '$'/"0x" hexadecimal).
std::optional<TColor> color_from_text(std::string_view text);

} // namespace ui
