// Host commands for MIME scanning, the transfer decoders and encoder and
// the text extraction. Each prints the export's result and how long the
// call took, so the decoders can be run and timed by hand.
#include <cstdio>
#include <string>

#include "commands.h"

namespace host {
namespace {

// Milliseconds taken by a call.
template <typename Call>
double timed(Call&& call) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    call();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int boundaryCmd(Host& h, const Args& a) {
    char boundary[2048] = {};
    int code = h.library.get<decltype(&FindMimeBoundary)>("FindMimeBoundary")(a[0].c_str(), boundary);
    std::printf("boundary: %d %s\n", code, boundary);
    return 0;
}

int findPosCmd(Host& h, const Args& a) {
    unsigned int counter = 0;
    char part[256] = {};
    int position = h.library.get<decltype(&FindBoundaryPos)>("FindBoundaryPos")(
        a[0].c_str(), a[1].c_str(), toInt(a[2]), nullptr, &counter, part, toInt(a[3]), toInt(a[4]));
    std::printf("findpos: %d counter %u part %s\n", position, counter, part);
    return 0;
}

// Every attachment of a multipart/mixed message, one call each, resuming
// after the one found before.
int attachmentsCmd(Host& h, const Args& a) {
    auto findBoundary = h.library.get<decltype(&FindMimeBoundary)>("FindMimeBoundary");
    auto findPos = h.library.get<decltype(&FindBoundaryPos)>("FindBoundaryPos");
    char boundary[2048] = {};
    if (findBoundary(a[0].c_str(), boundary) != 1) {
        std::printf("attachments: not multipart/mixed\n");
        return 0;
    }
    std::string delimiter = std::string("--") + boundary;
    unsigned int counter = 0;
    int offset = 0, found = 0;
    double ms = timed([&] {
        for (;;) {
            char part[256] = {};
            int position = findPos(a[0].c_str(), delimiter.c_str(), found + 1, nullptr, &counter, part, offset, found);
            if (position < 0) break;
            ++found;
            std::printf("attachment %d: %d %s\n", found, position, part);
            offset = position;
        }
    });
    std::printf("attachments: %d (%.1f ms)\n", found, ms);
    return 0;
}

int report(const char* name, int result, double ms) {
    std::printf("%s: %d (%.1f ms)\n", name, result, ms);
    return 0;
}

int decode64Cmd(Host& h, const Args& a) {
    auto decode = h.library.get<decltype(&DecodeBase64)>("DecodeBase64");
    int result = 0;
    double ms = timed([&] { result = decode(a[0].c_str(), a[1].c_str(), toInt(a[2]), a[3].c_str()); });
    return report("decode64", result, ms);
}

int decodeQpCmd(Host& h, const Args& a) {
    auto decode = h.library.get<decltype(&DecodeQuoted)>("DecodeQuoted");
    int result = 0;
    double ms =
        timed([&] { result = decode(a[0].c_str(), a[1].c_str(), toInt(a[2]), toInt(a[3]), a[4].c_str()); });
    return report("decodeqp", result, ms);
}

int decodeUuCmd(Host& h, const Args& a) {
    auto decode = h.library.get<decltype(&DecodeMimeUU)>("DecodeMimeUU");
    int position = toInt(a[2]), result = 0;
    double ms = timed([&] { result = decode(a[0].c_str(), a[1].c_str(), &position, a[3].c_str()); });
    std::printf("decodeuu: %d position %d (%.1f ms)\n", result, position, ms);
    return 0;
}

int decodeBinHexCmd(Host& h, const Args& a) {
    auto decode = h.library.get<decltype(&DecodeBinHex)>("DecodeBinHex");
    int result = 0;
    double ms = timed(
        [&] { result = decode(a[0].c_str(), a[1].c_str(), a[2].c_str(), toInt(a[3]), a[4].c_str()); });
    return report("decodebinhex", result, ms);
}

int encode64Cmd(Host& h, const Args& a) {
    auto encode = h.library.get<decltype(&EncodeBase64)>("EncodeBase64");
    int result = 0;
    double ms = timed([&] { result = encode(a[0].c_str(), a[1].c_str()); });
    return report("encode64", result, ms);
}

int extractCmd(Host& h, const Args& a) {
    char boundary[2048] = {};
    if (h.library.get<decltype(&FindMimeBoundary)>("FindMimeBoundary")(a[0].c_str(), boundary) != 1) {
        std::printf("extract: not multipart/mixed\n");
        return 0;
    }
    std::string delimiter = std::string("--") + boundary;
    int count = h.library.get<decltype(&ExtractMimeText)>("ExtractMimeText")(a[0].c_str(), a[1].c_str(),
                                                                           delimiter.c_str(), nullptr, 0);
    std::printf("extract: %d\n", count);
    return 0;
}

const Command contentCommands[] = {
    {"boundary", 1, "FILE: FindMimeBoundary", boundaryCmd},
    {"findpos", 5, "FILE DELIMITER WANTED OFFSET STARTCOUNT: FindBoundaryPos", findPosCmd},
    {"attachments", 1, "FILE: every attachment of a multipart/mixed message", attachmentsCmd},
    {"decode64", 4, "IN OUT OFFSET DELIMITER: DecodeBase64", decode64Cmd},
    {"decodeqp", 5, "IN OUT COPYHEADERS OFFSET DELIMITER: DecodeQuoted", decodeQpCmd},
    {"decodeuu", 4, "IN OUT POSITION DELIMITER: DecodeMimeUU", decodeUuCmd},
    {"decodebinhex", 5, "IN OUT TEMP OFFSET DELIMITER: DecodeBinHex", decodeBinHexCmd},
    {"encode64", 2, "IN OUT: EncodeBase64", encode64Cmd},
    {"extract", 2, "IN OUT: ExtractMimeText with the message's own boundary", extractCmd},
};
HOST_COMMANDS(contentCommands);

}  // namespace
}  // namespace host
