// How the update steps report a failure to the launcher: the status -1 and
// the result false (finish alone reports through its result only).
#pragma once

namespace zarnel {

inline bool Failed(int* error) {
    *error = -1;
    return false;
}

}  // namespace zarnel
