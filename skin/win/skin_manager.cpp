#include "skin/win/skin_manager.h"

#include <algorithm>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_popup_menu.h"
#include "skin/win/skin_services.h"
#include "skin/win/win_skin_form.h"

namespace skin {
namespace {

TSkinManage* g_manager = nullptr;
HHOOK g_hook = nullptr;  // outlives the manager only between its removal and the next start
TSkinManage::HookCounts g_hooks;

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    if (!window || !GetClassNameW(window, name, 256)) return {};
    return plat::wide_to_gbk(name);
}

ui::WinControl* ControlOf(HWND window) {
    for (ui::Form* form : ui::screen().forms())
        if (form->handle_allocated() && form->handle() == window) return form;
    return ControlOfWindow(window);
}

} // namespace

TSkinManage* TSkinManage::Instance() { return g_manager; }

TSkinManage& TSkinManage::Create() {
    if (!g_manager) g_manager = new TSkinManage();
    return *g_manager;
}

void TSkinManage::Shutdown() {
    TSkinManage* manager = g_manager;
    if (!manager) return;
    delete manager;
}

TSkinManage::HookCounts TSkinManage::Hooks() { return g_hooks; }

TSkinManage::TSkinManage() : timer_(std::make_unique<ui::Timer>(nullptr)), thread_(GetCurrentThreadId()) {
    timer_->set_enabled(false);
    timer_->set_interval(100);
    timer_->on_timer = [this](ui::Component*) { FireCommand(); };
}

TSkinManage::~TSkinManage() {
    start_state_ = 4;
    latch_.set_skinning_on(false);
    timer_.reset();
    for (auto& form : windows_)
        if (!form->dead()) form->Release();
    windows_.clear();
    retired_.clear();
    TWinSkinPopMenu::ReleaseAll();
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        ++g_hooks.removed;
        hook_ = nullptr;
        g_hook = nullptr;
    }
    if (g_manager == this) g_manager = nullptr;
}

void TSkinManage::Register(TSkinData* data) {
    if (std::find(components_.begin(), components_.end(), data) != components_.end()) return;
    components_.push_back(data);
    if (!main_ && data->SkinFormtype() == TSkinFormType::sfMainform) main_ = data;
}

void TSkinManage::Unregister(TSkinData* data) {
    components_.erase(std::remove(components_.begin(), components_.end(), data), components_.end());
    if (target_ == data) target_ = nullptr;
    if (main_ == data) main_ = nullptr;
    // Window skins of a component that is going lose what they paint with.
    for (auto it = windows_.begin(); it != windows_.end();) {
        if ((*it)->data() != data) {
            ++it;
            continue;
        }
        std::unique_ptr<TWinSkinForm> form = std::move(*it);
        it = windows_.erase(it);
        Unskin(std::move(form), true);
    }
}

void TSkinManage::InstallHook() {
    if (hook_ || GetCurrentThreadId() != thread_) return;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, thread_);
    if (hook_) {
        g_hook = hook_;
        ++g_hooks.installed;
    }
}

namespace {

// The popup menu windows' class is the atom 32768 ("#32768").
bool IsPopupMenuClass(const CBT_CREATEWNDW& create) {
    if (!create.lpcs) return false;
    const wchar_t* name = create.lpcs->lpszClass;
    if (IS_INTRESOURCE(name)) return reinterpret_cast<ULONG_PTR>(name) == 32768;
    return name && wcscmp(name, L"#32768") == 0;
}

} // namespace

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wparam, LPARAM lparam) {
    TSkinManage* manager = g_manager;
    if (manager && manager->start_state_ != 4 && code >= 0) {
        const auto window = reinterpret_cast<HWND>(wparam);
        try {
            switch (code) {
            case HCBT_CREATEWND:
                manager->OnCreate(window, *reinterpret_cast<CBT_CREATEWNDW*>(lparam));
                break;
            case HCBT_ACTIVATE:
                if (manager->start_state_ == 0) manager->MarkStarted();
                manager->SkinWindow(window);
                break;
            default: break;
            }
        } catch (...) {
            ui::application().handle_exception(std::current_exception());
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void TSkinManage::OnCreate(HWND window, const CBT_CREATEWNDW& create) {
    // Size grips get their skins from the control skins.
    if (create.lpcs && (create.lpcs->dwExStyle & WS_EX_MDICHILD)) SkinWindow(window);
    if (IsPopupMenuClass(create)) {
        TSkinData* data = main_ ? main_ : (components_.empty() ? nullptr : components_.front());
        if (latch_.skinning_on() && data && !data->NoSkin() && PopupAllowed(*data))
            TWinSkinPopMenu::Add(*this, window, data).SetTracking(menu_bar_tracking_);
    }
}

void TSkinManage::MarkStarted() {
    if (start_state_ == 0) start_state_ = 1;
    latch_.Start();
}

void TSkinManage::IssueCommand(SkinCommand command, unsigned delay_ms) {
    latch_.Issue(command, delay_ms);
    if (!timer_) return;
    timer_->set_interval(latch_.interval());
    timer_->set_enabled(latch_.timer_enabled());
}

void TSkinManage::FireCommand() {
    const SkinCommand command = latch_.Take();
    if (timer_) timer_->set_enabled(false);
    TSkinData* target = target_;
    if (!target || command == SkinCommand::kNone) return;
    RunCommand(command, target);
    if (std::find(components_.begin(), components_.end(), target) != components_.end()) target->DoSkinChanged();
    target_ = nullptr;
}

void TSkinManage::RunCommand(SkinCommand command, TSkinData* target) {
    const bool own_form = target->SkinFormtype() == TSkinFormType::sfOnlyThisForm;
    switch (command) {
    case SkinCommand::kSkinAll: {
        latch_.set_skinning_on(true);
        DropDeadWindows();
        skinning_all_ = true;
        if (own_form) {
            if (auto* owner = dynamic_cast<ui::WinControl*>(target->owner()); owner && owner->handle_allocated())
                SkinVisibleForm(owner->handle());
        } else {
            const std::vector<ui::Form*> forms = ui::screen().forms();
            for (auto it = forms.rbegin(); it != forms.rend(); ++it)
                if ((*it)->handle_allocated()) SkinVisibleForm((*it)->handle());
        }
        skinning_all_ = false;
        break;
    }
    case SkinCommand::kUnskinAll:
        latch_.set_skinning_on(false);
        TWinSkinPopMenu::ReleaseAll();
        DropDeadWindows();
        if (own_form) {
            for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
                if ((*it)->data() != target) continue;
                std::unique_ptr<TWinSkinForm> form = std::move(*it);
                windows_.erase(std::next(it).base());
                Unskin(std::move(form), true);
                break;
            }
        } else {
            while (!windows_.empty()) {
                std::unique_ptr<TWinSkinForm> form = std::move(windows_.front());
                windows_.erase(windows_.begin());
                Unskin(std::move(form), true);
            }
        }
        break;
    case SkinCommand::kRefresh:
        DropDeadWindows();
        for (auto& form : windows_) {
            if (form->data() != target) continue;
            form->RebuildFrame();
            if (own_form) break;
        }
        for (auto& form : windows_) {
            if (form->data() != target) continue;
            form->Refresh();
            if (own_form) break;
        }
        break;
    case SkinCommand::kNone: break;
    }
}

void TSkinManage::Unskin(std::unique_ptr<TWinSkinForm> form, bool repaint) {
    const HWND window = form->window();
    if (!form->dead()) form->Unskin();
    if (repaint && IsWindow(window))
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // A window skin still inside one of its window's messages is freed by a later walk.
    if (form->busy()) retired_.push_back(std::move(form));
}

void TSkinManage::SkinVisibleForm(HWND window) {
    if (!IsWindowVisible(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return;
    SkinWindow(window);
}

void TSkinManage::DropDeadWindows() {
    if (start_state_ == 4) return;
    for (auto it = windows_.end(); it != windows_.begin();) {
        --it;
        if ((*it)->dead() && !(*it)->busy()) it = windows_.erase(it);
    }
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(), [](const auto& f) { return !f->busy(); }),
                   retired_.end());
}

TWinSkinForm* TSkinManage::FindSkinnedWindow(HWND window) const {
    for (const auto& form : windows_)
        if (form->window() == window && !form->dead()) return form.get();
    return nullptr;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const {
    std::vector<ComponentFacts> facts;
    for (TSkinData* data : components_) {
        ComponentFacts f;
        f.form_type = data->SkinFormtype();
        auto* owner = dynamic_cast<ui::WinControl*>(data->owner());
        f.owns_window = owner && owner->handle_allocated() && owner->handle() == window;
        facts.push_back(f);
    }
    const int index = ChooseSkinComponent(facts, ClassOf(window));
    return index < 0 ? nullptr : components_[static_cast<std::size_t>(index)];
}

bool TSkinManage::SkinWindow(HWND window) {
    last_verdict_ = FilterVerdict::kSkinningOff;
    if (!latch_.skinning_on() || !IsWindow(window)) return false;
    DropDeadWindows();
    WindowFacts w;
    w.listed = FindSkinnedWindow(window) != nullptr;
    w.answers_skinned = !w.listed && SendMessageW(window, kMsgIsSkinned, 0, 0) == 1;
    ui::WinControl* control = ControlOf(window);
    w.has_control = control != nullptr;
    w.control_tag = control ? static_cast<int>(control->tag()) : 0;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    w.child = (style & WS_CHILD) != 0;
    w.mdi_child = (ex_style & WS_EX_MDICHILD) != 0;
    w.parent_class = ClassOf(GetParent(window));
    w.own_module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == GetModuleHandleW(nullptr);
    w.class_name = ClassOf(window);
    RECT r{};
    GetWindowRect(window, &r);
    w.empty_rect = r.right <= r.left || r.bottom <= r.top;
    w.set_foreground = (style & DS_SETFOREGROUND) != 0;
    FilterSettings settings;
    settings.skinning_on = true;
    settings.skinning_all = skinning_all_;
    settings.has_main_component = main_ != nullptr;
    if (main_) settings.main_options = main_->Options();
    last_verdict_ = FilterWindow(w, settings, [&] {
        bool skin_it = true;
        main_->AskFormSkin(window, w.class_name, skin_it);
        return skin_it;
    });
    if (last_verdict_ != FilterVerdict::kSkin) return false;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->NoSkin()) {
        last_verdict_ = FilterVerdict::kVetoed;
        return false;
    }
    auto form = std::make_unique<TWinSkinForm>(*this, window, control, w.class_name);
    TWinSkinForm& skinned = *form;
    windows_.push_back(std::move(form));
    if (control)
        skinned.Attach(data);
    else
        skinned.Subclass(data);
    PostMessageW(window, kMsgStartSkin, 0, 1000);
    return true;
}

bool TSkinManage::PopupAllowed(const TSkinData& data) const {
    const TSkinControlTypes c = data.SkinControls();
    switch (popup_kind_) {
    case 0: return c.has(TSkinControlType::xcPopupMenu);
    case 1: return c.has(TSkinControlType::xcMainMenu) || c.has(TSkinControlType::xcMenuItem);
    case 2: return c.has(TSkinControlType::xcSystemMenu);
    default: return false;
    }
}

void TSkinManage::SetMaximisedChild(bool shown) {
    if (maximised_child_ == shown) return;
    maximised_child_ = shown;
    if (main_ && main_->Options().has(TSkinOption::xoMDIChildBorder)) return;
    for (auto& form : windows_)
        if (form->kind() == TWinSkinForm::kMdiChild && !form->dead()) form->MaximisedChildChanged(shown);
}

} // namespace skin
