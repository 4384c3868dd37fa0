// A list of 32-bit integers with an optional allowed range, optional sorting with a duplicates
// rule and its own stored format ("Min", "Max", "Integers"). The tabbed list box keeps its tab
// stops in one.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/persistent.h"

namespace ec {

UI_ENUM(TEcDuplicatesRule, drIgnore, drAccept, drError)

class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EOutOfRange : public EListError {
public:
    using EListError::EListError;
};

// Every refused operation raises and leaves the list as it was.
class IntegerList : public ui::Persistent {
    UI_CLASS_IDENTITY()
public:
    IntegerList() = default;

    int count() const { return static_cast<int>(items_.size()); }
    std::int32_t item(int index) const;
    const std::vector<std::int32_t>& values() const { return items_; }

    // Min equal to Max means no range.
    std::int32_t min() const { return min_; }
    std::int32_t max() const { return max_; }
    void set_min(std::int32_t value);
    void set_max(std::int32_t value);
    bool sorted() const { return sorted_; }
    // Sorts first, then keeps the list sorted.
    void set_sorted(bool value);
    TEcDuplicatesRule duplicates() const { return duplicates_; }
    void set_duplicates(TEcDuplicatesRule rule) { duplicates_ = rule; }

    // Binary search over an ascending list: true when present; `index` is the insertion point,
    // or where the search met the value unless duplicates are accepted.
    virtual bool find(std::int32_t value, int& index) const;
    virtual void put(int index, std::int32_t value);
    virtual void sort();
    // The index used; an ignored duplicate gives its present index (sorted) or the count.
    virtual int add(std::int32_t value);
    virtual void add_integers(const IntegerList& list);
    virtual void clear();
    virtual void delete_at(int index);
    virtual void exchange(int index1, int index2);
    virtual int index_of(std::int32_t value) const;
    virtual void insert(int index, std::int32_t value);
    virtual void insert_item(int index, std::int32_t value);
    virtual void move(int cur_index, int new_index);

    void assign(const ui::Persistent& source) override;
    friend bool operator==(const IntegerList& a, const IntegerList& b) { return a.items_ == b.items_; }
    friend bool operator!=(const IntegerList& a, const IntegerList& b) { return !(a == b); }

private:
    // The stored "Integers": each value added as Add would (range, sorting, duplicates).
    void read_integers(const ui::DescValue& value);
    bool write_integers(ui::DescValue& value) const;
    void check_index(int index, int limit) const;
    void check_range(std::int32_t value) const;

    std::vector<std::int32_t> items_;
    std::int32_t min_ = 0;
    std::int32_t max_ = 0;
    bool sorted_ = false;
    TEcDuplicatesRule duplicates_ = TEcDuplicatesRule::drIgnore;
};

} // namespace ec
