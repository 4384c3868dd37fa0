// The settings of a skin component that decide what gets skinned, portable so that the
// decisions taken on them are tested without a window system.
#pragma once
#include "platform/ui/enum_info.h"

namespace skin {

UI_ENUM(TSkinControlType, xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
        xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel,
        xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport)
using TSkinControlTypes = ui::SetOf<TSkinControlType>;
UI_ENUM(TSkinOption, xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect,
        xoToolbarBK, xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar)
using TSkinOptions = ui::SetOf<TSkinOption>;
UI_ENUM(TSkinFormType, sfMainform, sfOnlyThisForm, sfDialog, sfDLL)

} // namespace skin
