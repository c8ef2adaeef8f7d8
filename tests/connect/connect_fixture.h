// An install folder with the stand-in dial-up handler (rashand.exe) and
// count.avi beside ms.ini, and the windows a server lends to the library:
// a name window and the recording status window and event list.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/recorder.h"
#include "support/win32_support.h"

namespace connect_test {

class ConnectTest : public ::testing::Test {
public:
    // The folder lives for the whole test program: ms.ini's path is fixed
    // at its first use.
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static std::string folder();
    static std::string file(const std::string& name);
    // ms.ini and the handler's script, written whole (lines joined by CR LF).
    static void writeConfig(const std::vector<std::string>& lines);
    static void writeScript(const std::vector<std::string>& lines);
    // Requests the handler logged, one per line.
    static std::vector<std::string> handlerLog();
    static int countLines(const std::vector<std::string>& lines, const std::string& prefix);

protected:
    std::vector<std::string> statusTexts(WPARAM wParam = 1) const { return recorder->statusOf(wParam); }
    std::vector<std::string> dialEvents() const { return recorder->eventTexts(UTIL_EVENT_DIALUP); }

    std::unique_ptr<testing_support::Recorder> recorder;
    HWND nameWindow = nullptr;
    HWND statusWindow = nullptr;
};

// For tests that start the handler: none runs before or after each test
// (the library finds it by its window, which every program of the test's
// desktop sees).
class HandlerTest : public ConnectTest {
public:
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;
};

// Closes every running stand-in handler and waits for it to end.
void closeHandlers();
HWND handlerWindow();

}  // namespace connect_test
