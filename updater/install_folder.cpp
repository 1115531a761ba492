#include "install_folder.h"

#include <windows.h>

#include "destination_rules.h"

namespace zarnel {

std::size_t InstallFolderLength() {
    // With no buffer the answer counts the terminating zero.
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    return size == 0 ? kMaxPath : size - 1;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPathOf(const std::string& destination) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(destination.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(full, length);
}

std::string SystemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string text(folder, length);
    if (text.back() == '\\') text.pop_back();
    return text;
}

}  // namespace zarnel
