// Pixel maps written as text rows, one letter per pixel; each letter stands for a colour
// resolved when the test runs (system colours differ between desktops).
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/ui/win/graphics.h"

namespace ectest {

using Legend = std::map<char, ui::TColor>;
using Rows = std::vector<std::string>;

// The legend every painter test shares: '.' the background the bitmap starts with.
Legend system_legend();
constexpr ui::TColor kBackground = ui::clFuchsia;

// A bitmap of the given size filled with the background.
void reset(ui::Bitmap& bitmap, int width, int height);
// The bitmap as text rows; a pixel no letter stands for shows as '?'.
Rows picture_of(const ui::Bitmap& bitmap, const Legend& legend);
std::string text_of(const Rows& rows);
// Every pixel has the colour its letter stands for (two letters may stand for one colour).
::testing::AssertionResult matches(const ui::Bitmap& bitmap, const Rows& expected, const Legend& legend);

// Saves a sheet under <build>/controls_screenshots.
void save_sheet(const ui::Bitmap& bitmap, const std::string& name);

} // namespace ectest
