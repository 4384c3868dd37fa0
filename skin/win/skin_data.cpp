#include "skin/win/skin_data.h"

#include <algorithm>
#include <utility>

#include "platform/files.h"
#include "platform/text_gbk.h"
#include "platform/ui/description_parser.h"
#include "platform/ui/win/application.h"
#include "skin/skin_parse.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin3rd_defaults.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_services.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_system.h"

namespace skin {

namespace {

using CT = TSkinControlType;
using SO = TSkinOption;

// Every kind of control and menu but single menu items and report previews.
constexpr TSkinControlTypes kNewSkinControls{
    CT::xcMainMenu, CT::xcPopupMenu, CT::xcToolbar, CT::xcControlbar, CT::xcCombo, CT::xcCheckBox, CT::xcRadioButton,
    CT::xcProgress, CT::xcScrollbar, CT::xcEdit, CT::xcButton, CT::xcBitBtn, CT::xcSpeedButton, CT::xcSpin,
    CT::xcPanel, CT::xcGroupBox, CT::xcStatusBar, CT::xcTab, CT::xcTrackBar, CT::xcSystemMenu};
constexpr TSkinOptions kNewOptions{SO::xoPreview, SO::xoToolbarBK, SO::xoCaptionButtonHint};

constexpr int kCaptionHintMaxWidth = 500;

void ShowFaultBox(const SkinLoadFault& fault) {
    MessageBoxW(nullptr, plat::gbk_to_wide(fault.text).c_str(), plat::gbk_to_wide(ui::application().title()).c_str(),
                MB_OK | MB_ICONWARNING);
}

SkinFaultNotifier& FaultNotifier() {
    static SkinFaultNotifier notifier = ShowFaultBox;
    return notifier;
}

void Notify(const SkinLoadFault& fault) {
    if (FaultNotifier()) FaultNotifier()(fault);
}

std::int32_t ReadInt32LE(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    auto* first = reinterpret_cast<std::wstring*>(found);
    *first = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name);
    return FALSE;
}

// The program's icon at `cx` x `cy`: its first icon group (what the shell shows for it), or
// the system's application icon for a program without one. Null when the system has none.
ui::Icon ProgramIcon(int cx, int cy) {
    HMODULE module = GetModuleHandleW(nullptr);
    std::wstring first;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&first));
    HANDLE icon = nullptr;
    if (!first.empty()) icon = LoadImageW(module, first.c_str(), IMAGE_ICON, cx, cy, 0);
    if (!icon) icon = LoadImageW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */, IMAGE_ICON, cx, cy, LR_SHARED);
    // A shared icon must not be destroyed; a copy can.
    return ui::Icon(icon ? CopyIcon(static_cast<HICON>(icon)) : nullptr);
}

} // namespace

SkinFaultNotifier SetSkinFaultNotifier(SkinFaultNotifier notifier) {
    return std::exchange(FaultNotifier(), std::move(notifier));
}

ui::ClassInfo& TSkinData::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TSkinData", &ui::Component::static_class());
        c.factory = ui::factory_of<TSkinData>();
        ui::PropBuilder<TSkinData>(c)
            .boolean("Active", &TSkinData::Active, &TSkinData::SetActive, false)
            .integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag, 99)
            .set("SkinControls", "TSkinControlTypes", &TSkinData::SkinControls, &TSkinData::SetSkinControls,
                 kNewSkinControls)
            .set("Options", "TSkinOptions", &TSkinData::Options, &TSkinData::SetOptions, kNewOptions)
            .object("Skin3rd", ui::PropKind::StringList, "TStrings",
                    [](TSkinData& d) -> ui::Persistent* { return &d.skin3rd_; })
            .string("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .string("SkinStore", &TSkinData::SkinStore, [](TSkinData&, const std::string&) {}, "string", "(none)")
            .enumeration("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype,
                         TSkinFormType::sfMainform)
            .string("Version", &TSkinData::Version, [](TSkinData&, const std::string&) {}, "string", kSkinDataVersion)
            .boolean("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate, true)
            .boolean("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge, false)
            .event("OnFormSkin", "TOnFormSkin", &TSkinData::OnFormSkin)
            .event("OnSkinChanged", "TNotifyEvent", &TSkinData::OnSkinChanged)
            .event("OnSkinControl", "TOnSkinControl", &TSkinData::OnSkinControl)
            .event("OnBeforeSkinForm", "TOnSkinForm", &TSkinData::OnBeforeSkinForm)
            .event("OnAfterSkinForm", "TOnSkinForm", &TSkinData::OnAfterSkinForm)
            // The archive travels as raw bytes and is always written, also when empty.
            .defined(
                "SkinStream",
                [](TSkinData& d, const ui::DescValue& v) {
                    if (v.kind != ui::DescValue::Kind::Binary)
                        throw ui::PropertyError(std::string("binary data expected, not ") + ui::value_kind_name(v.kind));
                    d.ReadSkinStream(v.bytes);
                },
                [](const TSkinData& d, ui::DescValue& v) {
                    v.kind = ui::DescValue::Kind::Binary;
                    v.bytes = d.WriteSkinStream();
                    return true;
                });
        return c;
    }();
    return info;
}

TSkinData::TSkinData(ui::Component* owner)
    : Component(owner),
      skin_controls_(kNewSkinControls),
      options_(kNewOptions),
      skin3rd_(DefaultSkin3rd()),
      menu_glyphs_(std::make_unique<ui::ImageList>(nullptr)) {
    ui::Bitmap glyphs;
    if (glyphs.load_from_resource(GetModuleHandleW(nullptr), L"SKINMENUGLYPHS")) menu_glyphs_->add_masked(glyphs, ui::clWhite);
}

TSkinData::~TSkinData() {
    if (TSkinManage* manager = TSkinManage::Instance()) manager->Unregister(this);
    release_owned();
}

bool TSkinData::Running() const {
    const ui::TComponentState state = component_state();
    return !state.has(ui::TComponentStateFlag::csDesigning) && !state.has(ui::TComponentStateFlag::csLoading) &&
           !state.has(ui::TComponentStateFlag::csReading);
}

void TSkinData::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    TSkinManage* manager = TSkinManage::Instance();
    if (!Running() || !manager) return;
    constexpr unsigned kDelay = 250;
    switch (form_type_) {
    case TSkinFormType::sfMainform:
        if (value && no_skin_) return;
        manager->SetCommandTarget(this);
        manager->IssueCommand(value ? SkinCommand::kSkinAll : SkinCommand::kUnskinAll, kDelay);
        // Marked started only now: a manager that had not started only switched skinning on.
        if (value) manager->MarkStarted();
        break;
    case TSkinFormType::sfOnlyThisForm:
        manager->SetCommandTarget(this);
        if (value && !no_skin_) manager->IssueCommand(SkinCommand::kSkinAll, kDelay);
        if (!value) manager->IssueCommand(SkinCommand::kUnskinAll, kDelay);
        break;
    default: break;
    }
}

void TSkinData::AskFormSkin(HWND window, const std::string& class_name, bool& do_skin) {
    asked_window_ = window;
    if (OnFormSkin) {
        OnFormSkin(this, class_name, do_skin);
        return;
    }
    if (class_name == "SysMonthCal32") do_skin = false;
    if (class_name.rfind("Tfr", 0) == 0 && skin_controls_.has(CT::xcFastReport)) do_skin = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ReadSkinStream(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4) return;
    const std::int32_t length = ReadInt32LE(bytes.data());
    if (length <= 0) return;
    if (static_cast<std::size_t>(length) > bytes.size() - 4) {
        // Half a skin would only fail later, in the middle of the parse: report it as the damage it is.
        no_skin_ = true;
        load_error_ = "the stored skin holds " + std::to_string(bytes.size() - 4) + " of its " + std::to_string(length) +
                      " bytes";
        Notify({"The stored skin could not be loaded: " + load_error_, false});
        return;
    }
    SetStoredArchive(std::vector<std::uint8_t>(bytes.begin() + 4, bytes.begin() + 4 + length));
}

std::vector<std::uint8_t> TSkinData::WriteSkinStream() const {
    const auto length = static_cast<std::uint32_t>(stored_.size());
    std::vector<std::uint8_t> out(4 + stored_.size());
    for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
    std::copy(stored_.begin(), stored_.end(), out.begin() + 4);
    return out;
}

void TSkinData::SetStoredArchive(std::vector<std::uint8_t> archive) {
    stored_ = std::move(archive);
    if (!component_state().has(ui::TComponentStateFlag::csDesigning)) LoadSkin();
}

bool TSkinData::LoadSkin() {
    if (component_state().has(ui::TComponentStateFlag::csDesigning)) return false;
    no_skin_ = true;
    SkinLoadResult result = LoadSkinDescription(stored_.data(), stored_.size(), WinSkinSystem());
    if (!result.skin) {
        load_error_ = result.error;
        Notify({result.unknown_version ? "This is Older Skin File\rPlease update to new version !"
                                       : "The skin could not be loaded: " + result.error,
                result.unknown_version});
        return false;
    }
    ReplaceSkin(std::move(result.skin));
    load_error_.clear();
    no_skin_ = false;
    return true;
}

void TSkinData::ReplaceSkin(std::unique_ptr<SkinDescription> skin) {
    skin_ = std::move(skin);
    face_brush_.reset(CreateSolidBrush(ui::to_colorref(skin_->colours[kButtonFace])));
}

void TSkinData::SetSkinFile(const std::string& path) {
    no_skin_ = true;
    skin_file_ = path;
    if (component_state().has(ui::TComponentStateFlag::csDesigning)) {
        if (!path.empty()) stored_.clear();
        return;
    }
    // A path that names no file leaves the old elements in place: windows already skinned keep
    // painting with them, while the flag keeps the component from skinning any more.
    std::string bytes;
    if (path.empty() || !plat::file_exists(path) || !plat::read_whole_file(path, bytes)) return;
    SetStoredArchive(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (Running()) ApplySkinFile();
}

void TSkinData::ApplySkinFile() {
    if (!TSkinManage::Instance()) loaded();
    TSkinManage* manager = TSkinManage::Instance();
    if (!manager) return;
    manager->SetCommandTarget(this);
    for (const auto& form : manager->Windows())
        if (form->data() == this) form->DropCaptionButtons();
    if (manager->StartState() == 1) manager->IssueCommand(SkinCommand::kRefresh, 250);
}

void TSkinData::loaded() {
    Component::loaded();
    if (component_state().has(ui::TComponentStateFlag::csDesigning)) return;
    if (!HasScrollBarInfo()) skin_controls_.exclude(CT::xcScrollbar);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        caption_font_.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    StartManager();
    if (form_type_ == TSkinFormType::sfMainform) {
        // A component without a skin skins nothing: the program runs with the system's look.
        if (active_ && no_skin_) active_ = false;
        if (skin_controls_.has(CT::xcMainMenu))
            skin_controls_.exclude(CT::xcMenuItem);
        else
            skin_controls_.exclude(CT::xcSystemMenu);
        MakeSmallIcon();
    }
}

void TSkinData::StartManager() {
    TSkinManage& manager = TSkinManage::Create();
    manager.Register(this);
    if (form_type_ != TSkinFormType::sfMainform) {
        manager.SetSkinningOn(true);
        manager.MarkStarted();
        auto* owner = dynamic_cast<ui::WinControl*>(this->owner());
        if (owner && active_ && owner->handle_allocated()) manager.SkinWindow(owner->handle());
        return;
    }
    manager.InstallHook();
    if (active_ && !no_skin_) {
        manager.SetCommandTarget(this);
        manager.IssueCommand(SkinCommand::kSkinAll, 250);
    }
}

void TSkinData::MakeSmallIcon() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    small_icon_.set_size(cx, cy);
    ui::Canvas& canvas = small_icon_.canvas();
    canvas.brush().color = ui::clFuchsia;
    canvas.fill_rect({0, 0, cx, cy});
    const ui::Icon icon = ProgramIcon(cx, cy);
    if (icon.get()) DrawIconEx(small_icon_.dc(), 0, 0, icon.get(), cx, cy, 0, nullptr, DI_NORMAL);
    small_icon_.transparent = true;
    small_icon_.transparent_color = ui::clFuchsia;
}

void TSkinData::ShowCaptionHint(const ui::Rect& place, const std::string& text) {
    if (!options_.has(SO::xoCaptionButtonHint) || hint_shown_) return;
    if (!hint_) hint_ = std::make_unique<ui::HintWindow>(nullptr);
    ui::Rect r = hint_->calc_hint_rect(kCaptionHintMaxWidth, text);
    r = {r.left + place.left, r.top + place.top, r.right + place.left, r.bottom + place.top};
    hint_->activate_hint(r, text);
    hint_shown_ = true;
}

bool TSkinData::AttachFrame(ui::WinControl* owner, ui::WinControl* frame) {
    return owner != nullptr && skin::AttachFrame(owner->handle(), frame);
}

void TSkinData::HideCaptionHint() {
    if (!hint_shown_) return;
    hint_->release_handle();
    hint_shown_ = false;
}

} // namespace skin
