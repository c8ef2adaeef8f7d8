#include "admin/address_list_files.h"

#include <windows.h>

#include <algorithm>

#include "admin/page_text.h"
#include "frame/install_folder.h"
#include "frame/spool_files.h"

namespace admin {
namespace {

constexpr char kFolder[] = "\\address lists";
constexpr char kExtension[] = ".txt";

}  // namespace

std::string addressListPath(const std::string& name) {
    return util::installFile(kFolder) + "\\" + name + kExtension;
}

void makeAddressListFolder() { CreateDirectoryA(util::installFile(kFolder).c_str(), nullptr); }

std::vector<std::string> addressListNames() {
    std::vector<std::string> names = util::listFileNames(util::installFile(kFolder) + "\\*" + kExtension);
    for (std::string& name : names) name.resize(name.size() - (sizeof kExtension - 1));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

std::vector<std::string> readAddressList(const std::string& name) {
    std::optional<std::string> bytes = readFileBytes(addressListPath(name));
    return bytes ? nonEmptyLines(*bytes) : std::vector<std::string>{};
}

}  // namespace admin
