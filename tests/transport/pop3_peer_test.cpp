// The POP3 exports against scripted peers on 127.0.0.1: the conversations
// a real server will not hold (refusals, odd replies, cut connections,
// silence, an abort from a window procedure, every block split of the
// end-of-data line).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frame/frame_state.h"
#include "frame/profile.h"
#include "support/scripted_peer.h"
#include "support/win32_support.h"
#include "frame/abort_flag.h"
#include "support/recorder.h"
#include "transport/socket_layer.h"
#include "utilities.h"

using namespace testing_support;
using testing_support::Recorder;

namespace {

using Answer = std::function<std::string(const std::string& line)>;

// A POP3 server that greets, accepts any USER and PASS, says goodbye to
// QUIT, knows no UIDL (as some servers do not) and answers every other
// command line through answer.
void serve(PeerConnection& c, const Answer& answer, const std::string& greeting = "+OK ready\r\n") {
    c.send(greeting);
    for (;;) {
        std::string line = c.readLine();
        if (line.empty()) return;
        if (line == "UIDL\r\n") {
            c.send("-ERR unknown command\r\n");
        } else if (line.rfind("USER ", 0) == 0 || line.rfind("PASS ", 0) == 0) {
            c.send("+OK\r\n");
        } else if (line == "QUIT\r\n") {
            c.send("+OK bye\r\n");
            return;
        } else {
            std::string reply = answer(line);
            if (reply == "<close>") return;
            c.send(reply);
        }
    }
}

class Pop3Peer : public ::testing::Test {
protected:
    void SetUp() override {
        util::frameState().configPathBuilt = false;
        SetPath(dir.path().c_str());
        recorder = std::make_unique<Recorder>();
        AbortComms(0);
        util::setReadTimeoutMs(5000);
    }
    void TearDown() override {
        recorder.reset();
        AbortComms(0);
        util::setReadTimeoutMs(util::kReadTimeoutMs);
        util::frameState().configPathBuilt = false;
    }
    int open(const ScriptedPeer& peer, const char* password = "pw") {
        int s = OpenPop3(nullptr, "127.0.0.1", "jo", password, peer.port());
        EXPECT_NE(s, -1);
        return s;
    }
    const std::vector<std::string>& status() { return recorder->status; }

    ScratchDir dir{"pop3peer"};
    std::unique_ptr<Recorder> recorder;
};

std::string retrAnswer(const std::string& message) { return "+OK message follows\r\n" + message + ".\r\n"; }

}  // namespace

// The record asks for STLS; whatever the server answers, the login never
// goes out in plain text.
TEST_F(Pop3Peer, NoLoginInPlainTextWhenStlsIsRefusedOrFails) {
    auto stlsRecord = [&](const ScriptedPeer& peer) {
        ASSERT_TRUE(writeFile(dir.file("ms.ini"), "[incoming]\r\nnode0=127.0.0.1\r\nuser0=jo\r\nport0=" +
                                                     std::to_string(peer.port()) + "\r\ntls0=2\r\n"));
    };
    {
        ScriptedPeer peer([](PeerConnection& c) {
            c.send("+OK ready\r\n");
            c.readLine();
            c.send("-ERR not here\r\n");
            c.waitForClose();
        });
        stlsRecord(peer);
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        ASSERT_GE(status().size(), 2u);
        EXPECT_EQ(status()[status().size() - 2], "-ERR not here");
        EXPECT_EQ(status().back(), "TLS failed with 127.0.0.1: the server refused STLS");
        EXPECT_EQ(peer.received(), "STLS\r\n");
    }
    recorder->clear();
    {
        // The server accepts, adds a line of its own, then speaks no TLS.
        ScriptedPeer peer([](PeerConnection& c) {
            c.send("+OK ready\r\n");
            c.readLine();
            c.send("+OK begin TLS\r\n+OK injected\r\n");
            c.waitForClose(3000);
        });
        stlsRecord(peer);
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        ASSERT_FALSE(status().empty());
        EXPECT_EQ(status().back().rfind("TLS failed with 127.0.0.1: ", 0), 0u) << status().back();
        EXPECT_FALSE(recorder->statusHas("Sending username and password"));
        std::string received = peer.received();
        ASSERT_GT(received.size(), 6u);
        EXPECT_EQ(received.substr(0, 6), "STLS\r\n");
        EXPECT_EQ(received[6], '\x16') << "then the TLS handshake";
        EXPECT_EQ(received.find("USER"), std::string::npos);
    }
}

TEST_F(Pop3Peer, RefusedGreetingUserAndPasswordEndTheSessionWithTheirTexts) {
    {
        ScriptedPeer peer([](PeerConnection& c) { serve(c, {}, "-ERR busy\r\n"); });
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        std::vector<std::string> want = {"Connecting to 127.0.0.1 port " + std::to_string(peer.port()) + "...",
                                         "-ERR busy", "POP3 protocol error"};
        EXPECT_EQ(status(), want);
        EXPECT_EQ(peer.received(), "") << "nothing is sent after a refused greeting";
    }
    recorder->clear();
    {
        ScriptedPeer peer([](PeerConnection& c) {
            c.send("+OK\r\n");
            c.readLine();
            c.send("-ERR who?\r\n");
            c.waitForClose();
        });
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        EXPECT_TRUE(recorder->statusHas("Sending username and password"));
        EXPECT_EQ(status().back(), "User unknown");
        EXPECT_EQ(status()[status().size() - 2], "-ERR who?");
    }
    recorder->clear();
    {
        ScriptedPeer peer([](PeerConnection& c) {
            c.send("+OK\r\n");
            c.readLine();
            c.send("+OK\r\n");
            c.readLine();
            c.send("-ERR [AUTH] no\r\n");
            c.waitForClose();
        });
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        EXPECT_EQ(status().back(), "Password is incorrect ");
        EXPECT_EQ(peer.received(), "USER jo\r\nPASS pw\r\n");
    }
    recorder->clear();
    {
        // The greeting never comes: -1 without a text of its own.
        util::setReadTimeoutMs(300);
        ScriptedPeer peer([](PeerConnection& c) { c.waitForClose(3000); });
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        EXPECT_EQ(status().size(), 1u);
    }
}

// A user or password longer than 255 characters is refused before a
// connection is made: cut, the login would go to another mailbox.
TEST_F(Pop3Peer, AnOverLongUserOrPasswordIsRefusedNotCut) {
    const std::string longest(255, 'u'), tooLong(256, 'u');
    for (auto [user, password] : {std::pair{tooLong, std::string("pw")}, std::pair{std::string("jo"), tooLong}}) {
        ScriptedPeer peer([](PeerConnection& c) { serve(c, {}); });
        EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", user.c_str(), password.c_str(), peer.port()), -1);
        EXPECT_EQ(ClosePop3(-1), 0);
        EXPECT_EQ(peer.accepted(), 0);
        EXPECT_EQ(peer.received(), "");
    }
    ScriptedPeer peer([](PeerConnection& c) { serve(c, {}); });
    int s = OpenPop3(nullptr, "127.0.0.1", longest.c_str(), longest.c_str(), peer.port());
    ASSERT_NE(s, -1) << "255 characters fit";
    EXPECT_EQ(ClosePop3(s), 0);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 3000);
    EXPECT_EQ(peer.received(), "USER " + longest + "\r\nPASS " + longest + "\r\nQUIT\r\n");
}

TEST_F(Pop3Peer, AnEmptyPasswordLogsInWithUserAlone) {
    ScriptedPeer peer([](PeerConnection& c) { serve(c, [](const std::string&) { return "+OK 0 0\r\n"; }); });
    int s = open(peer, "");
    EXPECT_EQ(NumPop3Mail(s, 0), 0);
    EXPECT_EQ(ClosePop3(s), 0);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 3000);
    EXPECT_EQ(peer.received(), "USER jo\r\nSTAT\r\nQUIT\r\n");
}

TEST_F(Pop3Peer, ConnectionRetriesFollowTheSwitch) {
    int port = closedPort();
    std::string where = "127.0.0.1 port " + std::to_string(port) + "...";
    util::writeProfileInt("in-mail", "in-retries", 0);
    EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", port), -1);
    EXPECT_EQ(ClosePop3(-1), 0);
    EXPECT_EQ(status(), (std::vector<std::string>{"Connecting to " + where, "Could not connect"}));

    recorder->clear();
    util::writeProfileInt("in-mail", "in-retries", 7);  // a switch, not a count
    EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "jo", "pw", port), -1);
    EXPECT_EQ(ClosePop3(-1), 0);
    std::vector<std::string> want = {"Connecting to " + where};
    for (int i = 1; i <= 5; ++i) want.push_back("Re-trying (" + std::to_string(i) + ") " + where);
    want.push_back("Could not connect");
    EXPECT_EQ(status(), want);
}

TEST_F(Pop3Peer, StatFormsAndDeleteReplies) {
    ScriptedPeer peer([](PeerConnection& c) {
        int stat = 0;
        serve(c, [&](const std::string& line) -> std::string {
            if (line == "STAT\r\n") {
                const char* replies[] = {"+OK 3 1234\r\n", "+OK\r\n", "-ERR not now\r\n", "<close>"};
                return replies[stat++];
            }
            if (line == "DELE 2\r\n") return "-ERR no such message\r\n";
            return "+OK\r\n";
        });
    });
    int s = open(peer);
    EXPECT_EQ(NumPop3Mail(s, 0), 3);
    EXPECT_EQ(status().back(), "Server has 3 messages");
    EXPECT_EQ(NumPop3Mail(s, 0), 0);
    EXPECT_EQ(DeletePop3(s, 1, 0), 0);
    EXPECT_EQ(DeletePop3(s, 2, 0), 0) << "a refusal is reported but is no failure";
    EXPECT_EQ(status()[status().size() - 3], "Deleting message 2");
    EXPECT_EQ(status()[status().size() - 2], "-ERR no such message");
    EXPECT_EQ(status().back(), "Unable to delete message");
    EXPECT_EQ(NumPop3Mail(s, 0), -1);
    EXPECT_EQ(status().back(), "Protocol error");
    EXPECT_EQ(NumPop3Mail(s, 0), -1);
    EXPECT_EQ(status().back(), "Network error");
    EXPECT_EQ(DeletePop3(s, 3, 0), -1);
    EXPECT_EQ(ClosePop3(s), 0);
}

TEST_F(Pop3Peer, EndOfDataSplitAcrossBlocksIsNeverStored) {
    // Pieces sent with pauses, so that each arrives as a block of its own,
    // and the message as stored after the Received header.
    struct Split {
        std::vector<std::string> pieces;
        std::string stored;
    };
    const std::string dotted = "Subject: s\r\n\r\nbody\r\n.\r\n";
    const std::vector<Split> splits = {
        {{"+OK\r\nSubject: s\r\n\r\nbody\r\n.", ".\r\n.", "\r\n"}, dotted},
        {{"+OK\r\nSubject: s\r\n\r\nbody\r\n..\r\n.\r", "\n"}, dotted},
        {{"+OK\r\nSubject: s\r\n\r\nbody\r\n..\r\n", ".", "\r", "\n"}, dotted},
        {{"+OK\r\nSubject: s\r\n\r\nbody\r\n..\r", "\n.\r\n"}, dotted},
        // A line of a lone dot ended by a line feed is data; the end follows it.
        {{"+OK\r\nx\r\n.\n.\r\n"}, "x\r\n.\n"},
        {{"+OK\r\n", "x\r\n", ".\n", ".\r\n"}, "x\r\n.\n"},
    };
    for (const Split& split : splits) {
        ScriptedPeer peer([&](PeerConnection& c) {
            serve(c, [&](const std::string& line) -> std::string {
                if (line == "LIST 1\r\n") return "+OK 1 " + std::to_string(split.stored.size()) + "\r\n";
                if (line == "RETR 1\r\n") {
                    for (const std::string& p : split.pieces) {
                        c.send(p);
                        Sleep(60);
                    }
                    return "";
                }
                if (line == "DELE 1\r\n") return "+OK deleted\r\n";
                return "-ERR\r\n";
            });
        });
        int s = open(peer);
        std::string file = dir.file("m.txt");
        ASSERT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, nullptr, 0), 0) << split.pieces[0];
        std::string stored = readFile(file);
        std::size_t afterReceived = stored.find("\r\n", stored.find("\r\n") + 2) + 2;  // two header lines
        EXPECT_EQ(stored.substr(afterReceived), split.stored);
        EXPECT_EQ(status().back(), "Deleting message 1") << "the DELE reply was read whole, not the end's line feed";
        EXPECT_EQ(ClosePop3(s), 0);
        waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 3000);
        EXPECT_NE(peer.received().find("DELE 1\r\nQUIT\r\n"), std::string::npos);
        recorder->clear();
    }
}

TEST_F(Pop3Peer, ACutAtAnyPointOfTheAnswerLosesNothing) {
    const std::string message = "From: a@b\r\nSubject: cut\r\n\r\nline one\r\n..dot\r\n";
    const std::string answer = retrAnswer(message);
    const std::size_t endLine = answer.size() - 3;
    std::string file = dir.file("cut.txt");
    for (std::size_t k = 0; k <= answer.size(); ++k) {
        SCOPED_TRACE("cut after " + std::to_string(k) + " bytes");
        ScriptedPeer peer([&](PeerConnection& c) {
            serve(c, [&](const std::string& line) -> std::string {
                if (line == "LIST 1\r\n") return "+OK 1 " + std::to_string(message.size()) + "\r\n";
                if (line == "RETR 1\r\n") {
                    c.send(answer.substr(0, k));
                    return "<close>";
                }
                return "+OK\r\n";
            });
        });
        int s = open(peer);
        int result = GetMailPop3(s, 1, file.c_str(), 1, 0, nullptr, 0);
        if (k < endLine + 2) {
            // The end-of-data line did not arrive: a failure, no file, no DELE.
            EXPECT_EQ(result, -1);
            EXPECT_FALSE(fileExists(file));
            EXPECT_EQ(peer.received().find("DELE"), std::string::npos);
        } else {
            // The end arrived; the DELE then finds the connection closed.
            EXPECT_EQ(result, -1);
            EXPECT_TRUE(fileExists(file));
            std::string stored = readFile(file);
            EXPECT_EQ(stored.substr(stored.find("From: ")), "From: a@b\r\nSubject: cut\r\n\r\nline one\r\n.dot\r\n");
            EXPECT_EQ(status().back(), "Network error");
        }
        ClosePop3(s);
        DeleteFileA(file.c_str());
        recorder->clear();
    }
}

TEST_F(Pop3Peer, ListAndTopFailWhenTheAnswerIsCutAndDropEarlierBlocks) {
    int tops = 0;
    ScriptedPeer peer([&](PeerConnection& c) {
        serve(c, [&](const std::string& line) -> std::string {
            if (line == "LIST\r\n") return "+OK 2 messages\r\n1 120\r\n2 4000\r\n.\r\n";
            if (line.rfind("TOP ", 0) == 0) {
                if (++tops == 3) {
                    c.send("+OK\r\nSubject: three\r\n");
                    return "<close>";
                }
                return "+OK\r\nSubject: " + std::to_string(tops) + "\r\n\r\nfirst\r\n.\r\n";
            }
            return "-ERR\r\n";
        });
    });
    int s = open(peer);
    std::string list = dir.file("list.txt");
    ASSERT_EQ(ListMailPop3(s, list.c_str(), 0), 0);
    EXPECT_EQ(readFile(list), "1 120\r\n2 4000\r\n");
    EXPECT_TRUE(recorder->statusHas("Compiling message list"));

    std::string check = dir.file("check.txt");
    ASSERT_EQ(TopPop3(s, 1, check.c_str(), "jo", 1, 0, 1, "f1", "pop.example", "f3", 0), 0);
    ASSERT_EQ(TopPop3(s, 2, check.c_str(), "ann", 1, 0, 2, "", "pop.example", "", 0), 0);
    EXPECT_EQ(readFile(check),
              "\1\1\1\1N1\1f1\1pop.example\1f3\r\nX-user: jo\r\nSubject: 1\r\n\r\nfirst\r\n"
              "\1\1\1\1N2\1\1pop.example\1\r\nX-user: ann\r\nSubject: 2\r\n\r\nfirst\r\n");
    EXPECT_NE(peer.received().find("TOP 2 1\r\n"), std::string::npos);
    EXPECT_TRUE(recorder->statusHas("Checking message 2"));

    EXPECT_EQ(TopPop3(s, 3, check.c_str(), "jo", 0, 0, 3, "", "h", "", 0), -1);
    EXPECT_FALSE(fileExists(check)) << "a failed append drops the earlier blocks too";
    EXPECT_EQ(status().back(), "Network error");
    EXPECT_EQ(ListMailPop3(s, list.c_str(), 0), -1);
    EXPECT_FALSE(fileExists(list));
    ClosePop3(s);
}

TEST_F(Pop3Peer, RefusedListAndTopAndAnUnopenableFile) {
    ScriptedPeer peer([](PeerConnection& c) {
        serve(c, [](const std::string& line) -> std::string {
            if (line == "LIST\r\n") return "-ERR no list\r\n";
            if (line == "LIST 4\r\n") return "-ERR no such message\r\n";
            if (line == "LIST 5\r\n" || line == "LIST 6\r\n") return "+OK 5 20\r\n";
            if (line == "RETR 5\r\n") return "+OK\r\nSubject: five\r\n\r\n.\r\n";
            if (line == "RETR 6\r\n") return "-ERR locked\r\n";
            if (line == "DELE 5\r\n") return "-ERR cannot delete\r\n";
            return "-ERR unknown command\r\n";
        });
    });
    int s = open(peer);
    std::string list = dir.file("list.txt");
    EXPECT_EQ(ListMailPop3(s, list.c_str(), 0), -1);
    EXPECT_EQ(status()[status().size() - 2], "-ERR no list");
    EXPECT_EQ(status().back(), "Unsupported command (LIST)");
    EXPECT_FALSE(fileExists(list));

    std::string check = dir.file("check.txt");
    EXPECT_EQ(TopPop3(s, 1, check.c_str(), "jo", 0, 0, 0, "", "h", "", 0), -1);
    EXPECT_EQ(status().back(), "Unsupported command (TOP)");
    EXPECT_FALSE(fileExists(check));

    std::string message = dir.file("m.txt");
    EXPECT_EQ(GetMailPop3(s, 4, message.c_str(), 1, 0, nullptr, 0), -1);
    EXPECT_EQ(status().back(), "Error (LIST)");
    EXPECT_FALSE(fileExists(message));

    EXPECT_EQ(GetMailPop3(s, 5, message.c_str(), 1, 0, nullptr, 0), 0) << "a refused DELE keeps the result";
    EXPECT_EQ(status()[status().size() - 2], "-ERR cannot delete");
    EXPECT_EQ(status().back(), "Error (DELE)");
    EXPECT_TRUE(fileExists(message));
    EXPECT_EQ(GetMailPop3(s, 6, message.c_str(), 1, 0, nullptr, 0), -1);
    EXPECT_EQ(status()[status().size() - 2], "-ERR locked");
    EXPECT_EQ(status().back(), "Error (RETR)");
    EXPECT_FALSE(fileExists(message));

    std::string bad = dir.file("no such folder\\m.txt");
    EXPECT_EQ(GetMailPop3(s, 1, bad.c_str(), 1, 0, nullptr, 0), -1);
    EXPECT_EQ(status().back(), "Open file error " + bad);
    EXPECT_EQ(ListMailPop3(s, bad.c_str(), 0), -1);
    EXPECT_EQ(status().back(), "Open list file error " + bad);
    EXPECT_EQ(TopPop3(s, 1, bad.c_str(), "jo", 0, 0, 0, "", "h", "", 0), -1);
    EXPECT_EQ(status().back(), "Open file error " + bad);
    ClosePop3(s);
}

TEST_F(Pop3Peer, ALongReplyLineOrASilentServerIsANetworkError) {
    util::setReadTimeoutMs(400);
    ScriptedPeer peer([](PeerConnection& c) {
        serve(c, [&](const std::string& line) -> std::string {
            if (line == "LIST 1\r\n") return std::string(1 << 20, 'x');  // 1 MB, no line feed
            if (line == "LIST 2\r\n") return "+OK 2 100\r\n";
            if (line == "RETR 2\r\n") return "+OK\r\nSubject: slow\r\n";  // then silence
            if (line == "STAT\r\n") return "";                            // no answer at all
            return "+OK\r\n";
        });
    });
    int s = open(peer);
    std::string file = dir.file("m.txt");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, nullptr, 0), -1);
    EXPECT_EQ(status().back(), "Network error");
    EXPECT_FALSE(fileExists(file));
    ClosePop3(s);
    recorder->clear();

    ScriptedPeer second([](PeerConnection& c) {
        serve(c, [&](const std::string& line) -> std::string {
            if (line == "LIST 2\r\n") return "+OK 2 100\r\n";
            if (line == "RETR 2\r\n") return "+OK\r\nSubject: slow\r\n";  // then silence
            return "";                                                      // no answer at all
        });
    });
    s = open(second);
    DWORD start = GetTickCount();
    EXPECT_EQ(GetMailPop3(s, 2, file.c_str(), 1, 0, nullptr, 0), -1) << "a time-out before the end is a failure";
    EXPECT_GE(GetTickCount() - start, 350u);
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(second.received().find("DELE"), std::string::npos);
    EXPECT_EQ(NumPop3Mail(s, 0), -1);
    EXPECT_EQ(status().back(), "Network error");
    ClosePop3(s);
}

TEST_F(Pop3Peer, ProgressTextsAndNoSizeMeansNoProgress) {
    std::string message = "Subject: p\r\n\r\n";
    while (message.size() < 10000) message += "0123456789012345678901234567890123456789\r\n";
    ScriptedPeer peer([&](PeerConnection& c) {
        serve(c, [&](const std::string& line) -> std::string {
            if (line == "LIST 1\r\n") return "+OK 1 " + std::to_string(message.size()) + "\r\n";
            if (line == "LIST 2\r\n") return "+OK two\r\n";
            if (line.rfind("RETR", 0) == 0) {
                c.send("+OK\r\n");
                Sleep(50);
                c.send(message.substr(0, 5000));
                Sleep(50);
                c.send(message.substr(5000) + ".\r\n");
                return "";
            }
            return "+OK\r\n";
        });
    });
    int s = open(peer);
    std::string file = dir.file("m.txt");
    ASSERT_EQ(GetMailPop3(s, 1, file.c_str(), 0, 0, recorder->progressWindow(), 0), 0);
    std::string total = std::to_string(message.size() / 1000) + "," + std::to_string(message.size() % 1000 + 1000).substr(1);
    ASSERT_GE(recorder->progress.size(), 3u);
    EXPECT_EQ(recorder->progress.front(), "Downloading 1 (0 of " + total + ")...");
    EXPECT_EQ(recorder->progress[recorder->progress.size() - 2],
              "Downloading 1 (" + std::to_string(message.size()) + " of " + std::to_string(message.size()) + ")...");
    EXPECT_EQ(recorder->progress.back(), "Message 1 complete...");
    EXPECT_TRUE(recorder->eventsHave("Message is " + std::to_string(message.size()) + " bytes"));
    EXPECT_EQ(readFile(file).size() - readFile(file).find("Subject: p"), message.size());

    recorder->clear();
    ASSERT_EQ(GetMailPop3(s, 2, file.c_str(), 0, 0, recorder->progressWindow(), 0), 0);
    EXPECT_TRUE(recorder->progress.empty()) << "a LIST reply without digits gives size 0: no progress";
    for (const std::string& e : recorder->eventTexts()) EXPECT_EQ(e.find("Message is"), std::string::npos) << e;
    ClosePop3(s);
}

TEST_F(Pop3Peer, AbortCommsFromAWindowProcedureStopsTheDownload) {
    std::atomic<bool> stop{false};
    ScriptedPeer peer([&](PeerConnection& c) {
        serve(c, [&](const std::string& line) -> std::string {
            if (line == "LIST 1\r\n") return "+OK 1 50000000\r\n";
            if (line == "RETR 1\r\n") {
                c.send("+OK\r\n");
                std::string chunk(4000, 'a');
                chunk += "\r\n";
                for (int i = 0; i < 3000 && !stop; ++i) {
                    c.send(chunk);
                    Sleep(2);
                }
                return "";
            }
            return "+OK\r\n";
        });
    });
    int s = open(peer);
    std::string file = dir.file("m.txt");
    int progressSeen = 0;
    recorder->onProgress = [&](const std::string&) {
        if (++progressSeen == 5) AbortComms(1);
    };
    DWORD start = GetTickCount();
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, recorder->progressWindow(), 0), -1);
    EXPECT_LT(GetTickCount() - start, 4000u);
    EXPECT_EQ(progressSeen, 5) << "no block is handled after the abort";
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(util::abortFlag(), 1) << "the library does not clear the flag";
    stop = true;
    closesocket(static_cast<SOCKET>(s));
    ClosePop3(-1);
    EXPECT_EQ(peer.received().find("DELE"), std::string::npos);
}

TEST_F(Pop3Peer, OversizeWithoutWarningIsSkippedOrDeleted) {
    util::writeProfileInt("advpop", "use", 1);
    util::writeProfileInt("advpop", "size", 2);
    util::writeProfileInt("advpop", "sendwarning", 0);
    ScriptedPeer peer([](PeerConnection& c) {
        serve(c, [](const std::string& line) -> std::string {
            if (line == "LIST 1\r\n") return "+OK 1 2000000\r\n";
            if (line == "LIST 2\r\n") return "+OK 2 2000001\r\n";
            if (line == "RETR 1\r\n") return "+OK\r\nSubject: fits\r\n\r\n.\r\n";
            if (line == "DELE 2\r\n") return "+OK\r\n";
            return "-ERR unexpected\r\n";
        });
    });
    int s = open(peer);
    std::string file = dir.file("m.txt");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 0, 0, nullptr, 0), 0) << "exactly the limit is downloaded";
    EXPECT_TRUE(fileExists(file));

    recorder->clear();
    EXPECT_EQ(GetMailPop3(s, 2, file.c_str(), 1, 0, nullptr, 0), 0);
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(recorder->eventTexts().back(), "Message skipped");
    EXPECT_TRUE(recorder->eventsHave("Message exceeds download limit"));

    util::writeProfileInt("advpop", "delete", 1);
    EXPECT_EQ(GetMailPop3(s, 2, file.c_str(), 0, 0, nullptr, 0), -11);
    EXPECT_FALSE(fileExists(file));
    ClosePop3(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 3000);
    EXPECT_EQ(peer.received().find("RETR 2"), std::string::npos);
    EXPECT_EQ(peer.received().find("TOP"), std::string::npos);
    EXPECT_NE(peer.received().find("LIST 2\r\nDELE 2\r\n"), std::string::npos);
}

// Without UIDL a session works as it always did: each message is stored
// and deleted, no journal is kept, and the listing is asked for once.
TEST_F(Pop3Peer, AServerWithoutUidlCollectsWithoutAJournal) {
    const std::string message = "From: a@b\r\nSubject: plain\r\n\r\nbody\r\n";
    ScriptedPeer peer([&](PeerConnection& c) {
        serve(c, [&](const std::string& line) -> std::string {
            if (line.rfind("LIST ", 0) == 0) return "+OK 1 " + std::to_string(message.size()) + "\r\n";
            if (line.rfind("RETR ", 0) == 0) return retrAnswer(message);
            return "+OK\r\n";
        });
    });
    int s = open(peer);
    for (int n = 1; n <= 2; ++n) {
        std::string file = dir.file("m" + std::to_string(n) + ".txt");
        EXPECT_EQ(GetMailPop3(s, n, file.c_str(), 1, 0, nullptr, 0), 0);
        EXPECT_NE(readFile(file).find("Subject: plain"), std::string::npos);
    }
    ClosePop3(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 3000);
    const std::string received = peer.received();
    EXPECT_EQ(received.find("UIDL"), received.rfind("UIDL")) << "once a session";
    EXPECT_NE(received.find("DELE 1\r\n"), std::string::npos);
    EXPECT_NE(received.find("DELE 2\r\n"), std::string::npos);
    EXPECT_FALSE(fileExists(dir.file("collection journal.txt")));
}
