// The frame and state colours the list controls share: the settings, the colour a state shows,
// the frame drawn into the non-client area, and their published properties (written also by a
// frame controller through the same names; each not stored while a controller supplies it).
#pragma once
#include "controls/ec_common.h"
#include "controls/model/frame_controller.h"
#include "platform/ui/persistent.h"
#include "platform/ui/text_util.h"

namespace ec {

struct FrameLook {
    ui::TColor disabled_color = ui::clBtnFace;
    ui::TColor focus_color = ui::clWindow;
    ui::TColor normal_color = ui::clWindow;
    ui::TColor frame_color = ui::clBtnShadow;
    ui::TColor frame_hot_color = ui::clBtnShadow;
    bool frame_hot_track = false;
    TFrameStyle frame_hot_style = TFrameStyle::fsFlatBold;
    TSides frame_sides = kAllSides;
    TFrameStyle frame_style = TFrameStyle::fsFlat;
    bool frame_visible = false;
    TFramingPreference framing_preference = TFramingPreference::fpXPThemes;
    FrameControllerUser controller;

    bool platform_framing() const {
        return framing_preference == TFramingPreference::fpXPThemes && themes_active();
    }
    bool custom_frame_shown() const { return frame_visible && !platform_framing(); }
    ui::TColor state_color(bool enabled, bool focused) const {
        if (!enabled) return disabled_color;
        return focused ? focus_color : normal_color;
    }
    // Paints the frame over the window's border; `hot` when focused or under the mouse.
    void paint_frame(HWND window, ui::TColor color, bool hot) const;
    bool supplied(TEcFrameControllerProperty property) const {
        return controller.controller() != nullptr && controller.notifications().has(property);
    }
};

// The part of a list control over the layer's class Base that keeps its frame look: it forgets a
// frame controller that goes away, repaints when the look changes and shows the colour of the
// state it is in. A control that colours or repaints otherwise overrides state_color() or
// repaint_frame().
template <class Base>
class FramedControl : public Base {
public:
    using Base::Base;

    FrameLook& frame_look() { return frame_; }
    const FrameLook& frame_look() const { return frame_; }
    void frame_look_changed(bool recolour) {
        if (recolour) update_color();
        if (this->handle_allocated() && !this->loading()) repaint_frame();
    }

protected:
    void notification(ui::Component* c, ui::TOperation op) override {
        Base::notification(c, op);
        if (op == ui::TOperation::opRemove) frame_.controller.forget(c);
    }
    virtual void update_color() {
        if (this->loading() || updating_colour_) return;
        updating_colour_ = true;
        this->set_color(state_color());
        updating_colour_ = false;
    }
    virtual ui::TColor state_color() const { return frame_.state_color(this->enabled(), focused_); }
    virtual void repaint_frame() {
        RedrawWindow(this->handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    }

    FrameLook frame_;
    bool focused_ = false, over_ = false;
    // Set while the control sets its own colour, so that the change is not taken as a new normal
    // colour.
    bool updating_colour_ = false;
};

// C offers frame_look() and frame_look_changed(bool recolour), which repaints the frame (and
// first recomputes the colour when asked).
template <class C>
void publish_frame_look(ui::PropBuilder<C>& b) {
    using P = TEcFrameControllerProperty;
    auto colour = [&b](const char* name, ui::TColor FrameLook::*field, ui::TColor def, P property, bool recolour) {
        b.color(name, [field](const C& c) { return c.frame_look().*field; },
                [field, recolour](C& c, ui::TColor v) {
                    c.frame_look().*field = v;
                    c.frame_look_changed(recolour);
                },
                def)
            .stored([property](const C& c) { return !c.frame_look().supplied(property); });
    };
    auto style = [&b](const char* name, TFrameStyle FrameLook::*field, TFrameStyle def, P property) {
        b.enumeration(name, [field](const C& c) { return c.frame_look().*field; },
                      [field](C& c, TFrameStyle v) {
                          c.frame_look().*field = v;
                          c.frame_look_changed(false);
                      },
                      def)
            .stored([property](const C& c) { return !c.frame_look().supplied(property); });
    };
    // The colour shown changes with the state; a description keeps the normal one, so that
    // reading it back never turns a read-only or focus colour into the normal colour.
    b.color("Color", [](const C& c) { return c.frame_look().normal_color; },
            [](C& c, ui::TColor v) { c.set_color(v); }, ui::clWindow)
        .stored([](const C& c) { return !c.parent_color() && !c.frame_look().supplied(P::fcpColor); });
    colour("DisabledColor", &FrameLook::disabled_color, ui::clBtnFace, P::fcpDisabledColor, true);
    colour("FocusColor", &FrameLook::focus_color, ui::clWindow, P::fcpFocusColor, true);
    colour("FrameColor", &FrameLook::frame_color, ui::clBtnShadow, P::fcpFrameColor, false);
    colour("FrameHotColor", &FrameLook::frame_hot_color, ui::clBtnShadow, P::fcpFrameHotColor, false);
    style("FrameHotStyle", &FrameLook::frame_hot_style, TFrameStyle::fsFlatBold, P::fcpFrameHotStyle);
    style("FrameStyle", &FrameLook::frame_style, TFrameStyle::fsFlat, P::fcpFrameStyle);
    b.boolean("FrameHotTrack", [](const C& c) { return c.frame_look().frame_hot_track; },
              [](C& c, bool v) {
                  FrameLook& f = c.frame_look();
                  f.frame_hot_track = v;
                  if (v) {
                      f.frame_visible = true;
                      if (!c.loading()) f.frame_sides = kAllSides;
                  }
                  c.frame_look_changed(false);
              })
        .stored([](const C& c) { return !c.frame_look().supplied(P::fcpFrameHotTrack); });
    b.template set<TSide>("FrameSides", "TSides", [](const C& c) { return c.frame_look().frame_sides; },
                          [](C& c, TSides v) {
                              c.frame_look().frame_sides = v;
                              c.frame_look_changed(false);
                          },
                          kAllSides)
        .stored([](const C& c) { return !c.frame_look().supplied(P::fcpFrameSides); });
    b.boolean("FrameVisible", [](const C& c) { return c.frame_look().frame_visible; },
              [](C& c, bool v) {
                  c.frame_look().frame_visible = v;
                  c.frame_look_changed(false);
              })
        .stored([](const C& c) { return !c.frame_look().supplied(P::fcpFrameVisible); });
    b.enumeration("FramingPreference", [](const C& c) { return c.frame_look().framing_preference; },
                  [](C& c, TFramingPreference v) {
                      c.frame_look().framing_preference = v;
                      c.frame_look_changed(false);
                  },
                  TFramingPreference::fpXPThemes)
        .stored([](const C& c) { return !c.frame_look().supplied(P::fcpFramingPreference); });
    b.template reference<FrameController>(
        "FrameController", "TEcFrameController", [](const C& c) { return c.frame_look().controller.controller(); },
        [](C& c, FrameController* v) { c.frame_look().controller.set_controller(c, v); });
    b.template set<TEcFrameControllerProperty>(
        "FrameControllerNotifications", "TEcFrameControllerNotifications",
        [](const C& c) { return c.frame_look().controller.notifications(); },
        [](C& c, TEcFrameControllerNotifications v) { c.frame_look().controller.set_notifications(v); },
        TEcFrameControllerNotifications::from_bits(kAllFrameNotifications));
    // Names of older descriptions.
    b.obsolete("FrameFlat", ui::ObsoleteValue::Boolean, [](C& c, const ui::DescValue& v) {
        FrameLook& f = c.frame_look();
        f.frame_hot_track = ui::same_text(v.text, "True");
        if (!f.frame_hot_track) return;
        f.frame_visible = true;
        f.frame_style = TFrameStyle::fsStatus;
        f.frame_hot_style = TFrameStyle::fsLowered;
    });
    b.obsolete("FrameFocusStyle", ui::ObsoleteValue::Identifier, [](C& c, const ui::DescValue& v) {
        // A name that is no frame style keeps the hot style as it was.
        if (auto style = enum_info(TFrameStyle{}).value_of(v.text))
            c.frame_look().frame_hot_style = static_cast<TFrameStyle>(*style);
    });
    b.obsolete("FrameFlatStyle", ui::ObsoleteValue::Identifier);
}

} // namespace ec
