#include "admin/dialog.h"

#include <cstring>

#include "admin/tooltips.h"
#include "frame/dialog_util.h"
#include "frame/frame_state.h"
#include "frame/profile.h"

namespace admin {

HINSTANCE moduleInstance() { return util::frameState().module; }

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

void Dialog::loadBindings() const {
    for (const Binding& b : bindings()) {
        switch (b.kind) {
        case BindKind::Flag:
            button(b.control).check(util::profileInt(b.section, b.key, std::atoi(b.fallback)) == 1);
            break;
        case BindKind::Text:
            item(b.control).setText(util::profileString(b.section, b.key, b.fallback));
            break;
        }
    }
}

void Dialog::saveBindings() const {
    for (const Binding& b : bindings()) {
        switch (b.kind) {
        case BindKind::Flag:
            util::writeProfileString(b.section, b.key, button(b.control).checked() ? "1" : "0");
            break;
        case BindKind::Text:
            util::writeProfileString(b.section, b.key, item(b.control).text());
            break;
        }
    }
}

bool Dialog::isBoundFlag(int control) const {
    for (const Binding& b : bindings())
        if (b.control == control && b.kind == BindKind::Flag) return true;
    return false;
}

void Dialog::refuse(const std::string& message, int control, bool selectText) const {
    MessageBoxA(hwnd_, message.c_str(), "Error", MB_OK | MB_ICONSTOP);
    Edit field(GetDlgItem(hwnd_, control));
    field.focus();
    if (selectText) field.selectAll();
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
        // Owner-drawn lists ask for their item height before WM_INITDIALOG:
        // every list of the administration windows uses 16 pixels.
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
    case WM_INITDIALOG: {
        loading_ = true;
        loadBindings();
        bool defaultFocus = onInit();
        loading_ = false;
        return defaultFocus ? TRUE : FALSE;
    }
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!onNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
        return TRUE;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case kTipRequest: {
        bool found = tipFor(static_cast<int>(wParam), reinterpret_cast<char*>(lParam), kTipBufferSize);
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, found ? 1 : 0);
        return TRUE;
    }
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    default: {
        bool handled = false;
        INT_PTR result = onMessage(message, wParam, lParam, handled);
        return handled ? result : FALSE;
    }
    }
}

INT_PTR ModalDialog::run(HWND owner, int templateId) {
    return DialogBoxParamA(moduleInstance(), MAKEINTRESOURCEA(templateId), owner, dialogProc,
                           reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
}

void ModalDialog::close(INT_PTR result) {
    unregisterForTips(hwnd_);
    EndDialog(hwnd_, result);
}

bool ModalDialog::onInit() {
    util::centreOnScreen(hwnd_);
    registerForTips(hwnd_, 1, 0);
    return onOpen();
}

void ModalDialog::onCommand(int id, int code) {
    if (id == IDOK && code == BN_CLICKED) {
        onOk();
    } else if (id == IDCANCEL) {
        onCancel();
    } else {
        onControl(id, code);
    }
}

}  // namespace admin
