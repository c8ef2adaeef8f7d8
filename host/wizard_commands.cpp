// Host command for the setup wizard.
#include <cstdio>

#include "commands.h"

namespace host {
namespace {

int wizardCmd(Host& h, const Args&) {
    std::printf("wizard: %d\n", h.library.get<decltype(&RunWizard)>("RunWizard")(h.main));
    return 0;
}

const Command wizardCommands[] = {
    {"wizard", 0, "RunWizard: set up the install folder, then Mail Client Information", wizardCmd},
};
HOST_COMMANDS(wizardCommands);

}  // namespace
}  // namespace host
