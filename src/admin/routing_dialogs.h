// The Routing page's own dialogs: "Filters" (dialog 203) for a new
// filter's name or an e-mail address, "Select..." (219) for one of many
// choices, "Auto Printing" (222) and "Relay Options" (255) for the
// parameters of the print and relay actions. None writes ms.ini: each
// hands its answer to the page.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/modal.h"

namespace admin {

extern const ui::WindowDefinition kFiltersDialog;
extern const ui::WindowDefinition kSelectChoiceDialog;
extern const ui::WindowDefinition kAutoPrintingDialog;
extern const ui::WindowDefinition kRelayOptionsDialog;

struct FiltersRequest {
    const char* caption;
    const char* prompt;
    std::string initial;
    bool addressMode = false;  // the applies-to buttons are hidden
};

struct FiltersAnswer {
    std::string text;  // empty when cancelled
    int appliesTo = 0;
};

// Opens centred with the initial text selected ("All mail" ticked); a text
// holding "~" is refused.
FiltersAnswer runFiltersDialog(HWND owner, const FiltersRequest& request);

// Placed beside the anchor (screen coordinates), kept on the screen, with
// the first choice selected; the chosen text, or empty when cancelled.
std::string runSelectChoiceDialog(HWND owner, const std::string& title, const std::vector<std::string>& choices,
                                  const RECT& anchor);

// The print action's parameter, "Header: on" or "Header: off"; nothing
// when cancelled.
std::optional<std::string> runAutoPrintingDialog(HWND owner, const std::string& parameter);

// The relay action's parameter after the checks passed; nothing when
// cancelled.
std::optional<std::string> runRelayOptionsDialog(HWND owner, const std::string& parameter);

}  // namespace admin
