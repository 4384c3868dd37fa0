// The call list: the system's report-style list view in owner-data mode, so rows are made on
// demand from the frame's records and a result of many thousands costs no list items.
// (The window class library has no list view yet.)
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/win/control.h"
#include "platform/ui/win/image_list.h"
#include "station/core/call_cells.h"
#include "station/core/search/call_list.h"

namespace forms {

using ListCellProvider = station::ListCell(int row, int column);

struct ListColumnSpec {
    std::string caption;  // GBK
    int width = 50;
    station::ColumnAlign align = station::ColumnAlign::Left;
};

class CallListView : public ui::WinControl {
public:
    explicit CallListView(ui::Component* owner);

    void SetSmallImages(ui::ImageList* images);
    void SetHeaderImages(ui::ImageList* images);

    void SetColumns(const std::vector<ListColumnSpec>& columns);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    void SetColumnCaption(int column, const std::string& caption);
    void SetColumnWidth(int column, int width);
    // -1 removes the image.
    void SetColumnImage(int column, int image);
    int ColumnImage(int column) const;
    std::string ColumnCaption(int column) const;

    void SetItemCount(int count);
    int ItemCount() const;

    std::vector<int> SelectedRows() const;
    int SelectedCount() const;
    int FirstSelected() const;
    void SetSelected(int row, bool selected);
    void ClearSelection();
    void SelectAll();
    int FocusedRow() const;
    // Selects the row, makes it the focused one, scrolls it into view.
    void MoveTo(int row);
    void RedrawRows();

    // The cell of `column` (list position) in `row`.
    std::function<ListCellProvider> OnData;
    std::function<void(int column)> OnColumnClick;
    std::function<void(int column, POINT client_point)> OnColumnRightClick;
    std::function<void()> OnClick, OnDblClick, OnChange;

    void wnd_proc(ui::Message& m) override;

protected:
    void create_params(ui::CreateParams& p) override;
    void initialize_window() override;
    void cn_notify(NMHDR& header, ui::Message& m) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;

private:
    HWND list() const { return const_cast<CallListView*>(this)->handle(); }
    HWND header_window() const;
    void insert_column(int index);
    void apply_column(int index);

    ui::ImageList* images_ = nullptr;
    ui::ImageList* header_images_ = nullptr;
    std::vector<ListColumnSpec> columns_;
    std::vector<int> column_images_;
    int item_count_ = 0;
    std::wstring text_buffer_;
};

} // namespace forms
