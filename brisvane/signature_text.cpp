#include "signature_text.h"

namespace brisvane {

namespace {

// The six bits a base64 character stands for, or -1 outside the alphabet.
int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool DecodeExactly(const std::string& text, std::size_t length, std::string* bytes) {
    std::string decoded;
    if (!DecodeBase64(text, &decoded) || decoded.size() != length) return false;
    *bytes = decoded;
    return true;
}

}  // namespace

bool DecodeBase64(const std::string& text, std::string* bytes) {
    if (text.size() % 4 != 0) return false;
    // Padding only at the very end, at most two characters of it.
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') ++padding;
    const std::size_t data = text.size() - padding;
    std::string out;
    out.reserve(data * 3 / 4);
    unsigned bits = 0;
    int held = 0;
    for (std::size_t i = 0; i < data; ++i) {
        const int sextet = SextetOf(text[i]);
        if (sextet < 0) return false;
        bits = (bits << 6) | static_cast<unsigned>(sextet);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out += static_cast<char>((bits >> held) & 0xFF);
        }
    }
    // Leftover bits must be zero padding: 2 after one '=' , 4 after two.
    if ((bits & ((1u << held) - 1)) != 0) return false;
    *bytes = out;
    return true;
}

bool ReadSignatureText(const std::string& text, std::string* signature) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
    return DecodeExactly(text.substr(0, end), kSignatureBytes, signature);
}

bool ReadPublicKeyText(const std::string& text, std::string* key) {
    return DecodeExactly(text, kPublicKeyBytes, key);
}

}  // namespace brisvane
