// Owned GDI and user objects: freed with their owner, moved, never copied.
// Only what the library creates is owned; stock and shared objects are not.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ui {

template <class Handle, BOOL(WINAPI* Free)(Handle)>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

template <class Handle>
inline BOOL WINAPI freeGdi(Handle object) { return DeleteObject(object); }

using OwnedBitmap = Owned<HBITMAP, freeGdi<HBITMAP>>;
using OwnedFont = Owned<HFONT, freeGdi<HFONT>>;
using OwnedBrush = Owned<HBRUSH, freeGdi<HBRUSH>>;
using OwnedPen = Owned<HPEN, freeGdi<HPEN>>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedImageList = Owned<HIMAGELIST, ImageList_Destroy>;

// A bitmap of the library's resources, owned by the caller.
OwnedBitmap loadBitmap(int resource);

// A picture of the library's resources drawn through its mask (the list
// pictures: 16 by 16, or a strip of them side by side), both owned.
struct MaskedPicture {
    OwnedBitmap image;
    OwnedBitmap mask;
};
MaskedPicture loadMaskedPicture(int image, int mask);

// One picture of a strip of pictures side by side, and its mask.
struct StripPicture {
    HBITMAP image = nullptr;
    HBITMAP mask = nullptr;
    int left = 0;  // the picture's left edge in the strip
    int width = 16;
    int height = 16;
};

// Draws one owner-drawn list item: background, the picture through its
// mask at the left edge, the text from x = textLeft centred vertically in
// the given font (null: the list's), in highlight colours when selected.
void drawListItem(const DRAWITEMSTRUCT& item, const StripPicture& picture, const char* text, int textLeft,
                  HFONT font = nullptr);

// The usual item: a 16-pixel picture and the text from x = 18.
inline void drawPictureItem(const DRAWITEMSTRUCT& item, HBITMAP picture, HBITMAP mask, const char* text) {
    drawListItem(item, {picture, mask}, text, 18);
}
inline void drawPictureItem(const DRAWITEMSTRUCT& item, const MaskedPicture& picture, const char* text) {
    drawPictureItem(item, picture.image.get(), picture.mask.get(), text);
}

}  // namespace ui
