#include "ui/spin_edit.h"

#include "ui/subclass.h"

namespace ui {
namespace {

bool spinOnlyMessage(HWND, UINT message, WPARAM wParam, LPARAM, void*, LRESULT& result) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) return false;
        result = 0;
        return true;
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace

void acceptSpinOnly(HWND edit) {
    if (!Subclass::attached(edit, spinOnlyMessage)) Subclass::attach(edit, spinOnlyMessage);
}

}  // namespace ui
