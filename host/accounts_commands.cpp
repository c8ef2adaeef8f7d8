// Host commands for the accounts, client notification, reminders and
// welcome messages.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.h"
#include "frame/settings.h"

namespace host {
namespace {

std::string installFile(const Host& h, const std::string& tail) {
    std::string path = h.installDir;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + tail;
}

int remindersCmd(Host& h, const Args&) {
    int result = h.library.get<decltype(&CheckReminders)>("CheckReminders")();
    std::printf("reminders: %d\n", result);
    return 0;
}

int addressCmd(Host& h, const Args& a) {
    char address[1024] = {};
    h.library.get<decltype(&GetAddressFromName)>("GetAddressFromName")(a[0].c_str(), address);
    std::printf("address: %s\n", address);
    return 0;
}

int updateCmd(Host& h, const Args& a) {
    h.library.get<decltype(&UpdateClient)>("UpdateClient")(a[0].c_str());
    std::printf("update: %s\n", a[0].c_str());
    return 0;
}

int updateAllCmd(Host& h, const Args&) {
    h.library.get<decltype(&UpdateAllClients)>("UpdateAllClients")();
    std::printf("updateall: done\n");
    return 0;
}

int alertCmd(Host& h, const Args& a) {
    h.library.get<decltype(&SendAlert)>("SendAlert")(a[0].c_str(), a[1].c_str(), a[2].c_str());
    std::printf("alert: sent to %s port %s\n", a[0].c_str(), a[1].c_str());
    return 0;
}

// The account's mailbox folder is the install folder's "mailboxes" folder
// and its user name, as the accounts dialog creates it.
int welcomeCmd(Host& h, const Args& a) {
    cfg::Place at = cfg::place(cfg::kAccountUserName, std::atoi(a[0].c_str()));
    std::string ini = installFile(h, "\\ms.ini");
    char folder[cfg::kAccountUserName.size] = {};
    GetPrivateProfileStringA(at.section.c_str(), at.key.c_str(), cfg::kAccountUserName.fallback, folder,
                             sizeof folder, ini.c_str());
    std::string mailbox = installFile(h, "\\mailboxes\\") + folder + "\\";
    CreateDirectoryA(installFile(h, "\\mailboxes").c_str(), nullptr);
    CreateDirectoryA(mailbox.c_str(), nullptr);
    h.library.get<decltype(&CreateWelcomeMsg)>("CreateWelcomeMsg")(at.section.c_str(), mailbox.c_str());
    std::printf("welcome: %snew mail account.txt\n", mailbox.c_str());
    return 0;
}

const Command accountsCommands[] = {
    {"reminders", 0, "CheckReminders: generate the due reminders into tmp", remindersCmd},
    {"address", 1, "NAME: GetAddressFromName", addressCmd},
    {"update", 1, "NAME: UpdateClient (notify the account's mail client)", updateCmd},
    {"updateall", 0, "UpdateAllClients", updateAllCmd},
    {"alert", 3, "HOST PORT TEXT: SendAlert (one UDP datagram)", alertCmd},
    {"welcome", 1, "N: CreateWelcomeMsg for mailboxN into its mailbox folder", welcomeCmd},
};
HOST_COMMANDS(accountsCommands);

}  // namespace
}  // namespace host
