// The server's unique ids in the POP3 session, and the collection journal
// kept with them (pop3_journal.h): which messages of this mailbox were
// stored in full and deleted, until a good QUIT confirms the deletion.
#pragma once

#include <winsock.h>

#include <optional>
#include <string>

namespace util {

// Forgets the ids of the last session; OpenPop3 calls it.
void startPop3Ids();

// The unique id of message number in this session: the server's UIDL
// listing is asked for once a session, at the first question. None when
// the server has no UIDL (the session then works without a journal) or
// does not list the message. False in failed when the listing was cut
// (a network failure).
std::optional<std::string> pop3MessageId(SOCKET s, int number, bool& failed);

// Whether the journal names the message as already stored for this
// session's server and user.
bool collectedBefore(const std::string& uid);

// Writes the message into the journal (before its file is handed back).
void journalCollected(const std::string& uid);

// The server accepted DELE for the message in this session.
void noteDeleted(const std::string& uid);

// The server answered QUIT with "+OK": its deletions are done. The journal
// drops this mailbox's entries that the session deleted, or that the
// server no longer listed.
void confirmDeletions();

}  // namespace util
