// SHA-256 through the platform's CNG provider (bcrypt.dll).
#pragma once
#include <windows.h>
#include <bcrypt.h>

#include <string>

namespace brisvane {

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    bool ok() const { return m_hHash != nullptr; }
    bool Add(const void* data, ULONG size);
    // The digest as 64 lower-case hex digits; "" on failure. Once only.
    std::string HexDigest();

private:
    BCRYPT_ALG_HANDLE m_hAlgorithm = nullptr;
    BCRYPT_HASH_HANDLE m_hHash = nullptr;
};

// The file's digest; false when it cannot be read.
bool HashFile(const std::string& file, std::string* hex);

}  // namespace brisvane
