// The integer list: range, sorting and duplicates rules, and the texts of its refusals.
#include <gtest/gtest.h>

#include <functional>

#include "controls/model/integer_list.h"

using namespace ec;

namespace {

void fill(IntegerList& list, std::initializer_list<std::int32_t> values) {
    for (std::int32_t v : values) list.add(v);
}

std::vector<std::int32_t> values(const IntegerList& list) { return list.values(); }

TEST(EcIntegerList, AddFollowsSortingAndDuplicatesRules) {
    IntegerList plain;
    plain.set_duplicates(TEcDuplicatesRule::drAccept);
    EXPECT_EQ(plain.add(5), 0);
    EXPECT_EQ(plain.add(5), 1);
    EXPECT_EQ(values(plain), (std::vector<std::int32_t>{5, 5}));

    IntegerList ignoring;
    fill(ignoring, {3, 1});
    EXPECT_EQ(ignoring.add(3), 2);  // unsorted, ignored: the count, and nothing added
    EXPECT_EQ(values(ignoring), (std::vector<std::int32_t>{3, 1}));

    IntegerList sorted;
    sorted.set_sorted(true);
    for (std::int32_t v : {7, 2, 9, 2}) sorted.add(v);
    EXPECT_EQ(values(sorted), (std::vector<std::int32_t>{2, 7, 9}));
    EXPECT_EQ(sorted.add(7), 1);  // the present index
    EXPECT_EQ(sorted.index_of(9), 2);
    EXPECT_EQ(sorted.index_of(8), -1);

    sorted.set_duplicates(TEcDuplicatesRule::drAccept);
    EXPECT_EQ(sorted.add(7), 1);
    EXPECT_EQ(values(sorted), (std::vector<std::int32_t>{2, 7, 7, 9}));

    sorted.set_duplicates(TEcDuplicatesRule::drError);
    EXPECT_THROW(
        {
            try {
                sorted.add(9);
            } catch (const EListError& e) {
                EXPECT_STREQ(e.what(), "Duplicates not allowed");
                throw;
            }
        },
        EListError);
    EXPECT_EQ(sorted.count(), 4);
}

TEST(EcIntegerList, SortedSetterSortsThenKeepsOrder) {
    IntegerList list;
    fill(list, {3, 1, 2});
    list.set_sorted(true);
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{1, 2, 3}));
    int index = -1;
    EXPECT_FALSE(list.find(0, index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(list.find(2, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.find(5, index));
    EXPECT_EQ(index, 3);
}

TEST(EcIntegerList, RangeRules) {
    IntegerList same;
    same.set_min(5);
    EXPECT_EQ(same.max(), 5);  // raised with the minimum: Min = Max, no range
    same.add(-100);
    same.add(100);
    EXPECT_EQ(same.count(), 2);

    IntegerList list;
    list.set_max(10);
    EXPECT_EQ(list.add(10), 0);
    EXPECT_EQ(list.add(0), 1);
    EXPECT_EQ(list.min(), 0);
}

struct Refusal {
    const char* what;
    std::function<void(IntegerList&)> action;
    const char* message;
    bool out_of_range;
};

TEST(EcIntegerList, RefusalsRaiseTheirTextsAndChangeNothing) {
    const Refusal refusals[] = {
        {"add outside the range", [](IntegerList& l) { l.add(11); }, "Value must be within 0..10", true},
        {"insert outside the range", [](IntegerList& l) { l.insert(0, -1); }, "Value must be within 0..10", true},
        {"put outside the range", [](IntegerList& l) { l.put(0, 12); }, "Value must be within 0..10", true},
        {"minimum above an item", [](IntegerList& l) { l.set_min(5); },
         "Unable to set new minimum value.\rList contains values below 5", true},
        {"maximum below an item", [](IntegerList& l) { l.set_max(6); },
         "Unable to set new maximum value.\rList contains values above 6", true},
        {"insert past the end", [](IntegerList& l) { l.insert(4, 1); }, "List index out of bounds (4)", false},
        {"insert before the start", [](IntegerList& l) { l.insert(-1, 1); }, "List index out of bounds (-1)", false},
        {"read past the end", [](IntegerList& l) { l.item(3); }, "List index out of bounds (3)", false},
        {"put past the end", [](IntegerList& l) { l.put(3, 1); }, "List index out of bounds (3)", false},
        {"delete past the end", [](IntegerList& l) { l.delete_at(7); }, "List index out of bounds (7)", false},
        {"exchange past the end", [](IntegerList& l) { l.exchange(0, -2); }, "List index out of bounds (-2)", false},
        {"move past the end", [](IntegerList& l) { l.move(3, 0); }, "List index out of bounds (3)", false},
        {"insert into a sorted list", [](IntegerList& l) { l.set_sorted(true); l.insert(0, 4); },
         "Operation not allowed on sorted list", false},
        {"assign with a value out of range",
         [](IntegerList& l) {
             IntegerList wide;
             fill(wide, {1, 50});
             l.assign(wide);
         },
         "Value must be within 0..10", true},
    };
    for (const Refusal& r : refusals) {
        IntegerList list;
        list.set_max(10);
        for (std::int32_t v : {2, 4, 8}) list.add(v);  // in order, so that sorting changes nothing
        const std::vector<std::int32_t> before = values(list);
        try {
            r.action(list);
            ADD_FAILURE() << r.what << ": nothing raised";
        } catch (const EOutOfRange& e) {
            EXPECT_TRUE(r.out_of_range) << r.what;
            EXPECT_STREQ(e.what(), r.message) << r.what;
        } catch (const EListError& e) {
            EXPECT_FALSE(r.out_of_range) << r.what;
            EXPECT_STREQ(e.what(), r.message) << r.what;
        }
        EXPECT_EQ(values(list), before) << r.what;
        EXPECT_EQ(list.min(), 0) << r.what;
        EXPECT_EQ(list.max(), 10) << r.what;
    }
}

TEST(EcIntegerList, ListOperations) {
    IntegerList list;
    fill(list, {1, 2, 3, 4});
    list.move(0, 3);
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{2, 3, 4, 1}));
    list.exchange(0, 3);
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{1, 3, 4, 2}));
    list.delete_at(1);
    list.insert(0, 9);
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{9, 1, 4, 2}));
    list.put(1, 7);
    EXPECT_EQ(list.item(1), 7);
    EXPECT_EQ(list.index_of(4), 2);

    IntegerList copy;
    copy.add(100);
    copy.assign(list);
    EXPECT_TRUE(copy == list);
    copy.assign(copy);
    EXPECT_TRUE(copy == list);
    copy.add_integers(copy);  // itself: each value once more, with duplicates ignored
    EXPECT_TRUE(copy == list);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(copy != list);
}

TEST(EcIntegerList, MinAndMaxPullEachOther) {
    IntegerList list;
    list.set_max(-3);
    EXPECT_EQ(list.min(), -3);
    list.set_min(4);
    EXPECT_EQ(list.max(), 4);
    list.set_min(0);
    EXPECT_EQ(list.max(), 4);
}

} // namespace
