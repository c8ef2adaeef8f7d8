// DoMsgBox: the "Information" dialog with OK, or Yes and No, and two links.
#include <windows.h>

#include <string>

#include "frame/dialog_util.h"
#include "frame/export_guard.h"
#include "frame/frame_state.h"
#include "frame/link_static.h"
#include "resources/resource_ids.h"
#include "utilities.h"

namespace util {
namespace {

constexpr const char* kFeedbackTarget = "mailto:feedback@example.com?subject=Mail%20server%20feedback";
constexpr const char* kPriceListTarget = "https://example.com/mail-server/prices.html";
constexpr std::size_t kMaxMessage = 511;

struct MessageBoxArgs {
    std::string text;
    int mode;
};

INT_PTR CALLBACK informationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_INITDIALOG: {
            auto* args = reinterpret_cast<MessageBoxArgs*>(lParam);
            centreOnScreen(dialog);
            SendDlgItemMessageA(dialog, IDC_INFO_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32516))), 0);
            SetDlgItemTextA(dialog, IDC_INFO_TEXT, args->text.c_str());
            bool yesNo = args->mode == 1;
            ShowWindow(GetDlgItem(dialog, IDOK), yesNo ? SW_HIDE : SW_SHOW);
            ShowWindow(GetDlgItem(dialog, IDYES), yesNo ? SW_SHOW : SW_HIDE);
            ShowWindow(GetDlgItem(dialog, IDNO), yesNo ? SW_SHOW : SW_HIDE);
            makeLinkStatic(GetDlgItem(dialog, IDC_INFO_FEEDBACK), kFeedbackTarget);
            makeLinkStatic(GetDlgItem(dialog, IDC_INFO_PRICES), kPriceListTarget);
            SetFocus(GetDlgItem(dialog, yesNo ? IDYES : IDOK));
            return FALSE;
        }
        case WM_CTLCOLORSTATIC: {
            // Links are drawn in the usual link blue.
            HWND control = reinterpret_cast<HWND>(lParam);
            int id = GetDlgCtrlID(control);
            if (id == IDC_INFO_FEEDBACK || id == IDC_INFO_PRICES) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 204));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        }
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (id == IDOK || id == IDYES || id == IDNO) {
                EndDialog(dialog, id);
                return TRUE;
            }
            if (id == IDCANCEL) {
                // Escape or the close box: the visible default answer.
                bool yesNo = IsWindowVisible(GetDlgItem(dialog, IDYES));
                EndDialog(dialog, yesNo ? IDNO : IDOK);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace
}  // namespace util

using namespace util;

extern "C" int UTILAPI DoMsgBox(HWND window, const char* text, int mode) {
    return guarded(1, [&] {
        MessageBoxArgs args{std::string(orEmpty(text)).substr(0, kMaxMessage), mode};
        INT_PTR result = DialogBoxParamA(frameState().module, MAKEINTRESOURCEA(IDD_INFORMATION), window,
                                         informationProc, reinterpret_cast<LPARAM>(&args));
        return result == IDYES || result == IDNO ? static_cast<int>(result) : IDOK;
    });
}
