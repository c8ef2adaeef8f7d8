// The host program loading the DLL in its own process: the event and
// status lines it prints.
#include <gtest/gtest.h>

#include <string>

#include "support/win32_support.h"

using namespace testing_support;

namespace {

std::string host(const std::string& install, const std::string& commands) {
    auto result = runProcess("\"" + exeFolder() + "\\host.exe\" \"" + install + "\" " + commands);
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    return result.output;
}

}  // namespace

TEST(HostOutput, EventAndStatusLinesWithTheirCategories) {
    ScratchDir dir("hostlog");
    CreateDirectoryA(dir.file("event log").c_str(), nullptr);
    std::string out = host(dir.path(), "log \"Mail collected\" 4 log \"Reminder generated\" 1");
    EXPECT_NE(out.find("event[4]: Mail collected\t"), std::string::npos) << out;
    EXPECT_NE(out.find("event[1]: Reminder generated\t"), std::string::npos) << out;
    std::string file = readFile(dir.file("event log\\events.txt"));
    EXPECT_NE(file.find(" : Mail collected\r\n"), std::string::npos);
    EXPECT_NE(file.find(" : Reminder generated\r\n"), std::string::npos);
}
