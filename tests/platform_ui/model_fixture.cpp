#include "model_fixture.h"

#include "platform/ui/description_reader.h"

namespace uitest {

using namespace ui;

ClassInfo& Column::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TColumn", &CollectionItem::static_class());
        PropBuilder<Column>(c)
            .string("Caption", [](const Column& x) { return x.caption; }, [](Column& x, std::string v) { x.caption = v; })
            .integer("Width", [](const Column& x) { return x.width; }, [](Column& x, int v) { x.width = v; }, 50);
        return c;
    }();
    return info;
}

ClassInfo& Gadget::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TGadget", &Component::static_class());
        c.factory = factory_of<Gadget>();
        PropBuilder<Gadget>(c)
            .integer("Count", [](const Gadget& g) { return g.count; }, [](Gadget& g, int v) { g.count = v; })
            .boolean("Active", [](const Gadget& g) { return g.active; }, [](Gadget& g, bool v) { g.active = v; }, true)
            .enumeration("Kind", [](const Gadget& g) { return g.kind; }, [](Gadget& g, TGadgetKind v) { g.kind = v; },
                         TGadgetKind::gkPlain)
            .set("Anchors", "TAnchors", [](const Gadget& g) { return g.anchors; }, [](Gadget& g, TAnchors v) { g.anchors = v; },
                 TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop})
            .color("Color", [](const Gadget& g) { return g.color; }, [](Gadget& g, TColor v) { g.color = v; }, clBtnFace)
            .floating("Ratio", [](const Gadget& g) { return g.ratio; }, [](Gadget& g, double v) { g.ratio = v; })
            .string("Caption", [](const Gadget& g) { return g.caption; }, [](Gadget& g, std::string v) { g.caption = v; },
                    "TCaption")
            .object("Items", PropKind::StringList, "TStrings", [](Gadget& g) -> Persistent* { return &g.items; })
            .object("Font", PropKind::Object, "TFont", [](Gadget& g) -> Persistent* { return &g.font; })
            .reference<Gadget>("Buddy", "TGadget", [](const Gadget& g) { return g.buddy; },
                               [](Gadget& g, Gadget* v) {
                                   g.buddy = v;
                                   if (v) g.free_notification(v);
                               })
            .object("Columns", PropKind::Collection, "TColumns", [](Gadget& g) -> Persistent* { return &g.columns; })
            .event("OnClick", "TNotifyEvent", &Gadget::on_click)
            .event("OnKey", "TKeyEvent", &Gadget::on_key)
            .binary("Data", "TBytes", [](Gadget& g, const std::vector<std::uint8_t>& v) { g.data = v; });
        return c;
    }();
    return info;
}

ClassInfo& OldGadget::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TOldGadget", &Gadget::static_class());
        c.factory = factory_of<OldGadget>();
        PropBuilder<OldGadget>(c)
            .obsolete("FrameFlat", ObsoleteValue::Boolean)
            .obsolete("FrameFocusStyle", ObsoleteValue::Identifier)
            .obsolete("FixedDimension", ObsoleteValue::Integer)
            .obsolete("FrameSides", ObsoleteValue::Set)
            .obsolete("FrameColor", ObsoleteValue::ColorOrInteger)
            .obsolete("ToolbarControls", ObsoleteValue::IdentifierList)
            .obsolete("ItemEnabled", ObsoleteValue::BooleanList)
            .obsolete("ItemState", ObsoleteValue::IntegerList);
        return c;
    }();
    return info;
}

ClassInfo& Stranger::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TStranger", &Component::static_class());
        c.factory = factory_of<Stranger>();
        return c;
    }();
    return info;
}

void register_fixture_classes() {
    register_class(Gadget::static_class());
    register_class(OldGadget::static_class());
    register_class(Stranger::static_class());
}

} // namespace uitest
