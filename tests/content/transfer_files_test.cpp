// The decoders and the encoder between real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "content/transfer_decoders.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

class TransferFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("mime_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        hooks_.logEvent = [this](std::string_view text, int category) {
            events_.push_back(std::string(text) + "/" + std::to_string(category));
        };
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }
    void write(const char* name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

    fs::path dir_;
    util::WorkHooks hooks_;
    std::vector<std::string> events_;
};

TEST_F(TransferFiles, EncoderLogsFilesItCannotOpen) {
    EXPECT_EQ(util::encodeBase64File(path("missing").c_str(), path("out").c_str(), hooks_), -1);
    write("in", "abc");
    EXPECT_EQ(util::encodeBase64File(path("in").c_str(), path("no/such/folder/out").c_str(), hooks_), -1);
    EXPECT_EQ(events_, (std::vector<std::string>{"Cannot open attachment file/3", "Cannot open output attachment file/3"}));
    EXPECT_FALSE(fs::exists(path("out")));
}

TEST_F(TransferFiles, DecodersFailOnFilesTheyCannotOpen) {
    write("in", "TWFu\r\n");
    std::int64_t position = 0;
    EXPECT_EQ(util::decodeBase64File(path("missing").c_str(), path("out").c_str(), {0, ""}, hooks_), -1);
    EXPECT_EQ(util::decodeQuotedFile(path("in").c_str(), path("no/out").c_str(), false, {0, ""}, hooks_), -1);
    EXPECT_EQ(util::decodeUuencodeFile(path("missing").c_str(), path("out").c_str(), position, "", hooks_), -1);
    EXPECT_EQ(util::decodeBinHexFile(path("in").c_str(), path("out").c_str(), path("no/tmp").c_str(), {0, ""}, hooks_),
              -1);
    EXPECT_TRUE(events_.empty());
}

#ifndef _WIN32
// A file size limit makes writes past it fall short, as a full disk would.
TEST_F(TransferFiles, EncoderDeletesItsOutputAfterAShortWrite) {
    write("big", std::string(300000, 'z'));
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int result = util::encodeBase64File(path("big").c_str(), path("big.b64").c_str(), hooks_);
    int decoded = util::decodeBase64File(path("big").c_str(), path("big.out").c_str(), {0, ""}, hooks_);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(fs::exists(path("big.b64")));
    EXPECT_TRUE(events_.empty());
    // A decoder reports the short write too, and leaves what it wrote.
    EXPECT_EQ(decoded, -1);
    EXPECT_TRUE(fs::exists(path("big.out")));
}
#endif

}  // namespace
