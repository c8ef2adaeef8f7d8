// The welcome message files in a new account's mailbox folder.
#include <gtest/gtest.h>

#include "frame/crypt.h"
#include "frame/settings.h"
#include "support/shell_install.h"

using namespace testing_support;

namespace {

const std::string kSingle = "[domain]\r\ndomain=example.org\r\nuse=1\r\n";

std::string salesAccount() {
    return "[mailbox1]\r\nname=Sales\r\naddress=sales\r\nfolder=sales\r\npassword=" +
           util::crypt("SALES", "open4biz", true) + "\r\n";
}

std::string welcome(const Install& install, const char* section = "mailbox1", const char* user = "sales") {
    std::string folder = install.file("mailboxes\\") + user;
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_EQ(CreateWelcomeMsg(section, (folder + "\\").c_str()), 0);
    return readFile(folder + "\\new mail account.txt");
}

std::string envelope(const Install& install, const char* user = "sales") {
    return readFile(install.file("mailboxes\\") + user + "\\new mail account.adr");
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(WelcomeMessage, SingleDomainPlainMessage) {
    Install install("", Install::serverFolders());
    install.writeIni(kSingle + salesAccount());
    std::string text = welcome(install);
    EXPECT_EQ(text.rfind("From: (Postmaster) <root@example.org>\r\nTo: <sales@example.org>\r\n"
                         "Subject: Your new mail account\r\nDate: ",
                         0),
              0u)
        << text;
    // The headers end after MIME-version; the body has the five account lines.
    std::size_t body = text.find("MIME-version: 1.0\r\n\r\n");
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(text.substr(body + 21),
              "Your system domain is example.org\r\n"
              "Your system administrator is root@example.org\r\n"
              "Your email address is sales@example.org\r\n"
              "Your pop3 user-name is sales\r\n"
              "Your pop3 password is open4biz\r\n");
    EXPECT_EQ(envelope(install), "MAIL FROM: <root@example.org>\r\nRCPT TO: <sales@example.org>\r\n");
    EXPECT_EQ(count(text, "\n"), count(text, "\r\n"));
}

TEST(WelcomeMessage, MultiDomainWithoutRootAndThePostmastersMissingPassword) {
    Install install("", Install::serverFolders());
    install.writeIni("[domain]\r\ndomain=example.org\r\nuse=0\r\n"
                "[mailbox0]\r\nname=(Postmaster)\r\naddress=admin@example.org\r\nfolder=root\r\n");
    std::string text = welcome(install, "mailbox0", "root");
    EXPECT_NE(text.find("To: <admin@example.org>\r\n"), std::string::npos);
    EXPECT_NE(text.find("Your mail system does not have a domain.\r\n"
                        "Your administrators email address is \r\n"
                        "Your email address is admin@example.org\r\n"
                        "Your pop3 user-name is root\r\n"
                        "You do not have a password\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Message-id: <"), std::string::npos);
    EXPECT_NE(text.find("ms@example.org>\r\n"), std::string::npos);
    EXPECT_EQ(envelope(install, "root"),
              "MAIL FROM: <" + std::string(cfg::kPlaceholderRoot) + ">\r\nRCPT TO: <admin@example.org>\r\n");

    install.writeIni("[domain]\r\ndomain=example.org\r\nuse=0\r\nroot=boss@example.org\r\n"
                "[mailbox0]\r\nname=(Postmaster)\r\naddress=admin@example.org\r\nfolder=root\r\n");
    text = welcome(install, "mailbox0", "root");
    EXPECT_EQ(text.rfind("From: (Postmaster) <boss@example.org>\r\n", 0), 0u);
    EXPECT_NE(text.find("Your administrators email address is boss@example.org\r\n"), std::string::npos);
    EXPECT_EQ(envelope(install, "root"), "MAIL FROM: <boss@example.org>\r\nRCPT TO: <admin@example.org>\r\n");
}

TEST(WelcomeMessage, SiteTextAndTheNotifierWithOrWithoutTrailingBackslash) {
    Install install("", Install::serverFolders());
    install.writeIni(kSingle + salesAccount());
    ASSERT_TRUE(CopyFileA((exeFolder() + "\\your mailbox.exe").c_str(), install.file("your mailbox.exe").c_str(),
                          FALSE));
    ASSERT_TRUE(writeFile(install.file("new user.txt"), "Welcome to the shop.\nAsk Pat for help.\r\n"));
    for (bool trailing : {false, true}) {
        SCOPED_TRACE(trailing ? "install folder with backslash" : "install folder without backslash");
        Install::enter(trailing ? install.path() + "\\" : install.path());
        std::string text = welcome(install);
        EXPECT_NE(text.find("MIME-version: 1.0\r\nContent-Type: multipart/mixed;\r\n"
                            "\tboundary=\"_NextPart_000_0000_01BF\"\r\n\r\nThis is a MIME message\r\n\r\n"
                            "--_NextPart_000_0000_01BF\r\nContent-Type: text/plain; charset=\"us-ascii\"\r\n"
                            "Content-Transfer-Encoding: 7bit\r\n\r\n"
                            "Welcome to the shop.\r\nAsk Pat for help.\r\n\r\nYour system domain is example.org\r\n"),
                  std::string::npos)
            << text.substr(0, 800);
        EXPECT_NE(text.find("and password - both are shown above.\r\n\r\nMessage generated by BrindleMailServer\r\n"
                            "--_NextPart_000_0000_01BF\r\n"
                            "Content-Type: application/octet-stream;name=\"your mailbox.exe\"\r\n"
                            "Content-Transfer-Encoding: base64\r\n"
                            "Content-Disposition:attachment;filename=\"your mailbox.exe\"\r\n\r\n"
                            "TVqQ"),
                  std::string::npos);
        // The encoded program ends with its empty line; then one more and the end.
        const std::string end = "\r\n\r\n\r\n--_NextPart_000_0000_01BF--\r\n";
        ASSERT_GT(text.size(), end.size());
        EXPECT_EQ(text.substr(text.size() - end.size()), end);
        EXPECT_EQ(count(text, "--_NextPart_000_0000_01BF"), 3u);
        EXPECT_FALSE(fileExists(install.file("temp\\attach1.tmp")));
    }
    Install::enter(install.path());

    // Without the temp folder the program cannot be encoded: a plain message.
    removeTree(install.file("temp"));
    std::string plain = welcome(install);
    EXPECT_EQ(plain.find("Content-Type"), std::string::npos);
    EXPECT_NE(plain.find("MIME-version: 1.0\r\n\r\nWelcome to the shop.\r\n"), std::string::npos);
}
