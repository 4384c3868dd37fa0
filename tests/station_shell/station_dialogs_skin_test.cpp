// The station's dialogs opened from the running main window, which carries the skin: each is
// skinned by the main window's component when first activated, its controls take their skins,
// and its later modal shows keep that one skin. The shell's folder and save dialogs, reached
// through the real file-dialog seam, are offered to the same rules as foreign dialogs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/ui/win/subclass.h"
#include "station/core/gbk_literal.h"
#include "station/core/recording_lookup.h"
#include "skin/win/skin_manager.h"
#include "tests/station_shell/screenshots.h"
#include "tests/station_shell/station_views_fixture.h"
#include "tests/support/skinned_session/skinned_session.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/window_test/window_test.h"

namespace {

using shell_test::StationViewsTest;
using station::Gbk;
using test_support::SkinOf;

// A form that is up and whose skin has finished starting.
skin::TWinSkinForm* SkinnedAndShown(ui::Form* form) {
    return window_test::shown(form) ? test_support::Skinned(form->handle()) : nullptr;
}

template <class Form>
Form* OpenForm() {
    for (ui::Form* f : ui::screen().forms())
        if (auto* form = dynamic_cast<Form*>(f)) return form;
    return nullptr;
}

// A visible standard dialog of this thread, or null.
HWND ShownStandardDialog() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM l) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(w, name, 16);
            if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
            reinterpret_cast<Search*>(l)->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Closes the dialog by its button whatever the checks found, so that its modal loop ends.
struct CloseOnExit {
    ui::Form& dialog;
    ui::Control* button;
    ~CloseOnExit() {
        if (button) button->click();
        if (dialog.modal_result() == ui::mrNone) PostMessageW(dialog.handle(), WM_CLOSE, 0, 0);
    }
};

// One dialog of the station: how the person opens it, how the test finds it, what closes it.
struct DialogCase {
    const char* name;
    std::function<ui::Form*()> find;
    std::function<void()> open;
    std::function<ui::Control*(ui::Form&)> close_button;
    // Anything more to look at while it is up the first time (the settings dialog's pages).
    std::function<void(ui::Form&)> first_visit;
};

class SkinnedStationDialogs : public StationViewsTest {
protected:
    // The main window skinned, with the station's own boxes answering the dialogs.
    void OpenSkinned(const std::vector<std::string>& recordings = {}) {
        SeedCalls(recordings);
        Open(/*station_boxes=*/true);
        manager_ = skin::TSkinManage::Instance();
        ASSERT_NE(manager_, nullptr);
        ASSERT_NE(test_support::WaitSkinned(form_->handle()), nullptr) << "the main window is skinned";
    }

    // A recording named by a seeded call, where the station looks for it.
    std::string WriteRecording(const std::string& name) {
        const std::string path = plat::include_trailing_separator(station::SaveBase(globals_)) + name;
        plat::force_directories(plat::extract_file_dir(path));
        EXPECT_TRUE(plat::write_whole_file(path, std::string(64, 'r'))) << path;
        return path;
    }

    // Opens the dialog twice. The first show: skinned by the main window's component, in the
    // manager's list once, its close button among its control skins. The second: the same skin,
    // nothing added to the manager's list or to the window's control skins.
    void ShowsSkinnedTwice(const DialogCase& c) {
        SCOPED_TRACE(c.name);
        skin::TWinSkinForm* first = nullptr;
        std::size_t windows = 0, control_skins = 0;
        window_test::when_modal([&] { return SkinnedAndShown(c.find()) != nullptr; }, [&] {
            ui::Form* dialog = c.find();
            ASSERT_TRUE(dialog && IsWindowVisible(dialog->handle())) << "not shown";
            CloseOnExit closing{*dialog, c.close_button(*dialog)};
            first = SkinnedAndShown(dialog);
            ASSERT_NE(first, nullptr) << "skinned when first activated";
            EXPECT_EQ(first->data(), form_->SkinData1);
            EXPECT_EQ(first->control(), dialog);
            EXPECT_TRUE(first->frame_skinning());
            ui::Control* close = c.close_button(*dialog);
            EXPECT_NE(first->FindControlSkin(close), nullptr) << close->name() << " has its skin";
            windows = manager_->Windows().size();
            control_skins = first->ControlSkins().size();
            EXPECT_EQ(Listed(dialog->handle()), 1);
            window_test::pump(50);
            EXPECT_TRUE(shell_test::SaveScreenshot(dialog->handle(), std::string("skinned_") + c.name));
            if (c.first_visit) c.first_visit(*dialog);
        });
        c.open();
        ASSERT_NE(first, nullptr);

        bool second_seen = false;
        window_test::when_modal([&] { return SkinnedAndShown(c.find()) != nullptr; }, [&] {
            ui::Form* dialog = c.find();
            ASSERT_TRUE(dialog && IsWindowVisible(dialog->handle())) << "not shown again";
            CloseOnExit closing{*dialog, c.close_button(*dialog)};
            second_seen = true;
            EXPECT_EQ(SkinOf(dialog->handle()), first) << "the skin of the first show";
            EXPECT_EQ(manager_->Windows().size(), windows);
            EXPECT_EQ(Listed(dialog->handle()), 1);
            EXPECT_EQ(first->ControlSkins().size(), control_skins) << "no control skinned twice";
        });
        c.open();
        EXPECT_TRUE(second_seen);
        EXPECT_FALSE(IsWindowVisible(c.find()->handle()));
    }

    int Listed(HWND window) const {
        int n = 0;
        for (const auto& f : manager_->Windows())
            if (f->window() == window && !f->dead()) ++n;
        return n;
    }

    skin::TSkinManage* manager_ = nullptr;
};

TEST_F(SkinnedStationDialogs, SettingsColumnChooserAndLogViewer) {
    OpenSkinned();
    forms::TSearchRecFrame& frame = Search();
    const auto settings_pages = [&](ui::Form& dialog) {
        auto& settings = static_cast<forms::TFormSettings&>(dialog);
        ec::TEcPageControl& pages = *settings.pageSettings;
        skin::TWinSkinForm* skin = SkinOf(dialog.handle());
        for (int i = 0; i < pages.page_count(); ++i) {
            ec::TEcTabSheet* page = pages.page(i);
            pages.set_active_page(page);
            window_test::pump(50);
            EXPECT_EQ(SkinOf(dialog.handle()), skin) << page->name();
            EXPECT_TRUE(shell_test::SaveScreenshot(dialog.handle(), std::string("skinned_settings_") + page->name()));
        }
        pages.set_active_page(pages.page(0));
    };
    const DialogCase cases[] = {
        {"settings", [&] { return static_cast<ui::Form*>(views_->Settings()); }, [&] { form_->NodeSysSettings->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TFormSettings&>(d).btnCancel; }, settings_pages},
        {"settings_tool_button", [&] { return static_cast<ui::Form*>(views_->Settings()); },
         [&] { form_->btnSettings->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TFormSettings&>(d).btnCancel; }, {}},
        {"column_chooser", [&] { return static_cast<ui::Form*>(views_->ColumnChooser()); },
         [&] { form_->NodeColumns->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TSelColumnsForm&>(d).btnCancel; }, {}},
        {"column_chooser_header_popup", [&] { return static_cast<ui::Form*>(views_->ColumnChooser()); },
         [&] { frame.NodeSelColumn->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TSelColumnsForm&>(d).btnCancel; }, {}},
        {"log_viewer", [&] { return static_cast<ui::Form*>(views_->LogViewer()); }, [&] { form_->NodeLogFiles->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TViewOrPrintLogForm&>(d).btnClose; }, {}},
    };
    for (const DialogCase& c : cases) ShowsSkinnedTwice(c);
    EXPECT_EQ(SkinOf(form_->handle())->skin_state(), skin::TWinSkinForm::kSkinned) << "the main window keeps its skin";
}

TEST_F(SkinnedStationDialogs, CallPropertiesAndNoteEditor) {
    OpenSkinned();
    forms::TSearchRecFrame& frame = Search();
    ASSERT_EQ(frame.Calls().Count(), 3);
    shell_test::SelectRow(frame.lvCalls->handle(), 0);
    const DialogCase cases[] = {
        {"call_properties", [] { return static_cast<ui::Form*>(OpenForm<forms::TRecLogPropertyForm>()); },
         [&] { frame.NodeProperty->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TRecLogPropertyForm&>(d).btnClose; }, {}},
        {"note_editor", [] { return static_cast<ui::Form*>(OpenForm<forms::TEditCallLogCommentForm>()); },
         [&] { frame.NodeEditNotes->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TEditCallLogCommentForm&>(d).btnCancel; }, {}},
    };
    for (const DialogCase& c : cases) ShowsSkinnedTwice(c);
}

TEST_F(SkinnedStationDialogs, ConfirmationMessageAndMultiConfirmationBoxes) {
    OpenSkinned();
    forms::TSearchRecFrame& frame = Search();
    ASSERT_EQ(frame.Calls().Count(), 3);
    const DialogCase cases[] = {
        // Closing the main window asks first; "no" keeps it running.
        {"confirmation", [&] { return static_cast<ui::Form*>(conf_.get()); }, [&] { form_->btnClose->click(); },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TConfForm&>(d).btnCancel; }, {}},
        // Playing a call without a recording tells so.
        {"message",
         [&] { return static_cast<ui::Form*>(msg_.get()); },
         [&] {
             shell_test::SelectRow(frame.lvCalls->handle(), 0);
             frame.NodePlay->click();
         },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TMsgForm&>(d).btnSure; }, {}},
        // The question the search view asks about each file it would overwrite.
        {"multi_confirmation",
         [&] { return static_cast<ui::Form*>(multi_.get()); },
         [&] {
             EXPECT_EQ(views_->Use.SearchPrompts->MultiConfirm(Gbk(u8"覆盖 call1.wav?")), station::MultiAnswer::NoToAll);
         },
         [](ui::Form& d) -> ui::Control* { return static_cast<forms::TMultiConfForm&>(d).btnNoAll; }, {}},
    };
    for (const DialogCase& c : cases) ShowsSkinnedTwice(c);
    EXPECT_TRUE(IsWindow(form_->handle())) << "still running";
}

// What the engine's filter says of a standard dialog of the shell, from its style: one that asks
// for the foreground (DS_SETFOREGROUND) is left alone, any other is skinned as a foreign window.
struct ShellDialogCase {
    const char* name;
    std::function<void(forms::TSearchRecFrame&)> open;
};

TEST_F(SkinnedStationDialogs, ShellFolderAndSaveDialogsFollowTheForeignDialogRules) {
    OpenSkinned({"call1.wav", "call2.wav", "call3.wav"});
    for (const char* name : {"call1.wav", "call2.wav", "call3.wav"}) WriteRecording(name);
    forms::TSearchRecFrame& frame = Search();
    ASSERT_EQ(frame.Calls().Count(), 3);
    const ShellDialogCase cases[] = {
        // Two calls saved at once: the folder they go to.
        {"shell_folder_dialog",
         [](forms::TSearchRecFrame& f) {
             shell_test::SelectRow(f.lvCalls->handle(), 0);
             shell_test::SelectRow(f.lvCalls->handle(), 1);
             f.NodeSaveAs->click();
         }},
        // One call saved: the file it is saved as.
        {"shell_save_dialog",
         [](forms::TSearchRecFrame& f) {
             shell_test::SelectRow(f.lvCalls->handle(), 1, false);
             shell_test::SelectRow(f.lvCalls->handle(), 0);
             f.NodeSaveAs->click();
         }},
    };
    for (const ShellDialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND dialog = nullptr;
        bool looked = false;
        window_test::when_modal(
            [&] {
                dialog = ShownStandardDialog();
                if (!dialog || GetActiveWindow() != dialog) return false;
                // Activated: the hook has offered it by now; a skin it took has started.
                skin::TWinSkinForm* f = SkinOf(dialog);
                return !f || f->skin_state() == skin::TWinSkinForm::kSkinned;
            },
            [&] {
                ASSERT_NE(dialog, nullptr);
                looked = true;
                const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
                const bool asks_foreground = (style & DS_SETFOREGROUND) != 0;
                skin::TWinSkinForm* skin = SkinOf(dialog);
                if (asks_foreground) {
                    EXPECT_EQ(skin, nullptr) << "a dialog that asks for the foreground is left alone";
                    EXPECT_TRUE(ui::WindowSubclass::layers(dialog).empty());
                    EXPECT_FALSE(manager_->SkinWindow(dialog));
                    EXPECT_EQ(manager_->LastVerdict(), skin::FilterVerdict::kSetForeground);
                } else {
                    ASSERT_NE(skin, nullptr) << "skinned as a foreign dialog";
                    EXPECT_EQ(skin->data(), form_->SkinData1);
                    EXPECT_EQ(skin->control(), nullptr);
                    EXPECT_EQ(skin->class_name(), "#32770");
                    EXPECT_TRUE(skin->frame_skinning());
                    EXPECT_EQ(Listed(dialog), 1);
                }
                window_test::pump(100);
                EXPECT_TRUE(shell_test::SaveScreenshot(dialog, std::string("skinned_") + c.name));
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            });
        c.open(frame);
        EXPECT_TRUE(looked);
        EXPECT_FALSE(IsWindow(dialog)) << "cancelled";
        EXPECT_EQ(Listed(dialog), 0) << "its skin went with it";
    }
    EXPECT_EQ(SkinOf(form_->handle())->skin_state(), skin::TWinSkinForm::kSkinned);
}

}  // namespace
