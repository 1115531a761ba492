#include "temp_dir.h"

#include <windows.h>

#include <cstdio>

namespace support {

ScopedTempDir::ScopedTempDir() {
    char buf[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buf);
    previous_ = buf;
    GetTempPathA(MAX_PATH, buf);
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%svorn%lu_%u\\", buf, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) { path_ = name; break; }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!path_.empty()) SetCurrentDirectoryA(path_.c_str());
}

ScopedTempDir::~ScopedTempDir() {
    SetCurrentDirectoryA(previous_.c_str());
    if (!path_.empty()) DeleteTree(path_);
}

void DeleteTree(const std::string& path) {
    std::string dir = path;
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = dir + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

bool WriteTextFile(const std::string& path, const std::string& content) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(content.data(), 1, content.size(), f) == content.size();
    return fclose(f) == 0 && ok;
}

bool ReadTextFile(const std::string& path, std::string* content) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    content->clear();
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) content->append(buf, n);
    fclose(f);
    return true;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace support
