// Thin wrappers over a window handle: one-line methods over SendMessage for
// the controls the administration pages use. They own nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace admin {

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
    void focus() const { SetFocus(hwnd_); }

protected:
    HWND hwnd_;
};

class Button : public Window {
public:
    using Window::Window;
    bool checked() const { return send(BM_GETCHECK) == BST_CHECKED; }
    void check(bool on) const { send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class Edit : public Window {
public:
    using Window::Window;
    void selectAll() const { send(EM_SETSEL, 0, -1); }
    void limit(int characters) const { send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
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
    void setItemHeight(int pixels) const { send(LB_SETITEMHEIGHT, 0, pixels); }
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
};

}  // namespace admin
