// Dialog templates built in memory, so the window kit can be tried on
// windows of a test's own making.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kit_test {

enum class Kind : WORD { Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83, ComboBox = 0x85, UpDown = 0 };

struct Item {
    Kind kind;
    int id;
    DWORD style;
    short x, y, cx, cy;
    std::wstring text = L"";
};

class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const std::wstring& title, const std::vector<Item>& items) {
        put32(style | DS_SETFONT);
        put32(0);
        put(static_cast<WORD>(items.size()));
        put(0), put(0), put(static_cast<WORD>(cx)), put(static_cast<WORD>(cy));
        put(0), put(0);  // no menu, the standard class
        putText(title);
        put(8);
        putText(L"MS Shell Dlg");
        for (const Item& item : items) {
            if (words_.size() % 2) put(0);  // items start on a DWORD boundary
            put32(item.style | WS_CHILD | WS_VISIBLE);
            put32(0);
            put(static_cast<WORD>(item.x)), put(static_cast<WORD>(item.y));
            put(static_cast<WORD>(item.cx)), put(static_cast<WORD>(item.cy));
            put(static_cast<WORD>(item.id));
            if (item.kind == Kind::UpDown) {
                putText(L"msctls_updown32");
            } else {
                put(0xFFFF), put(static_cast<WORD>(item.kind));
            }
            putText(item.text);
            put(0);
        }
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void put(WORD w) { words_.push_back(w); }
    void put32(DWORD d) { put(LOWORD(d)), put(HIWORD(d)); }
    void putText(const std::wstring& text) {
        for (wchar_t c : text) put(static_cast<WORD>(c));
        put(0);
    }
    std::vector<WORD> words_;
};

}  // namespace kit_test
