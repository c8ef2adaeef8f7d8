// What a window of the library is as data, the same for a dialog, a
// modeless window and a settings or wizard page: its template, its tips,
// its bound settings, its enabling rules and its entry checks.
// DefinedWindow turns it into behaviour: tips answered, bindings loaded and
// saved, rules applied, entries checked.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "ui/bindings.h"
#include "ui/dialog.h"

namespace ui {

// An entry that must pass before the window may be left or applied;
// checked in order, only while its control is enabled.
struct FieldCheck {
    int control;
    bool (*accepts)(const std::string& text);
    const char* message;
    bool selectText = false;
};

struct WindowDefinition {
    int dialog;
    std::span<const Tip> tips{};
    std::span<const Binding> bindings{};
    std::span<const EnableRule> rules{};
    std::span<const FieldCheck> checks{};
};

class DefinedWindow : public Dialog {
public:
    const WindowDefinition& definition() const { return definition_; }

protected:
    explicit DefinedWindow(const WindowDefinition& definition)
        : definition_(definition), bound_(definition.bindings, definition.rules) {}
    // The definition's tips; a window whose tips follow its state gives its own.
    std::span<const Tip> tips() const override { return definition_.tips; }
    void loadBindings() const { bound_.load(hwnd_); }
    void saveBindings() const { bound_.save(hwnd_); }
    // Enables each ruled control by the rules and allow (when given).
    void applyRules(const std::function<bool(int)>& allow = {}) const { bound_.applyRules(hwnd_, allow); }
    bool isBoundChange(int id, int code) const { return bound_.isChange(id, code); }
    // The first entry check that fails, among the enabled controls.
    std::optional<Refusal> checkFields() const;

private:
    const WindowDefinition& definition_;
    BindingSet bound_;
};

}  // namespace ui
