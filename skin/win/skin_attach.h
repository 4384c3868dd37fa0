// Giving the controls of a skinned window their skins: the order in which controls are visited,
// what keeps a control unskinned, and the factories that make the skin of each kind.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/ui/component.h"
#include "platform/ui/win/control.h"
#include "skin/control_rules.h"
#include "skin/win/skin_control.h"

namespace skin {

class TWinSkinForm;

// Makes the skin object of one kind; `owner` is the control (nullptr for a bare window). Kinds
// without a factory are chosen but not attached.
using ControlSkinFactory = std::function<std::unique_ptr<TSkinControl>(ui::Component* owner, const ControlSkinChoice& choice)>;
void RegisterControlSkin(ControlSkinKind kind, ControlSkinFactory factory);
bool HasControlSkinFactory(ControlSkinKind kind);

// What the choice reads of a control.
ControlFacts FactsOf(const ui::Control& control);
// The rules' settings from the window's skin component.
ControlRulesContext RulesContextOf(const TSkinData& data);

// The skin a control would get now, without attaching it; for the report of a form's skins.
ControlSkinChoice ChoiceFor(const TWinSkinForm& window, const ui::Control& control);

// Every control among `component`'s owned components, offered with `component` as form.
void SkinControlsOf(TWinSkinForm& window, ui::Component* component);
// Every child control of `control`, offered with `form` as form.
void SkinChildControls(TWinSkinForm& window, ui::WinControl* control, ui::Component* form);
void SkinControl(TWinSkinForm& window, ui::Control* control, ui::Component* form);
// At the start of a library window's skin.
void SkinLibraryWindow(TWinSkinForm& window, ui::WinControl* control);
// Every child window of `parent`, from the top of the z-order down.
void SkinForeignChildren(TWinSkinForm& window, HWND parent);
void SkinChildWindow(TWinSkinForm& window, HWND child);
// A frame added to a skinned window: a container skin for it and skins for its controls.
void SkinAddedFrame(TWinSkinForm& window, ui::WinControl* frame);
// The window's controls at its skin's start: a library window's by the control rules, a
// foreign window's by window class.
void SkinWindowControls(TWinSkinForm& window);

// The link from a frame to the skin of the window it was added to; freed with the frame.
class TWinSkinSpy : public ui::Component {
public:
    TWinSkinSpy(ui::Component* owner, TWinSkinForm* form) : ui::Component(owner), form_(form) {}
    TWinSkinForm* form() const { return form_; }

private:
    TWinSkinForm* form_;
};

// Skins `frame` and its controls when `owner` is a skinned window; nothing for a null frame.
// True when a skinned window was found.
bool AttachFrame(HWND owner, ui::WinControl* frame);
// True when `control` is a frame AttachFrame linked to a skinned window.
bool AttachedAsFrame(const ui::Control& control);

} // namespace skin
