// Enumerations published by many controls of the control set. Their value names and order are
// part of every stored window description that uses them: append nothing in the middle.
#pragma once
#include <cstdint>

#include "platform/ui/enum_info.h"

namespace ec {

UI_ENUM(TFrameStyleEx, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus,
        fsPopup, fsFlatBold, fsFlatRounded)
// Edit frames take every frame style except the rounded one; the identifiers are shared.
UI_ENUM(TFrameStyle, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus,
        fsPopup, fsFlatBold)
UI_ENUM(TSide, sdLeft, sdTop, sdRight, sdBottom)
using TSides = ui::SetOf<TSide>;
constexpr TSides kAllSides{TSide::sdLeft, TSide::sdTop, TSide::sdRight, TSide::sdBottom};
UI_ENUM(TTextStyle, tsNormal, tsRaised, tsRecessed, tsShadow)
UI_ENUM(TAlignmentVertical, avTop, avCenter, avBottom)
UI_ENUM(TOrientation, orHorizontal, orVertical)
UI_ENUM(TFramingPreference, fpCustomFraming, fpXPThemes)
UI_ENUM(TGradientDirection, gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
        gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox)
UI_ENUM(TEcScrollType, stNone, stRightToLeft, stLeftToRight)
UI_ENUM(TEcHotTrackColorType, htctComplement, htctActual)
UI_ENUM(TEcGradientColorStyle, gcsSystem, gcsMSOffice, gcsCustom)
UI_ENUM(TEcVisualStyle, vsClassic, vsWinXP, vsGradient)
UI_ENUM(TEcButtonHotTrackStyle, htsInterior, htsFrame)

constexpr std::int32_t kMaxPositiveInteger = 2147483647;  // TPositiveInteger is 1 .. this

constexpr TFrameStyleEx to_frame_style_ex(TFrameStyle s) { return static_cast<TFrameStyleEx>(static_cast<int>(s)); }

// The state a glyph painter shows; callers give disabled before pressed before hot.
enum class GlyphDrawState { Normal = 0, Pressed = 1, Hot = 2, Disabled = 3 };

} // namespace ec
