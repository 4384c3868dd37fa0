// The skin component: its published values, the stored skin in window descriptions, skin files,
// damaged skins reported once, and the services it offers the skinned windows.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/text_gbk.h"
#include "platform/ui/description_parser.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "skin/lzh_stream.h"
#include "skin/skin_archive.h"
#include "skin/skin_parse.h"
#include "skin/win/skin3rd_defaults.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_services.h"
#include "skin/win/win_skin_system.h"
#include "tests/skin/win/skin_sheet.h"
#include "tests/support/skin_faults.h"
#include "tests/support/window_test/window_test.h"
#include "tools/skingen/program_resources.h"

namespace {

using skin::TSkinData;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadStored(const char* path) {
    std::string text;
    EXPECT_TRUE(plat::read_whole_file(path, text)) << path;
    return Bytes(text.begin(), text.end());
}
const char* const kDefaultSkin = VQ_SKIN_STORED_DIR "/default.skn";
const char* const kContrastSkin = VQ_SKIN_STORED_DIR "/contrast.skn";

// The root of a description: a window holding the skin component.
class Window : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    Window() : Component(nullptr) {}
    bool adopt_child(ui::Component*) override { return true; }
};

ui::ClassInfo& Window::static_class() {
    static ui::ClassInfo info("TSkinTestWindow", &Component::static_class());
    return info;
}

std::string Hex(const Bytes& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) out += {kHex[b >> 4], kHex[b & 15]};
    return out;
}

Bytes WithLength(std::int32_t length, const Bytes& archive) {
    const auto n = static_cast<std::uint32_t>(length);
    Bytes out(4 + archive.size());
    for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n >> (8 * i));
    std::copy(archive.begin(), archive.end(), out.begin() + 4);
    return out;
}

std::string Description(const Bytes& skin_stream, const std::string& more = "") {
    return "object W: TSkinTestWindow\n  object SkinData1: TSkinData\n    Active = True\n" + more +
           "    SkinStream = {" + Hex(skin_stream) + "}\n  end\nend\n";
}

class SkinData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window_test::ensure_application();
        ui::register_class(TSkinData::static_class());
    }
    TSkinData* Read(const std::string& text) {
        ui::read_description(window, text);
        return dynamic_cast<TSkinData*>(window.find_component("SkinData1"));
    }
    test_support::CapturedFaults captured;
    Window window;
};

// The skin as this system's own parse gives it, for comparing what the component holds.
std::unique_ptr<skin::SkinDescription> Parsed(const Bytes& stored) {
    return skin::LoadSkinDescription(stored.data(), stored.size(), skin::WinSkinSystem()).skin;
}

// Same elements, by name, with the same pictures.
void ExpectSameElements(const skin::SkinDescription& got, const skin::SkinDescription& want) {
    const auto a = got.Elements(), b = want.Elements();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->name, b[i]->name);
        EXPECT_TRUE(a[i]->bitmap == b[i]->bitmap) << a[i]->name;
        EXPECT_EQ(a[i]->frame, b[i]->frame) << a[i]->name;
    }
    EXPECT_EQ(got.colours, want.colours);
}

TEST_F(SkinData, NewValues) {
    TSkinData data(nullptr);
    struct Value {
        const char* property;
        const char* text;
    };
    const Value values[] = {
        {"Active", "False"},
        {"DisableTag", "99"},
        {"SkinControls",
         "[xcMainMenu,xcPopupMenu,xcToolbar,xcControlbar,xcCombo,xcCheckBox,xcRadioButton,xcProgress,"
         "xcScrollbar,xcEdit,xcButton,xcBitBtn,xcSpeedButton,xcSpin,xcPanel,xcGroupBox,xcStatusBar,xcTab,"
         "xcTrackBar,xcSystemMenu]"},
        {"Options", "[xoPreview,xoToolbarBK,xoCaptionButtonHint]"},
        {"SkinFile", ""},
        {"SkinStore", "(none)"},
        {"SkinFormtype", "sfMainform"},
        {"Version", "5.40.07.15"},
        {"MenuUpdate", "True"},
        {"MenuMerge", "False"},
    };
    for (const Value& v : values) EXPECT_EQ(ui::get_property_text(data, v.property), v.text) << v.property;
    for (const char* event : {"OnFormSkin", "OnSkinChanged", "OnSkinControl", "OnBeforeSkinForm", "OnAfterSkinForm"})
        EXPECT_EQ(ui::property_info(data, event).kind, ui::PropKind::Event) << event;
    EXPECT_EQ(ui::property_info(data, "Skin3rd").kind, ui::PropKind::StringList);
    EXPECT_TRUE(data.NoSkin());
    EXPECT_EQ(data.Skin(), nullptr);
    EXPECT_TRUE(data.StoredArchive().empty());

    // The read-only two ignore writes, as the stored windows' old version text shows.
    ui::set_property_text(data, "Version", "5.03.07.12");
    ui::set_property_text(data, "SkinStore", "(Good)");
    EXPECT_EQ(ui::get_property_text(data, "Version"), "5.40.07.15");
    EXPECT_EQ(ui::get_property_text(data, "SkinStore"), "(none)");
}

TEST_F(SkinData, Skin3rdLinesAndTheirOrder) {
    TSkinData data(nullptr);
    const std::vector<std::string> lines = data.Skin3rd().to_vector();
    ASSERT_EQ(lines.size(), 118u);
    EXPECT_EQ(lines, skin::DefaultSkin3rd());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              (std::vector<std::string>{"TCategoryButtons=scrollbar", "TPngSpeedbutton=pngspeedbutton", "TPngBitBtn=pngbitbtn"}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"TOVCNUMERICFIELD=edit", "TOVCDBNUMERICFIELD=edit"}));

    const std::vector<std::string> kinds = {"scrollbar", "pngspeedbutton", "pngbitbtn", "button", "menubtn", "panel",
                                            "combobox", "speedbutton", "bitbtn", "checkgroup", "radiogroup", "edit",
                                            "radiobutton", "groupbox", "checkbox"};
    std::map<std::string, int> per_kind, per_line;
    for (const std::string& line : lines) {
        const auto eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << line;
        const std::string kind = line.substr(eq + 1);
        EXPECT_NE(std::find(kinds.begin(), kinds.end(), kind), kinds.end()) << line;
        ++per_kind[kind];
        ++per_line[line];
    }
    EXPECT_EQ(per_kind, (std::map<std::string, int>{{"scrollbar", 10}, {"pngspeedbutton", 1}, {"pngbitbtn", 1},
                                                     {"button", 1}, {"menubtn", 1}, {"panel", 15}, {"combobox", 39},
                                                     {"speedbutton", 3}, {"bitbtn", 3}, {"checkgroup", 3},
                                                     {"radiogroup", 7}, {"edit", 26}, {"radiobutton", 2},
                                                     {"groupbox", 2}, {"checkbox", 4}}));
    std::vector<std::string> twice;
    for (const auto& [line, n] : per_line)
        if (n > 1) twice.push_back(line);
    EXPECT_EQ(twice, (std::vector<std::string>{"TDBCheckboxEh=checkbox", "TLMDFontSizeCombobox=combobox",
                                               "TWWDBCombobox=combobox"}));

    // The first line naming a class, whatever the case, decides: this one is a group box.
    const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.size() > 13 && l[12] == '=' && _strnicmp(l.c_str(), "TLMDGroupBox", 12) == 0;
    });
    ASSERT_NE(first, lines.end());
    EXPECT_EQ(*first, "TLMDGroupBox=groupbox");

    // Assigned by copying the lines.
    ui::StringList mine({"TMine=panel"});
    data.SetSkin3rd(mine);
    mine.add("TOther=edit");
    EXPECT_EQ(data.Skin3rd().to_vector(), std::vector<std::string>{"TMine=panel"});
}

TEST_F(SkinData, StoredSkinStreamHoldsTheDefaultSkin) {
    const Bytes stored = ReadStored(kDefaultSkin);
    TSkinData* data = Read(Description(WithLength(static_cast<std::int32_t>(stored.size()), stored)));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(captured.faults.empty());
    EXPECT_FALSE(data->NoSkin());
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(data->StoredArchive(), stored);
    EXPECT_EQ(ui::get_property_text(*data, "SkinStore"), "(Good)");
    ASSERT_NE(data->Skin(), nullptr);
    const auto want = Parsed(stored);
    ASSERT_TRUE(want);
    EXPECT_EQ(data->Skin()->skin_name, want->skin_name);
    ExpectSameElements(*data->Skin(), *want);
    ASSERT_NE(data->FaceBrush(), nullptr);
    LOGBRUSH brush{};
    GetObjectW(data->FaceBrush(), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, ui::to_colorref(want->colours[skin::kButtonFace]));

    // Written back as the length and the same bytes.
    const std::string written = ui::write_description(window);
    EXPECT_NE(written.find("SkinStream = {" + Hex(WithLength(static_cast<std::int32_t>(stored.size()), stored)) + "}"),
              std::string::npos);
}

// The setup tool's stored main window: its skin component alone, read as the program reads it.
TEST_F(SkinData, SetupToolsStoredComponentHoldsTheDefaultSkin) {
    std::string text;
    ASSERT_TRUE(plat::read_whole_file(VQ_SETUPTOOL_MAIN_FORM, text));
    const ui::DescObject stored = ui::parse_description(text);
    ui::DescObject root;
    root.name = "W";
    root.class_name = "TSkinTestWindow";
    for (const ui::DescObject& child : stored.children)
        if (child.name == "SkinData1") root.children.push_back(child);
    ASSERT_EQ(root.children.size(), 1u);
    ui::read_description(window, root);
    auto* data = dynamic_cast<TSkinData*>(window.find_component("SkinData1"));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(captured.faults.empty());
    EXPECT_FALSE(data->NoSkin());
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(data->StoredArchive(), ReadStored(kDefaultSkin));
    EXPECT_EQ(data->Skin3rd().to_vector(), skin::DefaultSkin3rd());
    EXPECT_EQ(ui::get_property_text(*data, "Options"), "[xoPreview,xoToolbarBK]");
    EXPECT_EQ(ui::get_property_text(*data, "Version"), "5.40.07.15");
}

TEST_F(SkinData, StreamOfNoLengthLeavesTheComponentWithoutASkin) {
    const Bytes stored = ReadStored(kDefaultSkin);
    struct Case {
        const char* name;
        Bytes stream;
    };
    const Case cases[] = {
        {"length 0", WithLength(0, {})},
        {"length 0 before bytes", WithLength(0, stored)},
        {"negative length", WithLength(-5, stored)},
        {"no length at all", {}},
    };
    for (const Case& c : cases) {
        Window w;
        ui::read_description(w, Description(c.stream));
        auto* data = dynamic_cast<TSkinData*>(w.find_component("SkinData1"));
        ASSERT_NE(data, nullptr) << c.name;
        EXPECT_TRUE(data->NoSkin()) << c.name;
        EXPECT_EQ(data->Skin(), nullptr) << c.name;
        EXPECT_TRUE(data->StoredArchive().empty()) << c.name;
        EXPECT_FALSE(data->Active()) << c.name << ": turned off at Loaded";
        // Still written, the length too.
        EXPECT_NE(ui::write_description(w).find("SkinStream = {00000000}"), std::string::npos) << c.name;
    }
    EXPECT_TRUE(captured.faults.empty());

    // A length of 0 also keeps a skin that is already there.
    TSkinData data(nullptr);
    data.ReadSkinStream(WithLength(static_cast<std::int32_t>(stored.size()), stored));
    const skin::SkinDescription* before = data.Skin();
    data.ReadSkinStream(WithLength(0, {}));
    EXPECT_EQ(data.Skin(), before);
    EXPECT_EQ(data.StoredArchive(), stored);
    EXPECT_FALSE(data.NoSkin());
}

TEST_F(SkinData, SkinFileReplacesEveryElementAndAMissingFileKeepsThem) {
    const Bytes stored = ReadStored(kDefaultSkin);
    TSkinData* data = Read(Description(WithLength(static_cast<std::int32_t>(stored.size()), stored)));
    ASSERT_NE(data, nullptr);
    const skin::SkinDescription* old_skin = data->Skin();
    ASSERT_NE(old_skin, nullptr);

    data->SetSkinFile(kContrastSkin);
    EXPECT_FALSE(data->NoSkin());
    EXPECT_EQ(data->SkinFile(), kContrastSkin);
    EXPECT_EQ(data->StoredArchive(), ReadStored(kContrastSkin));
    ASSERT_NE(data->Skin(), nullptr);
    const auto contrast = Parsed(ReadStored(kContrastSkin));
    ASSERT_TRUE(contrast);
    EXPECT_EQ(data->Skin()->skin_name, contrast->skin_name);
    EXPECT_NE(data->Skin()->skin_name, Parsed(stored)->skin_name);
    ExpectSameElements(*data->Skin(), *contrast);
    EXPECT_NE(data->Skin(), old_skin) << "a whole new set of elements";

    const skin::SkinDescription* contrast_held = data->Skin();
    data->SetSkinFile(VQ_SKIN_STORED_DIR "/no-such-skin.skn");
    EXPECT_TRUE(data->NoSkin());
    EXPECT_EQ(data->Skin(), contrast_held) << "the elements of the skin before stay";
    EXPECT_EQ(data->StoredArchive(), ReadStored(kContrastSkin));
    EXPECT_TRUE(captured.faults.empty()) << "a missing file is no damaged skin";
}

TEST_F(SkinData, DamagedStoredSkinIsReportedOnce) {
    const Bytes stored = ReadStored(kDefaultSkin);
    const Bytes cut(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(stored.size() / 2));
    Bytes old_version = skin::WriteArchive({{"skin.ini", {'[', 'a', ']'}}}).archive;
    const Bytes version_10000 = {0x10, 0x27, 0, 0};
    std::copy(version_10000.begin(), version_10000.end(), old_version.begin());
    auto stream = [](const Bytes& packed) { return WithLength(static_cast<std::int32_t>(packed.size()), packed); };
    struct Case {
        const char* name;
        Bytes stream;
        const char* told;  // part of the text the notifier gets
        bool unknown_version;
    };
    const Case cases[] = {
        {"archive cut short", stream(cut), "could not be loaded", false},
        {"unknown version", stream(skin::LzhEncode(old_version)), "This is Older Skin File\rPlease update to new version !", true},
        {"no description", stream(skin::LzhEncode(skin::WriteArchive({{"title.bmp", {'B', 'M'}}}).archive)), "no description", false},
        {"length past the bytes", WithLength(static_cast<std::int32_t>(stored.size() + 10), stored), "of its", false},
    };
    for (const Case& c : cases) {
        captured.faults.clear();
        Window w;
        ui::read_description(w, Description(c.stream));
        auto* data = dynamic_cast<TSkinData*>(w.find_component("SkinData1"));
        ASSERT_NE(data, nullptr) << c.name;
        ASSERT_EQ(captured.faults.size(), 1u) << c.name;
        EXPECT_NE(captured.faults[0].text.find(c.told), std::string::npos) << c.name << ": " << captured.faults[0].text;
        EXPECT_EQ(captured.faults[0].unknown_version, c.unknown_version) << c.name;
        EXPECT_TRUE(data->NoSkin()) << c.name;
        EXPECT_EQ(data->Skin(), nullptr) << c.name;
        EXPECT_FALSE(data->LoadError().empty()) << c.name;
        EXPECT_FALSE(data->Active()) << c.name << ": the program runs unskinned";
    }
}

TEST_F(SkinData, LoadedSettings) {
    struct Case {
        const char* name;
        const char* controls;
        const char* left;  // after Loaded
    };
    const Case cases[] = {
        {"main menu skinned: no single items", "[xcMainMenu, xcMenuItem, xcSystemMenu, xcScrollbar]",
         "[xcMainMenu,xcScrollbar,xcSystemMenu]"},
        {"no main menu: no window menu", "[xcMenuItem, xcSystemMenu]", "[xcMenuItem]"},
    };
    const Bytes stored = ReadStored(kDefaultSkin);
    for (const Case& c : cases) {
        Window w;
        ui::read_description(w, Description(WithLength(static_cast<std::int32_t>(stored.size()), stored),
                                            std::string("    SkinControls = ") + c.controls + "\n"));
        auto* data = dynamic_cast<TSkinData*>(w.find_component("SkinData1"));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(ui::get_property_text(*data, "SkinControls"), c.left) << c.name;
        EXPECT_TRUE(data->Active()) << c.name;
        EXPECT_NE(data->CaptionFont(), nullptr) << c.name;
    }
}

TEST_F(SkinData, SmallIconOnMagenta) {
    TSkinData* data = Read(Description(WithLength(0, {})));
    ASSERT_NE(data, nullptr);
    const ui::Bitmap& icon = data->SmallIcon();
    ASSERT_EQ(icon.width(), GetSystemMetrics(SM_CXSMICON));
    ASSERT_EQ(icon.height(), GetSystemMetrics(SM_CYSMICON));
    EXPECT_TRUE(icon.transparent);
    EXPECT_EQ(icon.transparent_color, ui::clFuchsia);
    window_test::save_picture(icon, "skin_pictures", "small_icon");
    int magenta = 0, drawn = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) (icon.pixel(x, y) == 0xFF00FF ? magenta : drawn)++;
    EXPECT_GT(drawn, 0) << "the icon is drawn";
    EXPECT_GT(magenta, 0) << "its transparent parts stay magenta";
}

TEST_F(SkinData, MenuGlyphsMaskedByWhite) {
    TSkinData data(nullptr);
    ui::ImageList& glyphs = data.MenuGlyphs();
    ASSERT_EQ(glyphs.count(), 4);
    ASSERT_EQ(glyphs.width(), 16);
    ASSERT_EQ(glyphs.height(), 16);
    const skin::Image32 want = skingen::MenuGlyphs();
    ui::Bitmap target(64, 16);
    target.canvas().brush().color = ui::clRed;
    target.canvas().fill_rect({0, 0, 64, 16});
    for (int i = 0; i < 4; ++i) glyphs.draw(target.dc(), 16 * i, 0, i);
    window_test::save_picture(target, "skin_pictures", "menu_glyphs_on_red");
    int wrong = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint32_t expected = want.at(x, y) == 0xFFFFFF ? 0x0000FF /* red, 0x00BBGGRR */ : 0x000000;
            if ((target.pixel(x, y) & 0xFFFFFF) != expected) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(SkinData, TrackPicturesFromTheProgramsResources) {
    const skin::WinSkinSystem system;
    EXPECT_TRUE(system.TrackPicture(false) == skin::DrawTrackPicture(false));
    EXPECT_TRUE(system.TrackPicture(true) == skin::DrawTrackPicture(true));
    EXPECT_EQ(system.HScrollArrowWidth(), GetSystemMetrics(SM_CXHSCROLL));
}

TEST_F(SkinData, CaptionHints) {
    TSkinData data(nullptr);
    data.ShowCaptionHint({200, 150, 220, 170}, plat::utf8_to_gbk("关闭"));
    ASSERT_TRUE(data.CaptionHintShown());
    HWND hint = data.CaptionHintWindow()->handle();
    ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(hint) != FALSE; }, 5000));
    RECT r{};
    GetWindowRect(hint, &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_GT(r.right - r.left, 6);
    window_test::save_screenshot(hint, "skin_pictures", "caption_hint");

    // A second hint while one is up changes nothing.
    data.ShowCaptionHint({10, 10, 20, 20}, "another");
    GetWindowRect(hint, &r);
    EXPECT_EQ(r.left, 200);

    data.HideCaptionHint();
    EXPECT_FALSE(data.CaptionHintShown());
    EXPECT_FALSE(IsWindow(hint) && IsWindowVisible(hint));

    data.SetOptions(skin::TSkinOptions{skin::TSkinOption::xoPreview});
    data.ShowCaptionHint({200, 150, 220, 170}, plat::utf8_to_gbk("关闭"));
    EXPECT_FALSE(data.CaptionHintShown()) << "hints are an option";
}

TEST_F(SkinData, ControlOfWindow) {
    ui::Form form(nullptr);
    form.set_bounds(0, 0, 200, 100);
    form.handle_needed();
    EXPECT_EQ(skin::ControlOfWindow(form.handle()), &form);
    HWND foreign = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(skin::ControlOfWindow(foreign), nullptr);
    DestroyWindow(foreign);
    EXPECT_EQ(skin::ControlOfWindow(nullptr), nullptr);
}

TEST_F(SkinData, SystemServices) {
    ui::Bitmap target(80, 20);
    target.canvas().brush().color = ui::clWhite;
    target.canvas().fill_rect({0, 0, 80, 20});
    const std::wstring text = plat::gbk_to_wide(plat::utf8_to_gbk("皮肤 skin"));
    RECT measure{0, 0, 0, 0};
    skin::DrawTextAuto(target.dc(), text, measure, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(measure.right, 20);
    RECT place{2, 2, 78, 18};
    SetTextColor(target.dc(), RGB(0, 0, 0));
    SetBkMode(target.dc(), TRANSPARENT);
    EXPECT_GT(skin::DrawTextAuto(target.dc(), text, place, DT_SINGLELINE | DT_VCENTER), 0);
    window_test::save_picture(target, "skin_pictures", "draw_text_auto");
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) dark += (target.pixel(x, y) & 0xFF) < 0x80;
    EXPECT_GT(dark, 10);

    ui::Form form(nullptr);
    form.set_bounds(0, 0, 200, 100);
    form.handle_needed();
    SetWindowLongPtrW(form.handle(), GWL_STYLE, GetWindowLongPtrW(form.handle(), GWL_STYLE) | WS_VSCROLL);
    SetWindowPos(form.handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SCROLLBARINFO info{};
    ASSERT_TRUE(skin::GetScrollBarInfoSafe(form.handle(), OBJID_VSCROLL, info));
    EXPECT_GT(info.rcScrollBar.bottom - info.rcScrollBar.top, 0);
    EXPECT_TRUE(skin::HasScrollBarInfo());
    EXPECT_TRUE(skin::TrackMouseLeave(form.handle()));
}

// Every picture of both own skins on one sheet each, for a person to look at.
TEST_F(SkinData, PictureSheetsOfBothSkins) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        TSkinData data(nullptr);
        data.SetStoredArchive(ReadStored(path));
        ASSERT_NE(data.Skin(), nullptr) << path;
        const std::unique_ptr<ui::Bitmap> sheet = skin_test::PictureSheet(*data.Skin());
        ASSERT_TRUE(sheet);
        const std::string name = std::string("sheet_") + (path == kDefaultSkin ? "default" : "contrast");
        EXPECT_TRUE(window_test::save_picture(*sheet, "skin_pictures", name));
        EXPECT_GT(sheet->width(), 100);
        EXPECT_GT(sheet->height(), 300);
    }
}

} // namespace
