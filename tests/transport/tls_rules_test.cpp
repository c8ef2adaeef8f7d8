#include <gtest/gtest.h>

#include "transport/tls_rules.h"

using namespace util;

TEST(TlsRules, TheWellKnownPortsFixTheModeTheChoiceDecidesElsewhere) {
    struct Row {
        MailService service;
        int port;
        int stored;
        TlsMode mode;
    };
    const Row rows[] = {
        {MailService::Pop3, 110, 0, TlsMode::None},        // a record from before the choice
        {MailService::Pop3, 110, 2, TlsMode::StartTls},
        {MailService::Pop3, 9995, 1, TlsMode::Implicit},
        {MailService::Pop3, 995, 0, TlsMode::Implicit},    // never plain text on the TLS port
        {MailService::Pop3, 995, 2, TlsMode::Implicit},
        {MailService::Pop3, 465, 0, TlsMode::None},        // 465 and 587 are SMTP's
        {MailService::Pop3, 587, 0, TlsMode::None},
        {MailService::Smtp, 25, 0, TlsMode::None},
        {MailService::Smtp, 25, 2, TlsMode::StartTls},
        {MailService::Smtp, 465, 0, TlsMode::Implicit},
        {MailService::Smtp, 465, 2, TlsMode::Implicit},
        {MailService::Smtp, 587, 0, TlsMode::StartTls},
        {MailService::Smtp, 587, 1, TlsMode::StartTls},
        {MailService::Smtp, 995, 0, TlsMode::None},
        {MailService::Smtp, 2525, 3, TlsMode::None},       // an unknown value is no choice
        {MailService::Smtp, 2525, -1, TlsMode::None},
    };
    for (const Row& r : rows)
        EXPECT_EQ(connectionTlsMode(r.service, r.port, r.stored), r.mode)
            << (r.service == MailService::Pop3 ? "POP3 " : "SMTP ") << r.port << " stored " << r.stored;
}

TEST(TlsRules, TheAllowanceNamesWholeHostsInAnyCase) {
    EXPECT_TRUE(untrustedAllowedFor("relay.office.lan", "relay.office.lan"));
    EXPECT_TRUE(untrustedAllowedFor("Relay.Office.LAN", "relay.office.lan"));
    EXPECT_TRUE(untrustedAllowedFor("pop.office.lan, relay.office.lan", "relay.office.lan"));
    EXPECT_TRUE(untrustedAllowedFor(" pop.office.lan\trelay.office.lan ", "pop.office.lan"));
    EXPECT_FALSE(untrustedAllowedFor("relay.office.lan", "office.lan"));
    EXPECT_FALSE(untrustedAllowedFor("relay.office.lan", "relay.office.lan.example"));
    EXPECT_FALSE(untrustedAllowedFor("office.lan", "relay.office.lan")) << "no domain wild cards";
    EXPECT_FALSE(untrustedAllowedFor("", "relay.office.lan"));
    EXPECT_FALSE(untrustedAllowedFor(",,", ""));
}

TEST(TlsRules, RefusalsNameTheHostAndTheReason) {
    EXPECT_EQ(certificateRefusedText("pop.example.net", kCertUntrustedRoot),
              "Certificate of pop.example.net refused: it is not issued by a trusted authority");
    EXPECT_EQ(certificateRefusedText("pop.example.net", kCertWrongHost),
              "Certificate of pop.example.net refused: it is issued for another host name");
    EXPECT_EQ(certificateReason(kCertExpired), "it has expired or is not valid yet");
    EXPECT_EQ(certificateReason(0x800B0111), "it is not valid (error 0x800B0111)");
    EXPECT_EQ(tlsFailedText("smtp.example.net", "the server refused STARTTLS"),
              "TLS failed with smtp.example.net: the server refused STARTTLS");
    EXPECT_EQ(untrustedAcceptedText("relay.office.lan"),
              "Warning: the untrusted certificate of relay.office.lan is accepted (allowed in ms.ini)");
    EXPECT_EQ(errorCode(0x80090308u), "0x80090308");
}
