#include "ui/prompt.h"

#include "ui/modal.h"
#include "ui/prompt_ids.h"

namespace ui {
namespace {

constexpr std::size_t kQuestionMax = 255;
constexpr std::size_t kTextMax = 1023;

const WindowDefinition kPromptDialog{IDD_PROMPT};

class PromptDialog final : public ModalDialog {
public:
    explicit PromptDialog(const PromptOptions& options) : ModalDialog(kPromptDialog), options_(options) {}
    std::optional<std::string> answer;

protected:
    bool onOpen() override {
        item(IDC_PROMPT_TEXT).setText(options_.question.substr(0, kQuestionMax));
        Edit input = edit(IDC_PROMPT_EDIT);
        int limit = options_.maxLength > 0 && options_.maxLength <= static_cast<int>(kTextMax)
                        ? options_.maxLength
                        : static_cast<int>(kTextMax);
        input.limit(limit);
        if (options_.password) input.mask(true);
        input.setText(options_.initial.substr(0, kTextMax));
        input.focus();
        input.selectAll();
        return false;
    }
    void onOk() override {
        answer = edit(IDC_PROMPT_EDIT).text().substr(0, kTextMax);
        close(IDOK);
    }

private:
    const PromptOptions& options_;
};

}  // namespace

std::optional<std::string> prompt(HWND owner, const PromptOptions& options) {
    PromptDialog dialog(options);
    dialog.run(owner);
    return dialog.answer;
}

}  // namespace ui
