#include "update_keys.h"

#include "signature_text.h"

namespace brisvane {

namespace {

// Generated from the key file; the configure step has checked each line's form.
#include "update_keys.inc"

}  // namespace

std::vector<std::string> BuiltInUpdateKeys() {
    std::vector<std::string> keys;
    for (const char* line : kUpdateKeyLines) {
        std::string key;
        if (ReadPublicKeyText(line, &key)) keys.push_back(key);
    }
    return keys;
}

}  // namespace brisvane
