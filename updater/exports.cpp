// The DLL's whole interface. The launcher binds these by name and passes its
// own error status. Nothing may unwind out of here: i686 MinGW exceptions
// cannot cross the caller's frames, so each export catches everything.
#include "exports_impl.h"
#include "step_failure.h"

#define ZARNEL_EXPORT extern "C" __declspec(dllexport)

namespace {

// A null status pointer is written to a local instead of crashing.
int* StatusOf(int* error, int* fallback) { return error ? error : fallback; }

}  // namespace

ZARNEL_EXPORT bool __cdecl check(int* error) {
    int ignored = 0;
    int* status = StatusOf(error, &ignored);
    try {
        return zarnel::Check(status);
    } catch (...) {
        return zarnel::Failed(status);
    }
}

ZARNEL_EXPORT bool __cdecl run(int* error) {
    int ignored = 0;
    int* status = StatusOf(error, &ignored);
    try {
        return zarnel::Run(status);
    } catch (...) {
        return zarnel::Failed(status);
    }
}

// finish reports failure through its result only; its status stays 0.
ZARNEL_EXPORT bool __cdecl finish(int* error) {
    int ignored = 0;
    int* status = StatusOf(error, &ignored);
    try {
        return zarnel::Finish(status);
    } catch (...) {
        *status = 0;
        return false;
    }
}
