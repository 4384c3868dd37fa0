// Keyboard shortcuts of menu items: a virtual-key code in the low byte plus modifier bits, with
// the text form "Ctrl+S", "Alt+F4", "Shift+Del".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

constexpr TShortCut shortcut(std::uint8_t key, TShortCut modifiers) { return static_cast<TShortCut>(key | modifiers); }
std::string shortcut_to_text(TShortCut shortcut);
// Case-insensitive; nothing for an unknown key name. An empty text is no shortcut (0).
std::optional<TShortCut> text_to_shortcut(std::string_view text);

} // namespace ui
