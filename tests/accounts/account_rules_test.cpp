#include <gtest/gtest.h>

#include "accounts/account_rules.h"

using namespace util;

namespace {

AccountFields fields(std::string name, std::string address, std::string user, std::string password) {
    return AccountFields{std::move(name), std::move(address), std::move(user), std::move(password)};
}

}  // namespace

TEST(AccountRules, ReservedAddressesInBothDomainModes) {
    // Single-domain mode compares the whole local part, after the cut at "@".
    AccountFields typed = fields("Connect user", "Connect", "conn", "pw1");
    auto problem = checkAccountFields(typed, true);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, AccountField::Address);
    EXPECT_EQ(problem->message, "This address is reserved for server admin commands \r\nPlease choose another...");
    EXPECT_STREQ(problem->title, "Warning");

    AccountFields withDomain = fields("Reminders", "remindme@elsewhere.org", "rem", "pw1");
    EXPECT_TRUE(checkAccountFields(withDomain, true));
    EXPECT_EQ(withDomain.address, "remindme");  // the cut is handed back

    EXPECT_FALSE(isReservedAddress("connector", true));
    EXPECT_FALSE(isReservedAddress("ListUser@example.org", true));

    // Multi-domain mode compares the beginning of the full address.
    EXPECT_TRUE(isReservedAddress("ListUser@example.org", false));
    EXPECT_TRUE(isReservedAddress("SERVERHELP@x", false));
    EXPECT_FALSE(isReservedAddress("listusers@example.org", false));
    EXPECT_FALSE(isReservedAddress("listuser", false));
    AccountFields multi = fields("List", "listusers@example.org", "lu", "pw1");
    EXPECT_FALSE(checkAccountFields(multi, false));
    EXPECT_EQ(multi.address, "listusers@example.org");
}

TEST(AccountRules, FieldChecksInOrderWithTheirMessages) {
    struct Case {
        AccountFields in;
        bool single;
        AccountField field;
        const char* message;
    } cases[] = {
        {fields("", "a", "u", "p"), true, AccountField::Name, "Please enter a name for this mailbox..."},
        {fields("N", "nodomain", "u", "p"), false, AccountField::Address,
         "Please enter a full email address eg fred@example.com"},
        {fields("N", "a", "", "p"), true, AccountField::UserName, "Please enter a pop3 username for this mailbox..."},
        {fields("N", "a", "jo_e", "p"), true, AccountField::UserName,
         "Please use only a-z and 0-9 characters for the pop3 username..."},
        {fields("N", "a", "joe", ""), true, AccountField::Password, "Please enter a password for this mailbox..."},
        {fields("N", "a", "joe", "pa ss"), true, AccountField::Password,
         "Please use only a-z and 0-9 characters for the pop3 password..."},
    };
    for (Case& c : cases) {
        auto problem = checkAccountFields(c.in, c.single);
        ASSERT_TRUE(problem) << c.message;
        EXPECT_EQ(problem->field, c.field) << c.message;
        EXPECT_EQ(problem->message, c.message);
    }
    // The user name root needs no password, in any case of letters.
    AccountFields root = fields(kPostmasterName, "root", "Root", "");
    EXPECT_FALSE(checkAccountFields(root, true));
    AccountFields rootOdd = fields(kPostmasterName, "root", "ROOT", "a.b");
    EXPECT_FALSE(checkAccountFields(rootOdd, true));
    EXPECT_TRUE(checkPasswordSeparators("a.b"));
    EXPECT_TRUE(checkPasswordSeparators("a b"));
    EXPECT_FALSE(checkPasswordSeparators("ab9"));
}

TEST(AccountRules, UniquenessIgnoresCaseExceptForAddresses) {
    std::vector<AccountFields> others = {fields(kPostmasterName, "root", "root", ""),
                                         fields("Sales Desk", "sales", "sales", "x")};
    auto userName = checkNewAccountUnique(fields("New", "new", "SALES", "p"), others);
    ASSERT_TRUE(userName);
    EXPECT_EQ(userName->message, "You already have a mailbox with the name [SALES]");
    EXPECT_EQ(userName->field, AccountField::UserName);

    auto address = checkNewAccountUnique(fields("New", "sales", "other", "p"), others);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->message, "You already have a mailbox with the address<sales>");
    EXPECT_FALSE(checkNewAccountUnique(fields("New", "Sales", "other", "p"), others));

    auto name = checkNewAccountUnique(fields("sales desk", "s2", "s2", "p"), others);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->message, "You already have a mailbox with the name - sales desk");

    auto edited = duplicateAddress("root", others, false);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->message, "You already have a mailbox with the same email address <root>");
}

TEST(AccountRules, SectionsAndFolders) {
    EXPECT_EQ(accountSection(12), "mailbox12");
    EXPECT_EQ(accountIndexFromSection("mailbox12"), 12);
    EXPECT_EQ(accountIndexFromSection("MAILBOX0"), 0);
    EXPECT_EQ(accountIndexFromSection("mailbox"), -1);
    EXPECT_EQ(accountIndexFromSection("mailbox99999"), -1);

    EXPECT_EQ(mailboxFolderPath("C:\\mail", "sales"), "C:\\mail\\mailboxes\\sales");
    EXPECT_EQ(mailboxFolderPath("C:\\", "sales"), "C:\\mailboxes\\sales");
    EXPECT_EQ(fileInFolder("C:\\mail", "new user.txt"), "C:\\mail\\new user.txt");
    EXPECT_EQ(fileInFolder("C:\\mail\\", "new user.txt"), "C:\\mail\\new user.txt");
}

TEST(AccountRules, NotificationPortAndLength) {
    EXPECT_EQ(alertPort("1500"), 1500);
    EXPECT_EQ(alertPort(" 1500x"), 1500);
    EXPECT_EQ(alertPort("0"), 1024);
    EXPECT_EQ(alertPort("abc"), 1024);
    EXPECT_EQ(alertPort(""), 1024);
    EXPECT_EQ(alertPort("-7"), 1024);
    EXPECT_EQ(alertPort("65535"), 65535);
    EXPECT_EQ(alertPort("65536"), 1024);
    EXPECT_EQ(alertPort("99999999999999999999"), 1024);

    EXPECT_EQ(datagramText("abcdef", 4), "abcd");
    EXPECT_EQ(datagramText("abcdef", 0), "abcdef");
    EXPECT_EQ(datagramText("U", 65467), "U");
}
