#include "admin/advanced_pop_dialog.h"

#include "admin/advanced_pop_ids.h"
#include "frame/settings.h"
#include "ui/modal.h"

namespace admin {
namespace {

constexpr ui::Tip kTips[] = {
    {IDC_ADV_SIZE, "Size of biggest message to download"},
    {IDC_ADV_USE, "Enable message size limiting"},
    {IDC_ADV_WARNING, "Tell user that message exists"},
    {IDC_ADV_DELETE, "Delete message from server"},
    {IDOK, "Save settings"},
    {IDCANCEL, "Cancel operation"},
};

constexpr ui::Binding kBindings[] = {
    ui::check(IDC_ADV_USE, cfg::kAdvPopUse),
    ui::check(IDC_ADV_WARNING, cfg::kAdvPopSendWarning),
    ui::check(IDC_ADV_DELETE, cfg::kAdvPopDelete),
    ui::text(IDC_ADV_SIZE, cfg::kAdvPopSize),
};

constexpr int kLimitControls[] = {IDC_ADV_SIZE,   IDC_ADV_SPIN,    IDC_ADV_LABEL,
                                  IDC_ADV_MBYTES, IDC_ADV_WARNING, IDC_ADV_DELETE};
constexpr ui::EnableRule kRules[] = {{IDC_ADV_USE, kLimitControls}};

class AdvancedPopDialog final : public ui::ModalDialog {
public:
    AdvancedPopDialog() : ModalDialog(kAdvancedPopDialog) {}

protected:
    bool onOpen() override {
        upDown(IDC_ADV_SPIN).setRange(1, 100);
        return true;
    }
    // Written at once, kept even when the sheet is then cancelled.
    void onOk() override {
        saveBindings();
        close(IDOK);
    }
};

}  // namespace

const ui::WindowDefinition kAdvancedPopDialog{IDD_ADVANCED_POP, kTips, kBindings, kRules};

INT_PTR runAdvancedPopDialog(HWND owner) {
    AdvancedPopDialog dialog;
    return dialog.run(owner);
}

}  // namespace admin
