// The publisher's public keys this build trusts, from the key file named at
// configure time (VORN_UPDATE_KEYS): one or more, so that a release signed
// with a new key and one signed with the old key both install while a
// publisher moves between them.
#pragma once
#include <string>
#include <vector>

namespace brisvane {

// Each the 64 bytes X then Y (ReadPublicKeyText).
std::vector<std::string> BuiltInUpdateKeys();

}  // namespace brisvane
