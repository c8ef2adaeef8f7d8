#include "admin/routing_dialogs.h"

#include <algorithm>

#include "admin/auto_printing_ids.h"
#include "admin/filter_record.h"
#include "admin/filters_ids.h"
#include "admin/relay_options_ids.h"
#include "admin/routing_checks.h"
#include "admin/select_choice_ids.h"

namespace admin {
namespace {

// ---- "Filters" ----------------------------------------------------------------------
constexpr ui::RadioChoice kAppliesTo[] = {
    {IDC_FILTERS_INTERNAL, kInternalMail}, {IDC_FILTERS_EXTERNAL, kExternalMail}, {IDC_FILTERS_ALL, kAllMail}};

class FiltersDialog final : public ui::ModalDialog {
public:
    explicit FiltersDialog(const FiltersRequest& request) : ModalDialog(kFiltersDialog), request_(request) {}
    FiltersAnswer answer;

protected:
    bool onOpen() override {
        SetWindowTextA(hwnd_, request_.caption);
        item(IDC_FILTERS_PROMPT).setText(request_.prompt);
        if (request_.addressMode) hideAppliesTo();
        button(IDC_FILTERS_ALL).check(true);
        ui::Edit text = edit(IDC_FILTERS_TEXT);
        text.limit(kFilterTextMax);
        text.setText(request_.initial);
        text.focus();
        text.selectAll();
        return false;
    }
    void onOk() override {
        std::string text = item(IDC_FILTERS_TEXT).text();
        if (holdsFieldEnd(text)) {
            refuse(kFieldEndRefusal, IDC_FILTERS_TEXT, true);
            return;
        }
        answer.text = text;
        for (const ui::RadioChoice& c : kAppliesTo)
            if (button(c.control).checked()) answer.appliesTo = c.value;
        close(IDOK);
    }

private:
    // The buttons move up into the applies-to row, and the window shrinks.
    void hideAppliesTo() const {
        for (const ui::RadioChoice& c : kAppliesTo) item(c.control).show(false);
        item(IDC_FILTERS_APPLIES_LABEL).show(false);
        const int rise = top(IDOK) - top(IDC_FILTERS_INTERNAL);
        for (int id : {IDOK, IDCANCEL}) {
            RECT r = item(id).windowRect();
            MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
            item(id).move(r.left, r.top - rise, r.right - r.left, r.bottom - r.top);
        }
        RECT frame = ui::Window(hwnd_).windowRect();
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - rise,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ui::centreOnScreen(hwnd_);
    }
    int top(int id) const { return item(id).windowRect().top; }

    const FiltersRequest& request_;
};

// ---- "Select..." ---------------------------------------------------------------------
class SelectChoiceDialog final : public ui::ModalDialog {
public:
    SelectChoiceDialog(const std::string& title, const std::vector<std::string>& choices, const RECT& anchor)
        : ModalDialog(kSelectChoiceDialog), title_(title), choices_(choices), anchor_(anchor) {}
    std::string answer;

protected:
    bool onOpen() override {
        item(IDC_CHOICE_TITLE).setText(title_);
        for (const std::string& choice : choices_) list().add(choice);
        list().select(0);
        placeBesideAnchor();
        return true;
    }
    void onControl(int id, int code) override {
        if (id == IDC_CHOICE_LIST && code == LBN_DBLCLK) onOk();
    }
    void onOk() override {
        int index = list().selection();
        if (index >= 0) answer = list().itemText(index);
        close(IDOK);
    }

private:
    ui::ListBox list() const { return listBox(IDC_CHOICE_LIST); }

    // To the right of the anchor, at its top; moved left or up as far as
    // the screen needs.
    void placeBesideAnchor() const {
        RECT r = ui::Window(hwnd_).windowRect();
        const int width = r.right - r.left, height = r.bottom - r.top;
        const int x = std::max(0, std::min<int>(anchor_.right, GetSystemMetrics(SM_CXSCREEN) - width));
        const int y = std::max(0, std::min<int>(anchor_.top, GetSystemMetrics(SM_CYSCREEN) - height));
        SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const std::string& title_;
    const std::vector<std::string>& choices_;
    RECT anchor_;
};

// ---- "Auto Printing" -----------------------------------------------------------------
class AutoPrintingDialog final : public ui::ModalDialog {
public:
    explicit AutoPrintingDialog(const std::string& parameter)
        : ModalDialog(kAutoPrintingDialog), parameter_(parameter) {}
    std::optional<std::string> answer;

protected:
    bool onOpen() override {
        button(IDC_PRINT_HEADER).check(printsHeader(parameter_));
        return true;
    }
    void onOk() override {
        answer = button(IDC_PRINT_HEADER).checked() ? kHeaderOn : kHeaderOff;
        close(IDOK);
    }

private:
    const std::string& parameter_;
};

// ---- "Relay Options" -----------------------------------------------------------------
constexpr ui::Tip kRelayTips[] = {
    {IDC_RELAY_SENDER_DOMAIN_OPT, "Change the domain in SMTP envelope"},
    {IDC_RELAY_RECIPIENT_DOMAIN_OPT, "Change the domain in SMTP envelope"},
    {IDC_RELAY_SENDER_ADDRESS_OPT, "Change the address in SMTP envelope"},
    {IDC_RELAY_RECIPIENT_ADDRESS_OPT, "Change the address in SMTP envelope"},
    {IDC_RELAY_SENDER_ADDRESS, "Enter address to use in SMTP envelope"},
    {IDC_RELAY_RECIPIENT_ADDRESS, "Enter address to use in SMTP envelope"},
    {IDC_RELAY_SENDER, "Change SMTP envelope from address"},
    {IDC_RELAY_RECIPIENT, "Change SMTP envelope to address"},
    {IDC_RELAY_RECIPIENT_DOMAIN, "Enter domain to use in SMTP envelope"},
    {IDC_RELAY_SENDER_DOMAIN, "Enter domain to use in SMTP envelope"},
    {IDC_RELAY_FROM_DOMAIN_OPT, "Change the domain in message"},
    {IDC_RELAY_TO_DOMAIN_OPT, "Change the domain in message"},
    {IDC_RELAY_FROM_DOMAIN, "Enter domain to use in message"},
    {IDC_RELAY_TO_DOMAIN, "Enter domain to use in message"},
    {IDC_RELAY_FROM_NAME, "Enter a user name to use in message"},
    {IDC_RELAY_TO_NAME, "Enter a user name to use in message"},
    {IDC_RELAY_FROM_ADDRESS_OPT, "Change the address in message"},
    {IDC_RELAY_TO_ADDRESS_OPT, "Change the address in message"},
    {IDC_RELAY_FROM, "Change from address inside the message"},
    {IDC_RELAY_TO, "Change to address inside the message"},
    {IDC_RELAY_FROM_ADDRESS, "Enter address to use in message"},
    {IDC_RELAY_TO_ADDRESS, "Enter address to use in message"},
};

// Each change's controls: its check box, its two options and their edits
// (no name edit for the envelope).
struct ChangeControls {
    RelayChange RelaySettings::*change;
    int check, domainOption, addressOption, domain, name, address;
};
constexpr ChangeControls kChanges[] = {
    {&RelaySettings::sender, IDC_RELAY_SENDER, IDC_RELAY_SENDER_DOMAIN_OPT, IDC_RELAY_SENDER_ADDRESS_OPT,
     IDC_RELAY_SENDER_DOMAIN, 0, IDC_RELAY_SENDER_ADDRESS},
    {&RelaySettings::recipient, IDC_RELAY_RECIPIENT, IDC_RELAY_RECIPIENT_DOMAIN_OPT, IDC_RELAY_RECIPIENT_ADDRESS_OPT,
     IDC_RELAY_RECIPIENT_DOMAIN, 0, IDC_RELAY_RECIPIENT_ADDRESS},
    {&RelaySettings::fromLine, IDC_RELAY_FROM, IDC_RELAY_FROM_DOMAIN_OPT, IDC_RELAY_FROM_ADDRESS_OPT,
     IDC_RELAY_FROM_DOMAIN, IDC_RELAY_FROM_NAME, IDC_RELAY_FROM_ADDRESS},
    {&RelaySettings::toLine, IDC_RELAY_TO, IDC_RELAY_TO_DOMAIN_OPT, IDC_RELAY_TO_ADDRESS_OPT, IDC_RELAY_TO_DOMAIN,
     IDC_RELAY_TO_NAME, IDC_RELAY_TO_ADDRESS},
};

// The edit of each checked field, in the order of RelayField.
constexpr int kFieldControls[] = {
    IDC_RELAY_SENDER_DOMAIN, IDC_RELAY_SENDER_ADDRESS, IDC_RELAY_RECIPIENT_DOMAIN, IDC_RELAY_RECIPIENT_ADDRESS,
    IDC_RELAY_FROM_DOMAIN,   IDC_RELAY_FROM_NAME,      IDC_RELAY_FROM_ADDRESS,     IDC_RELAY_TO_DOMAIN,
    IDC_RELAY_TO_NAME,       IDC_RELAY_TO_ADDRESS,
};

// A change's options while its box is ticked; an option's edits while it is chosen.
constexpr int kSenderOptions[] = {IDC_RELAY_SENDER_DOMAIN_OPT, IDC_RELAY_SENDER_ADDRESS_OPT, IDC_RELAY_SENDER_DOMAIN,
                                  IDC_RELAY_SENDER_ADDRESS};
constexpr int kRecipientOptions[] = {IDC_RELAY_RECIPIENT_DOMAIN_OPT, IDC_RELAY_RECIPIENT_ADDRESS_OPT,
                                     IDC_RELAY_RECIPIENT_DOMAIN, IDC_RELAY_RECIPIENT_ADDRESS};
constexpr int kFromOptions[] = {IDC_RELAY_FROM_DOMAIN_OPT, IDC_RELAY_FROM_ADDRESS_OPT, IDC_RELAY_FROM_DOMAIN,
                                IDC_RELAY_FROM_NAME, IDC_RELAY_FROM_ADDRESS};
constexpr int kToOptions[] = {IDC_RELAY_TO_DOMAIN_OPT, IDC_RELAY_TO_ADDRESS_OPT, IDC_RELAY_TO_DOMAIN,
                              IDC_RELAY_TO_NAME, IDC_RELAY_TO_ADDRESS};
constexpr int kSenderDomain[] = {IDC_RELAY_SENDER_DOMAIN};
constexpr int kSenderAddress[] = {IDC_RELAY_SENDER_ADDRESS};
constexpr int kRecipientDomain[] = {IDC_RELAY_RECIPIENT_DOMAIN};
constexpr int kRecipientAddress[] = {IDC_RELAY_RECIPIENT_ADDRESS};
constexpr int kFromDomain[] = {IDC_RELAY_FROM_DOMAIN};
constexpr int kFromAddress[] = {IDC_RELAY_FROM_NAME, IDC_RELAY_FROM_ADDRESS};
constexpr int kToDomain[] = {IDC_RELAY_TO_DOMAIN};
constexpr int kToAddress[] = {IDC_RELAY_TO_NAME, IDC_RELAY_TO_ADDRESS};
constexpr ui::EnableRule kRelayRules[] = {
    {IDC_RELAY_SENDER, kSenderOptions},
    {IDC_RELAY_SENDER_DOMAIN_OPT, kSenderDomain},
    {IDC_RELAY_SENDER_ADDRESS_OPT, kSenderAddress},
    {IDC_RELAY_RECIPIENT, kRecipientOptions},
    {IDC_RELAY_RECIPIENT_DOMAIN_OPT, kRecipientDomain},
    {IDC_RELAY_RECIPIENT_ADDRESS_OPT, kRecipientAddress},
    {IDC_RELAY_FROM, kFromOptions},
    {IDC_RELAY_FROM_DOMAIN_OPT, kFromDomain},
    {IDC_RELAY_FROM_ADDRESS_OPT, kFromAddress},
    {IDC_RELAY_TO, kToOptions},
    {IDC_RELAY_TO_DOMAIN_OPT, kToDomain},
    {IDC_RELAY_TO_ADDRESS_OPT, kToAddress},
};

class RelayOptionsDialog final : public ui::ModalDialog {
public:
    explicit RelayOptionsDialog(const std::string& parameter)
        : ModalDialog(kRelayOptionsDialog), settings_(parseRelaySettings(parameter)) {}
    std::optional<std::string> answer;

protected:
    bool onOpen() override {
        for (const ChangeControls& c : kChanges) {
            const RelayChange& change = settings_.*c.change;
            button(c.check).check(change.change != 0);
            button(change.how == 1 ? c.addressOption : c.domainOption).check(true);
            show(c.domain, change.domain);
            show(c.name, change.name);
            show(c.address, change.address);
        }
        return true;
    }
    void onOk() override {
        RelaySettings entered;
        for (const ChangeControls& c : kChanges) {
            RelayChange& change = entered.*c.change;
            change.change = button(c.check).checked() ? 1 : 0;
            change.how = button(c.addressOption).checked() ? 1 : 0;
            change.domain = item(c.domain).text();
            if (c.name) change.name = item(c.name).text();
            change.address = item(c.address).text();
        }
        if (auto refusal = checkRelaySettings(entered)) {
            refuse({refusal->message, kFieldControls[static_cast<int>(refusal->field)], true, 0});
            return;
        }
        answer = formatRelaySettings(entered);
        close(IDOK);
    }

private:
    void show(int control, const std::string& text) const {
        if (!control) return;
        edit(control).limit(kFilterTextMax);
        item(control).setText(text);
    }

    RelaySettings settings_;
};

}  // namespace

const ui::WindowDefinition kFiltersDialog{IDD_FILTERS};
const ui::WindowDefinition kSelectChoiceDialog{IDD_SELECT_CHOICE};
const ui::WindowDefinition kAutoPrintingDialog{IDD_AUTO_PRINTING};
const ui::WindowDefinition kRelayOptionsDialog{IDD_RELAY_OPTIONS, kRelayTips, {}, kRelayRules};

FiltersAnswer runFiltersDialog(HWND owner, const FiltersRequest& request) {
    FiltersDialog dialog(request);
    dialog.run(owner);
    return dialog.answer;
}

std::string runSelectChoiceDialog(HWND owner, const std::string& title, const std::vector<std::string>& choices,
                                  const RECT& anchor) {
    SelectChoiceDialog dialog(title, choices, anchor);
    dialog.run(owner);
    return dialog.answer;
}

std::optional<std::string> runAutoPrintingDialog(HWND owner, const std::string& parameter) {
    AutoPrintingDialog dialog(parameter);
    dialog.run(owner);
    return dialog.answer;
}

std::optional<std::string> runRelayOptionsDialog(HWND owner, const std::string& parameter) {
    RelayOptionsDialog dialog(parameter);
    dialog.run(owner);
    return dialog.answer;
}

}  // namespace admin
