#include "admin/advanced_pop_dialog.h"

#include "admin/dialog.h"
#include "resources/resource_ids.h"

namespace admin {
namespace {

constexpr Tip kTips[] = {
    {IDC_ADV_SIZE, "Size of biggest message to download"},
    {IDC_ADV_USE, "Enable message size limiting"},
    {IDC_ADV_WARNING, "Tell user that message exists"},
    {IDC_ADV_DELETE, "Delete message from server"},
    {IDOK, "Save settings"},
    {IDCANCEL, "Cancel operation"},
};

constexpr Binding kBindings[] = {
    {"advpop", "use", "0", IDC_ADV_USE, BindKind::Flag},
    {"advpop", "sendwarning", "1", IDC_ADV_WARNING, BindKind::Flag},
    {"advpop", "delete", "0", IDC_ADV_DELETE, BindKind::Flag},
    {"advpop", "size", "1", IDC_ADV_SIZE, BindKind::Text},
};

class AdvancedPopDialog final : public ModalDialog {
protected:
    std::span<const Tip> tips() const override { return kTips; }
    std::span<const Binding> bindings() const override { return kBindings; }

    bool onOpen() override {
        upDown(IDC_ADV_SPIN).setRange(1, 100);
        enableLimits();
        return true;
    }
    void onControl(int id, int code) override {
        if (id == IDC_ADV_USE && code == BN_CLICKED) enableLimits();
    }
    void onOk() override {
        saveBindings();
        close(IDOK);
    }

private:
    void enableLimits() const {
        bool on = button(IDC_ADV_USE).checked();
        for (int id : {IDC_ADV_SIZE, IDC_ADV_SPIN, IDC_ADV_LABEL, IDC_ADV_MBYTES, IDC_ADV_WARNING, IDC_ADV_DELETE})
            item(id).enable(on);
    }
};

}  // namespace

INT_PTR runAdvancedPopDialog(HWND owner) {
    AdvancedPopDialog dialog;
    return dialog.run(owner, IDD_ADVANCED_POP);
}

}  // namespace admin
