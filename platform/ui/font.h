// Font attributes as windows and descriptions see them. The Windows layer turns them into a
// font handle; here they are plain values that tell their owner when they change.
#pragma once
#include <functional>
#include <string>

#include "platform/ui/persistent.h"

namespace ui {

UI_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = SetOf<TFontStyle>;
UI_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)

class Font : public Persistent {
    UI_CLASS_IDENTITY()
public:
    Font();

    // Name is GBK ("宋体" as the system stores it).
    const std::string& name() const { return name_; }
    void set_name(const std::string& name);
    // Height in pixels; negative means character height (what Size sets), as the OS takes it.
    int height() const { return height_; }
    void set_height(int height);
    int size() const;  // points, at the pixels-per-inch below
    void set_size(int points);
    TColor color() const { return color_; }
    void set_color(TColor color);
    TFontStyles style() const { return style_; }
    void set_style(TFontStyles style);
    int charset() const { return charset_; }
    void set_charset(int charset);
    TFontPitch pitch() const { return pitch_; }
    void set_pitch(TFontPitch pitch);

    // Logical pixels per inch used to turn points into heights (96 unless the screen says more).
    static int pixels_per_inch();
    static void set_pixels_per_inch(int ppi);

    void assign(const Persistent& source) override;
    bool same_as(const Font& other) const;

    std::function<void(Font&)> on_change;

private:
    void changed();

    std::string name_;
    int height_ = -12;
    TColor color_ = clWindowText;
    TFontStyles style_;
    int charset_ = 1;  // DEFAULT_CHARSET
    TFontPitch pitch_ = TFontPitch::fpDefault;
};

} // namespace ui
