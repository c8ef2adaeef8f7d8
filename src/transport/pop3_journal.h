// The collection journal: the messages that a collection stored in full
// and then deleted on the server, until the server confirms the deletion.
// A POP3 server carries out DELE only when the session ends with QUIT; a
// session cut before that leaves the messages on the server, and the next
// collection would store them again. The journal, a small file in the
// install folder, names each such message by the server's unique id
// (UIDL), with the server and the user; a later session that finds one of
// them still on the server deletes it without storing it again. A good
// QUIT clears what it confirmed.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace util {

struct JournalEntry {
    std::string host;  // as OpenPop3 was given it; matched without regard to case
    std::string user;  // matched exactly
    std::string uid;   // the server's unique id of the message
};

// "HOST<tab>USER<tab>UID<cr><lf>": one journal line. Entries whose fields
// cannot be written so (a tab or line break in them) are not kept.
bool journalWritable(const JournalEntry& entry);
std::string journalLine(const JournalEntry& entry);

// The entries of a journal file's text; lines that are not entries are left out.
std::vector<JournalEntry> parseJournal(std::string_view text);

bool sameMailbox(const JournalEntry& entry, std::string_view host, std::string_view user);

// The message numbers and unique ids of a UIDL listing's lines ("1 whqtswO00WBw418f9t5JxYwZ"),
// the status line and the end-of-data line left out.
std::map<int, std::string> parseUidListing(const std::vector<std::string>& lines);

}  // namespace util
