#include "sha256.h"

#include <vector>

#include "win_handles.h"

namespace brisvane {

namespace {

constexpr DWORD kReadChunk = 1 << 20;

}  // namespace

// Hashed step by step (BCryptCreateHash): the one-call BCryptHash needs
// Windows 10, and the updater runs on Windows 7.
Sha256::Sha256() {
    if (!OpenAlgorithm(&m_hAlgorithm, BCRYPT_SHA256_ALGORITHM)) return;
    // With no object buffer given, the provider allocates the hash state itself.
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (BCRYPT_SUCCESS(BCryptCreateHash(m_hAlgorithm.get(), &hash, nullptr, 0, nullptr, 0, 0)))
        m_hHash.reset(hash);
}

bool Sha256::Add(const void* data, ULONG size) {
    return m_hHash &&
           BCRYPT_SUCCESS(BCryptHashData(m_hHash.get(), static_cast<PUCHAR>(const_cast<void*>(data)), size, 0));
}

bool Sha256::Digest(UCHAR (&digest)[kDigestBytes]) {
    return m_hHash && BCRYPT_SUCCESS(BCryptFinishHash(m_hHash.get(), digest, kDigestBytes, 0));
}

std::string Sha256::HexDigest() {
    UCHAR digest[kDigestBytes] = {};
    if (!Digest(digest)) return "";
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (UCHAR byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

bool HashFile(const std::string& file, std::string* hex) {
    HANDLE opened = CreateFileA(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    zarnel::KernelHandle handle(opened);
    Sha256 hash;
    std::vector<char> buffer(kReadChunk);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(handle.get(), buffer.data(), kReadChunk, &got, nullptr)) return false;
        if (got == 0) break;
        if (!hash.Add(buffer.data(), got)) return false;
    }
    *hex = hash.HexDigest();
    return !hex->empty();
}

}  // namespace brisvane
