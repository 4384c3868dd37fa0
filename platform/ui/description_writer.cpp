#include "platform/ui/description_writer.h"

#include <locale>
#include <set>
#include <sstream>

#include "platform/text_gbk.h"
#include "platform/ui/collection.h"
#include "platform/ui/string_list.h"
#include "platform/ui/text_util.h"

namespace ui {

namespace {

std::string spaces(int indent) { return std::string(static_cast<std::size_t>(indent) * 2, ' '); }

// UTF-8 text in quotes; control characters as #n, which cannot stand inside quotes.
std::string quoted(std::string_view text) {
    std::string out;
    bool open = false;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20) {
            if (open) out += '\'';
            open = false;
            out += '#' + std::to_string(u);
            continue;
        }
        if (!open) out += '\'';
        open = true;
        out += c;
        if (c == '\'') out += '\'';
    }
    if (open) out += '\'';
    return out.empty() ? "''" : out;
}

// The shortest usual form that reads back as the same number (a time of day needs all digits).
std::string exact_float_text(double value) {
    std::string text = float_to_text(value);
    if (parse_float(text) == value) return text;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(17);
    out << value;
    return out.str();
}

DescValue identifier(std::string text) {
    DescValue v;
    v.kind = DescValue::Kind::Identifier;
    v.text = std::move(text);
    return v;
}

class Writer {
public:
    explicit Writer(const Component& root) : root_(root) {}

    std::string write() {
        object(root_, 0, true);
        return out_;
    }

private:
    void object(const Component& c, int indent, bool is_root) {
        written_.insert(&c);
        out_ += spaces(indent) + "object " + c.name() + ": " + c.class_name() + "\n";
        std::vector<DescProperty> props;
        properties(c, "", props);
        for (const DescProperty& p : props)
            out_ += spaces(indent + 1) + p.name + " = " + format_description_value(p.get(), indent + 1) + "\n";
        for (Component* child : c.children())
            if (child && child->owner() == &root_ && !written_.count(child)) object(*child, indent + 1, false);
        // Components of the window that sit in no parent (timers, menus, controllers).
        if (is_root)
            for (Component* owned : root_.components())
                if (!written_.count(owned) && !reached_through_children(owned)) object(*owned, indent + 1, false);
        out_ += spaces(indent) + "end\n";
    }

    bool reached_through_children(const Component* target) const {
        std::vector<const Component*> pending{&root_};
        while (!pending.empty()) {
            const Component* c = pending.back();
            pending.pop_back();
            for (Component* child : c->children()) {
                if (child == target) return true;
                if (child) pending.push_back(child);
            }
        }
        return false;
    }

    void properties(const Persistent& o, const std::string& prefix, std::vector<DescProperty>& props) {
        for (const PropInfo* p : o.class_type().all_properties()) {
            if (same_text(p->name, "Name") || same_text(p->name, "About")) continue;
            if (p->kind == PropKind::Object) {
                // A class may keep a nested object out of its description (a glyph its kind implies).
                if (p->stored && !p->stored(o)) continue;
                if (Persistent* nested = p->get_object(o)) properties(*nested, prefix + p->name + ".", props);
                continue;
            }
            DescValue v;
            if (value(o, *p, v)) add(props, prefix + p->name + (p->kind == PropKind::StringList ? ".Strings" : ""), v);
            // Lists that keep more per line (a check list's states) store it after the lines.
            if (p->kind == PropKind::StringList && p->get_object(o) != &o) {
                if (Persistent* list = p->get_object(o)) defined(*list, prefix + p->name + ".", props);
            }
        }
        defined(o, prefix, props);
    }

    void defined(const Persistent& o, const std::string& prefix, std::vector<DescProperty>& props) {
        for (const DefinedProperty* d : o.class_type().all_defined()) {
            DescValue v;
            if (d->write(o, v)) add(props, prefix + d->name, v);
        }
    }

    static void add(std::vector<DescProperty>& props, std::string name, DescValue v) {
        DescProperty p;
        p.name = std::move(name);
        p.value.push_back(std::move(v));
        props.push_back(std::move(p));
    }

    bool stored(const Persistent& o, const PropInfo& p) const {
        if (p.stored && !p.stored(o)) return false;
        if (!p.has_default) return true;
        switch (p.kind) {
        case PropKind::Float: return p.get_float(o) != p.default_float;
        case PropKind::String: return p.get_string(o) != p.default_string;
        default: return p.get_ordinal(o) != p.default_ordinal;
        }
    }

    bool value(const Persistent& o, const PropInfo& p, DescValue& v) {
        using K = DescValue::Kind;
        switch (p.kind) {
        case PropKind::Integer:
            if (!stored(o, p)) return false;
            v.kind = K::Integer;
            v.integer = p.get_ordinal(o);
            return true;
        case PropKind::Color: {
            if (!stored(o, p)) return false;
            const std::int64_t c = p.get_ordinal(o);
            const std::string text = ordinal_to_text(p, c);
            if (text.rfind("cl", 0) == 0) {
                v = identifier(text);
            } else {
                v.kind = K::Integer;
                v.integer = c;
            }
            return true;
        }
        case PropKind::Boolean:
        case PropKind::Enum:
            if (!stored(o, p)) return false;
            v = identifier(ordinal_to_text(p, p.get_ordinal(o)));
            return true;
        case PropKind::Set: {
            if (!stored(o, p)) return false;
            v.kind = K::Set;
            const auto bits = static_cast<std::uint32_t>(p.get_ordinal(o));
            for (std::size_t i = 0; i < p.enum_type->count() && i < 32; ++i)
                if (bits & (1u << i)) v.identifiers.push_back(p.enum_type->names()[i]);
            return true;
        }
        case PropKind::Float:
            if (!stored(o, p)) return false;
            v.kind = K::Float;
            v.number = p.get_float(o);
            return true;
        case PropKind::String:
            if (!stored(o, p)) return false;
            v.kind = K::String;
            v.text = plat::gbk_to_utf8(p.get_string(o));
            return true;
        case PropKind::StringList: {
            const auto* list = dynamic_cast<const Strings*>(p.get_object(o));
            if (!list || list->count() == 0 || (p.stored && !p.stored(o))) return false;
            v.kind = K::List;
            for (int i = 0; i < list->count(); ++i) {
                DescValue line;
                line.kind = K::String;
                line.text = plat::gbk_to_utf8(list->get(i));
                v.list.push_back(std::move(line));
            }
            return true;
        }
        case PropKind::Reference: {
            const auto* target = dynamic_cast<const Component*>(p.get_object(o));
            if (!target || target->name().empty() || (p.stored && !p.stored(o))) return false;
            v = identifier(target->name());
            return true;
        }
        case PropKind::Collection: {
            const auto* coll = dynamic_cast<const Collection*>(p.get_object(o));
            if (!coll || coll->count() == 0 || (p.stored && !p.stored(o))) return false;
            v.kind = K::Collection;
            for (int i = 0; i < coll->count(); ++i) {
                std::vector<DescProperty> item;
                properties(*coll->item(i), "", item);
                v.items.push_back(std::move(item));
            }
            return true;
        }
        case PropKind::Event: {
            std::string handler = o.bound_handler(p.name);
            if (handler.empty()) return false;
            v = identifier(std::move(handler));
            return true;
        }
        case PropKind::Binary:
        case PropKind::Object:
            return false;
        }
        return false;
    }

    const Component& root_;
    std::string out_;
    std::set<const Component*> written_;
};

} // namespace

std::string format_description_value(const DescValue& v, int indent) {
    using K = DescValue::Kind;
    switch (v.kind) {
    case K::Integer: return std::to_string(v.integer);
    case K::Float: return exact_float_text(v.number);
    case K::String: return quoted(v.text);
    case K::Identifier: return v.text;
    case K::Set: {
        std::string out = "[";
        for (std::size_t i = 0; i < v.identifiers.size(); ++i) out += (i ? ", " : "") + v.identifiers[i];
        return out + "]";
    }
    case K::List: {
        std::string out = "(";
        for (const DescValue& item : v.list) out += "\n" + spaces(indent + 1) + format_description_value(item, indent + 1);
        return out + ")";
    }
    case K::Collection: {
        std::string out = "<";
        for (const auto& item : v.items) {
            out += "\n" + spaces(indent + 1) + "item";
            for (const DescProperty& p : item)
                out += "\n" + spaces(indent + 2) + p.name + " = " + format_description_value(p.get(), indent + 2);
            out += "\n" + spaces(indent + 1) + "end";
        }
        return out + ">";
    }
    case K::Binary: {
        static const char kHex[] = "0123456789ABCDEF";
        std::string out = "{";
        for (std::uint8_t b : v.bytes) {
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
        return out + "}";
    }
    }
    return {};
}

std::string write_description(const Component& root) { return Writer(root).write(); }

} // namespace ui
