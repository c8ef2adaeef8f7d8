// The folder a page's "Set Folder" or "Browse" button chooses.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace admin {

// The system's folder chooser ("Select Folder"); a drive root comes back
// with its backslash. Nothing when cancelled.
std::optional<std::string> chooseSettingsFolder(HWND owner);

}  // namespace admin
