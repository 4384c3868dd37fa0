#include "tests/skin/win/skinned_fixture.h"

#include "platform/files.h"
#include "skin/win/skin_bitmaps.h"
#include "tests/support/window_test/window_test.h"

namespace skinned_test {

const char* const kDefaultSkin = VQ_SKIN_STORED_DIR "/default.skn";
const char* const kContrastSkin = VQ_SKIN_STORED_DIR "/contrast.skn";

Bytes ReadStored(const char* path) {
    std::string text;
    EXPECT_TRUE(plat::read_whole_file(path, text)) << path;
    return Bytes(text.begin(), text.end());
}

skin::TSkinData* LoadedData(ui::Component* owner, const char* skin_path, skin::TSkinFormType type, bool active) {
    auto* data = new skin::TSkinData(owner);
    data->SetSkinFormtype(type);
    data->SetActive(active);
    if (skin_path) data->SetStoredArchive(ReadStored(skin_path));
    static_cast<ui::Component*>(data)->loaded();
    return data;
}

MainWindow::MainWindow(const std::string& caption, int client_w, int client_h) {
    form = std::make_unique<ui::Form>(nullptr);
    form->set_caption(caption);
    menu = new ui::MainMenu(form.get());
    auto* item = new ui::MenuItem(menu);
    item->set_caption("&File");
    menu->items()->add(item);
    form->set_menu(menu);
    form->set_bounds(80, 60, 400, 300);
    form->handle_needed();
    form->set_client_width(client_w);
    form->set_client_height(client_h);
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

RECT WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

skin::Image32 Capture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    window_test::pump(0);
    const RECT r = WindowRectOf(window);
    ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
    HDC dc = GetWindowDC(window);
    BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return skin::ImageFromBitmap(picture);
}

skin::TWinSkinForm* SkinOf(HWND window) {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    return manager ? manager->FindSkinnedWindow(window) : nullptr;
}

bool WaitSkinned(HWND window) {
    return window_test::pump_until([&] {
        skin::TWinSkinForm* f = SkinOf(window);
        return f && f->skin_state() == skin::TWinSkinForm::kSkinned;
    }, 3000);
}

void Activate(HWND window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    window_test::pump(0);
}

HWND CreateProgramDialog(const wchar_t* caption, DWORD extra_style) {
    struct alignas(4) Template {
        DLGTEMPLATE t;
        WORD menu, cls;
        wchar_t title[40];
    } tpl{};
    tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | extra_style;
    tpl.t.cx = 160;
    tpl.t.cy = 80;
    tpl.t.x = 40;
    tpl.t.y = 40;
    wcsncpy(tpl.title, caption, 39);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.t, nullptr,
                                      [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR { return msg == WM_INITDIALOG; }, 0);
}

void SkinnedTest::SetUpTestSuite() { window_test::ensure_application(); }

void SkinnedTest::SetUp() {
    skin::TSkinManage::Shutdown();
    owner_ = std::make_unique<ui::Component>(nullptr);
}

void SkinnedTest::TearDown() {
    owner_.reset();
    skin::TSkinManage::Shutdown();
    window_test::pump(0);
    EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    window_test::errors().clear();
}

} // namespace skinned_test
