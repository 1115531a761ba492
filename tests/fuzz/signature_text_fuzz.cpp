// The signature file comes from the update server: any bytes. What the
// reader accepts must be the one canonical text of the bytes it returns.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "brisvane/signature_text.h"

namespace {

std::string Encode(const std::string& bytes) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        text += kAlphabet[group >> 18];
        text += kAlphabet[(group >> 12) & 63];
        text += i + 1 < bytes.size() ? kAlphabet[(group >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? kAlphabet[group & 63] : '=';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string bytes;
    if (brisvane::DecodeBase64(text, &bytes) && Encode(bytes) != text) std::abort();
    std::string signature;
    if (brisvane::ReadSignatureText(text, &signature)) {
        if (signature.size() != brisvane::kSignatureBytes) std::abort();
        if (text.compare(0, 88, Encode(signature)) != 0) std::abort();
        if (text.find_first_not_of("\r\n", 88) != std::string::npos) std::abort();
    }
    return 0;
}
