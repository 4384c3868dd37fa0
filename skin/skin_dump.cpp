#include "skin/skin_dump.h"

#include <cstdio>
#include <sstream>

namespace skin {
namespace {

std::string Hex(ui::TColor colour) {
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(colour));
    return text;
}

std::string Size(const Image32& image) {
    return image.empty() ? "none" : std::to_string(image.width()) + "x" + std::to_string(image.height());
}

void DumpElement(std::ostringstream& out, const TDataSkinObject& e) {
    out << "[" << e.name << "] picture " << Size(e.bitmap) << " frames " << e.frame << " margins " << e.left_width << ','
        << e.top_height << ',' << e.right_width << ',' << e.bottom_height << " trans " << e.trans << " tile " << e.tile << " style "
        << e.style << " colours " << e.normal_colour << ',' << e.mouse_over_colour << ',' << e.pressed_colour << " colours2 "
        << Hex(e.normal_colour2) << ',' << Hex(e.mouse_over_colour2) << ',' << Hex(e.pressed_colour2) << '\n';
    if (const auto* b = dynamic_cast<const TDataSkinBorder*>(&e)) out << "  second picture " << Size(b->bitmap2) << '\n';
    if (const auto* l = dynamic_cast<const TDataSkinBoxLabel*>(&e))
        out << "  background shift " << l->background_left_shift << ',' << l->background_right_shift << " alignment "
            << l->background_alignment << '\n';
    if (const auto* t = dynamic_cast<const TDataSkinTitle*>(&e))
        out << "  text alignment " << t->text_alignment << " background " << t->text_background << " font height " << t->font_height
            << " text back " << t->text_back_left << ',' << t->text_back_right << " text " << Hex(t->active_text) << ','
            << Hex(t->inactive_text) << '\n';
    if (const auto* b = dynamic_cast<const TDataSkinButton*>(&e))
        out << "  check " << Size(b->check_bitmap) << " frames " << b->check_frame << " radio " << Size(b->radio_bitmap) << " frames "
            << b->radio_frame << " colours2 given " << b->normal_colour2_given << b->mouse_over_colour2_given << b->pressed_colour2_given
            << '\n';
    if (const auto* c = dynamic_cast<const TDataSkinSysButton*>(&e))
        out << "  action " << c->action << " align " << c->align << " at " << c->x << ',' << c->y << " combine " << c->combine_op
            << " visibility " << c->visibility << ',' << c->visibility1 << '\n';
}

} // namespace

std::string DumpSkin(const SkinDescription& skin) {
    std::ostringstream out;
    out << "skin name: " << skin.skin_name << '\n';
    out << "colours:";
    for (std::size_t i = 0; i < skin.colours.size(); ++i) out << ' ' << i << '=' << Hex(skin.colours[i]) << (skin.colour_defined[i] ? "*" : "");
    out << "\nnumbered colours:";
    for (ui::TColor c : skin.numbered_colours) out << ' ' << Hex(c);
    out << "\ncustom colours:";
    for (ui::TColor c : skin.custom_colours) out << ' ' << Hex(c);
    out << "\nborder colour: " << Hex(skin.border_colour) << '\n';
    for (const TDataSkinObject* e : skin.Elements()) DumpElement(out, *e);
    return out.str();
}

} // namespace skin
