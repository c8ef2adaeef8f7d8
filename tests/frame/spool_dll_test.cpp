// The spool exports of utilities.dll: unique names and the folder listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

std::string uniqueName(const std::string& folder, const char* extension) {
    char name[260] = {};
    UniqueFileName(folder.c_str(), name, extension);
    return name;
}

std::vector<std::string> listAll(const std::string& pattern) {
    std::vector<std::string> names;
    char name[260] = {};
    HANDLE listing = reinterpret_cast<HANDLE>(1);
    int more = ListFiles(pattern.c_str(), name, &listing);
    if (!more) EXPECT_EQ(listing, nullptr) << "no listing is left open";
    while (more) {
        EXPECT_EQ(more, -1);
        names.push_back(name);
        more = NextListFile(&listing, name);
    }
    EXPECT_EQ(listing, nullptr) << "the end of the listing sets the handle to 0";
    EndListFile(listing);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SpoolDll, UniqueNamesCountUpWithinOneSecond) {
    ScratchDir dir("uniq");
    std::string first, second;
    // Retry when the clock passed a second between the two calls.
    for (int attempt = 0; attempt < 3; ++attempt) {
        first = uniqueName(dir.path(), "txt");
        ASSERT_TRUE(writeFile(first, "x"));
        second = uniqueName(dir.path(), "txt");
        if (first.substr(0, first.size() - 9) == second.substr(0, second.size() - 9)) break;
    }
    ASSERT_EQ(first.size(), dir.path().size() + 1 + 19 + 1 + 4 + 4);
    EXPECT_EQ(first.substr(0, dir.path().size() + 1), dir.path() + "\\");
    EXPECT_EQ(first.substr(first.size() - 9), "-0000.txt");
    EXPECT_EQ(second.substr(second.size() - 9), "-0001.txt");
    EXPECT_EQ(uniqueName(dir.path(), "adr").substr(second.size() - 9), "-0000.adr")
        << "only a file of the same extension takes a number";
    EXPECT_EQ(uniqueName(dir.file("missing"), "txt").substr(dir.path().size() + 8 + 20), "-0000.txt");
}

// A name must fit the caller's 260 bytes whole: one cut short of its
// number and extension is the same for every call of that second, and
// each message collected under it would overwrite the one before.
TEST(SpoolDll, ANameThatDoesNotFitIsNeverHandedOutCut) {
    ScratchDir dir("uniqlong");
    // Folder, backslash, stamp (19), hyphen, number (4), ".txt": 29 more.
    auto folderOf = [&](std::size_t length) {
        return dir.path() + "\\" + std::string(length - 1 - dir.path().size(), 'q');
    };
    const std::string fits = uniqueName(folderOf(230), "txt");
    ASSERT_EQ(fits.size(), 259u) << "the longest name is handed out whole";
    EXPECT_EQ(fits.substr(fits.size() - 9), "-0000.txt");
    for (std::size_t length : {231u, 240u, 258u}) {
        char name[260];
        std::memset(name, 'x', sizeof name);
        UniqueFileName(folderOf(length).c_str(), name, "txt");
        EXPECT_STREQ(name, "") << "folder of " << length << " characters: no name rather than a cut one";
    }
    char name[260];
    UniqueFileName(dir.path().c_str(), name, std::string(300, 'e').c_str());
    EXPECT_STREQ(name, "") << "an over-long extension";
}

// A burst of names, as a collection of many messages asks for them: each
// one free and new, in the order handed out, also when another program
// takes the next number meanwhile.
TEST(SpoolDll, ABurstOfUniqueNamesStaysUniqueAndInOrder) {
    ScratchDir dir("burst");
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back(uniqueName(dir.path(), "txt"));
        ASSERT_FALSE(fileExists(names.back())) << names.back();
        ASSERT_TRUE(writeFile(names.back(), "m"));
        if (i == 150) {
            // The number after this one, taken behind the library's back.
            std::string taken = names.back();
            int next = std::stoi(taken.substr(taken.size() - 8, 4)) + 1;
            char digits[8];
            std::snprintf(digits, sizeof digits, "%04d", next);
            ASSERT_TRUE(writeFile(taken.substr(0, taken.size() - 8) + digits + ".txt", "other"));
        }
    }
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, names) << "in the order handed out";
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "each name once";
    for (const std::string& name : names) EXPECT_EQ(readFile(name), "m") << name;
}

TEST(SpoolDll, ListingSkipsFoldersAndLongNamesThatDoNotMatch) {
    ScratchDir dir("list");
    CreateDirectoryA(dir.file("sub.txt").c_str(), nullptr);
    CreateDirectoryA(dir.file("other").c_str(), nullptr);
    EXPECT_TRUE(listAll(dir.file("*.txt")).empty()) << "only folders";
    EXPECT_TRUE(listAll(dir.file("nowhere\\*.txt")).empty());

    for (const char* n : {"b.txt", "a.txt", "c.adr", "x.txtx", "ALSO.TXT"}) writeFile(dir.file(n), "m");
    EXPECT_EQ(listAll(dir.file("*.txt")), (std::vector<std::string>{"ALSO.TXT", "a.txt", "b.txt"}));
    EXPECT_EQ(listAll(dir.file("*")).size(), 5u);
    EXPECT_EQ(listAll(dir.file("c.adr")), std::vector<std::string>{"c.adr"});

    // A listing ended before its last name.
    char name[260];
    HANDLE listing = nullptr;
    ASSERT_EQ(ListFiles(dir.file("*.txt").c_str(), name, &listing), -1);
    ASSERT_NE(listing, nullptr);
    EndListFile(listing);
    EndListFile(nullptr);
    EXPECT_EQ(NextListFile(nullptr, name), 0);
    HANDLE none = nullptr;
    EXPECT_EQ(NextListFile(&none, name), 0);
}
