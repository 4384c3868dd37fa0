// The start-up's making of the main window: a description that is missing or does not read stops
// it through the station's error path, with the layer's message naming what is wrong, and leaves
// no window behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/win/application.h"
#include "station/forms/main_form.h"
#include "tests/station_shell/main_window_fixture.h"

namespace {

// The windows of this thread, those below the top-level ones included.
int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            EnumChildWindows(
                top,
                [](HWND, LPARAM inner) -> BOOL {
                    ++*reinterpret_cast<int*>(inner);
                    return TRUE;
                },
                counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class MainWindowStartUp : public shell_test::MainWindowFixture {
protected:
    MainWindowStartUp() : MainWindowFixture("shell-start-up-") {
        saved_ = ui::application().on_exception;
        ui::application().on_exception = [this](const std::string& message) { told_.push_back(message); };
    }
    ~MainWindowStartUp() override { ui::application().on_exception = saved_; }

    std::unique_ptr<forms::TMainForm> Start(const wchar_t* description) {
        return forms::CreateMainForm(globals_, library_, folder_ + "\\Velquist.exe", "", description);
    }

    std::vector<std::string> told_;

private:
    std::function<void(const std::string&)> saved_;
};

TEST_F(MainWindowStartUp, BrokenDescriptionIsToldAndLeavesNoWindow) {
    const struct {
        const wchar_t* description;
        std::vector<const char*> named;  // what the message names
    } cases[] = {
        {L"VQNOSUCHMAINFORM", {"VQNOSUCHMAINFORM", "missing"}},
        // A value that does not read: the window, the component and the property.
        {L"VQTESTMAINBADVALUE", {"MainForm", "TrayIconMain", "Interval"}},
        // A part the window needs is not there (renamed).
        {L"VQTESTMAINNOPART", {"MainForm", "listLog"}},
        // The text ends in the middle of the window.
        {L"VQTESTMAINTRUNCATED", {"MainForm"}},
    };
    for (const auto& c : cases) {
        const std::string name = plat::wide_to_gbk(c.description);
        SCOPED_TRACE(name);
        told_.clear();
        const int windows = ThreadWindowCount();
        const int forms = ui::screen().form_count();
        std::unique_ptr<forms::TMainForm> form = Start(c.description);
        EXPECT_EQ(form, nullptr);
        ASSERT_EQ(told_.size(), 1u);
        for (const char* part : c.named) EXPECT_NE(told_[0].find(part), std::string::npos) << told_[0];
        window_test::pump(0);
        EXPECT_EQ(ThreadWindowCount(), windows);
        EXPECT_EQ(ui::screen().form_count(), forms);
    }
    // The stored description makes the window through the same path, and nothing is told.
    told_.clear();
    form_ = Start(forms::kMainFormDescription);
    ASSERT_NE(form_, nullptr);
    EXPECT_TRUE(told_.empty()) << told_.front();
    EXPECT_EQ(form_->name(), "MainForm");
}

} // namespace
