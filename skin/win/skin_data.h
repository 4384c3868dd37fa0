// The skin component a program drops on its main window: it keeps the skin archive in the
// window description, loads it (or a skin file) into the skin it holds, and carries the settings
// that decide what gets skinned. The skinned windows ask it for the elements whenever they
// paint, so a reload never leaves them holding pieces of the old skin.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/component.h"
#include "platform/ui/string_list.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/hint_window.h"
#include "platform/ui/win/image_list.h"
#include "skin/skin_elements.h"
#include "skin/skin_settings.h"

namespace skin {


// The skin object of a skinned control; the control skins define it.
class TSkinControl;
class TSkinData;

using TOnFormSkin = std::function<void(ui::Component* sender, const std::string& name, bool& do_skin)>;
using TOnSkinControl = std::function<void(ui::Component* sender, TSkinData* data, ui::Component* form,
                                          ui::Component* control, const std::string& control_class,
                                          TSkinControl*& skinned)>;
using TOnSkinForm = std::function<void(ui::Component* sender, HWND window, const std::string& name)>;

// A skin that did not load. The notifier is process-wide and replaceable (tests capture it);
// by default it shows a message box.
struct SkinLoadFault {
    std::string text;              // what the user is told
    bool unknown_version = false;  // an archive of a version the programs do not know
};
using SkinFaultNotifier = std::function<void(const SkinLoadFault&)>;
// Installs `notifier` (nothing restores the message box) and returns the one it replaces.
SkinFaultNotifier SetSkinFaultNotifier(SkinFaultNotifier notifier);

constexpr const char* kSkinDataVersion = "5.40.07.15";

class TSkinData : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit TSkinData(ui::Component* owner);
    ~TSkinData() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    int DisableTag() const { return disable_tag_; }
    void SetDisableTag(int value) { disable_tag_ = value; }
    TSkinControlTypes SkinControls() const { return skin_controls_; }
    void SetSkinControls(TSkinControlTypes value) { skin_controls_ = value; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions value) { options_ = value; }
    ui::StringList& Skin3rd() { return skin3rd_; }
    const ui::StringList& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const ui::Strings& lines) { skin3rd_.assign(lines); }
    const std::string& SkinFile() const { return skin_file_; }
    void SetSkinFile(const std::string& path);
    std::string SkinStore() const { return stored_.empty() ? "(none)" : "(Good)"; }
    std::string Version() const { return kSkinDataVersion; }
    TSkinFormType SkinFormtype() const { return form_type_; }
    void SetSkinFormtype(TSkinFormType value) { form_type_ = value; }
    bool MenuUpdate() const { return menu_update_; }
    void SetMenuUpdate(bool value) { menu_update_ = value; }
    bool MenuMerge() const { return menu_merge_; }
    void SetMenuMerge(bool value) { menu_merge_ = value; }

    TOnFormSkin OnFormSkin;
    ui::NotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // The stored archive (the compressed form) as the description keeps it.
    const std::vector<std::uint8_t>& StoredArchive() const { return stored_; }
    // "SkinStream": a signed 32-bit little-endian length, then that many archive bytes.
    void ReadSkinStream(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> WriteSkinStream() const;
    // Replaces the stored archive and loads it.
    void SetStoredArchive(std::vector<std::uint8_t> archive);

    // Loads the stored archive. On success the new elements replace the old ones at once and
    // the no-skin flag clears; on failure the flag stays set, the old elements stay, LoadError
    // names the fault and the notifier is told once.
    bool LoadSkin();
    bool NoSkin() const { return no_skin_; }
    const std::string& LoadError() const { return load_error_; }
    // The loaded skin; null before the first successful load.
    const SkinDescription* Skin() const { return skin_.get(); }

    // A solid brush of the skin's button face; null without a skin.
    HBRUSH FaceBrush() const { return face_brush_.get(); }
    // The system caption font, read at Loaded.
    HFONT CaptionFont() const { return caption_font_.get(); }
    // The four 16 x 16 menu glyphs of the program's SKINMENUGLYPHS strip, white masked.
    ui::ImageList& MenuGlyphs() { return *menu_glyphs_; }
    // The program's icon at the small-icon size on magenta, which is its transparent colour;
    // made at Loaded.
    const ui::Bitmap& SmallIcon() const { return small_icon_; }

    // Caption-button hints: shown only with xoCaptionButtonHint and when none is up; the hint
    // sits at `place`'s top-left corner (screen coordinates).
    void ShowCaptionHint(const ui::Rect& place, const std::string& text);
    // The skin manager asks whether a window of `class_name` is skinned; OnFormSkin decides
    // when assigned.
    void AskFormSkin(HWND window, const std::string& class_name, bool& do_skin);
    HWND AskedWindow() const { return asked_window_; }
    // After a skin command ran.
    void DoSkinChanged();
    // Skins `frame`, placed at run time on the already skinned window `owner`, and its controls.
    // False when `owner` is not a skinned window (or `frame` is null): nothing is done.
    bool AttachFrame(ui::WinControl* owner, ui::WinControl* frame);

    void HideCaptionHint();
    bool CaptionHintShown() const { return hint_shown_; }
    ui::HintWindow* CaptionHintWindow() const { return hint_.get(); }

protected:
    void loaded() override;

private:
    void ReplaceSkin(std::unique_ptr<SkinDescription> skin);
    void StartManager();
    void ApplySkinFile();
    bool Running() const;
    void MakeSmallIcon();

    bool active_ = false;
    int disable_tag_ = 99;
    TSkinControlTypes skin_controls_;
    TSkinOptions options_;
    ui::StringList skin3rd_;
    std::string skin_file_;
    TSkinFormType form_type_ = TSkinFormType::sfMainform;
    bool menu_update_ = true;
    bool menu_merge_ = false;

    std::vector<std::uint8_t> stored_;
    bool no_skin_ = true;
    std::string load_error_;
    std::unique_ptr<SkinDescription> skin_;
    ui::GdiObject<HBRUSH> face_brush_;
    ui::GdiObject<HFONT> caption_font_;
    std::unique_ptr<ui::ImageList> menu_glyphs_;
    ui::Bitmap small_icon_;
    std::unique_ptr<ui::HintWindow> hint_;
    bool hint_shown_ = false;
    HWND asked_window_ = nullptr;
};

} // namespace skin
