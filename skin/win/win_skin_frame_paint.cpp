// The skinned non-client area: borders, title with its text and icon, caption buttons and what
// clicking them does, and the window menu that replaces the system's.
#include <algorithm>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_draw.h"
#include "skin/win/skin_messages.h"
#include "skin/win/win_skin_form.h"

namespace skin {
namespace {

constexpr int kIconLeft = 8;
constexpr int kDialogTextShift = 16;
constexpr int kRightToLeftTextShift = 10;
constexpr int kHintBelowCursor = 24;

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

} // namespace

CaptionState TWinSkinForm::CaptionFacts() const {
    CaptionState s;
    s.maximised = window_state_ == kMaximised;
    s.active = active_;
    s.minimize_box = (saved_styles_ & saved_style::kMinimizeBox) != 0;
    s.maximize_box = (saved_styles_ & saved_style::kMaximizeBox) != 0;
    s.context_help = (saved_styles_ & saved_style::kContextHelp) != 0;
    s.window_menu = (saved_styles_ & saved_style::kWindowMenu) != 0;
    s.dialog_frame = frame_kind_ == FrameKind::kDialog;
    s.dialog_class = dialog_;
    s.child_maximised_in_menu_bar = kind_ == kMdiFrame && manager_.MaximisedChildShown() && frame_.menu_bar > 0;
    return s;
}

void TWinSkinForm::LayoutButtons(int width) {
    const CaptionState facts = CaptionFacts();
    const HWND window = window_;
    const AskButtonShown ask = [window](int code, int action) {
        return SendMessageW(window, kMsgButtonShown, static_cast<WPARAM>(code), action) > 0;
    };
    CaptionPlaces places;
    places.window_width = width;
    places.text_left = caption_text_rect_.left;
    places.text_right = caption_text_rect_.right;
    places.right_border = frame_.right;
    places.top_border = frame_.top;
    places.menu_bar = frame_.menu_bar;
    if (data_ && data_->Skin() && data_->Skin()->menu_bar) places.menu_bar_left_width = data_->Skin()->menu_bar->left_width;
    for (CaptionButton& b : buttons_) {
        const ButtonLook look = CaptionButtonLook(b.element, facts, ask);
        b.visible = look.visible;
        b.enabled = look.enabled;
        const int w = b.picture->empty() ? 0 : b.picture->width() / b.frames;
        const int h = b.picture->height();
        const auto origin = CaptionButtonOrigin(b.element, w, h, places);
        b.rect = {origin.first, origin.second, origin.first + w, origin.second + h};
    }
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if ((skin_state_ != kSkinned && skin_state_ != kRefreshing) || !has_caption() ||
        (kind_ == kMdiChild && window_state_ == kMaximised) || !data_ || !data_->Skin())
        return;
    std::unique_ptr<ui::WindowDC> own;
    if (!dc) {
        own = std::make_unique<ui::WindowDC>(window_);
        dc = own->get();
    }
    if (!dc) return;
    try {
        RECT r{};
        GetWindowRect(window_, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (buttons_.empty()) RebuildButtons();
        if (window_state_ == kMinimised) {
            PaintTitle(dc, w, h, true);
        } else {
            PaintBorder(dc, kLeftBorder, {0, 0, frame_.left, h});
            PaintBorder(dc, kRightBorder, {w - frame_.right, 0, w, h});
            PaintBorder(dc, kBottomBorder, {frame_.left, h - frame_.bottom, w - frame_.right, h});
            PaintTitle(dc, w, h, false);
            if (frame_.menu_bar > 0) PaintMenuBar(dc, w);
        }
    } catch (...) {
        // A frame that cannot be painted keeps whatever is there.
    }
    hot_ = -1;
    for (CaptionButton& b : buttons_) b.state = 1;
}

ui::Rect TWinSkinForm::MenuBarRow(int width) const {
    return {frame_.left, frame_.top, width - frame_.right, frame_.top + frame_.menu_bar};
}

int TWinSkinForm::MenuBarRowEnd(const ui::Rect& row) const {
    // Right to left, the row of menu buttons stops short of a maximised child's buttons.
    if (!right_to_left_ || !CaptionFacts().child_maximised_in_menu_bar) return row.right;
    int end = row.right;
    for (const CaptionButton& b : buttons_)
        if (b.visible && !b.picture->empty() && b.element.visibility == 100) end = std::min(end, b.rect.left - 5);
    return end;
}

void TWinSkinForm::PaintMenuBar(HDC dc, int width) {
    const ui::Rect row = MenuBarRow(width);
    if (row.width() <= 0 || row.height() <= 0) return;
    if (!menu_bar_) {
        if (data_->FaceBrush()) {
            const RECT r{row.left, row.top, row.right, row.bottom};
            FillRect(dc, &r, data_->FaceBrush());
        }
        return;
    }
    // However the active child was maximised, the bar shows its buttons from the first paint on.
    if (kind_ == kMdiFrame && mdi_client_ && !manager_.MaximisedChildShown()) {
        BOOL maximised = FALSE;
        const auto active = reinterpret_cast<HWND>(
            SendMessageW(mdi_client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
        if (active && maximised) {
            manager_.SetMaximisedChild(true);
            LayoutButtons(width);
        }
    }
    // A maximised MDI child's buttons sit in the bar.
    const bool child_buttons = kind_ == kMdiFrame && CaptionFacts().child_maximised_in_menu_bar;
    menu_bar_->Paint(dc, row, active_, MenuBarRowEnd(row), [this, child_buttons](HDC work) {
        if (!child_buttons) return;
        for (const CaptionButton& b : buttons_)
            if (b.visible && !b.picture->empty() && b.element.visibility == 100) PaintButton(work, b, 1);
    });
}

bool TWinSkinForm::DropMenuBarButton(int index) {
    if (!menu_bar_ || index < 0) return false;
    if (hot_ >= 0) MouseLeave();
    if (timer_) timer_->set_enabled(false);
    const bool dropped = menu_bar_ && menu_bar_->DropMenu(index);
    if (timer_ && menu_bar_) timer_->set_enabled(active_);
    return dropped;
}

void TWinSkinForm::PaintBorder(HDC dc, BorderSide side, const ui::Rect& dest) {
    const ui::Bitmap& picture = borders_[static_cast<std::size_t>(side)];
    if (picture.empty() || dest.width() <= 0 || dest.height() <= 0) return;
    const TDataSkinObject& e = data_->Skin()->borders[static_cast<std::size_t>(side)];
    const int frames = std::max(e.frame, 1);
    const int index = active_ || frames == 1 ? 1 : 2;
    const bool vertical = side == kTopBorder || side == kBottomBorder;
    auto piece = StretchSkinFrame({0, 0, dest.width(), dest.height()}, picture,
                                  {e.left_width, e.top_height, e.right_width, e.bottom_height}, vertical, e.tile != 1,
                                  frames, index);
    if (piece) BitBlt(dc, dest.left, dest.top, dest.width(), dest.height(), piece->dc(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintTitle(HDC dc, int width, int height, bool minimised) {
    const int work_height = minimised ? height : frame_.top;
    if (width <= 0 || work_height <= 0) return;
    ui::Bitmap work(width, work_height);
    ui::Rect title;
    if (minimised) {
        RECT all{0, 0, width, work_height};
        if (data_->FaceBrush()) FillRect(work.dc(), &all, data_->FaceBrush());
        title = {0, 0, width, frame_.top};
    } else {
        BitBlt(work.dc(), 0, 0, width, work_height, dc, 0, 0, SRCCOPY);
        title = {frame_.left, 0, width - frame_.right, frame_.top};
    }
    PaintBorder(work.dc(), kTopBorder, title);
    PaintCaptionText(work.dc(), title);
    LayoutButtons(width);
    for (const CaptionButton& b : buttons_) {
        if (!b.visible || b.picture->empty() || b.element.visibility == 100) continue;
        PaintButton(work.dc(), b, TitleButtonFrame(b.frames, active_, b.enabled));
    }
    BitBlt(dc, 0, 0, width, work_height, work.dc(), 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::PaintCaptionText(HDC dc, const ui::Rect& title) {
    const SkinDescription& skin = *data_->Skin();
    const TDataSkinTitle& t = skin.title;
    const std::wstring text = L"  " + WindowText(window_) + L" ";
    int right_buttons = 0;
    for (const CaptionButton& b : buttons_)
        if (b.visible && !b.picture->empty() && b.element.align == 1) right_buttons = std::max(right_buttons, b.element.x);
    const HGDIOBJ old_font = data_->CaptionFont() ? SelectObject(dc, data_->CaptionFont()) : nullptr;
    SetTextColor(dc, ui::to_colorref(skin.colours[active_ ? kTitleTextActive : kTitleTextNoActive]));
    SetBkMode(dc, TRANSPARENT);
    RECT measure{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
    const int text_width = measure.right + t.text_back_left + t.text_back_right;
    const int text_height = measure.bottom;
    const int text_shift = t.left_width, shift_vert = t.top_height, right_clip = t.right_width;
    int left = 0;
    if (right_to_left_) {
        const int room = title.right - right_buttons;
        left = t.text_alignment == 0 ? room - text_width
               : t.text_alignment == 1 ? (room - text_width) / 2
               : t.text_alignment == 2 ? text_shift : 0;
        if (left <= 1) left = text_shift;
        left += kRightToLeftTextShift;
    } else {
        left = t.text_alignment == 0 ? text_shift
               : t.text_alignment == 1 ? title.left + (title.width() - text_width) / 2
               : t.text_alignment == 2 ? title.width() - right_clip - text_width : 0;
    }
    if (frame_kind_ == FrameKind::kDialog && t.text_alignment == 0 && !right_to_left_) left -= kDialogTextShift;
    int right = left + text_width;
    if (!right_to_left_) {
        if (style_ & WS_POPUP) {
            if (right_buttons > 5) right = std::min(right, title.right - right_buttons - 5);
        } else {
            right = std::min(right, title.right - right_clip);
        }
    }
    const int top = title.top + (title.height() - text_height) / 2 + shift_vert / 2;
    ui::Rect text_rect{left, top, std::max(left, right), top + text_height};
    if (!text_back_.empty()) {
        ui::Canvas canvas(dc);
        DrawSkinBar(canvas, {text_rect.left, title.top, text_rect.right, title.bottom}, text_back_,
                    {t.text_back_left, 0, t.text_back_right, 0}, true, true, 2, active_ ? 1 : 2);
        canvas.set_handle(nullptr);
    }
    RECT draw{text_rect.left + t.text_back_left, text_rect.top, text_rect.right - t.text_back_right, text_rect.bottom};
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER;
    if (right_to_left_) format |= DT_RIGHT | DT_RTLREADING;
    if (draw.right > draw.left) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &draw, format);
    caption_text_rect_ = {draw.left, draw.top, draw.right, draw.bottom};
    if (old_font) SelectObject(dc, old_font);
}

void TWinSkinForm::PaintButton(HDC dc, const CaptionButton& b, int frame) {
    if (IsIconAction(b.element.action)) {
        const int cy = icon_bitmap_.height();
        const int y = caption_text_rect_.top + (caption_text_rect_.height() - cy) / 2;
        TransparentBlit(dc, {kIconLeft, y, kIconLeft + icon_bitmap_.width(), y + cy}, icon_bitmap_, ui::clFuchsia);
        return;
    }
    DrawFrameStretched(dc, b.rect, *b.picture, true, b.frames, std::min(frame, b.frames));
}

void TWinSkinForm::PaintButtonState(int index) {
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
    const CaptionButton& b = buttons_[static_cast<std::size_t>(index)];
    if (!b.visible || b.picture->empty()) return;
    ui::WindowDC dc(window_);
    if (!dc.get()) return;
    PaintButton(dc.get(), b, StateButtonFrame(b.frames, b.state, b.enabled, b.element.visibility == 100));
}

int TWinSkinForm::ButtonAt(POINT screen) const {
    RECT r{};
    GetWindowRect(window_, &r);
    const int x = screen.x - r.left, y = screen.y - r.top;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const CaptionButton& b = buttons_[i];
        if (b.visible && b.element.action >= 0 && x >= b.rect.left && x < b.rect.right && y >= b.rect.top &&
            y < b.rect.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

void TWinSkinForm::MouseEnter(int index) {
    if (hot_ == index) return;
    if (hot_ >= 0) MouseLeave();
    CaptionButton& b = buttons_[static_cast<std::size_t>(index)];
    if (!b.visible) return;
    hot_ = index;
    b.state = 3;
    PaintButtonState(index);
}

void TWinSkinForm::MouseLeave() {
    if (hot_ < 0) return;
    const int index = hot_;
    hot_ = -1;
    hover_ms_ = 0;
    if (data_) data_->HideCaptionHint();
    buttons_[static_cast<std::size_t>(index)].state = 1;
    PaintButtonState(index);
}

void TWinSkinForm::MouseDown(int index) {
    if (hot_ >= 0 && hot_ != index) MouseLeave();
    CaptionButton& b = buttons_[static_cast<std::size_t>(index)];
    if (!b.visible) return;
    hot_ = index;
    b.state = 2;
    PaintButtonState(index);
}

bool TWinSkinForm::NcMouse(ui::Message& m, const ui::WindowSubclass::Next& next) {
    const POINT p{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
    const int under = ButtonAt(p);
    // The menu bar's buttons come after the caption buttons.
    const int bar_under = under < 0 && menu_bar_ ? menu_bar_->HitTestScreen(p) : -1;
    if (menu_bar_ && m.msg == WM_NCMOUSEMOVE) menu_bar_->SetHot(active_ ? bar_under : -1);
    if (bar_under >= 0) {
        switch (m.msg) {
        case WM_NCMOUSEMOVE: MouseLeave(); return true;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (data_) data_->HideCaptionHint();
            if (!active_) SetForegroundWindow(window_);
            DropMenuBarButton(bar_under);
            if (menu_bar_) {
                POINT now{};
                GetCursorPos(&now);
                menu_bar_->SetHot(menu_bar_->HitTestScreen(now));
            }
            return true;
        case WM_NCLBUTTONUP: return true;
        default: return false;
        }
    }
    switch (m.msg) {
    case WM_NCMOUSEMOVE:
        if (!active_) return false;
        if (under >= 0) {
            MouseEnter(under);
            return true;
        }
        MouseLeave();
        return false;
    case WM_NCLBUTTONDOWN:
        if (data_) data_->HideCaptionHint();
        if (under >= 0) {
            if (!active_) SetForegroundWindow(window_);
            MouseDown(under);
            return true;
        }
        if (window_state_ == kMaximised && active_ && m.wparam == HTCAPTION) {
            // A maximised window is not dragged by its caption.
            m.wparam = HTMENU;
            next(m);
            return true;
        }
        return false;
    case WM_NCLBUTTONUP:
        if (data_) data_->HideCaptionHint();
        if (under >= 0 && under == hot_) {
            CaptionButton& b = buttons_[static_cast<std::size_t>(under)];
            b.state = 3;
            PaintButtonState(under);
            RunAction(under, p);
        }
        return under >= 0;
    case WM_NCLBUTTONDBLCLK:
        if (under >= 0) {
            if (IsIconAction(buttons_[static_cast<std::size_t>(under)].element.action)) {
                if (timer_) timer_->set_enabled(false);
                PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return true;
        }
        if (window_state_ == kMaximised) {
            MaximiseToggle();
            return true;
        }
        if (window_state_ == kMinimised) {
            MinimiseToggle();
            return true;
        }
        if (saved_styles_ & saved_style::kMaximizeBox) {
            MaximiseToggle();
            return true;
        }
        return false;
    case WM_NCRBUTTONDOWN:
        if (data_) data_->HideCaptionHint();
        if (m.wparam == HTCAPTION && kind_ != kMdiChild) {
            ShowWindowMenu(p);
            return true;
        }
        return false;
    default: return false;
    }
}

bool TWinSkinForm::WindowMenuHas(UINT command) const {
    return system_menu_ && GetMenuState(system_menu_, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void TWinSkinForm::RunAction(int index, POINT screen) {
    const CaptionButton& b = buttons_[static_cast<std::size_t>(index)];
    const int action = b.element.action;
    auto to_active_child = [&](WPARAM command) {
        if (kind_ != kMdiFrame || !mdi_client_) return;
        if (auto child = reinterpret_cast<HWND>(SendMessageW(mdi_client_, WM_MDIGETACTIVE, 0, 0)))
            SendMessageW(child, WM_SYSCOMMAND, command, 0);
    };
    switch (ActionOf(action)) {
    case CaptionAction::kClose:
        if (WindowMenuHas(SC_CLOSE)) {
            if (timer_) timer_->set_enabled(false);
            PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case CaptionAction::kMaximise:
        if (b.enabled) MaximiseToggle();
        break;
    case CaptionAction::kMinimise:
        if (b.enabled) MinimiseToggle();
        break;
    case CaptionAction::kWindowMenu: ShowWindowMenu({screen.x + 1, screen.y + 1}); break;
    case CaptionAction::kHelp: PostMessageW(window_, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); break;
    case CaptionAction::kChildMinimise: to_active_child(SC_MINIMIZE); break;
    case CaptionAction::kChildRestore: to_active_child(SC_RESTORE); break;
    case CaptionAction::kChildClose: to_active_child(SC_CLOSE); break;
    case CaptionAction::kPost: PostMessageW(window_, kMsgCaptionAction, static_cast<WPARAM>(action), 0); break;
    }
}

void TWinSkinForm::MaximiseToggle() {
    if (window_state_ == kMaximised) {
        window_state_ = kNormal;
        PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    if (kind_ == kMdiChild) manager_.SetMaximisedChild(true);
    window_state_ = kMaximised;
    PostMessageW(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    hot_ = -1;
}

void TWinSkinForm::MinimiseToggle() {
    if (window_state_ == kMinimised) {
        PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    window_state_ = kMinimised;
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | WS_SYSMENU);
    PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::BuildWindowMenu() {
    if (!window_menu_popup_) {
        window_menu_popup_ = std::make_unique<ui::PopupMenu>(nullptr);
        window_menu_popup_->set_tag(kWindowMenuTag);
        if (data_) window_menu_popup_->set_images(&data_->MenuGlyphs());
    }
    ui::MenuItem* root = window_menu_popup_->items();
    root->clear();
    if (!system_menu_) return;
    const int count = GetMenuItemCount(system_menu_);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
        if (!GetMenuItemInfoW(system_menu_, static_cast<UINT>(i), TRUE, &info)) continue;
        const std::wstring text = ReadMenuText(system_menu_, static_cast<UINT>(i), true);
        auto* item = new ui::MenuItem(window_menu_popup_.get());
        const std::string caption = plat::wide_to_gbk(text);
        item->set_caption(caption.empty() || (info.fType & MFT_SEPARATOR) ? "-" : caption);
        const UINT id = info.wID;
        item->set_tag(static_cast<std::intptr_t>(id));
        bool enabled = (info.fState & MFS_DISABLED) == 0;
        item->set_checked((info.fState & MFS_CHECKED) != 0);
        const bool minimise_box = saved_styles_ & saved_style::kMinimizeBox;
        const bool maximise_box = saved_styles_ & saved_style::kMaximizeBox;
        switch (id) {
        case SC_SIZE:
        case SC_MOVE: enabled = window_state_ != kMaximised; break;
        case SC_MINIMIZE:
            item->set_image_index(2);
            enabled = window_state_ != kMinimised && minimise_box;
            break;
        case SC_MAXIMIZE:
            item->set_image_index(1);
            enabled = window_state_ != kMaximised && maximise_box;
            break;
        case SC_CLOSE: item->set_image_index(3); break;
        case SC_RESTORE:
            item->set_image_index(0);
            enabled = window_state_ != kNormal;
            break;
        default: break;
        }
        item->set_enabled(enabled);
        const HWND window = window_;
        item->on_click = [window, id](ui::Component*) { PostMessageW(window, WM_SYSCOMMAND, id, 0); };
        root->add(item);
    }
    // Drawn by the skin with the component's glyphs.
    GivePopupHandlers(data_, *window_menu_popup_, true);
}

void TWinSkinForm::ShowWindowMenu(POINT screen) {
    const DWORD now = GetTickCount();
    if (last_menu_tick_ != 0 && now - last_menu_tick_ <= GetDoubleClickTime()) {
        if (hot_ >= 0) {
            if (timer_) timer_->set_enabled(false);
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        return;
    }
    manager_.SetPopupKind(2);
    last_menu_tick_ = now;
    BuildWindowMenu();
    window_menu_popup_->popup(screen.x, screen.y);
}

void TWinSkinForm::TimerTick() {
    if (!data_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT r{};
    GetWindowRect(window_, &r);
    if (menu_bar_ && menu_bar_->hot() >= 0 && !menu_bar_->in_menu_mode() && menu_bar_->HitTestScreen(cursor) < 0)
        menu_bar_->SetHot(-1);
    if (hot_ >= 0) {
        const CaptionButton& b = buttons_[static_cast<std::size_t>(hot_)];
        const int x = cursor.x - r.left, y = cursor.y - r.top;
        if (x < b.rect.left || x >= b.rect.right || y < b.rect.top || y >= b.rect.bottom) {
            MouseLeave();
            return;
        }
        hover_ms_ += static_cast<int>(timer_->interval());
        const ui::Application& app = ui::application();
        const int from = 2 * app.hint_pause, to = from + app.hint_hide_pause;
        const std::string text = CaptionHintOf(b.element.action);
        if (hover_ms_ >= from && hover_ms_ < to && !text.empty())
            data_->ShowCaptionHint({b.rect.left + r.left, cursor.y + kHintBelowCursor, 0, 0}, text);
        else if (hover_ms_ >= to)
            data_->HideCaptionHint();
    }
}

} // namespace skin
