// The three boxes shown modally: their widths follow their texts, their buttons answer.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/message_boxes.h"
#include "station/forms/station_description.h"
#include "tests/station_shell/screenshots.h"
#include "tests/support/window_test/button_glyphs.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/skinned_session/skinned_session.h"

namespace {

using station::Gbk;

// The width the label's text takes in the label's font, measured apart from the label.
int text_width(const std::string& gbk) {
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, plat::gbk_to_wide(Gbk(u8"宋体")).c_str());
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring wide = plat::gbk_to_wide(gbk);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

// The width the box gave its window. A skinned box keeps its client area and shows the skin's
// borders in place of the system's dialog frame, so the width is read back through the client.
int window_width(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE, WS_EX_DLGMODALFRAME);
    return r.right - r.left;
}

// Up, and skinned as every box of the program is.
bool shown_skinned(forms::StationBox& box) {
    return window_test::shown(&box) && test_support::Skinned(box.handle()) != nullptr;
}

class Boxes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ui::application().initialize(); }
    // As in the program: every dialog is skinned by the main window's skin when activated.
    test_support::SkinnedSession skin_;
    station::StationTexts texts;
};

struct WidthCase {
    const char* name;
    const char* message;   // UTF-8
    int minimum;
};

TEST_F(Boxes, ConfirmationWidthFollowsItsTextAndButtonsAnswer) {
    const WidthCase cases[] = {
        {"confirm_short", u8"退出?", 180},
        {"confirm_long", u8"您确定要关闭本系统吗? 正在下载的录音将在下次启动时继续下载。", 180},
    };
    for (const WidthCase& c : cases) {
        forms::TConfForm box(nullptr, texts);
        box.FMessage = Gbk(c.message);
        int shown_width = 0;
        int label_width = 0;
        window_test::when_modal([&] { return shown_skinned(box); }, [&] {
            shown_width = window_width(box.handle());
            label_width = box.EcLabelMsg->width();
            EXPECT_TRUE(shell_test::SaveScreenshot(box.handle(), c.name));
            box.btnSure->click();
        });
        EXPECT_EQ(box.show_modal(), ui::mrYes) << c.name;
        EXPECT_TRUE(box.FConfirmed);
        const int measured = text_width(box.FMessage + "     ");
        EXPECT_NEAR(label_width, measured, 1) << c.name;
        EXPECT_EQ(shown_width, std::max(label_width + 70, c.minimum)) << c.name;
        EXPECT_EQ(box.btnSure->left(), (shown_width - 2 * box.btnSure->width() - 16) / 2);
        EXPECT_EQ(box.btnCancel->left(), box.btnSure->left() + box.btnSure->width() + 16);
        EXPECT_EQ(box.btnSure->caption(), Gbk(u8"是(&Y)"));
    }
    EXPECT_GT(text_width(Gbk(cases[1].message)) + 70, 180);  // the long case really widens
}

TEST_F(Boxes, ConfirmationEscapeAnswersNo) {
    forms::TConfForm box(nullptr, texts);
    box.FMessage = "?";
    window_test::when_modal([&] { return shown_skinned(box); },
                          [&] { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); });
    box.show_modal();
    EXPECT_FALSE(box.FConfirmed);
}

TEST_F(Boxes, MessageBoxWidensItsLabelAndCentresItsButton) {
    const WidthCase cases[] = {
        {"message_short", u8"好", 100},
        {"message_long", u8"导出完成! 选中了 12 个文件，成功导出了 12 个文件", 100},
    };
    for (const WidthCase& c : cases) {
        forms::TMsgForm box(nullptr, texts);
        box.set_caption(texts.Get("MsgBox.Alerting"));
        box.FMessage = Gbk(c.message);
        int shown_width = 0;
        window_test::when_modal([&] { return shown_skinned(box); }, [&] {
            shown_width = window_width(box.handle());
            EXPECT_TRUE(shell_test::SaveScreenshot(box.handle(), c.name));
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);  // Esc closes it
        });
        box.show_modal();
        const int text = text_width(box.FMessage + " ");
        EXPECT_NEAR(box.EcLabelMsg->width(), text + 18, 1) << c.name;
        EXPECT_EQ(shown_width, std::max(box.EcLabelMsg->width() + 70, c.minimum)) << c.name;
        EXPECT_EQ(box.btnSure->left(), (shown_width - box.btnSure->width()) / 2);
        EXPECT_EQ(box.btnSure->caption(), Gbk(u8"确定"));
    }
}

// The 32 x 32 pixels of a picture DC.
std::vector<COLORREF> Pixels32(HDC dc) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

// The system icon as a box draws it on the button face.
std::vector<COLORREF> IconPixels(LPCWSTR icon) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(dc, 0, 0, LoadIconW(nullptr, icon), 32, 32, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels = Pixels32(dc);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST_F(Boxes, MessageBoxCaptionedErrorShowsTheErrorIcon) {
    const struct {
        const char* name;
        const char* caption;
        LPCWSTR icon;
    } cases[] = {{"message_error", u8"错误", IDI_ERROR},
                 {"message_alerting", u8"提示", IDI_INFORMATION},
                 {"message_error_again", u8"错误", IDI_ERROR}};
    ASSERT_NE(IconPixels(IDI_ERROR), IconPixels(IDI_INFORMATION));
    forms::TMsgForm box(nullptr, texts);  // one box shown again and again, as the station does
    for (const auto& c : cases) {
        box.set_caption(Gbk(c.caption));
        box.FMessage = Gbk(u8"路径不存在!");
        window_test::when_modal([&] { return shown_skinned(box); }, [&] {
            EXPECT_TRUE(shell_test::SaveScreenshot(box.handle(), c.name));
            PostMessageW(box.handle(), WM_CLOSE, 0, 0);
        });
        box.show_modal();
        EXPECT_EQ(box.Icon(), c.icon) << c.name;
        EXPECT_EQ(Pixels32(box.Image1->picture().dc()), IconPixels(c.icon)) << c.name;
    }
}

TEST_F(Boxes, MultiConfirmationGivesEachAnswer) {
    const WidthCase cases[] = {
        {"multi_short", u8"覆盖?", 380},
        {"multi_long", u8"文件'D:\\录音\\20261210\\设备一\\0001.wav'已存在，要覆盖它吗?", 380},
    };
    for (const WidthCase& c : cases) {
        forms::TMultiConfForm box(nullptr);
        box.FMessage = Gbk(c.message);
        int shown_width = 0;
        window_test::when_modal([&] { return shown_skinned(box); }, [&] {
            shown_width = window_width(box.handle());
            EXPECT_TRUE(shell_test::SaveScreenshot(box.handle(), c.name));
            box.btnYesAll->click();
        });
        EXPECT_EQ(box.show_modal(), forms::kYesToAll);
        EXPECT_EQ(shown_width, std::max(box.EcLabelMsg->width() + 70, c.minimum)) << c.name;
        const int w = box.btnYes->width();
        EXPECT_EQ(box.btnYes->left(), (shown_width - 4 * w - 16) / 4);
        EXPECT_EQ(box.btnNoAll->left(), box.btnYes->left() + 3 * (w + 16));
    }
    struct Answer {
        ec::TEcBitBtn* forms::TMultiConfForm::*button;
        ui::TModalResult result;
    } answers[] = {{&forms::TMultiConfForm::btnYes, ui::mrYes},
                   {&forms::TMultiConfForm::btnNO, ui::mrNo},
                   {&forms::TMultiConfForm::btnNoAll, forms::kNoToAll}};
    forms::TMultiConfForm box(nullptr);
    box.FMessage = "?";
    for (const Answer& a : answers) {
        window_test::when_modal([&] { return shown_skinned(box); }, [&] { (box.*a.button)->click(); });
        EXPECT_EQ(box.show_modal(), a.result);
    }
}

TEST_F(Boxes, ButtonsPaintTheirGlyphs) {
    forms::TConfForm confirm(nullptr, texts);
    forms::TMsgForm message(nullptr, texts);
    forms::TMultiConfForm multi(nullptr);
    const struct {
        forms::StationBox& box;
        std::vector<const window_test::GlyphRows*> maps;  // by button; nullptr: no map of its own
        const char* screenshot;
    } cases[] = {
        {confirm, {&window_test::kTickGlyph, &window_test::kCrossGlyph}, "confirm_glyphs"},
        {message, {&window_test::kTickGlyph}, "message_glyphs"},
        {multi, {&window_test::kTickGlyph, &window_test::kCrossGlyph, nullptr, nullptr}, "multi_glyphs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box.name());
        c.box.FMessage = Gbk(u8"要继续吗?");
        window_test::when_modal([&] { return shown_skinned(c.box); }, [&] {
            EXPECT_TRUE(shown_skinned(c.box)) << "skinned";
            EXPECT_EQ(c.box.Buttons.size(), c.maps.size());
            for (std::size_t i = 0; i < c.maps.size() && i < c.box.Buttons.size(); ++i) {
                ec::TEcBitBtn& button = *c.box.Buttons[i];
                RECT glyph{};
                EXPECT_TRUE(window_test::paints_its_image(button, &glyph));
                if (c.maps[i]) {
                    EXPECT_TRUE(window_test::paints_glyph_map(button, *c.maps[i]));
                }
                // The caption keeps the space right of the glyph: it starts after it. (The skin
                // centres glyph and caption together: a one-letter caption puts the glyph's
                // right edge at the middle.)
                EXPECT_LE(glyph.right, button.width() / 2) << button.name();
            }
            EXPECT_TRUE(shell_test::SaveScreenshot(c.box.handle(), c.screenshot));
            PostMessageW(c.box.handle(), WM_CLOSE, 0, 0);
        });
        c.box.show_modal();
    }
    // The two "all" answers have glyphs of their own, not the single ones again.
    EXPECT_NE(multi.btnYesAll->image_index(), multi.btnYes->image_index());
    EXPECT_NE(multi.btnNoAll->image_index(), multi.btnNO->image_index());
}

TEST_F(Boxes, DescriptionsHoldTheirPartsAndReadBack) {
    using Row = window_test::ComponentRow;
    const auto rows = [](const char* box, std::vector<const char*> buttons) {
        std::vector<Row> r{{"Image1", "TImage", box}, {"EcLabelMsg", "TEcLabel", box},
                           {"ImageListButtons", "TImageList", box}};
        for (const char* b : buttons) r.push_back({b, "TEcBitBtn", box});
        return r;
    };
    forms::TConfForm confirm(nullptr, texts);
    forms::TMsgForm message(nullptr, texts);
    forms::TMultiConfForm multi(nullptr);
    const struct {
        ui::Form& box;
        std::vector<Row> rows;
    } cases[] = {
        {confirm, rows("ConfForm", {"btnSure", "btnCancel"})},
        {message, rows("MsgForm", {"btnSure"})},
        {multi, rows("MultiConfForm", {"btnYes", "btnNO", "btnYesAll", "btnNoAll"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box.name());
        window_test::expect_components(c.box, c.rows);
        window_test::expect_description_round_trip(c.box, [] { return std::make_unique<ui::Form>(nullptr); });
    }
    // What the callers rely on: answers, default and cancel buttons, captions as stored.
    EXPECT_EQ(confirm.caption(), Gbk(u8"确认"));
    EXPECT_EQ(confirm.btnSure->modal_result(), ui::mrYes);
    EXPECT_TRUE(confirm.btnSure->is_default());
    EXPECT_EQ(confirm.btnCancel->modal_result(), ui::mrNo);
    EXPECT_TRUE(confirm.btnCancel->cancel());
    EXPECT_TRUE(message.btnSure->is_default() && message.btnSure->cancel());
    EXPECT_EQ(message.btnSure->modal_result(), ui::mrOk);
    EXPECT_EQ(multi.caption(), "MultiConfForm");
    const std::vector<ui::TModalResult> answers = {multi.btnYes->modal_result(), multi.btnNO->modal_result(),
                                                   multi.btnYesAll->modal_result(), multi.btnNoAll->modal_result()};
    EXPECT_EQ(answers, (std::vector<ui::TModalResult>{ui::mrYes, ui::mrNo, forms::kYesToAll, forms::kNoToAll}));
    for (ec::TEcBitBtn* b : multi.Buttons) EXPECT_FALSE(b->cancel()) << "Esc gives Cancel, none of the answers";
    EXPECT_EQ(confirm.EcLabelMsg->font().name(), Gbk(u8"宋体"));
}

TEST_F(Boxes, MissingDescriptionOrPartNamesTheWindow) {
    ui::Form form(nullptr);
    form.set_name("LostForm");
    try {
        forms::LoadStationForm(form, L"VQNOSUCHFORM");
        ADD_FAILURE() << "a missing description must stop the window";
    } catch (const ui::DescriptionError& e) {
        EXPECT_NE(std::string(e.what()).find("VQNOSUCHFORM"), std::string::npos) << e.what();
    }
    forms::TConfForm confirm(nullptr, texts);
    try {
        forms::Part<ui::Button>(confirm, "btnSure");  // there, but of the control set's class
        ADD_FAILURE() << "a part of another class must not pass";
    } catch (const ui::DescriptionError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("ConfForm"), std::string::npos) << what;
        EXPECT_NE(what.find("btnSure"), std::string::npos) << what;
    }
}

} // namespace
