// Skinned menus: owner-drawn items on the MenuItem picture (golden pixels through WM_DRAWITEM
// into memory bitmaps), the window menu drawn the same way with the component's glyphs, popup
// menu windows skinned while open and let go with their windows, the popup kinds gated by the
// component's settings, unskinning that gives the menus back to the system, bad menus and
// skins that draw nothing outside the item, and pictures of open menus for review.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/subclass.h"
#include "skin/menu_item_layout.h"
#include "skin/skin_packer.h"
#include "skin/win/skin_menu_draw.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_popup_menu.h"
#include "tests/skin/pixel_maps.h"
#include "tests/skin/skin_test_data.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/window_test.h"
#include "tools/skingen/skin_generator.h"
#include "tools/skingen/skin_looks.h"

namespace {

using namespace skinned_test;
using skin::TWinSkinPopMenu;
using skin_test::CellPixel;

constexpr std::uint32_t kUntouched = 0x00FF00;  // 0x00RRGGBB of the bitmap before drawing

std::uint32_t Rgb(std::uint32_t bgr) { return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }

// Our default skin with a MenuItem strip of five solid frames 'a' to 'e' and a solid 'f'
// MenuBackground, so that every pixel of an item tells where it came from; `drop` leaves the
// named elements out. With `nine_cells` the MenuBackground is 6 x 6 pixels of nine 2 x 2 cells
// 'a' to 'i', row by row, for the element's margins of 2, and the separator frame 'b' has
// magenta margins through which the background shows.
Bytes LetterMenuSkin(const std::vector<std::string>& drop = {}, bool nine_cells = false) {
    std::vector<skin_test::SkinFile> files = skingen::GenerateSkin(skingen::DefaultLook());
    for (skin_test::SkinFile& f : files) {
        if (f.name == "menuitem.bmp")
            f.bytes = skin_test::MakeBmp(5 * 12, 12, [nine_cells](int x, int) {
                // With the nine cells the separator's frame keeps its 3-pixel margins magenta.
                if (nine_cells && x / 12 == 1 && (x % 12 < 3 || x % 12 >= 9)) return CellPixel('#');
                return CellPixel(static_cast<char>('a' + x / 12));
            });
        if (f.name == "menubackground.bmp")
            f.bytes = nine_cells ? skin_test::MakeBmp(6, 6, [](int x, int y) { return CellPixel(static_cast<char>('a' + y / 2 * 3 + x / 2)); })
                                 : skin_test::MakeBmp(12, 12, [](int, int) { return CellPixel('f'); });
        if (f.name == "skin.ini") {
            std::string ini(f.bytes.begin(), f.bytes.end());
            for (const std::string& section : drop) {
                const std::string head = "[" + section + "]";
                const auto at = ini.find(head);
                if (at != std::string::npos) ini.replace(at, head.size(), "[Dropped" + section + "]");
            }
            f.bytes.assign(ini.begin(), ini.end());
        }
    }
    test_support::TestFolder folder("letter-menus");
    skin_test::WriteSkinFolder(folder.path(), files);
    const skin::PackResult packed = skin::PackSkinFolder(folder.path());
    EXPECT_TRUE(packed.ok()) << packed.error;
    return packed.stored;
}

TSkinData* DataOf(ui::Component* owner, const Bytes& stored) {
    auto* data = new TSkinData(owner);
    data->SetActive(true);
    data->SetStoredArchive(stored);
    static_cast<ui::Component*>(data)->loaded();
    return data;
}

// A bitmap of `w` x `h` in the untouched colour with the item drawn at (5, 3) through the
// form's WM_DRAWITEM, as the menu's owner gets it.
struct DrawnItem {
    ui::Bitmap bitmap;
    RECT item{};
};
void DrawThroughOwner(DrawnItem& d, HWND owner, UINT id, int item_w, int item_h, bool selected, HMENU menu = nullptr) {
    d.bitmap.set_size(item_w + 10, item_h + 6);
    d.bitmap.canvas().brush().color = static_cast<ui::TColor>(Rgb(kUntouched));
    d.bitmap.canvas().fill_rect({0, 0, item_w + 10, item_h + 6});
    d.item = {5, 3, 5 + item_w, 3 + item_h};
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.itemID = id;
    di.itemState = selected ? ODS_SELECTED : 0;
    di.hDC = d.bitmap.dc();
    di.rcItem = d.item;
    di.hwndItem = reinterpret_cast<HWND>(menu);
    SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
}

bool OutsideUntouched(const DrawnItem& d) {
    for (int y = 0; y < d.bitmap.height(); ++y)
        for (int x = 0; x < d.bitmap.width(); ++x) {
            const bool inside = x >= d.item.left && x < d.item.right && y >= d.item.top && y < d.item.bottom;
            if (!inside && Rgb(d.bitmap.pixel(x, y)) != kUntouched) return false;
        }
    return true;
}

// Rows of the item's left part as letters: the frames a..e, 'k' the button text (the check
// mark), '.' anything else (glyph, edges, text).
std::vector<std::string> LeftMap(const DrawnItem& d, int width) {
    const std::uint32_t check = Rgb(GetSysColor(COLOR_BTNTEXT));
    std::vector<std::string> rows;
    for (int y = d.item.top; y < d.item.bottom; ++y) {
        std::string row;
        for (int x = d.item.left; x < d.item.left + width; ++x) {
            const std::uint32_t p = Rgb(d.bitmap.pixel(x, y));
            char c = '.';
            for (char l = 'a'; l <= 'f'; ++l)
                if (p == CellPixel(l)) c = l;
            if (c == '.' && p == check) c = 'k';
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

int CountColour(const DrawnItem& d, const RECT& r, std::uint32_t rgb) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += Rgb(d.bitmap.pixel(x, y)) == rgb;
    return n;
}

class SkinnedMenus : public SkinnedTest {};

TEST_F(SkinnedMenus, OwnerDrawnItemsOnTheMenuItemPicture) {
    TSkinData* data = DataOf(owner_.get(), LetterMenuSkin());
    ui::Form form(nullptr);
    form.handle_needed();
    auto* menu = new ui::PopupMenu(&form);
    menu->set_images(&data->MenuGlyphs());
    auto add = [&](const char* caption) {
        auto* i = new ui::MenuItem(menu);
        i->set_caption(caption);
        menu->items()->add(i);
        return i;
    };
    ui::MenuItem* plain = add("&Open");
    ui::MenuItem* disabled = add("Gone");
    disabled->set_enabled(false);
    ui::MenuItem* checked_image = add("Close");
    checked_image->set_checked(true);
    checked_image->set_image_index(3);
    ui::MenuItem* checked = add("Tick");
    checked->set_checked(true);
    ui::MenuItem* separator = add("-");
    ui::MenuItem* shortcut = add("Save");
    shortcut->set_shortcut(ui::text_to_shortcut("Ctrl+S").value_or(0));
    skin::SetMenusOwnerDraw(data, &form, true);
    ASSERT_TRUE(menu->owner_draw());
    const skin::SkinDescription& s = *data->Skin();
    const std::uint32_t text = Rgb(ui::color_to_rgb(s.colours[skin::kMenuText]));
    const std::uint32_t hilight_text = Rgb(ui::color_to_rgb(s.colours[skin::kHilightText]));
    const std::uint32_t shadow = Rgb(ui::color_to_rgb(s.colours[skin::kButtonShadow]));

    auto solid = [](char c, int rows) { return std::vector<std::string>(static_cast<std::size_t>(rows), std::string(21, c)); };
    // The glyph box of a checked item with an image: button-face pattern inside a sunken edge
    // ('.'), the Close glyph ('k'); columns 0..3 are the element's left width plus one.
    const std::vector<std::string> checked_image_map = {
        "aaaaaaaaaaaaaaaaaaaaa", "aaaa................a", "aaaa................a", "aaaa................a",
        "aaaa................a", "aaaa...kk.....kk....a", "aaaa....kk...kk.....a", "aaaa.....kk.kk......a",
        "aaaa......kkk.......a", "aaaa.....kk.kk......a", "aaaa....kk...kk.....a", "aaaa...kk.....kk....a",
        "aaaa................a", "aaaa................a", "aaaa................a", "aaaa................a",
        "aaaa................a", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa",
    };
    // The system check mark in the button text colour, centred in the box.
    const std::vector<std::string> check_mark_map = {
        "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa",
        "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaakaaaaa", "aaaaaaaaaaaaaakkaaaaa", "aaaaaaaaaaaaakkkaaaaa",
        "aaaaaaaakaaakkkkaaaaa", "aaaaaaaakkakkkkaaaaaa", "aaaaaaaakkkkkkaaaaaaa", "aaaaaaaakkkkkaaaaaaaa",
        "aaaaaaaaakkkaaaaaaaaa", "aaaaaaaaaakaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa",
        "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaa",
    };
    struct Case {
        const char* what;
        ui::MenuItem* item;
        bool selected;
        std::vector<std::string> left;  // the first 21 columns: frame 1 'a', separator 'b', selected 'd'
        std::uint32_t caption;          // the caption's colour, 0 for none
        std::uint32_t not_caption;      // a colour the caption must not have
    } cases[] = {
        {"normal", plain, false, solid('a', 20), text, hilight_text},
        {"selected", plain, true, solid('d', 20), hilight_text, text},
        {"disabled", disabled, false, solid('a', 20), shadow, text},
        {"checked, image", checked_image, false, checked_image_map, text, 0},
        {"checked, no image", checked, false, check_mark_map, text, 0},
        {"separator", separator, false, solid('b', 8), 0, 0},
        {"shortcut", shortcut, false, solid('a', 20), text, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawnItem d;
        DrawThroughOwner(d, form.handle(), c.item->command(), 120, c.item == separator ? 8 : 20, c.selected);
        EXPECT_TRUE(OutsideUntouched(d));
        EXPECT_EQ(LeftMap(d, 21), c.left);
        const RECT caption{d.item.left + 23, d.item.top, d.item.right, d.item.bottom};
        if (c.caption) {
            EXPECT_GT(CountColour(d, caption, c.caption), 0);
        }
        if (c.not_caption) {
            EXPECT_EQ(CountColour(d, caption, c.not_caption), 0);
        }
        // The shortcut sits right-aligned and ends 10 pixels before the caption's end.
        const int right_part = CountColour(d, {d.item.right - 40, d.item.top, d.item.right - 11, d.item.bottom}, text);
        EXPECT_EQ(right_part > 0, c.item == shortcut);
        EXPECT_EQ(CountColour(d, {d.item.right - 10, d.item.top, d.item.right, d.item.bottom}, text), 0);
    }

    // Measured: the plain measure grows by the element's left width and 12 (an image list).
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = plain->command();
    SendMessageW(form.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
    plain->on_measure_item = nullptr;
    MEASUREITEMSTRUCT own{};
    own.CtlType = ODT_MENU;
    own.itemID = plain->command();
    SendMessageW(form.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&own));
    EXPECT_EQ(mi.itemWidth, own.itemWidth + static_cast<UINT>(s.menu_item->left_width) + 12);
}

// Menus a program may hand the skin: nothing crashes and nothing lands outside the item, also
// with skins that lack the menu pictures.
TEST_F(SkinnedMenus, BadMenusAndSkinsDrawOnlyInsideTheItem) {
    const std::vector<std::vector<std::string>> skins = {{}, {"MenuItem"}, {"MenuItem", "MenuBackground"}};
    for (const auto& drop : skins) {
        SCOPED_TRACE(drop.size());
        TSkinData* data = DataOf(owner_.get(), LetterMenuSkin(drop));
        ASSERT_EQ(data->Skin()->menu_item.has_value(), drop.empty());
        ui::Form form(nullptr);
        form.handle_needed();
        auto* menu = new ui::PopupMenu(&form);
        menu->set_images(&data->MenuGlyphs());
        const std::vector<std::string> captions = {"", "&", "-", std::string(1000, 'W'), "\t", "&&&"};
        for (int i = 0; i < 200; ++i) {
            auto* item = new ui::MenuItem(menu);
            item->set_caption(captions[static_cast<std::size_t>(i) % captions.size()]);
            item->set_image_index(i % 3 == 0 ? 4 + i : i % 4);  // many indexes the list lacks
            item->set_checked(i % 2 == 0);
            item->set_enabled(i % 5 != 0);
            menu->items()->add(item);
        }
        skin::SetMenusOwnerDraw(data, &form, true);
        for (int i = 0; i < 200; i += 7) {
            ui::MenuItem* item = menu->items()->item(i);
            MEASUREITEMSTRUCT mi{};
            mi.CtlType = ODT_MENU;
            mi.itemID = item->command();
            SendMessageW(form.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
            EXPECT_LT(mi.itemWidth, 100000u);
            for (int h : {1, 6, 20}) {
                DrawnItem d;
                DrawThroughOwner(d, form.handle(), item->command(), 30, h, i % 2 == 1);
                ASSERT_TRUE(OutsideUntouched(d)) << i << " " << h;
            }
        }
        // An empty menu and a rectangle of nothing.
        DrawnItem d;
        DrawThroughOwner(d, form.handle(), menu->items()->item(1)->command(), 0, 0, false);
        EXPECT_TRUE(OutsideUntouched(d));
    }
}

// Items drawn from a menu handle keep at most 80 UTF-16 units of their text, never half a
// character, and draw inside their rectangle.
TEST_F(SkinnedMenus, ItemsFromAMenuHandle) {
    TSkinData* data = DataOf(owner_.get(), LetterMenuSkin());
    HMENU menu = CreatePopupMenu();
    std::wstring long_text(79, L'a');
    long_text += L"\xD83D\xDE00";
    long_text += std::wstring(900, L'b');
    AppendMenuW(menu, MF_STRING, 0x5001, long_text.c_str());
    AppendMenuW(menu, MF_STRING | MF_GRAYED | MF_CHECKED, 0x5002, L"Moved");
    AppendMenuW(menu, MF_SEPARATOR, 0x5003, nullptr);
    EXPECT_EQ(skin::ReadMenuText(menu, 0x5001, false), std::wstring(79, L'a'));
    EXPECT_EQ(skin::ReadMenuText(menu, 1, true), L"Moved");
    EXPECT_EQ(skin::ReadMenuText(menu, 0x5003, false), L"");
    EXPECT_EQ(skin::ReadMenuText(nullptr, 0, true), L"");
    for (UINT id : {0x5001u, 0x5002u, 0x5003u, 0x5999u}) {
        DrawnItem d;
        d.bitmap.set_size(60, 26);
        d.bitmap.canvas().brush().color = static_cast<ui::TColor>(Rgb(kUntouched));
        d.bitmap.canvas().fill_rect({0, 0, 60, 26});
        d.item = {5, 3, 55, 23};
        skin::DrawMenuItemFromHandle(data, menu, id, d.bitmap.dc(), d.item, id == 0x5001);
        EXPECT_TRUE(OutsideUntouched(d)) << id;
        EXPECT_EQ(Rgb(d.bitmap.pixel(5, 3)), CellPixel(id == 0x5001 ? 'd' : 'a')) << id;
    }
    DestroyMenu(menu);
}

// While a menu is open, answers for its popup window; run from the owner's WM_ENTERIDLE, which
// the menu loop sends once it shows the menu, and the menu is ended there.
struct OpenMenuProbe {
    explicit OpenMenuProbe(HWND owner, std::function<void(HWND popup)> at_open)
        : layer(owner, [this, at_open](ui::Message& m, const ui::WindowSubclass::Next& next) {
              if (m.msg == WM_ENTERIDLE && m.wparam == MSGF_MENU && !seen) {
                  seen = true;
                  popup = reinterpret_cast<HWND>(m.lparam);
                  if (!popup) popup = FindWindowW(L"#32768", nullptr);
                  skins_open = TWinSkinPopMenu::Skins().size();
                  answer = popup ? SendMessageW(popup, skin::kMsgIsSkinned, 0, 0) : -1;
                  if (at_open) at_open(popup);
                  EndMenu();
              }
              next(m);
          }, "probe") {}
    ui::WindowSubclass layer;
    bool seen = false;
    HWND popup = nullptr;
    std::size_t skins_open = 0;
    LRESULT answer = 0;
};

ui::PopupMenu* ContextMenu(ui::Component* owner) {
    auto* menu = new ui::PopupMenu(owner);
    for (const char* caption : {"&Play", "E&xport", "-", "Delete"}) {
        auto* item = new ui::MenuItem(menu);
        item->set_caption(caption);
        menu->items()->add(item);
    }
    menu->items()->item(1)->set_checked(true);
    menu->items()->item(3)->set_shortcut(ui::text_to_shortcut("Del").value_or(0));
    return menu;
}

// Our own skins' items: flat on the face, the selected one in the highlight colour, and the
// separator a thin etched line on the menu's colour, indented by the element's margins.
TEST_F(SkinnedMenus, OwnSkinsItemsAndSeparator) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        TearDown();
        SetUp();
        TSkinData* data = LoadedData(owner_.get(), path);
        ui::Form form(nullptr);
        form.handle_needed();
        ui::PopupMenu* menu = ContextMenu(&form);
        skin::SetMenusOwnerDraw(data, &form, true);
        const skin::SkinDescription& s = *data->Skin();
        ASSERT_TRUE(s.menu_item.has_value());
        auto colour = [&](int index) { return Rgb(ui::color_to_rgb(s.colours[static_cast<std::size_t>(index)])); };
        auto rows = [&](const DrawnItem& d) {
            std::vector<std::string> out;
            for (int y = d.item.top; y < d.item.bottom; ++y) {
                std::string row;
                for (int x = d.item.left; x < d.item.right; ++x) {
                    const std::uint32_t p = Rgb(d.bitmap.pixel(x, y));
                    row += p == colour(skin::kMenu)           ? 'm'
                           : p == colour(skin::kButtonShadow) ? 's'
                           : p == colour(skin::kButtonHilight) ? 'l'
                                                               : '.';
                }
                out.push_back(row);
            }
            return out;
        };
        DrawnItem separator;
        DrawThroughOwner(separator, form.handle(), menu->items()->item(2)->command(), 24, 8, false);
        EXPECT_TRUE(OutsideUntouched(separator));
        const std::vector<std::string> line = {
            "mmmmmmmmmmmmmmmmmmmmmmmm", "mmmmmmmmmmmmmmmmmmmmmmmm", "mmmmmmmmmmmmmmmmmmmmmmmm",
            "mmmssssssssssssssssssmmm", "mmmllllllllllllllllllmmm", "mmmmmmmmmmmmmmmmmmmmmmmm",
            "mmmmmmmmmmmmmmmmmmmmmmmm", "mmmmmmmmmmmmmmmmmmmmmmmm",
        };
        EXPECT_EQ(rows(separator), line);
        window_test::save_picture(separator.bitmap, "skinned_menus",
                                  std::string("separator_") + (path == kDefaultSkin ? "default" : "contrast"));

        DrawnItem normal, selected;
        DrawThroughOwner(normal, form.handle(), menu->items()->item(0)->command(), 60, 18, false);
        DrawThroughOwner(selected, form.handle(), menu->items()->item(0)->command(), 60, 18, true);
        EXPECT_EQ(Rgb(normal.bitmap.pixel(5, 3)), colour(skin::kButtonFace));
        EXPECT_EQ(Rgb(normal.bitmap.pixel(5 + 59, 3 + 17)), colour(skin::kButtonFace));
        EXPECT_EQ(Rgb(selected.bitmap.pixel(5 + 2, 3 + 2)), colour(skin::kHilight));
        EXPECT_NE(Rgb(selected.bitmap.pixel(5, 3)), colour(skin::kHilight));  // its darker edge
        EXPECT_GT(CountColour(selected, selected.item, colour(skin::kHilightText)), 0);
    }
}

UINT MeasuredWidth(HWND owner, UINT id) {
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = id;
    mi.itemHeight = 16;
    SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
    return mi.itemWidth;
}

// The items of a menu and its submenus that are owner-drawn now.
int OwnerDrawnItems(HMENU menu) {
    int n = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        n += (info.fType & MFT_OWNERDRAW) != 0;
        if (info.hSubMenu) n += OwnerDrawnItems(info.hSubMenu);
    }
    return n;
}

std::vector<std::string> LetterRows(const ui::Bitmap& b, const RECT& r) {
    std::vector<std::string> rows;
    for (int y = r.top; y < r.bottom; ++y) {
        std::string row;
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t p = Rgb(b.pixel(x, y));
            char c = '.';
            for (char l = 'a'; l <= 'i'; ++l)
                if (p == CellPixel(l)) c = l;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

// The popup skin's background: the MenuBackground picture nine-sliced over the whole window,
// made on WM_NCPAINT for the whole frame, which makes that popup the current one; without the
// picture the system paints the frame and the skin keeps no picture.
TEST_F(SkinnedMenus, PopupBackgroundOnNonClientPaint) {
    {
        TSkinData* data = DataOf(owner_.get(), LetterMenuSkin({}, true));
        const auto picture = TWinSkinPopMenu::BackgroundPicture(data, 10, 8);
        ASSERT_TRUE(picture);
        const std::vector<std::string> sliced = {
            "aabbbbbbcc", "aabbbbbbcc", "ddeeeeeeff", "ddeeeeeeff",
            "ddeeeeeeff", "ddeeeeeeff", "gghhhhhhii", "gghhhhhhii",
        };
        EXPECT_EQ(LetterRows(*picture, {0, 0, 10, 8}), sliced);
    }
    struct Case {
        const char* what;
        std::vector<std::string> drop;
        bool picture;
    } cases[] = {{"with a MenuBackground", {}, true}, {"without one", {"MenuBackground"}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        DataOf(owner_.get(), LetterMenuSkin(c.drop, true));
        MainWindow w;
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        ui::PopupMenu* menu = ContextMenu(w.form.get());
        bool skinned = false, current = false;
        RECT window{};
        ui::Bitmap background;
        OpenMenuProbe probe(w.handle(), [&](HWND popup) {
            TWinSkinPopMenu* skin = TWinSkinPopMenu::ForWindow(popup);
            skinned = skin != nullptr;
            if (!skin) return;
            SendMessageW(popup, WM_NCPAINT, 1, 0);
            current = TWinSkinPopMenu::Current() == skin;
            GetWindowRect(popup, &window);
            background.set_size(skin->Background().width(), skin->Background().height());
            if (!background.empty())
                BitBlt(background.dc(), 0, 0, background.width(), background.height(), skin->Background().dc(), 0, 0, SRCCOPY);
            UpdateWindow(popup);
            window_test::save_screenshot(popup, "skinned_menus", std::string("popup_background_") + (c.picture ? "nine" : "none"));
        });
        menu->popup(120, 120);
        ASSERT_TRUE(probe.seen);
        ASSERT_TRUE(skinned);
        EXPECT_EQ(current, c.picture);
        if (!c.picture) {
            EXPECT_TRUE(background.empty());
            continue;
        }
        const int w_px = window.right - window.left, h_px = window.bottom - window.top;
        ASSERT_EQ(background.width(), w_px);
        ASSERT_EQ(background.height(), h_px);
        // Corners kept, edges stretched along the window.
        EXPECT_EQ(LetterRows(background, {0, 0, 3, 3}), (std::vector<std::string>{"aab", "aab", "dde"}));
        EXPECT_EQ(LetterRows(background, {w_px - 3, h_px - 3, w_px, h_px}),
                  (std::vector<std::string>{"eff", "hii", "hii"}));
        EXPECT_EQ(LetterRows(background, {w_px / 2, 0, w_px / 2 + 1, 2}), (std::vector<std::string>{"b", "b"}));
        EXPECT_EQ(LetterRows(background, {0, h_px / 2, 2, h_px / 2 + 1}), (std::vector<std::string>{"dd"}));
    }
}

// A drop of the skinned menu bar: its items are measured and drawn in the skin through the
// window's WM_MEASUREITEM and WM_DRAWITEM, an item no library menu has from its menu's text,
// and after the drop the items are the system's to draw again.
TEST_F(SkinnedMenus, BarDropItemsDrawnInTheSkin) {
    DataOf(owner_.get(), LetterMenuSkin({}, true));
    MainWindow w;
    ui::MenuItem* file = w.menu->items()->item(0);
    auto add = [&](ui::MenuItem* parent, const char* caption) {
        auto* i = new ui::MenuItem(w.menu);
        i->set_caption(caption);
        parent->add(i);
        return i;
    };
    add(file, "&Open");
    ui::MenuItem* recent = add(file, "&Recent");
    add(recent, "One");
    add(file, "-");
    ui::MenuItem* exit = add(file, "E&xit");
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    ASSERT_NE(SkinOf(w.handle())->menu_bar(), nullptr);
    const HMENU sub = file->submenu_handle();
    ASSERT_NE(sub, nullptr);
    constexpr UINT kRaw = 0x5001;  // outside the library's command ids
    AppendMenuW(sub, MF_STRING, kRaw, L"Raw item");
    ASSERT_EQ(OwnerDrawnItems(sub), 0);

    ui::Bitmap printed;
    std::vector<RECT> items;  // window coordinates of the popup
    int owner_drawn = 0;
    UINT raw_width = 0;
    DrawnItem exit_drawn, raw_drawn;
    OpenMenuProbe probe(w.handle(), [&](HWND popup) {
        RECT r{};
        GetWindowRect(popup, &r);
        printed.set_size(r.right - r.left, r.bottom - r.top);
        SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(printed.dc()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            RECT item{};
            GetMenuItemRect(w.handle(), sub, static_cast<UINT>(i), &item);
            OffsetRect(&item, -r.left, -r.top);
            items.push_back(item);
        }
        owner_drawn = OwnerDrawnItems(sub);
        raw_width = MeasuredWidth(w.handle(), kRaw);
        DrawThroughOwner(exit_drawn, w.handle(), exit->command(), 120, 20, false, sub);
        DrawThroughOwner(raw_drawn, w.handle(), kRaw, 120, 20, true, sub);
    });
    SendMessageW(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(probe.seen);
    EXPECT_EQ(probe.answer, 1);
    EXPECT_EQ(owner_drawn, 6);  // the five items and the submenu's one
    ASSERT_EQ(items.size(), 5u);
    ASSERT_FALSE(printed.empty());
    window_test::save_picture(printed, "skinned_menus", "bar_drop_printed");
    auto letter = [&](int x, int y) {
        const std::uint32_t p = Rgb(printed.pixel(x, y));
        for (char l = 'a'; l <= 'f'; ++l)
            if (p == CellPixel(l)) return l;
        return '.';
    };
    EXPECT_EQ(letter(0, 0), 'a');  // the popup's background picture's corner
    // The items one below the other inside the popup's 3-pixel border.
    int top = 3;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int height = items[i].bottom - items[i].top;
        ASSERT_GT(items[i].right - items[i].left, 26) << i;
        ASSERT_GT(height, 0) << i;
        const char c = letter(4, top + height / 2);
        if (i == 2) {
            // The separator: the MenuItem picture's second frame across the item, and at its
            // ends the popup's background under the item (the picture's middle, not its edge).
            EXPECT_EQ(c, 'e');
            EXPECT_EQ(letter(printed.width() / 2, top + height / 2), 'b');
            EXPECT_EQ(letter(printed.width() - 4, top + height / 2), 'e');
        } else {
            // Frame 1, or frame 4 for the item the bar selected first.
            EXPECT_TRUE(c == 'a' || (i == 0 && c == 'd')) << i << " " << c;
        }
        top += height;
    }
    // Through the window while the menu is dropped: a library item, and one from its text.
    EXPECT_TRUE(OutsideUntouched(exit_drawn));
    EXPECT_EQ(Rgb(exit_drawn.bitmap.pixel(5, 3)), CellPixel('a'));
    EXPECT_TRUE(OutsideUntouched(raw_drawn));
    EXPECT_EQ(Rgb(raw_drawn.bitmap.pixel(5, 3)), CellPixel('d'));
    EXPECT_GT(raw_width, 26u);

    // The drop is over: the items are the system's again, their texts kept, and the window
    // leaves an item it does not know to the system.
    EXPECT_EQ(OwnerDrawnItems(sub), 0);
    EXPECT_EQ(skin::ReadMenuText(sub, kRaw, false), L"Raw item");
    EXPECT_EQ(MeasuredWidth(w.handle(), kRaw), 0u);
    DrawnItem after;
    DrawThroughOwner(after, w.handle(), kRaw, 120, 20, false, sub);
    EXPECT_EQ(Rgb(after.bitmap.pixel(5, 3)), kUntouched);
    EXPECT_EQ(skin::TWinSkinMenu::active_hook(), nullptr);
}

// Context menus and window menus get popup skins while open, by the component's settings, and
// lose them with their windows; the background picture is printed under the items.
TEST_F(SkinnedMenus, PopupWindowsSkinnedWhileOpen) {
    struct Case {
        const char* what;
        bool window_menu;
        bool allowed;  // xcPopupMenu for the context menu, xcSystemMenu for the window menu
        skin::TSkinControlTypes controls;
    } cases[] = {
        {"context menu", false, true, skin::TSkinControlTypes{skin::TSkinControlType::xcMainMenu, skin::TSkinControlType::xcPopupMenu}},
        {"context menu, not asked", false, false, skin::TSkinControlTypes{skin::TSkinControlType::xcMainMenu}},
        {"window menu", true, true, skin::TSkinControlTypes{skin::TSkinControlType::xcMainMenu, skin::TSkinControlType::xcPopupMenu, skin::TSkinControlType::xcSystemMenu}},
        {"window menu, not asked", true, false, skin::TSkinControlTypes{skin::TSkinControlType::xcMainMenu, skin::TSkinControlType::xcPopupMenu}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        auto* data = new TSkinData(owner_.get());
        data->SetSkinControls(c.controls);
        data->SetActive(true);
        data->SetStoredArchive(LetterMenuSkin());
        static_cast<ui::Component*>(data)->loaded();
        MainWindow w;
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        ui::PopupMenu* menu = ContextMenu(w.form.get());
        ui::Bitmap printed;
        OpenMenuProbe probe(w.handle(), [&](HWND popup) {
            RECT r{};
            GetWindowRect(popup, &r);
            printed.set_size(r.right - r.left, r.bottom - r.top);
            SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(printed.dc()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        });
        if (c.window_menu) {
            RECT r = WindowRectOf(w.handle());
            SendMessageW(w.handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 60, r.top + 8));
        } else {
            menu->popup(120, 120);
        }
        ASSERT_TRUE(probe.seen);
        EXPECT_EQ(probe.skins_open, c.allowed ? 1u : 0u);
        EXPECT_EQ(probe.answer, c.allowed ? 1 : 0);
        if (c.allowed && !printed.empty()) {
            // The MenuBackground picture at the edges, the items' frames inside.
            EXPECT_EQ(Rgb(printed.pixel(0, 0)), CellPixel('f'));
            EXPECT_EQ(Rgb(printed.pixel(printed.width() - 1, printed.height() - 1)), CellPixel('f'));
        }
        window_test::pump_until([] { return TWinSkinPopMenu::Skins().empty(); }, 3000);
        EXPECT_TRUE(TWinSkinPopMenu::Skins().empty());
        if (c.window_menu) {
            ASSERT_NE(SkinOf(w.handle())->window_menu(), nullptr);
            EXPECT_TRUE(SkinOf(w.handle())->window_menu()->owner_draw());
        }
    }
}

// The window menu's items are drawn as the program's: the Close item with glyph 3.
TEST_F(SkinnedMenus, WindowMenuItemsDrawnWithTheGlyphs) {
    LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w;
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    OpenMenuProbe probe(w.handle(), nullptr);
    RECT r = WindowRectOf(w.handle());
    SendMessageW(w.handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 60, r.top + 8));
    ui::PopupMenu* menu = SkinOf(w.handle())->window_menu();
    ASSERT_NE(menu, nullptr);
    ui::MenuItem* close = nullptr;
    for (ui::MenuItem* i : menu->items()->items())
        if (i->tag() == SC_CLOSE) close = i;
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->image_index(), 3);
    DrawnItem d;
    DrawThroughOwner(d, w.handle(), close->command(), 120, 20, false);
    EXPECT_TRUE(OutsideUntouched(d));
    // The glyph (black on white mask) shows in the glyph box.
    const int left = 1 + SkinOf(w.handle())->data()->Skin()->menu_item->left_width;
    EXPECT_GT(CountColour(d, {d.item.left + left, d.item.top + 1, d.item.left + left + 16, d.item.top + 17}, 0x000000), 5);
    window_test::save_picture(d.bitmap, "skinned_menus", "window_menu_close_item");
}

// Unskinning gives every menu back to the system and clears the handlers, the program's own
// handlers of main menu items below the top row too.
TEST_F(SkinnedMenus, UnskinningReturnsMenusToTheSystem) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w;
    auto* sub = new ui::MenuItem(w.menu);
    sub->set_caption("Open");
    w.menu->items()->item(0)->add(sub);
    sub->on_draw_item = [](ui::MenuItem*, HDC, const RECT&, bool) {};  // the program's own
    ui::PopupMenu* context = ContextMenu(w.form.get());
    ui::PopupMenu* kept = ContextMenu(w.form.get());
    kept->set_tag(data->DisableTag());
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    skin::TSkinControlTypes controls = data->SkinControls();
    controls.include(skin::TSkinControlType::xcMenuItem);
    data->SetSkinControls(controls);
    skin::SetMainMenusOwnerDraw(data, w.form.get(), true);
    EXPECT_TRUE(context->owner_draw());
    EXPECT_TRUE(static_cast<bool>(context->items()->item(0)->on_draw_item));
    EXPECT_FALSE(kept->owner_draw());
    EXPECT_TRUE(w.menu->owner_draw());
    EXPECT_FALSE(static_cast<bool>(sub->on_measure_item));  // kept its own draw handler

    TSkinManage::Instance()->SetCommandTarget(data);
    TSkinManage::Instance()->IssueCommand(skin::SkinCommand::kUnskinAll, 0);
    TSkinManage::Instance()->FireCommand();
    EXPECT_FALSE(context->owner_draw());
    EXPECT_FALSE(static_cast<bool>(context->items()->item(0)->on_draw_item));
    EXPECT_FALSE(static_cast<bool>(context->items()->item(0)->on_measure_item));
    EXPECT_FALSE(w.menu->owner_draw());
    EXPECT_FALSE(static_cast<bool>(sub->on_draw_item));
    EXPECT_TRUE(TWinSkinPopMenu::Skins().empty());
}

// Pictures of open menus in both of our skins: the background picture and the items printed
// into memory, and the screen.
TEST_F(SkinnedMenus, PicturesOfOpenMenus) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        const std::string name = std::string(path).find("contrast") != std::string::npos ? "contrast" : "default";
        TearDown();
        SetUp();
        TSkinData* data = LoadedData(owner_.get(), path);
        skin::TSkinControlTypes controls = data->SkinControls();
        controls.include(skin::TSkinControlType::xcSystemMenu);
        controls.include(skin::TSkinControlType::xcPopupMenu);
        data->SetSkinControls(controls);
        MainWindow w;
        ui::PopupMenu* menu = ContextMenu(w.form.get());  // there when the window is skinned
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        EXPECT_TRUE(menu->owner_draw());
        for (bool window_menu : {false, true}) {
            const std::string what = name + (window_menu ? "_window_menu" : "_context_menu");
            OpenMenuProbe probe(w.handle(), [&](HWND popup) {
                RECT r{};
                GetWindowRect(popup, &r);
                ui::Bitmap printed(r.right - r.left, r.bottom - r.top);
                SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(printed.dc()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
                window_test::save_picture(printed, "skinned_menus", what + "_printed");
                UpdateWindow(popup);
                window_test::save_screenshot(popup, "skinned_menus", what + "_screen");
            });
            if (window_menu) {
                RECT r = WindowRectOf(w.handle());
                SendMessageW(w.handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 60, r.top + 8));
            } else {
                menu->popup(140, 140);
            }
            EXPECT_TRUE(probe.seen) << what;
            EXPECT_EQ(probe.answer, 1) << what;
            window_test::pump_until([] { return TWinSkinPopMenu::Skins().empty(); }, 3000);
        }
    }
}

} // namespace
