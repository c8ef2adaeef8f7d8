#include "ui/subclass.h"

#include <commctrl.h>

namespace ui {
namespace {

LRESULT CALLBACK trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto handler = reinterpret_cast<Subclass::Handler>(id);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = handler(window, message, wParam, lParam, reinterpret_cast<void*>(data), result);
    } catch (...) {
        handled = false;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, trampoline, id);
    return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool Subclass::attach(HWND window, Handler handler, void* data) {
    return window && SetWindowSubclass(window, trampoline, reinterpret_cast<UINT_PTR>(handler),
                                       reinterpret_cast<DWORD_PTR>(data));
}

void Subclass::detach(HWND window, Handler handler) {
    if (window) RemoveWindowSubclass(window, trampoline, reinterpret_cast<UINT_PTR>(handler));
}

bool Subclass::attached(HWND window, Handler handler) {
    DWORD_PTR data = 0;
    return window && GetWindowSubclass(window, trampoline, reinterpret_cast<UINT_PTR>(handler), &data);
}

LRESULT Subclass::passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui
