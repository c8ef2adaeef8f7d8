// "Select Destination" (dialog 161): where the viewer copies or moves the
// selected messages.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "monitor/viewer_folders.h"
#include "ui/modal.h"

namespace monitor {

extern const ui::WindowDefinition kSelectDestinationDialog;

struct TransferChoice {
    int destination;  // a node id
    bool move;
};

// Nothing when cancelled.
std::optional<TransferChoice> chooseDestination(HWND owner, const std::vector<Destination>& destinations);

}  // namespace monitor
