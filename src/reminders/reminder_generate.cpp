// The reminder generator: a record becomes an envelope and a message in the
// install folder's tmp folder. The message is written as B.tmp and only
// copied to B.txt once complete, so whoever collects the tmp folder never
// meets half a message; every failure removes what was written.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "accounts/accounts.h"
#include "frame/event_log.h"
#include "frame/install_folder.h"
#include "frame/message_file.h"
#include "frame/profile.h"
#include "frame/spool_files.h"
#include "reminders/reminder_message.h"
#include "reminders/reminders.h"
#include "utilities.h"

namespace util {
namespace {

bool isFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void notSent(const char* why) { logEvent(std::string("Reminder not sent - ") + why, UTIL_EVENT_WARNING); }

// The recipients of a record, or the reason there are none.
struct Recipients {
    std::vector<std::string> addresses;
    const char* failure = nullptr;
};

Recipients recipientsOf(const ReminderRecord& r, bool singleDomain, const std::string& domain) {
    Recipients out;
    auto local = [&](std::string address) { return singleDomain ? address + "@" + domain : address; };
    switch (r.totype) {
    case kToUser: {
        std::string address = accountAddressByName(r.todata);
        if (address.empty()) out.failure = "no user address";
        else out.addresses.push_back(local(address));
        break;
    }
    case kToAddresses:
        out.addresses = addressTokens(r.todata);
        if (out.addresses.empty()) out.failure = "no valid addresses";
        break;
    case kToList: {
        std::string list = installFile("\\address lists\\") + r.todata + ".txt";
        std::vector<std::string> lines;
        if (!pathExists(list)) out.failure = "address list missing";
        else if (!readTextLines(list, lines)) out.failure = "cannot open list file";
        else {
            for (const std::string& line : lines)
                for (std::string& address : addressTokens(line)) out.addresses.push_back(std::move(address));
            if (out.addresses.empty()) out.failure = "no valid addresses in list";
        }
        break;
    }
    case kToAllUsers:
        for (std::string& address : readFamily(cfg::kAccountAddress, cfg::kMaxAccounts))
            if (!address.empty()) out.addresses.push_back(local(std::move(address)));
        if (out.addresses.empty()) out.failure = "no local users";
        break;
    default:
        out.failure = "no addresses";
        break;
    }
    return out;
}

// The recipients as the envelope on disk lists them; false when it cannot
// be read back.
bool envelopeRecipients(const std::string& envelope, std::vector<std::string>& addresses) {
    std::vector<std::string> lines;
    if (!readTextLines(envelope, lines)) return false;
    for (const std::string& line : lines)
        if (line.compare(0, 8, "RCPT TO:") == 0) addresses.push_back(extractAddress(std::string_view(line).substr(8)));
    return true;
}

std::string fileNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void generateReminder(const ReminderRecord& r) {
    if (r.totype != kToAllUsers && r.todata[0] == '\0') return notSent("no addresses");

    const std::string domain = read(cfg::kReminderDomain);
    const bool singleDomain = read(cfg::kSingleDomain) != 0;
    const std::string sender = singleDomain ? "root@" + domain : read(cfg::kAdministratorAddress);

    const std::string message = uniqueFileName(installFile("\\tmp"), "txt");
    const std::string base = message.substr(0, message.size() - 4);
    const std::string envelope = base + ".adr";
    const std::string draft = base + ".tmp";

    MessageFile adr;
    if (!adr.create(envelope)) return notSent("cannot open adr file");
    adr.line("MAIL FROM: <" + sender + ">");
    Recipients to = recipientsOf(r, singleDomain, domain);
    if (to.failure) {
        adr.close();
        DeleteFileA(envelope.c_str());
        return notSent(to.failure);
    }
    for (const std::string& address : to.addresses) adr.line("RCPT TO: <" + address + ">");
    if (!adr.close()) {
        DeleteFileA(envelope.c_str());
        return notSent("cannot open adr file");
    }

    // The attachment is encoded first; without it the message is plain.
    const std::string encoded = installFile("\\temp\\attach.tmp");
    std::string attachmentName;
    if (r.attachment[0] && isFile(r.attachment)) {
        DeleteFileA(encoded.c_str());
        if (EncodeBase64(r.attachment, encoded.c_str()) >= 0) attachmentName = fileNameOf(r.attachment);
    }

    ReminderMessage text;
    text.time = localTimeNow();
    char zone[16] = {};
    GetTZOffset(zone);
    text.zoneOffset = zone;
    text.envelopeReadable = envelopeRecipients(envelope, text.recipients);
    text.sender = sender;
    text.domain = domain;
    text.subject = r.subject;
    text.body[0] = r.line0;
    text.body[1] = r.line1;
    text.body[2] = r.line2;
    text.body[3] = r.line3;
    text.attachmentName = attachmentName;
    MessageLines lines = reminderMessageLines(text);

    MessageFile out;
    bool written = out.create(draft);
    if (written) {
        out.lines(lines.head);
        if (!attachmentName.empty()) out.copyBytes(encoded);
        out.lines(lines.tail);
        written = out.close();
    }
    if (!attachmentName.empty()) DeleteFileA(encoded.c_str());
    // The finished message appears under its .txt name only when whole.
    if (!written || !CopyFileA(draft.c_str(), message.c_str(), TRUE)) {
        DeleteFileA(draft.c_str());
        DeleteFileA(envelope.c_str());
        return notSent("cannot open mail file");
    }
    DeleteFileA(draft.c_str());
    logEvent("Reminder generated", UTIL_EVENT_SCHEDULED);
}

}  // namespace util
