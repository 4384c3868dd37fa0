#include "skin/win/skin_popup_menu.h"

#include <algorithm>

#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_messages.h"

namespace skin {

namespace {

std::vector<std::unique_ptr<TWinSkinPopMenu>>& Live() {
    static std::vector<std::unique_ptr<TWinSkinPopMenu>> list;
    return list;
}

// Unhooked inside their own message; freed on the next addition or release.
std::vector<std::unique_ptr<TWinSkinPopMenu>>& Retired() {
    static std::vector<std::unique_ptr<TWinSkinPopMenu>> list;
    return list;
}

TWinSkinPopMenu* g_current = nullptr;

} // namespace

TWinSkinPopMenu::~TWinSkinPopMenu() { UnhookWindow(); }

void TWinSkinPopMenu::HookWindow(HWND window, TSkinData* data) {
    window_ = window;
    data_ = data;
    layer_ = std::make_unique<ui::WindowSubclass>(
        window, [this](ui::Message& m, const ui::WindowSubclass::Next& next) { Message(m, next); }, "popup menu skin");
}

void TWinSkinPopMenu::UnhookWindow() {
    if (layer_) layer_->remove();
    background_.set_size(0, 0);
    if (g_current == this) g_current = nullptr;
}

std::unique_ptr<ui::Bitmap> TWinSkinPopMenu::BackgroundPicture(TSkinData* data, int width, int height) {
    if (!data || data->NoSkin() || !data->Skin() || !data->Skin()->menu_background) return nullptr;
    const TDataSkinObject& e = *data->Skin()->menu_background;
    if (e.bitmap.empty()) return nullptr;
    ui::Bitmap picture;
    AssignImage(picture, e.bitmap);
    return StretchSkinFrame({0, 0, width, height}, picture, {e.left_width, e.top_height, e.right_width, e.bottom_height},
                            false, e.tile != 1, 1, 1);
}

bool TWinSkinPopMenu::MakeBackground() {
    RECT r{};
    if (!window_ || !GetWindowRect(window_, &r)) return false;
    auto picture = BackgroundPicture(data_, r.right - r.left, r.bottom - r.top);
    if (!picture) return false;
    background_.set_size(picture->width(), picture->height());
    BitBlt(background_.dc(), 0, 0, picture->width(), picture->height(), picture->dc(), 0, 0, SRCCOPY);
    return true;
}

void TWinSkinPopMenu::Message(ui::Message& m, const ui::WindowSubclass::Next& next) {
    if (m.msg == kMsgIsSkinned) {
        m.result = 1;
        return;
    }
    if (!manager_.SkinningOn()) {
        next(m);
        return;
    }
    const bool has_picture = data_ && !data_->NoSkin() && data_->Skin() && data_->Skin()->menu_background &&
                             !data_->Skin()->menu_background->bitmap.empty();
    switch (m.msg) {
    case WM_DESTROY:
        next(m);
        Retire(this);
        return;
    case WM_ERASEBKGND:
        if (!data_ || !data_->Options().has(TSkinOption::xoMenuBG)) next(m);
        m.result = 1;
        return;
    case WM_NCPAINT:
        if (m.wparam == 1 && has_picture && MakeBackground()) {
            g_current = this;
            HDC dc = GetWindowDC(window_);
            BitBlt(dc, 0, 0, background_.width(), background_.height(), background_.dc(), 0, 0, SRCCOPY);
            ReleaseDC(window_, dc);
            m.result = 0;
            return;
        }
        break;
    case WM_PRINT:
        if (has_picture && m.wparam && MakeBackground()) {
            const auto dc = reinterpret_cast<HDC>(m.wparam);
            BitBlt(dc, 0, 0, background_.width(), background_.height(), background_.dc(), 0, 0, SRCCOPY);
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, 3, 3, background_.width() - 3, background_.height() - 3);
            SetBkMode(dc, TRANSPARENT);
            next(m);
            RestoreDC(dc, saved);
            return;
        }
        break;
    default: break;
    }
    next(m);
}

void TWinSkinPopMenu::Retire(TWinSkinPopMenu* skin) {
    skin->UnhookWindow();
    auto& live = Live();
    auto it = std::find_if(live.begin(), live.end(), [&](const auto& p) { return p.get() == skin; });
    if (it == live.end()) return;
    Retired().push_back(std::move(*it));
    live.erase(it);
    if (live.empty()) skin->manager_.PopupsGone();
}

const std::vector<std::unique_ptr<TWinSkinPopMenu>>& TWinSkinPopMenu::Skins() { return Live(); }

TWinSkinPopMenu& TWinSkinPopMenu::Add(TSkinManage& manager, HWND window, TSkinData* data) {
    Retired().clear();
    auto skin = std::make_unique<TWinSkinPopMenu>(manager);
    TWinSkinPopMenu& made = *skin;
    Live().push_back(std::move(skin));
    made.HookWindow(window, data);
    return made;
}

TWinSkinPopMenu* TWinSkinPopMenu::Current() { return g_current; }

TWinSkinPopMenu* TWinSkinPopMenu::ForMenu(HMENU menu) {
    for (auto& p : Live())
        if (p->menu_ == menu) return p.get();
    return nullptr;
}

TWinSkinPopMenu* TWinSkinPopMenu::ForWindow(HWND window) {
    for (auto& p : Live())
        if (p->window_ == window) return p.get();
    return nullptr;
}

void TWinSkinPopMenu::MarkAllTracking() {
    for (auto& p : Live()) p->tracking_ = true;
}

void TWinSkinPopMenu::GiveMenu(HMENU menu) {
    if (!menu || ForMenu(menu)) return;
    auto& live = Live();
    for (auto it = live.rbegin(); it != live.rend(); ++it)
        if (!(*it)->menu_) {
            (*it)->menu_ = menu;
            return;
        }
}

void TWinSkinPopMenu::ReleaseAll() {
    g_current = nullptr;
    Live().clear();
    Retired().clear();
}

} // namespace skin
