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

}  // namespace cfg

// ---- Dialup, Schedule, Connection Times, Options, Ports and Attachments (added with the pages)
namespace cfg {

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

inline constexpr char kDialup[] = "dialup";
inline constexpr IntKey kDialupType{kDialup, "type", 1};  // 0 dial-up, 1 LAN or router, 2 internal only
inline constexpr TextKey kDialupRas{kDialup, "ras", "", 256};
inline constexpr TextKey kDialupTimeout{kDialup, "timeout", "120"};
inline constexpr TextKey kDialupRetries{kDialup, "retries", "3"};
inline constexpr TextKey kDialupDelay{kDialup, "delay", "15"};
inline constexpr TextKey kDialupDelayShown = shownAs(kDialupDelay, "10");  // the Dialup page's

inline constexpr char kStartup[] = "startup";
inline constexpr IntKey kStartupConnect{kStartup, "connect", 0};

inline constexpr char kSchedule[] = "schedule";
inline constexpr IntKey kScheduleType{kSchedule, "type", 0};  // 0 manual, 1 interval, 2 fixed times
inline constexpr IntKey kScheduleInterval{kSchedule, "interval", 60};
inline constexpr IntKey kScheduleLoTime{kSchedule, "lotime", 8};
inline constexpr IntKey kScheduleHiTime{kSchedule, "hitime", 17};
inline constexpr IntKey kSchedulePriority{kSchedule, "priority", 0};
// The weekdays of the interval schedule, Sunday first.
inline constexpr IntKey kScheduleDays[7] = {{kSchedule, "sun", 0}, {kSchedule, "mon", 0}, {kSchedule, "tue", 0},
                                            {kSchedule, "wed", 0}, {kSchedule, "thu", 0}, {kSchedule, "fri", 0},
                                            {kSchedule, "sat", 0}};
// The Schedule page shows Monday to Friday ticked when no day is stored.
inline constexpr IntKey kScheduleDaysShown[7] = {
    kScheduleDays[0],             shownAs(kScheduleDays[1], 1), shownAs(kScheduleDays[2], 1),
    shownAs(kScheduleDays[3], 1), shownAs(kScheduleDays[4], 1), shownAs(kScheduleDays[5], 1),
    kScheduleDays[6]};

// The two sets of fixed connection times, schedule0 and schedule1: their
// weekdays (Sunday first) and their times ("08:00,12:30,").
inline constexpr char kScheduleSet[] = "schedule%d";
inline constexpr IntKey kScheduleSetDays[7] = {{kScheduleSet, "sun", 0}, {kScheduleSet, "mon", 0},
                                               {kScheduleSet, "tue", 0}, {kScheduleSet, "wed", 0},
                                               {kScheduleSet, "thu", 0}, {kScheduleSet, "fri", 0},
                                               {kScheduleSet, "sat", 0}};
inline constexpr TextKey kScheduleSetTimes{kScheduleSet, "times", "", 4096};
// "Connection Times" ticks Monday to Friday for the first set and the
// weekend for the second when nothing is stored.
inline constexpr int kScheduleSetDaysShown[2][7] = {{0, 1, 1, 1, 1, 1, 0}, {1, 0, 0, 0, 0, 0, 1}};

inline constexpr char kArchive[] = "archive";
inline constexpr IntKey kArchiveIn{kArchive, "in", 0};
inline constexpr IntKey kArchiveOut{kArchive, "out", 0};
inline constexpr TextKey kArchiveFolder{kArchive, "folder", ""};

inline constexpr char kEventLog[] = "EventLog";
inline constexpr IntKey kEventLogUse{kEventLog, "use", 1};

inline constexpr char kOptions[] = "options";
inline constexpr IntKey kOptionsSendFirst{kOptions, "sendfirst", 1};  // 1 send first; else collect first

inline constexpr char kWarning[] = "warning";
inline constexpr IntKey kWarningConnectFail{kWarning, "connect-fail", 0};

inline constexpr char kRemoteAdmin[] = "radm";
inline constexpr IntKey kRemoteAdminInternal{kRemoteAdmin, "internal", 0};
inline constexpr IntKey kRemoteAdminExternal{kRemoteAdmin, "external", 0};
inline constexpr TextKey kRemoteAdminPassword{kRemoteAdmin, "admpw", "pX7rk"};  // scrambled, system key

inline constexpr char kSmtpServer[] = "smtp-server";
inline constexpr char kPopServer[] = "pop-server";
inline constexpr TextKey kSmtpServerPort{kSmtpServer, "port", "25"};
inline constexpr TextKey kPopServerPort{kPopServer, "port", "110"};
inline constexpr TextKey kSmtpServerAddress{kSmtpServer, "address", "Any address"};
inline constexpr TextKey kPopServerAddress{kPopServer, "address", "Any address"};
inline constexpr IntKey kSmtpServerIdle{kSmtpServer, "idle", 360};
inline constexpr IntKey kPopServerIdle{kPopServer, "idle", 360};

inline constexpr char kAttachments[] = "attachments";
inline constexpr IntKey kAttachmentsUse{kAttachments, "use", 0};
inline constexpr TextKey kAttachmentsFolder{kAttachments, "folder", ""};
inline constexpr IntKey kAttachmentsLeaveCopy{kAttachments, "leave-copy", 1};

// The types and senders whose attachments are kept: type0, type1, ... and
// address0, address1, ...
inline constexpr char kAttach[] = "attach";
inline constexpr TextKey kAttachType{kAttach, "type%d", ""};
inline constexpr TextKey kAttachAddress{kAttach, "address%d", ""};

}  // namespace cfg
