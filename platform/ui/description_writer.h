// Writes a window's components as a stored description, in the format the reader takes
// (description_parser.h). A property is written when its class says it is stored (by default:
// when its value differs from the declared default); defined properties write themselves.
// Components appear in their parent's children() order; components a control owns itself
// (its spin buttons, its button pair) are part of that control and are not written. Binary
// data and the design-time "About" entry are never written.
#pragma once
#include <string>

#include "platform/ui/component.h"
#include "platform/ui/description_parser.h"

namespace ui {

std::string write_description(const Component& root);
// The text of one value as it stands in a description, indented for nested lines.
std::string format_description_value(const DescValue& value, int indent);

} // namespace ui
