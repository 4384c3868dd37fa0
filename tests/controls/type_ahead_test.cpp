// Type-ahead: the drop-down list and list-box search, the editable combo's completion with a
// small stand-in for the edit window, and GBK characters entering and leaving whole.
#include <gtest/gtest.h>

#include "controls/model/type_ahead.h"

using namespace ec;

namespace {

// GBK 中 and 国; 中文 and 国家 as items.
const std::string kZhong = "\xD6\xD0";
const std::string kGuo = "\xB9\xFA";
const std::string kWen = "\xCE\xC4";
const std::string kJia = "\xBC\xD2";

// A drop-down list or list box: the search, the selection, and the beeps heard.
struct ListFixture {
    explicit ListFixture(std::vector<std::string> texts) : items(std::move(texts)) {}
    std::vector<std::string> items;
    IncrementalSearch search;
    int index = -1;
    int beeps = 0;
    int matches = 0;

    void apply(const SearchStep& step) {
        if (step.invalid) ++beeps;
        if (step.select) index = *step.select;
        if (step.matched) ++matches;
    }
    PrefixFinder finder() const {
        return [this](std::string_view t) { return find_prefix(items, t); };
    }
    void type(const std::string& ch) { apply(search.type(ch, finder())); }
    void backspace() { apply(search.backspace(finder())); }
};

TEST(EcTypeAhead, FindPrefixFollowsThePlatformRule) {
    const std::vector<std::string> items{"ODBC", "access", "Access2", kZhong + kWen};
    struct Case {
        std::string text;
        int found;
    } const cases[] = {
        {"", 0}, {"o", 0}, {"ODBC", 0}, {"odbcx", -1}, {"ACC", 1}, {"access2", 2}, {"x", -1}, {kZhong, 3},
        {kZhong + kWen, 3}, {kGuo, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(find_prefix(items, c.text), c.found) << c.text;
    EXPECT_EQ(find_prefix({}, ""), -1);
}

TEST(EcTypeAhead, GbkCharacterBoundaries) {
    // A trail byte in the lead range: only a scan from the start finds the boundary.
    const std::string text = "a" + kZhong + "\x81\x81" + "b";
    EXPECT_EQ(gbk_char_start_before(text, text.size()), 5u);
    EXPECT_EQ(gbk_char_start_before(text, 5), 3u);
    EXPECT_EQ(gbk_char_start_before(text, 3), 1u);
    EXPECT_EQ(gbk_char_start_before(text, 1), 0u);
    EXPECT_EQ(gbk_char_start_before(text, 0), 0u);
    EXPECT_EQ(gbk_char_length_at(text, 1), 2u);
    EXPECT_EQ(gbk_char_length_at(text, 5), 1u);
    EXPECT_EQ(gbk_char_length_at(text, 6), 0u);
    EXPECT_EQ(gbk_char_length_at("\xD6", 0), 1u);  // a lone lead byte at the end
}

TEST(EcTypeAhead, DropDownListSearchSelectsBeepsAndStartsOverAfterClear) {
    ListFixture list({"ODBC", "ACCESS"});
    list.type("o");
    EXPECT_EQ(list.index, 0);
    EXPECT_EQ(list.search.text(), "o");
    list.type("x");
    EXPECT_EQ(list.beeps, 1);
    EXPECT_EQ(list.index, 0);
    EXPECT_EQ(list.search.text(), "o");
    list.search.clear();  // the search timer ran out
    list.type("a");
    EXPECT_EQ(list.index, 1);
    EXPECT_EQ(list.search.text(), "a");
    EXPECT_EQ(list.matches, 2);
}

TEST(EcTypeAhead, BackspaceInTheSearch) {
    ListFixture list({"ab", "ac", "b"});
    list.backspace();  // nothing typed: a beep, then the first item
    EXPECT_EQ(list.beeps, 1);
    EXPECT_EQ(list.index, 0);

    list.type("a");
    list.type("c");
    EXPECT_EQ(list.index, 1);
    list.backspace();
    EXPECT_EQ(list.search.text(), "a");
    EXPECT_EQ(list.index, 0);
    list.backspace();  // emptied: the first item, no beep, nothing left to search
    EXPECT_EQ(list.search.text(), "");
    EXPECT_EQ(list.index, 0);
    EXPECT_EQ(list.beeps, 1);
}

TEST(EcTypeAhead, ChineseCharactersEnterAndLeaveTheSearchWhole) {
    ListFixture list({kZhong + kWen, kZhong + kGuo, kGuo + kJia});
    list.type(kZhong);
    list.type(kGuo);
    EXPECT_EQ(list.index, 1);
    EXPECT_EQ(list.search.text(), kZhong + kGuo);
    list.backspace();
    EXPECT_EQ(list.search.text(), kZhong);
    EXPECT_EQ(list.index, 0);
    list.type(kJia);  // 中家 matches nothing: the search keeps 中
    EXPECT_EQ(list.beeps, 1);
    EXPECT_EQ(list.search.text(), kZhong);
    list.search.clear();
    list.type(kGuo);
    EXPECT_EQ(list.index, 2);
}

// An editable combo: the completion plus what the edit window does with a key passed on.
struct ComboFixture {
    explicit ComboFixture(std::vector<std::string> texts) : items(std::move(texts)) {}
    std::vector<std::string> items;
    CompletionOptions options;
    ComboCompletion completion;
    EditState edit;
    int index = -1;
    int beeps = 0;
    int changes = 0;
    int matches = 0;

    void apply(const CompletionStep& step, const std::string& key) {
        if (step.invalid) ++beeps;
        if (step.edit) edit = *step.edit;
        if (step.item_index) index = *step.item_index;
        if (step.changed) ++changes;
        if (step.matched) ++matches;
        if (!step.pass_key) return;
        std::size_t start = static_cast<std::size_t>(edit.sel_start);
        if (key == "\b") {
            if (edit.sel_length > 0) {
                edit.text.erase(start, static_cast<std::size_t>(edit.sel_length));
            } else if (start > 0) {
                std::size_t from = gbk_char_start_before(edit.text, start);
                edit.text.erase(from, start - from);
                start = from;
            }
        } else {
            edit.text.replace(start, static_cast<std::size_t>(edit.sel_length), key);
            start += key.size();
        }
        edit.sel_start = static_cast<int>(start);
        edit.sel_length = 0;
    }
    void type(const std::string& ch) { apply(completion.type(ch, edit, index, items, options), ch); }
    void backspace() { apply(completion.backspace(edit, index, items, options), "\b"); }
};

TEST(EcTypeAhead, CompletionSelectsTheCompletedTail) {
    ComboFixture combo({"Alpha", "Alpine"});
    for (const char* ch : {"A", "l", "p"}) combo.type(ch);
    EXPECT_EQ(combo.edit, (EditState{"Alpha", 3, 2}));
    EXPECT_EQ(combo.index, 0);
    combo.type("i");
    EXPECT_EQ(combo.edit, (EditState{"Alpine", 4, 2}));
    EXPECT_EQ(combo.index, 1);
    EXPECT_EQ(combo.matches, 2);
    combo.type("z");  // no match: exactly what was typed
    EXPECT_EQ(combo.edit, (EditState{"Alpiz", 5, 0}));
    EXPECT_EQ(combo.completion.text(), "Alpiz");
    EXPECT_EQ(combo.beeps, 0);
    combo.backspace();
    EXPECT_EQ(combo.edit, (EditState{"Alpine", 4, 2}));
    combo.backspace();  // the caret sits at the end of the search string
    EXPECT_EQ(combo.edit, (EditState{"Alpha", 3, 2}));
}

TEST(EcTypeAhead, CompletionKeepsTheTypedCaseWhenAsked) {
    ComboFixture combo({"Alpha"});
    combo.options.keep_search_case = true;
    combo.type("a");
    combo.type("L");
    EXPECT_EQ(combo.edit, (EditState{"aLpha", 2, 3}));
    EXPECT_EQ(combo.index, -1);
}

TEST(EcTypeAhead, WithoutAllowEditAKeyThatCompletesNothingBeepsAndIsDropped) {
    ComboFixture combo({"Alpha", "Beta"});
    combo.options.allow_edit = false;
    combo.type("b");
    EXPECT_EQ(combo.edit, (EditState{"Beta", 1, 3}));
    const EditState before = combo.edit;
    combo.type("x");
    EXPECT_EQ(combo.beeps, 1);
    EXPECT_EQ(combo.edit, before);
    EXPECT_EQ(combo.completion.text(), "b");
}

TEST(EcTypeAhead, CompletionTakesChineseCharactersWhole) {
    ComboFixture combo({kZhong + kWen, kZhong + kGuo + kJia});
    combo.type(kZhong);
    EXPECT_EQ(combo.edit, (EditState{kZhong + kWen, 2, 2}));
    combo.type(kGuo);
    EXPECT_EQ(combo.edit, (EditState{kZhong + kGuo + kJia, 4, 2}));
    EXPECT_EQ(combo.completion.text(), kZhong + kGuo);
    combo.backspace();
    EXPECT_EQ(combo.completion.text(), kZhong);
    EXPECT_EQ(combo.edit, (EditState{kZhong + kWen, 2, 2}));
    combo.type(kJia);  // 中家: no item, the edit shows what was typed, two characters
    EXPECT_EQ(combo.edit, (EditState{kZhong + kJia, 4, 0}));
    combo.backspace();
    EXPECT_EQ(combo.completion.text(), kZhong);
    combo.backspace();  // emptied: nothing selected, the key goes on to an empty edit
    EXPECT_EQ(combo.completion.text(), "");
    EXPECT_EQ(combo.index, -1);
}

TEST(EcTypeAhead, BackspaceInsideTheSearchString) {
    ComboFixture combo({"abc", "ac"});
    combo.completion.take_text("abx");
    combo.edit = {"abx", 2, 0};  // caret after b
    combo.backspace();
    EXPECT_EQ(combo.completion.text(), "ax");
    EXPECT_EQ(combo.edit, (EditState{"ax", 1, 0}));

    combo.completion.take_text("abc");
    combo.edit = {"abc", 1, 1};  // b selected
    combo.backspace();
    EXPECT_EQ(combo.completion.text(), "ac");
    EXPECT_EQ(combo.edit, (EditState{"ac", 2, 0}));
    EXPECT_EQ(combo.index, 1);

    ComboFixture empty({"abc"});
    empty.backspace();
    EXPECT_EQ(empty.beeps, 1);
}

TEST(EcTypeAhead, WheelOnAClosedCombo) {
    struct Case {
        int index, count;
        bool up;
        WheelStep step;
    } const cases[] = {
        {2, 3, false, {2, false}},  // the last item stays
        {1, 3, false, {2, true}},   {-1, 3, false, {0, true}}, {2, 3, true, {1, true}},
        {0, 3, true, {0, false}},   {-1, 3, true, {0, false}},  {-1, 0, false, {-1, false}},
    };
    for (const Case& c : cases) {
        WheelStep step = combo_wheel_step(c.index, c.count, c.up);
        EXPECT_EQ(step.index, c.step.index) << c.index << (c.up ? " up" : " down");
        EXPECT_EQ(step.changed, c.step.changed) << c.index << (c.up ? " up" : " down");
    }
}

} // namespace
