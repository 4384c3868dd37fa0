#include "platform/ui/string_list.h"

#include <algorithm>

#include "platform/ui/text_util.h"

namespace ui {

namespace {
int compare_text(std::string_view a, std::string_view b) {
    std::string la = lower_ascii(a), lb = lower_ascii(b);
    return la.compare(lb);
}
} // namespace

ClassInfo& Strings::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TStrings", &Persistent::static_class());
        // "Items.Strings = (...)" in descriptions sets the lines of the list itself.
        PropBuilder<Strings>(c).object("Strings", PropKind::StringList, "TStrings",
                                       [](Strings& s) -> Persistent* { return &s; });
        return c;
    }();
    return info;
}

void Strings::put(int index, const std::string& text) {
    void* obj = object(index);
    remove(index);
    insert(index, text);
    put_object(index, obj);
}

void* Strings::object(int index) const {
    if (index < 0 || index >= count()) index_error(index);
    return nullptr;
}

void Strings::put_object(int index, void*) {
    if (index < 0 || index >= count()) index_error(index);
}

int Strings::add(const std::string& text) {
    int at = count();
    insert(at, text);
    return at;
}

int Strings::add_object(const std::string& text, void* obj) {
    int at = add(text);
    put_object(at, obj);
    return at;
}

void Strings::move(int cur_index, int new_index) {
    if (cur_index == new_index) return;
    const std::string text = get(cur_index);
    void* obj = object(cur_index);
    if (new_index < 0 || new_index >= count()) index_error(new_index);
    begin_update();
    remove(cur_index);
    insert(new_index, text);
    put_object(new_index, obj);
    end_update();
}

void Strings::exchange(int index1, int index2) {
    const std::string text1 = get(index1), text2 = get(index2);
    void* obj1 = object(index1);
    void* obj2 = object(index2);
    begin_update();
    put(index1, text2);
    put_object(index1, obj2);
    put(index2, text1);
    put_object(index2, obj1);
    end_update();
}

void Strings::add_strings(const Strings& other) {
    begin_update();
    for (int i = 0; i < other.count(); ++i) add_object(other.get(i), other.object(i));
    end_update();
}

int Strings::index_of(std::string_view text) const {
    for (int i = 0; i < count(); ++i)
        if (compare_text(get(i), text) == 0) return i;
    return -1;
}

int Strings::index_of_object(const void* obj) const {
    for (int i = 0; i < count(); ++i)
        if (object(i) == obj) return i;
    return -1;
}

std::string Strings::text() const {
    std::string out;
    for (int i = 0; i < count(); ++i) {
        out += get(i);
        out += "\r\n";
    }
    return out;
}

void Strings::set_text(std::string_view text) {
    begin_update();
    clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        add(std::string(text.substr(start, end - start)));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    end_update();
}

std::string Strings::comma_text() const {
    std::string out;
    for (int i = 0; i < count(); ++i) {
        if (i) out += ',';
        std::string s = get(i);
        if (s.empty() || s.find_first_of(" ,\"") != std::string::npos) {
            out += '"';
            for (char c : s) {
                if (c == '"') out += '"';
                out += c;
            }
            out += '"';
        } else {
            out += s;
        }
    }
    return out;
}

void Strings::begin_update() {
    if (update_count_++ == 0) set_update_state(true);
}

void Strings::end_update() {
    if (update_count_ == 0) return;
    if (--update_count_ == 0) set_update_state(false);
}

void Strings::assign(const Persistent& source) {
    if (auto* other = dynamic_cast<const Strings*>(&source)) {
        if (other == this) return;
        begin_update();
        clear();
        add_strings(*other);
        end_update();
        return;
    }
    Persistent::assign(source);
}

std::vector<std::string> Strings::to_vector() const {
    std::vector<std::string> out;
    for (int i = 0; i < count(); ++i) out.push_back(get(i));
    return out;
}

void Strings::index_error(int index) const {
    throw StringListError("list index out of bounds (" + std::to_string(index) + ")");
}

ClassInfo& StringList::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TStringList", &Strings::static_class());
        return c;
    }();
    return info;
}

StringList::StringList(std::vector<std::string> lines) {
    for (auto& l : lines) items_.push_back({std::move(l), nullptr});
}

std::string StringList::get(int index) const {
    if (index < 0 || index >= count()) index_error(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void StringList::put(int index, const std::string& text) {
    if (sorted_) throw StringListError("operation not allowed on a sorted list");
    if (index < 0 || index >= count()) index_error(index);
    changing();
    items_[static_cast<std::size_t>(index)].text = text;
    changed();
}

void* StringList::object(int index) const {
    if (index < 0 || index >= count()) index_error(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void StringList::put_object(int index, void* obj) {
    if (index < 0 || index >= count()) index_error(index);
    changing();
    items_[static_cast<std::size_t>(index)].object = obj;
    changed();
}

void StringList::insert(int index, const std::string& text) {
    if (sorted_) throw StringListError("operation not allowed on a sorted list");
    if (index < 0 || index > count()) index_error(index);
    changing();
    items_.insert(items_.begin() + index, Item{text, nullptr});
    changed();
}

int StringList::add(const std::string& text) {
    if (!sorted_) return Strings::add(text);
    bool found = false;
    int at = find_sorted(text, found);
    changing();
    items_.insert(items_.begin() + at, Item{text, nullptr});
    changed();
    return at;
}

void StringList::remove(int index) {
    if (index < 0 || index >= count()) index_error(index);
    changing();
    items_.erase(items_.begin() + index);
    changed();
}

void StringList::clear() {
    if (items_.empty()) return;
    changing();
    items_.clear();
    changed();
}

int StringList::index_of(std::string_view text) const {
    if (!sorted_) return Strings::index_of(text);
    bool found = false;
    int at = find_sorted(text, found);
    return found ? at : -1;
}

void StringList::set_sorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) sort();
    sorted_ = sorted;
}

void StringList::sort() {
    changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return compare_text(a.text, b.text) < 0; });
    changed();
}

int StringList::find_sorted(std::string_view text, bool& found) const {
    int lo = 0, hi = count();
    found = false;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        int c = compare_text(items_[static_cast<std::size_t>(mid)].text, text);
        if (c < 0) {
            lo = mid + 1;
        } else {
            if (c == 0) found = true;
            hi = mid;
        }
    }
    return lo;
}

void StringList::changing() {
    if (!updating() && on_changing) on_changing(*this);
}

void StringList::changed() {
    if (!updating() && on_change) on_change(*this);
}

void StringList::set_update_state(bool updating_now) {
    if (updating_now) {
        if (on_changing) on_changing(*this);
    } else if (on_change) {
        on_change(*this);
    }
}

} // namespace ui
