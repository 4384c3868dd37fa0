#include "station/forms/box_layout.h"

#include <algorithm>

namespace forms {

BoxLayout LayoutConfirmBox(int label_width, int button_width) {
    BoxLayout b;
    b.LabelWidth = label_width;
    b.WindowWidth = std::max(label_width + 70, 180);
    b.ButtonLefts[0] = (b.WindowWidth - 2 * button_width - kBoxButtonGap) / 2;
    b.ButtonLefts[1] = b.ButtonLefts[0] + button_width + kBoxButtonGap;
    return b;
}

BoxLayout LayoutMessageBox(int label_width, int button_width) {
    BoxLayout b;
    // The label is widened beyond its text so that the last glyph is never clipped.
    b.LabelWidth = label_width + 18;
    b.WindowWidth = std::max(b.LabelWidth + 70, 100);
    b.ButtonLefts[0] = (b.WindowWidth - button_width) / 2;
    return b;
}

BoxLayout LayoutMultiConfirmBox(int label_width, int button_width) {
    BoxLayout b;
    b.LabelWidth = label_width;
    b.WindowWidth = std::max(label_width + 70, 380);
    b.ButtonLefts[0] = (b.WindowWidth - 4 * button_width - kBoxButtonGap) / 4;
    for (int i = 1; i < 4; ++i) b.ButtonLefts[i] = b.ButtonLefts[i - 1] + button_width + kBoxButtonGap;
    return b;
}

} // namespace forms
