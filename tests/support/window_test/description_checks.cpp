#include "tests/support/window_test/description_checks.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/ui/description_parser.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"

namespace window_test {
namespace {

void collect_parents(const ui::DescObject& object, std::map<std::string, std::string>& parents) {
    for (const ui::DescObject& child : object.children) {
        parents[child.name] = object.name;
        collect_parents(child, parents);
    }
}

// Only values with a declared default: a size or a caption has none and is always stored, and a
// property stored under a condition (a colour kept only without ParentColor) may rightly repeat it.
bool at_declared_default(const ui::PropInfo& info, const ui::Persistent& loaded) {
    if (!info.has_default || info.stored) return false;
    switch (info.kind) {
    case ui::PropKind::Integer:
    case ui::PropKind::Boolean:
    case ui::PropKind::Enum:
    case ui::PropKind::Set:
    case ui::PropKind::Color:
        return info.get_ordinal(loaded) == info.default_ordinal;
    case ui::PropKind::Float:
        return info.get_float(loaded) == info.default_float;
    case ui::PropKind::String:
        return info.get_string(loaded) == info.default_string;
    default:
        return false;
    }
}

void expect_no_defaults_written(const ui::DescObject& object, ui::Component& loaded, ui::Component& root) {
    for (const ui::DescProperty& p : object.properties) {
        if (p.name.find('.') != std::string::npos) continue;
        const ui::PropInfo* info = loaded.class_type().find_property(p.name);
        if (info && at_declared_default(*info, loaded))
            ADD_FAILURE() << object.name << "." << p.name << " is written at its default";
    }
    for (const ui::DescObject& child : object.children) {
        if (ui::Component* component = root.find_component(child.name))
            expect_no_defaults_written(child, *component, root);
        else
            ADD_FAILURE() << child.name << " is written but not loaded";
    }
}

// The header line names the root's class, which the plain host does not share.
std::string below_header(const std::string& text) {
    std::size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(end + 1);
}

} // namespace

void expect_components(ui::Component& root, const std::vector<ComponentRow>& rows) {
    std::map<std::string, std::string> parents;
    collect_parents(ui::parse_description(ui::write_description(root)), parents);
    for (const ComponentRow& row : rows) {
        ui::Component* component = root.find_component(row.name);
        if (!component) {
            ADD_FAILURE() << row.name << " is missing";
            continue;
        }
        EXPECT_EQ(component->class_name(), row.class_name) << row.name;
        EXPECT_EQ(parents[row.name], row.parent) << row.name;
    }
}

void expect_description_round_trip(ui::Component& root,
                                   const std::function<std::unique_ptr<ui::Component>()>& make_fresh) {
    const std::string text = ui::write_description(root);
    std::unique_ptr<ui::Component> copy = make_fresh();
    copy->share_methods(root);
    ui::read_description(*copy, text);
    EXPECT_EQ(below_header(ui::write_description(*copy)), below_header(text));

    expect_no_defaults_written(ui::parse_description(text), *copy, *copy);
}

} // namespace window_test
