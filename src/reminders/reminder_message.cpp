#include "reminders/reminder_message.h"

namespace util {

MessageLines reminderMessageLines(const ReminderMessage& m) {
    MessageLines out;
    std::vector<std::string>& head = out.head;
    head.push_back(dateHeader(m.time, m.zoneOffset));
    if (m.envelopeReadable) {
        for (std::string& line : toHeaderLines(m.recipients)) head.push_back(std::move(line));
    } else {
        head.push_back("To: \"user of reminder service\"");
    }
    head.push_back("From: \"Reminder service\" <" + m.sender + ">");
    head.push_back("Message-id: <" + reminderIdDigits(m.time) + "ms@" + m.domain + ">");
    head.push_back("Subject: " + m.subject);
    head.push_back("MIME-version: 1.0");

    const bool attached = !m.attachmentName.empty();
    if (attached) {
        appendMultipartOpening(head);
    } else {
        head.push_back("Content-Type: text/plain; charset=\"us-ascii\"");
        head.push_back("Content-Transfer-Encoding: 7bit");
        head.push_back("");
    }
    for (const std::string& line : m.body) head.push_back(line);
    head.push_back("");
    head.push_back(generatedByLine());
    if (attached) {
        appendAttachmentHeader(head, m.attachmentName);
        appendMultipartClosing(out.tail);
    } else {
        head.push_back("");
    }
    return out;
}

}  // namespace util
