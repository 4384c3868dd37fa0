// Where the station's three question and message boxes put their label and buttons: each box
// is as wide as its one-line text needs, with a minimum width per box.
#pragma once

namespace forms {

struct BoxLayout {
    int LabelLeft = 60;
    int LabelWidth = 0;
    int WindowWidth = 0;
    int ButtonLefts[4] = {0, 0, 0, 0};  // in the order of the box's buttons
};

constexpr int kBoxLabelLeft = 60;
constexpr int kBoxButtonGap = 16;

// Blanks the boxes append to the message before the label sizes itself.
constexpr const char* kConfirmPadding = "     ";
constexpr const char* kMessagePadding = " ";

// `label_width` is the width the label took for its text (message plus padding).
BoxLayout LayoutConfirmBox(int label_width, int button_width);
BoxLayout LayoutMessageBox(int label_width, int button_width);
BoxLayout LayoutMultiConfirmBox(int label_width, int button_width);

} // namespace forms
