#include <gtest/gtest.h>

#include "transport/smtp_reply.h"

TEST(SmtpReplyCode, FirstDigitsOfTheLine) {
    using util::parseSmtpReplyCode;
    EXPECT_EQ(parseSmtpReplyCode("250-SIZE 1000\r\n"), 250);
    EXPECT_EQ(parseSmtpReplyCode("354 Start mail input\r\n"), 354);
    EXPECT_EQ(parseSmtpReplyCode("220-mail ready"), 220);
    EXPECT_EQ(parseSmtpReplyCode("x 4512"), 451);
    EXPECT_EQ(parseSmtpReplyCode("5 7"), 5);
    EXPECT_EQ(parseSmtpReplyCode("no digit\r\n"), -1);
    EXPECT_EQ(parseSmtpReplyCode("000 zero"), -1);
    EXPECT_EQ(parseSmtpReplyCode(""), -1);
}
