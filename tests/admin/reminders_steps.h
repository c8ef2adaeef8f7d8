// Steps on the "Auto Email" editor and the system's open-file dialog that
// the Reminders page's tests share.
#pragma once

#include <windows.h>

#include <string>

#include "admin/auto_email_ids.h"
#include "support/ui_driver.h"

namespace drive {

// The steps of a spin, as the user's up and down arrows in its edit.
inline void spin(HWND dialog, int edit, int steps) {
    HWND control = GetDlgItem(dialog, edit);
    WPARAM key = steps > 0 ? VK_UP : VK_DOWN;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) {
        SendMessageA(control, WM_KEYDOWN, key, 0);
        SendMessageA(control, WM_KEYUP, key, 0);
    }
}

// Chooses a combo entry as the user would (with the selection notice).
inline void choose(HWND dialog, int id, const std::string& entry) {
    HWND combo = GetDlgItem(dialog, id);
    int index = static_cast<int>(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(entry.c_str())));
    if (index < 0) return;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Fills what every accepted reminder needs: an address, a subject, a line.
inline void fillMessage(HWND editor) {
    click(editor, IDC_AUTO_TO_ADDRESSES);
    setText(editor, IDC_AUTO_ADDRESSES, "Ann <ann@example.org>, bob@example.org");
    setText(editor, IDC_AUTO_SUBJECT, "Monthly stock take");
    setText(editor, IDC_AUTO_LINE1, "Please count the shelves.");
    setText(editor, IDC_AUTO_LINE3, "Thank you");
}

// Chooses a file in the system's open-file dialog: its name (or path,
// relative to the folder shown) typed into the name field, then Open.
inline void chooseFile(HWND chooser, const std::string& name) {
    HWND field = GetDlgItem(chooser, 0x47c);  // the name box (cmb13), or the older edit (edt1)
    if (!field) field = GetDlgItem(chooser, 0x480);
    HWND combo = FindWindowExA(field, nullptr, "ComboBox", nullptr);
    HWND edit = FindWindowExA(combo ? combo : field, nullptr, "Edit", nullptr);
    SetWindowTextA(edit ? edit : field, name.c_str());
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
}

}  // namespace drive
