// The dialogs' questions and messages reach the station's own boxes and bring back the answer.
#include <gtest/gtest.h>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/settings/prompts.h"
#include "tests/station_settings/dialog_driver.h"
#include "tests/support/skinned_session/skinned_session.h"

namespace {

using namespace settings_test;

struct Search {
    std::wstring text;
    HWND box = nullptr;
    HWND button = nullptr;
};

// Clicks the button of the thread's visible box that carries `caption`; without one, closes
// the box so the test cannot hang. True when the button was there.
bool ClickBoxButton(const std::string& caption_gbk) {
    Search search{plat::gbk_to_wide(caption_gbk)};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            if (!IsWindowVisible(top)) return TRUE;
            s->box = top;
            EnumChildWindows(
                top,
                [](HWND child, LPARAM l2) -> BOOL {
                    auto* s2 = reinterpret_cast<Search*>(l2);
                    wchar_t text[64] = {};
                    GetWindowTextW(child, text, 64);
                    if (s2->text == text) s2->button = child;
                    return s2->button == nullptr;
                },
                l);
            return s->button == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.button) ClickButton(search.button);
    else if (search.box) PostMessageW(search.box, WM_CLOSE, 0, 0);
    return search.button != nullptr;
}

TEST(StationPrompts, ConfirmationAnswersAndMessageCloses) {
    ui::application().initialize();
    test_support::SkinnedSession skin;
    station::StationTexts texts;
    forms::StationPrompts prompts(texts);
    const struct { const char* button; bool answer; } cases[] = {{u8"是(&Y)", true}, {u8"否(&N)", false}};
    for (const auto& c : cases) {
        bool clicked = false;
        WhenShown([&] { clicked = ClickBoxButton(station::Gbk(c.button)); });
        EXPECT_EQ(prompts.Confirm(station::Gbk(u8"删除?")), c.answer) << c.button;
        EXPECT_TRUE(clicked) << c.button;
    }
    bool closed = false;
    WhenShown([&] { closed = ClickBoxButton(station::Gbk(u8"确定")); });
    prompts.Inform(station::Gbk(u8"错误"), station::Gbk(u8"路径不存在!"));
    EXPECT_TRUE(closed);
}

} // namespace
