// The skin of one window: it takes over the window's non-client area (borders, title, caption
// buttons, the menu bar row), sizes the frame and the window's shape from the skin, follows
// the window's state, and gives everything back when the window is unskinned.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/subclass.h"
#include "platform/ui/win/timer.h"
#include "skin/frame_rules.h"
#include "skin/win/skin_menu_bar.h"

namespace skin {

class TSkinControl;
class TSkinData;
class TSkinManage;

class TWinSkinForm {
public:
    // Skin states.
    static constexpr int kNew = 0, kSkinned = 1, kRefreshing = 3, kReleasing = 4, kResizing = 5, kDead = 6;
    // Kinds.
    static constexpr int kOrdinary = 0, kMdiFrame = 1, kMdiChild = 2;
    // Window states.
    static constexpr int kNormal = 0, kMaximised = 1, kMinimised = 2;
    // The window menu's tag.
    static constexpr int kWindowMenuTag = 33333;

    // One caption button: a copy of its element, so that a reloaded skin never leaves it
    // pointing at a freed one.
    struct CaptionButton {
        TDataSkinSysButton element;
        std::shared_ptr<ui::Bitmap> picture = std::make_shared<ui::Bitmap>();
        int frames = 1;
        ui::Rect rect;  // window coordinates
        bool visible = false, enabled = true;
        int state = 1;  // 1 normal, 2 pressed, 3 hot
    };

    TWinSkinForm(TSkinManage& manager, HWND window, ui::WinControl* control, std::string class_name);
    ~TWinSkinForm();
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    // Library windows: the control's message entry too, then Subclass.
    void Attach(TSkinData* data);
    void Subclass(TSkinData* data);
    void Unskin();
    void Release();
    void Refresh();
    void RebuildFrame();
    void FitWindow(bool reread_client);
    void UpdateRegion();
    void PaintFrame(HDC dc);
    // A reloaded skin: the buttons referred to the old one.
    void DropCaptionButtons() { buttons_.clear(); }
    // An MDI child told that a sibling was maximised (its region goes) or that none is any more
    // (back to the normal state with its region, or a recomputed frame without one).
    void MaximisedChildChanged(bool shown);

    // The control skins of this window, in the order they attached. A skin joins when it
    // attaches and leaves when it is freed; the list never holds one twice.
    void AddControlSkin(TSkinControl* skin);
    void RemoveControlSkin(TSkinControl* skin);
    const std::vector<TSkinControl*>& ControlSkins() const { return control_skins_; }
    TSkinControl* FindControlSkin(const ui::Component* control) const;
    TSkinControl* FindWindowSkin(HWND window) const;
    // Keeps a bare window's skin, which no control owns, until it is dropped or released.
    TSkinControl* OwnWindowSkin(std::unique_ptr<TSkinControl> skin);
    // Frees the skins whose windows were destroyed (none that is handling a message).
    void DropDeadControlSkins();
    // Unskins and frees every control skin.
    void ReleaseControlSkins();

    HWND window() const { return window_; }
    // An MDI frame's client window, else null.
    HWND mdi_client() const { return mdi_client_; }
    bool region_owned() const { return region_set_; }
    ui::WinControl* control() const { return control_; }
    TSkinData* data() const { return data_; }
    int skin_state() const { return skin_state_; }
    bool dead() const { return skin_state_ == kDead; }
    bool busy() const { return busy_ > 0; }
    int kind() const { return kind_; }
    int window_state() const { return window_state_; }
    bool active() const { return active_; }
    bool frame_skinning() const { return frame_skinning_; }
    FrameKind frame_kind() const { return frame_kind_; }
    int saved_styles() const { return saved_styles_; }
    const SkinFrame& frame() const { return frame_; }
    const std::vector<CaptionButton>& buttons() const { return buttons_; }
    int hot() const { return hot_; }
    // How long the mouse has rested on the hot caption button, as the timer counts it.
    int hover_time() const { return hover_ms_; }
    const std::string& class_name() const { return class_name_; }
    ui::PopupMenu* window_menu() const { return window_menu_popup_.get(); }
    const ui::Rect& caption_text_rect() const { return caption_text_rect_; }
    // The skinned menu bar, when the window had a menu at skinning time.
    TWinSkinMenu* menu_bar() const { return menu_bar_.get(); }

private:
    void Message(ui::Message& m, const ui::WindowSubclass::Next& next);
    void SecondStage(ui::Message& m, const ui::WindowSubclass::Next& next);
    void ThirdStage(ui::Message& m, const ui::WindowSubclass::Next& next);
    void ControlMessage(ui::Message& m, const ui::MessageChain::Next& next);
    void MdiClientMessage(ui::Message& m, const ui::WindowSubclass::Next& next);
    void FollowMdiChildSize();
    void Start();
    void ReadWindowState();
    void NcCalcSize(ui::Message& m);
    void NcHitTest(ui::Message& m);
    void NcActivate(ui::Message& m, const ui::WindowSubclass::Next& next);
    bool NcMouse(ui::Message& m, const ui::WindowSubclass::Next& next);
    // True when the skin handled it (the window menu from the keyboard).
    bool SysCommand(ui::Message& m);
    void TimerTick();
    void RemoveHooks();
    void RemoveRegion();
    void RedrawFrame();

    // Caption buttons and painting.
    void RebuildButtons();
    void MakeIconBitmap();
    CaptionState CaptionFacts() const;
    void LayoutButtons(int width);
    void PaintBorder(HDC dc, BorderSide side, const ui::Rect& dest);
    void PaintTitle(HDC dc, int width, int height, bool minimised);
    void PaintCaptionText(HDC dc, const ui::Rect& title);
    void PaintButton(HDC dc, const CaptionButton& button, int frame);
    void PaintButtonState(int index);
    int ButtonAt(POINT screen) const;
    void MouseEnter(int index);
    void MouseLeave();
    void MouseDown(int index);
    void RunAction(int index, POINT screen);
    void MaximiseToggle();
    void MinimiseToggle();
    void ShowWindowMenu(POINT screen);
    void BuildWindowMenu();
    bool has_caption() const;
    bool WindowMenuHas(UINT command) const;
    // The menu bar row (window coordinates) and where its buttons end right to left.
    ui::Rect MenuBarRow(int width) const;
    int MenuBarRowEnd(const ui::Rect& row) const;
    void PaintMenuBar(HDC dc, int width);
    bool DropMenuBarButton(int index);
    void FreeMenuBar(bool give_back);

    TSkinManage& manager_;
    HWND window_;
    ui::WinControl* control_;
    std::string class_name_;
    TSkinData* data_ = nullptr;
    std::unique_ptr<ui::WindowSubclass> layer_;
    std::unique_ptr<ui::WindowSubclass> client_layer_;  // an MDI frame's client
    bool saved_menu_update_ = true;
    ui::MessageChain::Token filter_ = 0;
    std::unique_ptr<ui::Timer> timer_;
    int busy_ = 0;
    // Counts a message being handled for as long as its handler runs, however it leaves.
    struct BusyScope {
        explicit BusyScope(int& count) : count_(count) { ++count_; }
        ~BusyScope() { --count_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        int& count_;
    };

    int skin_state_ = kNew;
    bool started_ = false;
    bool frame_skinning_ = false;
    bool right_to_left_ = false, child_ = false, dialog_ = false, sizable_ = false;
    int kind_ = kOrdinary;
    FrameKind frame_kind_ = FrameKind::kFixed;
    int saved_styles_ = 0;
    int window_state_ = kNormal;
    bool active_ = true;
    DWORD style_ = 0;
    HWND owner_ = nullptr;
    HWND mdi_client_ = nullptr;
    HMENU system_menu_ = nullptr;
    SkinFrame frame_;
    int system_width_ = 0, system_height_ = 0;
    int client_width_ = 0, client_height_ = 0;
    ui::TColor saved_color_ = ui::clBtnFace;
    bool region_set_ = false;
    int region_width_ = -1, region_height_ = -1;

    std::vector<CaptionButton> buttons_;
    int hot_ = -1;
    int hover_ms_ = 0;
    ui::Bitmap icon_bitmap_;
    std::array<ui::Bitmap, 4> borders_;  // the border pictures, by side
    ui::Bitmap text_back_;
    ui::Rect caption_text_rect_;
    std::unique_ptr<ui::PopupMenu> window_menu_popup_;
    std::unique_ptr<TWinSkinMenu> menu_bar_;
    DWORD last_menu_tick_ = 0;

    std::vector<TSkinControl*> control_skins_;
    std::vector<std::unique_ptr<TSkinControl>> window_skins_;
};

} // namespace skin
