// Drives the setup wizard of the real library: RunWizard runs its modal
// loop, and the steps run from a timer inside it, pressing the wizard's
// buttons and answering the message boxes they bring.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "support/ui_driver.h"
#include "utilities.h"

namespace drive {

using testing_support::findThreadWindow;
using testing_support::pumpFor;
using testing_support::runLater;

// The wizard's pages, in order.
enum WizardPageIndex { kDomainPage, kConnectionPage, kRelayPage, kMailboxPage, kUserPage };

// Runs RunWizard with steps once the wizard is shown and returns its result.
// A wizard (or "Mail Client Information") the steps left open is cancelled.
inline int runWizard(const std::function<void(HWND sheet)>& steps) {
    whenShown("#32770", "Server Settings", [steps](HWND sheet) {
        if (!sheet) {
            ADD_FAILURE() << "the wizard did not appear";
            return;
        }
        steps(sheet);
        runLater(3000, [sheet] {
            if (IsWindow(sheet)) {
                ADD_FAILURE() << "the steps left the wizard open";
                pressCancel(sheet);
            }
            if (HWND info = findThreadWindow("#32770", "Mail Client Information")) {
                ADD_FAILURE() << "the steps left Mail Client Information open";
                SendMessageA(info, WM_COMMAND, IDCANCEL, 0);
            }
        });
    });
    return RunWizard(nullptr);
}

// Presses a wizard button (PSBTN_NEXT, PSBTN_BACK, PSBTN_FINISH) and returns
// the page shown afterwards.
inline HWND press(HWND sheet, int button) {
    PropSheet_PressButton(sheet, button);
    pumpFor(50);
    return currentPage(sheet);
}

// Presses a button that is expected to bring a message box titled title;
// returns the box's text ("" when none came) after pressing its OK.
inline std::string pressExpecting(HWND sheet, int button, const std::string& title = "Error") {
    auto seen = std::make_shared<std::string>();
    whenShown("#32770", title, [seen](HWND box) {
        if (!box) return;
        *seen = messageBoxText(box);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    press(sheet, button);
    pumpFor(30);
    return *seen;
}

// Runs steps on "Mail Client Information" once it is shown (after Finish);
// the steps close it.
inline void whenClientInformation(const std::function<void(HWND)>& steps) {
    whenShown("#32770", "Mail Client Information", [steps](HWND dialog) {
        if (!dialog) {
            ADD_FAILURE() << "Mail Client Information did not appear";
            return;
        }
        steps(dialog);
    });
}

}  // namespace drive
