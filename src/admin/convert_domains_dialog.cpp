#include "admin/convert_domains_dialog.h"

#include "admin/convert_domains_ids.h"
#include "admin/domain_rules.h"

namespace admin {
namespace {

class ConvertDomainsDialog final : public ui::ModalDialog {
public:
    ConvertDomainsDialog() : ModalDialog(kConvertDomainsDialog) {}
    std::optional<std::string> line;

protected:
    bool onOpen() override {
        button(IDC_CONV_ALL).check(true);
        return true;
    }

    void onOk() override {
        std::string from = item(IDC_CONV_FROM).text();
        std::string to = item(IDC_CONV_TO).text();
        if (!accepts(IDC_CONV_FROM, checkConversionDomain(from, kConvertFromMissing)) ||
            !accepts(IDC_CONV_TO, checkConversionDomain(to, kConvertToMissing)))
            return;
        MailScope scope = button(IDC_CONV_INTERNAL).checked()   ? MailScope::Internal
                          : button(IDC_CONV_EXTERNAL).checked() ? MailScope::External
                                                                 : MailScope::All;
        line = conversionLine(from, to, scope);
        close(IDOK);
    }

private:
    bool accepts(int control, const std::optional<std::string>& problem) const {
        if (!problem) return true;
        refuse(*problem, control, true);
        return false;
    }
};

}  // namespace

const ui::WindowDefinition kConvertDomainsDialog{IDD_CONVERT_DOMAINS};

std::optional<std::string> runConvertDomainsDialog(HWND owner) {
    ConvertDomainsDialog dialog;
    dialog.run(owner);
    return dialog.line;
}

}  // namespace admin
