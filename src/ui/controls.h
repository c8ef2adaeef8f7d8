// Thin wrappers over a window handle: one-line methods over SendMessage for
// the controls the library's windows use. They own nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace ui {

class Window {
public:
    Window(HWND handle = nullptr) : hwnd_(handle) {}
    HWND handle() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }
    int id() const { return GetDlgCtrlID(hwnd_); }

    std::string text() const {
        int length = GetWindowTextLengthA(hwnd_);
        std::string value(static_cast<std::size_t>(length) + 1, '\0');
        int copied = GetWindowTextA(hwnd_, value.data(), length + 1);
        value.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        return value;
    }
    void setText(const std::string& value) const { SetWindowTextA(hwnd_, value.c_str()); }
    void enable(bool on = true) const { EnableWindow(hwnd_, on ? TRUE : FALSE); }
    bool enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
    bool visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void focus() const { SetFocus(hwnd_); }
    RECT windowRect() const {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return r;
    }
    RECT clientRect() const {
        RECT r{};
        GetClientRect(hwnd_, &r);
        return r;
    }
    void move(int x, int y, int width, int height, bool repaint = true) const {
        MoveWindow(hwnd_, x, y, width, height, repaint ? TRUE : FALSE);
    }
    // Suspends (false) or resumes (true, repainting) the window's drawing.
    void setRedraw(bool on) const {
        send(WM_SETREDRAW, on ? TRUE : FALSE);
        if (on) InvalidateRect(hwnd_, nullptr, TRUE);
    }

protected:
    HWND hwnd_;
};

class Button : public Window {
public:
    using Window::Window;
    bool checked() const { return send(BM_GETCHECK) == BST_CHECKED; }
    void check(bool on) const { send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class Static : public Window {
public:
    using Window::Window;
    void setIcon(HICON icon) const { send(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }
    void setBitmap(HBITMAP bitmap) const {
        send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
};

class Edit : public Window {
public:
    using Window::Window;
    void select(int from, int to) const { send(EM_SETSEL, static_cast<WPARAM>(from), to); }
    void selectAll() const { select(0, -1); }
    void limit(int characters) const { send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    int lineCount() const { return static_cast<int>(send(EM_GETLINECOUNT)); }
    int firstVisibleLine() const { return static_cast<int>(send(EM_GETFIRSTVISIBLELINE)); }
    // A line as the edit shows it (wrapped lines one by one), without its line end.
    std::string line(int index) const {
        int start = static_cast<int>(send(EM_LINEINDEX, static_cast<WPARAM>(index)));
        if (start < 0) return {};
        int length = static_cast<int>(send(EM_LINELENGTH, static_cast<WPARAM>(start)));
        std::string value(static_cast<std::size_t>(length > 0 ? length : 0) + sizeof(WORD), '\0');
        *reinterpret_cast<WORD*>(value.data()) = static_cast<WORD>(value.size());
        int copied = static_cast<int>(send(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.data())));
        value.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        return value;
    }
    // Masks the text with "*" (mask true) or shows it in clear, keeping it.
    void mask(bool on) const {
        send(EM_SETPASSWORDCHAR, on ? '*' : 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
};

class ListBox : public Window {
public:
    using Window::Window;
    int count() const { return static_cast<int>(send(LB_GETCOUNT)); }
    int selection() const { return static_cast<int>(send(LB_GETCURSEL)); }
    void select(int index) const { send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    int add(const std::string& text) const {
        return static_cast<int>(send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int insert(int index, const std::string& text) const {
        return static_cast<int>(send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    }
    void remove(int index) const { send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    // Puts text in place of the item at index; returns its index.
    int replace(int index, const std::string& text) const {
        remove(index);
        return insert(index, text);
    }
    // Removes the selected item and selects its neighbour: the item now in
    // its place, or the one before when it was last (before first, when
    // preferBefore). False when nothing was selected.
    bool removeSelected(bool preferBefore = false) const {
        int index = selection();
        if (index < 0) return false;
        remove(index);
        int last = count() - 1;
        if (last >= 0) select(preferBefore ? (index > 0 ? index - 1 : 0) : (index <= last ? index : last));
        return true;
    }
    void clear() const { send(LB_RESETCONTENT); }
    std::string itemText(int index) const {
        LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR) return {};
        std::string value(static_cast<std::size_t>(length) + 1, '\0');
        send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.data()));
        value.resize(static_cast<std::size_t>(length));
        return value;
    }
    LPARAM data(int index) const { return send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void setData(int index, LPARAM value) const { send(LB_SETITEMDATA, static_cast<WPARAM>(index), value); }
    int findExact(const std::string& text) const {
        return static_cast<int>(send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    // The first entry that begins with text (ignoring case), or LB_ERR.
    int findPrefix(const std::string& text) const {
        return static_cast<int>(
            send(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    void setItemHeight(int pixels) const { send(LB_SETITEMHEIGHT, 0, pixels); }
    // Multiple-selection lists.
    bool isSelected(int index) const { return send(LB_GETSEL, static_cast<WPARAM>(index)) > 0; }
    void setSelected(int index, bool on) const { send(LB_SETSEL, on ? TRUE : FALSE, index); }
    int selectedCount() const { return static_cast<int>(send(LB_GETSELCOUNT)); }
    int topIndex() const { return static_cast<int>(send(LB_GETTOPINDEX)); }
    std::vector<int> selectedIndexes() const {
        std::vector<int> indexes(static_cast<std::size_t>(selectedCount() > 0 ? selectedCount() : 0));
        if (!indexes.empty())
            send(LB_GETSELITEMS, static_cast<WPARAM>(indexes.size()), reinterpret_cast<LPARAM>(indexes.data()));
        return indexes;
    }
    // The entry with the focus rectangle.
    int caretIndex() const { return static_cast<int>(send(LB_GETCARETINDEX)); }
    void setTopIndex(int index) const { send(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
};

class ComboBox : public Window {
public:
    using Window::Window;
    int count() const { return static_cast<int>(send(CB_GETCOUNT)); }
    int selection() const { return static_cast<int>(send(CB_GETCURSEL)); }
    void select(int index) const { send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int add(const std::string& text) const {
        return static_cast<int>(send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void clear() const { send(CB_RESETCONTENT); }
    std::string itemText(int index) const {
        LRESULT length = send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR) return {};
        std::string value(static_cast<std::size_t>(length) + 1, '\0');
        send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.data()));
        value.resize(static_cast<std::size_t>(length));
        return value;
    }
    std::string selectedText() const {
        int index = selection();
        return index == CB_ERR ? std::string() : itemText(index);
    }
    int findExact(const std::string& text) const {
        return static_cast<int>(send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    // Selects the first entry that begins with prefix (ignoring case), or
    // the first entry when the prefix is empty or matches nothing.
    void selectPrefix(const std::string& prefix) const {
        int index = prefix.empty() ? CB_ERR
                                   : static_cast<int>(send(CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                           reinterpret_cast<LPARAM>(prefix.c_str())));
        select(index == CB_ERR ? 0 : index);
    }
};

class UpDown : public Window {
public:
    using Window::Window;
    void setRange(int low, int high) const { send(UDM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void setPosition(int value) const { send(UDM_SETPOS32, 0, value); }
    int position() const { return static_cast<int>(send(UDM_GETPOS32)); }
};

class Slider : public Window {
public:
    using Window::Window;
    void setRange(int low, int high) const { send(TBM_SETRANGEMIN, FALSE, low), send(TBM_SETRANGEMAX, TRUE, high); }
    void setTickFrequency(int every) const { send(TBM_SETTICFREQ, static_cast<WPARAM>(every)); }
    void setPosition(int value) const { send(TBM_SETPOS, TRUE, value); }
    int position() const { return static_cast<int>(send(TBM_GETPOS)); }
};

class ListView : public Window {
public:
    using Window::Window;
    int count() const { return static_cast<int>(send(LVM_GETITEMCOUNT)); }
    void clear() const { send(LVM_DELETEALLITEMS); }
    void setExtendedStyle(DWORD style) const { send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    int addColumn(int index, const char* title, int width) const {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(title);
        column.cx = width;
        column.iSubItem = index;
        return static_cast<int>(send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
    }
    // An item whose texts the list asks for (LVN_GETDISPINFO), holding data.
    int insertCallbackItem(int index, LPARAM data) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = LPSTR_TEXTCALLBACKA;
        item.lParam = data;
        return static_cast<int>(send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void remove(int index) const { send(LVM_DELETEITEM, static_cast<WPARAM>(index)); }
    LPARAM data(int index) const {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        return send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
    }
    int selection() const { return static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    void select(int index) const {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
    void redraw(int first, int last) const { send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last); }
    std::string itemText(int index, int column) const {
        char buffer[1024] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        send(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
};

class TreeView : public Window {
public:
    using Window::Window;
    HTREEITEM insert(HTREEITEM parent, const std::string& text, LPARAM data, int image = 0,
                     HTREEITEM after = TVI_LAST) const {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(text.c_str());
        insert.item.lParam = data;
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        return reinterpret_cast<HTREEITEM>(send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void remove(HTREEITEM item) const { send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)); }
    HTREEITEM next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM root() const { return next(nullptr, TVGN_ROOT); }
    HTREEITEM child(HTREEITEM item) const { return next(item, TVGN_CHILD); }
    HTREEITEM sibling(HTREEITEM item) const { return next(item, TVGN_NEXT); }
    HTREEITEM selection() const { return next(nullptr, TVGN_CARET); }
    HTREEITEM parent(HTREEITEM item) const { return next(item, TVGN_PARENT); }
    bool expanded(HTREEITEM item) const {
        return (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    // Shows the item's button while it has no children yet.
    void setHasChildren(HTREEITEM item) const {
        TVITEMA tv{};
        tv.mask = TVIF_CHILDREN;
        tv.hItem = item;
        tv.cChildren = 1;
        send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
    void select(HTREEITEM item) const { send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }
    void expand(HTREEITEM item) const { send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
    LPARAM data(HTREEITEM item) const {
        TVITEMA tv{};
        tv.mask = TVIF_PARAM;
        tv.hItem = item;
        return send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) ? tv.lParam : 0;
    }
    std::string itemText(HTREEITEM item) const {
        char buffer[260] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = sizeof buffer;
        send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return buffer;
    }
    void setImage(HTREEITEM item, int image) const {
        TVITEMA tv{};
        tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tv.hItem = item;
        tv.iImage = image;
        tv.iSelectedImage = image;
        send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
    void setImageList(HIMAGELIST images) const { send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images)); }
};

class StatusBar : public Window {
public:
    using Window::Window;
    // Parts end at the given right edges (-1: the window's right edge).
    void setParts(int count, const int* rightEdges) const {
        send(SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges));
    }
    void setPartText(int part, const std::string& text) const {
        send(SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string partText(int part) const {
        char buffer[1024] = {};
        if (LOWORD(send(SB_GETTEXTLENGTHA, static_cast<WPARAM>(part))) >= sizeof buffer) return {};
        send(SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
};

}  // namespace ui
