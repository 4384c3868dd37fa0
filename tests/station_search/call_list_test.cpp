#include <gtest/gtest.h>

#include "station/core/search/call_list.h"
#include "tests/station_search/search_fixture.h"

namespace station_search_test {
namespace {

TEST(CallListCells, DirectionImagesAndEmptyRingCount) {
    const StationTexts texts;
    struct Case { int type; const char* text; int image; };
    const Case cases[] = {{0, u8"呼入", 3}, {1, u8"呼出", 2}, {2, u8"未接", 4}, {7, u8"未知", 5}};
    for (const Case& c : cases) {
        ACallLogInfo r;
        r.CallType = c.type;
        const ListCell cell = CallListCell(Gbk(u8"方向"), r, texts);
        EXPECT_EQ(cell.text, Gbk(c.text)) << c.type;
        EXPECT_EQ(cell.image, c.image) << c.type;
    }
    ACallLogInfo r = MakeCall(1, "2012-03-01", "08:00:00", 0, "a.wav");
    r.RingSecs = 4;
    // The list leaves a ring count of 0 empty where the export writes it.
    EXPECT_EQ(CallListCell(Gbk(u8"振铃次数"), r, texts).text, "");
    EXPECT_EQ(CallListCell(Gbk(u8"振铃秒数"), r, texts).text, "");
    r.Rings = 3;
    EXPECT_EQ(CallListCell(Gbk(u8"振铃次数"), r, texts).text, "3");
    EXPECT_EQ(CallListCell(Gbk(u8"振铃秒数"), r, texts).text, "4");
    EXPECT_EQ(CallListCell(Gbk(u8"录音文件"), r, texts).text, "a.wav");
    EXPECT_EQ(CallListCell(Gbk(u8"通道"), r, texts).image, -1);
}

class CallListTest : public ::testing::Test {
protected:
    CallListTest() : list(texts) {
        store.rows = {MakeCall(1, "2012-03-02", "09:00:00", 0, "b.wav"),
                      MakeCall(2, "2012-03-01", "10:00:00", 2, ""),
                      MakeCall(3, "2012-03-03", "08:00:00", 1, "c.wav")};
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const ACallLogInfo& r : list.Records()) ids.push_back(r.ID);
        return ids;
    }
    StationTexts texts;
    ScriptedStore store;
    CallList list;
};

TEST_F(CallListTest, StatusCountsTheListAlsoWhenTheDatabaseFails) {
    EXPECT_EQ(list.Search(store, {}), 3);
    EXPECT_EQ(list.StatusText(), Gbk(u8"共找到 3 条记录"));
    // A database that cannot be opened: the status must not keep the previous count.
    ScriptedStore closed;
    closed.search_result = -1;
    EXPECT_EQ(list.Search(closed, {}), 0);
    EXPECT_EQ(list.StatusText(), Gbk(u8"共找到 0 条记录"));
    // A read that fails midway keeps the rows read before it.
    store.search_result = -1;
    EXPECT_EQ(list.Search(store, {}), 3);
    // A faulty translated format falls back to the built-in one.
    list.SetStatusFormat("%s found");
    EXPECT_EQ(list.StatusText(), Gbk(u8"共找到 3 条记录"));
}

TEST_F(CallListTest, HeaderClicksFlipAndSearchResets) {
    list.Search(store, {});
    const std::string date = Gbk(u8"日期");
    // First click flips the initial ascending: descending.
    EXPECT_FALSE(list.SortByColumn(2, date, true));
    EXPECT_EQ(Ids(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(SortHeaderImage(2, 2, false), 1);
    EXPECT_EQ(SortHeaderImage(0, 2, false), -1);
    EXPECT_TRUE(list.SortByColumn(2, date, true));
    EXPECT_EQ(Ids(), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(SortHeaderImage(2, 2, true), 0);
    // Each column keeps its own direction.
    EXPECT_FALSE(list.SortByColumn(0, Gbk(u8"方向"), true));
    EXPECT_EQ(Ids(), (std::vector<int>{2, 3, 1}));
    // A new search resets every column: the next click sorts descending again.
    list.Search(store, {});
    EXPECT_FALSE(list.SortByColumn(2, date, true));
    // The sort menu sets the direction and sorts without a flip.
    list.SetSortAscending(2, true);
    EXPECT_TRUE(list.SortByColumn(2, date, false));
    EXPECT_EQ(Ids(), (std::vector<int>{2, 1, 3}));
    // A key without comparator keeps the order but still flips.
    EXPECT_FALSE(list.SortByColumn(8, Gbk(u8"录音文件"), true));
    EXPECT_EQ(Ids(), (std::vector<int>{2, 1, 3}));
}

TEST_F(CallListTest, NextAndPreviousSkipMissedCalls) {
    list.Search(store, {});
    EXPECT_EQ(list.AdjacentPlayableRow(0, 1), 2);
    EXPECT_EQ(list.AdjacentPlayableRow(2, -1), 0);
    EXPECT_EQ(list.AdjacentPlayableRow(2, 1), -1);
    EXPECT_EQ(list.AdjacentPlayableRow(0, -1), -1);
}

TEST_F(CallListTest, DeleteRemovesFilesOnlyAfterTheirRows) {
    StationFolder station("search-delete");
    store.data_dir = station.globals().DataDir;
    store.rows.push_back(MakeCall(4, "2012-03-03", "11:00:00", 0, "d.wav"));
    for (const char* rel : {"20120302\\b.wav", "20120303\\c.wav", "20120303\\d.wav"}) station.AddRecording(rel);
    store.failing_deletes = {3};
    list.Search(store, {});
    StationRecordingFiles files(station.globals());
    std::vector<std::string> released;
    const DeleteOutcome outcome =
        list.DeleteRows({0, 1, 2, 3}, store, files, [&](const std::string& path) { released.push_back(path); }, {});
    EXPECT_EQ(outcome.rows_deleted, 3);
    EXPECT_EQ(outcome.files_deleted, 2);
    EXPECT_EQ(store.deleted, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(store.file_present_at_delete, (std::vector<bool>{true, false, true, true}));
    // The missed call has no file to release; the failed row keeps its file and its place.
    EXPECT_EQ(released, (std::vector<std::string>{station.data("20120302\\b.wav"), station.data("20120303\\d.wav")}));
    EXPECT_FALSE(plat::file_exists(station.data("20120302\\b.wav")));
    EXPECT_TRUE(plat::file_exists(station.data("20120303\\c.wav")));
    EXPECT_EQ(Ids(), (std::vector<int>{3}));
    EXPECT_EQ(list.StatusText(), Gbk(u8"共找到 1 条记录"));
}

} // namespace
} // namespace station_search_test
