// Creating a control in code: owned by the form, placed in its parent, named as the window
// description names it.
#pragma once
#include <string>

#include "platform/ui/win/control.h"

namespace forms {

template <class T>
T* Place(ui::Component* owner, ui::WinControl* parent, const std::string& name, int left, int top, int width,
         int height, const std::string& caption = {}) {
    auto* control = new T(owner);
    if (!name.empty()) control->set_name(name);
    control->set_bounds(left, top, width, height);
    if (!caption.empty()) control->set_caption(caption);
    control->set_parent(parent);
    return control;
}

} // namespace forms
