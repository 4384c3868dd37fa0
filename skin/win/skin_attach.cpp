#include "skin/win/skin_attach.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "skin/win/skin_boxes.h"
#include "skin/win/skin_button.h"
#include "skin/win/skin_combo.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_datetime.h"
#include "skin/win/skin_edit.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_media_player.h"
#include "skin/win/skin_menu_button.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_progress.h"
#include "skin/win/skin_scrolled.h"
#include "skin/win/skin_services.h"
#include "skin/win/skin_speed_button.h"
#include "skin/win/skin_tabs.h"
#include "skin/win/skin_toggles.h"
#include "skin/win/skin_trackbar.h"
#include "skin/win/skin_updown.h"
#include "skin/win/win_skin_form.h"

namespace skin {
namespace {

template <class Skin>
ControlSkinFactory Plain() {
    return [](ui::Component* owner, const ControlSkinChoice&) { return std::unique_ptr<TSkinControl>(std::make_unique<Skin>(owner)); };
}

std::map<ControlSkinKind, ControlSkinFactory>& Factories() {
    using K = ControlSkinKind;
    static std::map<ControlSkinKind, ControlSkinFactory> factories = {
        {K::kButton, Plain<TSkinButton>()},
        {K::kBitButton,
         [](ui::Component* owner, const ControlSkinChoice& choice) {
             auto skin = std::make_unique<TSkinBitButton>(owner);
             skin->set_glyph_property(choice.glyph_property);
             return std::unique_ptr<TSkinControl>(std::move(skin));
         }},
        {K::kCheckBox, Plain<TSkinCheckBox>()},
        {K::kRadioButton, Plain<TSkinRadioButton>()},
        {K::kObjImage,
         [](ui::Component* owner, const ControlSkinChoice& choice) {
             return std::unique_ptr<TSkinControl>(std::make_unique<TSkinObjImage>(owner, choice.skin.object_kind));
         }},
        {K::kBox, Plain<TSkinBox>()},
        {K::kBoxH, Plain<TSkinBoxH>()},
        {K::kGroupBox, Plain<TSkinGroupBox>()},
        {K::kStatusBar, Plain<TSkinStatusBar>()},
        {K::kSizer, Plain<TSkinSizer>()},
        {K::kScrollbar, Plain<TSkinScrollbar>()},
        {K::kSingleScrollbar, Plain<TSkinScrollbar>()},
        {K::kListView, Plain<TSkinListView>()},
        {K::kEdit, Plain<TSkinEdit>()},
        {K::kComboBox, Plain<TSkinComBox>()},
        {K::kComboBoxEx,
         [](ui::Component* owner, const ControlSkinChoice&) {
             return std::unique_ptr<TSkinControl>(std::make_unique<TSkinComBox>(owner, true));
         }},
        {K::kDateTime, Plain<TSkinDateTime>()},
        {K::kUpDown, Plain<TSkinUpDown>()},
        {K::kMenuButton, Plain<TSkinMenuButton>()},
        {K::kMediaPlayer, Plain<TSkinMP>()},
        {K::kSpeedButton,
         [](ui::Component* owner, const ControlSkinChoice& choice) {
             auto skin = std::make_unique<TSkinSpeedButton>(owner);
             skin->set_glyph_property(choice.glyph_property);
             return std::unique_ptr<TSkinControl>(std::move(skin));
         }},
        {K::kProgress, Plain<TSkinProgress>()},
        {K::kTab, Plain<TSkinTab>()},
        {K::kTab31, Plain<TSkinTab31>()},
        {K::kAdvPage, Plain<TSkinAdvPage>()},  // the advpagecontrol kind: 4
        {K::kTrackBar, Plain<TSkinTrackBar>()},
    };
    return factories;
}

bool AnswersSkinned(HWND window) { return window && SendMessageW(window, kMsgIsSkinned, 0, 0) == 1; }

bool IsSkinned(const TWinSkinForm& window, const ui::Control& control) {
    if (window.FindControlSkin(&control)) return true;
    const auto* w = dynamic_cast<const ui::WinControl*>(&control);
    return w && w->handle_allocated() &&
           (window.FindWindowSkin(const_cast<ui::WinControl*>(w)->handle()) ||
            AnswersSkinned(const_cast<ui::WinControl*>(w)->handle()));
}

// Makes and attaches one skin; the skin of a control is owned by it, a bare window's by the
// window's skin. Nothing for kinds without a factory or skins that could not attach.
TSkinControl* Attach(TWinSkinForm& window, ui::Control* control, HWND bare, const ControlSkinChoice& choice,
                     const SkinPick& pick) {
    if (pick.kind == ControlSkinKind::kNone || !window.data()) return nullptr;
    const auto found = Factories().find(pick.kind);
    if (found == Factories().end() || !found->second) return nullptr;
    ControlSkinChoice single = choice;
    single.skin = pick;
    if (bare) {
        if (window.FindWindowSkin(bare) || AnswersSkinned(bare)) return nullptr;
        std::unique_ptr<TSkinControl> made = found->second(nullptr, single);
        if (!made) return nullptr;
        TSkinControl* skin = window.OwnWindowSkin(std::move(made));
        skin->AttachWindow(bare, window.data(), &window);
        return skin;
    }
    if (!control || window.FindControlSkin(control)) return nullptr;
    std::unique_ptr<TSkinControl> made = found->second(control, single);
    if (!made) return nullptr;
    made->AttachControl(&window, window.data(), pick.container);
    if (!made->attached()) return nullptr;  // freed here: it never joined the list
    return made.release();                  // owned by the control from now on
}

bool HasScrollBars(const ui::Control& c) {
    const auto* w = dynamic_cast<const ui::WinControl*>(&c);
    if (!w) return false;
    if (w->handle_allocated() &&
        (GetWindowLongPtrW(const_cast<ui::WinControl*>(w)->handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)))
        return true;
    return c.inherits_from("TMemo") || c.inherits_from("TCustomListBox") || c.inherits_from("TScrollBox");
}

} // namespace

void RegisterControlSkin(ControlSkinKind kind, ControlSkinFactory factory) { Factories()[kind] = std::move(factory); }

bool HasControlSkinFactory(ControlSkinKind kind) {
    const auto found = Factories().find(kind);
    return found != Factories().end() && found->second;
}

ControlFacts FactsOf(const ui::Control& control) {
    ControlFacts f;
    f.class_name = control.class_name();
    for (const ui::ClassInfo* c = control.class_type().parent; c; c = c->parent) f.lineage.push_back(c->name);
    const auto* w = dynamic_cast<const ui::WinControl*>(&control);
    f.windowed = w != nullptr;
    if (w) {
        f.has_children = w->control_count() > 0;
        if (w->handle_allocated()) {
            HWND h = const_cast<ui::WinControl*>(w)->handle();
            f.scroll_style = (GetWindowLongPtrW(h, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
            RECT outer{}, client{};
            GetWindowRect(h, &outer);
            GetClientRect(h, &client);
            f.has_border = outer.right - outer.left != client.right || outer.bottom - outer.top != client.bottom;
        }
    }
    f.tag = control.tag();
    f.date_mode = GetEnumPropByName(&control, "DateMode");
    f.kind = GetEnumPropByName(&control, "Kind");
    f.num_buttons = GetOrdPropByName(&control, "NumButtons");
    return f;
}

ControlRulesContext RulesContextOf(const TSkinData& data) {
    ControlRulesContext c;
    c.controls = data.SkinControls();
    c.disable_tag = data.DisableTag();
    c.skin3rd = data.Skin3rd().to_vector();
    c.has_tabs = data.Skin() && data.Skin()->tabs.has_value();
    return c;
}

ControlSkinChoice ChoiceFor(const TWinSkinForm& window, const ui::Control& control) {
    if (!window.data()) return {};
    return ChooseControlSkin(FactsOf(control), RulesContextOf(*window.data()));
}

void SkinControlsOf(TWinSkinForm& window, ui::Component* component) {
    if (!component) return;
    const std::vector<ui::Component*> owned = component->components();
    for (ui::Component* c : owned)
        if (auto* control = dynamic_cast<ui::Control*>(c)) SkinControl(window, control, component);
}

void SkinChildControls(TWinSkinForm& window, ui::WinControl* control, ui::Component* form) {
    if (!control) return;
    const std::vector<ui::Control*> children = control->controls();
    for (ui::Control* c : children) SkinControl(window, c, form);
}

void SkinControl(TWinSkinForm& window, ui::Control* control, ui::Component* form) {
    TSkinData* data = window.data();
    if (!control || !data) return;
    const ControlRulesContext context = RulesContextOf(*data);
    auto* windowed = dynamic_cast<ui::WinControl*>(control);
    if (control->tag() == context.disable_tag) {
        if (ChooseControlSkin(FactsOf(*control), context).disable_children && windowed)
            for (ui::Control* child : windowed->controls()) child->set_tag(context.disable_tag);
        return;
    }
    if (!control->parent() || IsSkinned(window, *control)) return;
    if (windowed) {
        try {
            if (!windowed->handle()) return;
        } catch (...) {
            return;
        }
    }
    if (data->OnSkinControl) {
        TSkinControl* given = nullptr;
        std::string upper = control->class_name();
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        data->OnSkinControl(nullptr, data, form, control, upper, given);
        if (given) {
            const auto& list = window.ControlSkins();
            if (std::find(list.begin(), list.end(), given) == list.end()) given->AttachControl(&window, data, false);
            if (control->inherits_from("TCustomPanel")) SkinChildControls(window, windowed, form);
            return;
        }
    }
    // A frame the program added at run time is skinned as AttachFrame skinned it, also when its
    // window is skinned again (the skin switched off and on): the rules give frames no skin.
    if (windowed && AttachedAsFrame(*control)) {
        SkinAddedFrame(window, windowed);
        return;
    }
    const ControlSkinChoice choice = ChooseControlSkin(FactsOf(*control), context);
    if (choice.set_transparent) SetPropByName(control, "Transparent", "True");
    if (choice.children == ChildOffer::kChildrenFirst) SkinChildControls(window, windowed, control);
    if (choice.children == ChildOffer::kGroupChildren && windowed) {
        for (ui::Control* child : std::vector<ui::Control*>(windowed->controls()))
            if (!IsSkinned(window, *child)) Attach(window, child, nullptr, choice, choice.child);
    }
    if (choice.children == ChildOffer::kScrollChildren && windowed) {
        for (ui::Control* child : std::vector<ui::Control*>(windowed->controls()))
            if (HasScrollBars(*child) && !IsSkinned(window, *child))
                Attach(window, child, nullptr, choice, SkinPick{ControlSkinKind::kScrollbar});
    }
    if (choice.skin.kind != ControlSkinKind::kNone) {
        if (choice.by_handle && windowed) Attach(window, nullptr, windowed->handle(), choice, choice.skin);
        else Attach(window, control, nullptr, choice, choice.skin);
    }
    switch (choice.children) {
    case ChildOffer::kChildrenAfter: SkinChildControls(window, windowed, control); break;
    case ChildOffer::kChildrenNoForm: SkinChildControls(window, windowed, nullptr); break;
    case ChildOffer::kSkinControlsOf: SkinControlsOf(window, control); break;
    default: break;
    }
}

void SkinLibraryWindow(TWinSkinForm& window, ui::WinControl* control) {
    if (!control || !window.data()) return;
    window.DropDeadControlSkins();
    SkinControlsOf(window, control);
    std::vector<ui::WinControl*> order;
    control->get_tab_order_list(order);
    const int disable_tag = window.data()->DisableTag();
    for (ui::WinControl* c : order) {
        if (!c->handle_allocated() || c->tag() == disable_tag || AnswersSkinned(c->handle())) continue;
        SkinControl(window, c, control);
    }
}

void SkinForeignChildren(TWinSkinForm& window, HWND parent) {
    std::vector<HWND> children;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD) children.push_back(h);
    for (HWND h : children)
        if (IsWindow(h)) SkinChildWindow(window, h);
}

void SkinChildWindow(TWinSkinForm& window, HWND child) {
    if (!child || !window.data() || window.FindWindowSkin(child)) return;
    wchar_t name[128] = {};
    GetClassNameW(child, name, 128);
    std::string cls;
    for (const wchar_t* p = name; *p; ++p) cls += static_cast<char>(*p < 128 ? *p : '?');
    const auto style = static_cast<unsigned long>(GetWindowLongPtrW(child, GWL_STYLE));
    const ChildWindowChoice c = ChooseChildWindowSkin(cls, style, window.data()->SkinControls());
    if (c.offer_children) SkinForeignChildren(window, child);
    if (c.face_colour && window.data()->Skin())
        if (ui::WinControl* control = ControlOfWindow(child)) control->set_color(window.data()->Skin()->colours[kButtonFace]);
    if (c.skin.kind == ControlSkinKind::kNone) return;
    HWND target = c.first_child ? GetWindow(child, GW_CHILD) : child;
    if (!target) return;
    ControlSkinChoice choice;
    choice.skin = c.skin;
    Attach(window, nullptr, target, choice, c.skin);
}

void SkinAddedFrame(TWinSkinForm& window, ui::WinControl* frame) {
    if (!frame) return;
    window.DropDeadControlSkins();
    ControlSkinChoice box;
    box.skin = SkinPick{ControlSkinKind::kBox, 0, true};
    Attach(window, frame, nullptr, box, box.skin);
    const std::vector<ui::Component*> owned = frame->components();
    for (ui::Component* c : owned)
        if (auto* control = dynamic_cast<ui::Control*>(c)) SkinControl(window, control, frame);
}

void SkinWindowControls(TWinSkinForm& window) {
    if (window.control()) SkinLibraryWindow(window, window.control());
    else SkinForeignChildren(window, window.window());
}

bool AttachedAsFrame(const ui::Control& control) {
    for (const ui::Component* c : control.components())
        if (dynamic_cast<const TWinSkinSpy*>(c)) return true;
    return false;
}

bool AttachFrame(HWND owner, ui::WinControl* frame) {
    if (!frame) return false;
    TSkinManage* manager = TSkinManage::Instance();
    if (!manager) return false;
    for (const auto& form : manager->Windows()) {
        if (form->window() != owner || form->dead()) continue;
        new TWinSkinSpy(frame, form.get());
        SkinAddedFrame(*form, frame);
        return true;
    }
    return false;
}

} // namespace skin
