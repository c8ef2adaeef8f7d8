// Every control that a window's data names (its tips, bindings, enabling
// rules and entry checks) exists on that window's template in the built
// utilities.dll, so a mistyped id cannot ship.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "admin/pages.h"
#include "admin/window_list.h"
#include "support/win32_support.h"

namespace {

INT_PTR CALLBACK plainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(WindowIds, EveryNamedControlIsOnItsTemplateInTheBuiltLibrary) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HMODULE library = LoadLibraryExA((testing_support::exeFolder() + "\\utilities.dll").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(library, nullptr);
    // Pages are child windows: they need a parent to be made at all.
    HWND parent = CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    int windows = 0, named = 0;
    for (const admin::NamedControls& window : admin::administrationWindows()) {
        HWND dialog = CreateDialogParamA(library, MAKEINTRESOURCEA(window.dialog), parent, plainProc, 0);
        ASSERT_NE(dialog, nullptr) << "template " << window.dialog;
        ++windows;
        for (int id : window.controls) {
            ++named;
            EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "control " << id << " is not on template " << window.dialog;
        }
        DestroyWindow(dialog);
    }
    EXPECT_GE(windows, static_cast<int>(admin::kPageCount) + 3) << "the pages and their dialogs";
    EXPECT_GT(named, 200);
    DestroyWindow(parent);
    FreeLibrary(library);
}

}  // namespace
