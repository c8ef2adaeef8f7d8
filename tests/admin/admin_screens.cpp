// Opens every window of the administration interface in turn and asks for
// a picture of each: it writes "name left top width height" to the request
// file and waits until the script that takes the picture removes it.
// Usage: admin_screens INSTALLDIR REQUESTFILE
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "frame/frame_state.h"
#include "resources/admin_ids.h"
#include "support/win32_support.h"
#include "ui/prompt.h"
#include "ui_driver.h"
#include "utilities.h"

using namespace testing_support;

namespace {

std::string requestFile;

// The window is made active first (its caption drawn as the user sees it);
// a tip shown over it is taken into the picture whole.
void shoot(const std::string& name, HWND window) {
    // Without a window manager the X server may keep the input focus
    // elsewhere: the caption is drawn active all the same.
    HWND root = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(root);
    SendMessageA(root, WM_NCACTIVATE, TRUE, 0);
    pumpFor(300);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetWindowRect(window, &r);
    if (HWND tip = findThreadWindow("ms-tip", "")) {
        RECT t;
        GetWindowRect(tip, &t);
        UnionRect(&r, &r, &t);
    }
    char line[256];
    std::snprintf(line, sizeof line, "%s %ld %ld %ld %ld\n", name.c_str(), r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
    writeFile(requestFile, line);
    if (!waitUntil([] { return !fileExists(requestFile); }, 20000)) std::fprintf(stderr, "no picture of %s\n", name.c_str());
}

const char* kSampleIni =
    "[mailbox0]\r\nname=(Postmaster)\r\n[mailbox1]\r\nname=Alice Smith\r\n[mailbox2]\r\nname=Bob Jones\r\n"
    "[incoming]\r\nnode0=pop.provider.example\r\nuser0=office\r\nport0=110\r\nactive0=1\r\n"
    "node1=pop.backup.example\r\nuser1=office2\r\nport1=995\r\nactive1=0\r\n"
    "[undelmail]\r\naction=2\r\nrecipient=(Postmaster)\r\n"
    "[outgoing]\r\nserver0=smtp.provider.example:25:::0:::\r\n"
    "server1=mail.example.org:587:office@example.org:1:1:b2ZmaWNl:c2VjcmV0:\r\nuse-next=1\r\n"
    "[opt-outgoing]\r\ncopy=1\r\ncopyuser=Alice Smith\r\nsize=1\r\nsizekb=2048\r\n"
    "[opt-out-copy]\r\nuser0=Bob Jones\r\n";

const char* kPageNames[16] = {"page00_domain",  "page01_dialup",   "page02_outgoing",  "page03_incoming",
                              "page04_antispam", "page05_schedule", "page06_reminders", "page07_routing",
                              "page08_password", "page09_address_lists", "page10_aliases", "page11_footnote",
                              "page12_scanner",  "page13_attachments",   "page14_ports",   "page15_options"};

// ---- the mailbox viewer and the accounts dialog --------------------------------------
// Accounts with mailbox folders holding a few messages, added to the
// sample settings.
void fillMailboxes(const std::string& install) {
    const std::string ini = install + "\\ms.ini";
    const char* users[][3] = {{"0", "root", "root"}, {"1", "alice", "alice"}, {"2", "bob", "bob"}};
    CreateDirectoryA((install + "\\mailboxes").c_str(), nullptr);
    for (auto& user : users) {
        std::string section = std::string("mailbox") + user[0];
        WritePrivateProfileStringA(section.c_str(), "address", user[1], ini.c_str());
        WritePrivateProfileStringA(section.c_str(), "folder", user[2], ini.c_str());
        CreateDirectoryA((install + "\\mailboxes\\" + user[2]).c_str(), nullptr);
    }
    WritePrivateProfileStringA("domain", "domain", "example.org", ini.c_str());
    const std::string alice = install + "\\mailboxes\\alice\\";
    writeFile(alice + "2026-12-07-09-30-15-0000.txt",
              "From: Bob Jones <bob@example.org>\r\nTo: Alice Smith <alice@example.org>\r\nSubject: Lunch on Friday\r\n"
              "Date: Mon, 7 Dec 2026 09:30:15 +0000\r\n\r\nHi Alice,\r\n\r\nShall we have lunch on Friday?\tThe new place "
              "by the station opens at noon.\r\n\r\nBob\r\n");
    writeFile(alice + "2026-12-07-09-30-15-0000.adr",
              "MAIL FROM: <bob@example.org>\r\nRCPT TO: <alice@example.org>\r\nRCPT TO: <carl@example.org>\r\n");
    writeFile(alice + "2026-12-07-11-02-40-0003.txt", "Subject: Minutes\r\n\r\nThe minutes are attached.\r\n");
    writeFile(alice + "2026-12-07-11-02-40-0003.lck", "");
    writeFile(alice + "notes.txt", "Subject: Notes\r\n\r\nA message under a name of its own.\r\n");
}

void shootViewer() {
    HWND viewer = ShowMailWindow(nullptr);
    if (!viewer) return;
    HWND tree = GetDlgItem(viewer, IDC_VIEW_TREE);
    HTREEITEM alice = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree)));
    TreeView_SelectItem(tree, alice);
    HWND list = GetDlgItem(viewer, IDC_VIEW_LIST);
    int first = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>("2026-12-07-09-30-15-0000.txt")));
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SETSEL, TRUE, first);
    SendMessageA(viewer, WM_COMMAND, MAKEWPARAM(IDC_VIEW_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    shoot("dialog160_mailbox_viewer", viewer);
    drive::click(viewer, IDC_VIEW_HEADER);
    shoot("dialog160_mailbox_viewer_headers", viewer);
    drive::clickOpening(viewer, IDC_VIEW_TRANSFER, "Select Destination", [](HWND dialog) {
        shoot("dialog161_select_destination", dialog);
        drive::click(dialog, IDCANCEL);
    });
    DestroyWindow(viewer);
}

void shootAccounts() {
    drive::whenShown("#32770", "Mailbox Details", [](HWND dialog) {
        if (!dialog) return;
        drive::selectListItem(dialog, IDC_MBOX_LIST, 1);
        shoot("dialog158_mailbox_details", dialog);
        drive::click(dialog, IDC_MBOX_EDIT);
        shoot("dialog158_mailbox_details_editing", dialog);
        drive::click(dialog, IDC_MBOX_CANCEL);
        drive::click(dialog, IDCANCEL);
    });
    ShowMboxConfig(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: admin_screens INSTALLDIR REQUESTFILE\n");
        return 2;
    }
    util::frameState().module = GetModuleHandleA(nullptr);
    requestFile = argv[2];
    writeFile(std::string(argv[1]) + "\\ms.ini", kSampleIni);
    SetPath(argv[1]);
    SetCursorPos(0, 0);

    drive::runSheet(0, [](HWND sheet) {
        for (int i = 0; i < 16; ++i) {
            drive::showPage(sheet, i);
            shoot(kPageNames[i], sheet);
        }
        HWND page = drive::showPage(sheet, 3);
        drive::click(page, IDC_IN_ADD);
        shoot("page03_incoming_editing", sheet);
        drive::click(page, IDC_IN_CANCEL);
        drive::clickOpening(page, IDC_IN_ADVANCED, "Advanced Options", [](HWND dialog) {
            drive::click(dialog, IDC_ADV_USE);
            shoot("dialog150_advanced_options", dialog);
            drive::click(dialog, IDCANCEL);
        });
        page = drive::showPage(sheet, 2);
        drive::click(page, IDC_OUT_ADD);
        drive::click(page, IDC_OUT_AUTH);
        drive::click(page, IDC_OUT_CHANGE_FROM);
        drive::setText(page, IDC_OUT_HOST, "smtp.new.example");
        drive::setText(page, IDC_OUT_SENDER, "office@example.org");
        shoot("page02_outgoing_editing", sheet);
        drive::clickOpening(page, IDC_OUT_AUTH_SET, "SMTP Authentication", [](HWND dialog) {
            drive::setText(dialog, IDC_AUTH_ACCOUNT, "office");
            drive::setText(dialog, IDC_AUTH_PASSWORD, "secret");
            shoot("dialog280_smtp_authentication", dialog);
            drive::click(dialog, IDCANCEL);
        });
        drive::click(page, IDC_OUT_CANCEL);
        drive::clickOpening(page, IDC_OUT_COPY_USERS, "Select Users", [](HWND dialog) {
            shoot("dialog256_select_users", dialog);
            drive::click(dialog, IDCANCEL);
        });
        // A tip over the Incoming page's Add button.
        page = drive::showPage(sheet, 3);
        RECT r;
        GetWindowRect(GetDlgItem(page, IDC_IN_ADD), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        if (drive::waitForWindow("ms-tip", "", 4000)) shoot("tooltip", sheet);
        SetCursorPos(0, 0);
        drive::pressCancel(sheet);
    });

    drive::whenShown("#32770", "Enter Information", [](HWND dialog) {
        if (!dialog) return;
        shoot("dialog220_enter_information", dialog);
        drive::click(dialog, IDCANCEL);
    });
    ui::prompt(nullptr, {"Enter email address", "someone@example.org"});

    WritePrivateProfileStringA("esmtp", "ver", drive::scramble("secret").c_str(),
                               (std::string(argv[1]) + "\\ms.ini").c_str());
    drive::whenShown("#32770", "Enter Password", [](HWND dialog) {
        if (!dialog) return;
        shoot("dialog120_enter_password", dialog);
        drive::click(dialog, IDCANCEL);
    });
    GetPassword(nullptr);

    fillMailboxes(argv[1]);
    shootViewer();
    shootAccounts();
    return 0;
}
