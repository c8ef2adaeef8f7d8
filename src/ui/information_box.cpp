// DoMsgBox: the "Information" dialog with OK, or Yes and No, and two links.
#include <windows.h>

#include <string>

#include "frame/export_guard.h"
#include "ui/information_ids.h"
#include "ui/link_static.h"
#include "ui/modal.h"
#include "utilities.h"

namespace ui {
namespace {

constexpr const char* kFeedbackTarget = "mailto:feedback@example.com?subject=Mail%20server%20feedback";
constexpr const char* kPriceListTarget = "https://example.com/mail-server/prices.html";
constexpr std::size_t kMaxMessage = 511;

const WindowDefinition kInformationDialog{IDD_INFORMATION};

class InformationBox final : public ModalDialog {
public:
    InformationBox(std::string text, int mode) : ModalDialog(kInformationDialog), text_(std::move(text)), mode_(mode) {}

protected:
    bool wantsTips() const override { return false; }

    bool onOpen() override {
        picture(IDC_INFO_ICON).setIcon(LoadIconA(nullptr, IDI_INFORMATION));
        item(IDC_INFO_TEXT).setText(text_);
        bool yesNo = mode_ == 1;
        item(IDOK).show(!yesNo);
        item(IDYES).show(yesNo);
        item(IDNO).show(yesNo);
        makeLinkStatic(item(IDC_INFO_FEEDBACK).handle(), kFeedbackTarget);
        makeLinkStatic(item(IDC_INFO_PRICES).handle(), kPriceListTarget);
        item(yesNo ? IDYES : IDOK).focus();
        return false;
    }

    void onControl(int id, int) override {
        if (id == IDYES || id == IDNO) close(id);
    }

    // Escape or the close box: the visible default answer.
    void onCancel() override { close(mode_ == 1 ? IDNO : IDOK); }

    // Links are drawn in the usual link blue.
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = false;
        if (message != WM_CTLCOLORSTATIC) return 0;
        int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id != IDC_INFO_FEEDBACK && id != IDC_INFO_PRICES) return 0;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 204));
        SetBkMode(dc, TRANSPARENT);
        handled = true;
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }

private:
    std::string text_;
    int mode_;
};

}  // namespace
}  // namespace ui

extern "C" int UTILAPI DoMsgBox(HWND window, const char* text, int mode) {
    return util::guarded(1, [&] {
        ui::InformationBox box(std::string(util::orEmpty(text)).substr(0, ui::kMaxMessage), mode);
        INT_PTR result = box.run(window);
        return result == IDYES || result == IDNO ? static_cast<int>(result) : IDOK;
    });
}
