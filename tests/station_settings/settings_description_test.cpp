// The settings dialog as its stored description makes it: the components by name, class and
// nesting, the pages in order, a description that reads back the same, and descriptions that do
// not read stopping with a message that names where.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/register_control_set.h"
#include "platform/ui/description_parser.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/settings/form_settings.h"
#include "tests/station_settings/dialog_driver.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/skinned_session/skinned_session.h"

namespace {

using forms::TFormSettings;
using window_test::ComponentRow;

class SettingsDescription : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ui::application().initialize();
        ui::register_control_classes();
        ec::register_control_set_classes();
    }
    void SetUp() override { ASSERT_EQ(station::InitGlobals(g, dir.path()), ""); }

    std::unique_ptr<TFormSettings> Make(std::string_view description = {}) {
        return std::make_unique<TFormSettings>(
            nullptr, forms::SettingsDialogServices{g, registry, prompts, shell, "C:\\Velquist.exe", {}}, description);
    }

    // As in the program: every dialog is skinned by the main window's skin when activated.
    test_support::SkinnedSession skin_;
    test_support::TestFolder dir;
    station::StationGlobals g;
    station::WindowsRunKeyRegistry registry;
    settings_test::FakePrompts prompts;
    settings_test::FakeShell shell;
};

TEST_F(SettingsDescription, ComponentsAreTheControlSetsNestedAsDrawn) {
    auto form = Make();
    std::vector<ComponentRow> rows = {
        {"pageSettings", "TEcPageControl", "FormSettings"},
        {"tabGeneral", "TEcTabSheet", "pageSettings"},
        {"groupGeneral", "TEcGroupBox", "tabGeneral"},
        {"checkAutoRun", "TEcCheckBox", "groupGeneral"},
        {"cbAutoRunMode", "TEcComboBox", "groupGeneral"},
        {"checkEnableFTPOnStart", "TEcCheckBox", "tabGeneral"},
        {"tabDevices", "TEcTabSheet", "pageSettings"},
        {"groupDeviceInfo", "TEcGroupBox", "tabDevices"},
        {"lvDev", "TEcListView", "groupDeviceInfo"},
        {"labelDeviceIP", "TEcLabel", "tabDevices"},
        {"editDeviceIP", "TEcEdit", "tabDevices"},
        {"labelPort", "TEcLabel", "tabDevices"},
        {"editPort", "TEcSpinEdit", "tabDevices"},
        {"labelDeviceSerial", "TEcLabel", "tabDevices"},
        {"editDeviceSerial", "TEcEdit", "tabDevices"},
        {"editUserName", "TEcEdit", "tabDevices"},
        {"editPassword", "TEcEdit", "tabDevices"},
        {"editComment", "TEcEdit", "tabDevices"},
        {"editSaveFolderName", "TEcEdit", "tabDevices"},
        {"btnAddDev", "TEcButton", "tabDevices"},
        {"btnEditDev", "TEcButton", "tabDevices"},
        {"btnDelDev", "TEcButton", "tabDevices"},
        {"btnDevUp", "TEcBitBtn", "tabDevices"},
        {"btnDevDown", "TEcBitBtn", "tabDevices"},
        {"comboConnMode", "TEcComboBox", "tabDevices"},
        {"tabLocalIP", "TEcTabSheet", "pageSettings"},
        {"groupLocalIP", "TEcGroupBox", "tabLocalIP"},
        {"comboLocalIP", "TEcComboBox", "groupLocalIP"},
        {"editLocalPort", "TEcSpinEdit", "groupLocalIP"},
        {"tabDB", "TEcTabSheet", "pageSettings"},
        {"groupDBInfo", "TEcGroupBox", "tabDB"},
        {"comboDBConnMode", "TEcComboBox", "groupDBInfo"},
        {"groupODBC", "TEcGroupBox", "tabDB"},
        {"comboODBCDsn", "TEcComboBox", "groupODBC"},
        {"editODBCUser", "TEcEdit", "groupODBC"},
        {"editODBCPass", "TEcEdit", "groupODBC"},
        {"groupAccess", "TEcGroupBox", "tabDB"},
        {"radioDefaultAccess", "TEcRadioButton", "groupAccess"},
        {"radioUserAccess", "TEcRadioButton", "groupAccess"},
        {"editAccessPath", "TEcButtonEdit", "groupAccess"},
        {"tabSavePath", "TEcTabSheet", "pageSettings"},
        {"groupSavePath", "TEcGroupBox", "tabSavePath"},
        {"radioLocalSavePath", "TEcRadioButton", "groupSavePath"},
        {"radioUserSavePath", "TEcRadioButton", "groupSavePath"},
        {"editSavePath", "TEcButtonEdit", "groupSavePath"},
        {"tabPeriod", "TEcTabSheet", "pageSettings"},
        {"groupPeriodSettings", "TEcGroupBox", "tabPeriod"},
        {"radio24Hours", "TEcRadioButton", "groupPeriodSettings"},
        {"radioCustomPeriod", "TEcRadioButton", "groupPeriodSettings"},
        {"groupCustomPeriod", "TEcGroupBox", "tabPeriod"},
        {"tabFindRecPath", "TEcTabSheet", "pageSettings"},
        {"groupRecFindPath", "TEcGroupBox", "tabFindRecPath"},
        {"listFindDir", "TEcListBox", "groupRecFindPath"},
        {"editNewFindDir", "TEcEdit", "groupRecFindPath"},
        {"btnBrowseFindDir", "TEcButton", "groupRecFindPath"},
        {"btnAddFindDir", "TEcButton", "groupRecFindPath"},
        {"btnDelFindDir", "TEcButton", "groupRecFindPath"},
        {"btnReplaceFindDir", "TEcButton", "groupRecFindPath"},
        {"btnUpFindDir", "TEcBitBtn", "groupRecFindPath"},
        {"btnDownFindDir", "TEcBitBtn", "groupRecFindPath"},
        {"tabSyncDevDateTime", "TEcTabSheet", "pageSettings"},
        {"checkSyncDateTime", "TEcCheckBox", "tabSyncDevDateTime"},
        {"labelEvery", "TEcLabel", "tabSyncDevDateTime"},
        {"spinSyncInterval", "TEcSpinEdit", "tabSyncDevDateTime"},
        {"labelDays", "TEcLabel", "tabSyncDevDateTime"},
        {"btnSyncDateTime", "TEcButton", "tabSyncDevDateTime"},
        {"tabLogLevel", "TEcTabSheet", "pageSettings"},
        {"groupLogLevelSettings", "TEcRadioGroup", "tabLogLevel"},
        {"btnSure", "TEcBitBtn", "FormSettings"},
        {"btnCancel", "TEcBitBtn", "FormSettings"},
    };
    // The five period rows alike.
    std::vector<std::string> names;
    const char* const row_parts[][2] = {{"checkTimeSection%", "TEcCheckBox"}, {"labelFrom%", "TEcLabel"},
                                        {"DTTimeSec%From", "TEcDateTimePicker"}, {"labelTo%", "TEcLabel"},
                                        {"DTTimeSec%To", "TEcDateTimePicker"}, {"checkTSStop%", "TEcCheckBox"}};
    for (int i = 1; i <= 5; ++i)
        for (const auto& part : row_parts) {
            std::string name = part[0];
            name.replace(name.find('%'), 1, std::to_string(i));
            names.push_back(name);
        }
    for (std::size_t n = 0; n < names.size(); ++n)
        rows.push_back({names[n].c_str(), row_parts[n % 6][1], "groupCustomPeriod"});
    window_test::expect_components(*form, rows);

    const char* const pages[] = {u8"通用",   u8"设备信息", u8"本机IP",       u8"数据库访问", u8"下载保存路径",
                                 u8"下载时段", u8"搜索路径", u8"设备时间同步", u8"日志级别"};
    ASSERT_EQ(form->pageSettings->page_count(), 9);
    for (int p = 0; p < 9; ++p) EXPECT_EQ(form->pageSettings->page(p)->caption(), station::Gbk(pages[p])) << p;
    EXPECT_EQ(form->groupLogLevelSettings->items().count(), 5);
    EXPECT_EQ(form->groupLogLevelSettings->columns(), 2);
    EXPECT_TRUE(form->btnSure->is_default());
    EXPECT_EQ(form->btnSure->modal_result(), ui::mrOk);
    EXPECT_TRUE(form->btnCancel->cancel());
    EXPECT_EQ(form->btnCancel->modal_result(), ui::mrCancel);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(form->checkTSStop[i]->visible()) << "never shown";
}

TEST_F(SettingsDescription, DescriptionReadsBackTheSameWithoutDefaults) {
    auto form = Make();
    window_test::expect_description_round_trip(*form, [] { return std::make_unique<ui::Form>(nullptr); });
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM counter) {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(SettingsDescription, BrokenDescriptionStopsWithTheLayersMessageAndNoWindow) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> named;  // what the message names
    };
    const Case cases[] = {
        {"unknown property",
         "object FormSettings: TFormSettings\n"
         "  object pageSettings: TEcPageControl\n    TabCount = 3\n  end\n"
         "end\n",
         {"FormSettings", "pageSettings", "TabCount"}},
        {"value of the wrong kind",
         "object FormSettings: TFormSettings\n"
         "  object editPort: TEcSpinEdit\n    Max = 'many'\n  end\n"
         "end\n",
         {"FormSettings", "editPort", "Max"}},
        {"unknown class",
         "object FormSettings: TFormSettings\n  object lvDev: TNoSuchListView\n  end\nend\n",
         {"TNoSuchListView"}},
        {"unbound handler",
         "object FormSettings: TFormSettings\n"
         "  object btnSure: TEcBitBtn\n    OnClick = btnNoSuchClick\n  end\n"
         "end\n",
         {"btnSure", "OnClick", "btnNoSuchClick"}},
        {"cut short", "object FormSettings: TFormSettings\n  object btnSure: TEcBitBtn\n", {}},
        {"a part missing",
         "object FormSettings: TFormSettings\n  object pageSettings: TEcPageControl\n  end\nend\n",
         {"tabGeneral"}},
    };
    const int windows_before = ThreadWindows();
    for (const Case& c : cases) {
        std::string message;
        try {
            Make(c.text);
            ADD_FAILURE() << c.name << ": the dialog was made";
        } catch (const ui::DescriptionError& e) {
            message = e.what();
        }
        EXPECT_FALSE(message.empty()) << c.name;
        for (const std::string& part : c.named) EXPECT_NE(message.find(part), std::string::npos) << c.name << ": " << message;
        EXPECT_EQ(ThreadWindows(), windows_before) << c.name << ": a window was left behind";
    }
}

} // namespace
