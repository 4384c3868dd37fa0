#include "station/forms/state_view.h"

#include <algorithm>

#include "station/core/engine/device_use.h"
#include "station/core/gbk_literal.h"

namespace forms {

const std::array<StateColumn, kStateColumnCount>& StateColumns() {
    static const std::array<StateColumn, kStateColumnCount> columns{{
        {"", 80, ""},
        {u8"序号", -1, "ColSt.No"},
        {u8"设备描述", 120, "ColSt.DevDesc"},
        {u8"设备IP 地址", 90, "ColSt.DevAddr"},
        {u8"硬件序列号", 120, "ColSt.HwSerial"},
        {u8"通道数", 60, "ColSt.ChanCount"},
        {u8"未下载文件数", 100, "ColSt.FileNumRemain"},
        {u8"下载状态", 80, "ColSt.DLState"},
        {u8"正下载的文件名", 120, "ColSt.DLFileName"},
        {u8"下载进度", 100, "ColSt.DLProgress"},
        {u8"保存目录", 100, "ColSt.SaveFolder"},
    }};
    return columns;
}

TransferStateView::TransferStateView(IBoardListView& list, IStateButtons& buttons, station::BoardTable& boards,
                                     DeviceCount count, const station::StationTexts& texts,
                                     station::ITransferLibrary& library, LogWriter log)
    : list_(list), buttons_(buttons), boards_(boards), count_(std::move(count)), texts_(texts), library_(library),
      log_(std::move(log)) {}

void TransferStateView::InitFrame() {
    rows_filled_ = false;
    buttons_.SetButtonsEnabled(false, false);
}

void TransferStateView::FirstShow() {
    if (rows_filled_) return;
    rows_filled_ = true;
    list_.Relayout();
    list_.Clear();
    shown_.clear();
    const int count = std::min(count_(), station::kMaxBoards);
    for (int i = 0; i < count; ++i) {
        const station::ABoardInfo& b = boards_[static_cast<std::size_t>(i)];
        ShownRow row;
        row.Cells[0] = std::to_string(i + 1);
        row.Cells[2] = b.IPAddress;
        row.Cells[4] = std::to_string(b.ChanCount);
        list_.AddRow(row.Caption, row.Image, row.Cells);
        shown_.push_back(row);
    }
}

void TransferStateView::RefreshRow(int index) {
    if (!valid_index(index) || index >= list_.RowCount() || index >= static_cast<int>(shown_.size())) return;
    const station::BoardRow wanted =
        station::MakeBoardRow(index, boards_[static_cast<std::size_t>(index)], texts_);
    ShownRow& shown = shown_[static_cast<std::size_t>(index)];
    if (wanted.Caption != shown.Caption || wanted.Image != shown.Image) {
        list_.SetCaptionAndImage(index, wanted.Caption, wanted.Image);
        shown.Caption = wanted.Caption;
        shown.Image = wanted.Image;
    }
    for (std::size_t c = 0; c < wanted.Cells.size(); ++c) {
        if (wanted.Cells[c] == shown.Cells[c]) continue;
        list_.SetCell(index, static_cast<int>(c) + 1, wanted.Cells[c]);
        shown.Cells[c] = wanted.Cells[c];
    }
}

void TransferStateView::ApplyLanguage(const std::function<std::string(const std::string& key)>& text_of) {
    const auto& columns = StateColumns();
    for (int c = 1; c < kStateColumnCount; ++c) {
        const StateColumn& column = columns[static_cast<std::size_t>(c)];
        const std::string text = text_of(column.Key);
        // A header the file lacks keeps a name: the built-in one.
        list_.SetColumnCaption(c, text.empty() ? station::Gbk(column.Caption) : text);
    }
}

void TransferStateView::SelectionChanged() {
    const int row = list_.SelectedRow();
    if (row < 0) {
        buttons_.SetButtonsEnabled(false, false);
        return;
    }
    if (!valid_index(row)) return;
    const bool in_use = boards_[static_cast<std::size_t>(row)].Enabled;
    buttons_.SetButtonsEnabled(!in_use, in_use);
}

void TransferStateView::EnableOrDisableDev(bool disable) {
    const int row = list_.SelectedRow();
    if (row < 0) {
        buttons_.SetButtonsEnabled(false, false);
        return;
    }
    if (!valid_index(row)) return;
    station::ABoardInfo& b = boards_[static_cast<std::size_t>(row)];
    station::SetDeviceInUse(b, row, !disable, library_);
    buttons_.SetButtonsEnabled(disable, !disable);
    if (log_) {
        const char* key = disable ? "Log.DisableDevice" : "Log.EnableDevice";
        log_(texts_.Format(key, {row + 1, b.IPAddress}), disable ? 3 : 1);
    }
}

} // namespace forms
