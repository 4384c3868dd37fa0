// Builds a window's components from its stored description: creates them by registered class
// name (owned by the window, nested ones handed to their parent), sets properties in stored
// order, resolves references by name once all exist, binds events to the window's registered
// handler methods and finally calls Loaded in creation order.
#pragma once
#include <string_view>

#include "platform/ui/component.h"
#include "platform/ui/description_parser.h"

namespace ui {

// Makes the class creatable by name from descriptions; its ClassInfo must have a factory.
void register_class(const ClassInfo& info);
const ClassInfo* find_registered_class(std::string_view name);

// Reads `text` into `root`, the already constructed window object. Throws DescriptionError;
// errors about a property name the window, the component and the property.
void read_description(Component& root, std::string_view text);
void read_description(Component& root, const DescObject& description);

} // namespace ui
