// The description text format and reading a window's components from it.
#include <gtest/gtest.h>

#include "model_fixture.h"
#include "platform/ui/description_reader.h"

using namespace ui;
using uitest::Gadget;

namespace {

class Window : public Gadget {
public:
    Window() : Gadget(nullptr) {
        loaded_log = &log;
        register_method("OkClick", this, &Window::ok_click);
        register_method("KeyPressed", this, &Window::key_pressed);
    }
    void ok_click(Component* sender) { clicked.push_back(sender->name()); }
    void key_pressed(Component*, int& key) { key = 0; }
    Gadget* child(const char* name) { return dynamic_cast<Gadget*>(find_component(name)); }

    std::vector<std::string> log;
    std::vector<std::string> clicked;
};

class UiDescriptions : public ::testing::Test {
protected:
    void SetUp() override { uitest::register_fixture_classes(); }
};

const char* const kSample = R"(
object MainWindow: TWindow
  Caption = 'FTP'#19979'载 - ''main'''
  Count = 3
  Font.Name = '宋体'
  Font.Style = [fsBold]
  // a comment line
  object Left: TGadget
    Buddy = Right
    Kind = gkFancy
    Anchors = [akLeft, akRight]
    Color = $00FF0000
    Ratio = 1.5E1
    Items.Strings = (
      '一'
      'two'
      'three')
    Columns = <
      item
        Caption = 'Date'
        Width = 80
      end
      item
        Caption = 'Time'
      end>
    OnClick = OkClick
    OnKey = KeyPressed
    Data = { 00 ff 10
             7F }
    object Inner: TGadget
      Caption = 'in' +
        'ner'
    end
  end
  object Right: TGadget
    Active = False
    Buddy = MainWindow
  end
end
)";

TEST_F(UiDescriptions, ReadsEveryKindOfValue) {
    Window w;
    read_description(w, kSample);
    EXPECT_EQ(w.name(), "MainWindow");
    EXPECT_EQ(w.caption, "FTP\xCF\xC2\xD4\xD8 - 'main'");  // GBK of 下载
    EXPECT_EQ(w.count, 3);
    EXPECT_EQ(w.font.name(), "\xCB\xCE\xCC\xE5");
    EXPECT_TRUE(w.font.style().has(TFontStyle::fsBold));

    Gadget* left = w.child("Left");
    Gadget* right = w.child("Right");
    Gadget* inner = w.child("Inner");
    ASSERT_TRUE(left && right && inner);
    EXPECT_EQ(left->buddy, right);  // a reference to a component read later
    EXPECT_EQ(right->buddy, &w);    // and to the window itself
    EXPECT_EQ(left->kind, uitest::TGadgetKind::gkFancy);
    EXPECT_EQ(left->anchors, (TAnchors{TAnchorKind::akLeft, TAnchorKind::akRight}));
    EXPECT_EQ(left->color, clBlue);
    EXPECT_DOUBLE_EQ(left->ratio, 15.0);
    EXPECT_EQ(left->items.to_vector(), (std::vector<std::string>{"\xD2\xBB", "two", "three"}));
    ASSERT_EQ(left->columns.count(), 2);
    EXPECT_EQ(left->columns.at(0)->caption, "Date");
    EXPECT_EQ(left->columns.at(0)->width, 80);
    EXPECT_EQ(left->columns.at(1)->width, 50);
    EXPECT_EQ(left->data, (std::vector<std::uint8_t>{0x00, 0xFF, 0x10, 0x7F}));
    EXPECT_EQ(inner->caption, "inner");
    EXPECT_FALSE(right->active);

    // Nesting gives the parent; the window owns everything.
    EXPECT_EQ(w.nested, (std::vector<Gadget*>{left, right}));
    EXPECT_EQ(left->nested, (std::vector<Gadget*>{inner}));
    EXPECT_EQ(inner->owner(), &w);

    ASSERT_TRUE(left->on_click);
    left->on_click(left);
    EXPECT_EQ(w.clicked, (std::vector<std::string>{"Left"}));
    int key = 13;
    left->on_key(left, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(get_property_text(*left, "OnClick"), "OkClick");

    // Loaded comes after every reference is resolved, in creation order.
    EXPECT_EQ(w.log, (std::vector<std::string>{"MainWindow", "Left->Right", "Inner", "Right->MainWindow"}));
    for (Component* c : w.components()) {
        EXPECT_FALSE(c->component_state().has(TComponentStateFlag::csLoading)) << c->name();
        EXPECT_FALSE(c->component_state().has(TComponentStateFlag::csReading)) << c->name();
    }
}

TEST_F(UiDescriptions, ObsoletePropertiesAreSwallowed) {
    Window w;
    read_description(w, R"(object W: TWindow
      object Old: TOldGadget
        FrameFlat = True
        FrameFocusStyle = ffsRaised
        FixedDimension = 23
        FrameSides = [sdLeft, sdTop]
        FrameColor = clBtnShadow
        ToolbarControls = (Button1 Button2)
        ItemEnabled = (True False)
        ItemState = (0 1 2)
        Count = 4
      end
    end)");
    EXPECT_EQ(w.child("Old")->count, 4);
}

struct ErrorCase {
    const char* name;
    const char* text;
    std::vector<std::string> message_parts;
};

class UiDescriptionErrors : public UiDescriptions, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(UiDescriptionErrors, NameWhatWentWrong) {
    Window w;
    try {
        read_description(w, GetParam().text);
        FAIL() << "no error";
    } catch (const DescriptionError& e) {
        for (const std::string& part : GetParam().message_parts)
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what() << " lacks " << part;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UiDescriptionErrors,
    ::testing::Values(
        ErrorCase{"UnknownProperty", "object W: TWindow\n object B: TGadget\n  Colour = clRed\n end\nend",
                  {"window 'W'", "component 'B'", "property 'Colour'", "unknown property", "line 3"}},
        ErrorCase{"UnknownNestedProperty", "object W: TWindow\n Font.Weight = 4\nend", {"component 'W'", "'Font.Weight'"}},
        ErrorCase{"ObsoleteNameOnAnotherClass", "object W: TWindow\n object B: TGadget\n  FrameFlat = True\n end\nend",
                  {"'FrameFlat'", "unknown property"}},
        ErrorCase{"ObsoleteWithMalformedValue", "object W: TWindow\n object B: TOldGadget\n  FrameFlat = 3\n end\nend",
                  {"'FrameFlat'", "obsolete"}},
        ErrorCase{"UnknownClass", "object W: TWindow\n object B: TMissing\n end\nend", {"component 'B'", "TMissing"}},
        ErrorCase{"ParentRefusesChild", "object W: TWindow\n object S: TStranger\n end\nend", {"cannot hold"}},
        ErrorCase{"WrongValueKind", "object W: TWindow\n Count = 'three'\nend", {"property 'Count'", "a string"}},
        ErrorCase{"BadEnum", "object W: TWindow\n Kind = gkNone\nend", {"property 'Kind'", "gkNone"}},
        ErrorCase{"MissingReference", "object W: TWindow\n Buddy = Ghost\nend", {"property 'Buddy'", "Ghost"}},
        ErrorCase{"MissingHandler", "object W: TWindow\n OnClick = Ghost\nend", {"property 'OnClick'", "no handler Ghost"}},
        ErrorCase{"HandlerOfAnotherShape", "object W: TWindow\n OnClick = KeyPressed\nend", {"'OnClick'", "does not fit"}},
        ErrorCase{"DuplicateName", "object W: TWindow\n object B: TGadget\n end\n object b: TGadget\n end\nend", {"component 'b'", "already"}},
        ErrorCase{"NonStringListItem", "object W: TWindow\n Items.Strings = ('a' 3)\nend", {"'Items.Strings'", "strings"}},
        // A text that does not parse still names its window, before the root has taken the name.
        ErrorCase{"MissingEnd", "object W: TWindow\n Count = 1\n", {"window 'W'", "'end' expected"}},
        ErrorCase{"UnterminatedString", "object W: TWindow\n Caption = 'abc\nend", {"window 'W'", "line 2", "unterminated"}},
        ErrorCase{"OddBinary", "object W: TWindow\n Data = { 0 }\nend", {"odd number"}},
        ErrorCase{"TrailingText", "object W: TWindow\nend\nend", {"after the end"}}),
    [](const ::testing::TestParamInfo<ErrorCase>& i) { return std::string(i.param.name); });

TEST_F(UiDescriptions, TwoWindowsOfOneDescriptionUnderOneOwnerGetDistinctNames) {
    Component app(nullptr);
    Gadget first(&app), second(&app), third(&app);
    for (Gadget* g : {&first, &second, &third}) read_description(*g, "object View: TGadget\n  Count = 1\nend");
    EXPECT_EQ(first.name(), "View");
    EXPECT_EQ(second.name(), "View_2");
    EXPECT_EQ(third.name(), "View_3");
}

TEST_F(UiDescriptions, DeepNestingIsRefusedNotOverflowed) {
    std::string text = "object W: TWindow\n Items.Strings = ";
    for (int i = 0; i < 10000; ++i) text += "(";
    Window w;
    EXPECT_THROW(read_description(w, text), DescriptionError);
}

} // namespace
