#include "ui/link_static.h"

#include <shellapi.h>

#include "frame/frame_state.h"
#include "resources/resource_ids.h"
#include "ui/subclass.h"

namespace ui {
namespace {

// data: the target to open.
bool linkMessage(HWND control, UINT message, WPARAM, LPARAM, void* data, LRESULT& result) {
    switch (message) {
    case WM_NCHITTEST:
        result = HTCLIENT;
        return true;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(util::frameState().module, MAKEINTRESOURCEA(IDC_HAND_LINK)));
        result = TRUE;
        return true;
    case WM_LBUTTONDOWN:
        if (auto target = static_cast<const char*>(data))
            ShellExecuteA(GetParent(control), "open", target, nullptr, nullptr, SW_SHOWNORMAL);
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace

void makeLinkStatic(HWND control, const char* target) {
    Subclass::attach(control, linkMessage, const_cast<char*>(target));
}

}  // namespace ui
