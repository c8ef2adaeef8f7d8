// CreateWelcomeMsg: the first message in a new account's mailbox, with the
// account's details and, when the install folder holds it, the mail
// notifier program attached.
#include <windows.h>

#include "accounts/account_rules.h"
#include "accounts/welcome_text.h"
#include "frame/crypt.h"
#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/install_folder.h"
#include "frame/message_file.h"
#include "frame/profile.h"
#include "utilities.h"

namespace util {
namespace {

constexpr const char* kNotifierProgram = "your mailbox.exe";
constexpr const char* kSiteText = "new user.txt";

bool isFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void createWelcomeMessage(const std::string& section, const std::string& mailboxFolder) {
    WelcomeMessage m;
    m.singleDomain = read(cfg::kSingleDomain) != 0;
    m.domain = read(cfg::kPrimaryDomain);
    if (!m.singleDomain) m.root = read(cfg::kAdministratorAddress);
    m.address = read(m.singleDomain ? cfg::kWelcomeLocalPart : cfg::kWelcomeFullAddress, section);
    m.userName = read(cfg::kWelcomeUserName, section);
    m.password = crypt(accountKey(m.userName), read(cfg::kAccountPassword, section), false);
    m.time = localTimeNow();
    char zone[16] = {};
    GetTZOffset(zone);
    m.zoneOffset = zone;

    // The install folder may be given with or without its last backslash.
    const std::string folder = installFolder();
    const std::string program = fileInFolder(folder, kNotifierProgram);
    const std::string encoded = installFile("\\temp\\attach1.tmp");
    if (isFile(program)) {
        DeleteFileA(encoded.c_str());
        if (EncodeBase64(program.c_str(), encoded.c_str()) >= 0) m.attachmentName = kNotifierProgram;
    }

    WelcomeLines lines = welcomeMessageLines(m);
    MessageFile out;
    if (out.create(fileInFolder(mailboxFolder, "new mail account.txt"))) {
        out.lines(lines.opening);
        if (out.copyText(fileInFolder(folder, kSiteText))) out.line("");
        out.lines(lines.account);
        if (!m.attachmentName.empty()) out.copyBytes(encoded);
        out.lines(lines.tail);
        out.close();

        MessageFile envelope;
        if (envelope.create(fileInFolder(mailboxFolder, "new mail account.adr"))) envelope.lines(welcomeEnvelopeLines(m));
    }
    if (!m.attachmentName.empty()) DeleteFileA(encoded.c_str());
}

}  // namespace
}  // namespace util

extern "C" int UTILAPI CreateWelcomeMsg(const char* section, const char* mailboxFolder) {
    return util::guarded(0, [&] {
        util::createWelcomeMessage(util::orEmpty(section), util::orEmpty(mailboxFolder));
        return 0;
    });
}
