// Drawing into 32-bit memory bitmaps: canvas primitives, text, transparent bitmaps, image
// lists, and windowless controls painted by their parent.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ui/description_reader.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/std_controls.h"
#include "ui_harness.h"

using namespace ui;

namespace {

class Graphics : public ::testing::Test {
protected:
    void SetUp() override { uitest::ensure_application(); }
};

TEST_F(Graphics, CanvasPrimitivesLandOnThePixels) {
    Bitmap b(40, 30);
    Canvas& c = b.canvas();
    c.brush().color = clWhite;
    c.fill_rect({0, 0, 40, 30});
    c.brush().color = clRed;
    c.pen().color = clBlue;
    c.rectangle(5, 5, 20, 20);
    EXPECT_EQ(b.pixel(5, 5), 0xFF0000u);    // the pen on the edge (0x00BBGGRR)
    EXPECT_EQ(b.pixel(12, 12), 0x0000FFu);  // the brush inside
    EXPECT_EQ(b.pixel(25, 25), 0xFFFFFFu);
    c.pen().color = clLime;
    c.move_to(0, 28);
    c.line_to(39, 28);
    EXPECT_EQ(b.pixel(20, 28), 0x00FF00u);
    EXPECT_EQ(c.pen_pos().x, 39);
    c.set_pixel(30, 2, clYellow);
    EXPECT_EQ(c.pixel(30, 2), 0x00FFFFu);
    c.brush().style = TBrushStyle::bsClear;
    c.pen().color = clBlack;
    c.polygon({{22, 2}, {38, 2}, {38, 18}});
    EXPECT_EQ(b.pixel(30, 2), 0x000000u);   // the outline crosses the yellow pixel
    EXPECT_EQ(b.pixel(36, 5), 0xFFFFFFu);   // a clear brush leaves the inside
}

TEST_F(Graphics, TextExtentAndChineseTextDraw) {
    Bitmap b(120, 30);
    Canvas& c = b.canvas();
    c.font().set_name("\xCB\xCE\xCC\xE5");  // the GBK name the windows ask for
    c.font().set_height(-16);
    c.brush().color = clWhite;
    c.fill_rect({0, 0, 120, 30});
    SIZE one = c.text_extent("\xD6\xD0");  // one Chinese character
    SIZE two = c.text_extent("\xD6\xD0\xCE\xC4");
    EXPECT_GT(one.cx, 8);
    EXPECT_NEAR(two.cx, 2 * one.cx, 2);
    c.font().set_color(clBlack);
    c.text_out(2, 2, "\xD6\xD0\xCE\xC4");
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) dark += b.pixel(x, y) < 0x808080u;
    EXPECT_GT(dark, 20);
    uitest::save_bitmap(b, "canvas_text");
}

TEST_F(Graphics, TransparentDrawLeavesTheKeyColourOut) {
    Bitmap sprite(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) sprite.scan_line(y)[x] = (x == y) ? 0x000000FFu : 0x00FF00FFu;  // blue diagonal on magenta
    sprite.transparent = true;  // key taken from the bottom-left pixel: magenta
    EXPECT_EQ(sprite.effective_transparent_color(), static_cast<TColor>(0xFF00FF));
    Bitmap target(4, 4);
    target.canvas().brush().color = clWhite;
    target.canvas().fill_rect({0, 0, 4, 4});
    target.canvas().draw(0, 0, sprite);
    EXPECT_EQ(target.pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(target.pixel(2, 1), 0xFFFFFFu);
    Bitmap copy;
    copy.assign(sprite);
    EXPECT_EQ(copy.pixel(3, 3), 0xFF0000u);
    EXPECT_TRUE(copy.transparent);
}

TEST_F(Graphics, ImageListDrawsMaskedAndGreyed) {
    ImageList list(nullptr);
    Bitmap strip(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) strip.scan_line(y)[x] = (x % 16 > 3 && x % 16 < 12) ? 0x00FF0000u : 0x00FF00FFu;
    int changes = 0;
    int link = list.register_changes([&changes](ImageList&) { ++changes; });
    EXPECT_EQ(list.add_masked(strip, clDefault), 0);
    EXPECT_EQ(list.count(), 2);
    EXPECT_GT(changes, 0);
    list.unregister_changes(link);
    Bitmap target(40, 16);
    target.canvas().brush().color = clWhite;
    target.canvas().fill_rect({0, 0, 40, 16});
    list.draw(target.canvas(), 0, 0, 1, true);
    list.draw(target.canvas(), 20, 0, 1, false);
    EXPECT_EQ(target.pixel(8, 8), 0x0000FFu);  // red image pixel
    EXPECT_EQ(target.pixel(1, 1), 0xFFFFFFu);  // masked out
    std::uint32_t grey = target.pixel(28, 8);
    EXPECT_NE(grey, 0x0000FFu);                 // drawn differently when disabled
    EXPECT_EQ(target.pixel(21, 1), 0xFFFFFFu);
    list.draw(target.canvas(), 0, 0, 7, true);  // out of range: nothing, no failure
}

TEST_F(Graphics, ImageListsTakeIconResourcesByNameAndKeepThemThroughANewSize) {
    Form form(nullptr);
    form.load_description(R"(object IconForm: TForm
  object Icons: TImageList
    IconResources = 'SAMPLEICONRED, SAMPLEICONBLUE'
  end
end)");
    auto* list = dynamic_cast<ImageList*>(form.find_component("Icons"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    Bitmap target(32, 16);
    target.canvas().brush().color = clWhite;
    target.canvas().fill_rect({0, 0, 32, 16});
    list->draw(target.canvas(), 0, 0, 0);
    list->draw(target.canvas(), 16, 0, 1);
    EXPECT_EQ(target.pixel(8, 8), 0x0000FFu);   // the red square (pixels read as COLORREF)
    EXPECT_EQ(target.pixel(24, 8), 0xFF0000u);  // the blue square
    EXPECT_EQ(target.pixel(1, 1), 0xFFFFFFu);   // the icon's transparent ground

    // A size given after the names loads the same icons again at that size.
    list->set_width(32);
    list->set_height(32);
    EXPECT_EQ(list->count(), 2);

    Form bad(nullptr);
    try {
        bad.load_description("object BadForm: TForm\n  object Icons: TImageList\n    IconResources = 'SAMPLEICONRED,NOSUCHICON'\n  end\nend");
        FAIL();
    } catch (const DescriptionError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("NOSUCHICON"), std::string::npos) << what;
        EXPECT_NE(what.find("property 'IconResources'"), std::string::npos) << what;
    }
}

// A component following image lists through a link: told of changes of the list it follows
// only, and of the list's end through its notification.
class ListFollower : public Component {
public:
    ListFollower() : Component(nullptr) {}
    int changes = 0;
    ImageListLink images{*this, [this](ImageList&) { ++changes; }};

protected:
    void notification(Component* component, TOperation operation) override {
        Component::notification(component, operation);
        if (operation == TOperation::opRemove) images.forget(component);
    }
};

TEST_F(Graphics, ImageListLinkFollowsOneListAtATime) {
    Bitmap image(16, 16);
    ImageList first(nullptr);
    auto* second = new ImageList(nullptr);
    {
        ListFollower follower;
        EXPECT_TRUE(follower.images.set(&first));
        EXPECT_FALSE(follower.images.set(&first)) << "already followed";
        first.add(image);
        EXPECT_EQ(follower.changes, 1);

        EXPECT_TRUE(follower.images.set(second));
        first.add(image);
        second->add(image);
        EXPECT_EQ(follower.changes, 2) << "the list left behind is no longer followed";

        delete second;  // the follower hears of it and lets it go
        EXPECT_EQ(follower.images.list(), nullptr);
        EXPECT_FALSE(follower.images);

        EXPECT_TRUE(follower.images.set(&first));
    }
    first.add(image);  // the follower is gone: its link went with it
    EXPECT_EQ(first.count(), 3);
}

TEST_F(Graphics, WindowlessChildrenArePaintedAndGetTheMouse) {
    Form form(nullptr);
    form.set_bounds(0, 0, 200, 120);
    auto* panel = new Panel(&form);
    panel->set_parent(&form);
    panel->set_bounds(0, 0, 200, 100);
    panel->set_bevel_outer(TBevelCut::bvNone);
    panel->set_color(clWhite);
    auto* label = new Label(&form);
    label->set_parent(panel);
    label->set_bounds(10, 10, 80, 20);
    label->set_auto_size(false);
    label->set_color(clRed);
    int clicks = 0, enters = 0, leaves = 0;
    label->on_click = [&clicks](Component*) { ++clicks; };
    label->on_mouse_enter = [&enters](Component*) { ++enters; };
    label->on_mouse_leave = [&leaves](Component*) { ++leaves; };
    form.show();
    uitest::pump();
    Bitmap target(200, 100);
    SendMessageW(panel->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.dc()), 0);
    SendMessageW(panel->handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.dc()), 0);
    EXPECT_EQ(target.pixel(15, 25), 0x0000FFu);   // the label's own colour, painted by the panel
    EXPECT_EQ(target.pixel(150, 50), 0xFFFFFFu);
    SendMessageW(panel->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    uitest::click_at(panel->handle(), 20, 20);
    SendMessageW(panel->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 60));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(panel->control_at_pos(POINT{20, 20}, false), label);
    label->set_visible(false);
    EXPECT_EQ(panel->control_at_pos(POINT{20, 20}, false), nullptr);
}

} // namespace
