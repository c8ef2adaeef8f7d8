// The machine's addresses when the sockets library is missing or lacks
// its functions: the "Error" box names what is wrong and nothing is added.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "admin/machine_addresses.h"
#include "support/ui_driver.h"

namespace {

std::string listingError(const char* library, int& added) {
    HWND parent = CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, parent, nullptr, nullptr,
                               nullptr);
    std::string text = drive::expectingBox("Error", [&] { admin::listMachineAddresses(combo, library); });
    added = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    DestroyWindow(parent);
    return text;
}

TEST(LocalAddresses, AMissingOrIncompleteSocketsLibraryIsNamedInAnError) {
    int added = -1;
    EXPECT_EQ(listingError("no-such-sockets-library", added),
              "You do not have TCP networking installed. Please install TCP and try again...");
    EXPECT_EQ(added, 0);
    EXPECT_EQ(listingError("version", added),
              "Error - you do not have TCP networking installed. Please install TCP and try again...");
    EXPECT_EQ(added, 0);
    EXPECT_EQ(listingError("wsock32", added), "") << "the real library lists without a word";
    EXPECT_GE(added, 1);
}

}  // namespace
