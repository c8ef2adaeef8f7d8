// Writes generated messages into a folder for an independent MIME parser
// to read back: a reminder with an attachment, a plain reminder and a
// welcome message with the notifier program attached, each beside the
// original files they carry.
//
//   message_samples OUTPUT_FOLDER NOTIFIER_PROGRAM
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "frame/crypt.h"
#include "frame/frame_state.h"
#include "reminders/reminders.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

// Moves the one message file of tmp to name, and deletes its envelope.
bool takeMessage(const std::string& install, const std::string& target) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((install + "\\tmp\\*.txt").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    std::string message = install + "\\tmp\\" + found.cFileName;
    std::string envelope = message.substr(0, message.size() - 4) + ".adr";
    bool moved = MoveFileA(message.c_str(), target.c_str()) != 0;
    DeleteFileA(envelope.c_str());
    return moved;
}

int fail(const char* what) {
    std::fprintf(stderr, "message_samples: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return fail("usage: message_samples OUTPUT_FOLDER NOTIFIER_PROGRAM");
    std::string out = argv[1];
    removeTree(out);
    CreateDirectoryA(out.c_str(), nullptr);
    std::string install = out + "\\install";
    for (const char* sub : {"", "\\tmp", "\\temp", "\\mailboxes", "\\mailboxes\\sales"})
        CreateDirectoryA((install + sub).c_str(), nullptr);
    util::frameState().configPathBuilt = false;
    SetPath(install.c_str());
    writeFile(install + "\\ms.ini", "[domain]\r\ndomain=example.org\r\nuse=1\r\n"
                                    "[mailbox0]\r\nname=(Postmaster)\r\naddress=root\r\nfolder=root\r\n"
                                    "[mailbox1]\r\nname=Sales\r\naddress=sales\r\nfolder=sales\r\npassword=" +
                                        util::crypt("SALES", "open4biz", true) + "\r\n");

    // Every byte value, and a length that leaves a partial last group.
    std::string data;
    for (int i = 0; i < 1000; ++i) data += static_cast<char>((i * 7 + i / 256) & 0xFF);
    std::string attachment = out + "\\stock data.bin";
    if (!writeFile(attachment, data)) return fail("cannot write the attachment");

    auto r = std::make_unique<util::ReminderRecord>();
    *r = util::ReminderRecord{};
    r->totype = util::kToAddresses;
    std::strcpy(r->todata, "Ann <ann@example.org>, bob@example.org cy@example.net");
    std::strcpy(r->subject, "Monthly stock take");
    std::strcpy(r->line0, "Please count the shelves.");
    std::strcpy(r->line2, "Thank you");
    std::strcpy(r->attachment, attachment.c_str());
    util::generateReminder(*r);
    if (!takeMessage(install, out + "\\reminder_attached.eml")) return fail("no reminder with attachment");

    r->attachment[0] = '\0';
    util::generateReminder(*r);
    if (!takeMessage(install, out + "\\reminder_plain.eml")) return fail("no plain reminder");

    if (!CopyFileA(argv[2], (install + "\\your mailbox.exe").c_str(), FALSE)) return fail("no notifier program");
    if (!CopyFileA(argv[2], (out + "\\notifier.exe").c_str(), FALSE)) return fail("cannot copy the notifier");
    writeFile(install + "\\new user.txt", "Welcome to the shop.\r\n");
    CreateWelcomeMsg("mailbox1", (install + "\\mailboxes\\sales\\").c_str());
    if (!MoveFileA((install + "\\mailboxes\\sales\\new mail account.txt").c_str(), (out + "\\welcome.eml").c_str()))
        return fail("no welcome message");
    std::printf("message_samples: written to %s\n", out.c_str());
    return 0;
}
