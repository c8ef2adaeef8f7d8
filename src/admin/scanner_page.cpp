// The "Scanner" page's behaviour: the phrases the server looks for in the
// mail it handles (section snooper, x0, x1, ..., each scrambled with the
// system key), edited through the prompt and rewritten with the whole
// section at Apply. Scanning on and the user who gets a copy of a matching
// message are bindings of the page's definition.
#include <memory>
#include <string>

#include "admin/page_text.h"
#include "admin/scanner_ids.h"
#include "admin/settings_page.h"
#include "frame/crypt.h"
#include "frame/profile.h"
#include "ui/prompt.h"

namespace admin {
namespace {

constexpr ui::Tip kScannerTips[] = {
    {IDC_SCAN_ENABLE, "Enable the scanner system"},
    {IDC_SCAN_PHRASES, "The phrases to look for"},
    {IDC_SCAN_ADD, "Add a new phrase"},
    {IDC_SCAN_DELETE, "Remove a phrase"},
    {IDC_SCAN_EDIT, "Change a phrase"},
    {IDC_SCAN_DESTINATION, "User to receive matching message"},
};
constexpr ui::Binding kScannerBindings[] = {
    ui::check(IDC_SCAN_ENABLE, cfg::kScannerUse),
    ui::comboText(IDC_SCAN_DESTINATION, cfg::kScannerRecipient, accountNames, true),
};
constexpr int kScanControls[] = {IDC_SCAN_PHRASES, IDC_SCAN_ADD, IDC_SCAN_DELETE, IDC_SCAN_EDIT,
                                 IDC_SCAN_DESTINATION};
constexpr ui::EnableRule kScannerRules[] = {{IDC_SCAN_ENABLE, kScanControls}};

constexpr int kPhraseLength = 512;

// The phrase the prompt gives, without blanks at either end (they
// separate no words); nothing when cancelled or blank.
std::optional<std::string> askPhrase(HWND owner, const char* question, const std::string& initial) {
    std::optional<std::string> entry = ui::prompt(owner, {question, initial, kPhraseLength});
    if (!entry) return std::nullopt;
    std::string phrase = withoutOuterBlanks(*entry);
    if (phrase.empty()) return std::nullopt;
    return phrase;
}

class ScannerPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        // Up to the first missing key; an empty phrase is left out.
        for (const std::string& stored : util::listValues(util::readSection(cfg::kSnooper), cfg::kScannerPhrase))
            phrases().add(util::crypt(util::kSystemKey, stored, false));
        phrases().select(0);
        return true;
    }

    bool allows(int control) const override {
        if (control == IDC_SCAN_DELETE || control == IDC_SCAN_EDIT) return phrases().count() > 0;
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == IDC_SCAN_ADD) {
            std::optional<std::string> phrase = askPhrase(hwnd_, "Enter phrase", "Phrase to search for...");
            if (!phrase) return;
            phrases().select(phrases().add(*phrase));
        } else if (id == IDC_SCAN_EDIT) {
            int index = phrases().selection();
            if (index < 0) return;
            std::optional<std::string> phrase = askPhrase(hwnd_, "Edit phrase", phrases().itemText(index));
            if (!phrase) return;
            phrases().select(phrases().replace(index, *phrase));
        } else if (id == IDC_SCAN_DELETE) {
            if (!phrases().removeSelected()) return;
        } else {
            return;
        }
        changed();
        refreshEnabling();
    }

    // The section anew: "use", every phrase in list order, the recipient
    // ("dst"), then the change key that makes the scanner reload them. The
    // bindings are written as ever; the section is then written whole in
    // that order, with one write.
    bool onApply() override {
        util::eraseSection(cfg::kSnooper);
        saveBindings();
        const util::ProfileLines bound = util::readSection(cfg::kSnooper);
        util::ProfileLines lines;
        if (bound.has(cfg::kScannerUse.key)) util::put(lines, cfg::kScannerUse, util::read(bound, cfg::kScannerUse));
        for (int i = 0; i < phrases().count(); ++i)
            util::put(lines, cfg::kScannerPhrase, util::crypt(util::kSystemKey, phrases().itemText(i), true), i);
        if (bound.has(cfg::kScannerRecipient.key))
            util::put(lines, cfg::kScannerRecipient, util::read(bound, cfg::kScannerRecipient));
        util::put(lines, cfg::kScannerChanged, 1);
        util::replaceSection(cfg::kSnooper, lines);
        return true;
    }

private:
    ui::ListBox phrases() const { return listBox(IDC_SCAN_PHRASES); }
};

}  // namespace

const PageDefinition pages::scanner{
    {.dialog = IDD_PAGE_SCANNER, .tips = kScannerTips, .bindings = kScannerBindings, .rules = kScannerRules},
    behaviour<ScannerPage>};

}  // namespace admin
