// For programs linked with the static shell: every Install starts anew,
// the shell building ms.ini's path again for its folder.
#pragma once

#include "frame/frame_state.h"
#include "support/install.h"

namespace testing_support {

inline const bool kShellInstallsStartAnew =
    Install::rebuildConfigPathWith([] { util::frameState().configPathBuilt = false; });

}  // namespace testing_support
