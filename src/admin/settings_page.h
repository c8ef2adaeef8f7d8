// A page of the "Server Settings" sheet. The base turns the sheet's
// notifications into calls (apply, help, set-active), reports changes,
// centres the sheet when the page starts, and reports bound check boxes
// and edits as changes. A page adds its own controls' behaviour.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "admin/dialog.h"

namespace admin {

class SettingsPage : public Dialog {
public:
    SettingsPage(const char* title, int templateId, const char* helpTopic)
        : title_(title), templateId_(templateId), helpTopic_(helpTopic) {}

    // The sheet's description of this page.
    PROPSHEETPAGEA describe();

protected:
    HWND sheet() const { return GetParent(hwnd_); }
    // Tells the sheet that a setting changed (enables Apply).
    void changed() const;

    // Write the page to ms.ini; false keeps the sheet open on this page
    // (the page has shown its message). The default writes the bindings.
    virtual bool onApply() {
        saveBindings();
        return true;
    }
    virtual void onSetActive() {}
    // Page start: after the sheet is centred and the bindings are loaded.
    virtual bool onStart() { return true; }
    // Commands of the page's own controls; bound controls are reported as
    // changes before this is called.
    virtual void onControl(int /*id*/, int /*code*/) {}

private:
    bool onInit() final;
    void onCommand(int id, int code) final;
    bool onNotify(const NMHDR& header, LRESULT& result) override;

    const char* title_;
    int templateId_;
    const char* helpTopic_;
};

}  // namespace admin
