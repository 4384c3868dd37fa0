#include "platform/ui/description_reader.h"

#include <map>

#include "platform/text_gbk.h"
#include "platform/ui/collection.h"
#include "platform/ui/string_list.h"
#include "platform/ui/text_util.h"

namespace ui {

namespace {

std::map<std::string, const ClassInfo*>& class_registry() {
    static std::map<std::string, const ClassInfo*> registry;
    return registry;
}

struct Fixup {
    Persistent* object;
    const PropInfo* prop;
    std::string target;
    std::string component;
    int line;
};

class Reader {
public:
    explicit Reader(Component& root) : root_(root) {}

    void read(const DescObject& desc) {
        window_ = desc.name;
        if (root_.name().empty()) wrap(desc.name, "Name", desc.line, [&] { root_.set_name(free_root_name(desc.name)); });
        begin_loading(root_);
        apply_properties(root_, desc.name, desc.properties);
        create_children(root_, desc);
        resolve_fixups();
        for (Component* c : created_) c->set_state_flag(TComponentStateFlag::csReading, false);
        for (Component* c : created_) c->loaded();
    }

private:
    [[noreturn]] void fail(const std::string& component, const std::string& prop, int line, const std::string& what) const {
        std::string msg = "window '" + window_ + "', component '" + component + "'";
        if (!prop.empty()) msg += ", property '" + prop + "'";
        msg += ": " + what + " (line " + std::to_string(line) + ")";
        throw DescriptionError(msg);
    }

    template <class F>
    void wrap(const std::string& component, const std::string& prop, int line, F&& f) {
        try {
            f();
        } catch (const DescriptionError&) {
            throw;
        } catch (const std::exception& e) {
            fail(component, prop, line, e.what());
        }
    }

    // A second window of the same description under one owner (two frames of a kind owned by
    // the application) gets the name with "_2", "_3"... appended.
    std::string free_root_name(const std::string& wanted) const {
        Component* owner = root_.owner();
        if (!owner || !owner->find_component(wanted)) return wanted;
        for (int n = 2;; ++n) {
            std::string candidate = wanted + "_" + std::to_string(n);
            if (!owner->find_component(candidate)) return candidate;
        }
    }

    void begin_loading(Component& c) {
        c.set_state_flag(TComponentStateFlag::csLoading, true);
        c.set_state_flag(TComponentStateFlag::csReading, true);
        created_.push_back(&c);
    }

    void create_children(Component& parent, const DescObject& desc) {
        for (const DescObject& child : desc.children) {
            const ClassInfo* cls = find_registered_class(child.class_name);
            if (!cls) fail(child.name, {}, child.line, "unknown class " + child.class_name);
            Component* c = nullptr;
            wrap(child.name, {}, child.line, [&] { c = cls->factory(&root_); });
            begin_loading(*c);
            wrap(child.name, "Name", child.line, [&] { c->set_name(child.name); });
            bool adopted = false;
            wrap(child.name, {}, child.line, [&] { adopted = parent.adopt_child(c); });
            if (!adopted) fail(child.name, {}, child.line, parent.class_name() + " cannot hold a " + child.class_name);
            apply_properties(*c, child.name, child.properties);
            create_children(*c, child);
        }
    }

    void apply_properties(Persistent& object, const std::string& component, const std::vector<DescProperty>& props) {
        for (const DescProperty& p : props) apply(object, component, p);
    }

    void apply(Persistent& object, const std::string& component, const DescProperty& p) {
        // Walk "Font.Name" down to the nested object that holds the last part.
        Persistent* target = &object;
        std::string_view path = p.name;
        for (std::size_t dot; (dot = path.find('.')) != std::string_view::npos;) {
            std::string_view part = path.substr(0, dot);
            const PropInfo* info = find_property(*target, part);
            if (!info) fail(component, p.name, p.line, "unknown property");
            if (!info->get_object || info->kind == PropKind::Reference)
                fail(component, p.name, p.line, std::string(part) + " holds no nested properties");
            target = info->get_object(*target);
            if (!target) fail(component, p.name, p.line, std::string(part) + " is empty");
            path.remove_prefix(dot + 1);
        }
        const DescValue& v = p.get();
        const PropInfo* info = find_property(*target, path);
        if (!info) {
            if (const DefinedProperty* own = target->class_type().find_defined(path)) {
                wrap(component, p.name, p.line, [&] { own->read(*target, v); });
                return;
            }
            if (const ObsoleteProperty* old = target->class_type().find_obsolete(path)) {
                check_obsolete(*old, v, component, p);
                // Older descriptions still carry it: carried over, or read and dropped.
                if (old->convert) wrap(component, p.name, p.line, [&] { old->convert(*target, v); });
                return;
            }
            fail(component, p.name, p.line, "unknown property");
        }
        wrap(component, p.name, p.line, [&] { set_value(*target, *info, v, component, p); });
    }

    void mismatch(const PropInfo& info, const DescValue& v, const std::string& component, const DescProperty& p) const {
        fail(component, p.name, p.line, std::string(value_kind_name(v.kind)) + " cannot set a property of type " + info.type_name);
    }

    void set_value(Persistent& target, const PropInfo& info, const DescValue& v, const std::string& component,
                   const DescProperty& p) {
        using K = DescValue::Kind;
        switch (info.kind) {
        case PropKind::Integer:
        case PropKind::Color:
            if (v.kind == K::Integer) {
                info.set_ordinal(target, v.integer);
                return;
            }
            if (v.kind == K::String && info.parse_text) {
                info.set_ordinal(target, ordinal_from_text(info, v.text));
                return;
            }
            if (v.kind != K::Identifier) mismatch(info, v, component, p);
            info.set_ordinal(target, ordinal_from_text(info, v.text));
            return;
        case PropKind::Boolean:
        case PropKind::Enum:
            if (v.kind != K::Identifier) mismatch(info, v, component, p);
            info.set_ordinal(target, ordinal_from_text(info, v.text));
            return;
        case PropKind::Set: {
            if (v.kind != K::Set) mismatch(info, v, component, p);
            std::string text = "[";
            for (std::size_t i = 0; i < v.identifiers.size(); ++i) text += (i ? "," : "") + v.identifiers[i];
            info.set_ordinal(target, ordinal_from_text(info, text + "]"));
            return;
        }
        case PropKind::Float:
            if (v.kind == K::Float) info.set_float(target, v.number);
            else if (v.kind == K::Integer) info.set_float(target, static_cast<double>(v.integer));
            else mismatch(info, v, component, p);
            return;
        case PropKind::String:
            if (v.kind != K::String) mismatch(info, v, component, p);
            info.set_string(target, plat::utf8_to_gbk(v.text));
            return;
        case PropKind::StringList: {
            if (v.kind != K::List) mismatch(info, v, component, p);
            auto* list = dynamic_cast<Strings*>(info.get_object(target));
            if (!list) fail(component, p.name, p.line, "holds no list");
            list->begin_update();
            list->clear();
            for (const DescValue& item : v.list) {
                if (item.kind != K::String) {
                    list->end_update();
                    fail(component, p.name, item.line, "list items must be strings");
                }
                list->add(plat::utf8_to_gbk(item.text));
            }
            list->end_update();
            return;
        }
        case PropKind::Reference:
            if (v.kind != K::Identifier) mismatch(info, v, component, p);
            fixups_.push_back({&target, &info, v.text, component, p.line});
            return;
        case PropKind::Collection: {
            if (v.kind != K::Collection) mismatch(info, v, component, p);
            auto* coll = dynamic_cast<Collection*>(info.get_object(target));
            if (!coll) fail(component, p.name, p.line, "holds no collection");
            coll->begin_update();
            coll->clear();
            for (const auto& item_props : v.items) {
                CollectionItem* item = coll->add();
                apply_properties(*item, component, item_props);
            }
            coll->end_update();
            return;
        }
        case PropKind::Event: {
            if (v.kind != K::Identifier) mismatch(info, v, component, p);
            const std::any* handler = root_.find_method(v.text);
            if (!handler) fail(component, p.name, p.line, "the window has no handler " + v.text);
            bind_event_property(target, info.name, v.text, *handler);
            return;
        }
        case PropKind::Binary:
            if (v.kind != K::Binary) mismatch(info, v, component, p);
            info.set_binary(target, v.bytes);
            return;
        case PropKind::Object:
            fail(component, p.name, p.line, "an object property is set through its own properties");
        }
    }

    void check_obsolete(const ObsoleteProperty& old, const DescValue& v, const std::string& component, const DescProperty& p) {
        using K = DescValue::Kind;
        auto all = [&](K kind) {
            if (v.kind != K::List) return false;
            for (const DescValue& e : v.list)
                if (e.kind != kind) return false;
            return true;
        };
        bool ok = false;
        switch (old.kind) {
        case ObsoleteValue::Boolean:
            ok = v.kind == K::Identifier && (same_text(v.text, "True") || same_text(v.text, "False"));
            break;
        case ObsoleteValue::Identifier: ok = v.kind == K::Identifier; break;
        case ObsoleteValue::Integer: ok = v.kind == K::Integer; break;
        case ObsoleteValue::Set: ok = v.kind == K::Set; break;
        case ObsoleteValue::ColorOrInteger: ok = v.kind == K::Integer || (v.kind == K::Identifier && color_from_text(v.text)); break;
        case ObsoleteValue::IdentifierList: ok = all(K::Identifier); break;
        case ObsoleteValue::BooleanList:
            ok = all(K::Identifier);
            for (const DescValue& e : v.list) ok = ok && (same_text(e.text, "True") || same_text(e.text, "False"));
            break;
        case ObsoleteValue::IntegerList: ok = all(K::Integer); break;
        }
        if (!ok) fail(component, p.name, p.line, std::string("malformed value (") + value_kind_name(v.kind) + ") for an obsolete property");
    }

    void resolve_fixups() {
        root_.set_state_flag(TComponentStateFlag::csFixups, true);
        for (const Fixup& f : fixups_) {
            Component* target = same_text(f.target, root_.name()) ? &root_ : root_.find_component(f.target);
            if (!target) fail(f.component, f.prop->name, f.line, "no component named " + f.target);
            wrap(f.component, f.prop->name, f.line, [&] { f.prop->set_reference(*f.object, target); });
        }
        root_.set_state_flag(TComponentStateFlag::csFixups, false);
    }

    Component& root_;
    std::string window_;
    std::vector<Component*> created_;
    std::vector<Fixup> fixups_;
};

} // namespace

void register_class(const ClassInfo& info) {
    if (!info.factory) throw PropertyError("class " + info.name + " cannot be created by name");
    class_registry()[lower_ascii(info.name)] = &info;
}

const ClassInfo* find_registered_class(std::string_view name) {
    auto it = class_registry().find(lower_ascii(name));
    return it == class_registry().end() ? nullptr : it->second;
}

// The window a description is for: the root's name, or, while the root has none yet, the name
// the text's first line gives it ("object MainForm: TMainForm").
static std::string window_name_of(const Component& root, std::string_view text) {
    if (!root.name().empty()) return root.name();
    std::string_view header = trim(text.substr(0, text.find('\n')));
    const std::size_t space = header.find(' ');
    if (space == std::string_view::npos) return {};
    header = header.substr(space + 1);
    return std::string(trim(header.substr(0, header.find(':'))));
}

void read_description(Component& root, std::string_view text) {
    DescObject desc;
    try {
        desc = parse_description(text);
    } catch (const DescriptionError& e) {
        throw DescriptionError("window '" + window_name_of(root, text) + "': " + e.what());
    }
    read_description(root, desc);
}

void read_description(Component& root, const DescObject& description) { Reader(root).read(description); }

} // namespace ui
