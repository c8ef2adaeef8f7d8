// Host commands for the spam lists and the message scanner. Each prints the
// result, the matched text and the time the call took, so that repeated
// calls show the cost of loading a list apart from that of matching.
#include <cstdio>
#include <string>

#include "commands.h"

namespace host {
namespace {

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// "-" names the list file of the install folder.
std::string listPath(const Host& h, const std::string& given, const char* file) {
    return given == "-" ? h.installDir + "\\spam lists\\" + file : given;
}

int report(const char* name, int (*call)(const Host&, const Args&, char*), const Host& h, const Args& a) {
    char matched[4096] = {};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    int result = call(h, a, matched);
    double ms = millisecondsSince(start);
    std::printf("%s: %d \"%s\" (%.3f ms)\n", name, result, result ? matched : "", ms);
    return 0;
}

int blackCmd(Host& h, const Args& a) {
    return report("black", [](const Host& h, const Args& a, char* out) {
        return h.library.get<decltype(&ParseBlackSpam)>("ParseBlackSpam")(
            a[0].c_str(), out, listPath(h, a[1], "black.txt").c_str());
    }, h, a);
}

int whiteCmd(Host& h, const Args& a) {
    return report("white", [](const Host& h, const Args& a, char* out) {
        return h.library.get<decltype(&ParseWhiteSpam)>("ParseWhiteSpam")(
            a[0].c_str(), out, listPath(h, a[1], "white.txt").c_str());
    }, h, a);
}

int scanCmd(Host& h, const Args& a) {
    return report("scan", [](const Host& h, const Args& a, char* out) {
        return h.library.get<decltype(&ParseFile)>("ParseFile")(a[0].c_str(), out);
    }, h, a);
}

const Command spamCommands[] = {
    {"black", 2, "MESSAGE LIST: ParseBlackSpam (LIST \"-\": spam lists\\black.txt)", blackCmd},
    {"white", 2, "MESSAGE LIST: ParseWhiteSpam (LIST \"-\": spam lists\\white.txt)", whiteCmd},
    {"scan", 1, "MESSAGE: ParseFile with the scanner phrases", scanCmd},
};
HOST_COMMANDS(spamCommands);

}  // namespace
}  // namespace host
