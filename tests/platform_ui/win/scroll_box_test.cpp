// The scroll box under Wine: the bar follows the children's extent and the client height,
// scroll messages and the wheel move the children, and a resize keeps both consistent.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/ui/win/scroll_box.h"
#include "platform/ui/win/std_controls.h"
#include "ui_harness.h"

using namespace ui;

namespace {

constexpr int kRowHeight = 24;
constexpr int kRows = 12;

class ScrollBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::ensure_application();
        form = new Form(nullptr);
        form->set_bounds(40, 40, 260, 220);
        form->set_caption("Scroll box");
        box = new ScrollBox(form);
        box->set_parent(form);
        box->set_bounds(10, 10, 200, 120);
        for (int i = 0; i < kRows; ++i) {
            // Windowed and windowless children alike must move.
            Control* c = i % 2 ? static_cast<Control*>(new Label(form)) : new CheckBox(form);
            c->set_parent(box);
            c->set_bounds(4, i * kRowHeight, 150, 20);
            c->set_text("Row " + std::to_string(i));
            rows.push_back(c);
        }
        form->show();
        uitest::pump();
    }
    void TearDown() override {
        form->free();
        EXPECT_TRUE(uitest::errors().empty());
        uitest::errors().clear();
    }

    SCROLLINFO scroll_info() {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(box->handle(), SB_VERT, &si);
        return si;
    }
    bool bar_shown() { return (GetWindowLongW(box->handle(), GWL_STYLE) & WS_VSCROLL) != 0; }
    // Every row sits where its unscrolled place minus `position` says, in the control and in its window.
    void expect_rows_scrolled_by(int position) {
        for (int i = 0; i < kRows; ++i) {
            EXPECT_EQ(rows[i]->top(), i * kRowHeight - position) << "row " << i;
            if (auto* w = dynamic_cast<WinControl*>(rows[i])) {
                RECT r{};
                GetWindowRect(w->handle(), &r);
                MapWindowPoints(nullptr, box->handle(), reinterpret_cast<POINT*>(&r), 2);
                EXPECT_EQ(r.top, i * kRowHeight - position) << "window of row " << i;
            }
        }
    }

    Form* form = nullptr;
    ScrollBox* box = nullptr;
    std::vector<Control*> rows;
};

TEST_F(ScrollBoxTest, IsRegisteredAsAScrollingWindowedContainer) {
    EXPECT_EQ(box->class_type().name, "TScrollBox");
    EXPECT_TRUE(box->class_type().inherits_from("TScrollingWinControl"));
    EXPECT_TRUE(box->class_type().inherits_from("TWinControl"));
}

TEST_F(ScrollBoxTest, ChildrenTallerThanTheBoxShowTheBarWithTheirExtent) {
    // Labels size themselves to their text: the last row's own height counts.
    const int extent = rows.back()->top() + rows.back()->height();
    EXPECT_EQ(box->content_height(), extent);
    ASSERT_TRUE(bar_shown());
    const SCROLLINFO si = scroll_info();
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, extent - 1);
    EXPECT_EQ(static_cast<int>(si.nPage), box->client_height());
    EXPECT_EQ(si.nPos, 0);
    uitest::screenshot(form->handle(), "scroll_box_top");
}

TEST_F(ScrollBoxTest, ScrollMessagesAndTheWheelMoveTheChildren) {
    const int max = box->content_height() - box->client_height();
    const int page = box->client_height() - 16;
    struct Step {
        const char* what;
        UINT msg;
        WPARAM wparam;
        int expected;
    } steps[] = {
        {"line down", WM_VSCROLL, SB_LINEDOWN, 16},
        {"line down again", WM_VSCROLL, SB_LINEDOWN, 32},
        {"line up", WM_VSCROLL, SB_LINEUP, 16},
        {"page down", WM_VSCROLL, SB_PAGEDOWN, 16 + page},
        {"bottom", WM_VSCROLL, SB_BOTTOM, max},
        {"line down at the bottom stays", WM_VSCROLL, SB_LINEDOWN, max},
        {"top", WM_VSCROLL, SB_TOP, 0},
        {"line up at the top stays", WM_VSCROLL, SB_LINEUP, 0},
        {"thumb", WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 50},
        {"wheel down one notch", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 50 + 48},
        {"half a notch waits", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 50 + 48},
        {"the other half scrolls", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 50},
        {"wheel up far", WM_MOUSEWHEEL, MAKEWPARAM(0, 5 * WHEEL_DELTA), 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        SendMessageW(box->handle(), s.msg, s.wparam, 0);
        EXPECT_EQ(box->scroll_position(), s.expected);
        EXPECT_EQ(scroll_info().nPos, s.expected);
        expect_rows_scrolled_by(s.expected);
    }
    SendMessageW(box->handle(), WM_VSCROLL, SB_BOTTOM, 0);
    uitest::screenshot(form->handle(), "scroll_box_bottom");
    const RECT last = [&] {
        RECT r{};
        GetWindowRect(static_cast<WinControl*>(rows[kRows - 2])->handle(), &r);
        return r;
    }();
    RECT client{};
    GetClientRect(box->handle(), &client);
    MapWindowPoints(box->handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_LE(last.bottom, client.bottom) << "the rows near the end are reachable";
}

TEST_F(ScrollBoxTest, ResizingKeepsThePositionInRangeAndTallEnoughRemovesTheBar) {
    SendMessageW(box->handle(), WM_VSCROLL, SB_BOTTOM, 0);
    const int extent = box->content_height();
    box->set_height(box->height() + 60);
    uitest::pump();
    EXPECT_EQ(box->content_height(), extent) << "the extent does not depend on the scroll position";
    EXPECT_EQ(box->scroll_position(), extent - box->client_height()) << "a taller box shows more of the end";
    expect_rows_scrolled_by(box->scroll_position());
    EXPECT_TRUE(bar_shown());

    form->set_height(form->height() + 300);
    box->set_height(extent + 40);
    uitest::pump();
    EXPECT_FALSE(bar_shown());
    EXPECT_EQ(box->scroll_position(), 0);
    expect_rows_scrolled_by(0);
    SendMessageW(box->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(box->scroll_position(), 0) << "nothing to scroll";
    uitest::screenshot(form->handle(), "scroll_box_tall");

    box->set_height(120);
    uitest::pump();
    EXPECT_TRUE(bar_shown()) << "shrinking again brings the bar back";
}

} // namespace
