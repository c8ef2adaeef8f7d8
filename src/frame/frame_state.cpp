#include "frame/frame_state.h"

namespace util {

namespace {
constinit FrameState state{};
}

FrameState& frameState() { return state; }

}  // namespace util
