// The skin of combo boxes: the border and the drop-down button from the skin's ComboButton,
// SunkEdge and ExtraImages elements in one of three looks (or the flat border and the arrow
// picture of the extended-combo mode), the combo's edit child followed so that the whole combo
// repaints with it, and the scroll-bar skins of the combo's lists.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/ui/win/subclass.h"
#include "skin/win/skin_control.h"

namespace skin {

class TSkinComBox : public TSkinControl {
public:
    // `extended` selects the extended-combo mode (a flat border and the ComboxArrow picture).
    explicit TSkinComBox(ui::Component* owner, bool extended = false);
    ~TSkinComBox() override;
    void AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) override;
    void AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) override;
    void Unskin() override;
    void AfterMessage(ui::Message& m) override;
    void PaintSkin(HDC dc, const ui::Rect& rect) override;

    bool extended() const { return extended_; }
    bool dropped() const { return dropped_; }
    HWND list_window() const { return list_; }
    // The subclassed edit child, or null.
    HWND edit_child() const { return edit_layer_ ? edit_ : nullptr; }
    // Where the drop-down button was drawn last (window coordinates; empty before a paint).
    const ui::Rect& button_rect() const { return button_rect_; }
    // True when the last paint got the combo box information from the system.
    bool has_combo_info() const { return info_valid_; }
    TSkinControl* list_skin() const { return list_skin_; }
    // The face the next paint shows (1 normal, 2 pressed, 3 disabled, 4 hot or focused).
    int FrameIndex() const;

protected:
    void notification(ui::Component* c, ui::TOperation op) override;

private:
    void ReadComboInfo();
    void SubclassEdit();
    void EditMessage(ui::Message& m, const ui::WindowSubclass::Next& next);
    // A press of the left button on the combo or its edit shows the pressed look until released.
    void FollowPress(UINT msg);
    void AdoptListSkin(std::unique_ptr<TSkinControl> skin);
    void FreeListSkin();
    // Paints the skin over the window at once, without asking for a repaint.
    void PaintNow() { PaintSkinWindow(nullptr); }

    bool extended_ = false;
    LONG_PTR style_ = 0, ex_style_ = 0;
    HWND list_ = nullptr;
    HWND edit_ = nullptr;
    bool dropped_ = false;
    std::unique_ptr<ui::WindowSubclass> edit_layer_;
    TSkinControl* list_skin_ = nullptr;
    COMBOBOXINFO info_{};
    bool info_valid_ = false;
    ui::Rect button_rect_;
    ui::Bitmap mirrored_;  // the ComboButton picture mirrored, for a button on the left
    const TDataSkinBorder* mirrored_for_ = nullptr;
    const SkinDescription* mirrored_skin_ = nullptr;
};

} // namespace skin
