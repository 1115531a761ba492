// The DLL's whole interface. The launcher binds these by name and passes its
// own error status. Nothing may unwind out of here: i686 MinGW exceptions
// cannot cross the caller's frames, so each export catches everything.
#include "exports_impl.h"
#include "step_failure.h"

#define ZARNEL_EXPORT extern "C" __declspec(dllexport)

namespace {

// One step behind the boundary: a null status pointer is written to a local
// instead of crashing, and an exception is the step's failure, with the
// status failureStatus.
bool Guarded(bool (*step)(int*), int* error, int failureStatus) {
    int ignored = 0;
    int* status = error ? error : &ignored;
    try {
        return step(status);
    } catch (...) {
        *status = failureStatus;
        return false;
    }
}

}  // namespace

ZARNEL_EXPORT bool __cdecl check(int* error) { return Guarded(zarnel::Check, error, zarnel::kStepFailed); }

ZARNEL_EXPORT bool __cdecl run(int* error) { return Guarded(zarnel::Run, error, zarnel::kStepFailed); }

// finish reports failure through its result only; its status stays 0.
ZARNEL_EXPORT bool __cdecl finish(int* error) { return Guarded(zarnel::Finish, error, 0); }
