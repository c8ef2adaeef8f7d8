// The help file and its topics: every window's Help opens one of these
// through "hh.exe" with "<help file>::<topic>". Named here once, so the
// code and the help file cannot drift apart.
#pragma once

#include <string>

namespace help {

inline constexpr char kFile[] = "tarnmail.chm";

inline constexpr char kDomains[] = "domains.htm";
inline constexpr char kDialup[] = "dialup.htm";
inline constexpr char kOutgoing[] = "outgoing.htm";
inline constexpr char kIncoming[] = "incoming.htm";
inline constexpr char kSpam[] = "spam.htm";
inline constexpr char kSchedule[] = "schedule.htm";
inline constexpr char kReminder[] = "reminder.htm";
inline constexpr char kRouting[] = "routing.htm";
inline constexpr char kPassword[] = "password.htm";
inline constexpr char kAddressLists[] = "address lists.htm";
inline constexpr char kAliases[] = "aliases.htm";
inline constexpr char kFootNote[] = "footnote.htm";
inline constexpr char kScanner[] = "snooper.htm";
inline constexpr char kAttachments[] = "attachments.htm";
inline constexpr char kPorts[] = "ports.htm";
inline constexpr char kOptions[] = "options.htm";
inline constexpr char kUsers[] = "users.htm";
inline constexpr char kViewer[] = "viewer.htm";

// Every topic the code opens, for the help file's build and its check.
inline constexpr const char* kAllTopics[] = {
    kDomains, kDialup,  kOutgoing, kIncoming,  kSpam,        kSchedule, kReminder, kRouting, kPassword,
    kAddressLists, kAliases, kFootNote, kScanner, kAttachments, kPorts, kOptions, kUsers, kViewer,
};

// The parameter "hh.exe" is given for a topic: "tarnmail.chm::<topic>",
// in quotes when it holds a space ("address lists.htm"), or the viewer
// would take the two halves for two files.
inline std::string topicParameter(const char* topic) {
    std::string parameter = std::string(kFile) + "::" + topic;
    return parameter.find(' ') == std::string::npos ? parameter : '"' + parameter + '"';
}

}  // namespace help
