// The frame controller and the integer list in stored descriptions: only values that differ
// from the defaults are written, old names are carried over or dropped, bad values are named.
#include <gtest/gtest.h>

#include "controls/model/frame_controller.h"
#include "controls/model/integer_list.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"

using namespace ec;

namespace {

// A window holding components without parents, and a holder of a nested integer list.
class Window : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    Window() : Component(nullptr) {}
    bool adopt_child(ui::Component*) override { return true; }
};

ui::ClassInfo& Window::static_class() {
    static ui::ClassInfo info("TTestWindow", &Component::static_class());
    return info;
}

class TabHolder : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    using Component::Component;
    IntegerList stops;
};

ui::ClassInfo& TabHolder::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TTabHolder", &Component::static_class());
        c.factory = ui::factory_of<TabHolder>();
        ui::PropBuilder<TabHolder>(c).object("TabStops", ui::PropKind::Object, "TEcIntegerList",
                                             [](TabHolder& h) -> ui::Persistent* { return &h.stops; });
        return c;
    }();
    return info;
}

class EcDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        ui::register_class(FrameController::static_class());
        ui::register_class(TabHolder::static_class());
    }
    Window window;
};

TEST_F(EcDescriptions, FrameControllerWritesOnlyChangedValues) {
    window.set_name("W");
    auto* fc = new FrameController(&window);
    fc->set_name("Frames");
    EXPECT_EQ(ui::write_description(window), "object W: TTestWindow\n  object Frames: TEcFrameController\n  end\nend\n");

    fc->set_frame_style(TFrameStyle::fsGroove);
    fc->set_frame_sides(TSides{TSide::sdLeft, TSide::sdBottom});
    fc->set_flat_buttons(false);
    fc->set_color(ui::clYellow);
    fc->set_focus_color(ui::clWindow);
    const std::string text = ui::write_description(window);
    EXPECT_NE(text.find("    Color = clYellow\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    FrameStyle = fsGroove\n"), std::string::npos);
    EXPECT_NE(text.find("    FrameSides = [sdLeft, sdBottom]\n"), std::string::npos);
    EXPECT_NE(text.find("    FlatButtons = False\n"), std::string::npos);
    EXPECT_EQ(text.find("FocusColor"), std::string::npos);

    Window again;
    ui::read_description(again, text);
    auto* read = dynamic_cast<FrameController*>(again.find_component("Frames"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->frame_style(), TFrameStyle::fsGroove);
    EXPECT_EQ(read->frame_sides(), (TSides{TSide::sdLeft, TSide::sdBottom}));
    EXPECT_EQ(read->color(), ui::clYellow);
    EXPECT_EQ(ui::write_description(again), text);

    fc->set_parent_color(true);  // the colour follows the parent: not stored
    const std::string following = ui::write_description(window);
    EXPECT_EQ(following.find("  Color ="), std::string::npos) << following;
    EXPECT_NE(following.find("ParentColor = True"), std::string::npos);
}

TEST_F(EcDescriptions, OldFrameNamesAreCarriedOverOrDropped) {
    struct Case {
        const char* lines;
        bool hot_track;
        TFrameStyle style, hot_style;
    } const cases[] = {
        {"FrameFlat = True", true, TFrameStyle::fsStatus, TFrameStyle::fsLowered},
        {"FrameFlat = False", false, TFrameStyle::fsFlat, TFrameStyle::fsFlatBold},
        {"FrameFocusStyle = fsBump", false, TFrameStyle::fsFlat, TFrameStyle::fsBump},
        {"FrameFocusStyle = fsFlatRounded", false, TFrameStyle::fsFlat, TFrameStyle::fsFlatBold},  // no such style
        {"FrameFlatStyle = fsPopup", false, TFrameStyle::fsFlat, TFrameStyle::fsFlatBold},
    };
    for (const Case& c : cases) {
        Window w;
        ui::read_description(w, std::string("object W: TTestWindow\n object F: TEcFrameController\n  ") + c.lines +
                                    "\n end\nend");
        auto* fc = dynamic_cast<FrameController*>(w.find_component("F"));
        ASSERT_NE(fc, nullptr);
        EXPECT_EQ(fc->frame_hot_track(), c.hot_track) << c.lines;
        EXPECT_EQ(fc->frame_style(), c.style) << c.lines;
        EXPECT_EQ(fc->frame_hot_style(), c.hot_style) << c.lines;
        const std::string text = ui::write_description(w);
        for (const char* old : {"FrameFlat ", "FrameFocusStyle", "FrameFlatStyle"})
            EXPECT_EQ(text.find(old), std::string::npos) << text;
    }
    Window bad;
    try {
        ui::read_description(bad, "object W: TTestWindow\n object F: TEcFrameController\n  FrameFlat = 1\n end\nend");
        FAIL() << "accepted";
    } catch (const ui::DescriptionError& e) {
        const std::string what = e.what();
        for (const char* part : {"'W'", "'F'", "'FrameFlat'"}) EXPECT_NE(what.find(part), std::string::npos) << what;
    }
}

TEST_F(EcDescriptions, IntegerListRoundTripAndRules) {
    window.set_name("W");
    auto* holder = new TabHolder(&window);
    holder->set_name("Tabs");
    EXPECT_EQ(ui::write_description(window).find("TabStops"), std::string::npos);
    holder->stops.set_max(100);
    holder->stops.add(40);
    holder->stops.add(8);
    const std::string text = ui::write_description(window);
    EXPECT_NE(text.find("    TabStops.Max = 100\n    TabStops.Integers = (\n      40\n      8)\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("TabStops.Min"), std::string::npos);

    Window again;
    ui::read_description(again, text);
    auto* read = dynamic_cast<TabHolder*>(again.find_component("Tabs"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->stops == holder->stops);
    EXPECT_EQ(read->stops.max(), 100);

    // Read into a sorted list, the values are added in order.
    read->stops.set_sorted(true);
    read->stops.clear();
    ui::DescValue list;
    list.kind = ui::DescValue::Kind::List;
    for (int v : {3, 1, 2}) {
        ui::DescValue item;
        item.integer = v;
        list.list.push_back(item);
    }
    IntegerList::static_class().find_defined("Integers")->read(read->stops, list);
    EXPECT_EQ(read->stops.values(), (std::vector<std::int32_t>{1, 2, 3}));

    const char* const refused[][2] = {
        {"TabStops.Integers = (1 'two')", "'TabStops.Integers'"},
        {"TabStops.Integers = 5", "'TabStops.Integers'"},
        {"TabStops.Max = 10\n  TabStops.Integers = (1 20)", "Value must be within 0..10"},
        {"TabStops.Min = 'x'", "'TabStops.Min'"},
    };
    for (const auto& r : refused) {
        Window w;
        try {
            ui::read_description(w, std::string("object W: TTestWindow\n object T: TTabHolder\n  ") + r[0] + "\n end\nend");
            ADD_FAILURE() << r[0] << ": accepted";
        } catch (const ui::DescriptionError& e) {
            EXPECT_NE(std::string(e.what()).find(r[1]), std::string::npos) << e.what();
        }
    }
}

} // namespace
