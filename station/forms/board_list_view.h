// The state view's rows on the window class library's list view (report style, read-only,
// whole-row selection, its columns and small images from the frame's description): the seam the
// state view's rules write through.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "platform/ui/win/list_view.h"
#include "station/forms/state_view.h"

namespace forms {

class BoardListView final : public IBoardListView {
public:
    explicit BoardListView(ui::ListView& list) : list_(list) {}

    void Clear() override;
    void AddRow(const std::string& caption, int image, const std::array<std::string, 10>& cells) override;
    int RowCount() const override;
    void SetCaptionAndImage(int row, const std::string& caption, int image) override;
    void SetCell(int row, int column, const std::string& text) override;
    int SelectedRow() const override;
    void SetColumnCaption(int column, const std::string& text) override;
    void Relayout() override;

private:
    ui::ListView& list_;
};

} // namespace forms
