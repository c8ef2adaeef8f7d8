#include "admin/list_support.h"

#include "admin/dialog.h"
#include "frame/profile.h"

namespace admin {

std::vector<std::string> mailboxNames(int limit) {
    std::vector<std::string> names;
    for (int i = 0; i < limit; ++i) {
        std::string section = "mailbox" + std::to_string(i);
        std::string name = util::profileString(section.c_str(), "name", "");
        if (name.empty()) break;
        names.push_back(name);
    }
    return names;
}

OwnedBitmap::OwnedBitmap(int resource)
    : bitmap_(LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(resource))) {}

OwnedBitmap::~OwnedBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
}

OwnedBitmap& OwnedBitmap::operator=(OwnedBitmap&& other) noexcept {
    if (this != &other) {
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = other.bitmap_;
        other.bitmap_ = nullptr;
    }
    return *this;
}

void drawPictureItem(const DRAWITEMSTRUCT& item, HBITMAP picture, HBITMAP mask, const std::string& text) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH background = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(dc, &r, background);

    const int height = r.bottom - r.top;
    if (picture && mask) {
        // The monochrome mask takes the DC's colours: black text and a white
        // background make its opaque part black and the rest white.
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, mask);
        const int y = r.top + (height - 16) / 2;
        BitBlt(dc, r.left, y, 16, 16, memory, 0, 0, SRCAND);
        SelectObject(memory, picture);
        BitBlt(dc, r.left, y, 16, 16, memory, 0, 0, SRCPAINT);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect{r.left + 18, r.top, r.right, r.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

}  // namespace admin
