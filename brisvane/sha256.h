// SHA-256 through the platform's CNG provider (bcrypt.dll).
#pragma once
#include <windows.h>
#include <bcrypt.h>

#include <string>

#include "cng_handles.h"

namespace brisvane {

class Sha256 {
public:
    static constexpr ULONG kDigestBytes = 32;

    Sha256();

    bool ok() const { return static_cast<bool>(m_hHash); }
    bool Add(const void* data, ULONG size);
    // The digest; false on failure. Once only, as is HexDigest.
    bool Digest(UCHAR (&digest)[kDigestBytes]);
    // The digest as 64 lower-case hex digits; "" on failure.
    std::string HexDigest();

private:
    // Declared in opening order: the hash closes before its provider.
    AlgorithmHandle m_hAlgorithm;
    HashHandle m_hHash;
};

// The file's digest; false when it cannot be read.
bool HashFile(const std::string& file, std::string* hex);

}  // namespace brisvane
