// Printing lines of text on the printer the user chooses in the system's
// print dialog. Windows that print a text (the mailbox viewer, the setup
// wizard's client settings) hand their lines here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// Opens the print dialog owned by owner (no page numbers, no selection) and
// prints the lines as the document named documentName: each from the left
// edge of the printable area in the printer's default font, broken and laid
// on pages as print_layout.h says, the whole repeated for the number of
// copies asked for. False when the dialog was cancelled or printing failed;
// a failure is told to the user in an "Error" box owned by owner.
bool printLines(HWND owner, const char* documentName, const std::vector<std::string>& lines);

}  // namespace ui
