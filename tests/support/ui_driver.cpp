#include "support/ui_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>

#include "admin/pages.h"
#include "utilities.h"

using namespace testing_support;

namespace drive {

namespace {
// How often a driver looks for the window it waits for.
constexpr DWORD kLookEvery = 10;
}  // namespace

void whenShown(const std::string& className, const std::string& title, std::function<void(HWND)> action,
               DWORD ms) {
    runLater(kLookEvery, [className, title, action, ms] {
        HWND found = findThreadWindow(className, title);
        if (found && IsWindowVisible(found)) {
            action(found);
        } else if (ms > kLookEvery) {
            whenShown(className, title, action, ms - kLookEvery);
        } else {
            action(nullptr);
        }
    });
}

int runSheet(int startPage, const std::function<void(HWND)>& steps) {
    SetCursorPos(0, 0);
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

int runSheet(const std::string& title, const std::function<void(HWND)>& steps) {
    int index = pageIndex(title);
    if (index < 0) {
        ADD_FAILURE() << "the sheet has no page \"" << title << "\"";
        return 0;
    }
    return runSheet(index, steps);
}

HWND currentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

HWND showPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    pumpFor(50);
    return currentPage(sheet);
}

HWND showPage(HWND sheet, const std::string& title) {
    int index = pageIndex(title);
    if (index < 0) {
        ADD_FAILURE() << "the sheet has no page \"" << title << "\"";
        return nullptr;
    }
    return showPage(sheet, index);
}

std::vector<std::string> pageTitles(HWND sheet) {
    std::vector<std::string> titles;
    HWND tabs = PropSheet_GetTabControl(sheet);
    int count = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
    }
    return titles;
}

int pageIndex(const std::string& title) { return admin::pageIndex(title); }

void expectRefusals(HWND dialog, const std::vector<Refusal>& entries, const std::function<std::string()>& attempt) {
    for (const Refusal& entry : entries) {
        if (entry.control) setText(dialog, entry.control, entry.typed);
        if (entry.message.empty()) continue;
        EXPECT_EQ(attempt(), entry.message) << "with \"" << entry.typed << "\" typed";
        if (entry.focus) EXPECT_EQ(focusedControl(dialog), entry.focus) << entry.message;
    }
}

int focusedControl(HWND dialog) {
    HWND focus = GetFocus();
    return focus && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : 0;
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
    pumpFor(30);
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
