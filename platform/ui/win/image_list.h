// Image lists over comctl32: equal-sized images with masks, drawn normally or greyed.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/component.h"
#include "platform/ui/win/graphics.h"

namespace ui {

class ImageList : public Component {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit ImageList(Component* owner);
    ~ImageList() override;

    int width() const { return width_; }
    void set_width(int w);
    int height() const { return height_; }
    void set_height(int h);
    int count() const;
    HIMAGELIST handle();

    // Adds one image (or a strip of images as wide as a multiple of Width); returns the first index.
    int add(const Bitmap& image, const Bitmap* mask = nullptr);
    // Pixels of `transparent` (clDefault: the bottom-left pixel) become the mask.
    int add_masked(const Bitmap& image, TColor transparent);
    int add_icon(HICON icon);
    void remove(int index);
    void clear();
    // Loads a strip of images from a bitmap resource of the program, masked by its bottom-left pixel.
    bool load_resource(const wchar_t* name);
    void set_resource_name(const std::string& name);
    const std::string& resource_name() const { return resource_name_; }
    // Icon resources of the program, comma-separated ("#N" names a numbered one), added in order at
    // the list's size: the programs carry their pictures as icons.
    void set_icon_resources(const std::string& names);
    const std::string& icon_resources() const { return icon_resources_; }

    void draw(Canvas& canvas, int x, int y, int index, bool enabled = true);
    void draw(HDC dc, int x, int y, int index, bool enabled = true);

    // Change links: told after every change of the images.
    int register_changes(std::function<void(ImageList&)> link);
    void unregister_changes(int id);

private:
    void changed();
    void recreate();
    bool add_icon_resource(const std::string& name);
    void load_named_images();
    int width_ = 16, height_ = 16;
    HIMAGELIST handle_ = nullptr;
    std::string resource_name_;
    std::string icon_resources_;
    std::map<int, std::function<void(ImageList&)>> links_;
    int next_link_ = 1;
};

// A component's reference to an image list it follows: `changed` is told after every change of
// the images, and the owner hears (through its notification) when the list goes away.
class ImageListLink {
public:
    ImageListLink(Component& owner, std::function<void(ImageList&)> changed);
    ~ImageListLink();
    ImageListLink(const ImageListLink&) = delete;
    ImageListLink& operator=(const ImageListLink&) = delete;

    ImageList* list() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    ImageList* operator->() const { return list_; }
    // Follows `list` (none for nullptr) instead of the one before; false when it was followed.
    bool set(ImageList* list);
    // For the owner's notification of `freed` going away: true when it was the list, which is
    // then let go without a word to it.
    bool forget(Component* freed);

private:
    Component& owner_;
    std::function<void(ImageList&)> changed_;
    ImageList* list_ = nullptr;
    int id_ = 0;
};

} // namespace ui
