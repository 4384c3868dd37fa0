// Ownership, names and free notifications of components.
#include <gtest/gtest.h>

#include "model_fixture.h"

using namespace ui;
using uitest::Gadget;

namespace {

struct Probe : Component {
    using Component::Component;
    ~Probe() override {
        if (log) log->push_back(name());
    }
    std::vector<std::string>* log = nullptr;
};

TEST(UiComponents, OwnedComponentsAreFreedWithTheOwnerNewestFirst) {
    std::vector<std::string> freed;
    auto* root = new Component(nullptr);
    for (const char* n : {"a", "b", "c"}) {
        auto* p = new Probe(root);
        p->set_name(n);
        p->log = &freed;
    }
    EXPECT_EQ(root->component_count(), 3);
    delete root;
    EXPECT_EQ(freed, (std::vector<std::string>{"c", "b", "a"}));
}

TEST(UiComponents, FreeingUnlinksFromTheOwner) {
    Component root(nullptr);
    auto* p = new Probe(&root);
    p->set_name("gone");
    EXPECT_EQ(root.find_component("GONE"), p);
    delete p;
    EXPECT_EQ(root.component_count(), 0);
    EXPECT_EQ(root.find_component("gone"), nullptr);
}

TEST(UiComponents, NamesAreUniqueWithinTheOwner) {
    Component root(nullptr);
    Gadget a(&root), b(&root);
    a.set_name("One");
    EXPECT_THROW(b.set_name("one"), PropertyError);
    b.set_name("Two");
    a.set_name("One");  // its own name again is fine
    Component other(nullptr);
    Gadget c(&other);
    c.set_name("One");  // another owner's namespace
}

TEST(UiComponents, FreeNotificationClearsReferencesAcrossOwners) {
    Component first(nullptr);
    Gadget holder(&first);
    auto* second = new Component(nullptr);
    auto* target = new Gadget(second);
    target->set_name("target");
    holder.buddy = target;
    holder.free_notification(target);
    delete second;
    EXPECT_EQ(holder.buddy, nullptr);
    EXPECT_EQ(holder.notified, (std::vector<std::string>{"target"}));
}

TEST(UiComponents, NotifierGoingFirstLeavesNoDanglingLink) {
    Component root(nullptr);
    auto* a = new Gadget(&root);
    auto* b = new Gadget(&root);
    a->free_notification(b);
    delete a;  // b must not later tell a freed a
    delete b;
    SUCCEED();
}

TEST(UiComponents, StateFlagsAndInterfaceQuery) {
    struct Link {
        virtual ~Link() = default;
        virtual int value() = 0;
    };
    struct Linked : Component, Link {
        using Component::Component;
        int value() override { return 5; }
    };
    Component root(nullptr);
    Linked l(&root);
    Gadget g(&root);
    ASSERT_NE(l.query_interface<Link>(), nullptr);
    EXPECT_EQ(l.query_interface<Link>()->value(), 5);
    EXPECT_EQ(g.query_interface<Link>(), nullptr);
    g.begin_update();
    EXPECT_TRUE(g.component_state().has(TComponentStateFlag::csUpdating));
    g.end_update();
    EXPECT_FALSE(g.component_state().has(TComponentStateFlag::csUpdating));
}

} // namespace
