#include "put_in_place.h"

#include <cstdio>

#include "install_folder.h"

namespace zarnel {

namespace {

bool Exists(const std::string& file) {
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool IsInUseError(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

std::string AsideNameOf(const std::string& destination, DWORD processId, ULONGLONG tick,
                        unsigned attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".previous-%lx-%llx-%u",
                  static_cast<unsigned long>(processId), static_cast<unsigned long long>(tick),
                  attempt);
    return destination + suffix;
}

Placed PutInPlace(const std::string& staged, const std::string& destination, std::string* aside,
                  const FileMoves& moves) {
    // Without its replacement the destination stays as it is. A folder in
    // the destination's place would go aside whole and could never be
    // deleted as an aside copy: it stays, and the entry fails.
    if (!Exists(staged) || IsFolder(staged) || IsFolder(destination)) return Placed::kFailed;
    // One replacing move: the destination is never gone before the new file is there.
    if (moves.moveEx(staged.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING))
        return Placed::kReplaced;
    if (!IsInUseError(GetLastError()) || !Exists(destination)) return Placed::kFailed;

    std::string previous;
    for (unsigned attempt = 0;; ++attempt) {
        previous = AsideNameOf(destination, GetCurrentProcessId(), GetTickCount64(), attempt);
        if (moves.moveEx(destination.c_str(), previous.c_str(), 0)) break;
        // Only a name clash is worth another name; held without sharing
        // deletion, the destination cannot be renamed at all.
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            return Placed::kFailed;
        if (attempt == 16) return Placed::kFailed;
    }
    if (moves.moveEx(staged.c_str(), destination.c_str(), 0)) {
        *aside = previous;
        return Placed::kAside;
    }
    // Put the installed file back where it was, or say where it lies.
    if (moves.moveEx(previous.c_str(), destination.c_str(), 0)) return Placed::kFailed;
    *aside = previous;
    return Placed::kStranded;
}

}  // namespace zarnel
