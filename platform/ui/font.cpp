#include "platform/ui/font.h"

#include <cmath>

namespace ui {

namespace {
int g_ppi = 96;
}

ClassInfo& Font::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TFont", &Persistent::static_class());
        PropBuilder<Font>(c)
            .integer("Charset", &Font::charset, &Font::set_charset, 1, "TFontCharset")
            .color("Color", &Font::color, &Font::set_color, clWindowText)
            .integer("Height", &Font::height, &Font::set_height, -12)
            .string("Name", &Font::name, &Font::set_name, "TFontName")
            .enumeration("Pitch", &Font::pitch, &Font::set_pitch, TFontPitch::fpDefault)
            .integer("Size", &Font::size, &Font::set_size, 9)
            .set("Style", "TFontStyles", &Font::style, &Font::set_style, TFontStyles{});
        return c;
    }();
    return info;
}

Font::Font() : name_("MS Sans Serif") {}

int Font::pixels_per_inch() { return g_ppi; }
void Font::set_pixels_per_inch(int ppi) { g_ppi = ppi > 0 ? ppi : 96; }

void Font::set_name(const std::string& name) {
    if (name == name_ || name.empty()) return;
    name_ = name;
    changed();
}

void Font::set_height(int height) {
    if (height == height_) return;
    height_ = height;
    changed();
}

int Font::size() const {
    return static_cast<int>(std::lround(-static_cast<double>(height_) * 72.0 / g_ppi));
}

void Font::set_size(int points) { set_height(-static_cast<int>(std::lround(points * static_cast<double>(g_ppi) / 72.0))); }

void Font::set_color(TColor color) {
    if (color == color_) return;
    color_ = color;
    changed();
}

void Font::set_style(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    changed();
}

void Font::set_charset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    changed();
}

void Font::set_pitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    changed();
}

void Font::assign(const Persistent& source) {
    if (auto* f = dynamic_cast<const Font*>(&source)) {
        if (same_as(*f)) return;
        name_ = f->name_;
        height_ = f->height_;
        color_ = f->color_;
        style_ = f->style_;
        charset_ = f->charset_;
        pitch_ = f->pitch_;
        changed();
        return;
    }
    Persistent::assign(source);
}

bool Font::same_as(const Font& o) const {
    return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
           charset_ == o.charset_ && pitch_ == o.pitch_;
}

void Font::changed() {
    if (on_change) on_change(*this);
}

} // namespace ui
