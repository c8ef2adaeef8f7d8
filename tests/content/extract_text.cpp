// The portable core's scan and text extraction on one message file, for
// the comparison with another MIME parser: prints the scan's result and
// boundary, and for multipart/mixed extracts the text into OUT and prints
// the number of attachments left out.
//   extract_text MESSAGE OUT
#include <cstdio>
#include <string>

#include "content/mime_scan.h"
#include "content/text_extract.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: extract_text MESSAGE OUT\n");
        return 2;
    }
    util::FileSource message(argv[1]);
    if (!message.isOpen()) return 1;
    util::mime::MessageBoundary found = util::mime::findMimeBoundary(message);
    message.close();
    std::printf("kind %d\nboundary %s\n", found.kind, found.boundary.c_str());
    if (found.kind == util::mime::kMultipartMixed)
        std::printf("count %d\n", util::mime::extractMimeTextFile(argv[1], argv[2], "--" + found.boundary));
    return 0;
}
