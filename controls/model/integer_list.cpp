#include "controls/model/integer_list.h"

#include <algorithm>
#include <climits>

namespace ec {

namespace {

std::string list_index_text(int index) { return "List index out of bounds (" + std::to_string(index) + ")"; }


std::int32_t stored_integer(const ui::DescValue& v) {
    if (v.kind != ui::DescValue::Kind::Integer || v.integer < INT32_MIN || v.integer > INT32_MAX)
        throw ui::PropertyError(std::string("a 32-bit integer expected, not ") + ui::value_kind_name(v.kind));
    return static_cast<std::int32_t>(v.integer);
}

ui::DescValue integer_value(std::int32_t n) {
    ui::DescValue v;
    v.kind = ui::DescValue::Kind::Integer;
    v.integer = n;
    return v;
}

} // namespace

ui::ClassInfo& IntegerList::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcIntegerList", &ui::Persistent::static_class());
        ui::PropBuilder<IntegerList>(c)
            .defined(
                "Min", [](IntegerList& l, const ui::DescValue& v) { l.set_min(stored_integer(v)); },
                [](const IntegerList& l, ui::DescValue& v) {
                    v = integer_value(l.min());
                    return l.min() != 0;
                })
            .defined(
                "Max", [](IntegerList& l, const ui::DescValue& v) { l.set_max(stored_integer(v)); },
                [](const IntegerList& l, ui::DescValue& v) {
                    v = integer_value(l.max());
                    return l.max() != 0;
                })
            .defined("Integers", &IntegerList::read_integers, &IntegerList::write_integers);
        return c;
    }();
    return info;
}

void IntegerList::read_integers(const ui::DescValue& v) {
    if (v.kind != ui::DescValue::Kind::List)
        throw ui::PropertyError(std::string("a list of integers expected, not ") + ui::value_kind_name(v.kind));
    IntegerList stored;
    for (const ui::DescValue& item : v.list) stored.items_.push_back(stored_integer(item));
    assign(stored);
}

bool IntegerList::write_integers(ui::DescValue& v) const {
    if (items_.empty()) return false;
    v.kind = ui::DescValue::Kind::List;
    for (std::int32_t n : items_) v.list.push_back(integer_value(n));
    return true;
}

void IntegerList::check_index(int index, int limit) const {
    if (index < 0 || index >= limit) throw EListError(list_index_text(index));
}

void IntegerList::check_range(std::int32_t value) const {
    if (min_ != max_ && (value < min_ || value > max_))
        throw EOutOfRange("Value must be within " + std::to_string(min_) + ".." + std::to_string(max_));
}

std::int32_t IntegerList::item(int index) const {
    check_index(index, count());
    return items_[static_cast<std::size_t>(index)];
}

void IntegerList::set_min(std::int32_t value) {
    if (value == min_) return;
    if (std::any_of(items_.begin(), items_.end(), [&](std::int32_t v) { return v < value; }))
        throw EOutOfRange("Unable to set new minimum value.\rList contains values below " + std::to_string(value));
    min_ = value;
    if (max_ < value) max_ = value;
}

void IntegerList::set_max(std::int32_t value) {
    if (value == max_) return;
    if (std::any_of(items_.begin(), items_.end(), [&](std::int32_t v) { return v > value; }))
        throw EOutOfRange("Unable to set new maximum value.\rList contains values above " + std::to_string(value));
    max_ = value;
    if (min_ > value) min_ = value;
}

void IntegerList::set_sorted(bool value) {
    if (value == sorted_) return;
    if (value) sort();
    sorted_ = value;
}

bool IntegerList::find(std::int32_t value, int& index) const {
    int low = 0, high = count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        if (items_[static_cast<std::size_t>(mid)] < value) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (items_[static_cast<std::size_t>(mid)] == value) {
                found = true;
                if (duplicates_ != TEcDuplicatesRule::drAccept) low = mid;
            }
        }
    }
    index = low;
    return found;
}

void IntegerList::put(int index, std::int32_t value) {
    check_index(index, count());
    check_range(value);
    items_[static_cast<std::size_t>(index)] = value;
}

void IntegerList::sort() {
    if (!sorted_ && items_.size() > 1) std::sort(items_.begin(), items_.end());
}

int IntegerList::add(std::int32_t value) {
    if (!sorted_) {
        const int index = count();
        insert_item(index, value);
        return index;
    }
    int index = 0;
    if (find(value, index)) {
        if (duplicates_ == TEcDuplicatesRule::drIgnore) return index;
        if (duplicates_ == TEcDuplicatesRule::drError) throw EListError("Duplicates not allowed");
    }
    insert_item(index, value);
    return index;
}

void IntegerList::add_integers(const IntegerList& list) {
    // A copy first: adding a list to itself must not walk a vector that grows under it.
    const std::vector<std::int32_t> values = list.items_;
    const std::vector<std::int32_t> before = items_;
    try {
        for (std::int32_t v : values) add(v);
    } catch (...) {
        items_ = before;
        throw;
    }
}

void IntegerList::clear() { items_.clear(); }

void IntegerList::delete_at(int index) {
    check_index(index, count());
    items_.erase(items_.begin() + index);
}

void IntegerList::exchange(int index1, int index2) {
    check_index(index1, count());
    check_index(index2, count());
    std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

int IntegerList::index_of(std::int32_t value) const {
    if (sorted_) {
        int index = 0;
        return find(value, index) ? index : -1;
    }
    auto it = std::find(items_.begin(), items_.end(), value);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void IntegerList::insert(int index, std::int32_t value) {
    if (sorted_) throw EListError("Operation not allowed on sorted list");
    check_index(index, count() + 1);
    insert_item(index, value);
}

void IntegerList::insert_item(int index, std::int32_t value) {
    check_index(index, count() + 1);
    check_range(value);
    if (duplicates_ == TEcDuplicatesRule::drIgnore && std::find(items_.begin(), items_.end(), value) != items_.end())
        return;
    items_.insert(items_.begin() + index, value);
}

void IntegerList::move(int cur_index, int new_index) {
    if (cur_index == new_index) return;
    check_index(cur_index, count());
    check_index(new_index, count());
    const std::int32_t value = items_[static_cast<std::size_t>(cur_index)];
    items_.erase(items_.begin() + cur_index);
    items_.insert(items_.begin() + new_index, value);
}

void IntegerList::assign(const ui::Persistent& source) {
    if (const auto* other = dynamic_cast<const IntegerList*>(&source)) {
        if (other == this) return;
        const std::vector<std::int32_t> before = items_;
        clear();
        try {
            add_integers(*other);
        } catch (...) {
            items_ = before;
            throw;
        }
        return;
    }
    Persistent::assign(source);
}

} // namespace ec
