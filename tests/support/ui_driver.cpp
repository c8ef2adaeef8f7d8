#include "ui_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "utilities.h"

using namespace testing_support;

namespace drive {

Install::Install(const std::string& iniText) : dir_("admin") {
    writeFile(dir_.file("ms.ini"), iniText);
    SetPath(dir_.path().c_str());
    SetCursorPos(0, 0);
}

std::string Install::ini(const std::string& section, const std::string& key, const std::string& fallback) const {
    char value[2048] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value, sizeof value, iniPath().c_str());
    return value;
}

std::vector<std::string> Install::keys(const std::string& section) const {
    std::vector<char> buffer(32768);
    DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), iniPath().c_str());
    std::vector<std::string> result;
    for (DWORD i = 0; i < n;) {
        std::string key = buffer.data() + i;
        if (key.empty()) break;
        result.push_back(key);
        i += static_cast<DWORD>(key.size()) + 1;
    }
    return result;
}

void Install::set(const std::string& section, const std::string& key, const std::string& value) const {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), iniPath().c_str());
}

void whenShown(const std::string& className, const std::string& title, std::function<void(HWND)> action,
               DWORD ms) {
    runLater(50, [className, title, action, ms] {
        HWND found = findThreadWindow(className, title);
        if (found && IsWindowVisible(found)) {
            action(found);
        } else if (ms > 50) {
            whenShown(className, title, action, ms - 50);
        } else {
            action(nullptr);
        }
    });
}

int runSheet(int startPage, const std::function<void(HWND)>& steps) {
    whenShown("#32770", "Server Settings", [steps](HWND sheet) {
        if (!sheet) {
            ADD_FAILURE() << "the sheet did not appear";
            return;
        }
        steps(sheet);
        // The sheet goes once its loop runs again; one still there later
        // was left open by the steps.
        runLater(3000, [sheet] {
            if (!IsWindow(sheet)) return;
            ADD_FAILURE() << "the steps left the sheet open";
            pressCancel(sheet);
        });
    });
    return ShowMainConfig(nullptr, startPage);
}

HWND currentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

HWND showPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    pumpFor(50);
    return currentPage(sheet);
}

void pressApply(HWND sheet) {
    PropSheet_PressButton(sheet, PSBTN_APPLYNOW);
    pumpFor(50);
}
void pressOk(HWND sheet) {
    PropSheet_PressButton(sheet, PSBTN_OK);
    pumpFor(50);
}
void pressCancel(HWND sheet) {
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
    pumpFor(50);
}

bool applyEnabled(HWND sheet) { return IsWindowEnabled(GetDlgItem(sheet, 0x3021 /* Apply */)) != FALSE; }

HWND waitForWindow(const std::string& className, const std::string& title, DWORD ms) {
    HWND found = nullptr;
    waitUntil([&] {
        found = findThreadWindow(className, title);
        return found && IsWindowVisible(found);
    }, ms);
    return found && IsWindowVisible(found) ? found : nullptr;
}

void click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void setText(HWND dialog, int id, const std::string& value) {
    SetDlgItemTextA(dialog, id, value.c_str());
}

std::string text(HWND dialog, int id) {
    char value[2048] = {};
    GetDlgItemTextA(dialog, id, value, sizeof value);
    return value;
}

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

std::vector<std::string> listItems(HWND dialog, int id) {
    std::vector<std::string> items;
    int n = static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char value[2048] = {};
        SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(value));
        items.push_back(value);
    }
    return items;
}

int listSelection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0)); }

void selectListItem(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> comboItems(HWND dialog, int id) {
    std::vector<std::string> items;
    int n = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char value[2048] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(value));
        items.push_back(value);
    }
    return items;
}

std::string comboSelection(HWND dialog, int id) {
    int index = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
    if (index < 0) return "";
    char value[2048] = {};
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value));
    return value;
}

namespace {
BOOL CALLBACK longestStatic(HWND child, LPARAM lParam) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        char value[2048] = {};
        GetWindowTextA(child, value, sizeof value);
        auto* best = reinterpret_cast<std::string*>(lParam);
        if (std::string(value).size() > best->size()) *best = value;
    }
    return TRUE;
}
}  // namespace

std::string messageBoxText(HWND box) {
    std::string best;
    EnumChildWindows(box, longestStatic, reinterpret_cast<LPARAM>(&best));
    return best;
}

std::string expectingBox(const std::string& title, const std::function<void()>& action) {
    auto seen = std::make_shared<std::string>();
    whenShown("#32770", title, [seen](HWND box) {
        if (!box) return;
        *seen = messageBoxText(box);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    action();
    pumpFor(100);
    return *seen;
}

bool clickOpening(HWND dialog, int id, const std::string& title, const std::function<void(HWND)>& steps) {
    auto opened = std::make_shared<bool>(false);
    whenShown("#32770", title, [opened, title, steps](HWND box) {
        if (!box) return;
        *opened = true;
        steps(box);
        if (IsWindow(box) && IsWindowVisible(box)) {
            ADD_FAILURE() << "the steps left \"" << title << "\" open";
            SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        }
    });
    click(dialog, id);
    pumpFor(50);
    return *opened;
}

std::string scramble(const std::string& clear) {
    std::string out(clear.size() + 1, '\0');
    Crypt("qelvoran", clear.c_str(), out.data(), 1);
    out.resize(clear.size());
    return out;
}

std::string unscramble(const std::string& stored) {
    std::string out(stored.size() + 1, '\0');
    Crypt("qelvoran", stored.c_str(), out.data(), 0);
    out.resize(stored.size());
    return out;
}

}  // namespace drive
