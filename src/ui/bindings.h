// Settings shown in controls, as data. A window declares its bindings
// (which ms.ini key of the settings catalogue a control shows, and how) and
// its enabling rules (which controls are live while a box is ticked or a
// radio chosen); reading, writing, change reporting and enabling are one
// loop here.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "frame/settings.h"

namespace ui {

enum class BindKind {
    Check,       // ticked when the value is 1; written "1" or "0"
    Text,        // the value as text
    Number,      // a whole number kept within [low, high], typed values saturating
    Radio,       // one button of a group per value; another value ticks none
    ComboText,   // the entry whose text is the value (by prefix when asked)
    ComboIndex,  // the entry at the value's position
    Secret,      // scrambled with the system key in ms.ini, shown in clear (masked)
};

// One button of a radio group and the value it stands for.
struct RadioChoice {
    int control;
    int value;
};

// A catalogue key of either kind, as a binding keeps it.
struct StoredKey {
    const char* section = nullptr;
    const char* key = nullptr;
    const char* textFallback = "";
    int intFallback = 0;
    int size = cfg::kValueSize;
    bool isText = false;

    constexpr StoredKey() = default;
    constexpr StoredKey(const cfg::IntKey& k) : section(k.section), key(k.key), intFallback(k.fallback) {}
    constexpr StoredKey(const cfg::TextKey& k)
        : section(k.section), key(k.key), textFallback(k.fallback), size(k.size), isText(true) {}
};

using ItemSource = std::vector<std::string> (*)();

struct Binding {
    BindKind kind;
    int control;  // Radio: the group's first button
    StoredKey key;
    int low = 0;
    int high = 0;
    int spin = 0;  // Number: its up-down control, given the range
    std::span<const RadioChoice> choices{};
    std::span<const char* const> items{};  // combo entries, in order
    ItemSource source = nullptr;           // or entries from elsewhere
    bool prefix = false;                   // ComboText: select by prefix
    int writtenWhile = 0;                  // written only while this box is ticked
};

constexpr Binding check(int control, StoredKey key) { return {BindKind::Check, control, key}; }
constexpr Binding text(int control, StoredKey key) { return {BindKind::Text, control, key}; }
constexpr Binding secret(int control, StoredKey key) { return {BindKind::Secret, control, key}; }
constexpr Binding number(int control, StoredKey key, int low, int high, int spin = 0) {
    return {BindKind::Number, control, key, low, high, spin};
}
constexpr Binding radio(StoredKey key, std::span<const RadioChoice> choices) {
    return {BindKind::Radio, choices.empty() ? 0 : choices.front().control, key, 0, 0, 0, choices};
}
constexpr Binding comboText(int control, StoredKey key, ItemSource source, bool byPrefix = false) {
    return {BindKind::ComboText, control, key, 0, 0, 0, {}, {}, source, byPrefix};
}
constexpr Binding comboIndex(int control, StoredKey key, std::span<const char* const> items) {
    return {BindKind::ComboIndex, control, key, 0, 0, 0, {}, items};
}

// The same binding, written only while a check box or radio is ticked
// (otherwise the stored value stays as it was).
constexpr Binding writtenWhile(Binding b, int control) {
    b.writtenWhile = control;
    return b;
}

// Controls live while a check box or radio button is ticked (or, with
// whileClear, while it is not).
struct EnableRule {
    int when;
    std::span<const int> controls;
    bool whileClear = false;
};

// The leading digits of text as a number kept within [low, high]; no
// digits reads as low.
int saturatingNumber(const std::string& text, int low, int high);

// The bindings and rules of one window.
class BindingSet {
public:
    constexpr BindingSet(std::span<const Binding> bindings = {}, std::span<const EnableRule> rules = {})
        : bindings_(bindings), rules_(rules) {}

    // Fills the bound controls from ms.ini, or writes them back.
    void load(HWND window) const;
    void save(HWND window) const;
    // Whether a command (control, notification) is the user changing a
    // bound setting.
    bool isChange(int control, int code) const;
    // Enables each ruled control while every rule that names it holds and
    // allow (when given) agrees.
    void applyRules(HWND window, const std::function<bool(int)>& allow = {}) const;
    // Whether a control is named by a rule (so enabling is the rules' job).
    bool isRuled(int control) const;

    std::span<const Binding> bindings() const { return bindings_; }
    std::span<const EnableRule> rules() const { return rules_; }

private:
    std::span<const Binding> bindings_;
    std::span<const EnableRule> rules_;
};

}  // namespace ui
