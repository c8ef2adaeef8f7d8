// What the pages' lists share: the local mailbox names, owned bitmaps, and
// the owner-drawn item style (a 16-pixel picture through its mask, then the
// text from x = 18, in highlight colours when selected).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace admin {

// The `name` of mailbox0, mailbox1, ... until one is missing (at most limit).
std::vector<std::string> mailboxNames(int limit = 32768);

// A bitmap of the library, freed with its owner.
class OwnedBitmap {
public:
    OwnedBitmap() = default;
    explicit OwnedBitmap(int resource);
    ~OwnedBitmap();
    OwnedBitmap(OwnedBitmap&& other) noexcept : bitmap_(other.bitmap_) { other.bitmap_ = nullptr; }
    OwnedBitmap& operator=(OwnedBitmap&& other) noexcept;
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    HBITMAP get() const { return bitmap_; }

private:
    HBITMAP bitmap_ = nullptr;
};

// Draws one list item: background, the picture through its mask at the
// left edge, the text from x = 18 centred vertically.
void drawPictureItem(const DRAWITEMSTRUCT& item, HBITMAP picture, HBITMAP mask, const std::string& text);

}  // namespace admin
