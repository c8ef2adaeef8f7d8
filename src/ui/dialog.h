// The one dialog-procedure trampoline every window of the library shares.
// A Dialog finds itself from the window, turns messages into virtual calls,
// answers the tip request (0x0C01) from its tip table, and shows refusals
// the same way everywhere. Nothing thrown in a handler leaves the procedure.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "ui/controls.h"

namespace ui {

// The tip request: wParam the control's id, lParam a buffer of 1024 chars.
inline constexpr UINT kTipRequest = 0x0C01;
inline constexpr int kTipBufferSize = 1024;

struct Tip {
    int control;
    const char* text;
};

// Why an entry is refused: the message, the control that gets the focus,
// whether its text is selected, and whether the box is a "Warning" (the
// exclamation icon) rather than an "Error".
struct Refusal {
    std::string message;
    int control = 0;
    bool selectText = false;
    UINT icon = MB_ICONSTOP;    // 0: the box shows no icon
    const char* title = "Error";  // "Warning" for the pages that warn
};

// The library's module instance (dialogs, bitmaps, icons come from it).
HINSTANCE moduleInstance();

class Dialog {
public:
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND handle() const { return hwnd_; }
    Window item(int id) const { return Window(GetDlgItem(hwnd_, id)); }
    Button button(int id) const { return Button(GetDlgItem(hwnd_, id)); }
    Edit edit(int id) const { return Edit(GetDlgItem(hwnd_, id)); }
    ListBox listBox(int id) const { return ListBox(GetDlgItem(hwnd_, id)); }
    ComboBox comboBox(int id) const { return ComboBox(GetDlgItem(hwnd_, id)); }
    UpDown upDown(int id) const { return UpDown(GetDlgItem(hwnd_, id)); }
    Slider slider(int id) const { return Slider(GetDlgItem(hwnd_, id)); }
    ListView listView(int id) const { return ListView(GetDlgItem(hwnd_, id)); }
    TreeView treeView(int id) const { return TreeView(GetDlgItem(hwnd_, id)); }
    StatusBar statusBar(int id) const { return StatusBar(GetDlgItem(hwnd_, id)); }
    Static picture(int id) const { return Static(GetDlgItem(hwnd_, id)); }

    // Copies the tip of a control into buffer; false (buffer emptied) when
    // this window has none.
    bool tipFor(int control, char* buffer, int size) const;

    // "Error" with the stop icon (or a "Warning"), owned by this window; then the focus
    // moves to the refused control through the dialog's own next-control
    // message, its text selected when the refusal asks for it.
    void refuse(const Refusal& refusal) const;
    void refuse(const std::string& message, int control, bool selectText = false) const {
        refuse(Refusal{message, control, selectText});
    }

protected:
    Dialog() = default;

    // WM_INITDIALOG; return false when the handler set the focus.
    virtual bool onInit() { return true; }
    // WM_COMMAND from a control or a button.
    virtual void onCommand(int /*id*/, int /*code*/) {}
    virtual bool onNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void onDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
    // Item height of owner-drawn lists (16 pixels unless a window says otherwise).
    virtual void onMeasureItem(MEASUREITEMSTRUCT& item) { item.itemHeight = 16; }
    virtual void onDestroy() {}
    virtual std::span<const Tip> tips() const { return {}; }
    // Messages beyond the common ones; set handled to claim one.
    virtual INT_PTR onMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled) {
        handled = false;
        return 0;
    }

    // Registers this window for tips with the given depth until it is
    // destroyed, however it goes.
    void registerTips(unsigned depth);

    // Sets a notification's result for the dialog manager.
    void setResult(LRESULT result) const { SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result); }

    // Dialog procedures: for dialog boxes and modeless dialogs (lParam is
    // the Dialog) and for property-sheet pages (lParam is the page
    // description whose lParam is it).
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    static INT_PTR dispatch(Dialog* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool tipsRegistered_ = false;
};

// Centres a window on the screen, keeping its size.
void centreOnScreen(HWND window);

}  // namespace ui
