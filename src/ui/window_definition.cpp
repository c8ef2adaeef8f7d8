#include "ui/window_definition.h"

namespace ui {

std::optional<Refusal> DefinedWindow::checkFields() const {
    for (const FieldCheck& c : definition_.checks) {
        Window control = item(c.control);
        if (!control.enabled()) continue;
        if (!c.accepts(control.text())) return Refusal{c.message, c.control, c.selectText};
    }
    return std::nullopt;
}

}  // namespace ui
