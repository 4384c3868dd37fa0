// Run-time class identity and published properties. Every class of the library describes itself
// once in a ClassInfo: its name, its base, how to create it (for classes that descriptions may
// name) and its published properties, which descriptions, language files, the frame controller
// and the skin engine read and write by name.
#pragma once
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/description_parser.h"
#include "platform/ui/enum_info.h"

namespace ui {

class Persistent;
class Component;

enum class PropKind {
    Integer, Boolean, Enum, Set, Color, Float, String,
    StringList,  // a TStrings object: text is the lines joined by CR LF
    Reference,   // another component, resolved by name
    Object,      // an owned nested object such as Font
    Collection,  // items such as list-view columns
    Event,       // a handler bound by name
    Binary,      // bytes such as bitmap data
};

struct PropInfo {
    std::string name;
    PropKind kind = PropKind::Integer;
    std::string type_name;  // "Integer", "TAlign", "TFont", the referenced class, the event type...
    const EnumInfo* enum_type = nullptr;  // Enum: the values; Set: the elements
    bool has_default = false;
    std::int64_t default_ordinal = 0;
    double default_float = 0;        // Float
    std::string default_string;      // String
    // Whether the description writer may store the value; it then stores it when it differs from
    // the default. Unset: always may.
    std::function<bool(const Persistent&)> stored;
    std::function<std::int64_t(const Persistent&)> get_ordinal;
    std::function<void(Persistent&, std::int64_t)> set_ordinal;
    std::function<double(const Persistent&)> get_float;
    std::function<void(Persistent&, double)> set_float;
    std::function<std::string(const Persistent&)> get_string;
    std::function<void(Persistent&, std::string_view)> set_string;
    std::function<Persistent*(const Persistent&)> get_object;
    std::function<void(Persistent&, Component*)> set_reference;
    // False when the handler's signature is not the event's.
    std::function<bool(Persistent&, const std::any&)> bind_event;
    std::function<void(Persistent&)> clear_event;
    std::function<void(Persistent&, const std::vector<std::uint8_t>&)> set_binary;
    // An ordinal with a text form of its own ("Alt+F4" for a shortcut); descriptions may then
    // give it as a string.
    std::function<std::optional<std::int64_t>(std::string_view)> parse_text;
    std::function<std::string(std::int64_t)> format_text;
};

// The value kinds of an obsolete property that a class still accepts and drops.
enum class ObsoleteValue { Boolean, Identifier, Integer, Set, ColorOrInteger, IdentifierList, BooleanList, IntegerList };

struct ObsoleteProperty {
    std::string name;
    ObsoleteValue kind;
    // Carries an old value over to the properties that replaced it; unset: the value is dropped.
    // Called only with a value of the declared kind.
    std::function<void(Persistent&, const DescValue&)> convert;
};

// A stored property the class reads and writes itself, in a format of its own (a list of
// integers, a table of items...). It is never written by old names and has no published value.
struct DefinedProperty {
    std::string name;
    // Throws PropertyError on a value it cannot take; the reader names the property.
    std::function<void(Persistent&, const DescValue&)> read;
    // Fills `value` and returns true when the property is to be stored.
    std::function<bool(const Persistent&, DescValue& value)> write;
};

struct ClassInfo {
    ClassInfo(std::string class_name, const ClassInfo* base) : name(std::move(class_name)), parent(base) {}

    std::string name;
    const ClassInfo* parent = nullptr;
    // Set for classes a description may create; `owner` becomes the new component's owner.
    std::function<Component*(Component* owner)> factory;
    std::vector<PropInfo> props;
    std::vector<ObsoleteProperty> obsolete;
    std::vector<DefinedProperty> defined;

    bool inherits_from(std::string_view class_name) const;
    const PropInfo* find_property(std::string_view prop_name) const;   // this class and its bases
    const ObsoleteProperty* find_obsolete(std::string_view prop_name) const;
    const DefinedProperty* find_defined(std::string_view prop_name) const;
    std::vector<const DefinedProperty*> all_defined() const;  // bases first
    std::vector<const PropInfo*> all_properties() const;  // bases first
};

class PropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Persistent {
public:
    Persistent() = default;
    Persistent(const Persistent&) = delete;
    Persistent& operator=(const Persistent&) = delete;
    virtual ~Persistent() = default;

    static ClassInfo& static_class();
    virtual const ClassInfo& class_type() const { return static_class(); }
    const std::string& class_name() const { return class_type().name; }
    bool inherits_from(std::string_view class_name) const { return class_type().inherits_from(class_name); }

    // Copies the state of `source`; throws PropertyError when the two cannot be assigned.
    virtual void assign(const Persistent& source);

    // The name of the handler bound to an event property, for reading events back as text.
    std::string bound_handler(std::string_view event_name) const;
    void note_bound_handler(std::string_view event_name, std::string handler);

protected:
    // Lets `target` take this object's state when target.assign does not know this class.
    virtual bool assign_to(Persistent& target) const;

private:
    std::map<std::string, std::string> handler_names_;  // lower-case event name -> handler
};

// Property access by name (case-insensitive). All throw PropertyError on an unknown name, a
// wrong kind or an invalid text; the message names the class and the property.
const PropInfo* find_property(const Persistent& object, std::string_view name);
bool has_property(const Persistent& object, std::string_view name);
const PropInfo& property_info(const Persistent& object, std::string_view name);
std::string get_property_text(const Persistent& object, std::string_view name);
void set_property_text(Persistent& object, std::string_view name, std::string_view text);
std::int64_t get_ordinal_property(const Persistent& object, std::string_view name);
void set_ordinal_property(Persistent& object, std::string_view name, std::int64_t value);
Persistent* get_object_property(const Persistent& object, std::string_view name);
void set_reference_property(Persistent& object, std::string_view name, Component* value);
// Binds `handler` (a std::function of the event's exact type) under `handler_name`.
void bind_event_property(Persistent& object, std::string_view name, std::string_view handler_name, const std::any& handler);
// Text form of a property value of an ordinal kind (enum identifier, set text, colour name...).
std::string ordinal_to_text(const PropInfo& prop, std::int64_t value);
std::int64_t ordinal_from_text(const PropInfo& prop, std::string_view text);  // throws PropertyError

namespace detail {
template <class T>
struct is_set_of : std::false_type {};
template <class E>
struct is_set_of<SetOf<E>> : std::true_type {
    using element = E;
};
} // namespace detail

// Declares published properties of class C; accessors are member functions or callables taking
// (const C&) / (C&, value).
template <class C>
class PropBuilder {
public:
    explicit PropBuilder(ClassInfo& info) : info_(info) {}

    template <class G, class S>
    PropBuilder& integer(std::string name, G get, S set, std::int64_t def = 0, std::string type = "Integer") {
        PropInfo p = base(std::move(name), PropKind::Integer, std::move(type));
        p.has_default = true;
        p.default_ordinal = def;
        ordinal_accessors(p, get, set);
        return add(std::move(p));
    }
    template <class G, class S>
    PropBuilder& boolean(std::string name, G get, S set, bool def = false) {
        PropInfo p = base(std::move(name), PropKind::Boolean, "Boolean");
        p.has_default = true;
        p.default_ordinal = def ? 1 : 0;
        ordinal_accessors(p, get, set);
        return add(std::move(p));
    }
    template <class E, class G, class S>
    PropBuilder& enumeration(std::string name, G get, S set, E def) {
        PropInfo p = base(std::move(name), PropKind::Enum, enum_info(E{}).type_name());
        p.enum_type = &enum_info(E{});
        p.has_default = true;
        p.default_ordinal = static_cast<std::int64_t>(def);
        p.get_ordinal = [get](const Persistent& o) { return static_cast<std::int64_t>(std::invoke(get, self(o))); };
        p.set_ordinal = [set](Persistent& o, std::int64_t v) { std::invoke(set, self(o), static_cast<E>(v)); };
        return add(std::move(p));
    }
    template <class E, class G, class S>
    PropBuilder& set(std::string name, std::string type, G get, S set, SetOf<E> def) {
        PropInfo p = base(std::move(name), PropKind::Set, std::move(type));
        p.enum_type = &enum_info(E{});
        p.has_default = true;
        p.default_ordinal = def.bits();
        p.get_ordinal = [get](const Persistent& o) { return static_cast<std::int64_t>(std::invoke(get, self(o)).bits()); };
        p.set_ordinal = [set](Persistent& o, std::int64_t v) {
            std::invoke(set, self(o), SetOf<E>::from_bits(static_cast<std::uint32_t>(v)));
        };
        return add(std::move(p));
    }
    template <class G, class S>
    PropBuilder& color(std::string name, G get, S set, TColor def) {
        PropInfo p = base(std::move(name), PropKind::Color, "TColor");
        p.has_default = true;
        p.default_ordinal = def;
        ordinal_accessors(p, get, set);
        return add(std::move(p));
    }
    template <class G, class S>
    PropBuilder& floating(std::string name, G get, S set, std::string type = "Double", double def = 0) {
        PropInfo p = base(std::move(name), PropKind::Float, std::move(type));
        p.has_default = true;
        p.default_float = def;
        p.get_float = [get](const Persistent& o) { return static_cast<double>(std::invoke(get, self(o))); };
        p.set_float = [set](Persistent& o, double v) { std::invoke(set, self(o), v); };
        return add(std::move(p));
    }
    // Texts are GBK, as everywhere in the system.
    template <class G, class S>
    PropBuilder& string(std::string name, G get, S set, std::string type = "string", std::string def = {}) {
        PropInfo p = base(std::move(name), PropKind::String, std::move(type));
        p.has_default = true;
        p.default_string = std::move(def);
        p.get_string = [get](const Persistent& o) { return std::string(std::invoke(get, self(o))); };
        p.set_string = [set](Persistent& o, std::string_view v) { std::invoke(set, self(o), std::string(v)); };
        return add(std::move(p));
    }
    // An owned nested object (Font), string list (type "TStrings") or collection.
    template <class G>
    PropBuilder& object(std::string name, PropKind kind, std::string type, G get) {
        PropInfo p = base(std::move(name), kind, std::move(type));
        p.get_object = [get](const Persistent& o) -> Persistent* {
            return std::invoke(get, const_cast<C&>(self(o)));
        };
        return add(std::move(p));
    }
    // A reference to another component of class T, whose class name is `type` (named rather than
    // looked up: two classes may refer to each other while their ClassInfos are being built).
    template <class T, class G, class S>
    PropBuilder& reference(std::string name, std::string type, G get, S set) {
        PropInfo p = base(std::move(name), PropKind::Reference, std::move(type));
        p.get_object = [get](const Persistent& o) -> Persistent* { return std::invoke(get, self(o)); };
        p.set_reference = [set, n = p.name](Persistent& o, Component* v) {
            T* typed = nullptr;
            if (v) {
                typed = dynamic_cast<T*>(v);
                if (!typed) throw PropertyError("property " + n + " cannot refer to a component of another class");
            }
            std::invoke(set, self(o), typed);
        };
        return add(std::move(p));
    }
    // An event held in a member of type std::function<...>.
    template <class Fn>
    PropBuilder& event(std::string name, std::string type, Fn C::*member) {
        PropInfo p = base(std::move(name), PropKind::Event, std::move(type));
        p.bind_event = [member](Persistent& o, const std::any& h) {
            const Fn* fn = std::any_cast<Fn>(&h);
            if (!fn) return false;
            self(o).*member = *fn;
            return true;
        };
        p.clear_event = [member](Persistent& o) { self(o).*member = nullptr; };
        return add(std::move(p));
    }
    template <class S>
    PropBuilder& binary(std::string name, std::string type, S set) {
        PropInfo p = base(std::move(name), PropKind::Binary, std::move(type));
        p.set_binary = [set](Persistent& o, const std::vector<std::uint8_t>& v) { std::invoke(set, self(o), v); };
        return add(std::move(p));
    }
    // Decides when the property added last is stored.
    template <class F>
    PropBuilder& stored(F predicate) {
        info_.props.back().stored = [predicate](const Persistent& o) { return static_cast<bool>(std::invoke(predicate, self(o))); };
        return *this;
    }
    // Gives the property added last its own text form.
    template <class P, class F>
    PropBuilder& text_form(P parse, F format) {
        info_.props.back().parse_text = [parse](std::string_view t) -> std::optional<std::int64_t> {
            auto v = parse(t);
            if (!v) return std::nullopt;
            return static_cast<std::int64_t>(*v);
        };
        info_.props.back().format_text = [format](std::int64_t v) { return format(v); };
        return *this;
    }
    PropBuilder& obsolete(std::string name, ObsoleteValue kind) {
        info_.obsolete.push_back({std::move(name), kind, nullptr});
        return *this;
    }
    // An old name whose value `convert(C&, const DescValue&)` carries over.
    template <class F>
    PropBuilder& obsolete(std::string name, ObsoleteValue kind, F convert) {
        info_.obsolete.push_back({std::move(name), kind, [convert](Persistent& o, const DescValue& v) {
                                      std::invoke(convert, self(o), v);
                                  }});
        return *this;
    }
    // A property in the class's own format: `read(C&, const DescValue&)`,
    // `write(const C&, DescValue&) -> bool`.
    template <class R, class W>
    PropBuilder& defined(std::string name, R read, W write) {
        info_.defined.push_back({std::move(name),
                                 [read](Persistent& o, const DescValue& v) { std::invoke(read, self(o), v); },
                                 [write](const Persistent& o, DescValue& v) { return static_cast<bool>(std::invoke(write, self(o), v)); }});
        return *this;
    }

private:
    static C& self(Persistent& o) { return static_cast<C&>(o); }
    static const C& self(const Persistent& o) { return static_cast<const C&>(o); }
    static PropInfo base(std::string name, PropKind kind, std::string type) {
        PropInfo p;
        p.name = std::move(name);
        p.kind = kind;
        p.type_name = std::move(type);
        return p;
    }
    template <class G, class S>
    static void ordinal_accessors(PropInfo& p, G get, S set) {
        p.get_ordinal = [get](const Persistent& o) { return static_cast<std::int64_t>(std::invoke(get, self(o))); };
        p.set_ordinal = [set](Persistent& o, std::int64_t v) {
            using Arg = std::decay_t<decltype(std::invoke(get, self(o)))>;
            std::invoke(set, self(o), static_cast<Arg>(v));
        };
    }
    PropBuilder& add(PropInfo p) {
        info_.props.push_back(std::move(p));
        return *this;
    }
    ClassInfo& info_;
};

// Creates the ClassInfo of a creatable class C with a base B.
template <class C>
std::function<Component*(Component*)> factory_of() {
    return [](Component* owner) -> Component* { return new C(owner); };
}

} // namespace ui

// Inside a class body: the class's own run-time identity.
#define UI_CLASS_IDENTITY()                                              \
public:                                                                  \
    static ::ui::ClassInfo& static_class();                              \
    const ::ui::ClassInfo& class_type() const override { return static_class(); }
