// Modal dialogs of the library: centred on the screen and registered for
// tooltips with depth 1 while they are open.
#pragma once

#include "ui/window_definition.h"

namespace ui {

class ModalDialog : public DefinedWindow {
public:
    explicit ModalDialog(const WindowDefinition& definition) : DefinedWindow(definition) {}
    // Runs the dialog modally; returns what closed it (-1 when it could not
    // be created).
    INT_PTR run(HWND owner);

protected:
    void close(INT_PTR result) { EndDialog(hwnd_, result); }
    // After centring and registering: fill the controls; false when the
    // focus was set.
    virtual bool onOpen() { return true; }
    virtual void onOk() { close(IDOK); }
    virtual void onCancel() { close(IDCANCEL); }
    // Commands of the dialog's own controls (not OK or Cancel).
    virtual void onControl(int /*id*/, int /*code*/) {}
    // Dialogs without tips of their own (the message box, the countdown)
    // stay out of the tooltip engine.
    virtual bool wantsTips() const { return true; }

private:
    bool onInit() final;
    void onCommand(int id, int code) final;
};

// A modeless window of the library (one dialog template), registered for
// tips while it exists. It lives on the caller's thread and its message
// loop; destroy() or the window's own close ends it.
class ModelessWindow : public DefinedWindow {
public:
    explicit ModelessWindow(const WindowDefinition& definition) : DefinedWindow(definition) {}
    // Creates and shows the window; false when it could not be created.
    bool create(HWND owner);
    void destroy() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    bool isOpen() const { return hwnd_ != nullptr; }

protected:
    virtual bool onOpen() { return true; }
    virtual void onControl(int /*id*/, int /*code*/) {}
    // The close box and Escape: the window goes.
    virtual void onClose() { destroy(); }

private:
    bool onInit() final;
    void onCommand(int id, int code) final;
};

}  // namespace ui
