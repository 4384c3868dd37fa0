// Where the skinned tab controls put their pieces: the pane and the band of tabs in the four
// orientations, the band drawn flat (tabs on top) and turned back into place, the tab set's
// row of tabs and the two pictures handed to an advanced page control.
#pragma once
#include <vector>

#include "skin/frame_geometry.h"
#include "skin/image32.h"

namespace skin {

enum class TabSide { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };
// From the window style: TCS_BOTTOM (0x2) and TCS_VERTICAL (0x80); vertical with bottom is right.
TabSide TabSideOf(unsigned long style);
bool Sideways(TabSide side);

// The pane: the display area grown by 4 and moved 1 pixel on the tab side.
Rect TabPaneRect(const Rect& display, TabSide side);
// The band of tabs between the window's edge and the pane on the tab side.
Rect TabBandRect(int width, int height, const Rect& pane, TabSide side);
// The band laid out flat: the band's size, width and height exchanged for left and right tabs.
struct Size2i {
    int width = 0, height = 0;
};
Size2i FlatBandSize(const Rect& band, TabSide side);
// A tab's rectangle (window coordinates) in the flat band, tabs standing on its bottom edge:
// top tabs 1 pixel lower; bottom tabs moved up by the pane's bottom and 1; left and right tabs
// turned with the band, so that turning the flat band back (counter-clockwise for left,
// clockwise for right) puts them where the control has them.
Rect TabInFlatBand(const Rect& tab, const Rect& band, const Rect& pane, TabSide side);

// Turns the flat band back into the window's orientation (left: counter-clockwise, right:
// clockwise; top and bottom unchanged).
void TurnBandBack(Image32& band, TabSide side);
// The tab strip and pane pictures for a side: bottom flips both top to bottom; left turns the
// pane counter-clockwise, right clockwise.
void OrientStrip(Image32& strip, TabSide side);
void OrientPane(Image32& pane, TabSide side);

// The tab set: tabs from `first` on, from x = start_margin, each text width + 9 wide, drawn
// while the tab's right edge stays within the width less end_margin (and 21 more with a
// visible scroller).
struct TabSetTab {
    int index = 0;
    Rect rect;
};
std::vector<TabSetTab> FitTabSet(const std::vector<int>& text_widths, int first, int width, int height,
                                 int start_margin, int end_margin, bool scroller_visible);

// The advanced page control's tab pictures: frame `index` of the `frames` of the tab strip in
// nine slices over 100 x 21, the centre tiled when `tile`.
constexpr int kAdvTabWidth = 100, kAdvTabHeight = 21;
Image32 AdvPageTabPicture(const Image32& strip, int frames, int index, const Margins& margins, bool tile);

} // namespace skin
