// A message printed from the mailbox viewer on a real printer: the test's
// own print server turns the job into a PDF file (tests/peers/cups_pdf.sh),
// and pdftotext reads back what is on its pages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <sstream>

#include "monitor/mail_viewer_ids.h"
#include "support/peers.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace testing_support;

namespace {

// The print dialog's copies field (the system's template names it edt3).
constexpr int kCopiesField = 0x482;

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
    const std::size_t before = printedFiles(folder).size();

    HWND viewer = ShowMailWindow(nullptr);
    ASSERT_NE(viewer, nullptr);
    HWND tree = GetDlgItem(viewer, IDC_VIEW_TREE);
    HTREEITEM postmaster = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    TreeView_SelectItem(tree, postmaster);
    ASSERT_EQ(drive::listItems(viewer, IDC_VIEW_LIST), std::vector<std::string>{"print.txt"});

    bool asked = false;
    std::string failure = drive::expectingBox("Error", [&] {
        asked = drive::clickOpening(viewer, IDC_VIEW_PRINT, "Print", [](HWND dialog) {
            drive::setText(dialog, kCopiesField, "2");
            drive::click(dialog, IDOK);
        });
    });
    ASSERT_TRUE(asked) << "the print dialog";
    EXPECT_EQ(failure, "");
    DestroyWindow(viewer);

    // Pages end with a form feed; the two copies are the same pages.
    std::vector<std::string> pages = printedPages(folder, before, "eMail_message");
    ASSERT_GE(pages.size(), 4u) << "no PDF from the printer, or too few pages\n" << printServerLog(folder);
    ASSERT_EQ(pages.size() % 2, 0u);
    const std::size_t perCopy = pages.size() / 2;
    for (std::size_t i = 0; i < perCopy; ++i) EXPECT_EQ(pages[i], pages[perCopy + i]) << "page " << i;

    std::vector<std::string> all;
    for (std::size_t i = 0; i < perCopy; ++i)
        for (const std::string& line : printedLines(pages[i])) all.push_back(line);
    // The long line went onto several printed lines, each of whole words.
    std::vector<std::string> words;
    std::size_t row = 0;
    while (row < all.size() && all[row].rfind("word", 0) == 0) {
        std::istringstream in(all[row++]);
        for (std::string word; in >> word;) words.push_back(word);
    }
    EXPECT_GE(row, 2u) << "broken";
    ASSERT_EQ(words.size(), 80u);
    for (int i = 1; i <= 80; ++i) EXPECT_EQ(words[static_cast<std::size_t>(i - 1)], "word" + std::to_string(100 + i));
    // Then every row, in order, over the pages.
    ASSERT_EQ(all.size() - row, 150u);
    for (int i = 1; i <= 150; ++i) EXPECT_EQ(all[row + static_cast<std::size_t>(i - 1)], "row " + std::to_string(1000 + i));
    EXPECT_GE(perCopy, 2u) << "150 rows take more than one page";
}

}  // namespace
