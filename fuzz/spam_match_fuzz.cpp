// The indexed phrase matcher gives the plain rule's answer on any list and
// message, and reading a list file never fails on any bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/spam_list.h"
#include "content/spam_match.h"
#include "spam_reference.h"

using namespace util::spam;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    bool atRule = data[0] & 1;
    // The list's lines come first, up to a 0x01 byte; the message follows.
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t split = bytes.find('\x01');
    std::string listText = bytes.substr(0, split);
    std::string message = split == std::string::npos ? std::string() : bytes.substr(split + 1);

    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= listText.size();) {
        std::size_t end = listText.find('\n', start);
        if (end == std::string::npos) end = listText.size();
        lines.push_back(listText.substr(start, end - start));
        start = end + 1;
    }
    PhraseList list;
    for (const auto& line : lines) list.addLine(line);
    MemorySource source(message);
    std::string matched;
    bool hit = matchMessage(list, source, atRule ? AtRule::on : AtRule::off, &matched);
    auto expected = spam_reference::match(lines, message, atRule);
    if (hit != expected.has_value() || (hit && matched != *expected)) std::abort();

    PhraseList fromFile;
    MemorySource file(listText);
    if (loadListLines(fromFile, file) > lines.size()) std::abort();
    return 0;
}
