// The settings catalogue: every ms.ini section and key the library reads or
// writes, each declared once with the default its readers use. Values are
// read and written through frame/profile.h (util::read, util::write), never
// by spelling a section or key again.
//
// A "%d" in a section or key marks a numbered family ("mailbox%d",
// "node%d"): the record's number takes its place when the key is read with
// a number. Families are dense lists from 0; readers stop at the first gap.
#pragma once

#include <string>

namespace cfg {

// Most values are read into 1,024-byte buffers; a key that says otherwise
// gives its own size.
inline constexpr int kValueSize = 1024;

// A key whose value is an integer (flags are integers written "1" or "0").
struct IntKey {
    const char* section;
    const char* key;
    int fallback;
};

// A key whose value is text, read into a buffer of size bytes.
struct TextKey {
    const char* section;
    const char* key;
    const char* fallback;
    int size = kValueSize;
};

// The pattern with its "%d" replaced by number; unchanged without one.
std::string numbered(const char* pattern, int number);

// Where one record's value lives: the section and the key, numbered.
struct Place {
    std::string section;
    std::string key;
};
template <class Key>
Place place(const Key& k, int number) {
    return {numbered(k.section, number), numbered(k.key, number)};
}

// ---- tooltips and the administration password --------------------------------
inline constexpr char kTooltips[] = "tooltips";
inline constexpr IntKey kTooltipsUse{kTooltips, "use", 1};

inline constexpr char kEsmtp[] = "esmtp";
inline constexpr TextKey kAdminPassword{kEsmtp, "ver", ""};

// ---- mailbox accounts (names for the pages' user lists) ------------------------
inline constexpr int kMaxAccounts = 32768;
inline constexpr TextKey kAccountName{"mailbox%d", "name", ""};

// ---- provider POP3 mailboxes and undeliverable mail ---------------------------
inline constexpr char kIncoming[] = "incoming";
inline constexpr TextKey kIncomingNode{kIncoming, "node%d", ""};
inline constexpr TextKey kIncomingUser{kIncoming, "user%d", ""};
inline constexpr TextKey kIncomingPassword{kIncoming, "password%d", ""};  // scrambled, system key
inline constexpr IntKey kIncomingPort{kIncoming, "port%d", 110};
inline constexpr IntKey kIncomingDeleteMail{kIncoming, "deletemail%d", 1};
inline constexpr IntKey kIncomingExtensions{kIncoming, "extention%d", 0};
inline constexpr IntKey kIncomingActive{kIncoming, "active%d", 1};
inline constexpr IntKey kIncomingBypass{kIncoming, "bypass%d", 0};
inline constexpr TextKey kIncomingBypassUser{kIncoming, "bpuser%d", ""};

inline constexpr char kUndelMail[] = "undelmail";
inline constexpr IntKey kUndelAction{kUndelMail, "action", 2};  // 0 copy to all, 1 kill, 2 route
inline constexpr TextKey kUndelRecipient{kUndelMail, "recipient", ""};
inline constexpr IntKey kUndelSendBounce{kUndelMail, "sendbounce", 0};

inline constexpr char kAdvPop[] = "advpop";
inline constexpr IntKey kAdvPopUse{kAdvPop, "use", 0};
inline constexpr TextKey kAdvPopSize{kAdvPop, "size", "1"};
inline constexpr IntKey kAdvPopSendWarning{kAdvPop, "sendwarning", 1};
inline constexpr IntKey kAdvPopDelete{kAdvPop, "delete", 0};

// ---- provider SMTP relays and options for outgoing mail ------------------------
inline constexpr char kOutgoing[] = "outgoing";
inline constexpr TextKey kOutgoingServer{kOutgoing, "server%d", ""};
inline constexpr IntKey kOutgoingUseNext{kOutgoing, "use-next", 1};

inline constexpr char kOptOutgoing[] = "opt-outgoing";
inline constexpr IntKey kOptOutCopy{kOptOutgoing, "copy", 0};
inline constexpr TextKey kOptOutCopyUser{kOptOutgoing, "copyuser", ""};
inline constexpr IntKey kOptOutRedirect{kOptOutgoing, "redir", 0};
inline constexpr TextKey kOptOutRedirectUser{kOptOutgoing, "rediruser", ""};
inline constexpr IntKey kOptOutSize{kOptOutgoing, "size", 0};
inline constexpr TextKey kOptOutSizeKb{kOptOutgoing, "sizekb", "256"};

// The users each outgoing option applies to: user0, user1, ...
inline constexpr char kOptOutCopyUsers[] = "opt-out-copy";
inline constexpr char kOptOutRedirectUsers[] = "opt-out-redir";
inline constexpr char kOptOutSizeUsers[] = "opt-out-size";
inline constexpr char kAppliesToUserKey[] = "user%d";

// ---- mailbox viewer and accounts dialog (added with the page) -------------------
// The viewer's top-left corner in screen pixels; centred on the screen
// while it has not been stored.
inline constexpr char kView[] = "view";
inline constexpr int kUnplaced = -2147483647 - 1;
inline constexpr IntKey kViewLeft{kView, "Left", kUnplaced};
inline constexpr IntKey kViewTop{kView, "Top", kUnplaced};

// The archive folder; empty: the install folder's "archive".
inline constexpr char kArchive[] = "archive";
inline constexpr TextKey kArchiveFolder{kArchive, "folder", ""};

inline constexpr char kMailboxPrefs[] = "mailbox-prefs";
inline constexpr IntKey kShowPassword{kMailboxPrefs, "showpassword", 0};

// 1: one domain for every account (addresses stored as local parts).
inline constexpr char kDomain[] = "domain";
inline constexpr IntKey kDomainUse{kDomain, "use", 1};

// The account keys the accounts dialog writes, in the order it writes them.
inline constexpr IntKey kAccountActive{"mailbox%d", "active", 1};
inline constexpr TextKey kAccountAddress{"mailbox%d", "address", ""};
inline constexpr TextKey kAccountFolder{"mailbox%d", "folder", ""};
inline constexpr TextKey kAccountPassword{"mailbox%d", "password", ""};  // scrambled, account key

}  // namespace cfg
