#include "station/forms/state_view.h"

#include <gtest/gtest.h>

#include "station/core/gbk_literal.h"
#include "tests/support/fake_transfer_library.h"

namespace {

using station::Gbk;

struct FakeList : forms::IBoardListView {
    struct Row {
        std::string caption;
        int image = forms::kNoImage;
        std::array<std::string, 10> cells;
    };
    std::vector<Row> rows;
    std::array<std::string, forms::kStateColumnCount> headers;
    int selected = -1;
    int writes = 0;
    int relayouts = 0;

    void Clear() override { rows.clear(); }
    void AddRow(const std::string& caption, int image, const std::array<std::string, 10>& cells) override {
        rows.push_back({caption, image, cells});
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    void SetCaptionAndImage(int row, const std::string& caption, int image) override {
        ++writes;
        rows.at(static_cast<std::size_t>(row)).caption = caption;
        rows.at(static_cast<std::size_t>(row)).image = image;
    }
    void SetCell(int row, int column, const std::string& text) override {
        ++writes;
        rows.at(static_cast<std::size_t>(row)).cells.at(static_cast<std::size_t>(column - 1)) = text;
    }
    int SelectedRow() const override { return selected; }
    void SetColumnCaption(int column, const std::string& text) override {
        headers.at(static_cast<std::size_t>(column)) = text;
    }
    void Relayout() override { ++relayouts; }
};

struct FakeButtons : forms::IStateButtons {
    bool enable_on = true, disable_on = true;
    void SetButtonsEnabled(bool e, bool d) override {
        enable_on = e;
        disable_on = d;
    }
};

struct StateViewFixture : ::testing::Test {
    FakeList list;
    FakeButtons buttons;
    station::BoardTable boards;
    int count = 2;
    station::StationTexts texts;
    test_support::FakeTransferLibrary library;
    std::vector<std::pair<std::string, int>> logged;
    forms::TransferStateView view{list, buttons, boards, [this] { return count; }, texts, library,
                                  [this](const std::string& m, int level) { logged.emplace_back(m, level); }};

    StateViewFixture() {
        boards[0].IPAddress = "127.0.0.2";
        boards[0].Description = Gbk(u8"一号");
        boards[0].Serial = "SN0001";
        boards[0].ChanCount = 4;
        boards[1].IPAddress = "127.0.0.3";
        boards[1].ChanCount = 8;
        view.InitFrame();
    }
};

TEST_F(StateViewFixture, InitDisablesButtonsAndRowsComeOnFirstShowOnly) {
    EXPECT_FALSE(buttons.enable_on);
    EXPECT_FALSE(buttons.disable_on);
    view.RefreshRow(0);  // no rows yet: nothing
    EXPECT_TRUE(list.rows.empty());
    view.FirstShow();
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].cells, (std::array<std::string, 10>{"2", "", "127.0.0.3", "", "8", "", "", "", "", ""}));
    EXPECT_EQ(list.rows[0].image, forms::kNoImage);
    count = 3;
    view.FirstShow();  // not rebuilt when the device list changes
    EXPECT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.relayouts, 1);
}

TEST_F(StateViewFixture, RowShowsConnectionStateAndProgress) {
    view.FirstShow();
    station::ABoardInfo& b = boards[0];
    b.Connected = 1;
    b.State = station::StateFTPProcessing;
    b.FilesRemaining = 7;
    b.FileName = "20261210\\0001.ltf";
    b.BytesReceived = 2048;
    b.FileSize = 9000;
    b.SaveFolder = "A";
    view.RefreshRow(0);
    const auto& row = list.rows[0];
    EXPECT_EQ(row.caption, Gbk(u8"已连接"));
    EXPECT_EQ(row.image, 0);
    EXPECT_EQ(row.cells, (std::array<std::string, 10>{"1", Gbk(u8"一号"), "127.0.0.2", "SN0001", "4", "7",
                                                      Gbk(u8"FTP过程中"), "20261210\\0001.ltf", "2048 / 9000", "A"}));
    b.State = station::StateWaiting;
    view.RefreshRow(0);
    EXPECT_EQ(list.rows[0].cells[8], "");
    b.Connected = 0;
    view.RefreshRow(0);
    EXPECT_EQ(list.rows[0].caption, Gbk(u8"未连接"));
    EXPECT_EQ(list.rows[0].image, 1);
    for (int c = 4; c < 9; ++c) EXPECT_EQ(list.rows[0].cells[static_cast<std::size_t>(c)], "") << c;
}

TEST_F(StateViewFixture, UnchangedRowIsNotWrittenAgain) {
    view.FirstShow();
    boards[0].Connected = 1;
    view.RefreshRow(0);
    const int after_first = list.writes;
    EXPECT_GT(after_first, 0);
    view.RefreshRow(0);
    EXPECT_EQ(list.writes, after_first);
    boards[0].FilesRemaining = 3;
    view.RefreshRow(0);
    EXPECT_EQ(list.writes, after_first + 1);
}

TEST_F(StateViewFixture, OutOfRangeIndexesAreIgnored) {
    view.FirstShow();
    for (int index : {-1, 2, 5000}) view.RefreshRow(index);
    EXPECT_EQ(list.writes, 0);
}

TEST_F(StateViewFixture, PausedDeviceShowsDisconnectedEvenWhileConnected) {
    view.FirstShow();
    list.selected = 0;
    boards[0].Connected = 1;
    view.EnableOrDisableDev(true);
    view.RefreshRow(0);
    EXPECT_EQ(list.rows[0].caption, Gbk(u8"未连接"));
    EXPECT_EQ(list.rows[0].image, 2);
    EXPECT_EQ(list.rows[0].cells[1], Gbk(u8"一号(已暂停)"));
}

TEST_F(StateViewFixture, EnableAndDisableSwitchTheLibraryButtonsAndLog) {
    view.FirstShow();
    list.selected = 1;
    view.SelectionChanged();
    EXPECT_FALSE(buttons.enable_on);
    EXPECT_TRUE(buttons.disable_on);

    view.EnableOrDisableDev(true);
    EXPECT_FALSE(boards[1].Enabled);
    EXPECT_TRUE(buttons.enable_on);
    EXPECT_FALSE(buttons.disable_on);
    view.EnableOrDisableDev(false);
    EXPECT_TRUE(boards[1].Enabled);
    EXPECT_EQ(library.enables, (std::vector<std::pair<int, std::int32_t>>{{1, 0}, {1, 1}}));
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], std::make_pair(Gbk(u8"暂停使用设备2 (127.0.0.3)"), 3));
    EXPECT_EQ(logged[1], std::make_pair(Gbk(u8"允许使用设备2 (127.0.0.3)"), 1));
}

TEST_F(StateViewFixture, NoSelectionDisablesBothButtonsAndCallsNothing) {
    view.FirstShow();
    buttons.enable_on = buttons.disable_on = true;
    view.SelectionChanged();
    EXPECT_FALSE(buttons.enable_on || buttons.disable_on);
    buttons.enable_on = buttons.disable_on = true;
    view.EnableOrDisableDev(true);
    EXPECT_FALSE(buttons.enable_on || buttons.disable_on);
    EXPECT_TRUE(library.enables.empty());
}

TEST_F(StateViewFixture, LanguageRenamesColumnsOneToTen) {
    view.ApplyLanguage([](const std::string& key) { return "<" + key + ">"; });
    EXPECT_EQ(list.headers[0], "");
    EXPECT_EQ(list.headers[1], "<ColSt.No>");
    EXPECT_EQ(list.headers[10], "<ColSt.SaveFolder>");
}

} // namespace
