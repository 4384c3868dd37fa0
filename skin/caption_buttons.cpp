// The caption buttons of a description and the three buttons of a maximised child window.
#include <algorithm>

#include "skin/skin_parse.h"
#include "skin/skin_picture.h"

namespace skin {
namespace {

constexpr int kLendingAction = 1, kLendingVisibility = 2, kBorrowingAction = 4;
constexpr int kMdiColumns = 12, kMdiFrames = 4, kMdiButtons = 3;

bool IsCaptionButtonSection(const TQuickIni& ini, const std::string& section) {
    const std::string upper = UpperAscii(section);
    if (upper.rfind("BUTTON", 0) != 0) return false;
    if (upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX") return false;
    return !(ini.ReadInteger(section, "Action", 0) == -1 && ini.ReadInteger(section, "Visibility", -1) != 0);
}

// The frame count of a described button: a missing count is guessed from the picture's shape.
int CaptionButtonFrames(const TDataSkinSysButton& b, int described) {
    if (described != 0) return described;
    int frames = 6;
    if (!b.bitmap.empty()) frames = b.bitmap.width() * 10 <= b.bitmap.height() * 38 ? 3 : 6;
    return b.action < 0 ? 6 : frames;
}

} // namespace

void ReadCaptionButtons(const SkinSource& s, SkinDescription& skin) {
    skin.caption_buttons.clear();
    std::optional<std::pair<int, int>> lent;
    for (const std::string& section : s.ini.ReadSections()) {
        if (!IsCaptionButtonSection(s.ini, section)) continue;
        TDataSkinSysButton b;
        b.name = UpperAscii(section);
        b.action = s.ini.ReadInteger(section, "Action", 0);
        b.align = s.ini.ReadInteger(section, "Align", 0);
        b.x = s.ini.ReadInteger(section, "Xcoord", 0);
        b.y = s.ini.ReadInteger(section, "Ycoord", 0);
        b.visibility = s.ini.ReadInteger(section, "Visibility", 0);
        b.visibility1 = s.ini.ReadInteger(section, "Visibility1", b.action == -1 ? -1 : 0);
        b.combine_op = s.ini.ReadInteger(section, "CombineOp", -1);
        b.bitmap = ReadPicture(s.ini, s.archive, section, "ButtonImage");
        b.frame = CaptionButtonFrames(b, s.ini.ReadInteger(section, "frame", 0));
        if (b.action == 3 || b.action == 11) b.bitmap = Image32();
        if (b.action == kLendingAction && b.visibility == kLendingVisibility) lent = std::make_pair(b.x, b.y);
        // A borrower before any lender keeps its own place: there is nothing to borrow yet.
        if (b.action == kBorrowingAction && lent) std::tie(b.x, b.y) = *lent;
        skin.caption_buttons.push_back(std::move(b));
    }

    const Image32 mdi = ReadPicture(s.ini, s.archive, "MDICONTROLS", "Image");
    const int column = mdi.width() / kMdiColumns;
    for (int i = 0; i < kMdiButtons; ++i) {
        TDataSkinSysButton b;
        b.name = "MDICONTROLS" + std::to_string(i + 1);
        b.action = 7 + i;
        b.align = b.visibility = b.visibility1 = 100;
        b.frame = kMdiFrames;
        if (column > 0) {
            b.bitmap = CopyArea(mdi, {column * kMdiFrames * i, 0, column * kMdiFrames * (i + 1), mdi.height()});
            b.x = (column + 4) * (kMdiButtons - i);
        }
        skin.caption_buttons.push_back(std::move(b));
    }
}

} // namespace skin
