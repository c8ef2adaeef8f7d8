// Internal services of the frame, linked statically: the configuration
// path rules, the path-exists test and the status output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/event_log.h"
#include "frame/frame_state.h"
#include "frame/install_folder.h"
#include "frame/message_pump.h"
#include "frame/profile.h"
#include "support/recorder.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {
void forgetConfigPath() { util::frameState().configPathBuilt = false; }
}  // namespace

TEST(ConfigPath, BuiltOnceFromTheFirstFolder) {
    forgetConfigPath();
    SetPath("T:\\");
    EXPECT_EQ(util::configPath(), "T:\\ms.ini");
    ScratchDir dir("cfg");
    EXPECT_NE(SetPath(dir.path().c_str()), 0);
    EXPECT_EQ(util::configPath(), "T:\\ms.ini") << "a later SetPath does not move ms.ini";
    EXPECT_EQ(util::installFolder(), dir.path());

    forgetConfigPath();
    EXPECT_EQ(util::configPath(), dir.path() + "\\ms.ini");

    forgetConfigPath();
    SetPath((dir.path() + "\\").c_str());
    EXPECT_EQ(util::configPath(), dir.path() + "\\\\ms.ini");
    // The platform accepts the doubled backslash.
    EXPECT_TRUE(util::writeProfileInt("check", "value", 42));
    EXPECT_EQ(util::profileInt("check", "value", 0), 42);
    EXPECT_TRUE(fileExists(dir.file("ms.ini")));
    forgetConfigPath();
}

// The longest folder SetPath takes, 259 characters, gives the whole path
// of ms.ini (the settings would otherwise go to a file "...\ms.i"); a
// longer one is refused and the folder before kept, not cut to another.
TEST(ConfigPath, TheLongestFolderKeepsMsIniWholeAndALongerOneIsRefused) {
    ScratchDir dir("long");
    forgetConfigPath();
    ASSERT_NE(SetPath(dir.path().c_str()), 0);
    const std::string longest = dir.path() + "\\" + std::string(258 - dir.path().size(), 'f');
    ASSERT_EQ(longest.size(), 259u);
    SetPath(longest.c_str());
    EXPECT_EQ(util::installFolder(), longest);
    EXPECT_EQ(util::configPath(), longest + "\\ms.ini");

    forgetConfigPath();
    ASSERT_NE(SetPath(dir.path().c_str()), 0);
    for (std::size_t length : {260u, 300u}) {
        const std::string tooLong = dir.path() + "\\" + std::string(length - 1 - dir.path().size(), 'g');
        EXPECT_EQ(SetPath(tooLong.c_str()), 0) << length;
        EXPECT_EQ(util::installFolder(), dir.path()) << length;
    }
    EXPECT_EQ(util::configPath(), dir.path() + "\\ms.ini");
    forgetConfigPath();
}

TEST(ConfigPath, ReadsDefaultsAndCreatesNothingByReading) {
    ScratchDir dir("ini");
    forgetConfigPath();
    SetPath(dir.path().c_str());
    EXPECT_EQ(util::profileString("incoming", "node0", "none"), "none");
    EXPECT_EQ(util::profileInt("EventLog", "use", 1), 1);
    EXPECT_FALSE(fileExists(dir.file("ms.ini")));
    util::writeProfileString("Mixed", "Key", "v");
    EXPECT_EQ(util::profileString("mixed", "KEY", ""), "v") << "names match without regard to case";
    util::writeProfileString("n", "neg", "-12");
    EXPECT_EQ(util::profileInt("n", "neg", 0), -12);
    util::writeProfileString("n", "word", "abc");
    EXPECT_EQ(util::profileInt("n", "word", 5), 0) << "a value not starting with a number reads as 0";
    util::deleteProfileSection("n");
    EXPECT_EQ(util::profileString("n", "neg", "gone"), "gone");
    forgetConfigPath();
}

TEST(SettingsCatalogue, NumberedFamiliesAndRecordsNamedBySection) {
    ScratchDir dir("catalogue");
    forgetConfigPath();
    SetPath(dir.path().c_str());
    // A "%d" in the key takes the record's number.
    util::write(cfg::kIncomingNode, "pop.example.org", 0);
    util::write(cfg::kIncomingNode, "mail.example.net", 1);
    util::write(cfg::kIncomingNode, "behind.gap.example", 3);
    util::write(cfg::kIncomingPort, 995, 1);
    EXPECT_EQ(util::profileString("incoming", "node1", ""), "mail.example.net");
    EXPECT_EQ(util::read(cfg::kIncomingPort, 1), 995);
    EXPECT_EQ(util::read(cfg::kIncomingPort, 0), 110) << "a missing key reads as its default";
    EXPECT_TRUE(util::erase(cfg::kIncomingPort, 1));
    EXPECT_EQ(util::read(cfg::kIncomingPort, 1), 110);
    EXPECT_EQ(util::readFamily(cfg::kIncomingNode), (std::vector<std::string>{"pop.example.org", "mail.example.net"}))
        << "a family ends at its first gap";
    EXPECT_EQ(util::readFamily(cfg::kIncomingNode, 1).size(), 1u);

    // A "%d" in the section, by number or by the section's own name.
    util::write(cfg::kAccountName, "Sales", 2);
    EXPECT_EQ(util::profileString("mailbox2", "name", ""), "Sales");
    EXPECT_EQ(util::read(cfg::kAccountName, "MAILBOX2"), "Sales");
    util::write(cfg::kAccountActive, "0", "mailbox2");
    EXPECT_EQ(util::read(cfg::kAccountEnabled, 2), 0);
    EXPECT_TRUE(util::eraseSection(cfg::kMailbox, 2));
    EXPECT_EQ(util::profileString("mailbox2", "name", "gone"), "gone");

    // A key with its own buffer size is cut to it.
    util::write(cfg::kProductVersion, std::string(100, '9'));
    EXPECT_EQ(util::read(cfg::kProductVersion), std::string(63, '9'));
    forgetConfigPath();
}

TEST(MessagePump, AQuitTakenIsPostedAgainWithItsOwnExitCode) {
    PostQuitMessage(7);
    EXPECT_TRUE(util::dispatchWaitingMessages());
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the host's loop still sees a quit";
    EXPECT_EQ(msg.wParam, 7u) << "with the host's exit code";
    EXPECT_FALSE(util::dispatchWaitingMessages()) << "an empty queue holds no quit";
}

TEST(PathExists, MatchesFilesAndFoldersButNotDots) {
    ScratchDir dir("exists");
    EXPECT_FALSE(util::pathExists(dir.file("*")));
    EXPECT_FALSE(util::pathExists(dir.file("missing\\*.txt")));
    ASSERT_TRUE(CreateDirectoryA(dir.file("sub").c_str(), nullptr));
    EXPECT_TRUE(util::pathExists(dir.file("*")));
    EXPECT_FALSE(util::pathExists(dir.file("sub\\*")));
    writeFile(dir.file("a.adr"), "x");
    EXPECT_TRUE(util::pathExists(dir.file("a.adr")));
    EXPECT_TRUE(util::pathExists(dir.file("*.adr")));
    EXPECT_FALSE(util::pathExists(dir.file("a.lck")));
}

TEST(StatusOut, SendsTheTextThenLogsItAsTransport) {
    Recorder recorder;
    std::size_t eventsWhenSent = 99;
    recorder.onStatus = [&](const std::string&) { eventsWhenSent = recorder.events.size(); };
    util::statusOut("Connecting to mail.example.com");
    util::statusOut("");
    EXPECT_EQ(recorder.status, std::vector<std::string>{"Connecting to mail.example.com"});
    EXPECT_EQ(recorder.statusKinds, std::vector<WPARAM>{1});
    EXPECT_EQ(eventsWhenSent, 0u) << "sent before it is logged";
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].category, UTIL_EVENT_TRANSPORT);
    EXPECT_EQ(recorder.events[0].text, "Connecting to mail.example.com");
}
