// Font, window and monitor helpers shared by the controls.
#include <cmath>
#include <cwchar>

#include "controls/ec_common.h"
#include "platform/text_gbk.h"

namespace ec {

namespace {

// A screen DC with the font selected; the font comes out before the DC is let go.
class ScreenFontDC {
public:
    explicit ScreenFontDC(const ui::Font& font) : font_(ui::create_font(font)) {
        old_ = SelectObject(screen_.get(), font_.get());
    }
    ~ScreenFontDC() { SelectObject(screen_.get(), old_); }
    ScreenFontDC(const ScreenFontDC&) = delete;
    ScreenFontDC& operator=(const ScreenFontDC&) = delete;
    HDC get() const { return screen_.get(); }

private:
    ui::ClientDC screen_{nullptr};
    ui::GdiObject<HFONT> font_;
    HGDIOBJ old_ = nullptr;
};

TEXTMETRICW metrics_of(const ui::Font& font) {
    ScreenFontDC dc(font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    return tm;
}

} // namespace

ui::GdiObject<HFONT> create_rotated_font(const ui::Font& font, int angle) {
    return create_escaped_font(font, angle * 10);
}

ui::GdiObject<HFONT> create_escaped_font(const ui::Font& font, int tenths) {
    LOGFONTW lf{};
    lf.lfHeight = font.height();
    lf.lfWidth = 0;
    lf.lfEscapement = tenths;
    lf.lfOrientation = 0;
    lf.lfWeight = font.style().has(ui::TFontStyle::fsBold) ? 700 : 400;
    lf.lfItalic = font.style().has(ui::TFontStyle::fsItalic);
    lf.lfUnderline = font.style().has(ui::TFontStyle::fsUnderline);
    lf.lfStrikeOut = font.style().has(ui::TFontStyle::fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(font.charset());
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = font.pitch() == ui::TFontPitch::fpVariable ? VARIABLE_PITCH
                          : font.pitch() == ui::TFontPitch::fpFixed  ? FIXED_PITCH
                                                                     : DEFAULT_PITCH;
    const std::wstring face = plat::gbk_to_wide(font.name());
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return ui::GdiObject<HFONT>(CreateFontIndirectW(&lf));
}

bool is_true_type_face(const ui::Font& font) { return (metrics_of(font).tmPitchAndFamily & TMPF_TRUETYPE) != 0; }

int font_line_height(const ui::Font& font) { return static_cast<int>(metrics_of(font).tmHeight) + 2; }

int average_char_width(const ui::Font& font) {
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    ScreenFontDC dc(font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), kLetters, 52, &size);
    return static_cast<int>(std::lround(size.cx / 52.0));
}

void refresh_window_frame(HWND window, const Rect& rect) {
    if (!window) return;
    int kind = ERROR;
    {
        const ui::ClientDC dc(window);
        RECT clip{};
        if (dc.get()) kind = GetClipBox(dc.get(), &clip);
    }
    if (kind == ERROR || kind == NULLREGION) return;  // hidden or covered
    RECT r = ui::to_rect(rect);
    RedrawWindow(window, &r, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void refresh_transparent_children(ui::WinControl& container) {
    for (ui::Control* child : container.controls()) {
        const ui::PropInfo* prop = ui::find_property(*child, "Transparent");
        if (prop && prop->kind == ui::PropKind::Boolean && prop->get_ordinal(*child) != 0) child->invalidate();
    }
}

Rect active_work_area(HWND window) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
    return ui::from_rect(mi.rcWork);
}

int active_work_area_width(HWND window) { return active_work_area(window).width(); }

std::optional<ui::MonitorInfo> monitor_at_point(POINT point) {
    for (const ui::MonitorInfo& m : ui::screen().monitors())
        if (point.x >= m.bounds.left && point.x < m.bounds.right && point.y >= m.bounds.top && point.y < m.bounds.bottom)
            return m;
    return std::nullopt;
}

} // namespace ec
