// Answers to the small modal windows a page opens while a control's click
// is handled: the "Enter Information" prompt and message boxes. Each reply
// waits for its window, acts on it (which closes it) and lets the next one
// wait for the window that follows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace drive {

struct Reply {
    std::string title;
    std::function<void(HWND)> act;
};

// What the windows showed, in the order they came (a prompt's question, a
// message box's text).
using Seen = std::vector<std::string>;

// Types text into the prompt and presses OK.
Reply typing(const std::string& text);
// Cancels the prompt.
Reply cancelling();
// Presses a button (IDOK, IDYES, IDNO) of a message box with this title.
Reply pressing(const std::string& title, int button);

// Clicks the control and replies to the windows it opens, in turn.
// Returns what each window showed; fewer entries when fewer came.
Seen clickReplying(HWND dialog, int id, const std::vector<Reply>& replies);

}  // namespace drive
