#include <gtest/gtest.h>

#include "content/base64_string.h"

TEST(Base64String, PaddingForEachRemainder) {
    EXPECT_EQ(util::encodeBase64String(""), "");
    EXPECT_EQ(util::encodeBase64String("f"), "Zg==");
    EXPECT_EQ(util::encodeBase64String("fo"), "Zm8=");
    EXPECT_EQ(util::encodeBase64String("foo"), "Zm9v");
    EXPECT_EQ(util::encodeBase64String("foobar"), "Zm9vYmFy");
    EXPECT_EQ(util::encodeBase64String(std::string("\xff\xfe\x00", 3)), "//4A");
    EXPECT_EQ(util::encodeBase64String("user@example.com"), "dXNlckBleGFtcGxlLmNvbQ==");
}

TEST(Base64String, CallerBufferMustHoldTheTextAndTerminator) {
    char exact[9];
    EXPECT_TRUE(util::encodeBase64String("foobar", exact, sizeof exact));
    EXPECT_STREQ(exact, "Zm9vYmFy");
    char small[8] = "xxxxxxx";
    EXPECT_FALSE(util::encodeBase64String("foobar", small, sizeof small));
    EXPECT_STREQ(small, "");
}
