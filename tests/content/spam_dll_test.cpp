// ParseBlackSpam, ParseWhiteSpam and ParseFile through the real DLL: list
// files under the install folder, the enable and change keys of ms.ini,
// the scanner's scrambled phrases and message files read as bytes.
#include <gtest/gtest.h>

#include <string>

#include "support/install.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;
using namespace std::string_literals;

namespace {

const auto* const installEnvironment =
    ::testing::AddGlobalTestEnvironment(Install::forProgram({"spam lists"}));

std::string install(const std::string& name) { return Install::program().file(name); }
const std::string blackList() { return install("spam lists\\black.txt"); }
const std::string whiteList() { return install("spam lists\\white.txt"); }

void setKey(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), install("ms.ini").c_str());
}
std::string key(const char* section, const char* name) {
    char value[64] = {};
    GetPrivateProfileStringA(section, name, "(none)", value, sizeof value, install("ms.ini").c_str());
    return value;
}

class SpamDll : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(install("ms.ini").c_str());
        // Every test starts from freshly loaded lists.
        setKey("spam", "use", "1");
        setKey("spam", "mod-black", "1");
        setKey("spam", "mod-white", "1");
        setKey("snooper", "use", "1");
        setKey("snooper", "mod", "1");
    }

    std::string message(const std::string& bytes) {
        std::string path = install("msg" + std::to_string(++messages_) + ".txt");
        writeFile(path, bytes);
        return path;
    }
    // The matched text of a black-list call, or "-" for no match.
    std::string black(const std::string& bytes) { return result(ParseBlackSpam, bytes, blackList()); }
    std::string white(const std::string& bytes) { return result(ParseWhiteSpam, bytes, whiteList()); }
    std::string scan(const std::string& bytes) {
        char out[4096] = "untouched";
        return ParseFile(message(bytes).c_str(), out) ? out : "-";
    }

private:
    std::string result(int(UTILAPI* parse)(const char*, char*, const char*), const std::string& bytes,
                       const std::string& list) {
        char out[4096] = "untouched";
        int matched = parse(message(bytes).c_str(), out, list.c_str());
        EXPECT_TRUE(matched == 0 || matched == 1);
        return matched ? out : "-";
    }
    int messages_ = 0;
};

TEST_F(SpamDll, BlackListFromFile) {
    writeFile(blackList(), "free money\r\n@example.com\r\njoe@test.org\r\n\r\nlost entry\r\n");
    EXPECT_EQ(black("Subject: get it FREE,\r\nmoney! back\r\n"), "FREE money");
    EXPECT_EQ(key("spam", "mod-black"), "0");
    EXPECT_EQ(black("From: Anyone@Example.com\r\n\r\nhello\r\n"), "Anyone@Example com");
    EXPECT_EQ(black("From: Joe <joe@test.org>\r\n"), "-");
    EXPECT_EQ(black("From: joe@test.org\r\n"), "joe@test org");
    // The blank third line ended the list.
    EXPECT_EQ(black("a lost entry\r\n"), "-");
    // Bytes that text mode would take as the end of the file do not hide
    // the rest of the message.
    EXPECT_EQ(black("x\x1A y\0free money"s), "free money");
    // A caller without a buffer still gets the answer.
    EXPECT_EQ(ParseBlackSpam(message("free money").c_str(), nullptr, blackList().c_str()), 1);
}

TEST_F(SpamDll, ListIsRereadOnlyWhenItsChangeKeyIsSet) {
    writeFile(whiteList(), "alpha\r\n");
    EXPECT_EQ(white("alpha"), "alpha");
    EXPECT_EQ(key("spam", "mod-white"), "0");

    writeFile(whiteList(), "beta\r\n");
    EXPECT_EQ(white("beta"), "-");
    EXPECT_EQ(white("alpha"), "alpha");
    // Another list name does not replace the held list either.
    EXPECT_EQ(ParseWhiteSpam(message("beta").c_str(), nullptr, blackList().c_str()), 0);

    setKey("spam", "mod-white", "1");
    EXPECT_EQ(white("beta"), "beta");
    EXPECT_EQ(white("alpha"), "-");
    EXPECT_EQ(key("spam", "mod-white"), "0");
}

TEST_F(SpamDll, ListsAreIndependent) {
    writeFile(blackList(), "spammer\r\n");
    writeFile(whiteList(), "friend\r\n");
    EXPECT_EQ(black("friend spammer"), "spammer");
    EXPECT_EQ(white("friend spammer"), "friend");
    EXPECT_EQ(key("spam", "mod-black"), "0");
    EXPECT_EQ(key("spam", "mod-white"), "0");
    // Reloading one leaves the other alone.
    writeFile(blackList(), "other\r\n");
    writeFile(whiteList(), "other\r\n");
    setKey("spam", "mod-black", "1");
    EXPECT_EQ(black("friend spammer other"), "other");
    EXPECT_EQ(white("spammer other friend"), "friend");
}

TEST_F(SpamDll, SwitchedOffListsMatchNothingAndAreReleased) {
    writeFile(blackList(), "alpha\r\n");
    writeFile(whiteList(), "alpha\r\n");
    EXPECT_EQ(black("alpha"), "alpha");
    EXPECT_EQ(white("alpha"), "alpha");

    setKey("spam", "use", "0");
    EXPECT_EQ(black("alpha"), "-");
    EXPECT_EQ(white("alpha"), "-");

    // Switched on again with the change keys at 0: the released lists are
    // read afresh.
    writeFile(blackList(), "beta\r\n");
    writeFile(whiteList(), "gamma\r\n");
    setKey("spam", "use", "1");
    EXPECT_EQ(black("alpha beta"), "beta");
    EXPECT_EQ(white("alpha gamma"), "gamma");
}

TEST_F(SpamDll, MissingFilesMatchNothing) {
    DeleteFileA(blackList().c_str());
    EXPECT_EQ(black("anything"), "-");
    EXPECT_EQ(key("spam", "mod-black"), "1");  // still to be read
    writeFile(blackList(), "anything\r\n");
    EXPECT_EQ(black("anything"), "anything");
    EXPECT_EQ(ParseBlackSpam(install("no such message.txt").c_str(), nullptr, blackList().c_str()), 0);
    EXPECT_EQ(ParseBlackSpam(nullptr, nullptr, blackList().c_str()), 0);
    setKey("spam", "mod-black", "1");
    EXPECT_EQ(ParseBlackSpam(message("anything").c_str(), nullptr, nullptr), 0);
}

std::string scrambled(const std::string& phrase) {
    std::string out(phrase.size() + 1, '\0');
    Crypt("qelvoran", phrase.c_str(), out.data(), 1);
    out.resize(phrase.size());
    return out;
}

TEST_F(SpamDll, ScannerPhrasesAreUnscrambled) {
    setKey("snooper", "x0", scrambled("Secret Project"));
    setKey("snooper", "x1", scrambled("@example.com"));
    setKey("snooper", "x2", "");
    setKey("snooper", "x3", scrambled("after the gap"));
    EXPECT_EQ(scan("the secret\r\nproject, again"), "secret project");
    EXPECT_EQ(key("snooper", "mod"), "0");
    // No "@" rule for the scanner: only the word itself.
    EXPECT_EQ(scan("from joe@example.com"), "-");
    EXPECT_EQ(scan("from @Example.com"), "@Example com");
    // An empty key adds nothing; the phrases behind it are read, up to the
    // first missing key (the Scanner page shows and keeps them too).
    EXPECT_EQ(scan("after the gap"), "after the gap");
    setKey("snooper", "x5", scrambled("beyond a missing key"));
    setKey("snooper", "mod", "1");
    EXPECT_EQ(scan("beyond a missing key"), "-");
    // The phrases are not reread until the change key says so.
    setKey("snooper", "x0", scrambled("new phrase"));
    EXPECT_EQ(scan("new phrase"), "-");
    setKey("snooper", "mod", "1");
    EXPECT_EQ(scan("new phrase"), "new phrase");

    setKey("snooper", "use", "0");
    EXPECT_EQ(scan("new phrase"), "-");
    // The spam lists' switch does not touch the scanner.
    setKey("snooper", "use", "1");
    setKey("spam", "use", "0");
    EXPECT_EQ(scan("new phrase"), "new phrase");
}

}  // namespace
