#include "skin/win/win_skin_form.h"

#include <algorithm>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/system_facts.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_control.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_menu_draw.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_region.h"
#include "skin/win/skin_scrolled.h"

namespace skin {
namespace {

constexpr unsigned kTimerMs = 250;
constexpr UINT kCaptionRedraw = 0x00AE;  // themed systems' caption redraw

ui::Rect WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool IsSystemCommand(WPARAM id) {
    switch (id & 0xFFF0) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
    }
}

// Which messages the skin follows on the control's own message entry.
bool IsControlMessage(UINT msg) { return msg == kMsgRefreshSkin; }

// Key data: the Alt key was held with the key.
constexpr LPARAM kAltHeld = 1 << 29;

} // namespace

TWinSkinForm::TWinSkinForm(TSkinManage& manager, HWND window, ui::WinControl* control, std::string class_name)
    : manager_(manager), window_(window), control_(control), class_name_(std::move(class_name)) {}

TWinSkinForm::~TWinSkinForm() {
    if (skin_state_ != kDead) RemoveHooks();
    ReleaseControlSkins();
    RemoveRegion();
}

void TWinSkinForm::AddControlSkin(TSkinControl* skin) {
    if (skin && std::find(control_skins_.begin(), control_skins_.end(), skin) == control_skins_.end())
        control_skins_.push_back(skin);
}

void TWinSkinForm::RemoveControlSkin(TSkinControl* skin) {
    control_skins_.erase(std::remove(control_skins_.begin(), control_skins_.end(), skin), control_skins_.end());
}

TSkinControl* TWinSkinForm::FindControlSkin(const ui::Component* control) const {
    if (!control) return nullptr;
    for (TSkinControl* s : control_skins_)
        if (s->owner() == control || s->control() == control) return s;
    return nullptr;
}

TSkinControl* TWinSkinForm::FindWindowSkin(HWND window) const {
    if (!window) return nullptr;
    for (TSkinControl* s : control_skins_)
        if (s->window() == window) return s;
    return nullptr;
}

TSkinControl* TWinSkinForm::OwnWindowSkin(std::unique_ptr<TSkinControl> skin) {
    window_skins_.push_back(std::move(skin));
    return window_skins_.back().get();
}

void TWinSkinForm::DropDeadControlSkins() {
    std::vector<TSkinControl*> dead;
    for (TSkinControl* s : control_skins_)
        if (s->dead() && !s->busy()) dead.push_back(s);
    for (TSkinControl* s : dead) {
        auto owned = std::find_if(window_skins_.begin(), window_skins_.end(), [s](const auto& p) { return p.get() == s; });
        if (owned != window_skins_.end()) window_skins_.erase(owned);
        else delete s;
    }
}

void TWinSkinForm::ReleaseControlSkins() {
    // Newest first, so that skins made for the parts of a skinned control go before it.
    while (!control_skins_.empty()) {
        TSkinControl* s = control_skins_.back();
        if (!s->dead()) s->Unskin();
        auto owned = std::find_if(window_skins_.begin(), window_skins_.end(), [s](const auto& p) { return p.get() == s; });
        if (owned != window_skins_.end()) window_skins_.erase(owned);
        else delete s;
        // A skin that never attached is not in the list; make sure the loop ends.
        RemoveControlSkin(s);
    }
    window_skins_.clear();
}

bool TWinSkinForm::has_caption() const { return (style_ & WS_CAPTION) == WS_CAPTION; }

void TWinSkinForm::Attach(TSkinData* data) {
    data_ = data;
    if (control_ && data->OnBeforeSkinForm) data->OnBeforeSkinForm(control_, window_, class_name_);
    Subclass(data);
    if (control_ && frame_skinning_) {
        filter_ = control_->window_proc.add(
            "skin", [this](ui::Message& m, const ui::MessageChain::Next& next) { ControlMessage(m, next); });
    }
    if (control_) {
        saved_color_ = control_->color();
        if (data->Skin()) control_->set_color(data->Skin()->colours[kButtonFace]);
        SetMenusOwnerDraw(data, control_, true);
        SetMainMenusOwnerDraw(data, control_, true);
    }
}

void TWinSkinForm::Subclass(TSkinData* data) {
    if (layer_) return;
    manager_.MarkStarted();
    data_ = data;
    timer_ = std::make_unique<ui::Timer>(nullptr);
    timer_->set_enabled(false);
    timer_->set_interval(kTimerMs);
    timer_->on_timer = [this](ui::Component*) { TimerTick(); };

    style_ = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    frame_skinning_ = data->SkinControls().has(TSkinControlType::xcMainMenu);
    right_to_left_ = (ex_style & WS_EX_LEFTSCROLLBAR) != 0;
    child_ = (style_ & WS_CHILD) != 0;
    owner_ = GetWindow(window_, GW_OWNER);
    system_menu_ = GetSystemMenu(window_, FALSE);
    if ((style_ & WS_SYSMENU) || system_menu_) saved_styles_ |= saved_style::kWindowMenu;
    if (style_ & WS_MINIMIZEBOX) saved_styles_ |= saved_style::kMinimizeBox;
    if (style_ & WS_MAXIMIZEBOX) saved_styles_ |= saved_style::kMaximizeBox;
    if (ex_style & WS_EX_CONTEXTHELP) saved_styles_ |= saved_style::kContextHelp;
    ReadWindowState();
    sizable_ = (style_ & WS_THICKFRAME) != 0;
    if (ex_style & WS_EX_MDICHILD) {
        kind_ = kMdiChild;
    } else if (HWND client = FindWindowExW(window_, nullptr, L"MDIClient", nullptr)) {
        kind_ = kMdiFrame;
        mdi_client_ = client;
    }
    if (kind_ == kMdiChild && data->Options().has(TSkinOption::xoMDIChildBorder)) frame_skinning_ = false;

    dialog_ = IsDialogClass(class_name_);
    frame_kind_ = ChooseFrameKind(style_, ex_style, dialog_);
    const ui::SystemFacts& system = ui::system_facts();
    if (KeepsSysMenuStyle(system.major, system.minor, (ex_style & WS_EX_APPWINDOW) && system.nt_platform,
                          owner_ != nullptr, kind_ == kMdiChild))
        saved_styles_ |= saved_style::kKeepSysMenu;

    if (kind_ == kMdiFrame) {
        saved_menu_update_ = data->MenuUpdate();
        client_layer_ = std::make_unique<ui::WindowSubclass>(
            mdi_client_, [this](ui::Message& m, const ui::WindowSubclass::Next& next) { MdiClientMessage(m, next); },
            "skin mdi client");
    }
    layer_ = std::make_unique<ui::WindowSubclass>(
        window_, [this](ui::Message& m, const ui::WindowSubclass::Next& next) { Message(m, next); }, "skin");

    if (frame_skinning_) {
        if (GetMenu(window_) && kind_ != kMdiChild) {
            frame_.menu_bar = GetSystemMetrics(SM_CYMENU);
            menu_bar_ = std::make_unique<TWinSkinMenu>(window_, dynamic_cast<ui::Form*>(control_), *data, manager_,
                                                       right_to_left_);
            menu_bar_->on_changed = [this] {
                if (skin_state_ == kSkinned && IsWindowVisible(window_)) PaintFrame(nullptr);
            };
            menu_bar_->Build();
        }
        RebuildFrame();
    } else {
        skin_state_ = kSkinned;
    }
    if (kind_ == kMdiChild) {
        const int wanted = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (frame_.top < wanted) frame_.menu_bar = wanted - frame_.top;
        if (window_state_ == kMaximised) manager_.SetMaximisedChild(true);
    }
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window_, &placement)) return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: window_state_ = kMinimised; break;
    case SW_SHOWMAXIMIZED: window_state_ = kMaximised; break;
    default: window_state_ = kNormal; break;
    }
}

void TWinSkinForm::Start() {
    started_ = true;
    system_menu_ = GetSystemMenu(window_, FALSE);
    MakeIconBitmap();
    RECT window{}, client{};
    GetWindowRect(window_, &window);
    GetClientRect(window_, &client);
    system_width_ = (window.right - window.left) - client.right;
    system_height_ = (window.bottom - window.top) - client.bottom;
    client_width_ = client.right;
    client_height_ = client.bottom;
    if (skin_state_ == kNew && frame_skinning_) {
        if (kind_ == kMdiChild) {
            if (window_state_ == kMaximised) {
                if (HWND client_window = GetParent(window_)) PostMessageW(client_window, kMsgMdiRedraw, 0, 0);
            } else if (window_state_ == kNormal) {
                skin_state_ = kResizing;
                FitWindow(false);
                UpdateRegion();
            }
        } else if (!child_ && has_caption() && window_state_ != kMinimised) {
            skin_state_ = kResizing;
            FitWindow(false);
            if (window_state_ == kMaximised)
                SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                             SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            else
                UpdateRegion();
        }
    }
    if (data_ && data_->Skin()) SkinWindowControls(*this);
    // The bar shows the menu from now on; the client keeps its size, which the skin's frame
    // (with its menu bar row) sets.
    SendMessageW(window_, kMsgSkinned, 0, kSkinMagic);
    if (data_ && data_->OnAfterSkinForm) data_->OnAfterSkinForm(control_, window_, class_name_);
    skin_state_ = kSkinned;
    if (menu_bar_) menu_bar_->TakeMenu();
    if (timer_) timer_->set_enabled(active_);
}

void TWinSkinForm::RebuildFrame() {
    if (!data_ || !data_->Skin()) return;
    const SkinDescription& skin = *data_->Skin();
    const int menu_bar = frame_.menu_bar;
    frame_ = SkinFrameOf(skin, frame_kind_ != FrameKind::kNoCaption);
    frame_.menu_bar = frame_kind_ == FrameKind::kNoCaption ? 0 : menu_bar;
    for (int side = 0; side < 4; ++side) AssignImage(borders_[static_cast<std::size_t>(side)], skin.borders[static_cast<std::size_t>(side)].bitmap);
    AssignImage(text_back_, skin.title.bitmap);
    RebuildButtons();
}

void TWinSkinForm::RebuildButtons() {
    buttons_.clear();
    hot_ = -1;
    if (!data_ || !data_->Skin()) return;
    for (const TDataSkinSysButton& element : data_->Skin()->caption_buttons) {
        CaptionButton b;
        b.element = element;
        b.frames = std::max(element.frame, 1);
        if (!element.bitmap.empty()) AssignImage(*b.picture, element.bitmap);
        if (IsIconAction(element.action)) {
            MakeIconBitmap();
            // The button keeps its own copy: the window's icon may change or go.
            if (b.picture->empty()) b.picture->assign(icon_bitmap_);
            b.frames = 1;
        }
        buttons_.push_back(std::move(b));
    }
}

void TWinSkinForm::MakeIconBitmap() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    icon_bitmap_.set_size(cx, cy);
    ui::Canvas& canvas = icon_bitmap_.canvas();
    canvas.brush().color = ui::clFuchsia;
    canvas.fill_rect({0, 0, cx, cy});
    auto icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_BIG, 0));
    if (icon) DrawIconEx(icon_bitmap_.dc(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    icon_bitmap_.transparent = true;
    icon_bitmap_.transparent_color = ui::clFuchsia;
}

void TWinSkinForm::Message(ui::Message& m, const ui::WindowSubclass::Next& next) {
    BusyScope handling{busy_};
    switch (m.msg) {
    case WM_NCPAINT:
        if (skin_state_ == kNew) return;  // no system frame flashes before the start
        break;
    case WM_ERASEBKGND:
        next(m);
        if (!control_ && data_ && data_->FaceBrush()) {
            RECT r{};
            GetClientRect(window_, &r);
            FillRect(reinterpret_cast<HDC>(m.wparam), &r, data_->FaceBrush());
            m.result = 1;
        }
        return;
    case WM_NCDESTROY:
        skin_state_ = kReleasing;
        Release();
        next(m);
        skin_state_ = kDead;
        return;
    case WM_NCACTIVATE:
        // Recorded in every state: an MDI child deactivated by a newer sibling before its start,
        // or while maximised, passes the message on to the system and would keep an active look.
        active_ = m.wparam != 0;
        // Not yet started: the system must not draw its caption, but the change goes ahead.
        if (skin_state_ == kNew && kind_ != kMdiChild) {
            m.result = 1;
            return;
        }
        break;
    case kCaptionRedraw: m.result = 0; return;
    case WM_INITMENUPOPUP:
        manager_.SetPopupKind(reinterpret_cast<HMENU>(m.wparam) == system_menu_ ? 2 : 1);
        next(m);
        return;
    case WM_MENUSELECT:
        // Sent to the window that owns the tracked menu, never queued: the bar learns here
        // what is selected.
        if (menu_bar_) menu_bar_->MenuSelect(m.wparam, m.lparam);
        next(m);
        return;
    case WM_MEASUREITEM:
        // The items of the bar's drops are measured and drawn in the skin.
        if (menu_bar_ && m.wparam == 0 && m.lparam &&
            menu_bar_->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.lparam))) {
            m.result = TRUE;
            return;
        }
        break;
    case WM_DRAWITEM:
        if (menu_bar_ && m.wparam == 0 && m.lparam &&
            menu_bar_->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lparam))) {
            m.result = TRUE;
            return;
        }
        break;
    case WM_CTLCOLORBTN:
        next(m);
        if (!control_) SetBkMode(reinterpret_cast<HDC>(m.wparam), TRANSPARENT);
        return;
    case WM_CTLCOLORSTATIC:
        next(m);
        if (!control_ && data_ && data_->FaceBrush()) {
            SetBkMode(reinterpret_cast<HDC>(m.wparam), TRANSPARENT);
            m.result = reinterpret_cast<LRESULT>(data_->FaceBrush());
        }
        return;
    case kMsgStartSkin: Start(); return;
    case kMsgIsSkinned:
        m.result = 1;
        PostMessageW(window_, kMsgSkinned, 0, kSkinMagic);
        return;
    case kMsgPaintInto:
        if (m.lparam != kSkinMagic) break;
        PaintFrame(reinterpret_cast<HDC>(m.wparam));
        m.result = kSkinMagic;
        return;
    case kMsgSkinProbe: m.result = m.lparam == kSkinMagic ? kSkinMagic : 1; return;
    case kMsgNewScrollSkin:
        RenewScrollSkin(*this, reinterpret_cast<HWND>(m.wparam));
        m.result = 0;
        return;
    case WM_SETTEXT:
    case WM_SETICON:
        // The system paints its own caption while it takes a new text or icon.
        next(m);
        if (m.msg == WM_SETICON) MakeIconBitmap();
        if (frame_skinning_ && skin_state_ != kNew && IsWindowVisible(window_)) RedrawFrame();
        return;
    default: break;
    }
    if (frame_skinning_)
        SecondStage(m, next);
    else
        next(m);
}

void TWinSkinForm::RedrawFrame() {
    if (kind_ == kMdiChild && window_state_ == kMaximised) {
        if (HWND client = GetParent(window_)) PostMessageW(client, kMsgMdiRedraw, 0, 0);
    } else if (window_state_ == kMinimised) {
        PaintFrame(nullptr);
    } else {
        SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TWinSkinForm::SecondStage(ui::Message& m, const ui::WindowSubclass::Next& next) {
    if (kind_ != kMdiChild && child_) {
        next(m);
        return;
    }
    switch (m.msg) {
    case WM_SIZE:
        next(m);
        window_state_ = m.wparam == SIZE_MINIMIZED ? kMinimised : m.wparam == SIZE_MAXIMIZED ? kMaximised : kNormal;
        if (kind_ == kMdiChild) FollowMdiChildSize();
        if (window_state_ != kMinimised &&
            !(kind_ == kMdiChild && (manager_.MaximisedChildShown() || window_state_ != kNormal)) &&
            (skin_state_ == kSkinned || skin_state_ == kRefreshing))
            UpdateRegion();
        return;
    case WM_ACTIVATE:
        active_ = LOWORD(m.wparam) != WA_INACTIVE;
        break;
    case WM_GETMINMAXINFO:
        next(m);
        ReadWindowState();
        return;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        next(m);
        return;
    case WM_COMMAND:
        if (HIWORD(m.wparam) == 0 && m.lparam == 0 && IsSystemCommand(LOWORD(m.wparam)) && LOWORD(m.wparam) >= 0xF000) {
            PostMessageW(window_, WM_SYSCOMMAND, LOWORD(m.wparam), 0);
            return;
        }
        next(m);
        return;
    case WM_SYSCOMMAND:
        if (!SysCommand(m)) next(m);
        return;
    case ui::CM_MENUCHANGED:
        next(m);
        if (menu_bar_ && data_ && data_->MenuUpdate()) menu_bar_->MenuChanged();
        return;
    case kMsgMenuBarClick:
        if (menu_bar_) {
            const POINT p{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
            DropMenuBarButton(menu_bar_->HitTestScreen(p));
        }
        return;
    default: break;
    }
    ThirdStage(m, next);
}

bool TWinSkinForm::SysCommand(ui::Message& m) {
    const WPARAM command = m.wparam & 0xFFF0;
    if (command == SC_KEYMENU && m.lparam != ' ' && m.lparam != '-' && menu_bar_ && !menu_bar_->in_menu_mode() &&
        !GetCapture()) {
        // Alt or F10 alone takes the first button, Alt with a letter the button it is the
        // accelerator of.
        const int index = menu_bar_->ButtonForKey(static_cast<wchar_t>(m.lparam));
        if (index >= 0) {
            DropMenuBarButton(index);
            m.result = 1;
            return true;
        }
    }
    if (command == SC_KEYMENU && m.lparam == ' ') {
        POINT origin{0, 0};
        ClientToScreen(window_, &origin);
        ShowWindowMenu(origin);
        return true;
    }
    if (command == SC_MINIMIZE) window_state_ = kMinimised;
    if (command == SC_MAXIMIZE) window_state_ = kMaximised;
    if (command == SC_RESTORE) {
        if (kind_ == kMdiChild) manager_.SetMaximisedChild(false);
        window_state_ = kNormal;
    }
    return false;
}

void TWinSkinForm::ThirdStage(ui::Message& m, const ui::WindowSubclass::Next& next) {
    if (skin_state_ == kNew || (kind_ == kMdiChild && window_state_ == kMaximised)) {
        next(m);
        return;
    }
    switch (m.msg) {
    case WM_NCCALCSIZE:
        next(m);
        NcCalcSize(m);
        return;
    case WM_NCHITTEST:
        next(m);
        NcHitTest(m);
        return;
    case WM_NCPAINT:
        if (!(saved_styles_ & saved_style::kKeepSysMenu))
            SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_SYSMENU));
        if ((kind_ == kMdiChild && window_state_ == kMaximised) || !has_caption())
            next(m);
        else
            PaintFrame(nullptr);
        m.result = 0;
        return;
    case WM_NCACTIVATE: NcActivate(m, next); return;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
        if (!NcMouse(m, next)) next(m);
        return;
    case kMsgPaintNonClient: PaintFrame(nullptr); return;
    default: next(m); return;
    }
}

void TWinSkinForm::NcCalcSize(ui::Message& m) {
    if (m.wparam == 0) {
        m.result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lparam);
    if ((kind_ == kMdiChild && window_state_ != kNormal) || !has_caption()) {
        params->rgrc[1] = params->rgrc[0];
        m.result = WVR_REDRAW;
        return;
    }
    const WINDOWPOS& pos = *params->lppos;
    const ui::Rect client = ClientOfWindow({pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy}, frame_);
    params->rgrc[0] = {client.left, client.top, client.right, client.bottom};
    params->rgrc[1] = params->rgrc[0];
    m.result = WVR_REDRAW;
}

void TWinSkinForm::NcHitTest(ui::Message& m) {
    if (m.result != HTNOWHERE && m.result != HTCAPTION) return;
    POINT p{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
    ScreenToClient(window_, &p);
    if (!(kind_ == kMdiChild && window_state_ == kMinimised)) {
        p.x += frame_.left;
        p.y += frame_.top + frame_.menu_bar;
    }
    m.result = SkinHitTest(static_cast<int>(m.result), p.x, p.y, frame_);
}

void TWinSkinForm::NcActivate(ui::Message& m, const ui::WindowSubclass::Next& next) {
    active_ = m.wparam != 0;
    if (timer_) timer_->set_enabled(active_);
    if (kind_ == kMdiFrame && mdi_client_) SendMessageW(mdi_client_, WM_NCACTIVATE, m.wparam, m.lparam);
    if (kind_ == kMdiChild) next(m);
    if (!(kind_ == kMdiChild && window_state_ == kMaximised)) PaintFrame(nullptr);
    m.result = 1;
}

void TWinSkinForm::MdiClientMessage(ui::Message& m, const ui::WindowSubclass::Next& next) {
    BusyScope handling{busy_};
    switch (m.msg) {
    case WM_NCCALCSIZE:
        // The skinned frame has no room for the client's own scroll bars unless asked to.
        if (frame_skinning_ && data_ && !data_->Options().has(TSkinOption::xoMDIScrollbar)) {
            const LONG_PTR style = GetWindowLongPtrW(mdi_client_, GWL_STYLE);
            if (style & (WS_HSCROLL | WS_VSCROLL))
                SetWindowLongPtrW(mdi_client_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        }
        break;
    case WM_MDICREATE:
        // Children merge their menus into the frame's; the skinned menu bar stays as it is
        // until the last child has gone.
        if (data_) data_->SetMenuUpdate(false);
        break;
    case WM_MDIDESTROY: {
        next(m);
        if (!frame_skinning_) return;
        BOOL maximised = FALSE;
        const auto active = reinterpret_cast<HWND>(
            SendMessageW(mdi_client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
        manager_.SetMaximisedChild(active && maximised);
        if (!active && frame_.menu_bar > 0 && data_) {
            data_->SetMenuUpdate(saved_menu_update_);
            if (menu_bar_) {
                menu_bar_->Build();
                menu_bar_->TakeMenu();
            }
        }
        if (menu_bar_ && skin_state_ == kSkinned) PaintFrame(nullptr);
        return;
    }
    case WM_MDISETMENU:
        next(m);
        if (frame_skinning_ && menu_bar_ && m.wparam) {
            menu_bar_->Build(reinterpret_cast<HMENU>(m.wparam), true);
            menu_bar_->TakeMenu();
            if (skin_state_ == kSkinned) PaintFrame(nullptr);
        }
        return;
    case WM_MDITILE:
    case WM_MDICASCADE: manager_.SetMaximisedChild(false); break;
    case kMsgMdiRedraw:
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
    default: break;
    }
    next(m);
}

// Whichever way a child was maximised or restored (its button, the MDI messages, the window
// menu), the manager learns whether one is maximised now.
void TWinSkinForm::FollowMdiChildSize() {
    bool any = false;
    if (HWND client = GetParent(window_))
        for (HWND c = GetWindow(client, GW_CHILD); c && !any; c = GetWindow(c, GW_HWNDNEXT)) any = IsZoomed(c) != FALSE;
    manager_.SetMaximisedChild(any);
}

void TWinSkinForm::MaximisedChildChanged(bool shown) {
    if (shown) {
        RemoveRegion();
        return;
    }
    if (window_state_ == kMinimised) return;
    window_state_ = kNormal;
    UpdateRegion();
    if (!region_set_)
        SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinSkinForm::ControlMessage(ui::Message& m, const ui::MessageChain::Next& next) {
    if (m.msg == ui::CM_DIALOGCHAR) {
        next(m);
        // A key no control took, with only Alt held, drops the menu bar button it is the
        // accelerator of.
        const bool only_alt = (m.lparam & kAltHeld) != 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
        if (m.result == 0 && only_alt && m.wparam && menu_bar_ && !menu_bar_->in_menu_mode()) {
            const int index = menu_bar_->ButtonForKey(static_cast<wchar_t>(m.wparam));
            if (index >= 0 && DropMenuBarButton(index)) m.result = 1;
        }
        return;
    }
    if (!IsControlMessage(m.msg)) {
        next(m);
        return;
    }
    Refresh();
}

void TWinSkinForm::RemoveHooks() {
    if (timer_) timer_->set_enabled(false);
    window_menu_popup_.reset();
    if (filter_ && control_) control_->window_proc.remove(filter_);
    filter_ = 0;
    if (layer_) layer_->remove();
    if (client_layer_) client_layer_->remove();
    ReleaseControlSkins();
}

void TWinSkinForm::FreeMenuBar(bool give_back) {
    if (!menu_bar_) return;
    if (give_back) menu_bar_->GiveMenuBack();
    menu_bar_.reset();
}

void TWinSkinForm::Release() {
    RemoveHooks();
    // The manager going away leaves the window alive: it keeps its menu.
    FreeMenuBar(skin_state_ != kReleasing && skin_state_ != kDead && IsWindow(window_));
    if (control_ && skin_state_ != kReleasing && skin_state_ != kDead) control_->set_color(saved_color_);
}

void TWinSkinForm::Unskin() {
    if (!frame_skinning_) {
        Release();
        return;
    }
    // The outer size goes to the system frame's while the skin's frame is still in place: the
    // client shrinks for a moment and comes back exactly, and never grows past its size (a
    // pager would keep its child at the largest height it saw).
    const bool resize = (kind_ == kMdiChild || !child_) && IsWindow(window_);
    if (resize && started_ && has_caption() && window_state_ == kNormal) {
        RECT r{};
        GetWindowRect(window_, &r);
        if (HWND parent = (kind_ == kMdiChild ? GetParent(window_) : nullptr))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        const auto size = UnskinnedSize(r.right - r.left, r.bottom - r.top, system_width_, system_height_, frame_);
        SetWindowPos(window_, nullptr, r.left, r.top, size.first, size.second, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RemoveHooks();
    if (control_) {
        control_->set_color(saved_color_);
        // The menus go back to the system's drawing.
        SetMenusOwnerDraw(data_, control_, false);
        SetMainMenusOwnerDraw(data_, control_, false);
    }
    if (window_menu_popup_) GivePopupHandlers(data_, *window_menu_popup_, false);
    FreeMenuBar(true);
    if ((saved_styles_ & saved_style::kWindowMenu) && !(saved_styles_ & saved_style::kKeepSysMenu))
        SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | WS_SYSMENU);
    if (IsWindow(window_))
        SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RemoveRegion();
}

void TWinSkinForm::RemoveRegion() {
    if (!region_set_) return;
    // The system owns a region once it is set; taking it off deletes it.
    if (IsWindow(window_)) SetWindowRgn(window_, nullptr, kind_ == kMdiChild);
    region_set_ = false;
    region_width_ = region_height_ = -1;
}

void TWinSkinForm::Refresh() {
    if (control_ && data_ && data_->Skin()) control_->set_color(data_->Skin()->colours[kButtonFace]);
    skin_state_ = kRefreshing;
    if (frame_skinning_ && has_caption() && (kind_ == kMdiChild || !child_)) {
        FitWindow(true);
        UpdateRegion();
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    SendMessageW(window_, kMsgSkinned, 0, kSkinMagic);
    for (TSkinControl* s : std::vector<TSkinControl*>(control_skins_)) s->Reskin();
    if (data_ && data_->OnAfterSkinForm) data_->OnAfterSkinForm(control_, window_, class_name_);
    skin_state_ = kSkinned;
}

void TWinSkinForm::FitWindow(bool reread_client) {
    if (window_state_ == kMaximised) {
        SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (reread_client || dialog_) {
        RECT client{};
        GetClientRect(window_, &client);
        client_width_ = client.right;
        client_height_ = client.bottom;
    }
    auto size = OuterSize(client_width_, client_height_, frame_);
    if (dialog_ && !reread_client && data_ && data_->Skin() && data_->CaptionFont()) {
        const int length = GetWindowTextLengthW(window_);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(window_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        ui::MemoryDC dc;
        const HGDIOBJ old = SelectObject(dc.get(), data_->CaptionFont());
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), length, &extent);
        SelectObject(dc.get(), old);
        const TDataSkinTitle& title = data_->Skin()->title;
        const DialogWidening widening = WidenDialog(size.first, title.left_width + extent.cx + title.right_width);
        if (widening.shift > 0) {
            size.first = widening.width;
            for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(child, nullptr, r.left + widening.shift, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    SetWindowPos(window_, nullptr, 0, 0, size.first, size.second,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinSkinForm::UpdateRegion() {
    if (!frame_skinning_ || skin_state_ == kDead || !data_ || !data_->Skin()) return;
    if (kind_ == kMdiChild && window_state_ != kNormal) return;
    const ui::Rect wr = WindowRect(window_);
    const int w = wr.width(), h = wr.height();
    if (w <= 0 || h <= 0) return;
    if (region_set_ && w == region_width_ && h == region_height_ && kind_ != kMdiChild && skin_state_ != kRefreshing) return;
    const SkinDescription& skin = *data_->Skin();
    const bool any_trans = std::any_of(skin.borders.begin(), skin.borders.end(), [](const TDataSkinObject& b) { return b.trans != 0; });
    HRGN region = nullptr;
    if (!any_trans) {
        region = CreateRectRgn(0, 0, w, h);
    } else {
        const SkinFrame& f = frame_;
        region = CreateRectRgn(f.left, f.top, std::max(f.left, w - f.right), std::max(f.top, h - f.bottom));
        auto add_strip = [&](BorderSide side, const ui::Rect& strip, bool from_picture) {
            if (strip.width() <= 0 || strip.height() <= 0) return;
            ui::Region part;
            const TDataSkinObject& e = skin.borders[side];
            if (from_picture && !borders_[side].empty()) {
                const bool vertical = side == kTopBorder || side == kBottomBorder;
                auto piece = StretchSkinFrame({0, 0, strip.width(), strip.height()}, borders_[side],
                                              {e.left_width, e.top_height, e.right_width, e.bottom_height}, vertical,
                                              e.tile != 1, std::max(e.frame, 1), 1);
                if (piece) part = RegionFromBitmap(*piece, strip.left, strip.top, ui::clFuchsia, 0, 0, 0);
            }
            if (!part.get()) part = ui::Region::rectangle(strip);
            CombineRgn(region, region, part.get(), RGN_OR);
        };
        if (has_caption()) {
            const auto& b = skin.borders;
            add_strip(kLeftBorder, {0, 0, f.left, h}, b[kLeftBorder].trans == 1 && h > 1);
            add_strip(kRightBorder, {w - f.right, 0, w, h}, b[kRightBorder].trans == 1 && h > 1);
            add_strip(kBottomBorder, {f.left, h - f.bottom, w - f.right, h}, b[kBottomBorder].trans == 1 && f.bottom >= 2);
            add_strip(kTopBorder, {f.left, 0, w - f.right, f.top}, b[kTopBorder].trans == 1 && f.top > 1);
        }
    }
    if (!region) return;
    if (SetWindowRgn(window_, region, TRUE)) {
        region_set_ = true;
        region_width_ = w;
        region_height_ = h;
    } else {
        DeleteObject(region);
    }
}

} // namespace skin
