#include "controls/model/type_ahead.h"

#include <algorithm>

namespace ec {

namespace {

bool is_lead_byte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool starts_with_folded(std::string_view item, std::string_view prefix) {
    if (item.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (fold(item[i]) != fold(prefix[i])) return false;
    }
    return true;
}

int clamp_pos(int pos, std::size_t size) { return std::clamp(pos, 0, static_cast<int>(size)); }

} // namespace

std::size_t gbk_char_start_before(std::string_view text, std::size_t end) {
    // A trail byte can look like a lead byte, so the boundaries are only known from the start.
    end = std::min(end, text.size());
    std::size_t pos = 0;
    std::size_t start = 0;
    while (pos < end) {
        start = pos;
        pos += gbk_char_length_at(text, pos);
    }
    return start;
}

std::size_t gbk_char_length_at(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    if (is_lead_byte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

int find_prefix(const std::vector<std::string>& items, std::string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (starts_with_folded(items[i], text)) return static_cast<int>(i);
    }
    return -1;
}

SearchStep IncrementalSearch::type(std::string_view character, const PrefixFinder& find) {
    return search(text_ + std::string(character), find);
}

SearchStep IncrementalSearch::backspace(const PrefixFinder& find) {
    if (text_.empty()) {
        SearchStep step = search(std::string(), find);
        step.invalid = true;
        return step;
    }
    text_.erase(gbk_char_start_before(text_, text_.size()));
    if (!text_.empty()) return search(text_, find);
    SearchStep step;
    step.select = 0;
    return step;
}

SearchStep IncrementalSearch::search(const std::string& text, const PrefixFinder& find) {
    SearchStep step;
    int found = find(text);
    if (found < 0) {
        step.invalid = true;
        return step;
    }
    text_ = text;
    step.select = found;
    step.matched = true;
    return step;
}

CompletionStep ComboCompletion::type(std::string_view character, const EditState& edit, int item_index,
                                     const std::vector<std::string>& items, const CompletionOptions& options) {
    // The selection usually covers a completed tail past the search string; only the part that
    // lies inside it goes.
    std::size_t caret = static_cast<std::size_t>(clamp_pos(edit.sel_start, search_.size()));
    std::size_t sel_end = static_cast<std::size_t>(clamp_pos(edit.sel_start + edit.sel_length, search_.size()));
    search_.erase(caret, sel_end - caret);
    const std::string before = search_;
    search_.insert(caret, character);

    CompletionStep step = complete(item_index, items, options);
    if (step.edit) return step;
    if (options.allow_edit) {
        step.pass_key = true;
        step.edit = EditState{before, static_cast<int>(caret), 0};
    } else {
        step.invalid = true;
        search_ = before;
    }
    return step;
}

CompletionStep ComboCompletion::backspace(const EditState& edit, int item_index, const std::vector<std::string>& items,
                                          const CompletionOptions& options) {
    CompletionStep step;
    if (search_.empty()) {
        step.invalid = true;
        step.pass_key = true;
        return step;
    }
    const std::size_t size = search_.size();
    if (edit.sel_start >= static_cast<int>(size)) {
        search_.erase(gbk_char_start_before(search_, size));
    } else if (edit.sel_length > 0 && options.allow_edit) {
        std::size_t start = static_cast<std::size_t>(clamp_pos(edit.sel_start, size));
        std::size_t end = static_cast<std::size_t>(clamp_pos(edit.sel_start + edit.sel_length, size));
        search_.erase(start, end - start);
        step.item_index = -1;
    } else if (options.allow_edit && edit.sel_start > 0) {
        std::size_t end = static_cast<std::size_t>(edit.sel_start);
        search_.erase(gbk_char_start_before(search_, end), end - gbk_char_start_before(search_, end));
    }
    step.changed = true;
    if (search_.empty()) {
        step.item_index = -1;
        if (options.keep_search_case) step.edit = EditState{};
        step.pass_key = true;
        return step;
    }
    CompletionStep completed = complete(step.item_index.value_or(item_index), items, options);
    if (completed.edit) return completed;
    step.pass_key = true;
    return step;
}

CompletionStep ComboCompletion::complete(int item_index, const std::vector<std::string>& items,
                                         const CompletionOptions& options) {
    CompletionStep step;
    int found = find_prefix(items, search_);
    if (found < 0) return step;
    const std::string& item = items[static_cast<std::size_t>(found)];
    EditState shown;
    shown.text = options.keep_search_case ? search_ + item.substr(search_.size()) : item;
    shown.sel_start = static_cast<int>(search_.size());
    shown.sel_length = static_cast<int>(item.size()) - shown.sel_start;
    step.edit = shown;
    step.changed = true;
    // Keeping the typed case leaves the text unlike the item, so nothing is selected.
    if (!options.keep_search_case) {
        step.item_index = found;
        step.matched = found != item_index;
    }
    return step;
}

WheelStep combo_wheel_step(int item_index, int count, bool up) {
    if (count <= 0) return {-1, false};
    if (up) {
        if (item_index <= 0) return {0, false};
        return {item_index - 1, true};
    }
    if (item_index >= count - 1) return {item_index, false};
    return {item_index + 1, true};
}

} // namespace ec
