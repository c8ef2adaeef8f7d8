#include "ui/spin_edit.h"

namespace ui {
namespace {

constexpr const char* kProcProp = "util.spinedit.proc";

LRESULT CALLBACK spinOnlyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(edit, kProcProp));
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) break;
        return 0;
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
        return 0;
    case WM_NCDESTROY:
        RemovePropA(edit, kProcProp);
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        break;
    default:
        break;
    }
    return previous ? CallWindowProcA(previous, edit, message, wParam, lParam)
                    : DefWindowProcA(edit, message, wParam, lParam);
}

}  // namespace

void acceptSpinOnly(HWND edit) {
    if (!edit || GetPropA(edit, kProcProp)) return;
    auto previous = SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(spinOnlyProc));
    SetPropA(edit, kProcProp, reinterpret_cast<HANDLE>(previous));
}

}  // namespace ui
