// Drawing: GDI objects held by RAII, canvases over any device context, 32-bit DIB-section
// bitmaps, regions and icons. Texts are GBK and drawn through the W API.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/align_layout.h"
#include "platform/ui/font.h"
#include "platform/ui/persistent.h"

namespace ui {

// The GDI objects and memory DCs this layer made and let go of (deleted, or handed to the
// system). Windows reports a process's GDI count; Wine does not, so leak checks read this.
struct GdiTally {
    long long created = 0;
    long long released = 0;
    long long live() const { return created - released; }
};
GdiTally gdi_tally();
void tally_gdi_created();
void tally_gdi_released();

// Owns one GDI object and deletes it.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {
        if (h_) tally_gdi_created();
    }
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H release() {
        H h = h_;
        if (h_) tally_gdi_released();
        h_ = nullptr;
        return h;
    }
    void reset(H h = nullptr) {
        if (h_) {
            DeleteObject(h_);
            tally_gdi_released();
        }
        if (h) tally_gdi_created();
        h_ = h;
    }

private:
    H h_ = nullptr;
};

// A memory DC compatible with the screen, deleted with the object.
class MemoryDC {
public:
    MemoryDC();
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A DC taken from a window and given back (ReleaseDC) with the object.
class WindowDCBase {
public:
    ~WindowDCBase() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDCBase(const WindowDCBase&) = delete;
    WindowDCBase& operator=(const WindowDCBase&) = delete;
    HDC get() const { return dc_; }

protected:
    WindowDCBase(HWND window, HDC dc) : window_(window), dc_(dc) {}

private:
    HWND window_;
    HDC dc_;
};

// The client area of a window (of the screen for no window).
class ClientDC : public WindowDCBase {
public:
    explicit ClientDC(HWND window) : WindowDCBase(window, GetDC(window)) {}
};

// The whole window, frame included.
class WindowDC : public WindowDCBase {
public:
    explicit WindowDC(HWND window) : WindowDCBase(window, GetWindowDC(window)) {}
};

// One WM_PAINT: BeginPaint now, EndPaint on scope exit (which also shows the caret again), so
// a painter that throws cannot leave the DC taken or the caret hidden.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC get() const { return dc_; }
    const RECT& paint_rect() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Restores a DC's state on scope exit.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDC() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int id_;
};

RECT to_rect(const Rect& r);
Rect from_rect(const RECT& r);
GdiObject<HFONT> create_font(const Font& font);
COLORREF to_colorref(TColor color);

UI_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
UI_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
        pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
UI_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)

class Bitmap;

class Pen : public Persistent {
    UI_CLASS_IDENTITY()
public:
    TColor color = clBlack;
    int width = 1;
    TPenStyle style = TPenStyle::psSolid;
    TPenMode mode = TPenMode::pmCopy;
};

class Brush : public Persistent {
    UI_CLASS_IDENTITY()
public:
    TColor color = clWhite;
    TBrushStyle style = TBrushStyle::bsSolid;
    // An 8 x 8 (or larger) pattern instead of the colour; not owned.
    Bitmap* bitmap = nullptr;
};

// Drawing on a device context. The pen, brush and font are selected as drawing needs them and
// the DC's own objects are put back when the canvas lets go of it. The canvas keeps the last few
// objects of each kind (for the next call and the next DC) and makes one only for a value it
// does not hold.
class Canvas : public Persistent {
    UI_CLASS_IDENTITY()
public:
    Canvas() = default;
    explicit Canvas(HDC dc) { set_handle(dc); }
    ~Canvas() override { set_handle(nullptr); }

    HDC handle() const { return dc_; }
    void set_handle(HDC dc);
    // Pen, brush and copy mode as a new canvas has them; the objects made so far are kept.
    void reset_values();
    Font& font() { return font_; }
    Pen& pen() { return pen_; }
    Brush& brush() { return brush_; }

    void move_to(int x, int y);
    void line_to(int x, int y);
    POINT pen_pos() const;
    void rectangle(int l, int t, int r, int b);
    void rectangle(const Rect& r) { rectangle(r.left, r.top, r.right, r.bottom); }
    void round_rect(int l, int t, int r, int b, int w, int h);
    void ellipse(int l, int t, int r, int b);
    void fill_rect(const Rect& r);
    void frame_rect(const Rect& r);
    void polygon(const std::vector<POINT>& points);
    void polyline(const std::vector<POINT>& points);
    void draw_focus_rect(const Rect& r);
    std::uint32_t pixel(int x, int y) const;  // 0x00BBGGRR; CLR_INVALID outside
    void set_pixel(int x, int y, TColor c);

    // GBK text, in the canvas font; the background filled with the brush unless it is clear.
    void text_out(int x, int y, std::string_view text);
    void text_rect(const Rect& r, int x, int y, std::string_view text);
    SIZE text_extent(std::string_view text);
    int text_width(std::string_view text) { return text_extent(text).cx; }
    int text_height(std::string_view text) { return text_extent(text).cy; }
    int draw_text(std::string_view text, Rect& r, UINT format);

    void draw(int x, int y, const Bitmap& bitmap);
    void stretch_draw(const Rect& dest, const Bitmap& bitmap);
    void copy_rect(const Rect& dest, const Canvas& source, const Rect& src);
    DWORD copy_mode = SRCCOPY;
    // Copies `src` of `bitmap` to `dest`, leaving pixels of `transparent` out.
    void brush_copy(const Rect& dest, const Bitmap& bitmap, const Rect& src, TColor transparent);
    Rect clip_rect() const;

    void lock() { ++lock_count_; }
    void unlock() {
        if (lock_count_ > 0) --lock_count_;
    }
    bool locked() const { return lock_count_ > 0; }

private:
    // The values the kept objects were made from.
    struct PenValues {
        TPenStyle style;
        int width;
        TColor color;
        bool operator==(const PenValues& o) const { return style == o.style && width == o.width && color == o.color; }
    };
    struct BrushValues {
        TBrushStyle style;
        TColor color;
        bool operator==(const BrushValues& o) const { return style == o.style && color == o.color; }
    };
    struct FontValues {
        std::string name;
        int height;
        TFontStyles style;
        int charset;
        TFontPitch pitch;
        bool operator==(const FontValues& o) const {
            return name == o.name && height == o.height && style == o.style && charset == o.charset && pitch == o.pitch;
        }
    };

    // The last few objects made, most recently used first. The object in use is always the
    // first, so the one dropped for a new value is never selected.
    template <class H, class Values>
    class Kept {
    public:
        H find(const Values& values);
        H keep(const Values& values, GdiObject<H> object);

    private:
        std::vector<std::pair<Values, GdiObject<H>>> items_;
    };

    void require_pen();
    void require_brush();
    void require_font();
    // Selects `object` unless the DC holds it already; the first object replaced is the DC's own.
    void select(HGDIOBJ object, int type, HGDIOBJ& original);
    void deselect_objects();

    HDC dc_ = nullptr;
    Font font_;
    Pen pen_;
    Brush brush_;
    Kept<HPEN, PenValues> pens_;
    Kept<HBRUSH, BrushValues> brushes_;
    Kept<HFONT, FontValues> fonts_;
    // A pattern's pixels may change under the same handle, so its brush is made for each call.
    GdiObject<HBRUSH> pattern_brush_;
    HBRUSH current_brush_ = nullptr;  // nullptr for a clear brush
    HGDIOBJ old_pen_ = nullptr, old_brush_ = nullptr, old_font_ = nullptr;
    int lock_count_ = 0;
};

// Lends a canvas to a DC for one scope, starting from a control's font and colour with fresh
// pen and brush values; the DC gets its own objects back at the end, the canvas keeps what it
// made for the next paint.
class CanvasScope {
public:
    CanvasScope(Canvas& canvas, HDC dc, const Font& font, TColor color);
    ~CanvasScope() { canvas_.set_handle(previous_); }
    CanvasScope(const CanvasScope&) = delete;
    CanvasScope& operator=(const CanvasScope&) = delete;
    Canvas& canvas() const { return canvas_; }

private:
    Canvas& canvas_;
    HDC previous_;
};

// A 32-bit top-down DIB section with its own memory DC and canvas.
class Bitmap : public Persistent {
    UI_CLASS_IDENTITY()
public:
    Bitmap() = default;
    Bitmap(int width, int height) { set_size(width, height); }
    ~Bitmap() override;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    void set_size(int width, int height);
    HBITMAP handle() const { return bitmap_.get(); }
    // A new DIB section with the same pixels, selected into no DC; the caller owns it.
    HBITMAP copy_handle() const;
    HDC dc() const { return dc_; }
    Canvas& canvas();
    // Pixels as B, G, R, A; nullptr when empty.
    std::uint32_t* scan_line(int y);
    const std::uint32_t* scan_line(int y) const;
    std::uint32_t pixel(int x, int y) const;  // 0x00BBGGRR

    // Copies a device-dependent or device-independent bitmap into this one.
    void assign_handle(HBITMAP source);
    bool load_from_resource(HINSTANCE instance, const wchar_t* name);
    bool load_from_bmp(const std::vector<std::uint8_t>& bytes);
    void assign(const Persistent& source) override;

    bool transparent = false;
    // The colour left out by transparent drawing; clDefault takes the bottom-left pixel.
    TColor transparent_color = clDefault;
    TColor effective_transparent_color() const;

    // PNG of the pixels (opaque).
    std::vector<std::uint8_t> to_png() const;

    std::function<void(Bitmap&)> on_change;

private:
    void release();
    int width_ = 0, height_ = 0;
    std::uint32_t* bits_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ old_bitmap_ = nullptr;
    std::unique_ptr<Canvas> canvas_;
};

class Region {
public:
    Region() = default;
    explicit Region(HRGN r) : r_(r) {}
    static Region rectangle(const Rect& r) { return Region(CreateRectRgn(r.left, r.top, r.right, r.bottom)); }
    HRGN get() const { return r_.get(); }
    HRGN release() { return r_.release(); }
    bool contains(int x, int y) const { return r_ && PtInRegion(r_.get(), x, y); }

private:
    GdiObject<HRGN> r_;
};

class Icon {
public:
    Icon() = default;
    explicit Icon(HICON h) : h_(h) {}
    ~Icon() {
        if (h_) DestroyIcon(h_);
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;
    HICON get() const { return h_; }

private:
    HICON h_ = nullptr;
};

// Checker pattern brush (8 x 8) of two colours.
GdiObject<HBRUSH> create_checker_brush(TColor a, TColor b);

} // namespace ui
