// The check list under Wine: toggling by glyph, text and key with the veto, enabled flags,
// packets that follow their lines (exchange, re-creation, streams, descriptions), glyphs pixel
// by pixel, and pictures of each state.
#include <gtest/gtest.h>

#include "controls/ec_chk_lst.h"
#include "controls/ec_cmbo_bx.h"
#include "controls/ec_list_vw.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;
using ui::TCheckBoxState;

namespace {

class EcCheckList : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        ui::theme_services().set_switched_off(true);
        set_display_traits({0, true});
        form.set_bounds(100, 100, 260, 220);
        list = new TEcCheckList(&form);
        list->set_parent(&form);
        list->set_bounds(8, 8, 200, 150);
        list->on_change = [this](ui::Component*, int index, TCheckBoxState state) { changes.push_back({index, state}); };
        form.handle_needed();
    }
    void TearDown() override { ui::theme_services().set_switched_off(false); }

    // A click at a point of an item: in its glyph, or on its text.
    void click_item(int index, bool on_glyph) {
        const ui::Rect r = list->item_rect(index);
        window_test::click_at(list->handle(), on_glyph ? r.left + 8 : r.left + 60, (r.top + r.bottom) / 2);
    }
    std::vector<std::pair<int, TCheckBoxState>> changes;
    ui::Form form{nullptr};
    TEcCheckList* list = nullptr;
};

TEST_F(EcCheckList, ADisabledItemNeverToggles) {
    list->add("first");
    const int at = list->add_checked("locked", true, false);
    EXPECT_EQ(at, 1);
    EXPECT_TRUE(list->item_checked(1));
    EXPECT_FALSE(list->item_enabled(1));
    click_item(1, true);
    EXPECT_EQ(list->item_index(), 1);
    window_test::press_key(list->handle(), VK_SPACE);
    EXPECT_TRUE(list->item_checked(1));
    EXPECT_TRUE(changes.empty());
}

TEST_F(EcCheckList, TheGlyphTogglesTheTextSelectsAndTheVetoHolds) {
    list->add_checked("checked", true, true);
    list->add("plain");
    click_item(0, true);
    EXPECT_FALSE(list->item_checked(0));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(0, TCheckBoxState::cbUnchecked));

    click_item(1, false);  // the text only selects
    EXPECT_EQ(list->item_index(), 1);
    EXPECT_EQ(list->item_state(1), TCheckBoxState::cbUnchecked);

    list->set_toggle_on_item_click(true);
    click_item(1, false);
    EXPECT_EQ(list->item_state(1), TCheckBoxState::cbChecked);

    int asked = 0;
    list->on_changing = [&](ui::Component*, int, TCheckBoxState, bool& allow) {
        ++asked;
        allow = false;
    };
    click_item(0, true);
    window_test::press_key(list->handle(), VK_SPACE);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(list->item_checked(0));
    EXPECT_EQ(changes.size(), 2u);

    list->on_changing = nullptr;
    list->set_allow_grayed(true);
    window_test::press_key(list->handle(), VK_SPACE);
    EXPECT_EQ(list->item_state(0), TCheckBoxState::cbGrayed);
    window_test::press_key(list->handle(), VK_SPACE);
    EXPECT_EQ(list->item_state(0), TCheckBoxState::cbChecked);
}

TEST_F(EcCheckList, EnablingTheListEnablesEveryItem) {
    list->add_checked("a", false, false);
    list->add_checked("b", false, true);
    list->set_enabled(false);
    EXPECT_FALSE(list->item_enabled(1));
    list->set_enabled(true);
    EXPECT_TRUE(list->item_enabled(0));
    EXPECT_TRUE(list->item_enabled(1));
}

TEST_F(EcCheckList, PacketsFollowTheirLines) {
    list->add_checked("a", true, false);
    list->add_checked("b", false, true);
    list->add_checked("c", true, true);
    list->items().exchange(0, 1);
    EXPECT_EQ(list->items().to_vector(), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_FALSE(list->item_checked(0));
    EXPECT_TRUE(list->item_enabled(0));
    EXPECT_TRUE(list->item_checked(1));
    EXPECT_FALSE(list->item_enabled(1));

    list->items().move(2, 0);
    EXPECT_EQ(list->items().to_vector(), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_TRUE(list->item_checked(0));
    list->items().put(2, "A");  // a new text keeps the item's state
    EXPECT_TRUE(list->item_checked(2));
    EXPECT_FALSE(list->item_enabled(2));
    list->items().remove(0);
    EXPECT_FALSE(list->item_checked(0));

    list->set_item_index(1);
    list->recreate_wnd();
    EXPECT_EQ(list->items().to_vector(), (std::vector<std::string>{"b", "A"}));
    EXPECT_EQ(list->item_index(), 1);
    EXPECT_TRUE(list->item_checked(1));
    EXPECT_FALSE(list->item_enabled(1));

    const std::string long_line(5000, 'x');  // read whole, past any fixed buffer
    list->add(long_line);
    EXPECT_EQ(list->items().get(2), long_line);
}

TEST_F(EcCheckList, StreamsAndIndexErrors) {
    list->add_checked("A", true, true);
    list->add_checked("B", false, false);
    const std::string stream = list->check_strings().save_to_stream();
    EXPECT_EQ(stream, "&1 1 A\r\n&0 0 B\r\n");
    list->check_strings().load_from_stream("plain\r\n&1 2 grey\r\n");
    EXPECT_EQ(list->items().to_vector(), (std::vector<std::string>{"plain", "grey"}));
    EXPECT_EQ(list->item_state(0), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(list->item_state(1), TCheckBoxState::cbGrayed);
    // A malformed line is refused before the list changes.
    EXPECT_THROW(list->check_strings().load_from_stream("&1 1 ok\r\n&1 7 bad\r\n"), EConvertError);
    EXPECT_EQ(list->count(), 2);

    for (int bad : {-1, 2}) {
        try {
            list->item_checked(bad);
            ADD_FAILURE() << bad;
        } catch (const ui::StringListError& e) {
            EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
        }
        EXPECT_THROW(list->set_item_enabled(bad, true), ui::StringListError);
        EXPECT_THROW(list->item_state(bad), ui::StringListError);
    }
}

const Rows kCheckedGlyph = {
    "FFFFFFFFFFFFF", "FWWWWWWWWWWWF", "FWWWWWWWWWWWF", "FWWWWWWWWTWWF", "FWWWWWWWTTWWF",
    "FWWTWWWTTTWWF", "FWWTTWTTTWWWF", "FWWTTTTTWWWWF", "FWWWTTTWWWWWF", "FWWWWTWWWWWWF",
    "FWWWWWWWWWWWF", "FWWWWWWWWWWWF", "FFFFFFFFFFFFF",
};

// The glyph band of an item 17 high: the glyph 4 pixels in and centred, the rest in Color.
Rows band_with(const Rows& glyph) {
    Rows rows(17, std::string(21, 'C'));
    for (std::size_t y = 0; y < glyph.size(); ++y) rows[y + 2].replace(4, glyph[y].size(), glyph[y]);
    return rows;
}

TEST_F(EcCheckList, GlyphsPixelByPixel) {
    list->set_item_height(17);
    list->add_checked("on", true, true);
    list->add_checked("off", false, true);
    list->add_checked("on, disabled", true, false);
    ectest::Legend legend = ectest::system_legend();
    legend['C'] = list->color();
    legend['T'] = ui::clHighlight;  // the mark in HighlightColor
    Rows unchecked = kCheckedGlyph;
    for (std::string& row : unchecked)
        for (char& ch : row)
            if (ch == 'T') ch = 'W';
    Rows disabled = kCheckedGlyph;
    for (std::string& row : disabled)
        for (char& ch : row) ch = ch == 'T' ? 'S' : ch == 'W' ? 'B' : ch;
    legend['B'] = ui::clBtnFace;  // the disabled fill
    const struct Case {
        const char* what;
        int index;
        Rows map;
    } cases[] = {{"checked", 0, band_with(kCheckedGlyph)}, {"unchecked", 1, band_with(unchecked)},
                 {"checked, disabled", 2, band_with(disabled)}};
    ui::Bitmap bitmap;
    for (const Case& c : cases) {
        ectest::reset(bitmap, 21, 17);
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_LISTBOX;
        d.itemID = static_cast<UINT>(c.index);
        d.hwndItem = list->handle();
        d.hDC = bitmap.dc();
        d.rcItem = {0, 0, 21, 17};
        list->perform(ui::CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        EXPECT_TRUE(ectest::matches(bitmap, c.map, legend)) << c.what;
    }
}

TEST_F(EcCheckList, PicturesNormalFocusedDisabled) {
    ui::set_ordinal_property(*list, "FrameVisible", 1);
    list->add_checked("Channel", true, true);
    list->add_checked("Start time", false, true);
    list->add_checked("\xD6\xD0\xCE\xC4 caller", true, false);  // 中文
    list->add_checked("Length", false, true);
    list->items().add("//Hidden columns");
    list->add("Notes");
    auto* other = new ui::Edit(&form);
    other->set_parent(&form);
    other->set_bounds(8, 164, 200, 21);
    form.show();
    ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(list->handle()) != FALSE; }, 5000));
    SetFocus(other->handle());
    ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == other->handle(); }, 5000));
    window_test::save_screenshot(form.handle(), "controls_screenshots", "check_list_normal");
    SetFocus(list->handle());
    list->set_item_index(1);
    ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == list->handle(); }, 5000));
    window_test::save_screenshot(form.handle(), "controls_screenshots", "check_list_focused");
    list->set_enabled(false);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "check_list_disabled");
}

TEST(EcListDescriptions, CheckListAndListBoxRoundTrip) {
    window_test::ensure_application();
    register_control_set_classes();
    ui::Form source(nullptr);
    source.set_name("Columns");
    auto* checks = new TEcCheckList(&source);
    checks->set_name("lstColumns");
    checks->set_parent(&source);
    const std::string empty = ui::write_description(source);
    EXPECT_EQ(empty.find("ItemEnabled"), std::string::npos);  // written only with items
    EXPECT_EQ(empty.find("ItemState"), std::string::npos);
    checks->add_checked("A", true, true);
    checks->add_checked("B", false, false);
    checks->add_checked("C", false, true);
    checks->set_item_state(2, TCheckBoxState::cbGrayed);
    const std::string text = ui::write_description(source);
    EXPECT_NE(text.find("Items.ItemEnabled = (\n      True\n      False\n      True)"), std::string::npos) << text;
    EXPECT_NE(text.find("Items.ItemState = (\n      1\n      0\n      2)"), std::string::npos) << text;

    ui::Form copy(nullptr);
    ui::read_description(copy, text);
    auto* read = dynamic_cast<TEcCheckList*>(copy.find_component("lstColumns"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->items().to_vector(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(read->item_checked(0));
    EXPECT_FALSE(read->item_enabled(1));
    EXPECT_EQ(read->item_state(2), TCheckBoxState::cbGrayed);
    EXPECT_EQ(ui::write_description(copy), text);

    // Values past the items are dropped; a state outside 0..2 is refused.
    const std::string extra = "object F: TForm\n  object L: TEcCheckList\n    Items.Strings = (\n      'x')\n"
                              "    Items.ItemState = (\n      1\n      2\n      2)\n  end\nend\n";
    ui::Form third(nullptr);
    ui::read_description(third, extra);
    EXPECT_TRUE(dynamic_cast<TEcCheckList*>(third.find_component("L"))->item_checked(0));
    ui::Form fourth(nullptr);
    EXPECT_ANY_THROW(ui::read_description(
        fourth, "object F: TForm\n  object L: TEcCheckList\n    Items.Strings = (\n      'x')\n"
                "    Items.ItemState = (\n      3)\n  end\nend\n"));

    // Older names: FrameFlat and FrameFocusStyle carried over, FrameFlatStyle dropped.
    ui::Form old(nullptr);
    ui::read_description(old, "object F: TForm\n  object L: TEcListBox\n    FrameFlat = True\n"
                              "    FrameFocusStyle = fsRaised\n    FrameFlatStyle = fsFlat\n  end\nend\n");
    auto* list = dynamic_cast<TEcListBox*>(old.find_component("L"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->frame_look().frame_hot_track);
    EXPECT_TRUE(list->frame_look().frame_visible);
    EXPECT_EQ(list->frame_look().frame_style, TFrameStyle::fsStatus);
    EXPECT_EQ(list->frame_look().frame_hot_style, TFrameStyle::fsRaised);
    const std::string rewritten = ui::write_description(old);
    EXPECT_EQ(rewritten.find("FrameFlat"), std::string::npos);
    EXPECT_NE(rewritten.find("FrameHotTrack = True"), std::string::npos) << rewritten;
}

TEST(EcListDescriptions, ComboBoxAndListViewRoundTrip) {
    window_test::ensure_application();
    register_control_set_classes();
    ui::Form source(nullptr);
    source.set_name("Settings");
    auto* combo = new TEcComboBox(&source);
    combo->set_name("cmbAddress");
    combo->set_parent(&source);
    combo->add("127.0.0.1");
    combo->values().add("local");
    combo->set_flat_buttons(true);
    combo->set_read_only(true);
    combo->set_drop_down_width(240);
    combo->frame_look().frame_visible = true;
    auto* view = new TEcListView(&source);
    view->set_name("lvDevices");
    view->set_parent(&source);
    view->set_alpha_sort_all(true);
    view->set_header_sort_display_mode(TEcLVHeaderSortDisplayMode::hsdmLeftAlign);
    view->set_fill_last_column(false);
    const std::string text = ui::write_description(source);
    for (const char* expected : {"FlatButtons = True", "ReadOnly = True", "DropDownWidth = 240", "FrameVisible = True",
                                 "Values.Strings = (", "AlphaSortAll = True", "HeaderSortDisplayMode = hsdmLeftAlign",
                                 "FillLastColumn = False"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    ui::Form copy(nullptr);
    ui::read_description(copy, text);
    EXPECT_EQ(ui::write_description(copy), text);
    auto* read = dynamic_cast<TEcComboBox*>(copy.find_component("cmbAddress"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->value_of(0), "local");
}

} // namespace
