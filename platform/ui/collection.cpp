#include "platform/ui/collection.h"

#include <stdexcept>
#include <string>

namespace ui {

ClassInfo& CollectionItem::static_class() {
    static ClassInfo info("TCollectionItem", &Persistent::static_class());
    return info;
}

int CollectionItem::index() const { return collection_ ? collection_->index_of(this) : -1; }

void CollectionItem::changed() {
    if (collection_) collection_->item_changed(this);
}

ClassInfo& Collection::static_class() {
    static ClassInfo info("TCollection", &Persistent::static_class());
    return info;
}

CollectionItem* Collection::item(int index) const {
    if (index < 0 || index >= count()) throw std::out_of_range("collection index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)].get();
}

CollectionItem* Collection::add() {
    items_.push_back(factory_(this));
    item_changed(nullptr);
    return items_.back().get();
}

void Collection::remove(int index) {
    item(index);
    items_.erase(items_.begin() + index);
    item_changed(nullptr);
}

void Collection::clear() {
    if (items_.empty()) return;
    items_.clear();
    item_changed(nullptr);
}

int Collection::index_of(const CollectionItem* it) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == it) return static_cast<int>(i);
    return -1;
}

void Collection::end_update() {
    if (update_count_ > 0 && --update_count_ == 0) item_changed(nullptr);
}

void Collection::item_changed(CollectionItem* it) {
    if (update_count_ == 0 && on_update) on_update(it);
}

} // namespace ui
