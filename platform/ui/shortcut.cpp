#include "platform/ui/shortcut.h"

#include "platform/ui/text_util.h"

namespace ui {

namespace {

struct KeyName {
    std::uint8_t key;
    const char* name;
};

// Virtual-key codes by their names in shortcut texts.
constexpr KeyName kKeys[] = {
    {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x1B, "Esc"}, {0x20, "Space"}, {0x21, "PgUp"},
    {0x22, "PgDn"}, {0x23, "End"}, {0x24, "Home"}, {0x25, "Left"}, {0x26, "Up"}, {0x27, "Right"},
    {0x28, "Down"}, {0x2D, "Ins"}, {0x2E, "Del"},
};

} // namespace

std::string shortcut_to_text(TShortCut sc) {
    std::uint8_t key = static_cast<std::uint8_t>(sc & 0xFF);
    if (key == 0) return {};
    std::string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) name = std::string(1, static_cast<char>(key));
    else if (key >= 0x70 && key <= 0x87) name = "F" + std::to_string(key - 0x6F);
    else
        for (const auto& k : kKeys)
            if (k.key == key) name = k.name;
    if (name.empty()) return {};
    std::string out;
    if (sc & scShift) out += "Shift+";
    if (sc & scCtrl) out += "Ctrl+";
    if (sc & scAlt) out += "Alt+";
    return out + name;
}

std::optional<TShortCut> text_to_shortcut(std::string_view text) {
    std::string_view t = trim(text);
    if (t.empty()) return TShortCut{0};
    TShortCut mods = 0;
    for (;;) {
        if (t.size() > 6 && same_text(t.substr(0, 6), "Shift+")) {
            mods |= scShift;
            t.remove_prefix(6);
        } else if (t.size() > 5 && same_text(t.substr(0, 5), "Ctrl+")) {
            mods |= scCtrl;
            t.remove_prefix(5);
        } else if (t.size() > 4 && same_text(t.substr(0, 4), "Alt+")) {
            mods |= scAlt;
            t.remove_prefix(4);
        } else {
            break;
        }
    }
    if (t.size() == 1) {
        char c = t[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return shortcut(static_cast<std::uint8_t>(c), mods);
        return std::nullopt;
    }
    if ((t[0] == 'F' || t[0] == 'f') && t.size() <= 3) {
        auto n = parse_integer(t.substr(1));
        if (n && *n >= 1 && *n <= 24) return shortcut(static_cast<std::uint8_t>(0x6F + *n), mods);
    }
    for (const auto& k : kKeys)
        if (same_text(k.name, t)) return shortcut(k.key, mods);
    return std::nullopt;
}

} // namespace ui
