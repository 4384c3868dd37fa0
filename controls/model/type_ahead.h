// Type-ahead in lists and combo boxes: the search string a user builds key by key, and the
// completion of an editable combo's text. Texts and positions are GBK bytes; a typed character
// arrives whole (one or two bytes) and Backspace removes one whole character.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ec {

// Byte index where the GBK character that ends at `end` begins (0 when end is 0).
std::size_t gbk_char_start_before(std::string_view text, std::size_t end);
// Byte length of the GBK character at `pos` (0 at the end).
std::size_t gbk_char_length_at(std::string_view text, std::size_t pos);

// The platform's prefix rule (LB_FINDSTRING, CB_FINDSTRING): the first item from the top whose
// start equals `text`, ASCII letters compared without case; the empty text matches the first
// item. -1 when none.
int find_prefix(const std::vector<std::string>& items, std::string_view text);
using PrefixFinder = std::function<int(std::string_view)>;

// What a key did to a list: a beep, a new selected index, and whether it came from a match.
struct SearchStep {
    bool invalid = false;
    std::optional<int> select;
    bool matched = false;
};

// Search in a drop-down list or a list box. The owner clears it when its timer runs out, on a
// navigation key, a click or focus loss.
class IncrementalSearch {
public:
    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

    SearchStep type(std::string_view character, const PrefixFinder& find);
    SearchStep backspace(const PrefixFinder& find);

private:
    SearchStep search(const std::string& text, const PrefixFinder& find);
    std::string text_;
};

// The edit of an editable combo as the completion sees it.
struct EditState {
    std::string text;
    int sel_start = 0;
    int sel_length = 0;
    friend bool operator==(const EditState& a, const EditState& b) {
        return a.text == b.text && a.sel_start == b.sel_start && a.sel_length == b.sel_length;
    }
};

struct CompletionOptions {
    bool allow_edit = true;
    bool keep_search_case = false;
};

// What the combo does with a key: `edit` to show (before the key goes on, when it does),
// `item_index` to select, `changed` fires OnClick and OnChange, `matched` OnMatch.
struct CompletionStep {
    bool invalid = false;
    bool pass_key = false;
    std::optional<EditState> edit;
    std::optional<int> item_index;
    bool changed = false;
    bool matched = false;
};

class ComboCompletion {
public:
    const std::string& text() const { return search_; }
    void clear() { search_.clear(); }
    // Navigation keys, a click and a paste take the edit's text as typed so far.
    void take_text(std::string_view text) { search_ = text; }

    // `items` gives the combo's texts; `item_index` the selection before the key.
    CompletionStep type(std::string_view character, const EditState& edit, int item_index,
                        const std::vector<std::string>& items, const CompletionOptions& options);
    CompletionStep backspace(const EditState& edit, int item_index, const std::vector<std::string>& items,
                             const CompletionOptions& options);
    // Completes the search string as it stands (after a paste or a cut).
    CompletionStep complete(int item_index, const std::vector<std::string>& items, const CompletionOptions& options);

private:
    std::string search_;
};

// Wheel on a closed combo: one item back or forward, never past the ends. `changed` is false
// when the index stays (or, at the top, is set without events).
struct WheelStep {
    int index;
    bool changed;
};
WheelStep combo_wheel_step(int item_index, int count, bool up);

} // namespace ec
