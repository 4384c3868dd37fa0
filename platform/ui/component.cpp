#include "platform/ui/component.h"

#include <algorithm>

#include "platform/ui/text_util.h"

namespace ui {

ClassInfo& Component::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TComponent", &Persistent::static_class());
        PropBuilder<Component>(c)
            .string("Name", &Component::name, &Component::set_name, "TComponentName")
            .integer("Tag", &Component::tag, &Component::set_tag, 0);
        return c;
    }();
    return info;
}

Component::Component(Component* owner) {
    if (owner) owner->insert_component(this);
}

Component::~Component() {
    release_owned();
    if (owner_) owner_->remove_component(this);
}

void Component::release_owned() {
    state_.include(TComponentStateFlag::csDestroying);
    // Those that asked are told first, while this object is still whole.
    while (!free_notifies_.empty()) {
        Component* other = free_notifies_.back();
        free_notifies_.pop_back();
        auto& back = other->free_notifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->notification(this, TOperation::opRemove);
    }
    destroy_components();
}

Component* Component::root() {
    Component* c = this;
    while (c->owner_) c = c->owner_;
    return c;
}

void Component::insert_component(Component* child) {
    if (!child || child->owner_ == this) return;
    if (child->owner_) child->owner_->remove_component(child);
    components_.push_back(child);
    child->owner_ = this;
    notification(child, TOperation::opInsert);
}

void Component::remove_component(Component* child) {
    auto it = std::find(components_.begin(), components_.end(), child);
    if (it == components_.end()) return;
    notification(child, TOperation::opRemove);
    components_.erase(std::find(components_.begin(), components_.end(), child));
    child->owner_ = nullptr;
}

Component* Component::find_component(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (Component* c : components_)
        if (same_text(c->name_, name)) return c;
    return nullptr;
}

void Component::set_name(const std::string& name) {
    if (name == name_) return;
    if (owner_ && !name.empty()) {
        Component* other = owner_->find_component(name);
        if (other && other != this)
            throw PropertyError("a component named " + name + " already exists");
    }
    name_ = name;
}

void Component::set_state_flag(TComponentStateFlag flag, bool on) {
    if (on) state_.include(flag);
    else state_.exclude(flag);
}

void Component::loaded() { set_state_flag(TComponentStateFlag::csLoading, false); }

void Component::free_notification(Component* other) {
    if (!other || other == this) return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end()) {
        free_notifies_.push_back(other);
        other->free_notifies_.push_back(this);  // both ways: whichever dies first unlinks
    }
    state_.include(TComponentStateFlag::csFreeNotification);
}

void Component::remove_free_notification(Component* other) {
    free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), other), free_notifies_.end());
    if (other) other->free_notifies_.erase(std::remove(other->free_notifies_.begin(), other->free_notifies_.end(), this),
                                           other->free_notifies_.end());
}

bool Component::adopt_child(Component*) { return false; }

const std::any* Component::find_method(std::string_view name) const {
    auto it = methods_.find(lower_ascii_key(name));
    return it == methods_.end() ? nullptr : &it->second;
}

void Component::notification(Component* component, TOperation operation) {
    if (operation != TOperation::opRemove || destroying()) return;
    // A copy: a handler may free components of its own.
    std::vector<Component*> owned = components_;
    for (Component* c : owned)
        if (c != component && std::find(components_.begin(), components_.end(), c) != components_.end())
            c->notification(component, operation);
}

void Component::destroy_components() {
    while (!components_.empty()) delete components_.back();
}

std::string Component::lower_ascii_key(std::string_view name) { return lower_ascii(name); }

} // namespace ui
