// Checks that a window loaded from its stored description is the one its designers drew: the
// components it holds, and a description that reads back into the same window without carrying
// values that only repeat the defaults.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/component.h"

namespace window_test {

struct ComponentRow {
    const char* name;
    const char* class_name;
    const char* parent;  // the component it is nested in within the description
};

// Every row's component exists under `root` with exactly that class name and that parent.
void expect_components(ui::Component& root, const std::vector<ComponentRow>& rows);

// The description written from `root`, read into a plain host made by `make_fresh` (a ui::Form for
// a window, a ui::Frame for a frame) that borrows the root's handlers, writes the same text again
// (below the root's own class name); and no property written is one a fresh component of its class
// already holds.
void expect_description_round_trip(ui::Component& root,
                                   const std::function<std::unique_ptr<ui::Component>()>& make_fresh);

} // namespace window_test
