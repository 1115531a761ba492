// The text forms of the update signature and the publisher's keys, read
// strictly: what the server sends is hostile, and a lenient reader would
// accept forms no publisher's tool writes.
//   <manifest address>.sig  base64 of the 64 bytes r then s of an ECDSA P-256
//                           signature over the manifest's SHA-256, optionally
//                           followed by CR/LF
//   a public key            base64 of the 64 bytes X then Y of the point
#pragma once
#include <string>

namespace brisvane {

constexpr std::size_t kSignatureBytes = 64;
constexpr std::size_t kPublicKeyBytes = 64;

// Standard alphabet, padded to a multiple of four, no other characters, and
// the unused bits of the last character zero (so one text per byte string).
bool DecodeBase64(const std::string& text, std::string* bytes);

// The r and s of a signature file; false when it is anything else.
bool ReadSignatureText(const std::string& text, std::string* signature);

// The X and Y of one key line, as the key file and the built-in list hold them.
bool ReadPublicKeyText(const std::string& text, std::string* key);

}  // namespace brisvane
