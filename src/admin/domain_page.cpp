// The "Domain" page's behaviour: single-domain mode (one primary domain for
// every account, which stores local parts) or multi-domain mode (full
// addresses, the administrator's address as the system's sender), and the
// table of domains converted while mail is processed. Apply checks the
// mode's entry, rewrites every account address for the mode, then the
// domain keys and the table. "Domain is exclusive" is a binding.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "accounts/account_rules.h"
#include "accounts/accounts.h"
#include "admin/convert_domains_dialog.h"
#include "admin/domain_ids.h"
#include "admin/domain_rules.h"
#include "admin/settings_page.h"
#include "frame/profile.h"

namespace admin {
namespace {

constexpr ui::Tip kDomainTips[] = {
    {IDC_DOM_SINGLE, "Single domain mode"},
    {IDC_DOM_MULTI, "Multi domain mode"},
    {IDC_DOM_NAME, "Name of the domain to host"},
    {IDC_DOM_EXCLUSIVE, "Domain is totally handled by this server"},
    {IDC_DOM_MAPS, "List of domains to convert"},
    {IDC_DOM_MAP_ADD, "Make a new domain mapping"},
    {IDC_DOM_MAP_DELETE, "Delete a domain mapping"},
};
constexpr ui::Binding kDomainBindings[] = {ui::check(IDC_DOM_EXCLUSIVE, cfg::kDomainExclusive)};
constexpr int kDomSingleControls[] = {IDC_DOM_EXCLUSIVE};
constexpr ui::EnableRule kDomainRules[] = {{IDC_DOM_SINGLE, kDomSingleControls}};

constexpr char kAdministratorText[] = "Administrators email address";

class DomainPage final : public SettingsPage {
public:
    explicit DomainPage(const PageRow& row) : SettingsPage(row), multiTips_(row.window.tips.begin(), row.window.tips.end()) {
        for (ui::Tip& tip : multiTips_)
            if (tip.control == IDC_DOM_NAME) tip.text = kAdministratorText;
    }

protected:
    bool onOpen() override {
        HICON icon = LoadIconA(ui::moduleInstance(), MAKEINTRESOURCEA(row().icon));
        for (WPARAM size : {ICON_BIG, ICON_SMALL}) SendMessageA(sheet(), WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
        showMode(util::read(cfg::kSingleDomain) != 0);
        // Up to the first missing key; an empty line is left out.
        for (const std::string& line : util::listValues(util::readSection(cfg::kDomainMap), cfg::kDomainConversion))
            maps().add(line);
        maps().select(0);
        return true;
    }

    // The name edit's tip follows the mode.
    std::span<const ui::Tip> tips() const override {
        return single_ ? row().window.tips : std::span<const ui::Tip>(multiTips_);
    }

    void onUserCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        if ((id == IDC_DOM_SINGLE || id == IDC_DOM_MULTI) && (id == IDC_DOM_SINGLE) != single_) {
            showMode(id == IDC_DOM_SINGLE);
            changed();
        } else if (id == IDC_DOM_MAP_ADD) {
            if (std::optional<std::string> line = runConvertDomainsDialog(hwnd_)) {
                maps().select(maps().add(*line));
                changed();
            }
        } else if (id == IDC_DOM_MAP_DELETE && maps().removeSelected()) {
            changed();
        }
    }

    bool onApply() override {
        std::string text = item(IDC_DOM_NAME).text();
        std::optional<std::string> problem = single_ ? checkPrimaryDomain(text) : checkAdministratorAddress(text);
        if (problem) {
            refuse(*problem, IDC_DOM_NAME, true);
            return false;
        }
        rewriteAccountAddresses(text);
        if (single_) {
            util::write(cfg::kSingleDomain, 1);
            util::write(cfg::kPrimaryDomainAsStored, text);
        } else {
            util::write(cfg::kSingleDomain, 0);
            util::write(cfg::kAdministratorAddressAsStored, text);
            util::write(cfg::kAccountAddress, text, 0);
        }
        saveBindings();
        util::ProfileLines lines;
        for (int i = 0; i < maps().count(); ++i) util::put(lines, cfg::kDomainConversion, maps().itemText(i), i);
        util::replaceSection(cfg::kDomainMap, lines);
        return true;
    }

private:
    ui::ListBox maps() const { return listBox(IDC_DOM_MAPS); }

    void showMode(bool single) {
        single_ = single;
        button(IDC_DOM_SINGLE).check(single);
        button(IDC_DOM_MULTI).check(!single);
        item(IDC_DOM_NAME_LABEL).setText(single ? "Primary domain name" : kAdministratorText);
        item(IDC_DOM_NAME).setText(util::read(single ? cfg::kPrimaryDomainAsStored : cfg::kAdministratorAddressAsStored));
        refreshEnabling();
    }

    // Single-domain mode keeps local parts; multi-domain mode completes
    // them with the administrator's domain.
    void rewriteAccountAddresses(const std::string& text) const {
        util::rewriteAccountAddresses([&](const std::string& address) {
            return single_ ? std::string(util::localPart(address)) : fullAddress(address, text);
        });
    }

    std::vector<ui::Tip> multiTips_;
    bool single_ = true;
};

}  // namespace

const PageDefinition pages::domain{
    {.dialog = IDD_PAGE_DOMAIN, .tips = kDomainTips, .bindings = kDomainBindings, .rules = kDomainRules},
    behaviour<DomainPage>};

}  // namespace admin
