#include "launcher/update_step.h"

#include <windows.h>

namespace launcher {

namespace {

// The argument the updater starts the program with after staging files.
constexpr std::string_view kCompletionArgument = "TRUE";

}  // namespace

bool BindUpdateLibrary(const char* file, UpdateEntryPoints* entries) {
    HMODULE module = LoadLibraryA(file);
    if (!module) {
        return false;
    }
    UpdateEntryPoints found;
    found.check = reinterpret_cast<UpdateEntry>(reinterpret_cast<void*>(GetProcAddress(module, "check")));
    found.run = reinterpret_cast<UpdateEntry>(reinterpret_cast<void*>(GetProcAddress(module, "run")));
    found.finish = reinterpret_cast<UpdateEntry>(reinterpret_cast<void*>(GetProcAddress(module, "finish")));
    if (!found.check || !found.run || !found.finish) {
        // Not the update library we know: never call into it, and let it go.
        FreeLibrary(module);
        return false;
    }
    *entries = found;
    return true;  // stays loaded until the process ends
}

UpdateOutcome RunUpdateProtocol(const UpdateEntryPoints& entries, std::string_view commandLine,
                                const std::function<void()>& reportFailedFinish) {
    int error = 0;
    if (commandLine == kCompletionArgument && !entries.finish(&error)) {
        reportFailedFinish();
    }
    // check answers false with error 0 when another version is offered.
    if (entries.check(&error) || error != 0) {
        return UpdateOutcome::kCarryOn;
    }
    return entries.run(&error) ? UpdateOutcome::kUpdaterRun : UpdateOutcome::kCarryOn;
}

}  // namespace launcher
