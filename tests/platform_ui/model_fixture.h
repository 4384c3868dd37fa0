// Small component classes with one published property of every kind, for the portable tests.
#pragma once
#include <vector>

#include "platform/ui/align_layout.h"
#include "platform/ui/collection.h"
#include "platform/ui/component.h"
#include "platform/ui/font.h"
#include "platform/ui/string_list.h"

namespace uitest {

UI_ENUM(TGadgetKind, gkPlain, gkFancy, gkOdd)

class Column : public ui::CollectionItem {
    UI_CLASS_IDENTITY()
public:
    using CollectionItem::CollectionItem;
    std::string caption;
    int width = 50;
};

// Owns nested gadgets (as a panel owns controls) and publishes one property of every kind.
class Gadget : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit Gadget(ui::Component* owner) : Component(owner) {}

    int count = 0;
    bool active = true;
    TGadgetKind kind = TGadgetKind::gkPlain;
    ui::TAnchors anchors{ui::TAnchorKind::akLeft, ui::TAnchorKind::akTop};
    ui::TColor color = ui::clBtnFace;
    double ratio = 0;
    std::string caption;
    ui::StringList items;
    ui::Font font;
    Gadget* buddy = nullptr;
    ui::OwnedCollection<Column> columns;
    ui::NotifyEvent on_click;
    std::function<void(ui::Component*, int&)> on_key;
    std::vector<std::uint8_t> data;

    std::vector<Gadget*> nested;
    std::vector<std::string>* loaded_log = nullptr;
    std::vector<std::string> notified;

    bool adopt_child(ui::Component* child) override {
        auto* g = dynamic_cast<Gadget*>(child);
        if (!g) return false;
        nested.push_back(g);
        g->loaded_log = loaded_log;
        return true;
    }
    std::vector<ui::Component*> children() const override { return {nested.begin(), nested.end()}; }
    void loaded() override {
        Component::loaded();
        if (loaded_log) loaded_log->push_back(name() + (buddy ? "->" + buddy->name() : std::string()));
    }

protected:
    void notification(ui::Component* c, ui::TOperation op) override {
        Component::notification(c, op);
        if (op == ui::TOperation::opRemove) {
            notified.push_back(c->name());
            if (c == buddy) buddy = nullptr;
        }
    }
};

// A gadget subclass that still reads the names older descriptions carry.
class OldGadget : public Gadget {
    UI_CLASS_IDENTITY()
public:
    using Gadget::Gadget;
};

// Not a gadget: gadgets refuse to hold it.
class Stranger : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    using Component::Component;
};

void register_fixture_classes();

} // namespace uitest
