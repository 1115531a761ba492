// Whether the server's manifest is the publisher's: its exact bytes checked
// against the signature served beside it (signature_text.h) with ECDSA P-256
// over SHA-256, through the platform's CNG provider. Any of the keys may
// have signed, so a publisher can move to a new key while the old one still
// counts.
#pragma once
#include <string>
#include <vector>

namespace brisvane {

enum class SignatureCheck {
    kValid,      // one of the keys signed exactly these bytes
    kMalformed,  // the signature file is not in the publisher's form
    kInvalid,    // a wrong signature, or one by a key not in the list
};

// keys: each the 64 bytes X then Y (ReadPublicKeyText).
SignatureCheck CheckSignature(const std::string& signedBytes, const std::string& signatureText,
                              const std::vector<std::string>& keys);

}  // namespace brisvane
