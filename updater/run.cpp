#include "exports_impl.h"
#include "process_start.h"
#include "step_failure.h"
#include "updater_token.h"

namespace zarnel {

namespace {

constexpr char kUpdater[] = "./Brisvane.exe";

}  // namespace

bool Run(int* error) {
    *error = 0;
    // The token alone is the updater's whole command line. It starts with the
    // window and standard-handle settings this process was started with, and
    // is not waited for: the launcher exits right after.
    if (!StartProcess(kUpdater, kUpdaterAccessToken, Inheritance::kFromThisProcess)) return Failed(error);
    return true;
}

}  // namespace zarnel
