// How the update steps report a failure to the launcher: the status -1 and
// the result false (finish alone reports through its result only).
#pragma once

namespace zarnel {

constexpr int kStepFailed = -1;

inline bool Failed(int* error) {
    *error = kStepFailed;
    return false;
}

}  // namespace zarnel
