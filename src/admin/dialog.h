// The one dialog-procedure trampoline every administration window shares.
// A Dialog finds itself from the window, turns messages into virtual calls,
// answers the tip request (0x0C01) from its tip table, and loads and saves
// its simple ms.ini bindings. Nothing thrown in a handler leaves the
// procedure.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "admin/controls.h"

namespace admin {

// The tip request: wParam the control's id, lParam a buffer of 1024 chars.
inline constexpr UINT kTipRequest = 0x0C01;
inline constexpr int kTipBufferSize = 1024;

struct Tip {
    int control;
    const char* text;
};

// One ms.ini value shown in one control.
enum class BindKind {
    Flag,  // check box: ticked when the value is 1; written as "1" or "0"
    Text,  // edit: the value as text
};

struct Binding {
    const char* section;
    const char* key;
    const char* fallback;
    int control;
    BindKind kind;
};

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

    // Copies the tip of a control into buffer; false (buffer emptied) when
    // this window has none.
    bool tipFor(int control, char* buffer, int size) const;

protected:
    Dialog() = default;

    // WM_INITDIALOG; return false when the focus was set by the handler.
    virtual bool onInit() { return true; }
    // WM_COMMAND from a control or a button.
    virtual void onCommand(int /*id*/, int /*code*/) {}
    virtual bool onNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void onDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
    virtual void onDestroy() {}
    virtual std::span<const Tip> tips() const { return {}; }
    virtual std::span<const Binding> bindings() const { return {}; }

    // Fills the bound controls from ms.ini, or writes them back.
    void loadBindings() const;
    void saveBindings() const;
    bool isBoundFlag(int control) const;

    // A refusal: "Error" with the stop icon, owned by this window; the
    // focus goes to the control, its text selected when asked.
    void refuse(const std::string& message, int control, bool selectText = false) const;

    // While true, edit notifications are the page's own filling, not the user's.
    bool loading_ = false;

    // Dialog procedures: for DialogBoxParam (lParam is the Dialog) and for
    // property-sheet pages (lParam is the PROPSHEETPAGE whose lParam is it).
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Messages beyond the common ones; set handled to claim one.
    virtual INT_PTR onMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled) {
        handled = false;
        return 0;
    }
    HWND hwnd_ = nullptr;

private:
    static INT_PTR dispatch(Dialog* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
};

// A modal dialog of the library: centred on the screen, registered for
// tooltips with depth 1 while it is open.
class ModalDialog : public Dialog {
public:
    INT_PTR run(HWND owner, int templateId);

protected:
    // Unregisters the tips and ends the dialog with the given result.
    void close(INT_PTR result);
    bool onInit() override;
    void onCommand(int id, int code) override;
    // After centring and registering: fill the controls.
    virtual bool onOpen() { return true; }
    virtual void onOk() { close(IDOK); }
    virtual void onCancel() { close(IDCANCEL); }
    // Commands of the dialog's own controls (not OK or Cancel).
    virtual void onControl(int /*id*/, int /*code*/) {}
};

// The library's module instance (dialogs, bitmaps, icons come from it).
HINSTANCE moduleInstance();

}  // namespace admin
