#include "signature.h"

#include <climits>
#include <cstring>

#include "cng_handles.h"
#include "sha256.h"
#include "signature_text.h"

namespace brisvane {

namespace {

constexpr ULONG kCoordinateBytes = 32;

// The key as CNG imports it: a BCRYPT_ECCKEY_BLOB header, then X, then Y.
bool ImportPublicKey(const AlgorithmHandle& ecdsa, const std::string& key, KeyHandle* imported) {
    if (key.size() != 2 * kCoordinateBytes) return false;
    UCHAR blob[sizeof(BCRYPT_ECCKEY_BLOB) + 2 * kCoordinateBytes];
    BCRYPT_ECCKEY_BLOB header;
    header.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
    header.cbKey = kCoordinateBytes;
    std::memcpy(blob, &header, sizeof header);
    std::memcpy(blob + sizeof header, key.data(), key.size());
    BCRYPT_KEY_HANDLE handle = nullptr;
    // A point off the curve is refused here.
    if (!BCRYPT_SUCCESS(BCryptImportKeyPair(ecdsa.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle, blob,
                                            sizeof blob, 0)))
        return false;
    imported->reset(handle);
    return true;
}

}  // namespace

SignatureCheck CheckSignature(const std::string& signedBytes, const std::string& signatureText,
                              const std::vector<std::string>& keys) {
    std::string signature;
    if (!ReadSignatureText(signatureText, &signature)) return SignatureCheck::kMalformed;
    if (signedBytes.size() > ULONG_MAX) return SignatureCheck::kInvalid;
    Sha256 hash;
    UCHAR digest[Sha256::kDigestBytes];
    if (!hash.Add(signedBytes.data(), static_cast<ULONG>(signedBytes.size())) || !hash.Digest(digest))
        return SignatureCheck::kInvalid;
    AlgorithmHandle ecdsa;
    if (!OpenAlgorithm(&ecdsa, BCRYPT_ECDSA_P256_ALGORITHM)) return SignatureCheck::kInvalid;
    for (const std::string& key : keys) {
        KeyHandle imported;
        if (!ImportPublicKey(ecdsa, key, &imported)) continue;
        if (BCRYPT_SUCCESS(BCryptVerifySignature(imported.get(), nullptr, digest, sizeof digest,
                                                 reinterpret_cast<PUCHAR>(&signature[0]),
                                                 static_cast<ULONG>(signature.size()), 0)))
            return SignatureCheck::kValid;
    }
    return SignatureCheck::kInvalid;
}

}  // namespace brisvane
