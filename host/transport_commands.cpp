// Host commands for the mail transport: collecting a POP3 mailbox into
// message files the way the mail server does, and the single POP3 steps.
#include <cstdio>
#include <string>

#include "commands.h"

namespace host {
namespace {

struct Pop3 {
    decltype(&OpenPop3) open;
    decltype(&NumPop3Mail) count;
    decltype(&ListMailPop3) list;
    decltype(&TopPop3) top;
    decltype(&GetMailPop3) get;
    decltype(&DeletePop3) remove;
    decltype(&ClosePop3) close;
    decltype(&UniqueFileName) uniqueName;
};

Pop3 pop3(const Host& h) {
    const Library& l = h.library;
    return {l.get<decltype(&OpenPop3)>("OpenPop3"),         l.get<decltype(&NumPop3Mail)>("NumPop3Mail"),
            l.get<decltype(&ListMailPop3)>("ListMailPop3"), l.get<decltype(&TopPop3)>("TopPop3"),
            l.get<decltype(&GetMailPop3)>("GetMailPop3"),   l.get<decltype(&DeletePop3)>("DeletePop3"),
            l.get<decltype(&ClosePop3)>("ClosePop3"),       l.get<decltype(&UniqueFileName)>("UniqueFileName")};
}

// The session the single-step commands share within one host run.
int session = -1;

// collect HOST PORT USER PASS FOLDER: the whole collection of one mailbox.
// The list goes to FOLDER\list.txt, the headers of every message to
// FOLDER\check.txt, each message to a new unique file that is printed;
// GetMailPop3 deletes each message it stored whole (a message stored by an
// earlier session that was cut is deleted and not stored again).
int collectCmd(Host& h, const Args& a) {
    Pop3 p = pop3(h);
    const std::string& server = a[0];
    const std::string& user = a[2];
    const std::string& folder = a[4];
    int s = p.open(h.main, server.c_str(), user.c_str(), a[3].c_str(), toInt(a[1]));
    if (s == -1) {
        p.close(-1);
        std::printf("collect: no session\n");
        return 0;
    }
    int count = p.count(s, 0);
    std::printf("collect: %d messages\n", count);
    std::string list = folder + "\\list.txt";
    if (count > 0 && p.list(s, list.c_str(), 0) == 0) std::printf("list: %s\n", list.c_str());
    std::string check = folder + "\\check.txt";
    for (int i = 1; i <= count; ++i) {
        if (p.top(s, i, check.c_str(), user.c_str(), 0, 0, i, "", server.c_str(), "", 0) != 0) break;
        char name[260] = {};
        p.uniqueName(folder.c_str(), name, "txt");
        int result = p.get(s, i, name, 1, 0, h.status, 0);
        std::printf("message %d: %d\n", i, result);
        if (result == 0 && GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES) std::printf("collected: %s\n", name);
        if (result == -1) break;
    }
    std::printf("close: %d\n", p.close(s));
    return 0;
}

int pop3OpenCmd(Host& h, const Args& a) {
    session = pop3(h).open(h.main, a[0].c_str(), a[2].c_str(), a[3].c_str(), toInt(a[1]));
    std::printf("open: %s\n", session == -1 ? "-1" : "ok");
    return 0;
}

int pop3StatCmd(Host& h, const Args&) {
    std::printf("stat: %d\n", pop3(h).count(session, 0));
    return 0;
}

int pop3ListCmd(Host& h, const Args& a) {
    std::printf("list: %d\n", pop3(h).list(session, a[0].c_str(), 0));
    return 0;
}

int pop3TopCmd(Host& h, const Args& a) {
    std::printf("top: %d\n", pop3(h).top(session, toInt(a[0]), a[1].c_str(), a[2].c_str(), toInt(a[3]), 0,
                                         toInt(a[4]), "", "", "", 0));
    return 0;
}

// pop3get N FILE DELETE: GetMailPop3 without a progress window, timed.
int pop3GetCmd(Host& h, const Args& a) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int result = pop3(h).get(session, toInt(a[0]), a[1].c_str(), toInt(a[2]), 0, nullptr, 0);
    QueryPerformanceCounter(&end);
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("get: %d (%.1f ms)\n", result, ms);
    return 0;
}

int pop3DeleCmd(Host& h, const Args& a) {
    std::printf("dele: %d\n", pop3(h).remove(session, toInt(a[0]), 0));
    return 0;
}

int pop3CloseCmd(Host& h, const Args&) {
    std::printf("close: %d\n", pop3(h).close(session));
    session = -1;
    return 0;
}

int abortCmd(Host& h, const Args& a) {
    h.library.get<decltype(&AbortComms)>("AbortComms")(toInt(a[0]));
    return 0;
}

const Command transportCommands[] = {
    {"collect", 5, "HOST PORT USER PASS FOLDER: collect a POP3 mailbox into message files", collectCmd},
    {"pop3open", 4, "HOST PORT USER PASS: OpenPop3", pop3OpenCmd},
    {"pop3stat", 0, "NumPop3Mail", pop3StatCmd},
    {"pop3list", 1, "FILE: ListMailPop3", pop3ListCmd},
    {"pop3top", 5, "N FILE USER LINES RECORD: TopPop3", pop3TopCmd},
    {"pop3get", 3, "N FILE DELETE: GetMailPop3, timed", pop3GetCmd},
    {"pop3dele", 1, "N: DeletePop3", pop3DeleCmd},
    {"pop3close", 0, "ClosePop3", pop3CloseCmd},
    {"abort", 1, "FLAG: AbortComms", abortCmd},
};
HOST_COMMANDS(transportCommands);

}  // namespace
}  // namespace host
