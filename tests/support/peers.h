// The private servers of the tests (tests/peers): where the relay (Postfix,
// SMTP_RELAY_DIR) and the POP3 server (Dovecot, POP3_PEER_DIR) keep their
// settings, how a message is put into a POP3 mailbox, and what the print
// server's PDF printer (CUPS_SERVER) printed.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <sstream>
#include <vector>

#include "support/win32_support.h"
#include "utilities.h"

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

// The message the relay delivered to recipient into its maildir's "new"
// folder (a Windows path), as stored; empty when none came within the time.
// Only each file's head is searched for the recipient.
inline std::string relayDelivered(const std::string& folder, const std::string& recipient, DWORD milliseconds) {
    const std::string marker = "\nDelivered-To: " + recipient + "\n";
    auto head = [](const std::string& path) {
        std::string bytes(4096, '\0');
        DWORD got = 0;
        HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return std::string();
        ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(f);
        bytes.resize(got);
        return bytes;
    };
    std::string found;
    waitUntil(
        [&] {
            WIN32_FIND_DATAA entry;
            HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &entry);
            if (h == INVALID_HANDLE_VALUE) return false;
            do {
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                std::string path = folder + "\\" + entry.cFileName;
                if (head(path).find(marker) != std::string::npos) found = readFile(path);
            } while (found.empty() && FindNextFileA(h, &entry));
            FindClose(h);
            return !found.empty();
        },
        milliseconds);
    return found;
}

// Sends a message file through one session of the test relay opened with
// record (a relay record as OpenSMTP takes it); what the relay delivered to
// recipient, empty (with a failure added) when the session or the delivery
// failed.
inline std::string sendThroughRelay(const std::string& record, const std::string& file, const std::string& recipient) {
    if (InitSMTP() != 0) {
        ADD_FAILURE() << "InitSMTP failed";
        return "";
    }
    std::vector<char> text(record.begin(), record.end());
    text.push_back('\0');
    const int smtp = OpenSMTP(nullptr, 0, text.data(), 0);
    if (smtp == -1) {
        ADD_FAILURE() << "OpenSMTP refused " << record;
        return "";
    }
    char error[1100] = {};
    EXPECT_EQ(SendMailSMTP(smtp, file.c_str(), "", nullptr, error), 0) << error;
    CloseSMTP(smtp);
    return relayDelivered(windowsPath(relaySettings()["MAILDIR"]) + "\\new", recipient, 20000);
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

// The print server's folder (a Unix path), from the socket the tests are given.
inline std::string printFolder() {
    char socket[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("CUPS_SERVER", socket, sizeof socket)) return {};
    std::string path = socket;
    return path.substr(0, path.rfind('/'));
}

// The PDF files the printer has written into the folder's "out".
inline std::vector<std::string> printedFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((windowsPath(folder + "/out") + "\\*.pdf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// Starts a program of the machine (outside Wine). Wine gives no handle to
// wait for it on: the caller waits for what it writes.
inline bool startHostProgram(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

// The pages of the next PDF (more than `before` files) whose name holds
// document, as pdftotext reads them; the PDF is removed. Empty when none
// came within the time.
inline std::vector<std::string> printedPages(const std::string& folder, std::size_t before,
                                             const std::string& document) {
    std::string pdf;
    waitUntil([&] {
        std::vector<std::string> now = printedFiles(folder);
        if (now.size() <= before) return false;
        for (const std::string& name : now)
            if (name.find(document) != std::string::npos) pdf = folder + "/out/" + name;
        return !pdf.empty();
    }, 60000);
    std::vector<std::string> pages;
    if (pdf.empty()) return pages;
    Sleep(500);  // the server writes the file a little later

    // pdftotext ends every page, the last one too, with a form feed.
    const std::string textFile = windowsPath(folder + "/printed.txt");
    DeleteFileA(textFile.c_str());
    if (!startHostProgram("/usr/bin/pdftotext \"" + pdf + "\" \"" + folder + "/printed.txt\"")) return pages;
    std::string printed;
    waitUntil([&] {
        std::string now = readFile(textFile);
        bool done = !now.empty() && now.back() == '\f' && now == printed;
        printed = now;
        return done;
    }, 30000);
    DeleteFileA(textFile.c_str());
    DeleteFileA(windowsPath(pdf).c_str());
    for (std::size_t at = 0, end; (end = printed.find('\f', at)) != std::string::npos; at = end + 1)
        pages.push_back(printed.substr(at, end - at));
    return pages;
}

// What the print server logged of its jobs and errors, for a test that
// found nothing printed.
inline std::string printServerLog(const std::string& folder) {
    std::string log = "print server access log:\n" + readFile(windowsPath(folder + "/access_log"));
    std::istringstream errors(readFile(windowsPath(folder + "/error_log")));
    log += "its errors:\n";
    for (std::string line; std::getline(errors, line);)
        if (line.rfind("W ", 0) != 0) log += line + "\n";
    return log;
}

// The lines of a printed page that hold text, without the blanks around them.
inline std::vector<std::string> printedLines(const std::string& page) {
    std::vector<std::string> out;
    std::istringstream in(page);
    for (std::string line; std::getline(in, line);) {
        line.erase(0, line.find_first_not_of(' '));
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

}  // namespace testing_support
