// The relay record and the editors' Save checks, as tables.
#include <gtest/gtest.h>

#include "admin/relay_record.h"
#include "admin/server_checks.h"

using namespace admin;

namespace {

TEST(RelayRecord, BuildsEveryCombinationOfOptions) {
    struct Row {
        Relay relay;
        const char* record;
    } rows[] = {
        {{"smtp.example.net", 25, "", false, false, "", ""}, "smtp.example.net:25:::0:::"},
        {{"smtp.example.net", 587, "me@example.org", true, false, "", ""}, "smtp.example.net:587:me@example.org:1:0:::"},
        {{"smtp.example.net", 25, "me@example.org", false, false, "", ""}, "smtp.example.net:25:me@example.org:0:0:::"},
        {{"smtp.example.net", 25, "", false, true, "am9l", "c2VjcmV0"}, "smtp.example.net:25:::1:am9l:c2VjcmV0:"},
        {{"h", 2525, "a@b.c", true, true, "dQ==", "cA=="}, "h:2525:a@b.c:1:1:dQ==:cA==:"},
    };
    for (const Row& row : rows) EXPECT_EQ(buildRelayRecord(row.relay), row.record);
}

TEST(RelayRecord, DisplaysEachRecordShape) {
    struct Row {
        const char* record;
        const char* shown;
    } rows[] = {
        {"smtp.example.net:25:::0:::", "smtp.example.net port 25"},
        {"smtp.example.net:587:me@example.org:1:0:::", "smtp.example.net port 587 as me@example.org (From)"},
        {"smtp.example.net:25:me@example.org:0:0:::", "smtp.example.net port 25 as me@example.org "},
        {"smtp.example.net:25:me@example.org", "smtp.example.net port 25"},
        {"smtp.example.net:25:me@example.org:1", "smtp.example.net port 25 as me@example.org"},
        {"smtp.example.net:25", "smtp.example.net port 25"},
        {"smtp.example.net", "smtp.example.net"},
        {"smtp.example.net:x:", "smtp.example.net port 0"},
        {"", ""},
    };
    for (const Row& row : rows) EXPECT_EQ(relayDisplay(row.record), row.shown) << row.record;
}

TEST(ServerChecks, PortValueReadsLeadingDigitsWithoutOverflow) {
    EXPECT_EQ(portValue("110"), 110);
    EXPECT_EQ(portValue("65536x"), 65536);
    EXPECT_EQ(portValue(""), 0);
    EXPECT_EQ(portValue("x1"), 0);
    EXPECT_GT(portValue("99999999999999999999999999"), 65535);
}

TEST(ServerChecks, PopEntryRulesApplyInOrder) {
    struct Row {
        PopEntry entry;
        const char* message;  // nullptr: accepted
        Field field;
        bool select;
    } rows[] = {
        {{"", "", "", ""}, "Please enter the pop3 server name eg pop.example.com", Field::Server, false},
        {{"a@b", "", "", ""}, "Please enter a pop3 server name eg pop.example.com", Field::Server, true},
        {{"a b", "", "", ""}, "Please enter a pop3 server name eg pop.example.com (remove space characters)",
         Field::Server, true},
        {{"pop", "", "u", "p"}, "Please a pop3 port number (default is 110)...", Field::Port, false},
        {{"pop", "65536", "u", "p"}, "Please a valid pop3 port number (default is 110)...", Field::Port, false},
        {{"pop", "65535", "", "p"}, "Please enter the pop3 user name as supplied by your ISP", Field::User, false},
        {{"pop", "110", "u v", ""}, "Please enter the pop3 user name as supplied by your ISP (remove space characters)",
         Field::User, true},
        {{"pop", "110", "u", ""}, "Please enter the pop3 password as supplied by your ISP", Field::Password, false},
        {{"pop", "110", "u", " "}, "Please enter the pop3 password as supplied by your ISP (remove space characters)",
         Field::Password, true},
        {{"pop", "110", "u", "p!#@:"}, nullptr, Field::Server, false},
        {{"pop", "110", "u", "", true}, nullptr, Field::Server, false},  // signs in with a provider
        {{"pop", "110", "", "", true}, "Please enter the pop3 user name as supplied by your ISP", Field::User, false},
    };
    for (const Row& row : rows) {
        auto refusal = checkPopEntry(row.entry);
        if (!row.message) {
            EXPECT_FALSE(refusal.has_value());
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << row.message;
        EXPECT_EQ(refusal->message, row.message);
        EXPECT_EQ(refusal->field, row.field) << row.message;
        EXPECT_EQ(refusal->selectText, row.select) << row.message;
    }
}

TEST(ServerChecks, ARecordThatSignsInIsSavedOnlyOnceSignedIn) {
    EXPECT_EQ(checkSignedIn(true, false), std::optional<std::string>(kSignInFirst));
    EXPECT_FALSE(checkSignedIn(true, true));
    EXPECT_FALSE(checkSignedIn(false, false)) << "a password record";
}

TEST(ServerChecks, RelayEntryRulesApplyInOrder) {
    struct Row {
        RelayEntry entry;
        const char* message;
        Field field;
    } rows[] = {
        {{"", "25", false, "", false, false}, "Please enter the outgoing mail gateway...", Field::Server},
        {{"a@b", "25", false, "", false, false}, "Please enter a gateway name eg smtp.example.com", Field::Server},
        {{"a b", "25", false, "", false, false},
         "Please enter a gateway name eg smtp.example.com (remove space characters)", Field::Server},
        {{"smtp", "", false, "", false, false}, "Please a port number (default is 25)...", Field::Port},
        {{"smtp", "70000", false, "", false, false}, "Please a valid port number (default is 25)...", Field::Port},
        {{"smtp", "25", true, "nobody", false, false},
         "Please enter a valid email address eg postmaster@example.com", Field::Sender},
        {{"smtp", "25", true, "a@bc", false, false}, "Please enter a valid email address eg postmaster@example.com",
         Field::Sender},
        {{"smtp", "25", true, "<a@b.c>", false, false},
         "Please enter a valid email address eg postmaster@example.com", Field::Sender},
        {{"smtp", "25", true, "a b@c.d", false, false},
         "Please enter a valid email address eg postmaster@example.com", Field::Sender},
        {{"smtp", "25", true, "", true, false}, "Please enter authentication data", Field::AuthSettings},
        {{"smtp", "25", false, "not checked", true, true}, nullptr, Field::Server},
        {{"smtp", "25", true, "a@b.c", false, false}, nullptr, Field::Server},
    };
    for (const Row& row : rows) {
        auto refusal = checkRelayEntry(row.entry);
        if (!row.message) {
            EXPECT_FALSE(refusal.has_value());
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << row.message;
        EXPECT_EQ(refusal->message, row.message);
        EXPECT_EQ(refusal->field, row.field) << row.message;
    }
}

}  // namespace
