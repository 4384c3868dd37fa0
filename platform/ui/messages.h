// Message numbers of the window class library. Component messages are 0xB000 + n; messages
// reflected from a parent back to the child that sent them are 0xBC00 + the original code.
#pragma once
#include <cstdint>

namespace ui {

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_GOTFOCUS = CM_BASE + 2;
constexpr unsigned CM_LOSTFOCUS = CM_BASE + 3;
constexpr unsigned CM_CANCELMODE = CM_BASE + 4;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_MENUCHANGED = CM_BASE + 21;
constexpr unsigned CM_APPKEYDOWN = CM_BASE + 22;
constexpr unsigned CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_DESIGNHITTEST = CM_BASE + 28;
constexpr unsigned CM_ICONCHANGED = CM_BASE + 29;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr unsigned CM_INVOKEHELP = CM_BASE + 31;
constexpr unsigned CM_WINDOWHOOK = CM_BASE + 32;
constexpr unsigned CM_RELEASE = CM_BASE + 33;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr unsigned CM_WININICHANGE = CM_BASE + 37;
constexpr unsigned CM_FONTCHANGE = CM_BASE + 38;
constexpr unsigned CM_TIMECHANGE = CM_BASE + 39;
constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr unsigned CM_UIACTIVATE = CM_BASE + 41;
constexpr unsigned CM_UIDEACTIVATE = CM_BASE + 42;
constexpr unsigned CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr unsigned CM_GETDATALINK = CM_BASE + 45;
constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
constexpr unsigned CM_DRAG = CM_BASE + 47;
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_DIALOGHANDLE = CM_BASE + 49;
constexpr unsigned CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr unsigned CM_RECREATEWND = CM_BASE + 51;  // sent after a window was re-created
constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
constexpr unsigned CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr unsigned CM_CONTROLCHANGE = CM_BASE + 54;
constexpr unsigned CM_CHANGED = CM_BASE + 55;
constexpr unsigned CM_DOCKCLIENT = CM_BASE + 56;
constexpr unsigned CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr unsigned CM_FLOAT = CM_BASE + 58;
constexpr unsigned CM_BORDERCHANGED = CM_BASE + 59;
constexpr unsigned CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr unsigned CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr unsigned CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr unsigned CM_ACTIONUPDATE = CM_BASE + 63;
constexpr unsigned CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr unsigned CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr unsigned CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr unsigned CM_MOUSEWHEEL = CM_BASE + 67;

constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_CHARTOITEM = CN_BASE + 0x002F;
constexpr unsigned CN_COMMAND = CN_BASE + 0x0111;
constexpr unsigned CN_COMPAREITEM = CN_BASE + 0x0039;
constexpr unsigned CN_CTLCOLORBTN = CN_BASE + 0x0135;
constexpr unsigned CN_CTLCOLORDLG = CN_BASE + 0x0136;
constexpr unsigned CN_CTLCOLORMSGBOX = CN_BASE + 0x0132;
constexpr unsigned CN_CTLCOLORSCROLLBAR = CN_BASE + 0x0137;
constexpr unsigned CN_CTLCOLOREDIT = CN_BASE + 0x0133;
constexpr unsigned CN_CTLCOLORLISTBOX = CN_BASE + 0x0134;
constexpr unsigned CN_CTLCOLORSTATIC = CN_BASE + 0x0138;
constexpr unsigned CN_DELETEITEM = CN_BASE + 0x002D;
constexpr unsigned CN_DRAWITEM = CN_BASE + 0x002B;
constexpr unsigned CN_HSCROLL = CN_BASE + 0x0114;
constexpr unsigned CN_MEASUREITEM = CN_BASE + 0x002C;
constexpr unsigned CN_NOTIFY = CN_BASE + 0x004E;
constexpr unsigned CN_VSCROLL = CN_BASE + 0x0115;
constexpr unsigned CN_KEYDOWN = CN_BASE + 0x0100;
constexpr unsigned CN_CHAR = CN_BASE + 0x0102;

// The skin engine sends 0xBC4E (= CN_NOTIFY) to its windows with this lParam; it carries no
// notification header and must never be read as one.
constexpr std::intptr_t kSkinNotifyTag = 0x41A2;

static_assert(CM_DIALOGKEY == 0xB005 && CM_FOCUSCHANGED == 0xB007 && CM_VISIBLECHANGED == 0xB00B);
static_assert(CM_ENABLEDCHANGED == 0xB00C && CM_TEXTCHANGED == 0xB012 && CM_MOUSEENTER == 0xB013);
static_assert(CM_MOUSELEAVE == 0xB014 && CM_BUTTONPRESSED == 0xB018 && CM_EXIT == 0xB01B);
static_assert(CM_RELEASE == 0xB021 && CM_RECREATEWND == 0xB033);
static_assert(CN_NOTIFY == 0xBC4E && CN_COMMAND == 0xBD11 && CN_VSCROLL == 0xBD15);

} // namespace ui
