#include "admin/entry_rules.h"

#include "connect/dial_session.h"

namespace admin {

bool isFilled(const std::string& text) { return !text.empty(); }

bool isPositiveDecimal(const std::string& text) {
    return !text.empty() && util::decimalValue(text) > 0;
}

bool isNonZeroDecimal(const std::string& text) {
    return !text.empty() && util::decimalValue(text) != 0;
}

std::string folderAsKept(std::string folder) {
    if (folder.size() == 2) folder += '\\';
    return folder;
}

std::string subfolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path + std::string(name);
}

bool looksLikeAddress(std::string_view text) { return text.find('@') != std::string_view::npos; }

}  // namespace admin
