// The "Enter Information" prompt (dialog 220): one line of input for the
// pages. The caller fills the shared request, opens the prompt, and finds
// the answer in the shared result: the text on OK, empty on Cancel.
#pragma once

#include <windows.h>

#include <string>

namespace admin {

struct PromptRequest {
    char prompt[256];      // up to 255 characters
    char initial[1024];    // up to 1023 characters, selected at start
    int maxLength;         // usually 512
    int password;          // 1: the input is masked
    char result[1024];     // the answer
};

// The one request of the library, filled by the caller before openPrompt.
PromptRequest& promptRequest();

// Runs the prompt modally; always returns 1, so an empty result means
// cancelled or nothing entered.
int openPrompt(HWND owner);

// Convenience: fills the request, opens the prompt, returns the result.
std::string askText(HWND owner, const std::string& prompt, const std::string& initial, int maxLength = 512,
                    bool password = false);

}  // namespace admin
