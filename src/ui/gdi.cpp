#include "ui/gdi.h"

#include <cstring>

#include "ui/dialog.h"

namespace ui {

OwnedBitmap loadBitmap(int resource) {
    return OwnedBitmap(LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(resource)));
}

MaskedPicture loadMaskedPicture(int image, int mask) { return {loadBitmap(image), loadBitmap(mask)}; }

void drawListItem(const DRAWITEMSTRUCT& item, const StripPicture& picture, const char* text, int textLeft,
                  HFONT font) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int height = r.bottom - r.top;
    if (picture.image && picture.mask) {
        // The monochrome mask takes the DC's colours: black text and a white
        // background make its opaque part black and the rest white.
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, picture.mask);
        const int y = r.top + (height - picture.height) / 2;
        BitBlt(dc, r.left, y, picture.width, picture.height, memory, picture.left, 0, SRCAND);
        SelectObject(memory, picture.image);
        BitBlt(dc, r.left, y, picture.width, picture.height, memory, picture.left, 0, SRCPAINT);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    RECT textRect{r.left + textLeft, r.top, r.right, r.bottom};
    DrawTextA(dc, text, static_cast<int>(std::strlen(text)), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont) SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

}  // namespace ui
