// Opens every window of the administration interface in turn and asks for
// a picture of each: it writes "name left top width height" to the request
// file and waits until the script that takes the picture removes it.
// Usage: admin_screens INSTALLDIR REQUESTFILE
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "admin/mailbox_details_ids.h"
#include "admin/advanced_pop_ids.h"
#include "admin/aliases_ids.h"
#include "admin/attachments_ids.h"
#include "admin/auto_email_ids.h"
#include "admin/connection_times_ids.h"
#include "admin/convert_domains_ids.h"
#include "admin/domain_ids.h"
#include "admin/filters_ids.h"
#include "admin/incoming_ids.h"
#include "admin/outgoing_ids.h"
#include "admin/pages.h"
#include "admin/reminders_ids.h"
#include "admin/routing_ids.h"
#include "admin/schedule_ids.h"
#include "admin/smtp_auth_ids.h"
#include "admin/wizard_connection_ids.h"
#include "admin/wizard_domain_ids.h"
#include "admin/wizard_mailbox_ids.h"
#include "admin/wizard_relay_ids.h"
#include "admin/wizard_user_ids.h"
#include "frame/frame_state.h"
#include "monitor/mail_viewer_ids.h"
#include "support/ui_driver.h"
#include "support/win32_support.h"
#include "ui/prompt.h"
#include "utilities.h"
#include "wizard_driver.h"

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

// A settings page's picture, by the list of pages: "page_<name>", and
// "page_<name>_<state>" for a state of it.
std::string pagePicture(const std::string& title, const std::string& state = "") {
    const admin::PageEntry& page = admin::kPageList[drive::pageIndex(title)];
    return std::string("page_") + page.name + (state.empty() ? "" : "_" + state);
}

// Shows the page with this title and takes its picture.
void shootPage(HWND sheet, const std::string& title) {
    drive::showPage(sheet, title);
    shoot(pagePicture(title), sheet);
}

// The Domain, Anti-Spam, Password, Address Lists, Aliases, Foot Note and
// Scanner pages with the lists and settings of a small office, and
// "Convert Domains" being filled in.
void shootListPages(const std::string& folder) {
    const std::string ini = folder + "\\ms.ini";
    const std::string settings[][3] = {
        {"domain", "use", "1"},
        {"domain", "domain", "example.org"},
        {"domain", "registered", "1"},
        {"domain-map", "domain0", "oldname.example -> example.org , all mail"},
        {"domain-map", "domain1", "example.co.uk -> example.org , internal"},
        {"spam", "use", "1"},
        {"spam", "kill", "1"},
        {"spam", "archive", "1"},
        {"esmtp", "ver", drive::scramble("secret")},
        {"alias", "map0", "info@example.org~0~alice.smith@example.org"},
        {"alias", "map1", "orders@example.org~1~sales"},
        {"alias", "map2", "everyone@example.org~2~"},
        {"alias", "map3", "webmaster@example.org~0~bob.jones@example.org"},
        {"footnote", "use", "1"},
        {"snooper", "use", "1"},
        {"snooper", "x0", drive::scramble("confidential")},
        {"snooper", "x1", drive::scramble("salary review")},
        {"snooper", "x2", drive::scramble("password")},
        {"snooper", "dst", "Alice Smith"},
    };
    for (const auto& s : settings) WritePrivateProfileStringA(s[0].c_str(), s[1].c_str(), s[2].c_str(), ini.c_str());
    const std::string files[][2] = {
        {"spam lists\\black.txt",
         "free money\r\ncheap pills\r\n@bulkmail\r\nlottery winner\r\nact now\r\nwork from home\r\n"},
        {"spam lists\\white.txt", "@example.org\r\nalice.smith@partner.example\r\nnewsletter@supplier.example\r\n"},
        {"address lists\\sales.txt", "alice.smith@example.org\r\nbob.jones@example.org\r\ncarol@partner.example\r\n"},
        {"address lists\\board.txt", "chair@example.org\r\ntreasurer@example.org\r\n"},
        {"address lists\\staff.txt", "alice.smith@example.org\r\nbob.jones@example.org\r\n"},
    };
    for (const char* sub : {"spam lists", "address lists"}) CreateDirectoryA((folder + "\\" + sub).c_str(), nullptr);
    for (const auto& f : files) writeFile(folder + "\\" + f[0], f[1]);

    drive::runSheet("Domain", [](HWND sheet) {
        for (const char* title : {"Domain", "Anti-Spam", "Password", "Address Lists", "Aliases", "Foot Note", "Scanner"})
            shootPage(sheet, title);
        HWND page = drive::showPage(sheet, "Aliases");
        drive::selectListItem(page, IDC_ALIAS_LIST, 1);
        drive::click(page, IDC_ALIAS_EDIT);
        shoot(pagePicture("Aliases", "editing"), sheet);
        drive::click(page, IDC_ALIAS_CANCEL);
        page = drive::showPage(sheet, "Domain");
        drive::clickOpening(page, IDC_DOM_MAP_ADD, "Convert Domains", [](HWND dialog) {
            drive::setText(dialog, IDC_CONV_FROM, "shop.example.net");
            drive::setText(dialog, IDC_CONV_TO, "example.org");
            drive::click(dialog, IDC_CONV_EXTERNAL);
            shoot("dialog102_convert_domains", dialog);
            drive::click(dialog, IDCANCEL);
        });
        drive::pressCancel(sheet);
    });
}

// ---- Dialup, Schedule, Connection Times, Options, Ports and Attachments, as an
// office on a dial-up line would have them. The connections come from the
// stand-in dial-up handler, closed again afterwards.
void shootConnectivityAndOptionPages(const std::string& folder) {
    const std::string ini = folder + "\\ms.ini";
    const std::string settings[][3] = {
        {"dialup", "type", "0"}, {"dialup", "ras", "Office ISP"}, {"dialup", "retries", "3"},
        {"dialup", "delay", "15"}, {"dialup", "timeout", "90"},
        {"schedule", "type", "1"}, {"schedule", "interval", "30"}, {"schedule", "lotime", "9"},
        {"schedule", "hitime", "17"}, {"schedule", "priority", "1"}, {"schedule", "sun", "0"},
        {"schedule", "mon", "1"}, {"schedule", "tue", "1"}, {"schedule", "wed", "1"}, {"schedule", "thu", "1"},
        {"schedule", "fri", "1"}, {"schedule", "sat", "0"},
        {"schedule0", "times", "08:00,12:30,17:45,"}, {"schedule1", "times", "10:00,"},
        {"startup", "connect", "1"}, {"archive", "in", "1"}, {"archive", "folder", "C:\\Mail Server\\archive"},
        {"warning", "connect-fail", "1"}, {"radm", "internal", "1"}, {"radm", "admpw", drive::scramble("letmein")},
        {"pop-server", "address", "127.0.0.1"}, {"smtp-server", "idle", "600"}, {"pop-server", "idle", "300"},
        {"attachments", "use", "1"}, {"attachments", "folder", "C:\\Mail Server\\attachments"},
        {"attachments", "leave-copy", "0"}, {"attach", "type0", "*.doc"}, {"attach", "type1", "*.pdf"},
        {"attach", "type2", "*.xls"}, {"attach", "address0", "accounts@example.com"},
        {"attach", "address1", "director@example.com"},
    };
    for (const auto& s : settings) WritePrivateProfileStringA(s[0].c_str(), s[1].c_str(), s[2].c_str(), ini.c_str());
    CopyFileA((exeFolder() + "\\rashand.exe").c_str(), (folder + "\\rashand.exe").c_str(), FALSE);
    writeFile(folder + "\\rashand.ini",
              "[script]\r\nidle_exit=30\r\nentry0=Office ISP\r\nentry1=Backup Line\r\nentry2=Home Office\r\n");

    drive::runSheet("Dialup", [](HWND sheet) {
        shoot(pagePicture("Dialup"), sheet);
        drive::showPage(sheet, "Schedule");
        shoot(pagePicture("Schedule"), sheet);
        HWND page = drive::showPage(sheet, "Attachments");
        drive::selectListItem(page, IDC_ATT_TYPES, 7);
        shoot(pagePicture("Attachments"), sheet);
        drive::showPage(sheet, "Ports");
        shoot(pagePicture("Ports"), sheet);
        drive::showPage(sheet, "Options");
        shoot(pagePicture("Options"), sheet);
        page = drive::showPage(sheet, "Schedule");
        drive::click(page, IDC_SCHED_TIMES);
        drive::clickOpening(page, IDC_SCHED_SET_TIMES, "Connection Times", [](HWND dialog) {
            drive::selectListItem(dialog, IDC_TIMES_FIRST_LIST, 1);
            drive::setText(dialog, IDC_TIMES_FIRST_TIME, "13:15");
            shoot("dialog104_connection_times", dialog);
            drive::click(dialog, IDCANCEL);
        });
        drive::pressCancel(sheet);
    });
    if (HWND handler = FindWindowA("RasHand", "rashand-main")) PostMessageA(handler, WM_CLOSE, 0, 0);
}

// The Routing page with a filter of each of the six pictures, and its dialogs.
void shootRouting(const std::string& installDir) {
    const std::string ini = installDir + "\\ms.ini";
    auto put = [&](const char* section, const std::string& key, const std::string& value) {
        WritePrivateProfileStringA(section, key.c_str(), value.c_str(), ini.c_str());
    };
    const char* filters[] = {
        "Sales enquiries~1~1~0~0~2~0~quote~1~3~5~@example.org~1~Header: on~4~boss@example.org~"
        "17~1:1: :sales@example.org:0:0: : :0:0: : : :1:1: :Sales Team:sales@example.org~7~anna@office.example~"
        "8~C:\\Mail\\Sales archive\\Incoming enquiries~",
        "Staff newsletter~2~1~0~0~0~0~news@office.example~0~0~0~~14~staff~0~Unspecified operation...~"
        "0~Unspecified operation...~0~Unspecified operation...~0~Unspecified operation...~",
        "Archive everything~3~1~0~0~9~6~Message-id~0~0~0~~8~C:\\Mail\\Archive~0~Unspecified operation...~"
        "0~Unspecified operation...~0~Unspecified operation...~0~Unspecified operation...~",
        "Old forwarding~2~2~0~0~1~0~bob~0~0~0~~5~bob@home.example~0~Unspecified operation...~"
        "0~Unspecified operation...~0~Unspecified operation...~0~Unspecified operation...~",
        "Spam from outside~1~2~0~0~2~0~{SPAM}~0~0~0~~18~~2~Remove message...~0~Unspecified operation...~"
        "0~Unspecified operation...~0~Unspecified operation...~",
        "Holiday replies~3~2~0~0~0~0~office@example.org~0~0~0~~9~C:\\Mail\\holiday.txt~"
        "0~Unspecified operation...~0~Unspecified operation...~0~Unspecified operation...~0~Unspecified operation...~",
    };
    for (int i = 0; i < 6; ++i) put("routes", "operation" + std::to_string(i), filters[i]);
    const char* people[] = {"root", "alice", "bob", "carol", "dave", "erin", "frank", "grace", "heidi", "ivan",
                            "judy", "mallory"};
    for (int i = 0; i < 12; ++i) put(("mailbox" + std::to_string(i)).c_str(), "address", people[i]);
    put("domain", "domain", "office.example");

    drive::runSheet("Routing", [](HWND sheet) {
        HWND page = drive::currentPage(sheet);
        shoot(pagePicture("Routing", "filters"), sheet);
        struct Parameter {
            int button;
            const char* title;
            const char* picture;
        };
        for (const Parameter& p : {Parameter{IDC_ROUTE_PARAM1, "Auto Printing", "dialog222_auto_printing"},
                                   Parameter{IDC_ROUTE_PARAM2, "Email Address", "dialog203_email_address"},
                                   Parameter{IDC_ROUTE_PARAM3, "Relay Options", "dialog255_relay_options"},
                                   Parameter{IDC_ROUTE_PARAM4, "Select...", "dialog219_select"}}) {
            drive::clickOpening(page, p.button, p.title, [&p](HWND dialog) {
                shoot(p.picture, dialog);
                drive::click(dialog, IDCANCEL);
            });
        }
        drive::clickOpening(page, IDC_ROUTE_NEW, "New Filter", [](HWND dialog) {
            drive::setText(dialog, IDC_FILTERS_TEXT, "Invoices");
            shoot("dialog203_new_filter", dialog);
            drive::click(dialog, IDCANCEL);
        });
        drive::pressCancel(sheet);
    });
}

// The Reminders page with three reminders, and "Auto Email" on the second.
void shootReminders(const std::string& install) {
    const std::string ini = install + "\\ms.ini";
    writeFile(ini, readFile(ini) +
        "[0auto0]\r\nsubject=Monthly stock take\r\nhour=9\r\nmin=30\r\ndate=1\r\nmonth=0\r\nyear=2027\r\n"
        "totype=1\r\ntodata=ann@example.org, bob@example.org\r\nreptype=3\r\nrep1=1\r\nrep2=2\r\n"
        "line0=Please count the shelves.\r\n"
        "[0auto1]\r\nsubject=Team meeting\r\nhour=8\r\nmin=45\r\ndate=4\r\nmonth=0\r\nyear=2027\r\n"
        "totype=2\r\ntodata=Staff\r\nreptype=1\r\nrep1=1\r\nline0=Room 2 at nine.\r\nline1=Bring the figures.\r\n"
        "attachment=C:\\mail\\figures.xls\r\n"
        "[0auto2]\r\nsubject=Office closed\r\nhour=17\r\nmin=0\r\ndate=23\r\nmonth=11\r\nyear=2027\r\n"
        "totype=3\r\nreptype=2\r\nrep1=24\r\nrep2=11\r\nline0=The office is closed tomorrow.\r\n");
    CreateDirectoryA((install + "\\address lists").c_str(), nullptr);
    writeFile(install + "\\address lists\\Staff.txt", "ann@example.org\r\nbob@example.org\r\n");
    drive::runSheet("Reminders", [](HWND sheet) {
        HWND page = drive::currentPage(sheet);
        shoot(pagePicture("Reminders"), sheet);
        ListView_SetItemState(GetDlgItem(page, IDC_REM_LIST), 1, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        drive::clickOpening(page, IDC_REM_EDIT, "Auto Email", [](HWND dialog) {
            shoot("dialog216_auto_email", dialog);
            drive::click(dialog, IDC_AUTO_CANCEL);
        });
        drive::pressCancel(sheet);
    });
}

// The setup wizard's five pages filled in for a small office, and "Mail
// Client Information" after Finish.
void shootWizard() {
    drive::runWizard([](HWND sheet) {
        HWND page = drive::currentPage(sheet);
        drive::setText(page, IDC_WDOM_NAME, "example.org");
        shoot("wizard116_domain", sheet);
        page = drive::press(sheet, PSBTN_NEXT);
        drive::click(page, IDC_WCON_LAN);
        shoot("wizard117_connection", sheet);
        page = drive::press(sheet, PSBTN_NEXT);
        drive::setText(page, IDC_WREL_HOST, "smtp.provider.example");
        drive::click(page, IDC_WREL_AUTH);
        drive::setText(page, IDC_WREL_USER, "office");
        drive::setText(page, IDC_WREL_PASSWORD, "secret");
        shoot("wizard118_relay", sheet);
        page = drive::press(sheet, PSBTN_NEXT);
        drive::setText(page, IDC_WPOP_PASSWORD, "secret");
        shoot("wizard119_mailbox", sheet);
        page = drive::press(sheet, PSBTN_NEXT);
        drive::setText(page, IDC_WUSR_NAME, "Alice Smith");
        drive::setText(page, IDC_WUSR_ADDRESS, "alice.smith");
        drive::setText(page, IDC_WUSR_USER, "alice");
        drive::setText(page, IDC_WUSR_PASSWORD, "apple7");
        shoot("wizard263_first_user", sheet);
        drive::whenClientInformation([](HWND dialog) {
            shoot("dialog276_mail_client_information", dialog);
            drive::click(dialog, IDCANCEL);
        });
        drive::press(sheet, PSBTN_FINISH);
    });
}

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

    drive::runSheet("Domain", [](HWND sheet) {
        for (const admin::PageEntry& page : admin::kPageList) shootPage(sheet, page.title);
        HWND page = drive::showPage(sheet, "Incoming");
        drive::click(page, IDC_IN_ADD);
        shoot(pagePicture("Incoming", "editing"), sheet);
        drive::click(page, IDC_IN_CANCEL);
        drive::clickOpening(page, IDC_IN_ADVANCED, "Advanced Options", [](HWND dialog) {
            drive::click(dialog, IDC_ADV_USE);
            shoot("dialog150_advanced_options", dialog);
            drive::click(dialog, IDCANCEL);
        });
        page = drive::showPage(sheet, "Outgoing");
        drive::click(page, IDC_OUT_ADD);
        drive::click(page, IDC_OUT_AUTH);
        drive::click(page, IDC_OUT_CHANGE_FROM);
        drive::setText(page, IDC_OUT_HOST, "smtp.new.example");
        drive::setText(page, IDC_OUT_SENDER, "office@example.org");
        shoot(pagePicture("Outgoing", "editing"), sheet);
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
        page = drive::showPage(sheet, "Incoming");
        RECT r;
        GetWindowRect(GetDlgItem(page, IDC_IN_ADD), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        if (drive::waitForWindow("ms-tip", "", 4000)) shoot("tooltip", sheet);
        SetCursorPos(0, 0);
        drive::pressCancel(sheet);
    });
    shootReminders(argv[1]);

    shootListPages(argv[1]);

    shootConnectivityAndOptionPages(argv[1]);

    drive::whenShown("#32770", "Enter Information", [](HWND dialog) {
        if (!dialog) return;
        shoot("dialog220_enter_information", dialog);
        drive::click(dialog, IDCANCEL);
    });
    ui::prompt(nullptr, {"Enter email address", "someone@example.org"});

    shootRouting(argv[1]);

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

    shootWizard();
    return 0;
}
