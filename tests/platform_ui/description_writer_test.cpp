// Writing descriptions: what is stored, how values look, and that a written description reads
// back into the same values.
#include <gtest/gtest.h>

#include "model_fixture.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/text_util.h"

using namespace ui;
using uitest::Gadget;

namespace {

class Window : public Gadget {
public:
    Window() : Gadget(nullptr) {
        register_method("OkClick", this, &Window::ok_click);
    }
    // Components without a parent (dials) sit in the window's description directly.
    bool adopt_child(Component* child) override {
        Gadget::adopt_child(child);
        return true;
    }
    void ok_click(Component*) {}
};

// A class with a property stored in its own format, one whose storing depends on another
// property, and an old name carried over to a new one.
class Dial : public Component {
    UI_CLASS_IDENTITY()
public:
    using Component::Component;
    std::vector<std::int64_t> marks;
    TColor face = clWindow;
    bool parent_face = false;
    bool hot = false;
};

ClassInfo& Dial::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TDial", &Component::static_class());
        c.factory = factory_of<Dial>();
        PropBuilder<Dial>(c)
            .color("Face", [](const Dial& d) { return d.face; }, [](Dial& d, TColor v) { d.face = v; }, clWindow)
            .stored([](const Dial& d) { return !d.parent_face; })
            .boolean("ParentFace", [](const Dial& d) { return d.parent_face; }, [](Dial& d, bool v) { d.parent_face = v; })
            .boolean("Hot", [](const Dial& d) { return d.hot; }, [](Dial& d, bool v) { d.hot = v; })
            .obsolete("Glowing", ObsoleteValue::Boolean,
                      [](Dial& d, const DescValue& v) { d.hot = same_text(v.text, "True"); })
            .defined(
                "Marks",
                [](Dial& d, const DescValue& v) {
                    if (v.kind != DescValue::Kind::List) throw PropertyError("a list expected");
                    d.marks.clear();
                    for (const DescValue& m : v.list) {
                        if (m.kind != DescValue::Kind::Integer) throw PropertyError("integers expected");
                        d.marks.push_back(m.integer);
                    }
                },
                [](const Dial& d, DescValue& v) {
                    v.kind = DescValue::Kind::List;
                    for (std::int64_t m : d.marks) {
                        DescValue item;
                        item.integer = m;
                        v.list.push_back(item);
                    }
                    return !d.marks.empty();
                });
        return c;
    }();
    return info;
}

class UiDescriptionWriter : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::register_fixture_classes();
        register_class(Dial::static_class());
    }
};

const char* const kSample = R"(object Main: TGadget
  Caption = 'it''s'#13#10'下载'
  Count = 3
  Active = False
  Anchors = [akLeft, akRight]
  Color = clRed
  Ratio = 1.5
  Font.Name = '宋体'
  Items.Strings = (
    'one'
    '二')
  Columns = <
    item
      Caption = 'Date'
      Width = 80
    end>
  OnClick = OkClick
  Data = {00FF}
  object Left: TGadget
    Buddy = Main
    Color = $00123456
    object Inner: TGadget
      Kind = gkOdd
    end
  end
  object Clock: TDial
    ParentFace = True
    Face = clAqua
    Glowing = True
    Marks = (3 1 2)
  end
end
)";

TEST_F(UiDescriptionWriter, WritesOnlyStoredValuesAndReadsBackTheSame) {
    Window w;
    read_description(w, kSample);
    const std::string text = write_description(w);
    EXPECT_NE(text.find("Caption = 'it''s'#13#10'下载'\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Count = 3\n"), std::string::npos);
    EXPECT_NE(text.find("  Active = False\n"), std::string::npos);
    EXPECT_NE(text.find("  Anchors = [akLeft, akRight]\n"), std::string::npos);
    EXPECT_NE(text.find("  Color = clRed\n"), std::string::npos);
    EXPECT_NE(text.find("  Ratio = 1.5\n"), std::string::npos);
    EXPECT_NE(text.find("  OnClick = OkClick\n"), std::string::npos);
    EXPECT_NE(text.find("    Buddy = Main\n"), std::string::npos);
    EXPECT_NE(text.find("    Color = 1193046\n"), std::string::npos);
    EXPECT_NE(text.find("      Kind = gkOdd\n"), std::string::npos);
    EXPECT_NE(text.find("    Marks = (\n      3\n      1\n      2)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Hot = True\n"), std::string::npos);  // carried over from Glowing
    for (const char* absent : {"Glowing", " Face", "Data", "Name =", "Tag", "Inner: TGadget\n      Active"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    // Nested under their parents, in children() order.
    EXPECT_LT(text.find("object Left"), text.find("object Inner"));
    EXPECT_LT(text.find("object Inner"), text.find("object Clock"));

    Window again;
    read_description(again, text);
    EXPECT_EQ(write_description(again), text);
    auto* left = dynamic_cast<Gadget*>(again.find_component("Left"));
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->buddy, &again);
    EXPECT_EQ(again.caption, w.caption);
    EXPECT_EQ(again.items.count(), 2);
    auto* dial = dynamic_cast<Dial*>(again.find_component("Clock"));
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->marks, (std::vector<std::int64_t>{3, 1, 2}));
    EXPECT_TRUE(dial->parent_face);
    EXPECT_EQ(dial->face, clWindow);  // not stored while it follows the parent
}

TEST_F(UiDescriptionWriter, DefaultsAloneWriteNothingButTheHeader) {
    Window w;
    w.set_name("Empty");
    EXPECT_EQ(write_description(w), "object Empty: TGadget\nend\n");
    // A component the window owns but no parent holds still belongs to the description.
    auto* free_dial = new Dial(&w);
    free_dial->set_name("Loose");
    auto* sub = new Dial(free_dial);  // owned by the dial: part of it, never written
    sub->set_name("Part");
    EXPECT_EQ(write_description(w), "object Empty: TGadget\n  object Loose: TDial\n  end\nend\n");
}

TEST_F(UiDescriptionWriter, DefinedAndConvertedValuesReportBadInput) {
    Window w;
    try {
        read_description(w, "object W: TGadget\n object D: TDial\n  Marks = (1 'x')\n end\nend");
        FAIL() << "accepted";
    } catch (const DescriptionError& e) {
        const std::string what = e.what();
        for (const char* part : {"'W'", "'D'", "'Marks'", "integers expected"})
            EXPECT_NE(what.find(part), std::string::npos) << what;
    }
    Window v;
    EXPECT_THROW(read_description(v, "object W: TGadget\n object D: TDial\n  Glowing = 1\n end\nend"),
                 DescriptionError);
}

// A nested object whose class keeps it out of the description while another value implies it.
class Stamp : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit Stamp(Component* owner) : Component(owner) {}
    bool standard = true;
    Font face;
};

ClassInfo& Stamp::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TStamp", &Component::static_class());
        c.factory = factory_of<Stamp>();
        PropBuilder<Stamp>(c)
            .boolean("Standard", [](const Stamp& s) { return s.standard; }, [](Stamp& s, bool v) { s.standard = v; }, true)
            .object("Face", PropKind::Object, "TFont", [](Stamp& s) -> Persistent* { return &s.face; })
            .stored([](const Stamp& s) { return !s.standard; });
        return c;
    }();
    return info;
}

TEST_F(UiDescriptionWriter, NestedObjectsFollowTheirStoredRule) {
    Window w;
    w.set_name("W");
    auto* stamp = new Stamp(&w);
    stamp->set_name("S");
    stamp->face.set_height(-20);
    EXPECT_EQ(write_description(w), "object W: TGadget\n  object S: TStamp\n  end\nend\n");
    stamp->standard = false;
    EXPECT_NE(write_description(w).find("Face.Height = -20"), std::string::npos) << write_description(w);
}

} // namespace
