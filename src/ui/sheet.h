// Property sheets and wizards. A Page turns the sheet's notifications into
// calls (start, set-active, validation on page change and Apply, apply,
// help, and in wizard mode back, next and finish) and reports changes to
// the sheet. runSheet shows pages modally, registering the sheet for tips
// with depth 2 while it is open.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <optional>
#include <span>

#include "ui/window_definition.h"

namespace ui {

class Page : public DefinedWindow {
public:
    explicit Page(const WindowDefinition& definition) : DefinedWindow(definition) {}
    // The sheet's description of this page; help shows the sheet's Help.
    PROPSHEETPAGEA describe(const char* title, bool help = true);

protected:
    HWND sheet() const { return GetParent(hwnd_); }
    // Tells the sheet that a setting changed (enables Apply); nothing while
    // the page fills its own controls.
    void changed() const;
    // Wizard mode: which of Back, Next and Finish are offered.
    void setWizardButtons(DWORD flags) const { PropSheet_SetWizButtons(sheet(), flags); }

    // WM_INITDIALOG, the first time the page is shown.
    virtual bool onStart() { return true; }
    virtual void onSetActive() {}
    // A refusal keeps the sheet on this page: on Apply, OK, a change of
    // page and the wizard's Next and Finish (not its Back).
    virtual std::optional<Refusal> validate() { return std::nullopt; }
    // Writes the page; false keeps the sheet open on it (the page has said why).
    virtual bool onApply() { return true; }
    virtual void onHelp() {}
    // The sheet was cancelled: nothing is to be written.
    virtual void onReset() {}
    // Wizard mode: Next or Finish after the page was validated. Next
    // returns 0 to go on, -1 to stay; Finish true to close.
    virtual int onWizardNext() { return 0; }
    virtual int onWizardBack() { return 0; }
    virtual bool onWizardFinish() { return true; }
    virtual void onControl(int /*id*/, int /*code*/) {}
    // Other notifications of the page's own controls.
    virtual bool onControlNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

    // While true, notifications are the page's own filling, not the user's.
    bool loading_ = false;

private:
    bool onInit() final;
    void onCommand(int id, int code) override { onControl(id, code); }
    bool onNotify(const NMHDR& header, LRESULT& result) final;
    bool passes();

    bool wizardMoving_ = false;  // Next or Back is changing the page
};

struct SheetOptions {
    HWND owner = nullptr;
    const char* caption = "";
    int startPage = 0;
    bool wizard = false;
    bool help = true;
};

struct SheetResult {
    INT_PTR sheet;    // what PropertySheet returned
    int unregister;   // UnregisterForTips for the sheet's window
};

// pages and their descriptions, in the sheet's order.
SheetResult runSheet(const SheetOptions& options, std::span<PROPSHEETPAGEA> pages);

}  // namespace ui
