// The Domain page through the real sheet: the two modes, the account
// addresses rewritten for each, Apply's refusals, and "Convert Domains".
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "admin/convert_domains_ids.h"
#include "admin/domain_ids.h"
#include "support/ui_driver.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kDomain = "Domain";

std::string tipOf(HWND page, int control) {
    char buffer[1024] = {};
    SendMessageA(page, 0x0C01, static_cast<WPARAM>(control), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// The refusal's text, and whether it left the name edit focused with its
// whole text selected.
std::string applyRefused(HWND sheet, HWND page) {
    auto seen = std::make_shared<std::string>();
    whenShown("#32770", "Error", [seen](HWND box) {
        if (!box) return;
        *seen = messageBoxText(box);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    pressApply(sheet);
    pumpFor(100);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_DOM_NAME));
    DWORD from = 0, to = 0;
    SendDlgItemMessageA(page, IDC_DOM_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, static_cast<DWORD>(text(page, IDC_DOM_NAME).size()));
    return *seen;
}

TEST(DomainPage, SwitchingModesRewritesTheAccountAddressesBothWays) {
    Install install("[domain]\r\nuse=1\r\ndomain=example.org\r\nregistered=0\r\n"
                    "[mailbox0]\r\nname=(Postmaster)\r\naddress=root\r\n[mailbox1]\r\nname=Ann\r\naddress=ann\r\n"
                    "[mailbox2]\r\nname=Bob\r\naddress=bob@other.example\r\n[mailbox4]\r\naddress=orphan\r\n");
    runSheet(kDomain, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_DOM_SINGLE));
        EXPECT_EQ(text(page, IDC_DOM_NAME_LABEL), "Primary domain name");
        EXPECT_EQ(text(page, IDC_DOM_NAME), "example.org");
        EXPECT_EQ(tipOf(page, IDC_DOM_NAME), "Name of the domain to host");
        EXPECT_TRUE(enabled(page, IDC_DOM_EXCLUSIVE));
        EXPECT_FALSE(checked(page, IDC_DOM_EXCLUSIVE));
        click(page, IDC_DOM_MULTI);
        EXPECT_EQ(text(page, IDC_DOM_NAME_LABEL), "Administrators email address");
        EXPECT_EQ(text(page, IDC_DOM_NAME), "") << "no stored administrator's address";
        EXPECT_EQ(tipOf(page, IDC_DOM_NAME), "Administrators email address");
        EXPECT_FALSE(enabled(page, IDC_DOM_EXCLUSIVE));
        setText(page, IDC_DOM_NAME, "boss.example.org");
        EXPECT_EQ(applyRefused(sheet, page), "Please enter administrators email address eg root@example.com...");
        EXPECT_EQ(install.ini("domain", "use"), "1") << "a refused Apply writes nothing";
        setText(page, IDC_DOM_NAME, "boss@example.org");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("domain", "use"), "0");
    EXPECT_EQ(install.ini("domain", "root"), "boss@example.org");
    EXPECT_EQ(install.ini("domain", "domain"), "example.org");
    EXPECT_EQ(install.ini("domain", "registered"), "0");
    EXPECT_EQ(install.ini("mailbox0", "address"), "boss@example.org") << "the Postmaster is the administrator";
    EXPECT_EQ(install.ini("mailbox1", "address"), "ann@example.org");
    EXPECT_EQ(install.ini("mailbox2", "address"), "bob@other.example");
    EXPECT_EQ(install.ini("mailbox4", "address"), "orphan") << "behind the gap";

    runSheet(kDomain, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_DOM_MULTI));
        EXPECT_EQ(text(page, IDC_DOM_NAME), "boss@example.org");
        click(page, IDC_DOM_SINGLE);
        EXPECT_EQ(text(page, IDC_DOM_NAME), "example.org") << "the stored domain";
        setText(page, IDC_DOM_NAME, "example.net");
        click(page, IDC_DOM_EXCLUSIVE);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("domain", "use"), "1");
    EXPECT_EQ(install.ini("domain", "domain"), "example.net");
    EXPECT_EQ(install.ini("domain", "registered"), "1");
    EXPECT_EQ(install.ini("mailbox0", "address"), "boss");
    EXPECT_EQ(install.ini("mailbox1", "address"), "ann");
    EXPECT_EQ(install.ini("mailbox2", "address"), "bob");
}

TEST(DomainPage, ConvertDomainsChecksEachDomainAndAddsItsLine) {
    Install install("[domain]\r\ndomain=example.org\r\n[domain-map]\r\ndomain0=a.example -> example.org , internal\r\n"
                    "domain1=b.example -> example.org , all mail\r\n");
    runSheet(kDomain, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_DOM_MAPS).size(), 2u);
        bool opened = clickOpening(page, IDC_DOM_MAP_ADD, "Convert Domains", [](HWND dialog) {
            EXPECT_TRUE(checked(dialog, IDC_CONV_ALL)) << "preset";
            setText(dialog, IDC_CONV_FROM, "old example");
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter a domain eg example.com (remove space characters)");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_CONV_FROM));
            setText(dialog, IDC_CONV_FROM, "old.example");
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter the domain to convert to...");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_CONV_TO));
            setText(dialog, IDC_CONV_TO, "example.org");
            click(dialog, IDC_CONV_EXTERNAL);
            click(dialog, IDOK);
        });
        EXPECT_TRUE(opened);
        EXPECT_EQ(listItems(page, IDC_DOM_MAPS).back(), "old.example -> example.org , external");
        EXPECT_EQ(listSelection(page, IDC_DOM_MAPS), 2);
        clickOpening(page, IDC_DOM_MAP_ADD, "Convert Domains", [](HWND dialog) {
            setText(dialog, IDC_CONV_FROM, "x.example");
            click(dialog, IDCANCEL);
        });
        EXPECT_EQ(listItems(page, IDC_DOM_MAPS).size(), 3u) << "cancelled: nothing added";
        selectListItem(page, IDC_DOM_MAPS, 0);
        click(page, IDC_DOM_MAP_DELETE);
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("domain-map"), (std::vector<std::string>{"domain0", "domain1"}));
    EXPECT_EQ(install.ini("domain-map", "domain0"), "b.example -> example.org , all mail");
    EXPECT_EQ(install.ini("domain-map", "domain1"), "old.example -> example.org , external");
}

TEST(DomainPage, AnEmptyConversionInALongTableLosesNoLineBehindIt) {
    std::string ini = "[domain]\r\ndomain=example.org\r\nuse=1\r\n[domain-map]\r\n";
    for (int i = 0; i < 2000; ++i)
        ini += "domain" + std::to_string(i) + "=" + (i == 1 ? std::string() : "d" + std::to_string(i) + ".example -> example.org , all mail") + "\r\n";
    Install install(ini);
    runSheet(kDomain, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_DOM_MAPS).size(), 1999u);
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("domain-map").size(), 1999u);
    EXPECT_EQ(install.ini("domain-map", "domain1"), "d2.example -> example.org , all mail");
    EXPECT_EQ(install.ini("domain-map", "domain1998"), "d1999.example -> example.org , all mail");
}

}  // namespace
