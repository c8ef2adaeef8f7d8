#include "admin/relay_record.h"

#include <cstdlib>
#include <vector>

namespace admin {

std::string buildRelayRecord(const Relay& r) {
    std::string record = r.host + ":" + std::to_string(r.port);
    if (!r.sender.empty())
        record += ":" + r.sender + (r.senderInside ? ":1" : ":0");
    else
        record += "::";
    if (r.authentication)
        record += ":1:" + r.account64 + ":" + r.password64 + ":";
    else
        record += ":0:::";
    return record;
}

std::string relayDisplay(std::string_view record) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (record[i] == ':') {
            fields.push_back(record.substr(start, i - start));
            start = i + 1;
        }
    }
    const std::size_t colons = fields.size();
    if (colons == 0) return std::string(record);
    fields.push_back(record.substr(start));  // what follows the last ":"

    std::string host(fields[0]);
    std::string portText(fields[1]);
    std::string head = host + " port " + std::to_string(std::atoi(portText.c_str()));
    if (colons < 3) return head;
    std::string_view sender = fields[2];
    std::string_view inside = fields[3];
    if (sender.empty()) return head;
    if (colons == 3) return head + " as " + std::string(sender);
    return head + " as " + std::string(sender) + " " + (inside == "1" ? "(From)" : "");
}

}  // namespace admin
