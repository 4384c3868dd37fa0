// The state view's rows on the window class library's list view (report style, read-only,
// whole-row selection): the seam the state view's rules write through.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "station/forms/state_view.h"

namespace forms {

class BoardListView final : public IBoardListView {
public:
    // Sets the list up: its columns with their built-in captions and widths, the small images.
    BoardListView(ui::ListView& list, ui::ImageList* small_images);

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
