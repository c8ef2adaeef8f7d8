// Runs a check over an input handed out whole, one byte at a time, and cut
// in two at every position: stream code must not depend on where reads end.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "content/byte_stream.h"

namespace content_test {

// Hands out the bytes before `cut` and the rest in separate reads.
class CutSource final : public util::ByteSource {
public:
    CutSource(std::string_view data, std::size_t cut) : data_(data), cut_(cut) {}
    std::size_t read(char* buffer, std::size_t size) override {
        std::size_t end = at_ < cut_ ? cut_ : data_.size();
        std::size_t n = std::min(size, end - at_);
        std::memcpy(buffer, data_.data() + at_, n);
        at_ += n;
        return n;
    }
    bool seek(std::uint64_t position) override {
        at_ = static_cast<std::size_t>(std::min<std::uint64_t>(position, data_.size()));
        return true;
    }
    bool failed() const override { return false; }

private:
    std::string_view data_;
    std::size_t cut_;
    std::size_t at_ = 0;
};

// Calls check(source, how) for each way of handing out input.
inline void forEachSplit(std::string_view input,
                         const std::function<void(util::ByteSource&, const std::string&)>& check) {
    util::MemorySource whole(input);
    check(whole, "whole");
    util::MemorySource bytewise(input, 1);
    check(bytewise, "byte by byte");
    for (std::size_t cut = 1; cut < input.size(); ++cut) {
        CutSource source(input, cut);
        check(source, "cut at " + std::to_string(cut));
    }
}

}  // namespace content_test
