// The transfer state view: one row per device with its connection, transfer state and
// progress, refreshed from the device table every main-timer tick, and the two buttons that
// take the selected device out of use or put it back. The list and the buttons are seams; the
// window layer implements them over a report-style list view.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "station/core/engine/board_info.h"
#include "station/core/engine/board_row.h"
#include "station/core/engine/transfer_library.h"
#include "station/core/station_texts.h"

namespace forms {

constexpr int kStateColumnCount = 11;
constexpr int kNoImage = -1;

struct StateColumn {
    const char* Caption;  // built-in text (UTF-8 here; GBK once converted)
    int Width;            // -1: the list's default width
    const char* Key;      // language key, empty for the connection column
};
const std::array<StateColumn, kStateColumnCount>& StateColumns();

class IBoardListView {
public:
    virtual ~IBoardListView() = default;
    virtual void Clear() = 0;
    // Appends a row with a caption, an image (kNoImage for none) and the texts of columns 1..10.
    virtual void AddRow(const std::string& caption, int image, const std::array<std::string, 10>& cells) = 0;
    virtual int RowCount() const = 0;
    virtual void SetCaptionAndImage(int row, const std::string& caption, int image) = 0;
    virtual void SetCell(int row, int column, const std::string& text) = 0;  // column 1..10
    virtual int SelectedRow() const = 0;  // -1 when none
    virtual void SetColumnCaption(int column, const std::string& text) = 0;
    // Makes the list lay its columns out (it is widened by one pixel).
    virtual void Relayout() = 0;
};

class IStateButtons {
public:
    virtual ~IStateButtons() = default;
    virtual void SetButtonsEnabled(bool enable_button, bool disable_button) = 0;
};

class TransferStateView {
public:
    using LogWriter = std::function<void(const std::string& message, int level)>;
    using DeviceCount = std::function<int()>;

    TransferStateView(IBoardListView& list, IStateButtons& buttons, station::BoardTable& boards, DeviceCount count,
                      const station::StationTexts& texts, station::ITransferLibrary& library, LogWriter log);

    void InitFrame();
    void FirstShow();
    void RefreshRow(int index);
    // The captions of columns 1..10 from the chosen language (`text_of` reads its named texts).
    void ApplyLanguage(const std::function<std::string(const std::string& key)>& text_of);
    void SelectionChanged();
    // `disable` is the button with tag 1 ("暂停使用"); tag 0 puts the device back in use.
    void EnableOrDisableDev(bool disable);

    bool RowsFilled() const { return rows_filled_; }

private:
    struct ShownRow {
        std::string Caption;
        int Image = kNoImage;
        std::array<std::string, 10> Cells;
    };
    bool valid_index(int index) const { return index >= 0 && index < count_(); }

    IBoardListView& list_;
    IStateButtons& buttons_;
    station::BoardTable& boards_;
    DeviceCount count_;
    const station::StationTexts& texts_;
    station::ITransferLibrary& library_;
    LogWriter log_;
    bool rows_filled_ = false;
    // What each row shows: every cell is compared with it and written only when it differs.
    std::vector<ShownRow> shown_;
};

} // namespace forms
