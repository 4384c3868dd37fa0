// A sheet of every picture a loaded skin holds, one row per picture with its element's name,
// on a grey ground so that the magenta parts stand out; saved by the tests for review.
#pragma once
#include <memory>

#include "platform/ui/win/graphics.h"
#include "skin/skin_elements.h"

namespace skin_test {

std::unique_ptr<ui::Bitmap> PictureSheet(const skin::SkinDescription& skin);

} // namespace skin_test
