// The routing filter record and the relay settings: hand-written records
// read and written back unchanged, the rules of the actions that end
// processing, the buttons' captions, the relay checks in their order, and
// the engine authors' document held against the same tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <span>
#include <sstream>

#include "admin/filter_record.h"
#include "admin/routing_checks.h"

using namespace admin;

namespace {

// Three filters that together use every action code, an inactive one
// (active 2) and one whose conjunction is "Off" but keeps condition 2.
const char* const kRecords[] = {
    "Sales~1~1~0~0~2~0~quote~1~3~5~@example.org~1~Header: on~4~boss@example.org~7~sales@office.example~"
    "8~C:\\mail\\sales~6~anna@office.example~",
    "Lists~2~2~0~0~0~2~news@office.example~0~3~1~stale condition~12~customers~13~old customers~"
    "14~staff~9~C:\\replies\\info.txt~15~members~",
    "Mixed~3~1~0~0~9~6~X-Spam~3~10~0~unsubscribe~10~C:\\docs\\price list.pdf~11~C:\\tools\\log.exe /q~"
    "16~C:\\attachments~17~1:1: :bounce@example.net:1:0:example.org: :0:0: : : :1:1: :Office:office@example.org~"
    "5~desk@example.org~",
    "Simple~3~1~0~0~1~0~spam~0~0~0~~3~Send an undelivered mail message...~18~~0~Unspecified operation...~"
    "2~Remove message...~0~Unspecified operation...~",
};

TEST(FilterRecord, HandWrittenRecordsReadAndWrittenBackAreUnchangedByteForByte) {
    for (const char* text : kRecords) EXPECT_EQ(formatFilterRecord(parseFilterRecord(text)), text);
}

TEST(FilterRecord, EveryFieldIsReadInItsPlace) {
    FilterRecord r = parseFilterRecord(kRecords[1]);
    EXPECT_EQ(r.name, "Lists");
    EXPECT_EQ(r.appliesTo, kInternalMail);
    EXPECT_EQ(r.active, 2);
    EXPECT_FALSE(r.isActive());
    EXPECT_EQ(r.reserved4, "0");
    EXPECT_EQ(r.first, (Condition{0, 2, "news@office.example"}));
    EXPECT_EQ(r.conjunction, 0);
    EXPECT_EQ(r.second, (Condition{3, 1, "stale condition"})) << "kept while the conjunction is Off";
    const FilterAction expected[] = {
        {12, "customers"}, {13, "old customers"}, {14, "staff"}, {9, "C:\\replies\\info.txt"}, {15, "members"}};
    for (int slot = 0; slot < kActionSlots; ++slot) EXPECT_EQ(r.actions[slot], expected[slot]) << slot;
}

TEST(FilterRecord, ShortLongAndOddRecordsAreReadWithoutFault) {
    FilterRecord shortOne = parseFilterRecord("Half~2~");
    EXPECT_EQ(shortOne.name, "Half");
    EXPECT_EQ(shortOne.appliesTo, 2);
    EXPECT_EQ(shortOne.active, 0) << "missing numbers read as 0";
    EXPECT_EQ(shortOne.actions[4], (FilterAction{0, ""}));
    std::string formatted = formatFilterRecord(shortOne);
    EXPECT_EQ(std::count(formatted.begin(), formatted.end(), '~'), kRecordFields);

    std::string full = kRecords[0];
    EXPECT_EQ(formatFilterRecord(parseFilterRecord(full + "extra~fields~")), full) << "after field 22: ignored";
    EXPECT_EQ(formatFilterRecord(parseFilterRecord(full.substr(0, full.size() - 1))), full) << "last ~ missing";

    FilterRecord numbers = parseFilterRecord("n~-1~+7~0~0~99999999999~-99999999999~v~x~");
    EXPECT_EQ(numbers.appliesTo, -1);
    EXPECT_EQ(numbers.active, 7);
    EXPECT_EQ(numbers.first.subject, 2147483647);
    EXPECT_EQ(numbers.first.op, -2147483647 - 1);
    EXPECT_EQ(numbers.conjunction, 0) << "no digits";
    EXPECT_EQ(parseFilterRecord(formatFilterRecord(numbers)), numbers);
}

TEST(FilterRecord, WritingLeavesOutWhatWouldBreakTheLine) {
    FilterRecord r = newFilter("a~b\r\nc", kAllMail);
    r.first.value = std::string("x~y\0z", 5);
    FilterRecord back = parseFilterRecord(formatFilterRecord(r));
    EXPECT_EQ(back.name, "abc");
    EXPECT_EQ(back.first.value, "xyz");
    EXPECT_EQ(back.actions, r.actions);
}

TEST(FilterRecord, NewFilterIsActiveWithFiveStoredNoOperations) {
    EXPECT_EQ(formatFilterRecord(newFilter("Fresh", kExternalMail)),
              "Fresh~1~1~0~0~0~0~~0~0~0~~0~Unspecified operation...~0~Unspecified operation...~"
              "0~Unspecified operation...~0~Unspecified operation...~0~Unspecified operation...~");
}

TEST(FilterRecord, ActionsThatEndProcessingTurnTheLaterSlotsIntoNoOperation) {
    for (int code = 0; code < kActionCount; ++code) {
        for (int slot = 0; slot < kActionSlots; ++slot) {
            FilterRecord r = newFilter("f", kAllMail);
            for (int other = 0; other < kActionSlots; ++other) chooseAction(r, other, 4), r.actions[other].parameter = "a@b.c";
            chooseAction(r, slot, code);
            bool ends = code == 2 || code == 5 || code == 6 || code == 15;
            EXPECT_EQ(terminalSlot(r), ends ? slot : -1) << code;
            for (int later = slot + 1; later < kActionSlots; ++later) {
                FilterAction expected = ends ? FilterAction{0, "Unspecified operation..."} : FilterAction{4, "a@b.c"};
                EXPECT_EQ(r.actions[later], expected) << "code " << code << " in slot " << slot;
            }
            for (int earlier = 0; earlier < slot; ++earlier) EXPECT_EQ(r.actions[earlier].code, 4);
        }
    }
}

TEST(FilterRecord, ChoosingAnActionStoresItsTextOrAnEmptyParameter) {
    FilterRecord r = newFilter("f", kAllMail);
    const char* stored[kActionCount] = {"Unspecified operation...", "", "Remove message...",
                                        "Send an undelivered mail message..."};
    for (int code = 0; code < kActionCount; ++code) {
        r.actions[0].parameter = "previous";
        chooseAction(r, 0, code);
        EXPECT_EQ(r.actions[0].parameter, stored[code] ? stored[code] : "") << code;
    }
}

TEST(FilterRecord, ButtonCaptionsByCode) {
    const char* prompts[kActionCount] = {
        "Unspecified operation...",     "Click to set options...",      "Remove message...",
        "Send an undelivered mail message...", "Click to enter address...", "Click to enter address...",
        "Click to select mailbox...",   "Click to select mailbox...",   "Click to select directory...",
        "Click to select file...",      "Click to select file...",      "Click to select program...",
        "Click to select list...",      "Click to select list...",      "Click to select list...",
        "Click to select list...",      "Click to select directory...", "Click to set options...",
        "Add recipient to spam black list"};
    for (int code = 0; code < kActionCount; ++code) {
        EXPECT_EQ(buttonCaption({code, ""}), prompts[code]) << code;
        EXPECT_EQ(buttonCaption({code, "C:\\x"}), code == 17 ? "Relay options..." : "C:\\x") << code;
    }
    EXPECT_EQ(buttonCaption({99, ""}), "Unspecified operation...");
}

TEST(FilterRecord, CaptionsAreCutToFitWithAnEllipsis) {
    auto upTo = [](std::size_t width) { return [width](std::string_view s) { return s.size() <= width; }; };
    EXPECT_EQ(fitCaption("short", upTo(10)), "short");
    EXPECT_EQ(fitCaption("C:\\a\\long\\path.txt", upTo(10)), "C:\\a\\l ...");
    EXPECT_EQ(fitCaption("abcdef", upTo(2)), " ...") << "nothing fits: the ellipsis alone";
    EXPECT_EQ(fitCaption("", upTo(0)), "");
}

TEST(FilterRecord, PrintOptions) {
    EXPECT_TRUE(printsHeader("Header: on"));
    EXPECT_FALSE(printsHeader("Header: off"));
    EXPECT_FALSE(printsHeader(""));
}

TEST(RelaySettings, AllOffIsEighteenFieldsWithZeroFlagsAndSpaces) {
    EXPECT_EQ(formatRelaySettings({}), "0:0: : :0:0: : :0:0: : : :0:0: : : ");
    EXPECT_EQ(parseRelaySettings("0:0: : :0:0: : :0:0: : : :0:0: : : "), RelaySettings{});
}

TEST(RelaySettings, EveryFieldRoundTripsInItsPlace) {
    RelaySettings s;
    s.sender = {1, 0, "out.example", "", "ignored@x.y"};
    s.recipient = {1, 1, "", "", "desk@example.org"};
    s.fromLine = {0, 1, "from.example", "Front Desk", "front@example.org"};
    s.toLine = {1, 0, "to.example", "", ""};
    const std::string text = "1:0:out.example:ignored@x.y:1:1: :desk@example.org:0:1:from.example:Front Desk:"
                             "front@example.org:1:0:to.example: : ";
    EXPECT_EQ(formatRelaySettings(s), text);
    EXPECT_EQ(parseRelaySettings(text), s);
}

TEST(RelaySettings, OtherParametersReadAsAllOff) {
    for (const char* text : {"", "1", "Click to set options...", "10:0:a:b", " :"})
        EXPECT_EQ(parseRelaySettings(text), RelaySettings{}) << text;
    RelaySettings partial = parseRelaySettings("1:1:dom");
    EXPECT_EQ(partial.sender, (RelayChange{1, 1, "dom", "", ""}));
    EXPECT_EQ(partial.toLine, RelayChange{});
}

TEST(RelaySettings, TextsLoseTheSeparatorsWhenWritten) {
    RelaySettings s;
    s.fromLine = {1, 1, "", "a:b~c", "x@y.z"};
    EXPECT_EQ(parseRelaySettings(formatRelaySettings(s)).fromLine.name, "abc");
}

TEST(RelayChecks, FirstFailureInOrderWithItsField) {
    auto sender = [](int how, std::string domain, std::string address) {
        RelaySettings s;
        s.sender = {1, how, std::move(domain), "", std::move(address)};
        return s;
    };
    const std::string validDomain = "Please enter a valid domain...\r\n   eg example.com";
    const std::string validAddress = "Please enter a valid address...\r\n   eg postmaster@example.com";
    struct Row {
        RelaySettings settings;
        std::string message;  // empty: accepted
        RelayField field;
    } rows[] = {
        {RelaySettings{}, "", {}},
        {sender(0, "", "not checked"), "Please enter the domain...\r\n   eg example.com", RelayField::SenderDomain},
        {sender(0, "a@b.c", ""), validDomain, RelayField::SenderDomain},
        {sender(0, "a b.c", ""), validDomain, RelayField::SenderDomain},
        {sender(0, "local", ""), validDomain, RelayField::SenderDomain},
        {sender(0, "b:c.d", ""), kRelayTextRefusal, RelayField::SenderDomain},
        {sender(0, "ok.example", "not checked"), "", {}},
        {sender(1, "", ""), "Please enter the address...\r\n   eg postmaster@example.com", RelayField::SenderAddress},
        {sender(1, "", "a.b"), validAddress, RelayField::SenderAddress},
        {sender(1, "", "a@b"), validAddress, RelayField::SenderAddress},
        {sender(1, "", "a b@c.d"), validAddress, RelayField::SenderAddress},
        {sender(1, "", "a~b@c.d"), kRelayTextRefusal, RelayField::SenderAddress},
        {sender(1, "bad domain", "me@c.d"), "", {}},
    };
    for (const Row& row : rows) {
        auto refusal = checkRelaySettings(row.settings);
        const std::string seen = row.settings.sender.domain + "|" + row.settings.sender.address;
        if (row.message.empty()) {
            EXPECT_FALSE(refusal) << seen;
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << seen;
        EXPECT_EQ(refusal->message, row.message) << seen;
        EXPECT_EQ(refusal->field, row.field) << seen;
    }
}

TEST(RelayChecks, GroupsAreCheckedInOrderAndNamesBeforeAddresses) {
    RelaySettings s;
    s.toLine = {1, 1, "", "", ""};
    s.fromLine = {1, 1, "", "", "bad"};
    EXPECT_EQ(checkRelaySettings(s)->field, RelayField::FromName);
    EXPECT_EQ(checkRelaySettings(s)->message, "Please a name...\r\n   eg Jane Smith");
    s.fromLine.name = "Desk";
    EXPECT_EQ(checkRelaySettings(s)->field, RelayField::FromAddress);
    s.fromLine.address = "desk@example.org";
    EXPECT_EQ(checkRelaySettings(s)->field, RelayField::ToName);
    s.toLine = {1, 0, "", "", ""};
    EXPECT_EQ(checkRelaySettings(s)->field, RelayField::ToDomain);
    s.recipient = {1, 7, "", "", ""};
    EXPECT_EQ(checkRelaySettings(s)->field, RelayField::RecipientDomain) << "any other how: the domain";
    s.recipient = {0, 1, "", "", ""};
    s.toLine.change = 0;
    EXPECT_FALSE(checkRelaySettings(s)) << "changes not made are not checked";
}

TEST(RoutingChoices, MailboxAddressesAreCompletedByDomainMode) {
    const std::vector<std::string> stored = {"root", "anna", "ben@other.example"};
    EXPECT_EQ(mailboxChoices(stored, true, "office.example", "admin@office.example"),
              (std::vector<std::string>{"root@office.example", "anna@office.example", "ben@other.example"}));
    EXPECT_EQ(mailboxChoices(stored, false, "office.example", "admin@office.example"),
              (std::vector<std::string>{"admin@office.example", "anna", "ben@other.example"}));
    EXPECT_TRUE(mailboxChoices({}, true, "d", "a").empty());
}

TEST(RoutingChoices, AddressListNamesAndTheFieldEnd) {
    EXPECT_EQ(addressListName("customers.txt"), "customers");
    EXPECT_EQ(addressListName("Staff.TXT"), "Staff");
    EXPECT_EQ(addressListName("notes.txt.bak"), "notes.txt.bak");
    EXPECT_EQ(addressListName(".txt"), "");
    EXPECT_TRUE(holdsFieldEnd("PROGRA~1"));
    EXPECT_FALSE(holdsFieldEnd("C:\\Program Files"));
}

#ifdef ROUTING_DOC
// The document for engine authors names every code as the tables do, in
// the section that belongs to it.
std::string section(const std::string& doc, const std::string& heading) {
    std::size_t at = doc.find("\n## " + heading + "\n");
    if (at == std::string::npos) return {};
    std::size_t end = doc.find("\n## ", at + 1);
    return doc.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

void expectRows(const std::string& doc, const std::string& heading, std::span<const char* const> names) {
    std::string body = section(doc, heading);
    ASSERT_FALSE(body.empty()) << heading;
    for (std::size_t code = 0; code < names.size(); ++code) {
        std::string row = "\n| " + std::to_string(code) + " | " + names[code] + " |";
        EXPECT_NE(body.find(row), std::string::npos) << heading << ": " << row.substr(1);
    }
    std::string beyond = "\n| " + std::to_string(names.size()) + " |";
    EXPECT_EQ(body.find(beyond), std::string::npos) << heading << " has a code the tables lack";
}

TEST(RoutingDocument, NamesEveryCodeAsTheTablesDo) {
    std::ifstream in(ROUTING_DOC, std::ios::binary);
    ASSERT_TRUE(in) << ROUTING_DOC;
    std::stringstream text;
    text << in.rdbuf();
    const std::string doc = text.str();
    expectRows(doc, "Condition subjects", kSubjectNames);
    expectRows(doc, "Condition operators", kOperatorNames);
    expectRows(doc, "Conjunctions", kConjunctionNames);
    std::vector<const char*> actions;
    for (const ActionInfo& a : kActions) actions.push_back(a.name);
    expectRows(doc, "Actions", actions);
    // Which actions end processing, and the stored texts, as the tables say.
    std::string body = section(doc, "Actions");
    for (int code = 0; code < kActionCount; ++code) {
        std::string row = "\n| " + std::to_string(code) + " | " + kActions[code].name + " |";
        std::size_t at = body.find(row);
        if (at == std::string::npos) continue;
        std::string line = body.substr(at + 1, body.find('\n', at + 1) - at - 1);
        EXPECT_EQ(line.find("| yes |") != std::string::npos, kActions[code].endsProcessing) << line;
        if (kActions[code].storedText) {
            EXPECT_NE(line.find(std::string("`") + kActions[code].storedText + "`"), std::string::npos) << line;
        }
    }
    EXPECT_NE(doc.find("`" + formatRelaySettings({}) + "`"), std::string::npos) << "the all-off relay example";
    for (const char* record : kRecords) EXPECT_NE(doc.find(record), std::string::npos) << record;
}
#endif

}  // namespace
