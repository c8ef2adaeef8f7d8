// The settings catalogue: every ms.ini section and key the library reads or
// writes, each declared once with the default its readers use. Values are
// read and written through frame/profile.h (util::read, util::write), never
// by spelling a section or key again.
//
// A "%d" in a section or key marks a numbered family ("mailbox%d",
// "node%d"): the record's number takes its place when the key is read with
// a number. Families are dense lists from 0; readers stop at the first gap.
//
// Every key has one entry and one default. A reader that needs another
// buffer size reads it withSize; a window that shows a key as stored (empty
// when missing) reads it asStored; a value a window offers where nothing is
// stored is declared beside its key as what it is. Key names match without
// regard to case, so "Domain" and "domain" are one key.
#pragma once

#include <array>
#include <climits>
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

// The same key read into a buffer of another size.
constexpr TextKey withSize(TextKey key, int size) {
    key.size = size;
    return key;
}
// The same key read as stored: empty when it is missing.
constexpr TextKey asStored(TextKey key) {
    key.fallback = "";
    return key;
}
// The same key with what a window offers when nothing is stored.
constexpr TextKey offering(TextKey key, const char* offered) {
    key.fallback = offered;
    return key;
}

// The mail protocols' own ports, where a record or a field gives none.
inline constexpr int kPop3Port = 110;
inline constexpr int kSmtpPort = 25;

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

// How far the walks over a family go: accounts up to 32,768 records, the
// other families (reminders, phrases, aliases, relays, ...) up to 32,000.
inline constexpr int kMaxAccounts = 32768;
inline constexpr int kMaxRecords = 32000;

// The seven weekday keys of a schedule section, Sunday first.
inline constexpr const char* kWeekdays[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
using WeekKeys = std::array<IntKey, 7>;
// The weekday flags of a section: workdays default to one value, Saturday
// and Sunday to another.
constexpr WeekKeys weekKeys(const char* section, int workdays, int weekend) {
    WeekKeys keys{};
    for (int day = 0; day < 7; ++day) keys[day] = {section, kWeekdays[day], day == 0 || day == 6 ? weekend : workdays};
    return keys;
}

// A key as a settings window reads it where that window shows a default of
// its own for an absent key (the key's other readers keep theirs).
constexpr IntKey shownAs(IntKey k, int fallback) {
    k.fallback = fallback;
    return k;
}
constexpr TextKey shownAs(TextKey k, const char* fallback) {
    k.fallback = fallback;
    return k;
}

// ---- placeholders -------------------------------------------------------------
// Stand-ins for domain settings missing from ms.ini; the reserved top-level
// name keeps them recognisable and undeliverable.
inline constexpr char kPlaceholderDomain[] = "domain-not-set.invalid";
inline constexpr char kPlaceholderRoot[] = "root-not-set@domain-not-set.invalid";
inline constexpr char kPlaceholderAddress[] = "address-not-set@domain-not-set.invalid";

// ---- frame: event log -----------------------------------------------------------
inline constexpr char kEventLog[] = "EventLog";
inline constexpr IntKey kEventLogUse{kEventLog, "use", 1};  // 0: no event log file (the list stays)

// ---- transport: POP3 client -------------------------------------------------------
inline constexpr char kInMail[] = "in-mail";
inline constexpr IntKey kPop3ConnectRetries{kInMail, "in-retries", 1};  // a switch: 0 turns retries off

// ---- transport: encrypted connections (POP3 and SMTP) -------------------------------
// Pinned certificates: "HOST SHA256-FINGERPRINT" entries separated by
// commas; a host named here accepts exactly those certificates (its name
// and dates still checked), whoever issued them. Written by nobody in the
// library: the administrator sets it.
inline constexpr char kTls[] = "tls";
inline constexpr TextKey kTlsPin{kTls, "pin", "", 8192};

// ---- transport: signing in with a provider (OAuth 2.0) -----------------------------
// Each office registers its own application with its provider: the client
// ids and secrets are the office's, written by the administrator. "Other"
// names its endpoints and scopes here too. device 1: sign in with a code
// shown on this machine and entered on another (a server without a browser).
inline constexpr char kOAuth[] = "oauth";
inline constexpr TextKey kOAuthMicrosoftId{kOAuth, "microsoft-id", "", 256};
inline constexpr TextKey kOAuthMicrosoftSecret{kOAuth, "microsoft-secret", "", 256};
inline constexpr TextKey kOAuthGoogleId{kOAuth, "google-id", "", 256};
inline constexpr TextKey kOAuthGoogleSecret{kOAuth, "google-secret", "", 256};
inline constexpr TextKey kOAuthOtherId{kOAuth, "other-id", "", 256};
inline constexpr TextKey kOAuthOtherSecret{kOAuth, "other-secret", "", 256};
inline constexpr TextKey kOAuthOtherAuthorize{kOAuth, "other-authorize", ""};
inline constexpr TextKey kOAuthOtherToken{kOAuth, "other-token", ""};
inline constexpr TextKey kOAuthOtherDevice{kOAuth, "other-device", ""};
inline constexpr TextKey kOAuthOtherPopScope{kOAuth, "other-pop-scope", ""};
inline constexpr TextKey kOAuthOtherSmtpScope{kOAuth, "other-smtp-scope", ""};
inline constexpr IntKey kOAuthDevice{kOAuth, "device", 0};
// A refresh token protected for the machine, as base64 text: several
// kilobytes for some providers.
inline constexpr int kTokenSize = 16384;

// Written by nobody in the library: the Received header's product and version.
inline constexpr char kSystem[] = "system";
inline constexpr TextKey kProductWord{kSystem, "Prod", "Tarnmail", 256};
inline constexpr TextKey kProductVersion{kSystem, "ver", "4.1", 64};

// ---- content: spam lists and the message scanner -----------------------------------
inline constexpr char kSpam[] = "spam";
inline constexpr IntKey kSpamUse{kSpam, "use", 0};
inline constexpr IntKey kSpamKill{kSpam, "kill", 0};        // 1: delete spam; 0: prefix "{SPAM}" to its subject
inline constexpr IntKey kSpamArchive{kSpam, "archive", 0};  // with kill: keep the deleted message
// Change flags: the page sets them to "1", the matcher reloads and writes "0".
inline constexpr IntKey kSpamBlackChanged{kSpam, "mod-black", 0};
inline constexpr IntKey kSpamWhiteChanged{kSpam, "mod-white", 0};

inline constexpr char kSnooper[] = "snooper";
inline constexpr IntKey kScannerUse{kSnooper, "use", 0};
inline constexpr IntKey kScannerChanged{kSnooper, "mod", 0};
inline constexpr TextKey kScannerPhrase{kSnooper, "x%d", ""};  // scrambled with the system key
inline constexpr TextKey kScannerRecipient{kSnooper, "dst", ""};  // mailbox name that gets a copy

// ---- connect: dial-up and start-up ----------------------------------------------
inline constexpr char kDialup[] = "dialup";
enum ConnectionType : int { kDialUpNetworking = 0, kLanConnection = 1, kInternalMailOnly = 2 };
inline constexpr IntKey kConnectionType{kDialup, "type", kLanConnection};
inline constexpr TextKey kDialupEntry{kDialup, "ras", "", 256};  // the phone-book entry to dial
// Decimal numbers stored as text, as the page takes them.
inline constexpr TextKey kDialTimeout{kDialup, "timeout", "120"};  // seconds to wait for a dial
inline constexpr TextKey kDialRetries{kDialup, "retries", "3"};   // redials after a busy line
inline constexpr TextKey kRedialDelay{kDialup, "delay", "15"};    // seconds before a redial
// What the Dialup page offers when the key is absent.
inline constexpr char kRedialDelayOffered[] = "10";

inline constexpr char kStartup[] = "startup";
inline constexpr IntKey kConnectOnStartup{kStartup, "connect", 0};

// ---- connect: the connection schedule --------------------------------------------
inline constexpr char kSchedule[] = "schedule";
inline constexpr IntKey kScheduleType{kSchedule, "type", 0};  // 0 none, 1 interval, 2 fixed times
inline constexpr IntKey kScheduleInterval{kSchedule, "interval", 60};  // minutes, type 1
// What the setup wizard offers a new installation.
inline constexpr int kScheduleIntervalOffered = 15;
inline constexpr IntKey kScheduleFromHour{kSchedule, "lotime", 8};
inline constexpr IntKey kScheduleUntilHour{kSchedule, "hitime", 17};  // the window ends as this hour starts
inline constexpr IntKey kSchedulePriority{kSchedule, "priority", 0};  // connect for an urgent message
inline constexpr WeekKeys kScheduleDays = weekKeys(kSchedule, 0, 0);
// The Schedule page ticks Monday to Friday when the keys are absent.
inline constexpr WeekKeys kScheduleDaysShown = weekKeys(kSchedule, 1, 0);

// Fixed connection times: two sets, "schedule0" and "schedule1", each with
// its weekdays and its times ("08:00,12:30,"); a day of set 0 wins.
inline constexpr char kTimeSet[] = "schedule%d";
inline constexpr WeekKeys kTimeSetDays = weekKeys(kTimeSet, 0, 0);
inline constexpr TextKey kTimeSetTimes{kTimeSet, "times", "", 4096};
// The Connection Times dialog offers Monday to Friday for set 0 and the
// weekend for set 1 when nothing is stored.
inline constexpr WeekKeys kTimeSetDaysShown[2] = {weekKeys(kTimeSet, 1, 0), weekKeys(kTimeSet, 0, 1)};

// ---- reminders: one record per "0auto%d" section ----------------------------------
inline constexpr char kReminder[] = "0auto%d";
inline constexpr TextKey kReminderSubject{kReminder, "subject", ""};  // empty ends the list
inline constexpr IntKey kReminderHour{kReminder, "hour", 12};
inline constexpr IntKey kReminderMinute{kReminder, "min", 0};
inline constexpr IntKey kReminderDate{kReminder, "date", 1};
inline constexpr IntKey kReminderMonth{kReminder, "month", 1};  // 0 = January
inline constexpr IntKey kReminderYear{kReminder, "year", 2000};
// The last generation; the year counts from 1900, 0 = never sent.
inline constexpr IntKey kReminderSentHour{kReminder, "senthour", 0};
inline constexpr IntKey kReminderSentMinute{kReminder, "sentmin", 0};
inline constexpr IntKey kReminderSentDate{kReminder, "sentdate", 0};
inline constexpr IntKey kReminderSentMonth{kReminder, "sentmonth", 0};
inline constexpr IntKey kReminderSentYear{kReminder, "sentyear", 0};
inline constexpr IntKey kReminderToType{kReminder, "totype", 0};  // user, addresses, list, all users
inline constexpr TextKey kReminderToData{kReminder, "todata", ""};
inline constexpr IntKey kReminderRepeat{kReminder, "reptype", 0};  // once, weekly, yearly, intervals
inline constexpr IntKey kReminderRepeat1{kReminder, "rep1", 1};
inline constexpr IntKey kReminderRepeat2{kReminder, "rep2", 1};
inline constexpr TextKey kReminderNextDueDay{kReminder, "nextdueday", "0"};  // unsigned, as text
inline constexpr TextKey kReminderLines[4] = {
    {kReminder, "line0", ""}, {kReminder, "line1", ""}, {kReminder, "line2", ""}, {kReminder, "line3", ""}};
inline constexpr TextKey kReminderAttachment{kReminder, "attachment", "", 260};  // a full path

// ---- accounts: one record per "mailbox%d" section ---------------------------------
inline constexpr char kMailbox[] = "mailbox%d";
inline constexpr TextKey kAccountName{kMailbox, "name", ""};
inline constexpr TextKey kAccountAddress{kMailbox, "address", ""};  // a local part in single-domain mode
inline constexpr TextKey kAccountUserName{kMailbox, "folder", ""};  // POP3 user name and folder name
inline constexpr TextKey kAccountPassword{kMailbox, "password", ""};  // scrambled with the account key
inline constexpr TextKey kAccountActive{kMailbox, "active", "1"};  // "1" or "0", moved as stored
inline constexpr IntKey kAccountEnabled{kMailbox, "active", 1};  // the same key as a flag
// Where the account's mail client listens for notifications.
inline constexpr TextKey kAccountHost{kMailbox, "host", "", 255};
inline constexpr TextKey kAccountPort{kMailbox, "port", "", 127};
// The welcome message's stand-ins for a missing address or user name.
inline constexpr TextKey kWelcomeLocalPart{kMailbox, "address", "newuser"};  // single-domain mode
inline constexpr TextKey kWelcomeFullAddress{kMailbox, "address", kPlaceholderAddress};  // multi-domain mode
inline constexpr TextKey kWelcomeUserName{kMailbox, "folder", "notset"};

inline constexpr char kMailboxPrefs[] = "mailbox-prefs";
inline constexpr IntKey kShowAccountPasswords{kMailboxPrefs, "showpassword", 0};

// ---- accounts: the domain settings ---------------------------------------------
inline constexpr char kDomain[] = "domain";
inline constexpr IntKey kSingleDomain{kDomain, "use", 1};  // 0: multi-domain mode
inline constexpr TextKey kAdministratorAddress{kDomain, "root", kPlaceholderRoot};  // the sender in multi-domain mode
inline constexpr IntKey kDomainExclusive{kDomain, "registered", 1};
// The primary domain: a placeholder where a message must name some domain;
// the windows where the administrator edits it show it as stored.
inline constexpr TextKey kPrimaryDomain{kDomain, "domain", kPlaceholderDomain};
inline constexpr TextKey kReminderDomain = withSize(kPrimaryDomain, 256);
inline constexpr TextKey kPrimaryDomainAsStored = asStored(kPrimaryDomain);
// The administrator's address as the Domain page and the wizard show it: a
// missing one shows empty, so that Apply asks for one.
inline constexpr TextKey kAdministratorAddressAsStored = asStored(kAdministratorAddress);
// The name an SMTP greeting gives: the primary domain in single-domain
// mode (use exactly 1), otherwise this key, which nothing in the library writes.
inline constexpr TextKey kGreetingDomain = withSize(kPrimaryDomain, 512);
inline constexpr TextKey kGreetingOtherName{kDomain, "smtp-outgoing", kPlaceholderDomain, 512};

// ---- administration: the sheet ---------------------------------------------------
inline constexpr char kTooltips[] = "tooltips";
inline constexpr IntKey kTooltipsUse{kTooltips, "use", 1};

inline constexpr char kEsmtp[] = "esmtp";
inline constexpr TextKey kAdminPassword{kEsmtp, "ver", ""};  // scrambled with the system key

// ---- administration: Incoming page (provider mailboxes) ---------------------------
inline constexpr char kIncoming[] = "incoming";
inline constexpr TextKey kIncomingNode{kIncoming, "node%d", ""};  // empty ends the list
inline constexpr TextKey kIncomingUser{kIncoming, "user%d", ""};
inline constexpr TextKey kIncomingPassword{kIncoming, "password%d", ""};  // scrambled with the system key
inline constexpr IntKey kIncomingPort{kIncoming, "port%d", kPop3Port};
inline constexpr IntKey kIncomingDeleteMail{kIncoming, "deletemail%d", 1};
inline constexpr IntKey kIncomingExtensions{kIncoming, "extention%d", 0};
inline constexpr IntKey kIncomingActive{kIncoming, "active%d", 1};
inline constexpr IntKey kIncomingBypass{kIncoming, "bypass%d", 0};  // all its mail to one local user
inline constexpr TextKey kIncomingBypassUser{kIncoming, "bpuser%d", ""};
// Encryption: 0 none, 1 TLS from the first byte, 2 STARTTLS (port 995 is
// always TLS); beside the record, which the server's program parses.
inline constexpr IntKey kIncomingTls{kIncoming, "tls%d", 0};
// How the mailbox logs in: "password" (or no key: every record written
// before sign-in existed) or the provider's name (util::LoginKind), and
// that sign-in's refresh token, protected for the machine; beside the record.
inline constexpr TextKey kIncomingLogin{kIncoming, "auth%d", ""};
inline constexpr TextKey kIncomingToken{kIncoming, "token%d", "", kTokenSize};

// Mail that no local mailbox takes.
inline constexpr char kUndelMail[] = "undelmail";
inline constexpr IntKey kUndelAction{kUndelMail, "action", 2};  // 0 copy to all, 1 delete, 2 route
inline constexpr TextKey kUndelRecipient{kUndelMail, "recipient", ""};
inline constexpr IntKey kUndelSendBounce{kUndelMail, "sendbounce", 0};

// The download size limit (Advanced Options dialog; the download reads it).
inline constexpr char kAdvPop[] = "advpop";
inline constexpr IntKey kAdvPopUse{kAdvPop, "use", 0};
inline constexpr TextKey kAdvPopSize{kAdvPop, "size", "1"};  // millions of bytes, as the dialog shows it
inline constexpr IntKey kAdvPopSendWarning{kAdvPop, "sendwarning", 1};
inline constexpr IntKey kAdvPopDelete{kAdvPop, "delete", 0};
// The same limit as the download reads it, a number.
inline constexpr IntKey kDownloadLimitMillions{kAdvPop, "size", 1};

// ---- administration: Outgoing page (relays) ---------------------------------------
inline constexpr char kOutgoing[] = "outgoing";
inline constexpr TextKey kOutgoingServer{kOutgoing, "server%d", ""};  // a relay record; empty ends the list
inline constexpr IntKey kOutgoingUseNext{kOutgoing, "use-next", 1};
// Encryption of relay server%d: 0 none, 1 TLS from the first byte, 2
// STARTTLS (port 465 is always TLS, 587 always STARTTLS); beside the relay
// record, whose format the server's program parses.
inline constexpr IntKey kOutgoingTls{kOutgoing, "tls%d", 0};
// How relay server%d logs in and its sign-in's refresh token, as for the
// provider mailboxes; the relay record keeps the account (its field 6).
inline constexpr TextKey kOutgoingLogin{kOutgoing, "auth%d", ""};
inline constexpr TextKey kOutgoingToken{kOutgoing, "token%d", "", kTokenSize};

inline constexpr char kOptOutgoing[] = "opt-outgoing";
inline constexpr IntKey kOptOutCopy{kOptOutgoing, "copy", 0};
inline constexpr TextKey kOptOutCopyUser{kOptOutgoing, "copyuser", ""};
inline constexpr IntKey kOptOutRedirect{kOptOutgoing, "redir", 0};
inline constexpr TextKey kOptOutRedirectUser{kOptOutgoing, "rediruser", ""};
inline constexpr IntKey kOptOutSize{kOptOutgoing, "size", 0};
inline constexpr TextKey kOptOutSizeKb{kOptOutgoing, "sizekb", "256"};
// The users each option applies to: keys "user%d" in the option's own
// section, written by the Select Users dialog.
inline constexpr char kOptOutCopyUsers[] = "opt-out-copy";
inline constexpr char kOptOutRedirectUsers[] = "opt-out-redir";
inline constexpr char kOptOutSizeUsers[] = "opt-out-size";
inline constexpr char kAppliesToUserKey[] = "user%d";

// ---- administration: Routing page (filter records) --------------------------------
// A filter record may be far longer than the usual 1,024 bytes (five
// relay settings of ten texts each), and a record cut short at reading
// would be written back corrupted: it is read whole.
inline constexpr int kRouteRecordSize = 32768;
inline constexpr char kRoutes[] = "routes";
inline constexpr TextKey kRouteOperation{kRoutes, "operation%d", "", kRouteRecordSize};
inline constexpr char kRouteEnd[] = "None";  // a value that ends the list, like a missing key
// The page's temporary copy (an ms.ini-style file of its own) keeps a
// second section with the same keys for renumbering.
inline constexpr char kRoutesWorking[] = "working";
inline constexpr TextKey kWorkingOperation{kRoutesWorking, "operation%d", "", kRouteRecordSize};

// ---- administration: Options page -------------------------------------------------
inline constexpr char kOptions[] = "options";
inline constexpr IntKey kSendFirst{kOptions, "sendfirst", 1};  // 1: send, then collect

inline constexpr char kArchive[] = "archive";
inline constexpr IntKey kArchiveIncoming{kArchive, "in", 0};
inline constexpr IntKey kArchiveOutgoing{kArchive, "out", 0};
inline constexpr TextKey kArchiveFolder{kArchive, "folder", ""};  // empty: the install folder's "archive"

inline constexpr char kWarning[] = "warning";
inline constexpr IntKey kWarnOnConnectFail{kWarning, "connect-fail", 0};

// Administration commands by mail.
inline constexpr char kRadm[] = "radm";
inline constexpr IntKey kRadmInternal{kRadm, "internal", 0};
inline constexpr IntKey kRadmExternal{kRadm, "external", 0};
inline constexpr TextKey kRadmPassword{kRadm, "admpw", "pX7rk"};  // scrambled with the system key

// ---- administration: Ports page (the server's own listeners) ----------------------
inline constexpr char kAnyAddress[] = "Any address";
inline constexpr int kDefaultIdleSeconds = 360;
struct ListenerKeys {
    TextKey port;     // decimal, as text
    TextKey address;  // "Any address", "127.0.0.1" or one of the machine's addresses
    IntKey idle;      // seconds before an inactive connection ends
};
inline constexpr char kSmtpServer[] = "smtp-server";
inline constexpr ListenerKeys kSmtpListener{
    {kSmtpServer, "port", "25"}, {kSmtpServer, "address", kAnyAddress}, {kSmtpServer, "idle", kDefaultIdleSeconds}};
inline constexpr char kPopServer[] = "pop-server";
inline constexpr ListenerKeys kPopListener{
    {kPopServer, "port", "110"}, {kPopServer, "address", kAnyAddress}, {kPopServer, "idle", kDefaultIdleSeconds}};

// ---- administration: Attachments page ---------------------------------------------
inline constexpr char kAttachments[] = "attachments";
inline constexpr IntKey kAttachmentsRemove{kAttachments, "use", 0};
inline constexpr TextKey kAttachmentsFolder{kAttachments, "folder", ""};
inline constexpr IntKey kAttachmentsLeaveCopy{kAttachments, "leave-copy", 1};
// What is never removed: file patterns and sender addresses.
inline constexpr char kAttach[] = "attach";
inline constexpr TextKey kKeptAttachmentType{kAttach, "type%d", ""};
inline constexpr TextKey kKeptAttachmentSender{kAttach, "address%d", ""};

// ---- administration: Foot Note page -------------------------------------------------
inline constexpr char kFootnote[] = "footnote";
inline constexpr IntKey kFootnoteUse{kFootnote, "use", 0};

// ---- administration: Aliases and Domains pages --------------------------------------
inline constexpr char kAlias[] = "alias";
inline constexpr TextKey kAliasMap{kAlias, "map%d", ""};  // "address~type~target"

inline constexpr char kDomainMap[] = "domain-map";
inline constexpr TextKey kDomainConversion{kDomainMap, "domain%d", ""};  // "from -> to , applies to"

// ---- monitor: the mailbox viewer ------------------------------------------------------
inline constexpr char kView[] = "view";
// Screen position of the window's top-left corner; without it the window
// is centred.
inline constexpr int kViewCentred = INT_MIN;
inline constexpr IntKey kViewLeft{kView, "Left", kViewCentred};
inline constexpr IntKey kViewTop{kView, "Top", kViewCentred};

}  // namespace cfg
