#include "platform/ui/persistent.h"

#include "platform/ui/component.h"
#include "platform/ui/string_list.h"
#include "platform/ui/text_util.h"

namespace ui {

bool ClassInfo::inherits_from(std::string_view class_name) const {
    for (const ClassInfo* c = this; c; c = c->parent)
        if (same_text(c->name, class_name)) return true;
    return false;
}

const PropInfo* ClassInfo::find_property(std::string_view prop_name) const {
    for (const ClassInfo* c = this; c; c = c->parent)
        for (const PropInfo& p : c->props)
            if (same_text(p.name, prop_name)) return &p;
    return nullptr;
}

const ObsoleteProperty* ClassInfo::find_obsolete(std::string_view prop_name) const {
    for (const ClassInfo* c = this; c; c = c->parent)
        for (const ObsoleteProperty& p : c->obsolete)
            if (same_text(p.name, prop_name)) return &p;
    return nullptr;
}

const DefinedProperty* ClassInfo::find_defined(std::string_view prop_name) const {
    for (const ClassInfo* c = this; c; c = c->parent)
        for (const DefinedProperty& p : c->defined)
            if (same_text(p.name, prop_name)) return &p;
    return nullptr;
}

std::vector<const DefinedProperty*> ClassInfo::all_defined() const {
    std::vector<const ClassInfo*> chain;
    for (const ClassInfo* c = this; c; c = c->parent) chain.insert(chain.begin(), c);
    std::vector<const DefinedProperty*> out;
    for (const ClassInfo* c : chain)
        for (const DefinedProperty& p : c->defined) out.push_back(&p);
    return out;
}

std::vector<const PropInfo*> ClassInfo::all_properties() const {
    std::vector<const ClassInfo*> chain;
    for (const ClassInfo* c = this; c; c = c->parent) chain.insert(chain.begin(), c);
    std::vector<const PropInfo*> out;
    for (const ClassInfo* c : chain)
        for (const PropInfo& p : c->props) {
            bool hidden = false;
            for (const PropInfo*& seen : out)
                if (same_text(seen->name, p.name)) {
                    seen = &p;  // a derived class redeclares the property
                    hidden = true;
                }
            if (!hidden) out.push_back(&p);
        }
    return out;
}

ClassInfo& Persistent::static_class() {
    static ClassInfo info("TPersistent", nullptr);
    return info;
}

void Persistent::assign(const Persistent& source) {
    if (!source.assign_to(*this))
        throw PropertyError("cannot assign a " + source.class_name() + " to a " + class_name());
}

bool Persistent::assign_to(Persistent&) const { return false; }

std::string Persistent::bound_handler(std::string_view event_name) const {
    auto it = handler_names_.find(lower_ascii(event_name));
    return it == handler_names_.end() ? std::string() : it->second;
}

void Persistent::note_bound_handler(std::string_view event_name, std::string handler) {
    if (handler.empty()) handler_names_.erase(lower_ascii(event_name));
    else handler_names_[lower_ascii(event_name)] = std::move(handler);
}

const PropInfo* find_property(const Persistent& object, std::string_view name) {
    return object.class_type().find_property(name);
}

bool has_property(const Persistent& object, std::string_view name) { return find_property(object, name) != nullptr; }

const PropInfo& property_info(const Persistent& object, std::string_view name) {
    const PropInfo* p = find_property(object, name);
    if (!p) throw PropertyError("class " + object.class_name() + " has no property " + std::string(name));
    return *p;
}

static bool is_ordinal(PropKind k) {
    return k == PropKind::Integer || k == PropKind::Boolean || k == PropKind::Enum || k == PropKind::Set ||
           k == PropKind::Color;
}

static PropertyError kind_error(const PropInfo& p, const char* what) {
    return PropertyError("property " + p.name + " (" + p.type_name + ") " + what);
}

std::string ordinal_to_text(const PropInfo& p, std::int64_t v) {
    if (p.format_text) return p.format_text(v);
    switch (p.kind) {
    case PropKind::Boolean: return v ? "True" : "False";
    case PropKind::Enum: return p.enum_type->name_of(v);
    case PropKind::Set: return p.enum_type->set_to_text(static_cast<std::uint32_t>(v));
    case PropKind::Color: return color_to_text(static_cast<TColor>(v));
    default: return std::to_string(v);
    }
}

std::int64_t ordinal_from_text(const PropInfo& p, std::string_view text) {
    std::string_view t = trim(text);
    if (p.parse_text) {
        if (auto v = p.parse_text(t)) return *v;
        if (auto v = parse_integer(t)) return *v;
        throw PropertyError("invalid value '" + std::string(t) + "' for property " + p.name + " (" + p.type_name + ")");
    }
    switch (p.kind) {
    case PropKind::Boolean:
        if (same_text(t, "True")) return 1;
        if (same_text(t, "False")) return 0;
        break;
    case PropKind::Enum:
        if (auto v = p.enum_type->value_of(t)) return *v;
        break;
    case PropKind::Set:
        if (auto v = p.enum_type->set_from_text(t)) return *v;
        break;
    case PropKind::Color:
        if (auto v = color_from_text(t)) return *v;
        break;
    case PropKind::Integer:
        if (auto v = parse_integer(t)) return *v;
        break;
    default: throw kind_error(p, "is not an ordinal");
    }
    throw PropertyError("invalid value '" + std::string(t) + "' for property " + p.name + " (" + p.type_name + ")");
}

std::string get_property_text(const Persistent& object, std::string_view name) {
    const PropInfo& p = property_info(object, name);
    if (is_ordinal(p.kind)) return ordinal_to_text(p, p.get_ordinal(object));
    switch (p.kind) {
    case PropKind::Float: return float_to_text(p.get_float(object));
    case PropKind::String: return p.get_string(object);
    case PropKind::StringList: {
        auto* list = dynamic_cast<Strings*>(p.get_object(object));
        return list ? list->text() : std::string();
    }
    case PropKind::Reference: {
        auto* c = dynamic_cast<Component*>(p.get_object(object));
        return c ? c->name() : std::string();
    }
    case PropKind::Event: return object.bound_handler(p.name);
    default: throw kind_error(p, "has no text form");
    }
}

void set_property_text(Persistent& object, std::string_view name, std::string_view text) {
    const PropInfo& p = property_info(object, name);
    if (is_ordinal(p.kind)) {
        p.set_ordinal(object, ordinal_from_text(p, text));
        return;
    }
    switch (p.kind) {
    case PropKind::Float: {
        auto v = parse_float(text);
        if (!v) throw PropertyError("invalid number '" + std::string(text) + "' for property " + p.name);
        p.set_float(object, *v);
        return;
    }
    case PropKind::String: p.set_string(object, text); return;
    case PropKind::StringList: {
        auto* list = dynamic_cast<Strings*>(p.get_object(object));
        if (!list) throw kind_error(p, "holds no list");
        list->set_text(text);
        return;
    }
    case PropKind::Reference: {
        Component* target = nullptr;
        if (!trim(text).empty()) {
            auto* self = dynamic_cast<Component*>(&object);
            Component* root = self ? self->root() : nullptr;
            target = root ? root->find_component(trim(text)) : nullptr;
            if (!target) throw PropertyError("property " + p.name + ": no component named " + std::string(trim(text)));
        }
        p.set_reference(object, target);
        return;
    }
    case PropKind::Event: {
        if (trim(text).empty()) {
            p.clear_event(object);
            object.note_bound_handler(p.name, {});
            return;
        }
        auto* self = dynamic_cast<Component*>(&object);
        Component* root = self ? self->root() : nullptr;
        const std::any* handler = root ? root->find_method(trim(text)) : nullptr;
        if (!handler) throw PropertyError("property " + p.name + ": no handler named " + std::string(trim(text)));
        bind_event_property(object, name, trim(text), *handler);
        return;
    }
    default: throw kind_error(p, "cannot be set from text");
    }
}

std::int64_t get_ordinal_property(const Persistent& object, std::string_view name) {
    const PropInfo& p = property_info(object, name);
    if (!is_ordinal(p.kind)) throw kind_error(p, "is not an ordinal");
    return p.get_ordinal(object);
}

void set_ordinal_property(Persistent& object, std::string_view name, std::int64_t value) {
    const PropInfo& p = property_info(object, name);
    if (!is_ordinal(p.kind)) throw kind_error(p, "is not an ordinal");
    if (p.kind == PropKind::Enum && (value < 0 || static_cast<std::size_t>(value) >= p.enum_type->count()))
        throw PropertyError("value " + std::to_string(value) + " is outside " + p.type_name + " for property " + p.name);
    p.set_ordinal(object, value);
}

Persistent* get_object_property(const Persistent& object, std::string_view name) {
    const PropInfo& p = property_info(object, name);
    if (!p.get_object) throw kind_error(p, "is not an object");
    return p.get_object(object);
}

void set_reference_property(Persistent& object, std::string_view name, Component* value) {
    const PropInfo& p = property_info(object, name);
    if (p.kind != PropKind::Reference) throw kind_error(p, "is not a component reference");
    p.set_reference(object, value);
}

void bind_event_property(Persistent& object, std::string_view name, std::string_view handler_name, const std::any& handler) {
    const PropInfo& p = property_info(object, name);
    if (p.kind != PropKind::Event) throw kind_error(p, "is not an event");
    if (!p.bind_event(object, handler))
        throw PropertyError("handler " + std::string(handler_name) + " does not fit event " + p.name + " (" + p.type_name + ")");
    object.note_bound_handler(p.name, std::string(handler_name));
}

} // namespace ui
