// Our own skins drawn from code: every picture and the description, as the files of a skin
// folder, in a fixed order so that a run always gives the same bytes.
#pragma once
#include <string>
#include <vector>

#include "skin/skin_packer.h"
#include "tests/skin/skin_test_data.h"
#include "tools/skingen/skin_looks.h"

namespace skingen {

std::vector<skin_test::SkinFile> GenerateSkin(const SkinLook& look);
// Writes the files into `folder` (made when missing) and packs it.
skin::PackResult GenerateAndPack(const SkinLook& look, const std::string& folder);

} // namespace skingen
