// Signing for the updater's tests, through CNG as the updater verifies: a
// fresh key pair per signer, or the demo key the test build's updater trusts.
#pragma once
#include <windows.h>
#include <bcrypt.h>

#include <string>

#include "cng_handles.h"

namespace btest {

class TestSigner {
public:
    TestSigner();  // a new key pair
    // The 96 bytes X, Y and d of a P-256 private key.
    explicit TestSigner(const std::string& privateKey);

    bool ok() const { return static_cast<bool>(m_hKey); }
    std::string PublicKey() const;  // the 64 bytes X then Y
    std::string SignatureBytes(const std::string& data) const;  // the 64 bytes r then s
    // The signature file a publisher serves: base64 and a line end.
    std::string Signature(const std::string& data) const;

private:
    brisvane::AlgorithmHandle m_hAlgorithm;
    brisvane::KeyHandle m_hKey;
};

// The key pair of tools/demo/keys, which the test build's updater trusts.
const TestSigner& DemoSigner();

// The platform's base64 (padded, no line breaks), independent of the updater's.
std::string Base64(const std::string& bytes);

}  // namespace btest
