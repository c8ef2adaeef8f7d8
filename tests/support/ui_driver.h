// Drives the administration windows of the real DLL from the test thread:
// the sheet runs its modal loop, and the steps run from a timer inside it,
// finding windows by class, title and control id, clicking, typing and
// answering message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win32_support.h"

namespace drive {

// A scratch install folder with the given ms.ini text, made current with
// SetPath. The cursor is parked in the screen's corner so no tip appears
// unless a test asks for one.
class Install {
public:
    explicit Install(const std::string& iniText = "");
    std::string ini(const std::string& section, const std::string& key, const std::string& fallback = "<none>") const;
    std::vector<std::string> keys(const std::string& section) const;
    void set(const std::string& section, const std::string& key, const std::string& value) const;
    std::string iniPath() const { return dir_.file("ms.ini"); }
    std::string file(const std::string& name) const { return dir_.file(name); }

private:
    testing_support::ScratchDir dir_;
};

// Opens ShowMainConfig on startPage and runs steps with the sheet once it
// is shown; steps end the sheet (pressOk/pressCancel). Returns the export's
// result. A sheet left open is cancelled so a failing test cannot hang.
int runSheet(int startPage, const std::function<void(HWND sheet)>& steps);

HWND currentPage(HWND sheet);
HWND showPage(HWND sheet, int index);  // selects the page and returns it
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

// Clicks a control that opens a modal dialog titled title and runs steps
// on it; the steps close it. False when the dialog never appeared.
bool clickOpening(HWND dialog, int id, const std::string& title, const std::function<void(HWND)>& steps);

// The text of a message box of this thread (its longest static text).
std::string messageBoxText(HWND box);

// Scrambles as the library stores passwords (system key).
std::string scramble(const std::string& clear);
std::string unscramble(const std::string& stored);

}  // namespace drive
