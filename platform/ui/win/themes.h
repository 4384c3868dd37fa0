// Visual styles: answers "no themes" unless the program really runs themed (uxtheme present,
// themes active and applied to this program with common controls 6), and can be switched off.
#pragma once
#include <windows.h>

#include <string>

#include "platform/ui/align_layout.h"

namespace ui {

class ThemeServices {
public:
    // Whether the theme library could be loaded at all.
    bool available() const;
    // Whether controls are drawn themed right now (false when switched off).
    bool themes_enabled() const;
    void set_switched_off(bool off) { switched_off_ = off; }
    bool switched_off() const { return switched_off_; }

    // Drawing of theme parts; each returns false (drawing nothing) when themes are not enabled.
    bool draw_element(HDC dc, const wchar_t* theme_class, int part, int state, const Rect& rect) const;
    bool draw_parent_background(HWND window, HDC dc, const Rect* rect) const;
    bool draw_text(HDC dc, const wchar_t* theme_class, int part, int state, const std::wstring& text, DWORD flags, const Rect& rect) const;
    // A colour of a part (0x00BBGGRR) in `color`; false when there is none.
    bool theme_color(const wchar_t* theme_class, int part, int state, int property, COLORREF& color) const;

private:
    bool switched_off_ = false;
};

ThemeServices& theme_services();

} // namespace ui
