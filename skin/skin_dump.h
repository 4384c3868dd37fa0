// A readable listing of a loaded skin: every element with its picture, frames, margins and
// flags, the colours and the caption buttons, so that a skin can be reviewed and compared
// against a golden listing.
#pragma once
#include <string>

#include "skin/skin_elements.h"

namespace skin {

std::string DumpSkin(const SkinDescription& skin);

} // namespace skin
