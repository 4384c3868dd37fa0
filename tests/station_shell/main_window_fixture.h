// What the main-window tests share: a program folder per test case below the working folder,
// with fetching switched off and no language chosen, the main window over the fake transfer
// library, and reading a list view's column captions.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/forms/main_form.h"
#include "tests/support/fake_transfer_library.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/window_test.h"

namespace shell_test {

inline std::string ColumnCaption(HWND list, int column) {
    wchar_t buffer[128] = {};
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = buffer;
    c.cchTextMax = 128;
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    return plat::wide_to_gbk(buffer);
}

class MainWindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ui::application().initialize(); }

    // Cases of one program run side by side from the same working folder: `prefix` keeps the
    // programs apart, the case's name the cases.
    explicit MainWindowFixture(const std::string& prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = plat::include_trailing_separator(plat::current_directory()) + prefix + info->name();
        plat::force_directories(folder_ + "\\Lang");
        // Fetching is switched on by hand in these tests.
        plat::ini_write_string(folder_ + "\\Velquist.ini", "CommonInfo", "AutoFTPEnable", "0");
        plat::ini_write_string(folder_ + "\\Velquist.ini", "Language", "LangName", "");
    }

    // A failed case leaves its folder behind for a look.
    ~MainWindowFixture() override {
        CloseForm();
        if (!HasFailure()) test_support::RemoveTree(folder_);
    }

    // The main window and its confirmation box, not yet created: more can be wired in before
    // ShowForm.
    void MakeForm(const std::string& first_argument = "", const wchar_t* description = forms::kMainFormDescription) {
        form_ = std::make_unique<forms::TMainForm>(globals_, library_, folder_ + "\\Velquist.exe", first_argument,
                                                   description);
        // As in the program: the tray icon hides and restores the application's main form.
        ui::application().set_main_form(form_.get());
        conf_ = std::make_unique<forms::TConfForm>(nullptr, globals_.Texts);
        form_->ConfForm = conf_.get();
    }
    void ShowForm() {
        form_->FormCreate();
        form_->show();
        window_test::pump(200);
    }
    // What the window refers to must outlive this.
    void CloseForm() {
        if (form_) form_->FormDestroy();
        form_.reset();
    }

    std::string folder_;
    station::StationGlobals globals_;
    test_support::FakeTransferLibrary library_;
    std::unique_ptr<forms::TMainForm> form_;
    std::unique_ptr<forms::TConfForm> conf_;
};

} // namespace shell_test
