// Owner-drawn menu items in the skin: the measure handlers, the item drawn on the `MenuItem`
// picture (or flat in the skin's colours), items drawn from a menu handle's text, and the
// switches that give the program's menus these handlers and take them back.
#pragma once
#include <windows.h>

#include <string>

#include "platform/ui/win/menus.h"

namespace skin {

class TSkinData;

// The text of an item of a menu handle, cut at 80 UTF-16 units and never inside a character.
std::wstring ReadMenuText(HMENU menu, UINT item, bool by_position);

// The screen's menu font (bold for default items); the caller deletes it.
HFONT CreateMenuFont(bool bold);

void MeasureMainMenuItem(TSkinData* data, ui::MenuItem* item, HDC dc, int& width, int& height);
void MeasurePopupItem(TSkinData* data, ui::MenuItem* item, HDC dc, int& width, int& height);
// An item measured from its menu handle's text (commands outside the program's menus).
void MeasureItemFromText(TSkinData* data, const std::wstring& text, HDC dc, int& width, int& height);

// With a `MenuItem` picture, else as DrawPlainMenuItem. Nothing is drawn outside `rect`.
void DrawMenuItem(TSkinData* data, ui::MenuItem* item, HDC dc, const RECT& rect, bool selected);
void DrawPlainMenuItem(TSkinData* data, ui::MenuItem* item, HDC dc, const RECT& rect, bool selected);
// The item `id` of `menu` drawn as DrawMenuItem through a temporary item made from the menu.
void DrawMenuItemFromHandle(TSkinData* data, HMENU menu, UINT id, HDC dc, const RECT& rect, bool selected);

// The draw and measure handlers of a popup menu's items (the window menu's too).
void GivePopupHandlers(TSkinData* data, ui::PopupMenu& menu, bool on);
// Popup menus of `component`, its frames and owned forms (not those tagged with DisableTag).
void SetMenusOwnerDraw(TSkinData* data, ui::Component* component, bool on);
// The main menus of `control`: owner-drawn below the top row.
void SetMainMenusOwnerDraw(TSkinData* data, ui::Component* control, bool on);

} // namespace skin
