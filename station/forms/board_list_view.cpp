#include "station/forms/board_list_view.h"

namespace forms {

void BoardListView::Clear() { list_.clear(); }

void BoardListView::AddRow(const std::string& caption, int image, const std::array<std::string, 10>& cells) {
    ui::ListItem* item = list_.add_item();
    item->sub_items().begin_update();
    for (const std::string& cell : cells) item->sub_items().add(cell);
    item->sub_items().end_update();
    item->set_image_index(image);
    item->set_caption(caption);
}

int BoardListView::RowCount() const { return const_cast<ui::ListView&>(list_).item_count(); }

void BoardListView::SetCaptionAndImage(int row, const std::string& caption, int image) {
    ui::ListItem* item = list_.item(row);
    item->set_image_index(image);
    item->set_caption(caption);
}

void BoardListView::SetCell(int row, int column, const std::string& text) {
    list_.item(row)->sub_items().put(column - 1, text);
}

int BoardListView::SelectedRow() const { return list_.selected_index(); }

void BoardListView::SetColumnCaption(int column, const std::string& text) {
    if (column < 0 || column >= list_.columns().count()) return;
    list_.column(column)->set_caption(text);
}

void BoardListView::Relayout() { list_.set_width(list_.width() + 1); }

} // namespace forms
