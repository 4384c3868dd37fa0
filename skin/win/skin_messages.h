// The private messages between the skin manager, skinned windows and the program.
#pragma once
#include <windows.h>

namespace skin {

constexpr UINT kMsgPaintNonClient = 0x3502;  // paint the non-client area
constexpr UINT kMsgStartSkin = 0x3503;       // the manager took the window on
constexpr UINT kMsgCaptionAction = 0x3514;   // a caption button of an unknown action was clicked
constexpr UINT kMsgButtonShown = 0x3515;     // is the caption button of this visibility code shown?
constexpr UINT kMsgMdiRedraw = 0x3516;       // to the MDI client: redraw the frame and children
constexpr UINT kMsgNewScrollSkin = 0x3517;
constexpr UINT kMsgMenuBarClick = 0x3518;
constexpr UINT kMsgIsSkinned = 0x3523;     // skinned things answer 1
constexpr UINT kMsgRefreshSkin = 0x3401;   // library windows: colours and controls again
constexpr UINT kMsgPaintInto = 0xBC4B;     // paint the non-client area into the DC in wParam
constexpr UINT kMsgSkinProbe = 0xBC4D;
constexpr UINT kMsgSkinned = 0xBC4E;       // a window was skinned; control skins react
constexpr LPARAM kSkinMagic = 0x41A2;

} // namespace skin
