#include "admin/prompt.h"

#include <cstring>

#include "admin/dialog.h"
#include "frame/paths.h"
#include "resources/resource_ids.h"

namespace admin {
namespace {

constinit PromptRequest request{};

void copyInto(char* buffer, std::size_t size, const std::string& text) {
    std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

class PromptDialog final : public ModalDialog {
protected:
    bool onOpen() override {
        item(IDC_PROMPT_TEXT).setText(request.prompt);
        Edit input = edit(IDC_PROMPT_EDIT);
        int limit = request.maxLength > 0 && request.maxLength < 1024 ? request.maxLength : 1023;
        input.limit(limit);
        if (request.password) input.mask(true);
        input.setText(request.initial);
        input.focus();
        input.selectAll();
        return false;
    }
    void onOk() override {
        copyInto(request.result, sizeof request.result, edit(IDC_PROMPT_EDIT).text());
        close(1);
    }
    void onCancel() override {
        request.result[0] = '\0';
        close(1);
    }
};

}  // namespace

PromptRequest& promptRequest() { return request; }

int openPrompt(HWND owner) {
    request.prompt[sizeof request.prompt - 1] = '\0';
    request.initial[sizeof request.initial - 1] = '\0';
    request.result[0] = '\0';
    PromptDialog dialog;
    dialog.run(owner, IDD_PROMPT);
    return 1;
}

std::string askText(HWND owner, const std::string& prompt, const std::string& initial, int maxLength,
                    bool password) {
    copyInto(request.prompt, sizeof request.prompt, prompt);
    copyInto(request.initial, sizeof request.initial, initial);
    request.maxLength = maxLength;
    request.password = password ? 1 : 0;
    openPrompt(owner);
    return request.result;
}

}  // namespace admin
