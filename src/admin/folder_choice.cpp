#include "admin/folder_choice.h"

#include "admin/entry_rules.h"
#include "ui/common_dialogs.h"

namespace admin {

std::optional<std::string> chooseSettingsFolder(HWND owner) {
    std::optional<std::string> folder = ui::chooseFolder(owner, "Select Folder");
    if (!folder) return std::nullopt;
    return folderAsKept(*folder);
}

}  // namespace admin
