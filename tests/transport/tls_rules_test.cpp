#include <gtest/gtest.h>

#include "transport/tls_rules.h"

#include <string>
#include <vector>

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

// The choice stored for a server holds for every connection to it and its
// port, whoever signs in: a second record or a user name in another case
// never turns encryption off.
TEST(TlsRules, TheStrongestChoiceForAServerAndPortHolds) {
    const std::vector<TlsRecord> records = {
        {"pop.office.example", 110, 0},  // an old record of another user: plain
        {"POP.Office.Example", 110, 2},  // STARTTLS for the same server in another case
        {"pop.office.example", 0, 1},    // the default port: TLS from the first byte
        {"pop.other.example", 110, 1},
        {"relay.example", 2525, 2},
    };
    EXPECT_EQ(recordedTlsMode(MailService::Pop3, records, "pop.office.example", 110), TlsMode::Implicit);
    EXPECT_EQ(recordedTlsMode(MailService::Pop3, records, "pop.office.example", 0), TlsMode::Implicit);
    EXPECT_EQ(recordedTlsMode(MailService::Pop3, records, "pop.office.example", 1110), TlsMode::None)
        << "another port is another service";
    EXPECT_EQ(recordedTlsMode(MailService::Pop3, records, "pop.unknown.example", 110), TlsMode::None);
    EXPECT_EQ(recordedTlsMode(MailService::Smtp, records, "RELAY.example", 2525), TlsMode::StartTls);
    EXPECT_EQ(recordedTlsMode(MailService::Smtp, {{"relay.example", 587, 1}}, "relay.example", 587), TlsMode::StartTls)
        << "the port's convention wins over a stored choice";
    EXPECT_EQ(recordedTlsMode(MailService::Smtp, {}, "relay.example", 465), TlsMode::Implicit);
    EXPECT_EQ(strongerTlsMode(TlsMode::StartTls, TlsMode::None), TlsMode::StartTls);
    EXPECT_EQ(strongerTlsMode(TlsMode::StartTls, TlsMode::Implicit), TlsMode::Implicit);
}

// Every fault of the chain refuses it, the most telling named; only a
// revocation status that could not be learnt is let through.
TEST(TlsRules, EveryChainFaultRefusesButAnUnknownRevocationStatus) {
    struct Row {
        std::uint32_t status;
        const char* reason;
    };
    const Row rows[] = {
        {0, ""},
        {kChainRevocationUnknown, ""},
        {kChainRevocationUnknown | kChainRevocationOffline, ""},
        {kChainPartial, "its chain of issuers is incomplete"},
        {kChainPartial | kChainRevocationUnknown, "its chain of issuers is incomplete"},
        {kChainUntrustedRoot, "it is not issued by a trusted authority"},
        {kChainBasicConstraints, "it is issued by a certificate that is not an authority"},
        {kChainNotTimeValid, "it has expired or is not valid yet"},
        {kChainRevoked | kChainNotTimeValid, "it has been revoked"},
        {kChainBadSignature, "its signature is not valid"},
        {kChainWrongUsage, "it is not meant for a server"},
        {0x80, "its chain is not valid (trust status 0x00000080)"},
    };
    for (const Row& r : rows) EXPECT_EQ(chainFaultReason(r.status), r.reason) << errorCode(r.status);
}

// A pin names a host and the fingerprint an administrator copied, with or
// without the ":" between pairs, in any case.
TEST(TlsRules, PinsNameHostsAndTheirFingerprints) {
    const std::string fp = "2F:4A:00:11:22:33:44:55:66:77:88:99:AA:BB:CC:DD:EE:FF:01:23:45:67:89:AB:CD:EF:10:20:30:40:50:60";
    const std::string bare = "2f4a00112233445566778899aabbccddeeff0123456789abcdef102030405060";
    const std::string other = "00" + bare.substr(2);

    EXPECT_FALSE(pinnedFingerprints("", "relay.office.lan"));
    EXPECT_FALSE(pinnedFingerprints("relay.office.lan " + fp, "office.lan")) << "no domain wild cards";
    EXPECT_FALSE(pinnedFingerprints("relay.office.lan " + fp, ""));

    auto pins = pinnedFingerprints("Relay.Office.LAN " + fp, "relay.office.lan");
    ASSERT_TRUE(pins);
    EXPECT_EQ(*pins, std::vector<std::string>{fp});

    pins = pinnedFingerprints(" pop.office.lan\t" + bare + " , relay.office.lan " + fp + ",relay.office.lan " + other,
                              "relay.office.lan");
    ASSERT_TRUE(pins);
    ASSERT_EQ(pins->size(), 2u) << "a new certificate may be pinned beside the old";
    EXPECT_EQ((*pins)[0], fp);
    pins = pinnedFingerprints(" pop.office.lan\t" + bare, "pop.office.lan");
    ASSERT_TRUE(pins);
    EXPECT_EQ(*pins, std::vector<std::string>{fp});

    // A mistyped fingerprint still pins its host: it accepts nothing.
    for (const std::string& typo : {fp.substr(3), fp + ":00", "2G" + fp.substr(2), std::string()}) {
        pins = pinnedFingerprints("relay.office.lan " + typo, "relay.office.lan");
        ASSERT_TRUE(pins) << typo;
        EXPECT_TRUE(pins->empty()) << typo;
    }
}

TEST(TlsRules, RefusalsNameTheHostAndTheReason) {
    EXPECT_EQ(certificateRefusedText("pop.example.net", certificateReason(kCertUntrustedRoot)),
              "Certificate of pop.example.net refused: it is not issued by a trusted authority");
    EXPECT_EQ(certificateRefusedText("pop.example.net", certificateReason(kCertWrongHost)),
              "Certificate of pop.example.net refused: it is issued for another host name");
    EXPECT_EQ(certificateReason(kCertExpired), "it has expired or is not valid yet");
    EXPECT_EQ(certificateReason(0x800B0111), "it is not valid (error 0x800B0111)");
    EXPECT_EQ(tlsFailedText("smtp.example.net", "the server refused STARTTLS"),
              "TLS failed with smtp.example.net: the server refused STARTTLS");
    std::uint8_t digest[32] = {0xAB, 0x01};
    std::string zeros;
    for (int i = 0; i < 30; ++i) zeros += ":00";
    EXPECT_EQ(certificateFingerprintText("relay.office.lan", fingerprintText(digest)),
              "Certificate of relay.office.lan has the SHA-256 fingerprint AB:01" + zeros);
    EXPECT_EQ(errorCode(0x80090308u), "0x80090308");
}
