// Collections of items that belong to one property of one object, such as list-view columns
// or status-bar panels. Descriptions list their items between '<' and '>'.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/persistent.h"

namespace ui {

class Collection;

class CollectionItem : public Persistent {
    UI_CLASS_IDENTITY()
public:
    explicit CollectionItem(Collection* collection) : collection_(collection) {}
    Collection* collection() const { return collection_; }
    int index() const;

protected:
    // Items tell their collection when they change so that the owner can update its window.
    void changed();

private:
    Collection* collection_;
};

class Collection : public Persistent {
    UI_CLASS_IDENTITY()
public:
    using ItemFactory = std::function<std::unique_ptr<CollectionItem>(Collection*)>;
    explicit Collection(ItemFactory factory) : factory_(std::move(factory)) {}

    int count() const { return static_cast<int>(items_.size()); }
    CollectionItem* item(int index) const;  // throws std::out_of_range
    CollectionItem* add();
    void remove(int index);
    void clear();
    int index_of(const CollectionItem* item) const;

    void begin_update() { ++update_count_; }
    void end_update();
    // Told after every change (item nullptr: the whole collection).
    std::function<void(CollectionItem* item)> on_update;

    void item_changed(CollectionItem* item);

private:
    ItemFactory factory_;
    std::vector<std::unique_ptr<CollectionItem>> items_;
    int update_count_ = 0;
};

// A collection whose items are of type T.
template <class T>
class OwnedCollection : public Collection {
public:
    OwnedCollection() : Collection([](Collection* c) { return std::make_unique<T>(c); }) {}
    T* at(int index) const { return static_cast<T*>(item(index)); }
    T* add_item() { return static_cast<T*>(add()); }
};

} // namespace ui
