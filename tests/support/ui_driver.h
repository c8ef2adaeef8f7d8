// Drives the administration windows of the real DLL from the test thread:
// the sheet runs its modal loop, and the steps run from a timer inside it,
// finding windows by class, title and control id, clicking, typing and
// answering message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/install.h"
#include "support/win32_support.h"

namespace drive {

using testing_support::Install;

// Opens ShowMainConfig on startPage and runs steps with the sheet once it
// is shown; steps end the sheet (pressOk/pressCancel). Returns the export's
// result. A sheet left open is cancelled so a failing test cannot hang.
// The cursor is parked in the screen's corner first, so no tip appears
// unless a test asks for one.
int runSheet(int startPage, const std::function<void(HWND sheet)>& steps);
// The same, opened on the page with this title.
int runSheet(const std::string& title, const std::function<void(HWND sheet)>& steps);

HWND currentPage(HWND sheet);
HWND showPage(HWND sheet, int index);  // selects the page and returns it
HWND showPage(HWND sheet, const std::string& title);
// The titles of the sheet's pages (its tabs), in order.
std::vector<std::string> pageTitles(HWND sheet);
// The index of the sheet's page with this title (-1: none), by the list of
// pages (admin/pages.h).
int pageIndex(const std::string& title);
void pressApply(HWND sheet);
void pressOk(HWND sheet);
void pressCancel(HWND sheet);
// Whether the sheet's Apply is live: a page has reported a change.
bool applyEnabled(HWND sheet);

// Runs action with the window once it is shown. Between looks control goes
// back to the running modal loop (a dialog is shown only when its own loop
// goes idle). After about ms without it, runs action with null.
void whenShown(const std::string& className, const std::string& title, std::function<void(HWND)> action,
               DWORD ms = 10000);

// Waits (pumping) for a window of this thread; null when it never came.
HWND waitForWindow(const std::string& className, const std::string& title, DWORD ms = 3000);

void click(HWND dialog, int id);
void setText(HWND dialog, int id, const std::string& text);
std::string text(HWND dialog, int id);
bool checked(HWND dialog, int id);
bool enabled(HWND dialog, int id);
bool visible(HWND dialog, int id);
std::vector<std::string> listItems(HWND dialog, int id);
int listSelection(HWND dialog, int id);
void selectListItem(HWND dialog, int id, int index);  // as the user would: with LBN_SELCHANGE
std::vector<std::string> comboItems(HWND dialog, int id);
std::string comboSelection(HWND dialog, int id);

// Runs an action that is expected to show a message box with this title
// ("Error", "Warning", "Information"); returns the box's text ("" when none
// came) after pressing its OK.
std::string expectingBox(const std::string& title, const std::function<void()>& action);
inline std::string clickExpectingBox(HWND dialog, int id, const std::string& title) {
    return expectingBox(title, [&] { click(dialog, id); });
}
inline std::string clickExpectingError(HWND dialog, int id) { return clickExpectingBox(dialog, id, "Error"); }

// An entry a dialog refuses: the text typed into a control (control 0:
// nothing typed), the message the refusal shows ("": the entry is only
// typed, to set up the next), and the control with the focus afterwards
// (0: not checked).
struct Refusal {
    int control;
    std::string typed;
    std::string message;
    int focus = 0;
};
// Types each entry into dialog in turn and tries it with attempt, which
// returns the text of the message box it brought ("" when none came); each
// must be refused with its message and focus.
void expectRefusals(HWND dialog, const std::vector<Refusal>& entries, const std::function<std::string()>& attempt);

// The id of the dialog's control that has the focus (0: none of its own).
int focusedControl(HWND dialog);

// Clicks a control that opens a modal dialog titled title and runs steps
// on it; the steps close it. False when the dialog never appeared.
bool clickOpening(HWND dialog, int id, const std::string& title, const std::function<void(HWND)>& steps);

// The text of a message box of this thread (its longest static text).
std::string messageBoxText(HWND box);

// Scrambles as the library stores passwords (system key).
std::string scramble(const std::string& clear);
std::string unscramble(const std::string& stored);

}  // namespace drive
