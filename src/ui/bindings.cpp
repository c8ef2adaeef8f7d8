#include "ui/bindings.h"

#include <climits>

#include "frame/crypt.h"
#include "frame/profile.h"
#include "ui/controls.h"

namespace ui {
namespace {

int readNumber(const StoredKey& k) {
    if (!k.isText) return util::profileInt(k.section, k.key, k.intFallback);
    return saturatingNumber(util::profileString(k.section, k.key, k.textFallback, k.size), INT_MIN, INT_MAX);
}

std::string readText(const StoredKey& k) {
    if (k.isText) return util::profileString(k.section, k.key, k.textFallback, k.size);
    return util::profileString(k.section, k.key, std::to_string(k.intFallback).c_str(), k.size);
}

void write(const StoredKey& k, const std::string& value) { util::writeProfileString(k.section, k.key, value); }

void fill(ComboBox combo, const Binding& b) {
    combo.clear();
    for (const char* entry : b.items) combo.add(entry);
    if (b.source)
        for (const std::string& entry : b.source()) combo.add(entry);
}

bool holds(HWND window, const EnableRule& rule) {
    bool ticked = Button(GetDlgItem(window, rule.when)).checked();
    return rule.whileClear ? !ticked : ticked;
}

}  // namespace

int saturatingNumber(const std::string& text, int low, int high) {
    std::size_t i = 0;
    bool negative = false;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return low;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value < low) return low;
    if (value > high) return high;
    return static_cast<int>(value);
}

void BindingSet::load(HWND window) const {
    for (const Binding& b : bindings_) {
        Window control(GetDlgItem(window, b.control));
        switch (b.kind) {
        case BindKind::Check:
            Button(control.handle()).check(readNumber(b.key) == 1);
            break;
        case BindKind::Text:
            control.setText(readText(b.key));
            break;
        case BindKind::Secret:
            control.setText(util::crypt(util::kSystemKey, readText(b.key), false));
            Edit(control.handle()).mask(true);
            break;
        case BindKind::Number: {
            int value = readNumber(b.key);
            value = value < b.low ? b.low : value > b.high ? b.high : value;
            if (b.spin) {
                UpDown spin(GetDlgItem(window, b.spin));
                spin.setRange(b.low, b.high);
                spin.setPosition(value);
            }
            control.setText(std::to_string(value));
            break;
        }
        case BindKind::Radio: {
            int value = readNumber(b.key);
            const RadioChoice* chosen = nullptr;
            for (const RadioChoice& c : b.choices)
                if (c.value == value) chosen = &c;
            for (const RadioChoice& c : b.choices) Button(GetDlgItem(window, c.control)).check(&c == chosen);
            break;
        }
        case BindKind::ComboText: {
            ComboBox combo(control.handle());
            fill(combo, b);
            std::string value = readText(b.key);
            if (b.prefix) {
                combo.selectPrefix(value);
            } else {
                int index = combo.findExact(value);
                combo.select(index == CB_ERR ? 0 : index);
            }
            break;
        }
        case BindKind::ComboIndex: {
            ComboBox combo(control.handle());
            fill(combo, b);
            int value = readNumber(b.key);
            if (value < 0 || value >= combo.count()) value = b.key.intFallback;
            combo.select(value);
            break;
        }
        }
    }
}

void BindingSet::save(HWND window) const {
    for (const Binding& b : bindings_) {
        Window control(GetDlgItem(window, b.control));
        if (b.writtenWhile && !Button(GetDlgItem(window, b.writtenWhile)).checked()) continue;
        switch (b.kind) {
        case BindKind::Check:
            write(b.key, Button(control.handle()).checked() ? "1" : "0");
            break;
        case BindKind::Text:
            write(b.key, control.text());
            break;
        case BindKind::Secret: {
            std::string clear = control.text();
            write(b.key, clear.empty() ? clear : util::crypt(util::kSystemKey, clear, true));
            break;
        }
        case BindKind::Number:
            write(b.key, std::to_string(saturatingNumber(control.text(), b.low, b.high)));
            break;
        case BindKind::Radio:
            for (const RadioChoice& c : b.choices)
                if (Button(GetDlgItem(window, c.control)).checked()) write(b.key, std::to_string(c.value));
            break;
        case BindKind::ComboText:
            write(b.key, ComboBox(control.handle()).selectedText());
            break;
        case BindKind::ComboIndex: {
            int index = ComboBox(control.handle()).selection();
            if (index != CB_ERR) write(b.key, std::to_string(index));
            break;
        }
        }
    }
}

bool BindingSet::isChange(int control, int code) const {
    for (const Binding& b : bindings_) {
        switch (b.kind) {
        case BindKind::Check:
            if (b.control == control && code == BN_CLICKED) return true;
            break;
        case BindKind::Radio:
            for (const RadioChoice& c : b.choices)
                if (c.control == control && code == BN_CLICKED) return true;
            break;
        case BindKind::Text:
        case BindKind::Secret:
        case BindKind::Number:
            if (b.control == control && code == EN_CHANGE) return true;
            break;
        case BindKind::ComboText:
        case BindKind::ComboIndex:
            if (b.control == control && code == CBN_SELCHANGE) return true;
            break;
        }
    }
    return false;
}

bool BindingSet::isRuled(int control) const {
    for (const EnableRule& rule : rules_)
        for (int id : rule.controls)
            if (id == control) return true;
    return false;
}

void BindingSet::applyRules(HWND window, const std::function<bool(int)>& allow) const {
    for (const EnableRule& rule : rules_) {
        for (int id : rule.controls) {
            bool on = allow ? allow(id) : true;
            for (const EnableRule& other : rules_)
                for (int named : other.controls)
                    if (named == id && !holds(window, other)) on = false;
            EnableWindow(GetDlgItem(window, id), on ? TRUE : FALSE);
        }
    }
}

}  // namespace ui
