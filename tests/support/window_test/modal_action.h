// Acting on a dialog from inside the modal loop that shows it.
#pragma once
#include <windows.h>

#include <functional>

namespace window_test {

// Runs `act` once, from inside the modal loop that the next call opens, as soon as `ready`
// holds there: a dialog fills its views while it is being shown, and its loop may already run
// meanwhile. After ten seconds `act` runs regardless, so that the dialog closes and the checks
// report what they see.
void when_modal(std::function<bool()> ready, std::function<void()> act);

// A form of the window class library that is up: made, visible, and holding the focus (keys a
// test posts to the focus reach it).
template <class Form>
bool shown(Form* form) {
    if (form == nullptr || form->handle() == nullptr || !IsWindowVisible(form->handle())) return false;
    const HWND focus = GetFocus();
    return focus == form->handle() || IsChild(form->handle(), focus);
}

} // namespace window_test
