// Published properties by name: every kind read and written as text and as ordinal, defaults,
// case-insensitive names, class identity, and the errors callers rely on.
#include <gtest/gtest.h>

#include "model_fixture.h"
#include "platform/ui/persistent.h"

using namespace ui;
using uitest::Gadget;

namespace {

struct TextCase {
    const char* prop;
    const char* input;
    const char* read_back;
};

class UiPropertyText : public ::testing::TestWithParam<TextCase> {};

TEST_P(UiPropertyText, SetAsTextAndReadBack) {
    Component root(nullptr);
    Gadget g(&root);
    const TextCase& c = GetParam();
    set_property_text(g, c.prop, c.input);
    EXPECT_EQ(get_property_text(g, c.prop), c.read_back);
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, UiPropertyText,
    ::testing::Values(TextCase{"Count", "42", "42"}, TextCase{"count", "-7", "-7"}, TextCase{"Count", "$10", "16"},
                      TextCase{"Active", "false", "False"}, TextCase{"ACTIVE", "True", "True"},
                      TextCase{"Kind", "gkfancy", "gkFancy"}, TextCase{"Anchors", "[akRight, akBottom]", "[akRight,akBottom]"},
                      TextCase{"Anchors", "[]", "[]"}, TextCase{"Color", "clRed", "clRed"},
                      TextCase{"Color", "$00123456", "$00123456"}, TextCase{"Color", "255", "clRed"},
                      TextCase{"Color", "clNone", "clNone"}, TextCase{"Color", "clbtnface", "clBtnFace"},
                      TextCase{"Ratio", "0.25", "0.25"}, TextCase{"Caption", "\xCD\xA8\xBB\xB0", "\xCD\xA8\xBB\xB0"},
                      TextCase{"Items", "a\r\nb\nc", "a\r\nb\r\nc\r\n"}, TextCase{"Name", "Gadget7", "Gadget7"},
                      TextCase{"Tag", "99", "99"}));

TEST(UiProperties, InvalidTextsAreRefusedAndLeaveTheValue) {
    Component root(nullptr);
    Gadget g(&root);
    const std::pair<const char*, const char*> bad[] = {
        {"Count", "12x"}, {"Active", "yes"}, {"Kind", "gkNone"}, {"Anchors", "akLeft"},
        {"Anchors", "[akLeft,akNowhere]"}, {"Color", "clPink"}, {"Ratio", "1,5"}, {"Buddy", "Nobody"},
        {"OnClick", "NoSuchHandler"}, {"Nothing", "1"},
    };
    for (auto [prop, text] : bad) {
        SCOPED_TRACE(std::string(prop) + "=" + text);
        EXPECT_THROW(set_property_text(g, prop, text), PropertyError);
    }
    EXPECT_EQ(g.count, 0);
    EXPECT_TRUE(g.active);
    EXPECT_EQ(g.color, clBtnFace);
}

TEST(UiProperties, KindsTypeNamesAndDefaults) {
    Component root(nullptr);
    Gadget g(&root);
    EXPECT_EQ(property_info(g, "Kind").kind, PropKind::Enum);
    EXPECT_EQ(property_info(g, "Kind").type_name, "TGadgetKind");
    EXPECT_EQ(property_info(g, "Items").type_name, "TStrings");
    EXPECT_EQ(property_info(g, "Font").type_name, "TFont");
    EXPECT_EQ(property_info(g, "Buddy").type_name, "TGadget");
    EXPECT_EQ(property_info(g, "Active").default_ordinal, 1);
    EXPECT_TRUE(has_property(g, "name"));  // inherited from the component base
    EXPECT_FALSE(has_property(g, "Nme"));
    EXPECT_THROW(get_ordinal_property(g, "Caption"), PropertyError);
    EXPECT_THROW(set_ordinal_property(g, "Kind", 3), PropertyError);
    set_ordinal_property(g, "Kind", 2);
    EXPECT_EQ(g.kind, uitest::TGadgetKind::gkOdd);
}

TEST(UiProperties, NestedObjectsAndReferences) {
    Component root(nullptr);
    Gadget a(&root), b(&root);
    b.set_name("Other");
    auto* font = dynamic_cast<Font*>(get_object_property(a, "Font"));
    ASSERT_NE(font, nullptr);
    set_property_text(*font, "Style", "[fsBold,fsUnderline]");
    EXPECT_TRUE(a.font.style().has(TFontStyle::fsBold));
    set_property_text(a, "Buddy", "other");
    EXPECT_EQ(a.buddy, &b);
    EXPECT_EQ(get_property_text(a, "Buddy"), "Other");
    {
        Component stranger(&root);
        stranger.set_name("Str");
        EXPECT_THROW(set_reference_property(a, "Buddy", &stranger), PropertyError);
    }
    set_property_text(a, "Buddy", "");
    EXPECT_EQ(a.buddy, nullptr);
}

TEST(UiProperties, EventsBindOnlyMatchingSignatures) {
    Component root(nullptr);
    int clicks = 0;
    root.register_method("GadgetClick", NotifyEvent([&](Component*) { ++clicks; }));
    root.register_method("WrongShape", std::function<void()>([] {}));
    Gadget g(&root);
    set_property_text(g, "OnClick", "gadgetclick");
    ASSERT_TRUE(g.on_click);
    g.on_click(&g);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(get_property_text(g, "OnClick"), "gadgetclick");
    EXPECT_THROW(set_property_text(g, "OnKey", "WrongShape"), PropertyError);
    set_property_text(g, "OnClick", "");
    EXPECT_FALSE(g.on_click);
}

TEST(UiClassIdentity, NamesAndAncestry) {
    Component root(nullptr);
    uitest::OldGadget g(&root);
    EXPECT_EQ(g.class_name(), "TOldGadget");
    for (const char* base : {"TOldGadget", "tgadget", "TComponent", "TPersistent"}) EXPECT_TRUE(g.inherits_from(base)) << base;
    EXPECT_FALSE(g.inherits_from("TStranger"));
    auto props = g.class_type().all_properties();
    EXPECT_EQ(props.front()->name, "Name");  // bases first
}

} // namespace
