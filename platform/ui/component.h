// Components: named objects owned by another component and freed with it. The owner of a window's
// components is the window; descriptions name components and bind their events to the window's
// handler methods.
#pragma once
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/persistent.h"

namespace ui {

UI_ENUM(TOperation, opInsert, opRemove)
UI_ENUM(TComponentStateFlag, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance)
using TComponentState = SetOf<TComponentStateFlag>;

using NotifyEvent = std::function<void(Component* sender)>;

class Component : public Persistent {
    UI_CLASS_IDENTITY()
public:
    explicit Component(Component* owner);
    ~Component() override;

    Component* owner() const { return owner_; }
    // The top of the owner chain: the window whose description created this component.
    Component* root();
    const std::vector<Component*>& components() const { return components_; }
    int component_count() const { return static_cast<int>(components_.size()); }
    Component* component(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    void insert_component(Component* child);
    void remove_component(Component* child);
    // An owned component by name (case-insensitive), or nullptr.
    Component* find_component(std::string_view name) const;

    const std::string& name() const { return name_; }
    // Throws PropertyError when another component of the same owner has the name.
    virtual void set_name(const std::string& name);
    std::intptr_t tag() const { return tag_; }
    void set_tag(std::intptr_t tag) { tag_ = tag; }

    TComponentState component_state() const { return state_; }
    bool loading() const { return state_.has(TComponentStateFlag::csLoading); }
    bool destroying() const { return state_.has(TComponentStateFlag::csDestroying); }
    void set_state_flag(TComponentStateFlag flag, bool on);
    // Called once after the whole description is read, in creation order.
    virtual void loaded();
    void begin_update() { set_state_flag(TComponentStateFlag::csUpdating, true); }
    void end_update() { set_state_flag(TComponentStateFlag::csUpdating, false); }

    // `other` is told (Notification with opRemove) when this component goes away.
    void free_notification(Component* other);
    void remove_free_notification(Component* other);

    // A component of a description nested under this one: controls take it as a child, menus
    // as an item. Returns false when this class holds no nested components.
    virtual bool adopt_child(Component* child);
    // The nested components in stored order (pages in page order, for instance).
    virtual std::vector<Component*> children() const { return {}; }

    // Handler methods by name, for binding events (normally registered by the window class).
    template <class C, class R, class... A>
    void register_method(std::string name, C* self, R (C::*method)(A...)) {
        std::function<R(A...)> fn = [self, method](A... args) -> R { return (self->*method)(args...); };
        methods_[lower_ascii_key(name)] = fn;
    }
    template <class Fn>
    void register_method(std::string name, Fn fn) {
        methods_[lower_ascii_key(name)] = std::move(fn);
    }
    const std::any* find_method(std::string_view name) const;
    // Takes over another window's handler table, so that a second host read from that window's
    // description binds the same handlers.
    void share_methods(const Component& other) { methods_ = other.methods_; }

    // Interface by query: nullptr when this object does not offer I.
    template <class I>
    I* query_interface() { return dynamic_cast<I*>(this); }

protected:
    // Told when a component is inserted into or removed from this one, and when a component this
    // one asked free notification of goes away. Forwarded to the owned components.
    virtual void notification(Component* component, TOperation operation);
    // Frees every owned component, newest first (their destructors unlink them).
    void destroy_components();
    // Marks the component as going away, tells those that asked and frees the owned components.
    // Derived destructors call it first so that owned components never outlive the members
    // they may still reach; calling it again does nothing more.
    void release_owned();
    // Only marks the component as going away (handlers check it to skip needless work).
    void begin_destruction() { state_.include(TComponentStateFlag::csDestroying); }

private:
    static std::string lower_ascii_key(std::string_view name);

    Component* owner_ = nullptr;
    std::vector<Component*> components_;
    std::vector<Component*> free_notifies_;
    std::map<std::string, std::any> methods_;
    std::string name_;
    std::intptr_t tag_ = 0;
    TComponentState state_;
};

} // namespace ui
