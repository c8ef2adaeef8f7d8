#include "ui/modal.h"

namespace ui {

INT_PTR ModalDialog::run(HWND owner) {
    return DialogBoxParamA(moduleInstance(), MAKEINTRESOURCEA(definition().dialog), owner, dialogProc,
                           reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
}

bool ModalDialog::onInit() {
    centreOnScreen(hwnd_);
    if (wantsTips()) registerTips(1);
    loadBindings();
    bool defaultFocus = onOpen();
    applyRules();
    return defaultFocus;
}

void ModalDialog::onCommand(int id, int code) {
    if (id == IDOK && code == BN_CLICKED) {
        onOk();
    } else if (id == IDCANCEL) {
        onCancel();
    } else {
        if (code == BN_CLICKED) applyRules();
        onControl(id, code);
    }
}

bool ModelessWindow::create(HWND owner) {
    HWND window = CreateDialogParamA(moduleInstance(), MAKEINTRESOURCEA(definition().dialog), owner, dialogProc,
                                     reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
    if (!window) return false;
    ShowWindow(window, SW_SHOW);
    return true;
}

bool ModelessWindow::onInit() {
    registerTips(1);
    loadBindings();
    bool defaultFocus = onOpen();
    applyRules();
    return defaultFocus;
}

void ModelessWindow::onCommand(int id, int code) {
    if (id == IDCANCEL) {
        onClose();
    } else {
        if (code == BN_CLICKED) applyRules();
        onControl(id, code);
    }
}

}  // namespace ui
