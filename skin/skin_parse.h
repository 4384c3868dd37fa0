// Turning a skin archive into its loaded description.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/quick_ini.h"
#include "skin/skin_archive.h"
#include "skin/skin_elements.h"
#include "skin/skin_system.h"

namespace skin {

// Everything one parse reads from.
struct SkinSource {
    const TQuickIni& ini;
    const TSkinReader& archive;
    const SkinSystem& system;
};

// The description in the order the engine reads it, with its clamps, the caption buttons,
// the fixed frame counts, the derived pictures and the border colour.
std::unique_ptr<SkinDescription> ParseSkin(const SkinSource& source);

// Steps of the parse, in their order.
void ReadColourTable(const SkinSource& source, SkinDescription& skin);
void ReadCaptionButtons(const SkinSource& source, SkinDescription& skin);
void FixFrameCounts(const TQuickIni& ini, SkinDescription& skin);
void MakeDerivedPictures(const SkinSource& source, SkinDescription& skin);

// A system colour resolved through the system; fixed colours pass unchanged.
ui::TColor ResolveColour(const SkinSystem& system, ui::TColor colour);

struct SkinLoadResult {
    std::unique_ptr<SkinDescription> skin;  // null when the load failed
    std::string error;
    bool unknown_version = false;  // the archive is of a version the programs do not know
};
// Stored archive bytes to a description. A broken archive, one without an ini member, or a
// fault during the parse gives no description and a text naming the fault; nothing throws.
SkinLoadResult LoadSkinDescription(const std::uint8_t* stored, std::size_t size, const SkinSystem& system);

} // namespace skin
