#include "frame/settings.h"

#include <cstring>

namespace cfg {

std::string numbered(const char* pattern, int number) {
    std::string text(pattern ? pattern : "");
    std::size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
    return text;
}

}  // namespace cfg
