#include "page_replies.h"

#include "support/ui_driver.h"
#include "ui/prompt_ids.h"

namespace drive {
namespace {

// The replies of one click; once the click is over, those still waiting
// answer nothing.
struct Round {
    Seen seen;
    bool over = false;
};

void expect(std::shared_ptr<Round> round, std::vector<Reply> replies, std::size_t next) {
    if (next >= replies.size()) return;
    Reply reply = replies[next];
    whenShown("#32770", reply.title, [round, replies, next, reply](HWND window) {
        if (!window || round->over) return;
        // The prompt shows its question, a message box its longest text.
        std::string shown = text(window, IDC_PROMPT_TEXT);
        round->seen.push_back(shown.empty() ? messageBoxText(window) : shown);
        expect(round, replies, next + 1);
        reply.act(window);
    }, 3000);
}

}  // namespace

Reply typing(const std::string& value) {
    return {"Enter Information", [value](HWND prompt) {
                setText(prompt, IDC_PROMPT_EDIT, value);
                click(prompt, IDOK);
            }};
}

Reply cancelling() {
    return {"Enter Information", [](HWND prompt) { click(prompt, IDCANCEL); }};
}

Reply pressing(const std::string& title, int button) {
    return {title, [button](HWND box) { SendMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0); }};
}

Seen clickReplying(HWND dialog, int id, const std::vector<Reply>& replies) {
    auto round = std::make_shared<Round>();
    expect(round, replies, 0);
    click(dialog, id);
    testing_support::pumpFor(30);
    round->over = true;
    return round->seen;
}

}  // namespace drive
