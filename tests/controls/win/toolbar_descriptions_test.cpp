// The station's two tool bars in stored descriptions: the control list written as identifiers
// and read back in its order, AutoStyle and TextOptions kept, a following button's size,
// caption flag and look left out, old button properties read into their successors and never
// written again.
#include <gtest/gtest.h>

#include "controls/ec_button.h"
#include "controls/ec_panel.h"
#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

const char* const kStationBars = R"(object F: TForm
  Left = 0
  Top = 0
  Width = 900
  Height = 500
  object tbMain: TEcToolbar
    Left = 0
    Top = 0
    Width = 892
    Height = 64
    AutoStyle = False
    ButtonHeight = 60
    ButtonWidth = 60
    RowHeight = 60
    TextOptions = ttoCustom
    ToolbarControls = (btnStartStop EcSpacer1 btnSettings EcSpacer2 btnClose btnExportPro)
    object btnClose: TEcToolButton
      Caption = 'Close'
      ShowCaption = True
      Layout = blGlyphTop
      UseToolbarButtonLayout = False
      UseToolbarShowCaption = False
      ThemeAware = False
    end
    object btnExportPro: TEcToolButton
      Caption = 'Export'
      UseGradients = True
      GradientColorStart = clRed
      GradientColorStop = 255
      FrameColor = clNavy
    end
    object EcSpacer2: TEcSpacer
    end
    object btnSettings: TEcToolButton
      Caption = 'Settings'
    end
    object EcSpacer1: TEcSpacer
    end
    object btnStartStop: TEcToolButton
      Caption = 'Start'
      Tag = 3
    end
  end
  object tbMenu: TEcToolbar
    Left = 0
    Top = 64
    Width = 72
    Height = 300
    Align = alLeft
    AutoResize = False
    AutoStyle = False
    Margin = 8
    RowHeight = 64
    TextOptions = ttoCustom
    ToolbarControls = (btnSearch btnState btnGone)
    object btnState: TEcToolButton
      Caption = 'State'
      GroupIndex = 1
    end
    object btnSearch: TEcToolButton
      Caption = 'Search'
      GroupIndex = 1
      Down = True
    end
  end
  object pnlElsewhere: TPanel
    object btnForeign: TEcToolButton
    end
  end
end
)";

class EcToolbarDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        register_control_set_classes();
    }
    static std::vector<std::string> names_of(const TEcToolbar& bar) {
        std::vector<std::string> out;
        for (const auto& e : bar.control_list().entries()) out.push_back(e.control ? e.control->name() : "?" + e.name);
        return out;
    }
};

TEST_F(EcToolbarDescriptions, StationBarsRoundTrip) {
    ui::Form form(nullptr);
    ui::read_description(form, kStationBars);
    auto* main_bar = dynamic_cast<TEcToolbar*>(form.find_component("tbMain"));
    auto* menu_bar = dynamic_cast<TEcToolbar*>(form.find_component("tbMenu"));
    ASSERT_TRUE(main_bar && menu_bar);
    EXPECT_EQ(names_of(*main_bar), (std::vector<std::string>{"btnStartStop", "EcSpacer1", "btnSettings", "EcSpacer2",
                                                              "btnClose", "btnExportPro"}));
    EXPECT_EQ(names_of(*menu_bar), (std::vector<std::string>{"btnSearch", "btnState"})) << "a missing name is dropped";
    EXPECT_FALSE(main_bar->auto_style());
    EXPECT_EQ(main_bar->text_options(), TEcToolbarTextOptions::ttoCustom);
    EXPECT_FALSE(menu_bar->auto_resize());

    auto* start = dynamic_cast<TEcToolButton*>(form.find_component("btnStartStop"));
    auto* exp = dynamic_cast<TEcToolButton*>(form.find_component("btnExportPro"));
    auto* search = dynamic_cast<TEcToolButton*>(form.find_component("btnSearch"));
    ASSERT_TRUE(start && exp && search);
    EXPECT_EQ(start->width(), 60) << "following the bar";
    EXPECT_EQ(start->tag(), 3);
    EXPECT_EQ(start->bounds_rect(), (ui::Rect{4, 2, 64, 62}));
    EXPECT_EQ(exp->visual_style(), TEcVisualStyle::vsGradient);
    EXPECT_EQ(exp->selection_color_start(), ui::clRed);
    EXPECT_EQ(exp->selection_color_stop(), ui::TColor{255});
    EXPECT_EQ(exp->selection_frame_color(), ui::clNavy);
    EXPECT_TRUE(search->down());

    const std::string text = ui::write_description(form);
    EXPECT_NE(text.find("ToolbarControls = (\n      btnStartStop\n      EcSpacer1\n      btnSettings\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("ToolbarControls = (\n      btnSearch\n      btnState)"), std::string::npos) << text;
    EXPECT_EQ(text.find("FullRepaint"), std::string::npos) << "the bar's own default";
    EXPECT_EQ(menu_bar->width(), 72) << "the stored width stays";
    EXPECT_NE(text.find("AutoStyle = False"), std::string::npos);
    EXPECT_NE(text.find("TextOptions = ttoCustom"), std::string::npos);
    for (const char* gone : {" ThemeAware =", " UseGradients =", " GradientColorStart =", " FrameColor ="})
        EXPECT_EQ(text.find(gone), std::string::npos) << gone << "\n" << text;
    EXPECT_NE(text.find("SelectionFrameColor = clNavy"), std::string::npos) << text;
    // A button that follows the bar writes neither its size nor its caption flag.
    const auto settings = text.find("object btnSettings");
    const auto settings_end = text.find("end", settings);
    const std::string own = text.substr(settings, settings_end - settings);
    EXPECT_EQ(own.find("Width"), std::string::npos) << own;
    EXPECT_EQ(own.find("ShowCaption"), std::string::npos) << own;
    EXPECT_EQ(own.find("VisualStyle"), std::string::npos) << own;

    ui::Form copy(nullptr);
    ui::read_description(copy, text);
    EXPECT_EQ(ui::write_description(copy), text);
    EXPECT_EQ(names_of(*dynamic_cast<TEcToolbar*>(copy.find_component("tbMain"))), names_of(*main_bar));
}

TEST_F(EcToolbarDescriptions, AComponentPlacedElsewhereListsEveryChild) {
    const std::string text = R"(object F: TForm
  object tb: TEcToolbar
    ToolbarControls = (b2 btnForeign)
    object b1: TEcToolButton
    end
    object b2: TEcToolButton
    end
  end
  object pnl: TPanel
    object btnForeign: TEcToolButton
    end
  end
end
)";
    ui::Form form(nullptr);
    ui::read_description(form, text);
    auto* bar = dynamic_cast<TEcToolbar*>(form.find_component("tb"));
    ASSERT_TRUE(bar);
    EXPECT_EQ(names_of(*bar), (std::vector<std::string>{"b2", "b1"}));
}

} // namespace
