#include "controls/model/frame_colors.h"

#include "platform/ui/text_util.h"

namespace ec {

using namespace ui;

SideColors frame_style_colors(TFrameStyleEx style) {
    switch (style) {
    case TFrameStyleEx::fsNone: return {clWindow, clWindow};
    case TFrameStyleEx::fsFlat: return {cl3DDkShadow, cl3DDkShadow};
    case TFrameStyleEx::fsGroove: return {clBtnShadow, clBtnHighlight};
    case TFrameStyleEx::fsBump: return {clBtnHighlight, clBtnShadow};
    case TFrameStyleEx::fsStatus: return {clBtnShadow, clBtnHighlight};
    case TFrameStyleEx::fsPopup: return {clBtnHighlight, clBtnShadow};
    case TFrameStyleEx::fsFlatBold: return {clBtnShadow, clBtnShadow};
    default: return {};
    }
}

EdgeColors edge_3d_colors(bool lowered) {
    if (lowered) return {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
    return {{cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
}

EdgeColors push_button_edge_colors(bool down) {
    if (down) return {{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}};
    return {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
}

EdgeColors tinted_button_edge_colors(TColor face, bool down) {
    if (down) {
        const TColor outer = darken_color(face, 100), inner = darken_color(face, 50);
        return {{outer, outer}, {inner, inner}};
    }
    return {{lighten_color(face, 100), darken_color(face, 100)}, {lighten_color(face, 40), darken_color(face, 50)}};
}

TintedFrame tinted_frame_colors(TColor face, TFrameStyle style) {
    const TColor d50 = darken_color(face, 50), d100 = darken_color(face, 100);
    const TColor l50 = lighten_color(face, 50), l100 = lighten_color(face, 100);
    switch (style) {
    case TFrameStyle::fsNone: return {};
    case TFrameStyle::fsFlat: return {FrameShape::OneRing, {{d50, d50}, {}}};
    case TFrameStyle::fsGroove: return {FrameShape::Etched, {{d50, l100}, {}}};
    case TFrameStyle::fsBump: return {FrameShape::Etched, {{l100, d50}, {}}};
    case TFrameStyle::fsLowered: return {FrameShape::TwoRings, {{d50, l100}, {d100, l50}}};
    case TFrameStyle::fsRaised: return {FrameShape::TwoRings, {{l50, d100}, {l100, d50}}};
    case TFrameStyle::fsButtonDown: return {FrameShape::ButtonEdge, tinted_button_edge_colors(face, true)};
    case TFrameStyle::fsButtonUp: return {FrameShape::ButtonEdge, tinted_button_edge_colors(face, false)};
    case TFrameStyle::fsStatus: return {FrameShape::OneRing, {{d50, l100}, {}}};
    case TFrameStyle::fsPopup: return {FrameShape::OneRing, {{l100, d50}, {}}};
    case TFrameStyle::fsFlatBold: return {FrameShape::TwoRings, {{d50, d50}, {d50, d50}}};
    }
    return {};
}

namespace {

constexpr TColor kSchemeColors[kXpSchemeCount][kXpSchemeColorCount] = {
    {0x00800000, 0x00C2EEFF, 0x00A0D9FF, 0x00FFEFE3, 0x00EABB99, 0x00BF7F57},
    {0x00385D3F, 0x00C2EEFF, 0x00A0D9FF, 0x00EDFFFF, 0x0092C7B8, 0x0077A17F},
    {0x006F4B4B, 0x00C2EEFF, 0x00A0D9FF, 0x00FFF9F9, 0x00D0BCBD, 0x00B19F9F},
};

DisplayTraits& traits_store() {
    static DisplayTraits traits;
    return traits;
}

bool use_scheme(TEcGradientColorStyle style, bool themes_active) {
    return style == TEcGradientColorStyle::gcsMSOffice && themes_active;
}

} // namespace

TColor xp_scheme_color(int scheme, int index) {
    if (index < 0 || index >= kXpSchemeColorCount) return clNone;
    if (scheme < 0 || scheme >= kXpSchemeCount) scheme = 0;
    return kSchemeColors[scheme][index];
}

int xp_scheme_from_name(std::string_view color_name) {
    if (same_text(color_name, "HOMESTEAD")) return 1;
    if (same_text(color_name, "METALLIC")) return 2;
    return 0;
}

const DisplayTraits& display_traits() { return traits_store(); }
void set_display_traits(const DisplayTraits& traits) { traits_store() = traits; }

SelectionColorSet selection_colors(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits) {
    SelectionColorSet set;
    if (use_scheme(style, themes_active)) {
        set = {xp_scheme_color(traits.xp_scheme, 0), xp_scheme_color(traits.xp_scheme, 1),
               xp_scheme_color(traits.xp_scheme, 2)};
    } else {
        set.frame = clHighlight;
        set.stop = mix_colors(clHighlight, clWindow, 77);
        set.start = lighten_color(set.stop, 20);
    }
    if (!traits.full_color) set.start = set.stop;
    return set;
}

GradientPair bar_gradient_colors(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits) {
    if (use_scheme(style, themes_active))
        return {xp_scheme_color(traits.xp_scheme, 3), xp_scheme_color(traits.xp_scheme, 4)};
    return {clWindow, darken_color(clBtnFace, 10)};
}

TColor bar_frame_color(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits) {
    if (use_scheme(style, themes_active)) return xp_scheme_color(traits.xp_scheme, 5);
    return lighten_color(clBtnShadow, 30);
}

PanelColorSet panel_gradient_colors(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits) {
    if (use_scheme(style, themes_active)) {
        const TColor stop = xp_scheme_color(traits.xp_scheme, 4);
        return {stop, xp_scheme_color(traits.xp_scheme, 3), stop};
    }
    return {darken_color(clBtnFace, 20), clWindow, darken_color(clBtnFace, 40)};
}

} // namespace ec
