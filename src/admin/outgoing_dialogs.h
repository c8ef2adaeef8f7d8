// The Outgoing page's own dialogs: "SMTP Authentication" (dialog 280),
// which fills the page's two encoded buffers, and "Select Users"
// (dialog 256), which writes the users an option applies to at once.
#pragma once

#include <windows.h>

#include <string>

#include "ui/modal.h"

namespace admin {

struct AuthBuffers {
    std::string account64;
    std::string password64;
    void clear() {
        account64.clear();
        password64.clear();
    }
    bool complete() const { return !account64.empty() && !password64.empty(); }
};

extern const ui::WindowDefinition kSmtpAuthDialog;
extern const ui::WindowDefinition kSelectUsersDialog;

INT_PTR runSmtpAuthDialog(HWND owner, AuthBuffers& buffers);
// section: the option's section of users (user0, user1, ...).
INT_PTR runSelectUsersDialog(HWND owner, const std::string& title, const char* section);

}  // namespace admin
