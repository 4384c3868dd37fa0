// The station's windows come from descriptions compiled into the program: the classes a
// description may name are registered before the first one is read, and a window finds its
// parts by name. A missing or unreadable description, or a part that is not there, throws the
// layer's DescriptionError naming the window, so that start-up stops instead of showing half a
// window.
#pragma once
#include <string>

#include "platform/ui/description_parser.h"
#include "platform/ui/win/forms.h"

namespace forms {

// Registers the layer's and the control set's classes (once) and reads the RCDATA resource
// `resource` into `form`.
void LoadStationForm(ui::Form& form, const wchar_t* resource);

// Throws DescriptionError: the window's description lacks `name`, or not as the class expected.
[[noreturn]] void MissingPart(const ui::Component& root, const char* name);

template <class T>
T* Part(ui::Component& root, const char* name) {
    auto* part = dynamic_cast<T*>(root.find_component(name));
    if (!part) MissingPart(root, name);
    return part;
}

} // namespace forms
