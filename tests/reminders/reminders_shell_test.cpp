// Reminder records in ms.ini, the scan at chosen moments, and the messages
// the generator leaves in tmp.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "frame/profile.h"
#include "frame/settings.h"
#include "reminders/reminders.h"
#include "support/recorder.h"
#include "support/shell_install.h"

using namespace testing_support;
using util::ReminderRecord;

namespace {

const std::string kSingle = "[domain]\r\ndomain=example.org\r\nuse=1\r\n";

util::ScanClock at(int year, int month1, int day, int hour, int minute, int weekday = 1) {
    util::LocalTime t;
    t.year = year;
    t.month = month1;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.weekday = weekday;
    return util::scanClock(t);
}

std::string once(int index, const std::string& subject, int year, int month0, int date, int hour, int minute,
                 const std::string& extra = "") {
    char text[512];
    std::snprintf(text, sizeof text,
                  "[0auto%d]\r\nsubject=%s\r\nyear=%d\r\nmonth=%d\r\ndate=%d\r\nhour=%d\r\nmin=%d\r\n"
                  "reptype=0\r\ntotype=1\r\ntodata=team@example.org\r\n",
                  index, subject.c_str(), year, month0, date, hour, minute);
    return text + extra;
}

std::unique_ptr<ReminderRecord> record(int totype, const char* todata) {
    auto r = std::make_unique<ReminderRecord>();
    *r = ReminderRecord{};
    r->totype = totype;
    std::strcpy(r->todata, todata);
    std::strcpy(r->subject, "Stock take");
    std::strcpy(r->line0, "Count the shelves");
    return r;
}

std::string key(const char* section, const char* name) { return util::profileString(section, name, "<missing>"); }

// The one generated message and its envelope.
struct Generated {
    std::string message, envelope;
};

Generated onlyMessage(const Install& install) {
    Generated g;
    std::vector<std::string> names = install.files("tmp");
    EXPECT_EQ(names.size(), 2u);
    for (const std::string& name : names) {
        std::string text = readFile(install.file("tmp\\" + name));
        if (name.size() > 4 && name.substr(name.size() - 4) == ".txt") g.message = text;
        else if (name.size() > 4 && name.substr(name.size() - 4) == ".adr") g.envelope = text;
        else ADD_FAILURE() << "unexpected file " << name;
    }
    return g;
}

std::pair<std::string, int> lastEvent(const Recorder& recorder) {
    if (recorder.events.empty()) return {"<none>", 0};
    return {recorder.events.back().text, recorder.events.back().category};
}

}  // namespace

TEST(ReminderScan, OnceRecordsAreGeneratedAndTheListStaysDense) {
    Install install("", Install::serverFolders());
    Recorder recorder;
    install.writeIni(kSingle + once(0, "First", 2025, 11, 1, 9, 0) + once(1, "Second", 2025, 11, 7, 9, 30) +
                once(2, "Later", 2025, 11, 7, 9, 31));
    util::checkReminders(at(2025, 12, 7, 9, 30));
    EXPECT_EQ(install.files("tmp").size(), 4u);
    EXPECT_EQ(key("0auto0", "subject"), "Later");
    EXPECT_EQ(key("0auto0", "min"), "31");
    EXPECT_EQ(key("0auto1", "subject"), "<missing>");
    EXPECT_EQ(key("0auto2", "subject"), "<missing>");
    const auto& events = recorder.events;
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].text, "Reminder generated");
    EXPECT_EQ(events[0].category, UTIL_EVENT_SCHEDULED);

    // One minute later the last one goes too, and the list is empty.
    util::checkReminders(at(2025, 12, 7, 9, 31));
    EXPECT_EQ(install.files("tmp").size(), 6u);
    EXPECT_EQ(key("0auto0", "subject"), "<missing>");
    EXPECT_EQ(CheckReminders(), 0);
    EXPECT_EQ(install.files("tmp").size(), 6u);
}

TEST(ReminderScan, RepeatingRecordsAreStampedAndWrittenBack) {
    Install install("", Install::serverFolders());
    install.writeIni(kSingle +
                "[0auto0]\r\nsubject=Every three days\r\nyear=2000\r\nmonth=0\r\ndate=1\r\nhour=9\r\nmin=0\r\n"
                "reptype=3\r\nrep1=3\r\nrep2=0\r\ntotype=1\r\ntodata=a@example.org\r\ncustom=stays\r\n"
                "[0auto1]\r\nsubject=Broken interval\r\nyear=2000\r\nreptype=3\r\nrep1=0\r\nrep2=0\r\n"
                "totype=1\r\ntodata=a@example.org\r\n");
    // 7 December 2025 is day 9472 (1 January 2025 is day 9132).
    util::checkReminders(at(2025, 12, 7, 9, 0));
    EXPECT_EQ(key("0auto0", "sentyear"), "125");
    EXPECT_EQ(key("0auto0", "sentmonth"), "11");
    EXPECT_EQ(key("0auto0", "sentdate"), "7");
    EXPECT_EQ(key("0auto0", "senthour"), "9");
    EXPECT_EQ(key("0auto0", "nextdueday"), "9474");
    EXPECT_EQ(key("0auto0", "custom"), "stays");
    // The record that can have no next due day is left as it was.
    EXPECT_EQ(key("0auto1", "sentyear"), "<missing>");
    EXPECT_EQ(install.files("tmp").size(), 2u);

    util::checkReminders(at(2025, 12, 7, 18, 0));
    util::checkReminders(at(2025, 12, 8, 9, 0));
    EXPECT_EQ(install.files("tmp").size(), 2u);
    util::checkReminders(at(2025, 12, 9, 9, 0));
    EXPECT_EQ(install.files("tmp").size(), 4u);
    EXPECT_EQ(key("0auto0", "nextdueday"), "9477");
}

TEST(ReminderRecords, DefaultsRoundTripAndRemoval) {
    Install install("", Install::serverFolders());
    install.writeIni("[0auto0]\r\nsubject=Only a subject\r\n[0auto1]\r\nsubject=B\r\nnextdueday=4294967295\r\n"
                "[0auto2]\r\nsubject=C\r\n");
    auto r = std::make_unique<ReminderRecord>();
    util::readReminder("0auto0", *r);
    EXPECT_EQ(r->hour, 12);
    EXPECT_EQ(r->min, 0);
    EXPECT_EQ(r->date, 1);
    EXPECT_EQ(r->month, 1);
    EXPECT_EQ(r->year, 2000);
    EXPECT_EQ(r->sentyear, 0);
    EXPECT_EQ(r->rep1, 1);
    EXPECT_EQ(r->rep2, 1);
    EXPECT_EQ(r->nextdueday, 0u);
    EXPECT_STREQ(r->subject, "Only a subject");
    util::readReminder("0auto1", *r);
    EXPECT_EQ(r->nextdueday, 4294967295u);
    util::writeReminder("copy", *r);
    EXPECT_EQ(key("copy", "nextdueday"), "4294967295");
    EXPECT_EQ(key("copy", "line3"), "");

    util::removeReminder(0);
    EXPECT_EQ(key("0auto0", "subject"), "B");
    EXPECT_EQ(key("0auto1", "subject"), "C");
    EXPECT_EQ(key("0auto2", "subject"), "<missing>");
    util::removeReminder(1);
    EXPECT_EQ(key("0auto0", "subject"), "B");
    EXPECT_EQ(key("0auto1", "subject"), "<missing>");
}

TEST(ReminderMessage, GivenAddressesWithNamesAndWords) {
    Install install("", Install::serverFolders());
    Recorder recorder;
    install.writeIni(kSingle);
    util::generateReminder(*record(1, "Fred Bloggs <fred@example.org>, jane@example.net (Jane's desk)"));
    Generated g = onlyMessage(install);
    EXPECT_EQ(g.envelope,
              "MAIL FROM: <root@example.org>\r\nRCPT TO: <fred@example.org>\r\nRCPT TO: <jane@example.net>\r\n");
    EXPECT_EQ(g.message.rfind("Date: ", 0), 0u);
    EXPECT_NE(g.message.find("\r\nTo: fred@example.org , jane@example.net\r\n"
                             "From: \"Reminder service\" <root@example.org>\r\nMessage-id: <"),
              std::string::npos)
        << g.message;
    EXPECT_NE(g.message.find("ms@example.org>\r\nSubject: Stock take\r\nMIME-version: 1.0\r\n"
                             "Content-Type: text/plain; charset=\"us-ascii\"\r\n"),
              std::string::npos);
    EXPECT_EQ(g.message.substr(g.message.find("7bit\r\n")),
              "7bit\r\n\r\nCount the shelves\r\n\r\n\r\n\r\n\r\nMessage generated by BrindleMailServer\r\n\r\n");
    EXPECT_EQ(lastEvent(recorder), std::make_pair(std::string("Reminder generated"), 1));
}

TEST(ReminderMessage, EveryFailureLogsItsReasonAndLeavesNoFile) {
    Install install("", Install::serverFolders());
    Recorder recorder;
    install.writeIni(kSingle + "[mailbox0]\r\nname=(Postmaster)\r\naddress=root\r\n");
    ASSERT_TRUE(writeFile(install.file("address lists\\words.txt"), "no addresses here\r\njust words\r\n"));
    struct Case {
        int totype;
        const char* todata;
        const char* text;
    } cases[] = {
        {1, "", "Reminder not sent - no addresses"},
        {0, "", "Reminder not sent - no addresses"},
        {1, "Fred", "Reminder not sent - no valid addresses"},
        {0, "Nobody", "Reminder not sent - no user address"},
        {2, "missing", "Reminder not sent - address list missing"},
        {2, "words", "Reminder not sent - no valid addresses in list"},
    };
    for (const Case& c : cases) {
        util::generateReminder(*record(c.totype, c.todata));
        EXPECT_EQ(lastEvent(recorder), std::make_pair(std::string(c.text), 3)) << c.todata;
        EXPECT_TRUE(install.files("tmp").empty()) << c.text;
    }
    install.writeIni(kSingle + "[mailbox0]\r\nname=(Postmaster)\r\n");
    util::generateReminder(*record(3, ""));
    EXPECT_EQ(lastEvent(recorder), std::make_pair(std::string("Reminder not sent - no local users"), 3));
    EXPECT_TRUE(install.files("tmp").empty());

    removeTree(install.file("tmp"));
    util::generateReminder(*record(1, "a@example.org"));
    EXPECT_EQ(lastEvent(recorder), std::make_pair(std::string("Reminder not sent - cannot open adr file"), 3));
}

TEST(ReminderMessage, InternalUsersListsAndTheToLines) {
    Install install("", Install::serverFolders());
    install.writeIni(kSingle + "[mailbox0]\r\nname=Sales\r\naddress=sales\r\n[mailbox1]\r\nname=Office\r\naddress=office\r\n"
                          "[mailbox2]\r\nname=Empty\r\n[mailbox3]\r\nname=Behind\r\naddress=behind\r\n");
    util::generateReminder(*record(3, ""));
    Generated all = onlyMessage(install);
    EXPECT_EQ(all.envelope,
              "MAIL FROM: <root@example.org>\r\nRCPT TO: <sales@example.org>\r\nRCPT TO: <office@example.org>\r\n");
    EXPECT_NE(all.message.find("\r\nTo: sales@example.org , office@example.org\r\nFrom: "), std::string::npos);
    removeTree(install.file("tmp"));
    CreateDirectoryA(install.file("tmp").c_str(), nullptr);

    util::generateReminder(*record(0, "OFFICE"));
    Generated one = onlyMessage(install);
    EXPECT_EQ(one.envelope, "MAIL FROM: <root@example.org>\r\nRCPT TO: <office@example.org>\r\n");
    EXPECT_NE(one.message.find("\r\nTo: office@example.org\r\nFrom: "), std::string::npos);
    removeTree(install.file("tmp"));
    CreateDirectoryA(install.file("tmp").c_str(), nullptr);

    ASSERT_TRUE(writeFile(install.file("address lists\\staff.txt"),
                          "Ann <ann@example.org>\r\nbob@example.org, \"Cy\" cy@example.org\nnot an address\n"));
    util::generateReminder(*record(2, "staff"));
    Generated list = onlyMessage(install);
    EXPECT_EQ(list.envelope, "MAIL FROM: <root@example.org>\r\nRCPT TO: <ann@example.org>\r\n"
                             "RCPT TO: <bob@example.org>\r\nRCPT TO: <cy@example.org>\r\n");
    EXPECT_NE(list.message.find("\r\nTo: ann@example.org , bob@example.org ,\r\n\tcy@example.org\r\nFrom: "),
              std::string::npos)
        << list.message;
}

TEST(ReminderMessage, MultiDomainSenderAndAttachments) {
    Install install("", Install::serverFolders());
    Recorder recorder;
    install.writeIni("[domain]\r\ndomain=example.org\r\nuse=0\r\nroot=boss@example.net\r\n"
                "[mailbox0]\r\nname=Sales\r\naddress=sales@shop.example.com\r\n");
    auto r = record(3, "");
    std::string missing = install.file("no such file.pdf");
    std::strcpy(r->attachment, missing.c_str());
    util::generateReminder(*r);
    Generated plain = onlyMessage(install);
    EXPECT_EQ(plain.envelope, "MAIL FROM: <boss@example.net>\r\nRCPT TO: <sales@shop.example.com>\r\n");
    EXPECT_NE(plain.message.find("From: \"Reminder service\" <boss@example.net>\r\n"), std::string::npos);
    EXPECT_NE(plain.message.find("ms@example.org>\r\nSubject: "), std::string::npos);
    EXPECT_NE(plain.message.find("Content-Type: text/plain"), std::string::npos);
    EXPECT_EQ(lastEvent(recorder), std::make_pair(std::string("Reminder generated"), 1));
    removeTree(install.file("tmp"));
    CreateDirectoryA(install.file("tmp").c_str(), nullptr);

    std::string attachment = install.file("stock list.csv");
    ASSERT_TRUE(writeFile(attachment, "item,count\r\nbolts,40\r\n"));
    std::strcpy(r->attachment, attachment.c_str());
    util::generateReminder(*r);
    Generated multi = onlyMessage(install);
    EXPECT_NE(multi.message.find("Content-Disposition:attachment;filename=\"stock list.csv\"\r\n\r\n"
                                 "aXRlbSxjb3VudA0KYm9sdHMsNDANCg==\r\n\r\n\r\n--_NextPart_000_0000_01BF--\r\n"),
              std::string::npos)
        << multi.message;
    EXPECT_FALSE(fileExists(install.file("temp\\attach.tmp")));
}

TEST(ReminderMessage, MissingDomainSettingsGiveThePlaceholders) {
    Install install("", Install::serverFolders());
    install.writeIni("[domain]\r\nuse=0\r\n[mailbox0]\r\nname=Sales\r\naddress=sales@shop.example.com\r\n");
    util::generateReminder(*record(3, ""));
    EXPECT_EQ(onlyMessage(install).envelope, "MAIL FROM: <" + std::string(cfg::kPlaceholderRoot) +
                                                 ">\r\nRCPT TO: <sales@shop.example.com>\r\n")
        << "the welcome message names the same administrator";
    removeTree(install.file("tmp"));
    CreateDirectoryA(install.file("tmp").c_str(), nullptr);

    install.writeIni("[mailbox0]\r\nname=Sales\r\naddress=sales\r\n");
    util::generateReminder(*record(3, ""));
    EXPECT_EQ(onlyMessage(install).envelope, "MAIL FROM: <root@" + std::string(cfg::kPlaceholderDomain) +
                                                 ">\r\nRCPT TO: <sales@" + cfg::kPlaceholderDomain + ">\r\n");
}
