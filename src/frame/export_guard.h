// The one guard every export runs its body through: nothing thrown inside
// the library crosses into the host, and absent strings read as empty.
#pragma once

namespace util {

template <typename Result, typename Body>
Result guarded(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

template <typename Body>
void guarded(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

inline const char* orEmpty(const char* text) noexcept { return text ? text : ""; }

}  // namespace util
