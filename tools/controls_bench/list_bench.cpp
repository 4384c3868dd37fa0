#include "list_bench.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/ec_chk_lst.h"
#include "controls/ec_list_vw.h"
#include "controls/ec_lst_box.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"

namespace {

constexpr int kRows = 1000;

template <class F>
double milliseconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A visible page painted ten times, then every row brought to the top once, painting each.
void time_window(const char* what, HWND window, UINT set_top) {
    drain();
    const double page = milliseconds([&] {
        for (int i = 0; i < 10; ++i) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }) / 10;
    const double scroll = milliseconds([&] {
        for (int i = 0; i < kRows; ++i) {
            if (set_top == LVM_ENSUREVISIBLE) SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(i), FALSE);
            else SendMessageW(window, set_top, static_cast<WPARAM>(i), 0);
            UpdateWindow(window);
        }
    });
    std::printf("  %-40s page %8.2f   end to end %9.1f\n", what, page, scroll);
    std::fflush(stdout);
}

// The call list's way: a report-style list view in owner-data mode over records in memory. The
// result's rows arrive as a count; only the rows shown are ever made.
void time_owner_data(ui::Form& form) {
    auto* calls = new ui::ListView(&form);
    calls->set_parent(&form);
    calls->set_bounds(0, 0, 400, 360);
    calls->set_view_style(ui::TViewStyle::vsReport);
    calls->set_owner_data(true);
    calls->set_multi_select(true);
    calls->set_row_select(true);
    calls->set_read_only(true);
    calls->set_hide_selection(false);
    for (const char* caption : {"Channel", "Date", "Time", "Caller", "Length"}) calls->columns().add_item()->set_caption(caption);
    std::vector<int> records;
    calls->on_data = [&records](ui::Component*, ui::ListItem* item) {
        const int id = records[static_cast<std::size_t>(item->index())];
        item->set_caption(std::to_string(id % 32));
        item->sub_items().add("2026-12-11");
        item->sub_items().add("00:01:" + std::to_string(id % 60));
        item->sub_items().add("02088886666");
        item->sub_items().add(std::to_string(id % 600));
    };
    calls->show();
    drain();
    for (int count : {10000, 100000}) {
        records.clear();
        for (int i = 0; i < count; ++i) records.push_back(i);
        // As a new search does: empty the list, give it the new count, show the first page.
        const double fill = milliseconds([&] {
            calls->set_item_count(0);
            calls->set_item_count(count);
            calls->redraw_rows();
            UpdateWindow(calls->handle());
        });
        const double select_all = milliseconds([&] { calls->select_all(); });
        const double clear = milliseconds([&] { calls->clear_selection(); });
        std::printf("  call list, %6d results: fill and first page %7.2f   select all %7.2f   clear the selection %7.2f\n",
                    count, fill, select_all, clear);
        std::fflush(stdout);
    }
    calls->set_item_count(0);
    calls->set_visible(false);
}

std::string row_text(int i) { return "Channel " + std::to_string(i % 32) + "\t8001\t00:01:" + std::to_string(i % 60); }

} // namespace

void bench_lists() {
    ui::application().initialize();
    ui::register_control_classes();
    ui::Form form(nullptr);
    form.set_bounds(50, 50, 420, 420);
    std::printf("lists of %d rows in a 400 x 360 window, ms\n", kRows);

    auto* list = new ec::TEcListBox(&form);
    list->set_parent(&form);
    list->set_bounds(0, 0, 400, 360);
    list->set_show_groups(true);
    list->items().begin_update();
    for (int i = 0; i < kRows; ++i) list->items().add(i % 20 == 0 ? "//Group " + std::to_string(i / 20) : row_text(i));
    list->items().end_update();
    form.show();
    time_window("list box with group lines", list->handle(), LB_SETTOPINDEX);
    list->set_visible(false);

    auto* checks = new ec::TEcCheckList(&form);
    checks->set_parent(&form);
    checks->set_bounds(0, 0, 400, 360);
    checks->items().begin_update();
    for (int i = 0; i < kRows; ++i) checks->add_checked(row_text(i), i % 3 == 0, i % 7 != 0);
    checks->items().end_update();
    time_window("check list", checks->handle(), LB_SETTOPINDEX);
    checks->set_visible(false);

    auto* view = new ec::TEcListView(&form);
    view->set_parent(&form);
    view->set_bounds(0, 0, 400, 360);
    view->set_view_style(ui::TViewStyle::vsReport);
    for (const char* caption : {"Channel", "Caller", "Length"}) view->columns().add_item()->set_caption(caption);
    view->begin_update();
    for (int i = 0; i < kRows; ++i) {
        ui::ListItem* item = view->add_item();
        item->set_caption(std::to_string(i));
        item->sub_items().add("8001");
        item->sub_items().add("00:01:05");
    }
    view->end_update();
    view->set_sort_column(0, ec::SortDirection::Ascending);
    time_window("list view in report view", view->handle(), LVM_ENSUREVISIBLE);

    view->set_visible(false);
    time_owner_data(form);

    std::string stream;
    for (int i = 0; i < 10000; ++i) stream += "&1 " + std::to_string(i % 3) + " " + row_text(i) + "\r\n";
    const double load = milliseconds([&] { checks->check_strings().load_from_stream(stream); });
    std::printf("  %-40s %8.1f\n", "check list LoadFromStream, 10,000 lines", load);
}
