// The help file and its topics: every window's Help opens one of these
// through "hh.exe" with "<help file>::<topic>". Named here once (a settings
// page's topic in the list of pages, admin/page_list.h), so the code and the
// help file cannot drift apart.
#pragma once

#include <string>

namespace help {

inline constexpr char kFile[] = "tarnmail.chm";

inline constexpr char kUsers[] = "users.htm";
inline constexpr char kViewer[] = "viewer.htm";

// The topics the code opens besides the settings pages' (whose topics are
// in their list, admin/page_list.h), for the help file's build and its check.
inline constexpr const char* kAllTopics[] = {kUsers, kViewer};

// The parameter "hh.exe" is given for a topic: "tarnmail.chm::<topic>",
// in quotes when it holds a space ("address lists.htm"), or the viewer
// would take the two halves for two files.
inline std::string topicParameter(const char* topic) {
    std::string parameter = std::string(kFile) + "::" + topic;
    return parameter.find(' ') == std::string::npos ? parameter : '"' + parameter + '"';
}

}  // namespace help
