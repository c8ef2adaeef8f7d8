#include "connect/connect_state.h"

namespace util {
namespace {
constinit ConnectState state{};
}

ConnectState& connectState() { return state; }

}  // namespace util
