// A fresh temporary folder made the current directory for one test; the old
// current directory comes back and the folder is deleted afterwards.
#pragma once
#include <string>

namespace support {

class ScopedTempDir {
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::string& path() const { return path_; }  // with a trailing backslash
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
    std::string previous_;
};

bool WriteTextFile(const std::string& path, const std::string& content);
bool ReadTextFile(const std::string& path, std::string* content);
bool FileExists(const std::string& path);
void DeleteTree(const std::string& path);

}  // namespace support
