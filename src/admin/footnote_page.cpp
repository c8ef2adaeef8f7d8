// The "Foot Note" page's behaviour: the note added to the bottom of
// outgoing mail, the file "foot note.txt" shown in the edit (or the
// standard note when there is none) and rewritten at Apply with its empty
// lines. Adding the note on or off is a binding of the page's definition.
#include <windows.h>

#include <memory>
#include <string>

#include "admin/footnote_ids.h"
#include "admin/page_text.h"
#include "admin/settings_page.h"
#include "frame/install_folder.h"
#include "frame/settings.h"

namespace admin {
namespace {

constexpr ui::Tip kFootNoteTips[] = {
    {IDC_FOOT_TEXT, "The foot note to add"},
    {IDC_FOOT_ENABLE, "Enable the adding of a foot note"},
};
constexpr ui::Binding kFootNoteBindings[] = {ui::check(IDC_FOOT_ENABLE, cfg::kFootnoteUse)};

constexpr char kNoteFile[] = "\\foot note.txt";
constexpr std::size_t kNoteLimit = 32000;
constexpr int kLeftMargin = 5;

constexpr char kStandardNote[] =
    "This e-mail is confidential and may also be privileged. If you are not the \r\n"
    "intended recipient please notify us immediately. \r\n"
    " You should not copy this e-mail or use it for any purpose nor disclose \r\n"
    "its contents to any person. Furthermore by accepting this e-mail from us \r\n"
    "you agree that you will not rely on or seek to rely on any representation,\r\n"
    "agreement or undertaking purported to be made in any e-mail sent to you in \r\n"
    "electronic form unless such e-mail is subsequently confirmed in writing and \r\n"
    "signed by an authorised officer of the company.\r\n";

class FootNotePage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        edit(IDC_FOOT_TEXT).send(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(kLeftMargin, 0));
        std::optional<std::string> note = readFileBytes(util::installFile(kNoteFile), kNoteLimit);
        item(IDC_FOOT_TEXT).setText(note ? textForEdit(*note) : kStandardNote);
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (id == IDC_FOOT_TEXT && code == EN_CHANGE) changed();
    }

    // Every line, empty ones included; a note that ends with a line break
    // is written as it stands, so applying it unchanged leaves the file as
    // it was.
    bool write() override {
        writeLines(util::installFile(kNoteFile), editLines(item(IDC_FOOT_TEXT).text()));
        return true;
    }
};

}  // namespace

const PageDefinition pages::footnote{
    {.dialog = IDD_PAGE_FOOTNOTE, .tips = kFootNoteTips, .bindings = kFootNoteBindings},
    behaviour<FootNotePage>};

}  // namespace admin
