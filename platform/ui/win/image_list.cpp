#include "platform/ui/win/image_list.h"

#include "platform/text_gbk.h"
#include "platform/ui/text_util.h"

namespace ui {
namespace {

std::vector<std::string_view> split_names(std::string_view names) {
    std::vector<std::string_view> parts;
    while (!names.empty()) {
        std::size_t comma = names.find(',');
        std::string_view name = trim(names.substr(0, comma));
        if (!name.empty()) parts.push_back(name);
        names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
    }
    return parts;
}

} // namespace

ClassInfo& ImageList::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomImageList", &Component::static_class());
        PropBuilder<ImageList>(c)
            .integer("Width", &ImageList::width, &ImageList::set_width, 16)
            .integer("Height", &ImageList::height, &ImageList::set_height, 16)
            .string("ResourceName", &ImageList::resource_name, &ImageList::set_resource_name)
            .string("IconResources", &ImageList::icon_resources, &ImageList::set_icon_resources);
        return c;
    }();
    return info;
}

ClassInfo& ImageList::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TImageList", &custom_class());
        c.factory = factory_of<ImageList>();
        return c;
    }();
    return info;
}

ImageList::ImageList(Component* owner) : Component(owner) {}

ImageList::~ImageList() {
    release_owned();
    if (handle_) ImageList_Destroy(handle_);
}

void ImageList::set_width(int w) {
    if (w <= 0 || w == width_) return;
    width_ = w;
    recreate();
}

void ImageList::set_height(int h) {
    if (h <= 0 || h == height_) return;
    height_ = h;
    recreate();
}

// A new size drops the images: those named by resource are loaded again at the new size.
void ImageList::recreate() {
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
    load_named_images();
    changed();
}

HIMAGELIST ImageList::handle() {
    if (!handle_) handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
    return handle_;
}

int ImageList::count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int ImageList::add(const Bitmap& image, const Bitmap* mask) {
    int first = count();
    // The list reads bitmaps that no DC holds: hand it fresh copies.
    GdiObject<HBITMAP> bmp(image.copy_handle());
    GdiObject<HBITMAP> bits_mask(mask ? mask->copy_handle() : nullptr);
    int r = ImageList_Add(handle(), bmp.get(), bits_mask.get());
    changed();
    return r < 0 ? -1 : first;
}

int ImageList::add_masked(const Bitmap& image, TColor transparent) {
    int first = count();
    TColor key = transparent == clDefault ? static_cast<TColor>(image.pixel(0, image.height() - 1)) : transparent;
    GdiObject<HBITMAP> bmp(image.copy_handle());
    int r = ImageList_AddMasked(handle(), bmp.get(), to_colorref(key));
    changed();
    return r < 0 ? -1 : first;
}

int ImageList::add_icon(HICON icon) {
    int r = ImageList_AddIcon(handle(), icon);
    changed();
    return r;
}

void ImageList::remove(int index) {
    if (handle_ && ImageList_Remove(handle_, index)) changed();
}

void ImageList::clear() {
    if (handle_ && ImageList_RemoveAll(handle_)) changed();
}

bool ImageList::load_resource(const wchar_t* name) {
    Bitmap strip;
    if (!strip.load_from_resource(GetModuleHandleW(nullptr), name)) return false;
    return add_masked(strip, clDefault) >= 0;
}

void ImageList::set_resource_name(const std::string& name) {
    resource_name_ = name;
    if (!name.empty() && !load_resource(plat::gbk_to_wide(name).c_str()))
        throw PropertyError("bitmap resource " + name + " is missing");
}

bool ImageList::add_icon_resource(const std::string& name) {
    Icon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), plat::gbk_to_wide(name).c_str(), IMAGE_ICON, width_, height_, 0)));
    return icon.get() && ImageList_AddIcon(handle(), icon.get()) >= 0;
}

void ImageList::set_icon_resources(const std::string& names) {
    for (std::string_view name : split_names(names))
        if (!add_icon_resource(std::string(name))) throw PropertyError("icon resource " + std::string(name) + " is missing");
    icon_resources_ = names;
    changed();
}

void ImageList::load_named_images() {
    if (!resource_name_.empty()) load_resource(plat::gbk_to_wide(resource_name_).c_str());
    for (std::string_view name : split_names(icon_resources_)) add_icon_resource(std::string(name));
}

void ImageList::draw(Canvas& canvas, int x, int y, int index, bool enabled) { draw(canvas.handle(), x, y, index, enabled); }

void ImageList::draw(HDC dc, int x, int y, int index, bool enabled) {
    if (!handle_ || !dc || index < 0 || index >= count()) return;
    if (enabled) {
        ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    IMAGELISTDRAWPARAMS p{};
    p.cbSize = sizeof p;
    p.himl = handle_;
    p.i = index;
    p.hdcDst = dc;
    p.x = x;
    p.y = y;
    p.rgbBk = CLR_NONE;
    p.rgbFg = CLR_DEFAULT;
    p.fStyle = ILD_TRANSPARENT;
    p.fState = ILS_SATURATE;  // greyed
    if (!ImageList_DrawIndirect(&p)) {
        // Without the saturate state (older comctl32): a blended draw that reads as disabled.
        ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, CLR_NONE, GetSysColor(COLOR_BTNFACE), ILD_BLEND50);
    }
}

int ImageList::register_changes(std::function<void(ImageList&)> link) {
    int id = next_link_++;
    links_[id] = std::move(link);
    return id;
}

void ImageList::unregister_changes(int id) { links_.erase(id); }

ImageListLink::ImageListLink(Component& owner, std::function<void(ImageList&)> changed)
    : owner_(owner), changed_(std::move(changed)) {}

ImageListLink::~ImageListLink() { set(nullptr); }

bool ImageListLink::set(ImageList* list) {
    if (list == list_) return false;
    if (list_) {
        list_->unregister_changes(id_);
        owner_.remove_free_notification(list_);
    }
    list_ = list;
    id_ = 0;
    if (list_) {
        id_ = list_->register_changes([this](ImageList& changed) {
            if (changed_) changed_(changed);
        });
        owner_.free_notification(list_);
    }
    return true;
}

bool ImageListLink::forget(Component* freed) {
    if (list_ == nullptr || freed != list_) return false;
    // The list is on its way out: its change links are no longer there to unregister from.
    list_ = nullptr;
    id_ = 0;
    return true;
}

void ImageList::changed() {
    auto copy = links_;
    for (auto& [id, link] : copy)
        if (link) link(*this);
}

} // namespace ui
