#include "platform/ui/win/graphics.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>

#include "platform/text_gbk.h"
#include "platform/ui/png_writer.h"

namespace ui {

namespace {

// The window thread paints, but bitmaps are made on other threads too.
std::atomic<long long> g_gdi_created{0}, g_gdi_released{0};

HDC create_memory_dc() {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc) tally_gdi_created();
    return dc;
}

void delete_memory_dc(HDC dc) {
    DeleteDC(dc);
    tally_gdi_released();
}

} // namespace

GdiTally gdi_tally() { return GdiTally{g_gdi_created.load(), g_gdi_released.load()}; }
void tally_gdi_created() { g_gdi_created.fetch_add(1, std::memory_order_relaxed); }
void tally_gdi_released() { g_gdi_released.fetch_add(1, std::memory_order_relaxed); }

MemoryDC::MemoryDC() : dc_(create_memory_dc()) {}
MemoryDC::~MemoryDC() {
    if (dc_) delete_memory_dc(dc_);
}

RECT to_rect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect from_rect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

COLORREF to_colorref(TColor color) { return static_cast<COLORREF>(color_to_rgb(color)); }

GdiObject<HFONT> create_font(const Font& font) {
    LOGFONTW lf{};
    lf.lfHeight = font.height();
    lf.lfWeight = font.style().has(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.style().has(TFontStyle::fsItalic);
    lf.lfUnderline = font.style().has(TFontStyle::fsUnderline);
    lf.lfStrikeOut = font.style().has(TFontStyle::fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(font.charset());
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = font.pitch() == TFontPitch::fpFixed ? FIXED_PITCH
                          : font.pitch() == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                   : DEFAULT_PITCH;
    std::wstring face = plat::gbk_to_wide(font.name());
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return GdiObject<HFONT>(CreateFontIndirectW(&lf));
}

GdiObject<HBRUSH> create_checker_brush(TColor a, TColor b) {
    Bitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            std::uint32_t c = color_to_rgb(((x + y) & 1) ? b : a);
            // DIB pixels are B G R: swap from 0x00BBGGRR.
            pattern.scan_line(y)[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    return GdiObject<HBRUSH>(CreatePatternBrush(pattern.handle()));
}

ClassInfo& Pen::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TPen", &Persistent::static_class());
        PropBuilder<Pen>(c)
            .color("Color", [](const Pen& p) { return p.color; }, [](Pen& p, TColor v) { p.color = v; }, clBlack)
            .enumeration("Mode", [](const Pen& p) { return p.mode; }, [](Pen& p, TPenMode v) { p.mode = v; }, TPenMode::pmCopy)
            .enumeration("Style", [](const Pen& p) { return p.style; }, [](Pen& p, TPenStyle v) { p.style = v; },
                         TPenStyle::psSolid)
            .integer("Width", [](const Pen& p) { return p.width; }, [](Pen& p, int v) { p.width = v; }, 1);
        return c;
    }();
    return info;
}

ClassInfo& Brush::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TBrush", &Persistent::static_class());
        PropBuilder<Brush>(c)
            .color("Color", [](const Brush& b) { return b.color; }, [](Brush& b, TColor v) { b.color = v; }, clWhite)
            .enumeration("Style", [](const Brush& b) { return b.style; }, [](Brush& b, TBrushStyle v) { b.style = v; },
                         TBrushStyle::bsSolid);
        return c;
    }();
    return info;
}

ClassInfo& Canvas::static_class() {
    static ClassInfo info("TCanvas", &Persistent::static_class());
    return info;
}

void Canvas::set_handle(HDC dc) {
    if (dc == dc_) return;
    deselect_objects();
    dc_ = dc;
}

void Canvas::reset_values() {
    pen_.color = clBlack;
    pen_.width = 1;
    pen_.style = TPenStyle::psSolid;
    pen_.mode = TPenMode::pmCopy;
    brush_.color = clWhite;
    brush_.style = TBrushStyle::bsSolid;
    brush_.bitmap = nullptr;
    copy_mode = SRCCOPY;
}

void Canvas::deselect_objects() {
    if (dc_) {
        if (old_pen_) SelectObject(dc_, old_pen_);
        if (old_brush_) SelectObject(dc_, old_brush_);
        if (old_font_) SelectObject(dc_, old_font_);
    }
    old_pen_ = old_brush_ = old_font_ = nullptr;
}

// The DC is asked what it holds rather than trusted to hold what was selected last: a painter
// may restore a saved state or select objects of its own in between.
void Canvas::select(HGDIOBJ object, int type, HGDIOBJ& original) {
    if (GetCurrentObject(dc_, static_cast<UINT>(type)) == object) return;
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!original) original = previous;
}

template <class H, class Values>
H Canvas::Kept<H, Values>::find(const Values& values) {
    auto it = std::find_if(items_.begin(), items_.end(), [&values](const auto& item) { return item.first == values; });
    if (it == items_.end()) return nullptr;
    std::rotate(items_.begin(), it, it + 1);
    return items_.front().second.get();
}

template <class H, class Values>
H Canvas::Kept<H, Values>::keep(const Values& values, GdiObject<H> object) {
    constexpr std::size_t kMost = 8;
    H h = object.get();
    if (!h) return nullptr;
    items_.emplace(items_.begin(), values, std::move(object));
    if (items_.size() > kMost) items_.pop_back();
    return h;
}

void Canvas::require_pen() {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    const PenValues wanted{pen_.style, pen_.width, pen_.color};
    HPEN pen = pens_.find(wanted);
    if (!pen)
        pen = pens_.keep(wanted, GdiObject<HPEN>(CreatePen(styles[static_cast<int>(pen_.style)], pen_.width,
                                                             to_colorref(pen_.color))));
    if (pen) select(pen, OBJ_PEN, old_pen_);
    static const int modes[] = {R2_BLACK,       R2_WHITE,       R2_NOP,        R2_NOT,        R2_COPYPEN,   R2_NOTCOPYPEN,
                                R2_MERGEPENNOT, R2_MASKPENNOT,  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,  R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
    static_assert(std::size(modes) == 16);
    SetROP2(dc_, modes[static_cast<int>(pen_.mode)]);
}

void Canvas::require_brush() {
    if (brush_.bitmap && brush_.bitmap->handle()) {
        GdiObject<HBRUSH> pattern(CreatePatternBrush(brush_.bitmap->handle()));
        current_brush_ = pattern.get();
        select(current_brush_ ? current_brush_ : GetStockObject(NULL_BRUSH), OBJ_BRUSH, old_brush_);
        pattern_brush_ = std::move(pattern);  // the one before is no longer selected
    } else if (brush_.style == TBrushStyle::bsClear) {
        current_brush_ = nullptr;
        select(GetStockObject(NULL_BRUSH), OBJ_BRUSH, old_brush_);
    } else {
        const BrushValues wanted{brush_.style, brush_.color};
        current_brush_ = brushes_.find(wanted);
        if (!current_brush_) {
            static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            const COLORREF color = to_colorref(brush_.color);
            current_brush_ = brushes_.keep(wanted, GdiObject<HBRUSH>(brush_.style == TBrushStyle::bsSolid
                                                                         ? CreateSolidBrush(color)
                                                                         : CreateHatchBrush(hatches[static_cast<int>(brush_.style)], color)));
        }
        if (current_brush_) select(current_brush_, OBJ_BRUSH, old_brush_);
    }
    SetBkColor(dc_, to_colorref(brush_.color));
    SetBkMode(dc_, brush_.style == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

void Canvas::require_font() {
    FontValues wanted{font_.name(), font_.height(), font_.style(), font_.charset(), font_.pitch()};
    HFONT font = fonts_.find(wanted);
    if (!font) font = fonts_.keep(wanted, create_font(font_));
    if (font) select(font, OBJ_FONT, old_font_);
    SetTextColor(dc_, to_colorref(font_.color()));
}

CanvasScope::CanvasScope(Canvas& canvas, HDC dc, const Font& font, TColor color) : canvas_(canvas), previous_(canvas.handle()) {
    canvas.set_handle(dc);
    canvas.reset_values();
    canvas.font().assign(font);
    canvas.brush().color = color;
}

void Canvas::move_to(int x, int y) {
    if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void Canvas::line_to(int x, int y) {
    if (!dc_) return;
    require_pen();
    LineTo(dc_, x, y);
}

POINT Canvas::pen_pos() const {
    POINT p{};
    if (dc_) GetCurrentPositionEx(dc_, &p);
    return p;
}

void Canvas::rectangle(int l, int t, int r, int b) {
    if (!dc_) return;
    require_pen();
    require_brush();
    Rectangle(dc_, l, t, r, b);
}

void Canvas::round_rect(int l, int t, int r, int b, int w, int h) {
    if (!dc_) return;
    require_pen();
    require_brush();
    RoundRect(dc_, l, t, r, b, w, h);
}

void Canvas::ellipse(int l, int t, int r, int b) {
    if (!dc_) return;
    require_pen();
    require_brush();
    Ellipse(dc_, l, t, r, b);
}

void Canvas::fill_rect(const Rect& r) {
    if (!dc_) return;
    require_brush();
    RECT rc = to_rect(r);
    if (current_brush_) FillRect(dc_, &rc, current_brush_);
}

void Canvas::frame_rect(const Rect& r) {
    if (!dc_) return;
    require_brush();
    RECT rc = to_rect(r);
    if (current_brush_) FrameRect(dc_, &rc, current_brush_);
}

void Canvas::polygon(const std::vector<POINT>& points) {
    if (!dc_ || points.empty()) return;
    require_pen();
    require_brush();
    Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void Canvas::polyline(const std::vector<POINT>& points) {
    if (!dc_ || points.empty()) return;
    require_pen();
    Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void Canvas::draw_focus_rect(const Rect& r) {
    if (!dc_) return;
    RECT rc = to_rect(r);
    DrawFocusRect(dc_, &rc);
}

std::uint32_t Canvas::pixel(int x, int y) const { return dc_ ? GetPixel(dc_, x, y) : CLR_INVALID; }

void Canvas::set_pixel(int x, int y, TColor c) {
    if (dc_) SetPixelV(dc_, x, y, to_colorref(c));
}

void Canvas::text_out(int x, int y, std::string_view text) {
    if (!dc_) return;
    require_font();
    require_brush();
    std::wstring w = plat::gbk_to_wide(text);
    TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

void Canvas::text_rect(const Rect& r, int x, int y, std::string_view text) {
    if (!dc_) return;
    require_font();
    require_brush();
    std::wstring w = plat::gbk_to_wide(text);
    RECT rc = to_rect(r);
    UINT options = ETO_CLIPPED | (brush_.style == TBrushStyle::bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutW(dc_, x, y, options, &rc, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

SIZE Canvas::text_extent(std::string_view text) {
    SIZE s{};
    if (!dc_) return s;
    require_font();
    std::wstring w = plat::gbk_to_wide(text);
    GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
    return s;
}

int Canvas::draw_text(std::string_view text, Rect& r, UINT format) {
    if (!dc_) return 0;
    require_font();
    require_brush();
    std::wstring w = plat::gbk_to_wide(text);
    RECT rc = to_rect(r);
    int h = DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, format);
    r = from_rect(rc);
    return h;
}

void Canvas::draw(int x, int y, const Bitmap& bitmap) {
    if (!dc_ || bitmap.empty()) return;
    if (bitmap.transparent) {
        brush_copy({x, y, x + bitmap.width(), y + bitmap.height()}, bitmap, {0, 0, bitmap.width(), bitmap.height()},
                   bitmap.effective_transparent_color());
        return;
    }
    BitBlt(dc_, x, y, bitmap.width(), bitmap.height(), bitmap.dc(), 0, 0, copy_mode);
}

void Canvas::stretch_draw(const Rect& dest, const Bitmap& bitmap) {
    if (!dc_ || bitmap.empty()) return;
    if (bitmap.transparent) {
        brush_copy(dest, bitmap, {0, 0, bitmap.width(), bitmap.height()}, bitmap.effective_transparent_color());
        return;
    }
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.width(), dest.height(), bitmap.dc(), 0, 0, bitmap.width(), bitmap.height(),
               copy_mode);
}

void Canvas::copy_rect(const Rect& dest, const Canvas& source, const Rect& src) {
    if (!dc_ || !source.dc_) return;
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.width(), dest.height(), source.dc_, src.left, src.top, src.width(),
               src.height(), copy_mode);
}

void Canvas::brush_copy(const Rect& dest, const Bitmap& bitmap, const Rect& src, TColor transparent) {
    if (!dc_ || bitmap.empty()) return;
    TransparentBlt(dc_, dest.left, dest.top, dest.width(), dest.height(), bitmap.dc(), src.left, src.top, src.width(),
                   src.height(), to_colorref(transparent));
}

Rect Canvas::clip_rect() const {
    RECT r{};
    if (dc_) GetClipBox(dc_, &r);
    return from_rect(r);
}

ClassInfo& Bitmap::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TBitmap", &Persistent::static_class());
        PropBuilder<Bitmap>(c)
            .boolean("Transparent", [](const Bitmap& b) { return b.transparent; }, [](Bitmap& b, bool v) { b.transparent = v; })
            .color("TransparentColor", [](const Bitmap& b) { return b.transparent_color; },
                   [](Bitmap& b, TColor v) { b.transparent_color = v; }, clDefault)
            .binary("Data", "TBitmapData", [](Bitmap& b, const std::vector<std::uint8_t>& v) { b.load_from_bmp(v); });
        return c;
    }();
    return info;
}

Bitmap::~Bitmap() { release(); }

void Bitmap::release() {
    canvas_.reset();
    if (dc_) {
        if (old_bitmap_) SelectObject(dc_, old_bitmap_);
        delete_memory_dc(dc_);
    }
    dc_ = nullptr;
    old_bitmap_ = nullptr;
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

void Bitmap::set_size(int width, int height) {
    if (width == width_ && height == height_) return;
    release();
    if (width <= 0 || height <= 0) {
        // Emptied: whoever shows the picture must hear of it too.
        if (on_change) on_change(*this);
        return;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) return;
    bitmap_.reset(bmp);
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0xFF, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    dc_ = create_memory_dc();
    old_bitmap_ = SelectObject(dc_, bmp);
    if (on_change) on_change(*this);
}

Canvas& Bitmap::canvas() {
    if (!canvas_) canvas_ = std::make_unique<Canvas>(dc_);
    else canvas_->set_handle(dc_);
    return *canvas_;
}

HBITMAP Bitmap::copy_handle() const {
    if (empty()) return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) return nullptr;
    GdiFlush();
    std::memcpy(bits, bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
    return bmp;
}

std::uint32_t* Bitmap::scan_line(int y) {
    if (!bits_ || y < 0 || y >= height_) return nullptr;
    GdiFlush();
    return bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

const std::uint32_t* Bitmap::scan_line(int y) const { return const_cast<Bitmap*>(this)->scan_line(y); }

std::uint32_t Bitmap::pixel(int x, int y) const {
    const std::uint32_t* row = scan_line(y);
    if (!row || x < 0 || x >= width_) return CLR_INVALID;
    std::uint32_t v = row[x];
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

void Bitmap::assign_handle(HBITMAP source) {
    BITMAP info{};
    if (!source || !GetObjectW(source, sizeof info, &info)) {
        set_size(0, 0);
        return;
    }
    set_size(info.bmWidth, info.bmHeight);
    MemoryDC src;
    HGDIOBJ old = SelectObject(src.get(), source);
    BitBlt(dc_, 0, 0, width_, height_, src.get(), 0, 0, SRCCOPY);
    SelectObject(src.get(), old);
    if (on_change) on_change(*this);
}

bool Bitmap::load_from_resource(HINSTANCE instance, const wchar_t* name) {
    GdiObject<HBITMAP> bmp(static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bmp) return false;
    assign_handle(bmp.get());
    return true;
}

bool Bitmap::load_from_bmp(const std::vector<std::uint8_t>& bytes) {
    // A BMP file: 14-byte file header, then the info header, the palette and the bits.
    if (bytes.size() < 14 + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M') return false;
    std::uint32_t offset;
    std::memcpy(&offset, bytes.data() + 10, 4);
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data() + 14, sizeof header);
    if (offset >= bytes.size() || header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > bytes.size() - 14) return false;
    if (header.biWidth <= 0 || header.biWidth > 16384 || header.biHeight == 0 || header.biHeight > 16384 ||
        header.biHeight < -16384)
        return false;
    const long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    const long long stride = ((static_cast<long long>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    if (header.biCompression != BI_RGB || stride <= 0 || static_cast<long long>(bytes.size() - offset) < stride * rows)
        return false;
    GdiObject<HBITMAP> bmp;
    {
        ClientDC screen(nullptr);
        bmp.reset(CreateDIBitmap(screen.get(), &header, CBM_INIT, bytes.data() + offset,
                                 reinterpret_cast<const BITMAPINFO*>(bytes.data() + 14), DIB_RGB_COLORS));
    }
    if (!bmp) return false;
    assign_handle(bmp.get());
    return true;
}

void Bitmap::assign(const Persistent& source) {
    if (auto* b = dynamic_cast<const Bitmap*>(&source)) {
        if (b == this) return;
        transparent = b->transparent;
        transparent_color = b->transparent_color;
        if (b->empty()) {
            set_size(0, 0);
            return;
        }
        set_size(b->width(), b->height());
        std::memcpy(bits_, b->bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
        if (on_change) on_change(*this);
        return;
    }
    Persistent::assign(source);
}

TColor Bitmap::effective_transparent_color() const {
    if (transparent_color != clDefault || empty()) return transparent_color;
    return static_cast<TColor>(pixel(0, height_ - 1));
}

std::vector<std::uint8_t> Bitmap::to_png() const {
    if (empty()) return {};
    GdiFlush();
    return encode_png(width_, height_, reinterpret_cast<const std::uint8_t*>(bits_));
}

} // namespace ui
