// Every window of the administration interface and the controls its data
// names (tips, bindings, enabling rules, entry checks), so a check can hold
// each against the template that the library carries.
#pragma once

#include <vector>

namespace admin {

struct NamedControls {
    int dialog;
    std::vector<int> controls;
};

std::vector<NamedControls> administrationWindows();

}  // namespace admin
