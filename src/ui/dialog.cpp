#include "ui/dialog.h"

#include <cstring>

#include "frame/frame_state.h"
#include "ui/message_box.h"
#include "ui/tooltips.h"

namespace ui {

HINSTANCE moduleInstance() { return util::frameState().module; }

void centreOnScreen(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Dialog::tipFor(int control, char* buffer, int size) const {
    if (!buffer || size <= 0) return false;
    buffer[0] = '\0';
    for (const Tip& tip : tips()) {
        if (tip.control != control) continue;
        std::size_t length = std::strlen(tip.text);
        if (length >= static_cast<std::size_t>(size)) length = static_cast<std::size_t>(size) - 1;
        std::memcpy(buffer, tip.text, length);
        buffer[length] = '\0';
        return length > 0;
    }
    return false;
}

void Dialog::refuse(const Refusal& refusal) const {
    messageBox(hwnd_, refusal.message, refusal.title, MB_OK | refusal.icon);
    HWND control = GetDlgItem(hwnd_, refusal.control);
    if (!control) return;
    // The dialog manager selects an edit's whole text when it gives it the
    // focus; a refusal that does not ask for that puts the caret at the end.
    SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (!refusal.selectText) {
        char className[16] = {};
        GetClassNameA(control, className, sizeof className);
        if (lstrcmpiA(className, "Edit") == 0) SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    } else {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void Dialog::registerTips(unsigned depth) {
    if (tipsRegistered_) return;
    registerForTips(hwnd_, depth, 0);
    tipsRegistered_ = true;
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return dispatch(self, window, message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, page->lParam);
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return dispatch(self, window, message, wParam, lParam);
}

INT_PTR Dialog::dispatch(Dialog* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!self) {
        // Owner-drawn lists ask for their item height before WM_INITDIALOG.
        if (message == WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
            return TRUE;
        }
        return FALSE;
    }
    try {
        if (message == WM_INITDIALOG) self->hwnd_ = window;
        INT_PTR result = self->handle(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, DWLP_USER, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    } catch (...) {
        return FALSE;
    }
}

INT_PTR Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInit() ? TRUE : FALSE;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!onNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
        setResult(result);
        return TRUE;
    }
    case WM_MEASUREITEM:
        onMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case kTipRequest: {
        bool found = tipFor(static_cast<int>(wParam), reinterpret_cast<char*>(lParam), kTipBufferSize);
        setResult(found ? 1 : 0);
        return TRUE;
    }
    case WM_DESTROY:
        // However the window goes, its tip registration goes with it.
        if (tipsRegistered_) {
            unregisterForTips(hwnd_);
            tipsRegistered_ = false;
        }
        onDestroy();
        return FALSE;
    default: {
        bool handled = false;
        INT_PTR result = onMessage(message, wParam, lParam, handled);
        return handled ? result : FALSE;
    }
    }
}

}  // namespace ui
