// What the control set reads from the desktop: the XP colour scheme from the registry (or a
// replacement reader), themes, the full-colour flag; the blink list on a real window timer;
// the classes descriptions may name.
#include <gtest/gtest.h>

#include "controls/ec_common.h"
#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

const wchar_t kThemeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

// Sets or removes the theme manager's "ColorName" of the test prefix, putting back what was there.
class ColorNameValue {
public:
    ColorNameValue() {
        RegCreateKeyExW(HKEY_CURRENT_USER, kThemeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        DWORD size = sizeof saved_;
        had_ = RegQueryValueExW(key_, L"ColorName", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size) == ERROR_SUCCESS;
    }
    ~ColorNameValue() {
        if (had_) set(saved_);
        else clear();
        RegCloseKey(key_);
    }
    void set(const wchar_t* name) {
        RegSetValueExW(key_, L"ColorName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                       static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
    }
    void clear() { RegDeleteValueW(key_, L"ColorName"); }

private:
    HKEY key_ = nullptr;
    wchar_t saved_[128] = {};
    bool had_ = false;
};

TEST(EcDesktop, XpSchemeFromTheRegistryOrTheReader) {
    ColorNameValue value;
    const std::pair<const wchar_t*, int> cases[] = {{L"homestead", 1}, {L"METALLIC", 2}, {L"NormalColor", 0}};
    for (const auto& [name, scheme] : cases) {
        value.set(name);
        EXPECT_EQ(detect_xp_color_scheme(), scheme);
    }
    value.clear();
    EXPECT_EQ(detect_xp_color_scheme(), 0);

    set_theme_color_name_reader([] { return std::string("Metallic"); });
    EXPECT_EQ(detect_xp_color_scheme(), 2);
    set_theme_color_name_reader(nullptr);
    EXPECT_EQ(detect_xp_color_scheme(), 0);
}

TEST(EcDesktop, WithoutThemesElementsAreButtonFace) {
    window_test::ensure_application();
    ASSERT_FALSE(themes_active());  // Wine draws classic controls
    for (int kind = -1; kind <= 8; ++kind) EXPECT_EQ(theme_element_color(kind), ui::clBtnFace) << kind;
    EXPECT_TRUE(has_full_color_display());
    start_control_set();
    EXPECT_TRUE(display_traits().full_color);
    stop_control_set();
}

// A control that blinks while asked to and counts its steps.
class Blinker : public ui::CustomControl {
public:
    using CustomControl::CustomControl;
    bool blinking = true;
    std::vector<WPARAM> steps;
    void wnd_proc(ui::Message& m) override {
        if (m.msg == CM_QUERYBLINK) {
            m.result = blinking ? 1 : 0;
            return;
        }
        if (m.msg == CM_BLINKSTEP) {
            steps.push_back(m.wparam);
            return;
        }
        CustomControl::wnd_proc(m);
    }
};

TEST(EcDesktop, BlinkListTicksOnTheWindowTimer) {
    window_test::ensure_application();
    Blinker a(nullptr), b(nullptr);
    b.blinking = false;
    BlinkingControlsList& list = acquire_window_blink_list();
    list.register_control(&a);
    list.register_control(&b);
    list.set_on_interval(20);
    list.set_off_interval(20);
    ASSERT_TRUE(window_test::pump_until([&] { return a.steps.size() >= 3; }, 5000));
    EXPECT_EQ(a.steps[0], 0u);
    EXPECT_EQ(a.steps[1], 1u);
    EXPECT_TRUE(b.steps.empty());
    list.unregister_control(&a);
    list.unregister_control(&b);
    release_blink_list_if_empty();
    EXPECT_EQ(blink_list(), nullptr);
}

TEST(EcDesktop, ClassesAreRegisteredForDescriptions) {
    register_control_set_classes();
    EXPECT_NE(ui::find_registered_class("TEcFrameController"), nullptr);
    EXPECT_NE(ui::find_registered_class("TEcRegIniFile"), nullptr);
}

} // namespace

namespace {

TEST(EcDesktop, RotatedFontCarriesTheFontsFields) {
    ui::Font font;
    font.set_name("\xCB\xCE\xCC\xE5");  // 宋体 in GBK
    font.set_height(-15);
    font.set_style({ui::TFontStyle::fsBold, ui::TFontStyle::fsUnderline});
    font.set_charset(GB2312_CHARSET);
    font.set_pitch(ui::TFontPitch::fpFixed);
    const ui::GdiObject<HFONT> rotated = create_rotated_font(font, 90);
    ASSERT_TRUE(rotated);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(rotated.get(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -15);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH);
    EXPECT_STREQ(lf.lfFaceName, L"\u5B8B\u4F53");

    font.set_style({});
    font.set_pitch(ui::TFontPitch::fpVariable);
    ASSERT_EQ(GetObjectW(create_rotated_font(font, -45).get(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfEscapement, -450);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH);
}

TEST(EcDesktop, FontMeasuresAndMonitors) {
    window_test::ensure_application();
    ui::Font font;
    font.set_name("Arial");
    font.set_height(-20);
    EXPECT_GE(font_line_height(font), 22);
    const int average = average_char_width(font);
    EXPECT_GT(average, 4);
    EXPECT_LT(average, 20);
    EXPECT_TRUE(is_true_type_face(font));

    const auto monitors = ui::screen().monitors();
    ASSERT_FALSE(monitors.empty());
    const ui::Rect first = monitors.front().bounds;
    const auto found = monitor_at_point({first.left, first.top});
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->bounds, first);
    EXPECT_FALSE(monitor_at_point({-100000, -100000}).has_value());
    EXPECT_EQ(active_work_area_width(GetDesktopWindow()), active_work_area(GetDesktopWindow()).width());
    EXPECT_GT(active_work_area(GetDesktopWindow()).width(), 0);
}

} // namespace
