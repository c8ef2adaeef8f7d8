// The one POP3 session of the process: what OpenPop3 was given, the
// greeting flag, and the command-and-reply step every POP3 export uses.
#pragma once

#include <winsock.h>

#include <string_view>

namespace util {

inline constexpr int kSessionTextSize = 256;  // host and user: up to 255 characters

// The password is not kept: it is sent once, from a buffer wiped at once.
struct Pop3Session {
    char host[kSessionTextSize];
    char user[kSessionTextSize];
    int port;
    bool greeted;  // the greeting was accepted: ClosePop3 sends QUIT
};

// Zero-initialised, no constructor.
Pop3Session& pop3Session();

void setSessionHost(const char* host);
void setSessionUser(const char* user);

enum class Pop3Reply {
    Accepted,  // the reply line begins with "+"
    Refused,   // a reply line arrived that does not
    Failed,    // the command could not be sent or no reply line arrived
};

// Sends the command (the socket becomes the current socket) and reads one
// reply line (at most 4,095 bytes) into the reply buffer, terminated. The
// command is kept in the command buffer unless it carries a secret.
enum class Pop3Secret { No, Yes };
Pop3Reply pop3Command(SOCKET s, std::string_view command, Pop3Secret secret = Pop3Secret::No);

// Reads one reply line into the reply buffer; its length, or -1.
int readPop3Line(SOCKET s);

// The last reply line, as read.
std::string_view lastPop3Reply();

// Reports a refusal: the server's line, then the text.
void reportRefusal(std::string_view text);

}  // namespace util
