// The arithmetic of a skinned window's frame: which frame it has, how large the skin's frame
// is, where the client goes, what a point of the frame means, and how the caption buttons
// behave. Plain numbers in and out, so the rules are tested without windows.
#pragma once
#include <functional>
#include <string>
#include <utility>

#include "platform/ui/align_layout.h"
#include "skin/skin_elements.h"

namespace skin {

// The skin's frame around the client: border widths and the menu bar row under the top border.
struct SkinFrame {
    int left = 0, top = 0, right = 0, bottom = 0, menu_bar = 0;
    friend bool operator==(const SkinFrame& a, const SkinFrame& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom &&
               a.menu_bar == b.menu_bar;
    }
};

enum class FrameKind { kSizable = 0, kFixed = 1, kNoCaption = 2, kDialog = 3 };

// Window style bits the rules read (the values of the Windows headers).
namespace style_bits {
constexpr unsigned kCaption = 0x00C00000, kThickFrame = 0x00040000, kModalFrame = 0x80, kSysMenu = 0x00080000;
constexpr unsigned kMinimizeBox = 0x00020000, kMaximizeBox = 0x00010000;
constexpr unsigned kExDlgModalFrame = 0x1, kExContextHelp = 0x400;
} // namespace style_bits

FrameKind ChooseFrameKind(unsigned style, unsigned ex_style, bool dialog_class);

// The border sizes from the four border pictures (each picture's size divided by its frames; a
// side without a picture, or with no frames, gets 0). No caption: no frame at all.
SkinFrame SkinFrameOf(const SkinDescription& skin, bool has_caption);

// Saved caption-button styles.
namespace saved_style {
constexpr int kMaximizeBox = 1, kMinimizeBox = 2, kContextHelp = 4, kWindowMenu = 8, kKeepSysMenu = 0x10;
} // namespace saved_style

// Whether the skin leaves WS_SYSMENU alone: on systems whose minor version is 0 from NT 5 on,
// for application windows and for unowned windows that are not MDI children.
bool KeepsSysMenuStyle(int major, int minor, bool app_window, bool has_owner, bool mdi_child);

// The client rectangle within `window` (the new window rectangle): the frame taken off, never
// inverted: a frame larger than the window leaves an empty client.
Rect ClientOfWindow(const Rect& window, const SkinFrame& frame);

// The outer size of a window whose client is `client_width` x `client_height`.
std::pair<int, int> OuterSize(int client_width, int client_height, const SkinFrame& frame);

// The outer size restored at unskinning: the present size with the system's frame in place of
// the skin's.
std::pair<int, int> UnskinnedSize(int width, int height, int system_width, int system_height, const SkinFrame& frame);

// A dialog narrower than its caption needs is widened; its children move right by `shift`.
struct DialogWidening {
    int width = 0;
    int shift = 0;
};
DialogWidening WidenDialog(int width, int caption_needs);

// Hit-test codes (as the system numbers them).
constexpr int kHtNowhere = 0, kHtClient = 1, kHtCaption = 2, kHtMenu = 5;

// The skin's answer for a point at (x, y) in window coordinates, given the system's answer:
// only the system's "nowhere" and "caption" are changed.
int SkinHitTest(int system_answer, int x, int y, const SkinFrame& frame);

// What a caption button's window looks like to its visibility and enabling rules.
struct CaptionState {
    bool maximised = false, active = true;
    bool minimize_box = false, maximize_box = false, context_help = false, window_menu = false;
    bool dialog_frame = false, dialog_class = false;
    bool child_maximised_in_menu_bar = false;  // an MDI frame with a skinned menu bar and a maximised child
};

// Asks the window whether a button of a visibility code from 1000 to 2000 is shown.
using AskButtonShown = std::function<bool(int code, int action)>;

// Codes 1000 to 2000 ask the window; CaptionButtonLook does that.
bool VisibilityAllows(int code, bool second, const CaptionState& window);

struct ButtonLook {
    bool visible = false;
    bool enabled = true;
};
ButtonLook CaptionButtonLook(const TDataSkinSysButton& button, const CaptionState& window, const AskButtonShown& ask);

// Where a caption button of `w` x `h` goes (top-left corner, window coordinates).
struct CaptionPlaces {
    int window_width = 0;
    int text_left = 0, text_right = 0;
    int right_border = 0, top_border = 0, menu_bar = 0;
    int menu_bar_left_width = 0;
};
std::pair<int, int> CaptionButtonOrigin(const TDataSkinSysButton& button, int w, int h, const CaptionPlaces& places);

// What clicking a caption button of `action` does.
enum class CaptionAction { kClose, kMaximise, kMinimise, kWindowMenu, kHelp, kChildMinimise, kChildRestore, kChildClose, kPost };
CaptionAction ActionOf(int action);
bool IsIconAction(int action);
// The hint of a button, or empty.
std::string CaptionHintOf(int action);

// The frame (from 1) a button is drawn with in the title, and when its state changes.
int TitleButtonFrame(int frames, bool active, bool enabled);
int StateButtonFrame(int frames, int state, bool enabled, bool in_menu_bar);

} // namespace skin
