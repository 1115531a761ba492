// The update protocol of Zarnel.dll as the launcher runs it at every start:
// complete a staged update when started with "TRUE", ask for a newer
// version, and hand over to the updater when there is one.
#pragma once

#include <functional>
#include <string_view>

namespace launcher {

// check, run and finish: C linkage, __cdecl, the caller's error status,
// a one-byte boolean result.
using UpdateEntry = bool(__cdecl*)(int* error);

struct UpdateEntryPoints {
    UpdateEntry check = nullptr;
    UpdateEntry run = nullptr;
    UpdateEntry finish = nullptr;
};

// Loads the library by name and looks up its three exports. False when it
// cannot be loaded or lacks any of them: such a library counts as absent.
// A loaded library is never unloaded.
bool BindUpdateLibrary(const char* file, UpdateEntryPoints* entries);

enum class UpdateOutcome {
    kCarryOn,     // no update, or none could be started: the launcher goes on
    kUpdaterRun,  // the updater has been started; the program must end now
};

// The calls and decisions of one launch. commandLine is the argument text
// after the program name; only exactly "TRUE" completes a staged update.
// reportFailedFinish runs once when that completion fails.
UpdateOutcome RunUpdateProtocol(const UpdateEntryPoints& entries, std::string_view commandLine,
                                const std::function<void()>& reportFailedFinish);

}  // namespace launcher
