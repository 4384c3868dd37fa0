// Status panes: windowless framed captions, with a glyph strip or an image list, that size
// themselves to their caption, blink in step with every other blinking control and, at the
// right end of a status bar, leave the size grip's hits to the bar.
#pragma once
#include "controls/ec_common.h"
#include "controls/model/frame_controller.h"
#include "controls/model/status_geometry.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

class TEcStatusBar;

// A one-pixel frame whose corner pixels stay unpainted.
void paint_cut_corner_box(ui::Canvas& canvas, const ui::Rect& r, ui::TColor color);

class TEcCustomStatusPane : public ui::GraphicControl, public FrameControllerLink {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomStatusPane(ui::Component* owner);
    ~TEcCustomStatusPane() override;

    ui::TAlignment alignment() const { return alignment_; }
    void set_alignment(ui::TAlignment v) { store(alignment_, v); }
    // Stored; the layer has no hint actions to take captions from.
    bool auto_hint() const { return auto_hint_; }
    void set_auto_hint(bool v) { auto_hint_ = v; }
    bool blinking() const { return blinking_; }
    void set_blinking(bool v);
    ui::TColor blink_color() const { return blink_color_; }
    void set_blink_color(ui::TColor v) { store(blink_color_, v); }
    // Shared by every blinking control of the process.
    int blink_interval_on() const;
    void set_blink_interval_on(int ms);
    int blink_interval_off() const;
    void set_blink_interval_off(int ms);
    int border_width() const { return border_width_; }
    void set_border_width(int v) { store(border_width_, v); }
    int caption_offset() const { return caption_offset_; }
    void set_caption_offset(int v) { store_and_resize(caption_offset_, v); }
    int default_width() const { return default_width_; }
    void set_default_width(int v);
    ui::TColor fill_color() const { return fill_color_; }
    void set_fill_color(ui::TColor v);
    bool parent_fill_color() const { return parent_fill_color_; }
    void set_parent_fill_color(bool v);
    ui::TColor flat_color() const { return flat_color_; }
    void set_flat_color(ui::TColor v) { store(flat_color_, v); }
    int flat_color_adjustment() const { return flat_color_adjustment_; }
    void set_flat_color_adjustment(int v) { store(flat_color_adjustment_, v); }
    TFrameStyle frame_style() const { return frame_style_; }
    void set_frame_style(TFrameStyle v) { store(frame_style_, v); }
    FrameController* frame_controller() const { return frame_.controller(); }
    void set_frame_controller(FrameController* v) { frame_.set_controller(*this, v); }
    TEcFrameControllerNotifications frame_controller_notifications() const { return frame_.notifications(); }
    void set_frame_controller_notifications(TEcFrameControllerNotifications v) { frame_.set_notifications(v); }
    bool transparent() const { return transparent_; }
    void set_transparent(bool v);
    // The caption colour in use: the font's, or the blink colour in the blink-on phase.
    ui::TColor caption_color() const { return caption_color_; }

    void refresh_frame_from_controller() override;
    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    bool can_auto_size(int& width, int& height) override;
    void font_changed() override;
    void color_changed() override;
    void loaded() override;
    void notification(ui::Component* component, ui::TOperation operation) override;

    // What a glyph pane shows beside the caption; a plain pane shows none.
    virtual PaneGlyph glyph() const { return {}; }
    virtual void draw_glyph(ui::Canvas& /*canvas*/) {}
    PaneMetrics metrics() const;
    ui::Rect caption_rect() const { return status_caption_rect(client_rect(), metrics(), glyph()); }
    // On a status bar drawn by the desktop's visual style.
    bool themed() const;
    TEcStatusBar* status_bar() const;

    template <class T>
    void store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
    }
    template <class T>
    void store_and_resize(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
        adjust_size();
    }

private:
    void draw_frame(ui::Canvas& canvas, ui::Rect r);
    void draw_caption(ui::Canvas& canvas);
    void follow_color();
    bool hands_hit_to_grip(int x, int y) const;

    ui::TAlignment alignment_ = ui::TAlignment::taLeftJustify;
    bool auto_hint_ = false;
    bool blinking_ = false;
    ui::TColor blink_color_ = ui::clHighlight;
    int border_width_ = 1;
    int caption_offset_ = 2;
    int default_width_ = 40;
    ui::TColor fill_color_ = ui::clBtnFace;
    bool parent_fill_color_ = true;
    ui::TColor flat_color_ = ui::clBtnShadow;
    int flat_color_adjustment_ = 30;
    TFrameStyle frame_style_ = TFrameStyle::fsFlat;
    bool transparent_ = true;
    ui::TColor normal_color_;
    ui::TColor caption_color_;
    FrameControllerUser frame_;
};

class TEcCustomGlyphStatus : public TEcCustomStatusPane {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomGlyphStatus(ui::Component* owner);
    ~TEcCustomGlyphStatus() override;

    ui::Bitmap& glyph_bitmap() { return glyph_; }
    // Takes a copy; a strip whose width is a whole multiple of its height sets NumGlyphs.
    void set_glyph(const ui::Bitmap& source) { glyph_.assign(source); }
    int num_glyphs() const { return num_glyphs_; }
    void set_num_glyphs(int v);
    TGlyphAlignment glyph_alignment() const { return glyph_alignment_; }
    void set_glyph_alignment(TGlyphAlignment v) { store(glyph_alignment_, v); }
    int glyph_offset() const { return glyph_offset_; }
    void set_glyph_offset(int v) { store_and_resize(glyph_offset_, v); }
    bool show_glyph() const { return show_glyph_; }
    void set_show_glyph(bool v) { store_and_resize(show_glyph_, v); }
    ui::ImageList* images() const { return images_.list(); }
    void set_images(ui::ImageList* list);
    int image_index() const { return image_index_; }
    void set_image_index(int v) { store(image_index_, v); }
    int disabled_index() const { return disabled_index_; }
    void set_disabled_index(int v) { store(disabled_index_, v); }

protected:
    PaneGlyph glyph() const override;
    void draw_glyph(ui::Canvas& canvas) override;
    void notification(ui::Component* component, ui::TOperation operation) override;

private:
    bool uses_image() const { return images_ && image_index_ != -1; }

    ui::Bitmap glyph_;
    int num_glyphs_ = 1;
    TGlyphAlignment glyph_alignment_ = TGlyphAlignment::gaLeft;
    int glyph_offset_ = 2;
    bool show_glyph_ = true;
    ui::ImageListLink images_{*this, [this](ui::ImageList&) {
        invalidate();
        adjust_size();
    }};
    int image_index_ = -1, disabled_index_ = -1;
};

class TEcGlyphStatus : public TEcCustomGlyphStatus {
    UI_CLASS_IDENTITY()
public:
    explicit TEcGlyphStatus(ui::Component* owner) : TEcCustomGlyphStatus(owner) {}
};

} // namespace ec
