// Times the library's windows at size, as the administrator meets them: the
// settings sheet opened on a page and closed with OK (every shown page
// applies), the mailbox viewer choosing a folder and rescanning it, and
// "Mailbox Details" opening. It loads utilities.dll as the mail server does
// and prints one line of figures per run for bench/*.sh to read:
//   window_timing INSTALL sheet PAGE       -> "sheet: open MS apply MS"
//   window_timing INSTALL viewer NODE      -> "viewer: list MS refresh MS messages N"
//   window_timing INSTALL accounts         -> "accounts: open MS entries N"
// NODE is the viewer's folder: "in", "out" or an account's name.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "utilities.h"

namespace {

constexpr int kViewerTree = 1035;     // the viewer's folder tree
constexpr int kViewerList = 1050;     // its message list
constexpr int kAccountList = 1005;    // the accounts of "Mailbox Details"

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct FindWindowRequest {
    const char* title;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM lParam) {
    auto* request = reinterpret_cast<FindWindowRequest*>(lParam);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (IsWindowVisible(window) && lstrcmpA(title, request->title) == 0) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

// A shown window of this thread with this title.
HWND shownWindow(const char* title) {
    FindWindowRequest request{title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchTitle, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

// What the timer does once the awaited window is shown; a modal loop runs
// it, so the time up to then is the window's opening.
const char* awaitedTitle = nullptr;
double shownAt = 0;
void (*onShown)(HWND) = nullptr;

void CALLBACK poll(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = shownWindow(awaitedTitle);
    if (!window) return;
    KillTimer(nullptr, timer);
    shownAt = nowMs();
    onShown(window);
}

void await(const char* title, void (*action)(HWND)) {
    awaitedTitle = title;
    onShown = action;
    SetTimer(nullptr, 0, 1, poll);
}

// OK is carried out by the sheet's loop: every shown page applies, and the
// loop ends at the message after (posted behind the press).
double pressedAt = 0;

int sheet(int page) {
    await("Server Settings", [](HWND window) {
        pressedAt = nowMs();
        PropSheet_PressButton(window, PSBTN_OK);
        PostMessageA(window, WM_NULL, 0, 0);
    });
    const double start = nowMs();
    ShowMainConfig(nullptr, page);
    const double end = nowMs();
    if (shownAt == 0) return std::fprintf(stderr, "the sheet did not appear\n"), 1;
    std::printf("sheet: open %.1f apply %.1f\n", shownAt - start, end - pressedAt);
    return 0;
}

// The tree item with this label under parent (or among the top items).
HTREEITEM treeItem(HWND tree, HTREEITEM parent, const std::string& label) {
    HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        char text[256] = {};
        TVITEMA info{};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
        if (label == text) return item;
    }
    return nullptr;
}

int viewer(const std::string& node) {
    HWND window = ShowMailWindow(nullptr);
    if (!window) return std::fprintf(stderr, "the viewer did not open\n"), 1;
    HWND tree = GetDlgItem(window, kViewerTree);
    HTREEITEM item = nullptr;
    if (node == "in" || node == "out")
        item = treeItem(tree, treeItem(tree, nullptr, "System"), node == "in" ? "Incoming mail" : "Outgoing mail");
    else
        item = treeItem(tree, treeItem(tree, nullptr, "Mailboxes"), node);
    if (!item) return std::fprintf(stderr, "no folder %s in the tree\n", node.c_str()), 1;
    const double start = nowMs();
    TreeView_SelectItem(tree, item);
    const double listed = nowMs();
    RefreshView();
    const double refreshed = nowMs();
    const long count = static_cast<long>(SendDlgItemMessageA(window, kViewerList, LB_GETCOUNT, 0, 0));
    std::printf("viewer: list %.1f refresh %.1f messages %ld\n", listed - start, refreshed - listed, count);
    DestroyWindow(window);
    return 0;
}

long listedAccounts = -1;

int accounts() {
    await("Mailbox Details", [](HWND window) {
        listedAccounts = static_cast<long>(SendDlgItemMessageA(window, kAccountList, LB_GETCOUNT, 0, 0));
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    const double start = nowMs();
    ShowMboxConfig(nullptr);
    if (shownAt == 0) return std::fprintf(stderr, "the dialog did not appear\n"), 1;
    std::printf("accounts: open %.1f entries %ld\n", shownAt - start, listedAccounts);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_timing INSTALL sheet PAGE | viewer NODE | accounts\n");
        return 2;
    }
    SetPath(argv[1]);
    const std::string what = argv[2];
    if (what == "sheet" && argc > 3) return sheet(std::atoi(argv[3]));
    if (what == "viewer" && argc > 3) return viewer(argv[3]);
    if (what == "accounts") return accounts();
    std::fprintf(stderr, "unknown: %s\n", what.c_str());
    return 2;
}
