#include "test_signer.h"

#include <wincrypt.h>

#include <cstring>
#include <vector>

#include "sha256.h"
#include "signature_text.h"
#include "signing_fixtures.h"

namespace btest {

namespace {

constexpr ULONG kCoordinate = 32;

std::string Exported(BCRYPT_KEY_HANDLE key, LPCWSTR type) {
    ULONG size = 0;
    if (!BCRYPT_SUCCESS(BCryptExportKey(key, nullptr, type, nullptr, 0, &size, 0))) return "";
    std::string blob(size, '\0');
    if (!BCRYPT_SUCCESS(BCryptExportKey(key, nullptr, type, reinterpret_cast<PUCHAR>(&blob[0]), size, &size, 0)))
        return "";
    return blob;
}

}  // namespace

TestSigner::TestSigner() {
    if (!brisvane::OpenAlgorithm(&m_hAlgorithm, BCRYPT_ECDSA_P256_ALGORITHM)) return;
    BCRYPT_KEY_HANDLE key = nullptr;
    if (BCRYPT_SUCCESS(BCryptGenerateKeyPair(m_hAlgorithm.get(), &key, 256, 0))) m_hKey.reset(key);
    if (m_hKey && !BCRYPT_SUCCESS(BCryptFinalizeKeyPair(m_hKey.get(), 0))) m_hKey.reset();
}

TestSigner::TestSigner(const std::string& privateKey) {
    if (privateKey.size() != 3 * kCoordinate) return;
    if (!brisvane::OpenAlgorithm(&m_hAlgorithm, BCRYPT_ECDSA_P256_ALGORITHM)) return;
    BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PRIVATE_P256_MAGIC, kCoordinate};
    std::string blob(reinterpret_cast<const char*>(&header), sizeof header);
    blob += privateKey;
    BCRYPT_KEY_HANDLE key = nullptr;
    if (BCRYPT_SUCCESS(BCryptImportKeyPair(m_hAlgorithm.get(), nullptr, BCRYPT_ECCPRIVATE_BLOB, &key,
                                           reinterpret_cast<PUCHAR>(&blob[0]), static_cast<ULONG>(blob.size()), 0)))
        m_hKey.reset(key);
}

std::string TestSigner::PublicKey() const {
    const std::string blob = Exported(m_hKey.get(), BCRYPT_ECCPUBLIC_BLOB);
    return blob.size() < sizeof(BCRYPT_ECCKEY_BLOB) ? "" : blob.substr(sizeof(BCRYPT_ECCKEY_BLOB));
}

std::string TestSigner::SignatureBytes(const std::string& data) const {
    brisvane::Sha256 hash;
    UCHAR digest[brisvane::Sha256::kDigestBytes];
    if (!hash.Add(data.data(), static_cast<ULONG>(data.size())) || !hash.Digest(digest)) return "";
    std::string signature(2 * kCoordinate, '\0');
    ULONG size = 0;
    if (!BCRYPT_SUCCESS(BCryptSignHash(m_hKey.get(), nullptr, digest, sizeof digest,
                                       reinterpret_cast<PUCHAR>(&signature[0]), 2 * kCoordinate, &size, 0)))
        return "";
    signature.resize(size);
    return signature;
}

std::string TestSigner::Signature(const std::string& data) const {
    return Base64(SignatureBytes(data)) + "\n";
}

const TestSigner& DemoSigner() {
    static const TestSigner signer([] {
        std::string key;
        brisvane::DecodeBase64(kDemoSigningKey, &key);
        return key;
    }());
    return signer;
}

std::string Base64(const std::string& bytes) {
    DWORD size = 0;
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    if (!CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, nullptr, &size)) return "";
    std::vector<char> text(size);
    if (!CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, text.data(), &size)) return "";
    return std::string(text.data(), size);
}

}  // namespace btest
