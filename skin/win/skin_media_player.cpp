#include "skin/win/skin_media_player.h"

#include <windowsx.h>

#include <string>

#include "platform/ui/messages.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"

namespace skin {
namespace {

constexpr int kFaceFrames = 5;
constexpr ui::TColor kPictureKey = ui::clOlive;  // the pictures' transparent colour

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

} // namespace

// ---- The panel ----

TWMediaPlayer::TWMediaPlayer(ui::Component* owner, TSkinMP* skin) : ui::CustomControl(owner), skin_(skin) {}

void TWMediaPlayer::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_ERASEBKGND: m.result = 1; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        try {
            skin_->PanelMouse(m);
        } catch (...) {
            // The click is lost; the panel keeps working.
        }
        return;
    default: ui::CustomControl::wnd_proc(m);
    }
}

void TWMediaPlayer::paint_window(HDC dc) {
    try {
        skin_->PaintPanel(dc);
    } catch (...) {
        // Nothing drawn this time.
    }
}

// ---- The skin ----

TSkinMP::TSkinMP(ui::Component* owner) : TSkinControl(owner) {
    for (int button = 0; button < kMediaButtons; ++button)
        for (auto picture : {MediaPicture::kEnabled, MediaPicture::kDisabled, MediaPicture::kColoured})
            pictures_[static_cast<std::size_t>(button)][static_cast<std::size_t>(picture)].load_from_resource(
                GetModuleHandleW(nullptr), Wide(MediaPictureName(picture, button)).c_str());
}

TSkinMP::~TSkinMP() {
    if (panel_) {
        panel_->remove_free_notification(this);
        delete panel_;
    }
}

bool TSkinMP::HasPicture(MediaPicture picture, int button) const {
    if (button < 0 || button >= kMediaButtons) return false;
    return !pictures_[static_cast<std::size_t>(button)][static_cast<std::size_t>(picture)].empty();
}

void TSkinMP::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached() || panel_ || !control()) return;
    panel_ = new TWMediaPlayer(this, this);
    panel_->free_notification(this);
    panel_->set_tag(data ? data->DisableTag() : 0);
    panel_->set_visible(false);
    panel_->set_parent(control()->parent());
    FollowPlayer();
}

void TSkinMP::Unskin() {
    TSkinControl::Unskin();
    // While the player's window goes, its parent's window tree is going too: the panel then
    // goes with its parent or with this skin.
    if (panel_ && !dead()) {
        panel_->remove_free_notification(this);
        TWMediaPlayer* panel = panel_;
        panel_ = nullptr;
        delete panel;
    }
}

void TSkinMP::notification(ui::Component* component, ui::TOperation operation) {
    TSkinControl::notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == panel_) panel_ = nullptr;
}

void TSkinMP::FollowPlayer() {
    if (!panel_ || !control()) return;
    const ui::Rect r = control()->bounds_rect();
    panel_->set_bounds(r.left, r.top, r.width(), r.height());
    panel_->set_visible(control()->visible());
    if (panel_->visible() && panel_->handle_allocated())
        SetWindowPos(panel_->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSkinMP::AfterMessage(ui::Message& m) {
    TSkinControl::AfterMessage(m);
    if (m.msg == WM_WINDOWPOSCHANGED || m.msg == ui::CM_VISIBLECHANGED) FollowPlayer();
}

std::bitset<kMediaButtons> TSkinMP::PlayerSet(const char* name) const {
    if (!control()) return {};
    try {
        const ui::PropInfo* p = ui::find_property(*control(), name);
        if (!p || (p->kind != ui::PropKind::Set && p->kind != ui::PropKind::String)) return {};
        return MediaButtonSet(ui::get_property_text(*control(), name));
    } catch (const std::exception&) {
        return {};
    }
}

void TSkinMP::PaintPanel(HDC dc) {
    if (!panel_ || !panel_->handle_allocated()) return;
    RECT client{};
    GetClientRect(panel_->handle(), &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return;
    const std::bitset<kMediaButtons> visible = PlayerSet("VisibleButtons");
    const std::bitset<kMediaButtons> enabled = PlayerSet("EnabledButtons");
    const std::bitset<kMediaButtons> coloured = PlayerSet("ColoredButtons");
    bar_ = LayOutMediaBar(width, visible);
    buffer_.set_size(width, height);
    HDC b = buffer_.dc();
    if (!b) return;
    const ui::Rect whole{0, 0, width, height};
    FillFace(*this, b, whole);
    const SkinDescription* skin = Skin();
    const TDataSkinButton* buttons = skin && skin->buttons ? &*skin->buttons : nullptr;
    const ui::Bitmap* strip = buttons && !buttons->bitmap.empty() ? ElementBitmap(*buttons) : nullptr;
    for (int button : bar_.visible) {
        const auto at = static_cast<std::size_t>(button);
        const Rect r = bar_.ButtonRect(button, height);
        const ui::Rect rect{r.left, r.top, r.right, r.bottom};
        const bool is_pressed = button == pressed_button_;
        if (strip)
            DrawSkinFrame(b, r, *strip,
                          {buttons->left_width, buttons->top_height, buttons->right_width, buttons->bottom_height},
                          MediaFaceFrame(enabled.test(at), is_pressed, mouse_down_), kFaceFrames, buttons->trans == 1,
                          buttons->tile != 0, false);
        const ui::Bitmap& picture =
            pictures_[at][static_cast<std::size_t>(MediaPictureOf(enabled.test(at), coloured.test(at)))];
        if (picture.empty()) continue;  // a missing picture: the face alone
        const int shift = is_pressed && mouse_down_ ? 1 : 0;
        const int x = rect.left + (rect.width() - picture.width()) / 2 + shift;
        const int y = rect.top + (rect.height() - picture.height()) / 2 + shift;
        const ui::SavedDC saved(b);
        IntersectClipRect(b, rect.left, rect.top, rect.right, rect.bottom);
        TransparentBlit(b, {x, y, x + picture.width(), y + picture.height()}, picture, kPictureKey);
    }
    HDC target = dc ? dc : GetDC(panel_->handle());
    if (!target) return;
    BitBlt(target, 0, 0, width, height, b, 0, 0, SRCCOPY);
    if (!dc) ReleaseDC(panel_->handle(), target);
}

void TSkinMP::PanelMouse(ui::Message& m) {
    if (!control() || !panel_) return;
    const int x = GET_X_LPARAM(m.lparam);
    const std::shared_ptr<bool> alive = alive_token();
    if (m.msg == WM_LBUTTONDOWN) {
        mouse_down_ = true;
        control()->perform(m.msg, m.wparam, m.lparam);
        if (!*alive) return;
        ReleaseCapture();
        pressed_button_ = MediaButtonAt(bar_, x);
    } else {
        mouse_down_ = false;
        // The press is used up by its release: a later release without a press of its own
        // (a press begun outside the panel) is no click.
        const int pressed = pressed_button_;
        pressed_button_ = kNoMediaButton;
        if (MediaReleaseReachesPlayer(pressed, MediaButtonAt(bar_, x)))
            control()->perform(m.msg, m.wparam, m.lparam);
        if (!*alive) return;
    }
    if (panel_ && panel_->handle_allocated()) InvalidateRect(panel_->handle(), nullptr, FALSE);
}

} // namespace skin
