// The install folder, which is the current directory of the program, the
// update library and the updater, as the destination rules need it.
#pragma once
#include <cstddef>
#include <string>

namespace zarnel {

// Its length in bytes, as GetCurrentDirectoryA gives it; kMaxPath when it
// cannot be read, so that every destination is refused.
std::size_t InstallFolderLength();

// True only for an existing folder (a file, or nothing, is no folder).
bool IsFolder(const std::string& path);

// The full path of a destination in the install folder; empty on failure.
std::string FullPathOf(const std::string& destination);

// The system's own folder (system32), without a trailing separator.
std::string SystemFolder();

}  // namespace zarnel
