#include "platform/ui/win/themes.h"

#include <shlwapi.h>
#include <uxtheme.h>

namespace ui {

namespace {

// The theme entry points, looked up at run time: the library may be missing (older systems,
// some Wine set-ups).
struct ThemeApi {
    HMODULE module = nullptr;
    BOOL(WINAPI* is_theme_active)() = nullptr;
    BOOL(WINAPI* is_app_themed)() = nullptr;
    HTHEME(WINAPI* open)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* close)(HTHEME) = nullptr;
    HRESULT(WINAPI* draw_background)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* draw_parent)(HWND, HDC, const RECT*) = nullptr;
    HRESULT(WINAPI* draw_text)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
    HRESULT(WINAPI* get_color)(HTHEME, int, int, int, COLORREF*) = nullptr;

    ThemeApi() {
        module = LoadLibraryW(L"uxtheme.dll");
        if (!module) return;
        load(is_theme_active, "IsThemeActive");
        load(is_app_themed, "IsAppThemed");
        load(open, "OpenThemeData");
        load(close, "CloseThemeData");
        load(draw_background, "DrawThemeBackground");
        load(draw_parent, "DrawThemeParentBackground");
        load(draw_text, "DrawThemeText");
        load(get_color, "GetThemeColor");
    }
    template <class F>
    void load(F& f, const char* name) {
        f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    bool complete() const {
        return is_theme_active && is_app_themed && open && close && draw_background && draw_parent && draw_text && get_color;
    }
};

const ThemeApi& api() {
    static ThemeApi a;
    return a;
}

// Common controls 6 or later: only then do the standard controls draw themed.
bool comctl6() {
    HMODULE m = GetModuleHandleW(L"comctl32.dll");
    if (!m) return false;
    using DllVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto get = reinterpret_cast<DllVersionFn>(reinterpret_cast<void*>(GetProcAddress(m, "DllGetVersion")));
    DLLVERSIONINFO v{};
    v.cbSize = sizeof v;
    return get && SUCCEEDED(get(&v)) && v.dwMajorVersion >= 6;
}

class OpenTheme {
public:
    OpenTheme(const wchar_t* cls) : h_(api().open(nullptr, cls)) {}
    ~OpenTheme() {
        if (h_) api().close(h_);
    }
    OpenTheme(const OpenTheme&) = delete;
    OpenTheme& operator=(const OpenTheme&) = delete;
    HTHEME get() const { return h_; }

private:
    HTHEME h_;
};

} // namespace

ThemeServices& theme_services() {
    static ThemeServices s;
    return s;
}

bool ThemeServices::available() const { return api().complete(); }

bool ThemeServices::themes_enabled() const {
    return !switched_off_ && available() && api().is_theme_active() && api().is_app_themed() && comctl6();
}

bool ThemeServices::draw_element(HDC dc, const wchar_t* theme_class, int part, int state, const Rect& rect) const {
    if (!themes_enabled()) return false;
    OpenTheme t(theme_class);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return t.get() && SUCCEEDED(api().draw_background(t.get(), dc, part, state, &r, nullptr));
}

bool ThemeServices::draw_parent_background(HWND window, HDC dc, const Rect* rect) const {
    if (!themes_enabled()) return false;
    RECT r{};
    if (rect) r = RECT{rect->left, rect->top, rect->right, rect->bottom};
    return SUCCEEDED(api().draw_parent(window, dc, rect ? &r : nullptr));
}

bool ThemeServices::draw_text(HDC dc, const wchar_t* theme_class, int part, int state, const std::wstring& text, DWORD flags,
                              const Rect& rect) const {
    if (!themes_enabled()) return false;
    OpenTheme t(theme_class);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return t.get() && SUCCEEDED(api().draw_text(t.get(), dc, part, state, text.c_str(), static_cast<int>(text.size()), flags, 0, &r));
}

bool ThemeServices::theme_color(const wchar_t* theme_class, int part, int state, int property, COLORREF& color) const {
    if (!themes_enabled()) return false;
    OpenTheme t(theme_class);
    return t.get() && SUCCEEDED(api().get_color(t.get(), part, state, property, &color));
}

} // namespace ui
