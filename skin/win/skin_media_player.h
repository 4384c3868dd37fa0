// The media player's skin: a panel of our own laid over the player control that draws its
// button bar from the skin's Buttons element and the programs' 27 button pictures, and hands a
// press and a release over the same button on to the player.
#pragma once
#include <array>
#include <bitset>
#include <memory>

#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "skin/button_faces.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinMP;

// The drawn panel: it covers the player with the player's bounds on the player's parent, and is
// never skinned itself (its tag is the skin data's DisableTag).
class TWMediaPlayer : public ui::CustomControl {
public:
    TWMediaPlayer(ui::Component* owner, TSkinMP* skin);

protected:
    void wnd_proc(ui::Message& m) override;
    void paint_window(HDC dc) override;

private:
    TSkinMP* skin_;
};

class TSkinMP : public TSkinControl {
public:
    explicit TSkinMP(ui::Component* owner);
    ~TSkinMP() override;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void Unskin() override;
    void AfterMessage(ui::Message& m) override;
    // The player's own window keeps its look; the panel over it shows the skin.
    void PaintSkin(HDC, const ui::Rect&) override {}

    TWMediaPlayer* panel() const { return panel_; }
    // The bar as laid out for the last paint, and the mouse state: the button pressed last, until
    // its release (none then).
    const MediaBar& bar() const { return bar_; }
    int pressed_button() const { return pressed_button_; }
    bool mouse_down() const { return mouse_down_; }
    // True when the picture of that name was found among the program's resources.
    bool HasPicture(MediaPicture picture, int button) const;

    // Called by the panel.
    void PaintPanel(HDC dc);
    void PanelMouse(ui::Message& m);

protected:
    void notification(ui::Component* component, ui::TOperation operation) override;

private:
    void FollowPlayer();
    std::bitset<kMediaButtons> PlayerSet(const char* name) const;

    TWMediaPlayer* panel_ = nullptr;
    // [button][EN, DI, CL]; empty when the resource is missing.
    std::array<std::array<ui::Bitmap, 3>, kMediaButtons> pictures_;
    ui::Bitmap buffer_;
    MediaBar bar_;
    bool mouse_down_ = false;
    int pressed_button_ = kNoMediaButton;
};

} // namespace skin
