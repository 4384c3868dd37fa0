// The frame controller over stand-in controls: which settings reach which control, in what
// order, and that neither side keeps a link to the other once one is gone.
#include <gtest/gtest.h>

#include <memory>

#include "controls/model/frame_controller.h"

using namespace ec;
using ui::ClassInfo;
using ui::PropBuilder;

namespace {

ClassInfo& control_class() {
    static ClassInfo info("TControl", &ui::Component::static_class());
    return info;
}

// A framed control reached by property names; it records every write.
class FakeEdit : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit FakeEdit(ui::Component* owner) : Component(owner) {}
    ~FakeEdit() override {
        link.release(*this);
        release_owned();
    }

    FrameControllerUser link;
    std::vector<std::string> writes;
    ui::TColor color = ui::clWindow, focus_color = ui::clWindow, frame_color = ui::clBtnShadow;
    bool parent_color = false, frame_hot_track = false, frame_visible = false;
    TSides frame_sides = kAllSides;
    TFrameStyle frame_style = TFrameStyle::fsFlat;

    FrameController* controller() const { return link.controller(); }
    void set_controller(FrameController* c) { link.set_controller(*this, c); }
    TEcFrameControllerNotifications notifications() const { return link.notifications(); }
    void set_notifications(TEcFrameControllerNotifications n) { link.set_notifications(n); }

protected:
    void notification(ui::Component* c, ui::TOperation op) override {
        Component::notification(c, op);
        if (op == ui::TOperation::opRemove) link.forget(c);
    }
};

template <class T>
auto recorded(const char* name, T FakeEdit::*field) {
    return std::make_pair([field](const FakeEdit& e) { return e.*field; },
                          [field, name](FakeEdit& e, T v) {
                              e.*field = v;
                              e.writes.push_back(name);
                          });
}

ClassInfo& FakeEdit::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TFakeEdit", &control_class());
        auto color = recorded("Color", &FakeEdit::color);
        auto focus = recorded("FocusColor", &FakeEdit::focus_color);
        auto frame = recorded("FrameColor", &FakeEdit::frame_color);
        auto parent = recorded("ParentColor", &FakeEdit::parent_color);
        auto hot = recorded("FrameHotTrack", &FakeEdit::frame_hot_track);
        auto visible = recorded("FrameVisible", &FakeEdit::frame_visible);
        auto sides = recorded("FrameSides", &FakeEdit::frame_sides);
        auto style = recorded("FrameStyle", &FakeEdit::frame_style);
        PropBuilder<FakeEdit>(c)
            .color("Color", color.first, color.second, ui::clWindow)
            .color("FocusColor", focus.first, focus.second, ui::clWindow)
            .color("FrameColor", frame.first, frame.second, ui::clBtnShadow)
            .boolean("ParentColor", parent.first, parent.second)
            .boolean("FrameHotTrack", hot.first, hot.second)
            .boolean("FrameVisible", visible.first, visible.second)
            .set("FrameSides", "TSides", sides.first, sides.second, kAllSides)
            .enumeration("FrameStyle", style.first, style.second, TFrameStyle::fsFlat)
            .reference<FrameController>("FrameController", "TEcFrameController", &FakeEdit::controller,
                                        &FakeEdit::set_controller)
            .set("FrameControllerNotifications", "TEcFrameControllerNotifications", &FakeEdit::notifications,
                 &FakeEdit::set_notifications, TEcFrameControllerNotifications::from_bits(kAllFrameNotifications));
        return c;
    }();
    return info;
}

// A control that reads the settings itself.
class FakeLabel : public ui::Component, public FrameControllerLink {
    UI_CLASS_IDENTITY()
public:
    using Component::Component;
    void refresh_frame_from_controller() override { ++refreshes; }
    int refreshes = 0;
};

ClassInfo& FakeLabel::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TFakeLabel", &control_class());
        PropBuilder<FakeLabel>(c).color("Color", [](const FakeLabel&) { return ui::clWindow; },
                                        [](FakeLabel&, ui::TColor) { ADD_FAILURE() << "written by name"; }, ui::clWindow);
        return c;
    }();
    return info;
}

const std::vector<std::string> kFullPush = {"ParentColor", "Color", "FocusColor", "FrameColor", "FrameHotTrack",
                                            "FrameSides", "FrameStyle", "FrameVisible"};

class EcFrameController : public ::testing::Test {
protected:
    ui::Component form{nullptr};
    FrameController* controller = new FrameController(&form);
    FakeEdit* edit = new FakeEdit(&form);
};

TEST_F(EcFrameController, AttachPushesEverySettingAndAgainOnASecondSet) {
    controller->set_frame_color(ui::clRed);
    edit->set_controller(controller);
    EXPECT_EQ(edit->writes, kFullPush);
    EXPECT_EQ(edit->frame_color, ui::clRed);
    EXPECT_EQ(controller->linked_controls().size(), 1u);

    edit->writes.clear();
    edit->set_controller(controller);  // detached first, so the attach pushes again
    EXPECT_EQ(edit->writes, kFullPush);
    controller->attach_control(edit);  // already linked: nothing
    EXPECT_EQ(edit->writes, kFullPush);
    EXPECT_EQ(controller->linked_controls().size(), 1u);
}

TEST_F(EcFrameController, ParentColorKeepsColorAndMaskKeepsItToo) {
    controller->set_parent_color(true);
    edit->set_controller(controller);
    EXPECT_EQ(std::count(edit->writes.begin(), edit->writes.end(), "Color"), 0);
    EXPECT_TRUE(edit->parent_color);

    FakeEdit* own = new FakeEdit(&form);
    own->set_notifications(TEcFrameControllerNotifications::from_bits(kAllFrameNotifications)
                               .exclude(TEcFrameControllerProperty::fcpColor));
    own->color = ui::clYellow;
    own->set_controller(controller);
    controller->set_color(ui::clAqua);
    EXPECT_EQ(own->color, ui::clYellow);
    EXPECT_EQ(edit->color, ui::clAqua);
    EXPECT_FALSE(controller->parent_color());
}

TEST_F(EcFrameController, ControlsWithoutAPropertyOrNotControlsAreSkipped) {
    FakeLabel* label = new FakeLabel(&form);
    ui::Component* stranger = new ui::Component(&form);
    controller->attach_control(nullptr);
    controller->attach_control(stranger);
    controller->attach_control(label);
    EXPECT_EQ(controller->linked_controls(), (std::vector<ui::Component*>{label}));
    EXPECT_EQ(label->refreshes, 1);
    controller->set_frame_hot_color(ui::clLime);  // FakeEdit has no FrameHotColor either
    EXPECT_EQ(label->refreshes, 2);
    edit->set_controller(controller);
    edit->writes.clear();
    controller->set_frame_hot_color(ui::clRed);
    EXPECT_TRUE(edit->writes.empty());
}

TEST_F(EcFrameController, LockedSettersPushOnceOnUnlock) {
    edit->set_controller(controller);
    edit->writes.clear();
    controller->lock_updates();
    controller->lock_updates();
    controller->set_frame_style(TFrameStyle::fsGroove);
    controller->set_frame_color(ui::clNavy);
    controller->unlock_updates();
    EXPECT_TRUE(edit->writes.empty());
    controller->unlock_updates();
    EXPECT_EQ(edit->writes, kFullPush);
    EXPECT_EQ(edit->frame_style, TFrameStyle::fsGroove);
    controller->unlock_updates();  // below zero counts as zero
    edit->writes.clear();
    controller->set_frame_color(ui::clRed);
    EXPECT_EQ(edit->writes, (std::vector<std::string>{"FrameColor"}));
}

TEST_F(EcFrameController, SettersAndTheirFollowers) {
    edit->set_controller(controller);
    edit->writes.clear();
    controller->set_frame_color(controller->frame_color());  // unchanged: nothing
    EXPECT_TRUE(edit->writes.empty());

    controller->set_color(ui::clRed);  // FocusColor equalled Color: it follows
    EXPECT_EQ(controller->focus_color(), ui::clRed);
    EXPECT_EQ(edit->writes, (std::vector<std::string>{"FocusColor", "Color"}));
    controller->set_focus_color(ui::clBlue);
    edit->writes.clear();
    controller->set_color(ui::clGreen);
    EXPECT_EQ(controller->focus_color(), ui::clBlue);
    EXPECT_EQ(edit->writes, (std::vector<std::string>{"Color"}));

    controller->set_frame_sides(TSides{TSide::sdLeft});
    EXPECT_EQ(edit->frame_sides, TSides{TSide::sdLeft});
    edit->writes.clear();
    controller->set_frame_hot_track(true);
    EXPECT_TRUE(controller->frame_visible());
    EXPECT_EQ(controller->frame_sides(), kAllSides);  // without a push of its own
    EXPECT_EQ(edit->writes, (std::vector<std::string>{"FrameVisible", "FrameHotTrack"}));

    edit->writes.clear();
    controller->set_parent_color(true);
    controller->set_parent_color(false);
    EXPECT_EQ(edit->writes, (std::vector<std::string>{"ParentColor", "ParentColor", "Color"}));
}

TEST_F(EcFrameController, LoadingKeepsStoredSidesAndLoadedPushesOnce) {
    controller->set_state_flag(ui::TComponentStateFlag::csLoading, true);
    controller->set_frame_sides(TSides{TSide::sdTop});
    controller->set_frame_hot_track(true);
    EXPECT_EQ(controller->frame_sides(), TSides{TSide::sdTop});
    edit->set_controller(controller);
    edit->writes.clear();
    controller->loaded();
    EXPECT_EQ(edit->writes, kFullPush);
}

TEST_F(EcFrameController, AssignCopiesWithOnePush) {
    FrameController source(nullptr);
    source.set_frame_style(TFrameStyle::fsBump);
    source.set_color(ui::clMaroon);
    source.set_parent_color(true);
    edit->set_controller(controller);
    edit->writes.clear();
    controller->assign(source);
    EXPECT_EQ(controller->frame_style(), TFrameStyle::fsBump);
    EXPECT_EQ(controller->color(), ui::clMaroon);
    EXPECT_TRUE(controller->parent_color());
    EXPECT_EQ(edit->writes, (std::vector<std::string>{"ParentColor", "FocusColor", "FrameColor", "FrameHotTrack",
                                                       "FrameSides", "FrameStyle", "FrameVisible"}));
    EXPECT_THROW(controller->assign(*edit), ui::PropertyError);
}

TEST_F(EcFrameController, EitherSideMayGoFirst) {
    edit->set_controller(controller);
    delete controller;
    EXPECT_EQ(edit->controller(), nullptr);
    controller = new FrameController(&form);
    edit->set_controller(controller);
    delete edit;
    EXPECT_TRUE(controller->linked_controls().empty());
    controller->set_frame_color(ui::clRed);  // no write reaches freed memory
    edit = nullptr;
}

TEST_F(EcFrameController, RegIniFileReferenceClearsWhenFreed) {
    auto* store = new RegIniFile(&form);
    controller->set_reg_ini_file(store);
    EXPECT_TRUE(store->reopen_needed());
    delete store;
    EXPECT_EQ(controller->reg_ini_file(), nullptr);
}

} // namespace
