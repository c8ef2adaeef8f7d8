// A message printed from the mailbox viewer on a real printer: the test's
// own print server turns the job into a PDF file (tests/peers/cups_pdf.sh),
// and pdftotext reads back what is on its pages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "admin/ui_driver.h"
#include "resources/admin_ids.h"
#include "utilities.h"

using namespace testing_support;

namespace {

// The print dialog's copies field (the system's template names it edt3).
constexpr int kCopiesField = 0x482;

std::string windowsPath(std::string unixPath) {
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return "Z:" + unixPath;
}

// The print server's folder, from the socket the tests are given.
std::string printFolder() {
    char socket[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("CUPS_SERVER", socket, sizeof socket)) return {};
    std::string path = socket;
    return path.substr(0, path.rfind('/'));
}

std::vector<std::string> pdfFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((windowsPath(folder) + "\\*.pdf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// Starts a program of the machine (outside Wine). Wine gives no handle to
// wait for it on: the caller waits for what it writes.
bool startHostProgram(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.erase(0, line.find_first_not_of(' '));
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

TEST(ViewerPrinting, PrintsTheMessageBrokenAtBlanksOnPagesForEveryCopy) {
    const std::string folder = printFolder();
    ASSERT_FALSE(folder.empty()) << "CUPS_SERVER names the test's print server";
    drive::Install install("[mailbox0]\r\nname=(Postmaster)\r\naddress=root\r\nfolder=root\r\n");
    CreateDirectoryA(install.file("mailboxes").c_str(), nullptr);
    CreateDirectoryA(install.file("mailboxes\\root").c_str(), nullptr);
    std::string longLine;
    for (int i = 1; i <= 80; ++i) longLine += "word" + std::to_string(100 + i) + (i % 7 ? " " : "\t");
    std::string body = longLine + "\r\n";
    for (int i = 1; i <= 150; ++i) body += "row " + std::to_string(1000 + i) + "\r\n";
    writeFile(install.file("mailboxes\\root\\print.txt"), "Subject: print me\r\n\r\n" + body);
    const std::size_t before = pdfFiles(folder + "/out").size();

    HWND viewer = ShowMailWindow(nullptr);
    ASSERT_NE(viewer, nullptr);
    HWND tree = GetDlgItem(viewer, IDC_VIEW_TREE);
    HTREEITEM postmaster = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    TreeView_SelectItem(tree, postmaster);
    ASSERT_EQ(drive::listItems(viewer, IDC_VIEW_LIST), std::vector<std::string>{"print.txt"});

    bool asked = drive::clickOpening(viewer, IDC_VIEW_PRINT, "Print", [](HWND dialog) {
        drive::setText(dialog, kCopiesField, "2");
        drive::click(dialog, IDOK);
    });
    ASSERT_TRUE(asked) << "the print dialog";
    DestroyWindow(viewer);

    // The server writes the file a little later.
    std::string pdf;
    waitUntil([&] {
        std::vector<std::string> now = pdfFiles(folder + "/out");
        if (now.size() <= before) return false;
        for (const std::string& name : now)
            if (name.find("eMail_message") != std::string::npos) pdf = folder + "/out/" + name;
        return !pdf.empty();
    }, 60000);
    ASSERT_FALSE(pdf.empty()) << "no PDF from the printer";
    Sleep(500);

    // pdftotext ends every page, the last one too, with a form feed.
    const std::string textFile = windowsPath(folder + "/printed.txt");
    DeleteFileA(textFile.c_str());
    ASSERT_TRUE(startHostProgram("/usr/bin/pdftotext \"" + pdf + "\" \"" + folder + "/printed.txt\""));
    std::string printed;
    waitUntil([&] {
        std::string now = readFile(textFile);
        bool done = !now.empty() && now.back() == '\f' && now == printed;
        printed = now;
        return done;
    }, 30000);
    DeleteFileA(textFile.c_str());
    DeleteFileA(windowsPath(pdf).c_str());

    // Pages end with a form feed; the two copies are the same pages.
    std::vector<std::string> pages;
    for (std::size_t at = 0, end; (end = printed.find('\f', at)) != std::string::npos; at = end + 1)
        pages.push_back(printed.substr(at, end - at));
    ASSERT_GE(pages.size(), 4u) << printed;
    ASSERT_EQ(pages.size() % 2, 0u);
    const std::size_t perCopy = pages.size() / 2;
    for (std::size_t i = 0; i < perCopy; ++i) EXPECT_EQ(pages[i], pages[perCopy + i]) << "page " << i;

    std::vector<std::string> all;
    for (std::size_t i = 0; i < perCopy; ++i)
        for (const std::string& line : lines(pages[i])) all.push_back(line);
    // The long line went onto several printed lines, each of whole words.
    std::vector<std::string> words;
    std::size_t row = 0;
    while (row < all.size() && all[row].rfind("word", 0) == 0) {
        std::istringstream in(all[row++]);
        for (std::string word; in >> word;) words.push_back(word);
    }
    EXPECT_GE(row, 2u) << "broken";
    ASSERT_EQ(words.size(), 80u) << printed;
    for (int i = 1; i <= 80; ++i) EXPECT_EQ(words[static_cast<std::size_t>(i - 1)], "word" + std::to_string(100 + i));
    // Then every row, in order, over the pages.
    ASSERT_EQ(all.size() - row, 150u) << printed;
    for (int i = 1; i <= 150; ++i) EXPECT_EQ(all[row + static_cast<std::size_t>(i - 1)], "row " + std::to_string(1000 + i));
    EXPECT_GE(perCopy, 2u) << "150 rows take more than one page";
}

}  // namespace
