// The private mail servers of the tests (tests/peers): where the relay
// (Postfix, SMTP_RELAY_DIR) and the POP3 server (Dovecot, POP3_PEER_DIR)
// keep their settings, and how a message is put into a POP3 mailbox.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/win32_support.h"

namespace testing_support {

// A Unix path as the Windows side sees it.
inline std::string windowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The relay's NAME=value settings (SMTP_PORT, AUTH_PORT, AUTH_USER,
// MAILDIR, ...), written by postfix.sh start.
inline std::map<std::string, std::string> relaySettings() {
    std::map<std::string, std::string> settings;
    const char* dir = std::getenv("SMTP_RELAY_DIR");
    if (!dir) return settings;
    std::string text = readFile(windowsPath(std::string(dir) + "/env"));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        std::size_t eq = line.find('=');
        if (eq != std::string::npos) settings[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return settings;
}

// The POP3 server's folder (a Windows path) and plain port.
inline std::string pop3PeerDir() {
    const char* dir = std::getenv("POP3_PEER_DIR");
    return dir ? dir : "";
}
inline int pop3PeerPort() { return std::atoi(readFile(pop3PeerDir() + "\\port").c_str()); }

// Puts messages into a mailbox the way a delivery does: written into tmp,
// then moved into new.
inline void seedMailbox(const std::string& user, const std::vector<std::string>& messages) {
    static int serial = 0;
    for (const std::string& m : messages) {
        std::string name = std::to_string(GetTickCount()) + ".M" + std::to_string(++serial) + "P" +
                           std::to_string(GetCurrentProcessId()) + ".test";
        std::string tmp = pop3PeerDir() + "\\mail\\" + user + "\\tmp\\" + name;
        ASSERT_TRUE(writeFile(tmp, m));
        ASSERT_TRUE(MoveFileA(tmp.c_str(), (pop3PeerDir() + "\\mail\\" + user + "\\new\\" + name).c_str()));
    }
}

}  // namespace testing_support
