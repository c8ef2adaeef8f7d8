// The address lists: one file "<name>.txt" a list in the install folder's
// "address lists" folder, one address a line. The Address Lists page edits
// them; the Aliases page offers their names; reminders read them.
#pragma once

#include <string>
#include <vector>

namespace admin {

std::string addressListPath(const std::string& name);

// Creates the folder when it is missing.
void makeAddressListFolder();

// The lists' names (the files' names without ".txt"), sorted ignoring case.
std::vector<std::string> addressListNames();

// The addresses of a list, without empty lines; none when the file cannot
// be read.
std::vector<std::string> readAddressList(const std::string& name);

}  // namespace admin
