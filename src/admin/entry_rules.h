// Text rules of the Dialup, Options and Attachments pages: what their
// checks accept, the folders that the folder choosers and the archive
// give, and a sender address. Portable: the pages only show the result.
#pragma once

#include <string>
#include <string_view>

namespace admin {

// Not empty.
bool isFilled(const std::string& text);
// Not empty and, read as a decimal number (atoi), above 0 / not 0.
bool isPositiveDecimal(const std::string& text);
bool isNonZeroDecimal(const std::string& text);

// A folder as a page keeps it: a drive root of two characters ("C:") gets
// its backslash.
std::string folderAsKept(std::string folder);

// A folder inside another, joined by one backslash.
std::string subfolder(std::string_view folder, std::string_view name);

// An entry the Attachments page takes as a sender address (it holds "@").
bool looksLikeAddress(std::string_view text);

}  // namespace admin
