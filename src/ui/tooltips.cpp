#include "ui/tooltips.h"

#include <cstring>

#include "frame/export_guard.h"
#include "frame/message_pump.h"
#include "frame/profile.h"
#include "ui/dialog.h"
#include "ui/subclass.h"
#include "utilities.h"

namespace ui {
namespace {

constexpr const char* kTipClass = "ms-tip";
constexpr UINT kPollMs = 500;
constexpr UINT kWatchMs = 100;
constexpr COLORREF kShadow = RGB(150, 150, 150);

// One registration, kept in movable global memory locked while listed.
struct Registration {
    Registration* next;
    Registration* previous;
    unsigned depth;
    int mode;
    HWND window;
    HGLOBAL memory;
};

struct TipState {
    Registration* head;
    Registration* tail;
    HWND tip;             // the tip window shown, or null
    UINT_PTR pollTimer;
    UINT_PTR watchTimer;
    HWND lastControl;     // the control under the cursor at the previous poll
    POINT lastCursor;
    int stillCount;
    POINT suppress;       // no tip while the cursor stays here; (-1, -1): none
    char text[kTipBufferSize + 2];
    HWND control;         // the control the tip belongs to (subclassed)
    bool hooked;  // the control's messages seen first while the tip is up
    HFONT font;
};
constinit TipState state{};

int registrationCount() {
    int n = 0;
    for (Registration* r = state.head; r; r = r->next) ++n;
    return n;
}

// Bubble sort by ascending depth; equal depths keep their order.
void sortRegistrations() {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (Registration* r = state.head; r && r->next; r = r->next) {
            Registration* n = r->next;
            if (r->depth <= n->depth) continue;
            // Swap r and n in the list.
            Registration* before = r->previous;
            Registration* after = n->next;
            if (before) before->next = n; else state.head = n;
            if (after) after->previous = r; else state.tail = r;
            n->previous = before;
            n->next = r;
            r->previous = n;
            r->next = after;
            swapped = true;
            r = n;  // continue from the swapped pair's second element
        }
    }
}

void resetSuppression() { state.suppress = POINT{-1, -1}; }

HFONT tipFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return CreateFontIndirectA(&metrics.lfStatusFont);
    LOGFONTA font{};
    font.lfHeight = 8;
    font.lfWeight = 300;
    font.lfPitchAndFamily = VARIABLE_PITCH;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    return CreateFontIndirectA(&font);
}

void destroyTip() {
    if (state.tip) DestroyWindow(state.tip);
}

void CALLBACK watchTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!state.tip) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    if (under != state.tip && under != state.control) destroyTip();
}

// The control's messages while its tip is shown: a click or a key removes
// the tip and marks the cursor position so that no tip comes back there.
bool controlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void*, LRESULT& result) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        GetCursorPos(&state.suppress);
        POINT saved = state.suppress;
        destroyTip();  // gives the control its own procedure back
        util::dispatchWaitingMessages();
        state.suppress = saved;
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        result = SendMessageA(window, message, wParam, MAKELPARAM(cursor.x, cursor.y));
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR: {
        GetCursorPos(&state.suppress);
        POINT saved = state.suppress;
        result = Subclass::passOn(window, message, wParam, lParam);
        destroyTip();
        state.suppress = saved;
        return true;
    }
    default:
        return false;
    }
}

void paintTip(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT r{};
    GetClientRect(window, &r);
    HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
    FillRect(dc, &r, background);
    DeleteObject(background);

    HGDIOBJ oldFont = SelectObject(dc, state.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    TextOutA(dc, 1, 1, state.text, static_cast<int>(std::strlen(state.text)));
    SelectObject(dc, oldFont);

    // A black frame with the bottom-left and top-right corners clipped,
    // and a two-pixel grey shadow inside the bottom and right edges.
    HPEN shadow = CreatePen(PS_SOLID, 1, kShadow);
    HGDIOBJ oldPen = SelectObject(dc, shadow);
    const int right = r.right - 1, bottom = r.bottom - 1;
    for (int i = 1; i <= 2; ++i) {
        MoveToEx(dc, 1 + i, bottom - i, nullptr);
        LineTo(dc, right - i, bottom - i);
        MoveToEx(dc, right - i, 1 + i, nullptr);
        LineTo(dc, right - i, bottom - i + 1);
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(shadow);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, right - 1, 0);
    MoveToEx(dc, right, 1, nullptr);
    LineTo(dc, right, bottom + 1);
    MoveToEx(dc, right, bottom, nullptr);
    LineTo(dc, 0, bottom);
    MoveToEx(dc, 0, bottom - 1, nullptr);
    LineTo(dc, 0, -1);
    SelectObject(dc, oldPen);
    EndPaint(window, &paint);
}

LRESULT CALLBACK tipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        resetSuppression();
        state.tip = window;
        state.watchTimer = SetTimer(nullptr, 0, kWatchMs, watchTimer);
        if (state.control) state.hooked = Subclass::attach(state.control, controlMessage);
        return 0;
    }
    case WM_DESTROY:
        if (state.watchTimer) KillTimer(nullptr, state.watchTimer);
        state.watchTimer = 0;
        if (state.control && state.hooked && IsWindow(state.control)) Subclass::detach(state.control, controlMessage);
        state.hooked = false;
        state.control = nullptr;
        state.tip = nullptr;
        if (state.font) DeleteObject(state.font);
        state.font = nullptr;
        return 0;
    case WM_PAINT:
        paintTip(window);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void showTip(HWND control, POINT cursor, const char* text) {
    std::size_t length = std::strlen(text);
    if (length > kTipBufferSize - 1) length = kTipBufferSize - 1;
    state.text[0] = ' ';
    std::memcpy(state.text + 1, text, length);
    state.text[length + 1] = ' ';
    state.text[length + 2] = '\0';

    state.font = tipFont();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, state.font);
    SIZE size{};
    GetTextExtentPoint32A(dc, state.text, static_cast<int>(length + 2), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    const int width = size.cx + 4, height = size.cy + 4;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int x = cursor.x + GetSystemMetrics(SM_CXCURSOR) / 2;
    if (x + width > screenW) x = screenW - width - 4;
    int y = cursor.y + GetSystemMetrics(SM_CYCURSOR) / 8;
    if (y + height > screenH) y = screenH - height - 4;

    state.control = control;
    HWND tip = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, kTipClass, state.text, WS_POPUP, x, y, width,
                               height, GetParent(control), nullptr, moduleInstance(), nullptr);
    if (!tip) {
        state.control = nullptr;
        if (state.font) DeleteObject(state.font);
        state.font = nullptr;
        return;
    }
    ShowWindow(tip, SW_SHOWNOACTIVATE);
}

HWND ancestor(HWND window, unsigned steps) {
    for (unsigned i = 0; i < steps && window; ++i) window = GetParent(window);
    return window;
}

void CALLBACK pollTimer(HWND, UINT, UINT_PTR, DWORD) {
    try {
        if (util::read(cfg::kTooltipsUse) == 0 || state.tip || !state.head) return;
        POINT cursor{};
        GetCursorPos(&cursor);
        if (cursor.x == state.suppress.x && cursor.y == state.suppress.y) return;
        resetSuppression();

        HWND control = WindowFromPoint(cursor);
        if (!control || GetDlgCtrlID(control) == 0 || !GetParent(control)) {
            state.stillCount = 0;
            return;
        }
        Registration* match = nullptr;
        for (Registration* r = state.head; r; r = r->next) {
            if (ancestor(control, r->depth) == r->window) {
                match = r;
                break;
            }
        }
        if (!match) {
            state.stillCount = 0;
            return;
        }

        char text[kTipBufferSize] = {};
        if (match->mode == 0) {
            SendMessageA(GetParent(control), kTipRequest, static_cast<WPARAM>(GetDlgCtrlID(control)),
                         reinterpret_cast<LPARAM>(text));
        } else {
            LRESULT answer = SendMessageA(match->window, kTipRequest, reinterpret_cast<WPARAM>(control), 0);
            if (answer) GetWindowTextA(reinterpret_cast<HWND>(answer), text, sizeof text);
        }
        text[sizeof text - 1] = '\0';
        if (!text[0]) {
            state.stillCount = 0;
            return;
        }
        if (control != state.lastControl) {
            state.stillCount = 0;
            state.lastControl = control;
            return;
        }
        if (cursor.x != state.lastCursor.x || cursor.y != state.lastCursor.y) {
            state.stillCount = 0;
            state.lastCursor = cursor;
            return;
        }
        UINT hover = 0;
        if (!SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hover, 0) || hover == 0) hover = 1000;
        ++state.stillCount;
        if (static_cast<UINT>(state.stillCount) * kPollMs <= hover) return;
        state.stillCount = 0;
        showTip(control, cursor, text);
    } catch (...) {
    }
}

}  // namespace

int registerForTips(HWND window, unsigned depth, int mode) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(Registration));
    auto* r = memory ? static_cast<Registration*>(GlobalLock(memory)) : nullptr;
    if (!r) {
        if (memory) GlobalFree(memory);
        return registrationCount();
    }
    r->depth = depth;
    r->mode = mode;
    r->window = window;
    r->memory = memory;
    r->previous = state.tail;
    if (state.tail) state.tail->next = r; else state.head = r;
    state.tail = r;
    sortRegistrations();

    int count = registrationCount();
    if (count > 1) return count;
    if (!state.pollTimer) state.pollTimer = SetTimer(nullptr, 0, kPollMs, pollTimer);
    resetSuppression();
    WNDCLASSA cls{};
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = tipProc;
    cls.hInstance = moduleInstance();
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.lpszClassName = kTipClass;
    return RegisterClassA(&cls);
}

int unregisterForTips(HWND window) {
    for (Registration* r = state.head; r; r = r->next) {
        if (r->window != window) continue;
        if (r->previous) r->previous->next = r->next; else state.head = r->next;
        if (r->next) r->next->previous = r->previous; else state.tail = r->previous;
        HGLOBAL memory = r->memory;
        GlobalUnlock(memory);
        GlobalFree(memory);
        break;
    }
    int count = registrationCount();
    if (count > 0) return count;
    destroyTip();
    if (state.pollTimer) KillTimer(nullptr, state.pollTimer);
    state.pollTimer = 0;
    if (state.watchTimer) KillTimer(nullptr, state.watchTimer);
    state.watchTimer = 0;
    state.lastControl = nullptr;
    state.stillCount = 0;
    return UnregisterClassA(kTipClass, moduleInstance());
}

}  // namespace ui

extern "C" {

int UTILAPI RegisterForTips(HWND window, int depth, int mode) {
    return util::guarded(0, [&] { return ui::registerForTips(window, static_cast<unsigned>(depth), mode); });
}

int UTILAPI UnregisterForTips(HWND window) {
    return util::guarded(0, [&] { return ui::unregisterForTips(window); });
}

}  // extern "C"
