// The panel, button, check and radio classes in stored descriptions: only changed values are
// written, a description read back writes the same text, old names are read into their
// successors and never written, and a radio group's buttons come from its Items.
#include <gtest/gtest.h>

#include "controls/ec_rad_grp.h"
#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

class EcControlDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        register_control_set_classes();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_name("F");
    }
    void TearDown() override { form.reset(); }

    template <class T>
    T* add(const char* name) {
        auto* c = new T(form.get());
        c->set_name(name);
        c->set_parent(form.get());
        return c;
    }
    // Writes the form, reads it into a fresh one and writes that again.
    std::string round_trip(const std::string& text) {
        copy = std::make_unique<ui::Form>(nullptr);
        ui::read_description(*copy, text);
        return ui::write_description(*copy);
    }
    // The lines written for one component, without its geometry and tab order.
    static std::vector<std::string> own_lines(const std::string& text, const std::string& name) {
        std::vector<std::string> lines;
        const auto start = text.find("object " + name + ":");
        if (start == std::string::npos) return lines;
        std::size_t pos = text.find('\n', start) + 1;
        while (pos < text.size()) {
            const std::size_t end = text.find('\n', pos);
            std::string line = text.substr(pos, end - pos);
            pos = end + 1;
            const auto first = line.find_first_not_of(' ');
            line = line.substr(first);
            if (line.rfind("end", 0) == 0 || line.rfind("object ", 0) == 0) break;
            static const char* skipped[] = {"Left =", "Top =", "Width =", "Height =", "TabOrder ="};
            bool skip = false;
            for (const char* s : skipped) skip = skip || line.rfind(s, 0) == 0;
            if (!skip) lines.push_back(line);
        }
        return lines;
    }

    std::unique_ptr<ui::Form> form, copy;
};

TEST_F(EcControlDescriptions, DefaultsWriteNothingOfTheirOwn) {
    add<TEcPanel>("pnl");
    add<TEcGroupBox>("grp");
    add<TEcSpacer>("spc");
    add<TEcButton>("btn");
    add<TEcBitBtn>("bit");
    add<TEcControlButton>("ctl");
    add<TEcCheckBox>("chk");
    add<TEcRadioButton>("rad");
    add<TEcRadioGroup>("rg");
    const std::string text = ui::write_description(*form);
    for (const char* name : {"pnl", "grp", "spc", "btn", "bit", "ctl", "chk", "rad", "rg"}) {
        std::vector<std::string> lines = own_lines(text, name);
        // A check box always stores its State.
        if (std::string(name) == "chk") EXPECT_EQ(lines, (std::vector<std::string>{"State = cbUnchecked"})) << text;
        else EXPECT_TRUE(lines.empty()) << name << ":\n" << text;
    }
    EXPECT_EQ(round_trip(text), text);
    // What the skin engine asks of them by class name.
    EXPECT_TRUE(form->find_component("pnl")->inherits_from("TCustomPanel"));
    EXPECT_TRUE(form->find_component("rg")->inherits_from("TCustomPanel"));
    EXPECT_TRUE(form->find_component("bit")->inherits_from("TEcButton"));
    EXPECT_TRUE(form->find_component("chk")->inherits_from("TEcCustomButton"));
    EXPECT_FALSE(form->find_component("pnl")->inherits_from("TPanel"));
}

TEST_F(EcControlDescriptions, ChangedValuesRoundTrip) {
    auto* pnl = add<TEcPanel>("pnl");
    pnl->set_border_outer(TFrameStyleEx::fsFlatRounded);
    pnl->set_border_sides(TSides{TSide::sdTop, TSide::sdBottom});
    pnl->set_visual_style(TEcVisualStyle::vsGradient);
    pnl->set_show_grid(true);
    auto* grp = add<TEcGroupBox>("grp");
    grp->set_group_style(TEcGroupBoxStyle::gsBanner);
    grp->set_caption("Where");
    auto* btn = add<TEcButton>("btn");
    btn->set_hot_track(true);
    btn->set_group_index(3);
    btn->set_modal_result(ui::mrRetry);
    auto* bit = add<TEcBitBtn>("bit");
    bit->set_kind(TBitBtnKind::bkCancel);
    bit->set_layout(TButtonLayout::blGlyphTop);
    bit->set_margin(-1);
    auto* ctl = add<TEcControlButton>("ctl");
    ctl->set_style(TEcControlButtonStyle::cbsDropDown);
    ctl->set_repeat_clicks(true);
    auto* chk = add<TEcCheckBox>("chk");
    chk->set_allow_grayed(true);
    chk->set_state(ui::TCheckBoxState::cbGrayed);
    chk->set_read_only(true);
    auto* rad = add<TEcRadioButton>("rad");
    rad->set_checked(true);
    rad->set_alignment(ui::TLeftRight::taLeftJustify);
    auto* rg = add<TEcRadioGroup>("rg");
    rg->items().set_text("One\r\nTwo\r\nThree");
    rg->set_item_index(1);
    rg->set_columns(3);

    const std::string text = ui::write_description(*form);
    EXPECT_EQ(round_trip(text), text);
    // A kind implies its values: the bit button stores the kind, not what follows from it.
    EXPECT_EQ(own_lines(text, "bit"),
              (std::vector<std::string>{"Kind = bkCancel", "Layout = blGlyphTop", "Margin = -1"}));
    EXPECT_EQ(text.find("TEcGroupButton"), std::string::npos) << text;  // the group's buttons are its own

    auto* read_bit = dynamic_cast<TEcBitBtn*>(copy->find_component("bit"));
    ASSERT_NE(read_bit, nullptr);
    EXPECT_EQ(read_bit->kind(), TBitBtnKind::bkCancel);
    EXPECT_TRUE(read_bit->cancel());
    EXPECT_EQ(read_bit->caption(), "Cancel");
    auto* read_rg = dynamic_cast<TEcRadioGroup*>(copy->find_component("rg"));
    ASSERT_NE(read_rg, nullptr);
    ASSERT_EQ(read_rg->button_count(), 3);  // rebuilt from Items, not read
    EXPECT_EQ(read_rg->item_index(), 1);
    EXPECT_TRUE(read_rg->button(1)->checked());
    EXPECT_EQ(read_rg->button(2)->caption(), "Three");
}

TEST_F(EcControlDescriptions, OldNamesAreReadIntoTheirSuccessors) {
    const std::string text =
        "object F: TForm\n"
        "  object btn: TEcButton\n    FrameFlat = True\n  end\n"
        "  object chk: TEcCheckBox\n    Flat = True\n  end\n"
        "  object rg: TEcRadioGroup\n    Flat = True\n  end\n"
        "  object pnl: TEcPanel\n    UseGradients = True\n    ThemeAware = False\n    FrameSides = [sdLeft]\n  end\n"
        "end\n";
    ui::read_description(*form, text);
    EXPECT_TRUE(dynamic_cast<TEcButton*>(form->find_component("btn"))->hot_track());
    EXPECT_TRUE(dynamic_cast<TEcCheckBox*>(form->find_component("chk"))->hot_track());
    EXPECT_TRUE(dynamic_cast<TEcRadioGroup*>(form->find_component("rg"))->item_hot_track());
    EXPECT_EQ(dynamic_cast<TEcPanel*>(form->find_component("pnl"))->visual_style(), TEcVisualStyle::vsGradient);
    const std::string written = ui::write_description(*form);
    for (const char* old : {"FrameFlat", "Flat =", "UseGradients", "ThemeAware", "FrameSides"})
        EXPECT_EQ(written.find(old), std::string::npos) << old << "\n" << written;
}

} // namespace
