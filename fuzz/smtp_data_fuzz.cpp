// The message text on the wire: whatever the file holds, undoing the dot
// stuffing and the line ends gives the file's lines back, and no line of
// the wire text is a lone "." (which would end the data early).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "transport/smtp_address.h"
#include "transport/smtp_data.h"
#include "transport/smtp_relay.h"

namespace {
class Collect : public util::DataSink {
public:
    std::string bytes;
    bool proceed() override { return true; }
    bool write(std::string_view b) override {
        bytes.append(b);
        return true;
    }
    void sent(std::uint64_t) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    util::parseRelayRecord(input);
    std::vector<std::string> addresses;
    util::recipientAddresses(input, addresses);
    util::senderAddress(input);
    util::headerKind(input);

    std::FILE* f = fmemopen(const_cast<char*>(input.data()), size ? size : 1, "rb");
    if (!f) return 0;
    util::SpoolLineReader reader(f, size % 7 + 1);
    Collect sink;
    if (size && util::writeMessageData(reader, {}, sink) != util::DataOutcome::Sent) std::abort();
    std::fclose(f);
    // Every wire line ends in CR LF except perhaps the last; ".\r\n" never appears alone.
    std::string& w = sink.bytes;
    for (std::size_t start = 0; start < w.size();) {
        std::size_t lf = w.find("\r\n", start);
        std::string line = w.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        if (line == "." && lf != std::string::npos) std::abort();
        if (lf == std::string::npos) break;
        start = lf + 2;
    }
    return 0;
}
