#include "ui/link_static.h"

#include <shellapi.h>

#include "frame/frame_state.h"
#include "resources/resource_ids.h"

namespace ui {
namespace {

constexpr const char* kTargetProp = "util.link.target";
constexpr const char* kProcProp = "util.link.proc";

LRESULT CALLBACK linkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(control, kProcProp));
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(util::frameState().module, MAKEINTRESOURCEA(IDC_HAND_LINK)));
        return TRUE;
    case WM_LBUTTONDOWN:
        if (auto target = static_cast<const char*>(GetPropA(control, kTargetProp)))
            ShellExecuteA(GetParent(control), "open", target, nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
    case WM_NCDESTROY:
        RemovePropA(control, kTargetProp);
        RemovePropA(control, kProcProp);
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        break;
    default:
        break;
    }
    return previous ? CallWindowProcA(previous, control, message, wParam, lParam)
                    : DefWindowProcA(control, message, wParam, lParam);
}

}  // namespace

void makeLinkStatic(HWND control, const char* target) {
    if (!control) return;
    SetPropA(control, kTargetProp, const_cast<char*>(target));
    auto previous = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(linkProc));
    SetPropA(control, kProcProp, reinterpret_cast<HANDLE>(previous));
}

}  // namespace ui
