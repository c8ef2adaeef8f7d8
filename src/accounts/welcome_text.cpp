#include "accounts/welcome_text.h"

#include "frame/settings.h"
#include "content/message_text.h"

namespace util {
namespace {

// The administrator as sender: root at the domain, or the root address
// (the placeholder when it is unset or empty).
std::string senderAddress(const WelcomeMessage& m) {
    if (m.singleDomain) return "root@" + m.domain;
    return m.root.empty() ? cfg::kPlaceholderRoot : m.root;
}

// The administrator's address as the body tells it to the user: nothing
// rather than the placeholder.
std::string administratorShown(const WelcomeMessage& m) { return m.root == cfg::kPlaceholderRoot ? "" : m.root; }

std::string userAddress(const WelcomeMessage& m) {
    return m.singleDomain ? m.address + "@" + m.domain : m.address;
}

constexpr const char* kProgramLines[] = {
    "Attached to this message is a small program that can be installed",
    "on your computer. It will monitor the email server and inform you",
    "when new mail had arrived in your mailbox.",
    "Users typically copy it to the startup group so that it runs",
    "when your machine is started.",
    "When first run it will need to know your pop3 username",
    "and password - both are shown above.",
};

}  // namespace

WelcomeLines welcomeMessageLines(const WelcomeMessage& m) {
    WelcomeLines out;
    const bool attached = !m.attachmentName.empty();

    std::vector<std::string>& open = out.opening;
    open.push_back("From: (Postmaster) <" + senderAddress(m) + ">");
    open.push_back("To: <" + userAddress(m) + ">");
    open.push_back("Subject: Your new mail account");
    open.push_back(dateHeader(m.time, m.zoneOffset));
    open.push_back("Message-id: <" + welcomeIdDigits(m.time) + "ms@" + m.domain + ">");
    open.push_back("MIME-version: 1.0");
    if (attached) appendMultipartOpening(open);
    else open.push_back("");

    std::vector<std::string>& account = out.account;
    if (m.singleDomain) {
        account.push_back("Your system domain is " + m.domain);
        account.push_back("Your system administrator is root@" + m.domain);
    } else {
        account.push_back("Your mail system does not have a domain.");
        account.push_back("Your administrators email address is " + administratorShown(m));
    }
    account.push_back("Your email address is " + userAddress(m));
    account.push_back("Your pop3 user-name is " + m.userName);
    account.push_back(m.password.empty() ? "You do not have a password" : "Your pop3 password is " + m.password);
    if (attached) {
        for (const char* line : kProgramLines) account.push_back(line);
        account.push_back("");
        account.push_back(generatedByLine());
        appendAttachmentHeader(account, m.attachmentName);
        appendMultipartClosing(out.tail);
    }
    return out;
}

std::vector<std::string> welcomeEnvelopeLines(const WelcomeMessage& m) {
    return {"MAIL FROM: <" + senderAddress(m) + ">", "RCPT TO: <" + userAddress(m) + ">"};
}

}  // namespace util
