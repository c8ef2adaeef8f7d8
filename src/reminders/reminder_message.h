// The text of a reminder message, around the general message writer.
#pragma once

#include <string>
#include <vector>

#include "content/message_text.h"
#include "frame/local_time.h"

namespace util {

struct ReminderMessage {
    LocalTime time;
    std::string zoneOffset;
    bool envelopeReadable = true;
    std::vector<std::string> recipients;  // as the envelope lists them
    std::string sender;
    std::string domain;
    std::string subject;
    std::string body[4];
    std::string attachmentName;           // empty: a plain message
};

MessageLines reminderMessageLines(const ReminderMessage& m);

}  // namespace util
