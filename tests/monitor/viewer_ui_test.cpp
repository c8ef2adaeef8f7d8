// The mailbox viewer of the real DLL on real message files: what it lists
// and shows, what its buttons do to the files, the notifications that reach
// a mail client's UDP socket, RefreshView, and the stored placement.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "accounts/udp_listener.h"
#include "monitor/mail_viewer_ids.h"
#include "monitor/select_destination_ids.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace testing_support;

namespace {

std::string account(int index, const std::string& name, const std::string& user, const std::string& port = "") {
    std::string s = "[mailbox" + std::to_string(index) + "]\r\nname=" + name + "\r\naddress=" + user +
                    "\r\nfolder=" + user + "\r\n";
    if (!port.empty()) s += "host=127.0.0.1\r\nport=" + port + "\r\n";
    return s;
}

const std::string kAccounts = account(0, "(Postmaster)", "root") + account(1, "Alice Smith", "alice") +
                              account(2, "Bob Jones", "bob");

// An install folder with the accounts' mailboxes, the queues and archives.
class Mail {
public:
    explicit Mail(const std::string& ini = kAccounts) : install_(ini) {
        for (const char* sub : {"mailboxes", "mailboxes\\root", "mailboxes\\alice", "mailboxes\\bob", "out", "in",
                                "spam", "archive", "archive\\in", "archive\\out"})
            CreateDirectoryA(install_.file(sub).c_str(), nullptr);
    }
    ~Mail() {
        for (HWND viewer : threadWindows("#32770", "Mailbox Viewer")) DestroyWindow(viewer);
    }
    std::string file(const std::string& name) const { return install_.file(name); }
    void put(const std::string& name, const std::string& bytes) const { writeFile(file(name), bytes); }
    // A message with an envelope, a hold marker and a companion of the server's.
    void putFamily(const std::string& base, const std::string& text) const {
        put(base + ".txt", text);
        put(base + ".adr", "MAIL FROM: <a@example.org>\r\nRCPT TO: <b@example.org>\r\n");
        put(base + ".lck", "");
        put(base + ".trg", "trigger");
    }
    bool has(const std::string& name) const { return fileExists(file(name)); }
    std::string ini(const std::string& section, const std::string& key) const { return install_.ini(section, key); }
    void set(const std::string& section, const std::string& key, const std::string& value) const {
        install_.set(section, key, value);
    }
    std::vector<std::string> files(const std::string& folder) const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(file(folder + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    drive::Install install_;
};

HTREEITEM findItem(HWND tree, HTREEITEM item, const std::string& label, const std::string& parent) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        char text[260] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        TreeView_GetItem(tree, &tv);
        HTREEITEM up = TreeView_GetParent(tree, item);
        char upText[260] = {};
        if (up) {
            tv.hItem = up;
            tv.pszText = upText;
            TreeView_GetItem(tree, &tv);
        }
        if (label == text && (parent.empty() || parent == upText)) return item;
        if (HTREEITEM found = findItem(tree, TreeView_GetChild(tree, item), label, parent)) return found;
    }
    return nullptr;
}

HTREEITEM treeItem(HWND viewer, const std::string& label, const std::string& parent = "") {
    HWND tree = GetDlgItem(viewer, IDC_VIEW_TREE);
    return findItem(tree, TreeView_GetRoot(tree), label, parent);
}

void chooseFolder(HWND viewer, const std::string& label, const std::string& parent = "") {
    HTREEITEM item = treeItem(viewer, label, parent);
    ASSERT_NE(item, nullptr) << label;
    TreeView_SelectItem(GetDlgItem(viewer, IDC_VIEW_TREE), item);
}

std::vector<std::string> entries(HWND viewer) { return drive::listItems(viewer, IDC_VIEW_LIST); }

int entryIndex(HWND viewer, const std::string& name) {
    std::vector<std::string> names = entries(viewer);
    auto at = std::find(names.begin(), names.end(), name);
    return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

// Selects the named entries as the user would, with LBN_SELCHANGE.
void selectEntries(HWND viewer, const std::vector<std::string>& names) {
    HWND list = GetDlgItem(viewer, IDC_VIEW_LIST);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (const std::string& name : names) {
        int index = entryIndex(viewer, name);
        ASSERT_GE(index, 0) << name;
        SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    SendMessageA(viewer, WM_COMMAND, MAKEWPARAM(IDC_VIEW_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::vector<std::string> selectedEntries(HWND viewer) {
    std::vector<std::string> names = entries(viewer), selected;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SendDlgItemMessageA(viewer, IDC_VIEW_LIST, LB_GETSEL, i, 0) > 0) selected.push_back(names[i]);
    return selected;
}

int entryState(HWND viewer, const std::string& name) {
    return static_cast<int>(SendDlgItemMessageA(viewer, IDC_VIEW_LIST, LB_GETITEMDATA, entryIndex(viewer, name), 0));
}

std::string messageText(HWND viewer) {
    HWND field = GetDlgItem(viewer, IDC_VIEW_TEXT);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string statusPart(HWND viewer, int part) {
    char text[512] = {};
    SendDlgItemMessageA(viewer, IDC_VIEW_STATUS, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

// Clicks Transfer and, in "Select Destination", the destination and Copy or
// Move; returns the destinations the dialog offered.
std::vector<std::string> transfer(HWND viewer, const std::string& destination, int button) {
    std::vector<std::string> offered;
    bool opened = drive::clickOpening(viewer, IDC_VIEW_TRANSFER, "Select Destination", [&](HWND dialog) {
        offered = drive::listItems(dialog, IDC_DEST_LIST);
        auto at = std::find(offered.begin(), offered.end(), destination);
        if (at == offered.end()) return drive::click(dialog, IDCANCEL);
        SendDlgItemMessageA(dialog, IDC_DEST_LIST, LB_SETCURSEL, at - offered.begin(), 0);
        drive::click(dialog, button);
    });
    EXPECT_TRUE(opened);
    return offered;
}

std::string message(const std::string& subject, const std::string& body) {
    return "From: someone@example.org\r\nSubject: " + subject + "\r\n\r\n" + body;
}

TEST(MailViewer, ListsTheFolderAndShowsAMessageWithItsEnvelopeWithAndWithoutHeaders) {
    Mail mail;
    const std::string named = "2003-05-12-09-30-15-0003";
    mail.put("mailboxes\\alice\\" + named + ".txt", message("Lunch", "Friday at noon?\r\n"));
    mail.put("mailboxes\\alice\\" + named + ".adr",
             "MAIL FROM: <bob@example.org>\r\nRCPT TO: <alice@example.org>\r\nrcpt to: <carl@example.org>\r\n");
    mail.put("mailboxes\\alice\\" + named + ".lck", "");
    mail.put("mailboxes\\alice\\abc.txt", message("Plain", "no envelope\r\n"));
    mail.put("mailboxes\\alice\\abc.adx", "not a message");

    HWND viewer = ShowMailWindow(nullptr);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(ShowMailWindow(nullptr), viewer) << "one viewer at a time";
    for (const char* label : {"Mailboxes", "(Postmaster)", "Alice Smith", "Bob Jones", "System", "Archive", "Spam"})
        EXPECT_NE(treeItem(viewer, label), nullptr) << label;
    EXPECT_NE(treeItem(viewer, "Outgoing mail", "System"), nullptr);
    EXPECT_NE(treeItem(viewer, "Incoming mail", "Archive"), nullptr);

    chooseFolder(viewer, "Alice Smith");
    std::vector<std::string> listed = entries(viewer);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{named + ".txt", "abc.txt"}));
    EXPECT_EQ(selectedEntries(viewer).size(), 1u) << "the first entry is selected and shown";
    EXPECT_EQ(entryState(viewer, named + ".txt"), 1) << "held";
    EXPECT_EQ(entryState(viewer, "abc.txt"), 0);

    selectEntries(viewer, {named + ".txt"});
    EXPECT_EQ(messageText(viewer), "Friday at noon?\r\n");
    EXPECT_EQ(drive::text(viewer, IDC_VIEW_FROM), "bob@example.org");
    EXPECT_EQ(drive::comboItems(viewer, IDC_VIEW_TO),
              (std::vector<std::string>{"alice@example.org", "carl@example.org"}));
    EXPECT_EQ(drive::comboSelection(viewer, IDC_VIEW_TO), "alice@example.org");
    std::string size = std::to_string(fileSize(mail.file("mailboxes\\alice\\" + named + ".txt")));
    EXPECT_NE(statusPart(viewer, 0).find("  (" + size + " bytes)"), std::string::npos) << statusPart(viewer, 0);
    EXPECT_EQ(statusPart(viewer, 1), " 2 messages");
    EXPECT_EQ(statusPart(viewer, 2), "Held message");

    drive::click(viewer, IDC_VIEW_HEADER);
    EXPECT_EQ(messageText(viewer), message("Lunch", "Friday at noon?\r\n"));
    selectEntries(viewer, {"abc.txt"});
    EXPECT_EQ(messageText(viewer), message("Plain", "no envelope\r\n")) << "headers stay shown";
    EXPECT_EQ(drive::text(viewer, IDC_VIEW_FROM), "");
    EXPECT_TRUE(drive::comboItems(viewer, IDC_VIEW_TO).empty());
    EXPECT_EQ(statusPart(viewer, 2), "");
    drive::click(viewer, IDC_VIEW_HEADER);
    EXPECT_EQ(messageText(viewer), "no envelope\r\n");

    // Two entries selected: the header button waits for one.
    selectEntries(viewer, {"abc.txt", named + ".txt"});
    drive::click(viewer, IDC_VIEW_HEADER);
    EXPECT_EQ(messageText(viewer), "no envelope\r\n");

    drive::click(viewer, IDC_VIEW_CLOSE);
    EXPECT_FALSE(IsWindow(viewer));
}

TEST(MailViewer, ShowsAtMost32000BytesWithTheNoteAndAMessageWithoutBlankLineWhole) {
    Mail mail;
    std::string body;
    for (int i = 0; body.size() < 40000; ++i) body += "line " + std::to_string(i) + " of a long message\r\n";
    const std::string big = "Subject: big\r\n\r\n" + body;
    mail.put("out\\big.txt", big);
    HWND viewer = ShowMailWindow(nullptr);
    chooseFolder(viewer, "Outgoing mail", "System");
    EXPECT_EQ(messageText(viewer), big.substr(16, 32000 - 16) + "\r\n\r\nThis message has been truncated...");
    EXPECT_EQ(entryState(viewer, "big.txt"), 3);

    const std::string whole = "Subject: no body\r\nX-Note: and no blank line either\r\n";
    DeleteFileA(mail.file("out\\big.txt").c_str());
    mail.put("out\\whole.txt", whole);
    drive::click(viewer, IDC_VIEW_REFRESH);
    EXPECT_EQ(entries(viewer), std::vector<std::string>{"whole.txt"});
    EXPECT_EQ(messageText(viewer), whole);
}

TEST(MailViewer, HoldFollowsTheFirstSelectedEntryBothWays) {
    Mail mail;
    mail.put("out\\first.txt", message("one", "1\r\n"));
    mail.put("out\\second.txt", message("two", "2\r\n"));
    mail.put("out\\second.lck", "");
    HWND viewer = ShowMailWindow(nullptr);
    chooseFolder(viewer, "Outgoing mail", "System");

    // The list keeps the order of the directory listing; the test picks the
    // first selected entry by that order.
    std::vector<std::string> order = entries(viewer);
    ASSERT_EQ(order.size(), 2u);
    bool firstHeldFirst = order.front() == "second.txt";
    selectEntries(viewer, order);
    drive::click(viewer, IDC_VIEW_HOLD);
    // The first entry decides: held, both are released; not held, both held.
    bool held = !firstHeldFirst;
    EXPECT_EQ(mail.has("out\\first.lck"), held);
    EXPECT_EQ(mail.has("out\\second.lck"), held);
    EXPECT_EQ(statusPart(viewer, 2), held ? "Held message" : "");
    EXPECT_EQ(entryState(viewer, "first.txt"), held ? 1 : 3);
    EXPECT_EQ(entryState(viewer, "second.txt"), held ? 1 : 3);

    drive::click(viewer, IDC_VIEW_HOLD);
    EXPECT_EQ(mail.has("out\\first.lck"), !held);
    EXPECT_EQ(mail.has("out\\second.lck"), !held);
    EXPECT_EQ(statusPart(viewer, 2), !held ? "Held message" : "");
}

TEST(MailViewer, MovingIntoAMailboxThatHoldsTheNameGivesANewUniqueNameToTheFamily) {
    UdpListener alice, bob;
    Mail mail(account(0, "(Postmaster)", "root") + account(1, "Alice Smith", "alice", alice.portText()) +
              account(2, "Bob Jones", "bob", bob.portText()));
    mail.putFamily("mailboxes\\alice\\m", message("moved", "body\r\n"));
    mail.put("mailboxes\\bob\\m.txt", message("already there", "bob's own\r\n"));
    HWND viewer = ShowMailWindow(nullptr);
    chooseFolder(viewer, "Alice Smith");
    selectEntries(viewer, {"m.txt"});

    std::vector<std::string> offered = transfer(viewer, "Bob Jones", IDC_DEST_MOVE);
    EXPECT_EQ(offered, (std::vector<std::string>{"(Postmaster)", "Bob Jones", "Incoming Archive", "Outgoing Archive",
                                                 "Spam Archive"}));
    EXPECT_TRUE(mail.files("mailboxes\\alice").empty());
    std::vector<std::string> bobs = mail.files("mailboxes\\bob");
    ASSERT_EQ(bobs.size(), 5u);
    EXPECT_EQ(readFile(mail.file("mailboxes\\bob\\m.txt")), message("already there", "bob's own\r\n"));
    std::string base = bobs.front().substr(0, bobs.front().size() - 4);
    EXPECT_EQ(bobs, (std::vector<std::string>{base + ".adr", base + ".lck", base + ".trg", base + ".txt", "m.txt"}));
    EXPECT_EQ(base.rfind("20", 0), 0u) << "a unique name: " << base;
    EXPECT_EQ(readFile(mail.file("mailboxes\\bob\\" + base + ".txt")), message("moved", "body\r\n"));
    EXPECT_EQ(readFile(mail.file("mailboxes\\bob\\" + base + ".adr")),
              "MAIL FROM: <a@example.org>\r\nRCPT TO: <b@example.org>\r\n");

    // Both mail clients are told: the destination's and the source's.
    std::string datagram;
    ASSERT_TRUE(bob.receive(datagram, 5000));
    EXPECT_EQ(datagram, "U");
    ASSERT_TRUE(alice.receive(datagram, 5000));
    EXPECT_EQ(datagram, "U");
}

TEST(MailViewer, TransferToTheSpamArchiveCopiesTheMessageFileOnly) {
    Mail mail;
    mail.putFamily("in\\x", message("spam", "buy now\r\n"));
    HWND viewer = ShowMailWindow(nullptr);
    chooseFolder(viewer, "Incoming mail", "System");
    std::vector<std::string> offered = transfer(viewer, "Spam Archive", IDC_DEST_COPY);
    EXPECT_EQ(offered.size(), 6u) << "three accounts and three archives";
    EXPECT_EQ(mail.files("spam"), std::vector<std::string>{"x.txt"});
    EXPECT_EQ(mail.files("in"), (std::vector<std::string>{"x.adr", "x.lck", "x.trg", "x.txt"})) << "copied, not moved";

    // From the spam folder, the spam archive is not offered.
    chooseFolder(viewer, "Spam");
    EXPECT_EQ(entryState(viewer, "x.txt"), 5);
    offered = transfer(viewer, "nowhere", IDC_DEST_COPY);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "Spam Archive"), 0);
}

TEST(MailViewer, RefreshViewKeepsTheSelectedFileAndFollowsTheAccounts) {
    Mail mail;
    EXPECT_EQ(RefreshView(), 0);
    EXPECT_TRUE(threadWindows("#32770", "Mailbox Viewer").empty()) << "no viewer, nothing done";

    for (const char* name : {"a.txt", "b.txt", "c.txt"}) mail.put(std::string("mailboxes\\bob\\") + name, message(name, name));
    HWND viewer = ShowMailWindow(nullptr);
    chooseFolder(viewer, "Bob Jones");
    selectEntries(viewer, {"b.txt"});
    ASSERT_EQ(messageText(viewer), "b.txt");

    mail.put("mailboxes\\bob\\d.txt", message("d", "d"));
    RefreshView();
    EXPECT_EQ(entries(viewer).size(), 4u);
    EXPECT_EQ(selectedEntries(viewer), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(messageText(viewer), "b.txt");
    EXPECT_EQ(statusPart(viewer, 1), " 4 messages");

    // The file gone: another entry is selected and shown.
    int old = entryIndex(viewer, "b.txt");
    DeleteFileA(mail.file("mailboxes\\bob\\b.txt").c_str());
    RefreshView();
    std::vector<std::string> names = entries(viewer);
    ASSERT_EQ(names.size(), 3u);
    std::string expected = names[static_cast<std::size_t>(old > 0 ? old - 1 : 0)];
    EXPECT_EQ(selectedEntries(viewer), std::vector<std::string>{expected});
    EXPECT_EQ(messageText(viewer), expected);

    // A renamed account: its item follows, still selected by its index.
    mail.set("mailbox2", "name", "Robert Jones");
    RefreshView();
    EXPECT_EQ(treeItem(viewer, "Bob Jones"), nullptr);
    HTREEITEM renamed = treeItem(viewer, "Robert Jones", "Mailboxes");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(TreeView_GetSelection(GetDlgItem(viewer, IDC_VIEW_TREE)), renamed);
    EXPECT_EQ(entries(viewer).size(), 3u);
    // A removed account: "Mailboxes" is selected and the list is empty.
    mail.set("mailbox2", "name", "");
    RefreshView();
    EXPECT_EQ(TreeView_GetSelection(GetDlgItem(viewer, IDC_VIEW_TREE)), treeItem(viewer, "Mailboxes"));
    EXPECT_TRUE(entries(viewer).empty());
    EXPECT_EQ(statusPart(viewer, 1), " 0 messages");
}

TEST(MailViewer, DeleteRemovesTheMessageWithItsCompanionsAndTellsTheMailClient) {
    UdpListener client;
    Mail mail(account(0, "(Postmaster)", "root") + account(1, "Alice Smith", "alice", client.portText()));
    mail.putFamily("mailboxes\\alice\\gone", message("gone", "x"));
    mail.put("mailboxes\\alice\\stays.txt", message("stays", "y"));
    HWND viewer = ShowMailWindow(nullptr);
    chooseFolder(viewer, "Alice Smith");
    selectEntries(viewer, {"gone.txt"});
    drive::click(viewer, IDC_VIEW_DELETE);
    EXPECT_EQ(mail.files("mailboxes\\alice"), std::vector<std::string>{"stays.txt"});
    EXPECT_EQ(entries(viewer), std::vector<std::string>{"stays.txt"});
    EXPECT_EQ(messageText(viewer), "y");
    std::string datagram;
    ASSERT_TRUE(client.receive(datagram, 5000));
    EXPECT_EQ(datagram, "U");

    // A system folder names no account: nobody is told.
    mail.put("out\\q.txt", message("queued", "q"));
    chooseFolder(viewer, "Outgoing mail", "System");
    drive::click(viewer, IDC_VIEW_DELETE);
    EXPECT_FALSE(mail.has("out\\q.txt"));
    EXPECT_FALSE(client.receive(datagram, 300));
}

TEST(MailViewer, PlacementIsStoredWhenMovedAndUsedAtTheNextOpening) {
    Mail mail;
    HWND viewer = ShowMailWindow(nullptr);
    RECT r;
    GetWindowRect(viewer, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2) << "centred while nothing is stored";
    EXPECT_GE(r.right - r.left, 460);
    EXPECT_GE(r.bottom - r.top, 463);

    SetWindowPos(viewer, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pumpFor(50);
    EXPECT_EQ(mail.ini("view", "Left"), "123");
    EXPECT_EQ(mail.ini("view", "Top"), "77");
    // Too close to the right and bottom edges: not stored.
    SetWindowPos(viewer, nullptr, GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    pumpFor(50);
    EXPECT_EQ(mail.ini("view", "Left"), "123");
    EXPECT_EQ(mail.ini("view", "Top"), "77");
    // It cannot be made smaller than 460 by 463.
    MINMAXINFO limits{};
    SendMessageA(viewer, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 460);
    EXPECT_EQ(limits.ptMinTrackSize.y, 463);

    drive::click(viewer, IDC_VIEW_CLOSE);
    HWND again = ShowMailWindow(nullptr);
    ASSERT_NE(again, nullptr);
    GetWindowRect(again, &r);
    EXPECT_EQ(r.left, 123);
    EXPECT_EQ(r.top, 77);
}

}  // namespace
