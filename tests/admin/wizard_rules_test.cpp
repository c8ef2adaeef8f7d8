// The setup wizard's rules apart from its windows.
#include <gtest/gtest.h>

#include "accounts/account_rules.h"
#include "admin/wizard_rules.h"

using namespace admin;

namespace {

TEST(WizardRules, OnlyAnIntervalOfSomeMinutesWritesASchedule) {
    struct Row {
        const char* typed;
        int minutes;
    } rows[] = {{"0", 0}, {"", 0}, {"00", 0}, {"x5", 0}, {"15", 15}, {"015", 15}, {"99999999999999", 1000000}};
    for (const Row& row : rows) EXPECT_EQ(scheduleMinutes(row.typed), row.minutes) << row.typed;
}

TEST(WizardRules, TheRelayRecordCarriesTheLoginInBase64OnlyWithAuthentication) {
    EXPECT_EQ(wizardRelayRecord({"smtp.example.net", "25", false, "office", "secret"}), "smtp.example.net:25:::0:::");
    EXPECT_EQ(wizardRelayRecord({"smtp.example.net", "2525", true, "office", "a:b"}),
              "smtp.example.net:2525:::1:b2ZmaWNl:YTpi:");
    // Without authentication the login is not asked for.
    EXPECT_FALSE(checkWizardRelay({"smtp.example.net", "25", false, "", ""}));
    auto refusal = checkWizardRelay({"smtp.example.net", "25", true, "office", ""});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, Field::Password);
    // A relay that signs in with a provider keeps the account and no password.
    EXPECT_FALSE(checkWizardRelay({"smtp.example.net", "587", true, "", "", true}));
    EXPECT_EQ(wizardRelayRecord({"smtp.example.net", "587", true, "office", "typed", true}),
              "smtp.example.net:587:::1:b2ZmaWNl::");
}

TEST(WizardRules, AnAccountKeyIsTheUserNameInUpperCase) {
    EXPECT_EQ(util::accountKey("ann9Smith"), "ANN9SMITH");
    EXPECT_EQ(util::accountKey(""), "");
}

}  // namespace
