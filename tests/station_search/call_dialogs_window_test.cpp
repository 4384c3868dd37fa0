// The call properties and the note editor as read from their descriptions: their parts, a
// description that reads back the same, the call type's glyph from the dialog's own images, and
// the note editor answering through its buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/text_gbk.h"
#include "station/core/gbk_literal.h"
#include "station/forms/search/call_dialogs.h"
#include "tests/support/window_test/button_glyphs.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/window_test/window_test.h"
#include "tests/support/skinned_session/skinned_session.h"

namespace {

using station::Gbk;
using Row = window_test::ComponentRow;

bool Screenshot(HWND window, const std::string& name) {
    return window_test::save_screenshot(window, "screenshots\\station_search", name);
}


std::vector<COLORREF> ImagePixels(ui::ImageList& images, int index) {
    ui::Bitmap picture(16, 16);
    RECT all{0, 0, 16, 16};
    FillRect(picture.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    images.draw(picture.dc(), 0, 0, index);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(picture.dc(), x, y));
    return pixels;
}

class CallDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_test::ensure_application(); }
    // As in the program: every dialog is skinned by the main window's skin when activated.
    test_support::SkinnedSession skin_;
};

TEST_F(CallDialogs, PropertiesDescriptionHoldsItsPartsAndReadsBack) {
    forms::TRecLogPropertyForm dialog(nullptr);
    std::vector<Row> rows = {
        {"ImageList1", "TImageList", "RecLogPropertyForm"},
        {"ImageListButtons", "TImageList", "RecLogPropertyForm"},
        {"pageControl", "TEcPageControl", "RecLogPropertyForm"},
        {"tabGeneral", "TEcTabSheet", "pageControl"},
        {"EcGlyphStatusCallType", "TEcGlyphStatus", "tabGeneral"},
        {"editFilePath", "TEcEdit", "tabGeneral"},
        {"memoComment", "TEcMemo", "tabGeneral"},
        {"btnClose", "TEcBitBtn", "RecLogPropertyForm"},
    };
    for (const char* label : {"labelCallTypeValue", "labelLineIDValue", "labelAgentIDValue", "labelAgentNameValue",
                              "labelStartTimeValue", "labelDurationValue", "labelCallerIDValue",
                              "labelCallerNameValue", "labelDtmfValue", "labelFileSizeValue"})
        rows.push_back({label, "TEcLabel", "tabGeneral"});
    for (const char* border : {"EcBorder1", "EcBorder2", "EcBorder3", "EcBorder4"})
        rows.push_back({border, "TEcBorder", "tabGeneral"});
    window_test::expect_components(dialog, rows);
    window_test::expect_description_round_trip(dialog, [] { return std::make_unique<ui::Form>(nullptr); });

    EXPECT_EQ(dialog.caption(), Gbk(u8"属性"));
    EXPECT_EQ(dialog.tabGeneral->caption(), Gbk(u8"常规    "));
    EXPECT_TRUE(dialog.editFilePath->read_only());
    EXPECT_TRUE(dialog.memoComment->read_only());
    EXPECT_TRUE(dialog.btnClose->is_default() && dialog.btnClose->cancel());
    EXPECT_EQ(dialog.btnClose->modal_result(), ui::mrOk);
    EXPECT_EQ(dialog.EcGlyphStatusCallType->images(), dialog.ImageList1);
    EXPECT_TRUE(window_test::paints_its_image(*dialog.btnClose));
}

TEST_F(CallDialogs, CallTypeGlyphComesFromTheDialogsOwnImages) {
    forms::TRecLogPropertyForm dialog(nullptr);
    ASSERT_EQ(dialog.ImageList1->count(), 5);
    // Outgoing 2, incoming 3, missed 4: three pictures of their own, none of them the blank ones.
    const std::vector<COLORREF> blank = ImagePixels(*dialog.ImageList1, 0);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_NE(ImagePixels(*dialog.ImageList1, i), blank) << i;
        for (int j = i + 1; j <= 4; ++j) EXPECT_NE(ImagePixels(*dialog.ImageList1, i), ImagePixels(*dialog.ImageList1, j));
    }
    const struct {
        const char* name;
        int glyph;       // what the call's type asks for; -1 for an unknown type
        int shown;       // what the pane shows afterwards
        const char* type;
    } cases[] = {
        {"call-properties-in", 3, 3, u8"呼入"},
        {"call-properties-out", 2, 2, u8"呼出"},
        {"call-properties-missed", 4, 4, u8"未接"},
        {"call-properties-unknown", -1, 4, u8"未知"},  // an unknown type leaves the glyph as it was
    };
    for (const auto& c : cases) {
        station::CallProperties p;
        p.glyph = c.glyph;
        p.call_type = Gbk(c.type);
        p.line = Gbk(u8"线路2");
        p.agent_id = p.agent_name = Gbk(u8"未知");
        p.start = "2026-12-11  09:30:00";
        p.duration = "00:01:05";
        p.caller_id = "075512345";
        p.caller_name = Gbk(u8"未知");
        p.note = Gbk(u8"回电");
        if (c.glyph != 4) {
            p.file_path = "D:\\Data\\20261211\\rec2.wav";
            p.file_size = "9 KB";
        }
        window_test::when_modal([&] { return IsWindowVisible(dialog.handle()) != FALSE; }, [&] {
            EXPECT_EQ(dialog.EcGlyphStatusCallType->image_index(), c.shown) << c.name;
            EXPECT_EQ(dialog.labelCallTypeValue->caption(), Gbk(c.type)) << c.name;
            EXPECT_EQ(dialog.editFilePath->text(), p.file_path) << c.name;
            EXPECT_TRUE(Screenshot(dialog.handle(), c.name));
            // Not Esc: a memo that holds the focus keeps that key, as memos do.
            window_test::press_middle(dialog.btnClose->handle());
        });
        dialog.ShowRecord(p);
        EXPECT_EQ(dialog.show_modal(), ui::mrOk) << c.name;
    }
}

TEST_F(CallDialogs, NoteEditorDescriptionHoldsItsPartsAndReadsBack) {
    forms::TEditCallLogCommentForm editor(nullptr);
    window_test::expect_components(editor, {{"labelComment", "TEcLabel", "EditCallLogCommentForm"},
                                            {"memoComment", "TEcMemo", "EditCallLogCommentForm"},
                                            {"btnSure", "TEcBitBtn", "EditCallLogCommentForm"},
                                            {"btnCancel", "TEcBitBtn", "EditCallLogCommentForm"},
                                            {"ImageListButtons", "TImageList", "EditCallLogCommentForm"}});
    window_test::expect_description_round_trip(editor, [] { return std::make_unique<ui::Form>(nullptr); });
    EXPECT_EQ(editor.caption(), Gbk(u8"呼叫记录的备注"));
    EXPECT_EQ(editor.memoComment->max_length(), 200);
    EXPECT_TRUE(editor.btnSure->is_default());
    EXPECT_TRUE(editor.btnCancel->cancel());
    EXPECT_TRUE(window_test::paints_glyph_map(*editor.btnSure, window_test::kTickGlyph));
    EXPECT_TRUE(window_test::paints_glyph_map(*editor.btnCancel, window_test::kCrossGlyph));
}

TEST_F(CallDialogs, NoteEditorAnswersThroughItsButtons) {
    const struct {
        const char* name;
        bool sure;                 // OK, else Cancel
        ui::TModalResult result;
        const wchar_t* kept;       // FComment afterwards
    } cases[] = {
        {"note-editor-sure", true, ui::mrOk, L"typed"},
        {"note-editor-cancel", false, ui::mrCancel, L"  before  "},
    };
    forms::TEditCallLogCommentForm editor(nullptr);  // one editor shown again and again
    for (const auto& c : cases) {
        editor.FComment = L"  before  ";
        std::string shown;
        bool memo_focused = false;
        int limit = 0;
        window_test::when_modal([&] { return window_test::shown(&editor); }, [&] {
            shown = editor.memoComment->text();
            memo_focused = GetFocus() == editor.memoComment->handle();
            limit = static_cast<int>(SendMessageW(editor.memoComment->handle(), EM_GETLIMITTEXT, 0, 0));
            SetWindowTextW(editor.memoComment->handle(), L"  typed ");
            EXPECT_TRUE(Screenshot(editor.handle(), c.name));
            window_test::press_middle((c.sure ? editor.btnSure : editor.btnCancel)->handle());
        });
        EXPECT_EQ(editor.show_modal(), c.result) << c.name;
        EXPECT_EQ(shown, "before") << c.name;
        EXPECT_TRUE(memo_focused) << c.name;
        EXPECT_EQ(limit, 200) << c.name;
        EXPECT_EQ(editor.FComment, c.kept) << c.name;
    }
}

} // namespace
