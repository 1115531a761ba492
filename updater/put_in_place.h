// Putting one staged file in place of its destination, also when the
// destination is in use. Windows refuses to replace a running program or a
// loaded library but lets it be renamed: such a destination is moved aside
// in its own folder, the staged file takes its place, and the aside copy is
// deleted later, once nothing holds it (see aside_copies.h).
#pragma once
#include <windows.h>

#include <string>

namespace zarnel {

enum class Placed {
    kReplaced,  // the staged file is the destination now
    kAside,     // likewise, and the old file lies under *aside
    kFailed,    // nothing changed: destination and staged file as they were
    kStranded,  // failed, and the old file could not go back: it lies under
                // *aside and the destination is missing until it is restored
};

// The file moves this needs, replaceable so tests can make the platform
// refuse what Wine would allow.
struct FileMoves {
    BOOL(WINAPI* moveEx)(LPCSTR from, LPCSTR to, DWORD flags) = MoveFileExA;
};

// Errors that mean "the destination is in use", where renaming may still work.
bool IsInUseError(DWORD error);

// A name beside destination that says it is the previous copy; unique per
// attempt, so an aside copy an older process still holds never blocks the
// next update.
std::string AsideNameOf(const std::string& destination, DWORD processId, ULONGLONG tick,
                        unsigned attempt);

// A destination that is a folder is never touched (kFailed). An installed
// destination is never lost: if the staged file cannot be moved in after the
// destination went aside, the aside copy is moved back; should even that
// fail, kStranded names the copy, which the caller must record so that a
// later start puts it back (aside_copies.h).
Placed PutInPlace(const std::string& staged, const std::string& destination, std::string* aside,
                  const FileMoves& moves = FileMoves());

}  // namespace zarnel
