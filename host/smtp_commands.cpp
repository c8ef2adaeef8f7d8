// Host commands for SMTP delivery: one message, or every message of a
// queue folder, through one relay record, as the executable sends its
// outgoing queue.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"

namespace host {
namespace {

struct Smtp {
    decltype(&InitSMTP) init;
    decltype(&OpenSMTP) open;
    decltype(&SendMailSMTP) send;
    decltype(&CloseSMTP) close;
    explicit Smtp(const Library& l)
        : init(l.get<decltype(&InitSMTP)>("InitSMTP")),
          open(l.get<decltype(&OpenSMTP)>("OpenSMTP")),
          send(l.get<decltype(&SendMailSMTP)>("SendMailSMTP")),
          close(l.get<decltype(&CloseSMTP)>("CloseSMTP")) {}
};

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The envelope beside a message file: the same base name with ".adr".
std::string envelopeOf(const std::string& message) {
    std::size_t dot = message.rfind('.');
    std::string envelope = (dot == std::string::npos ? message : message.substr(0, dot)) + ".adr";
    return exists(envelope) ? envelope : std::string();
}

double milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Sends the files through one session; prints each result and its time.
int deliver(Host& h, const std::string& relay, const std::vector<std::string>& files) {
    Smtp smtp(h.library);
    if (smtp.init() != 0) {
        std::printf("send: sockets not available\n");
        return 0;
    }
    std::vector<char> record(relay.begin(), relay.end());
    record.push_back('\0');
    int s = smtp.open(h.main, 0, record.data(), 0);
    std::printf("open: %s\n", s == -1 ? "failed" : "connected");
    if (s != -1) {
        for (const std::string& file : files) {
            std::string envelope = envelopeOf(file);
            char error[1100] = "";
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            int result = smtp.send(s, file.c_str(), envelope.c_str(), nullptr, error);
            QueryPerformanceCounter(&end);
            std::printf("send: %s %d (%.1f ms)%s%s\n", file.c_str(), result, milliseconds(start, end),
                        error[0] ? " " : "", error);
        }
    }
    smtp.close(s);
    return 0;
}

int sendCmd(Host& h, const Args& a) { return deliver(h, a[0], {a[1]}); }

int sendQueueCmd(Host& h, const Args& a) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((a[1] + "\\*.txt").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            // The pattern also matches folders and short aliases such as "x.txtx".
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() < 4 ||
                name.compare(name.size() - 4, 4, ".txt") != 0)
                continue;
            files.push_back(a[1] + "\\" + name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    if (files.empty()) {
        std::printf("sendqueue: no messages in %s\n", a[1].c_str());
        return 0;
    }
    return deliver(h, a[0], files);
}

const Command smtpCommands[] = {
    {"send", 2, "RELAYRECORD FILE: deliver one message (its .adr envelope when present)", sendCmd},
    {"sendqueue", 2, "RELAYRECORD FOLDER: deliver every .txt of a queue folder in one session", sendQueueCmd},
};
HOST_COMMANDS(smtpCommands);

}  // namespace
}  // namespace host
