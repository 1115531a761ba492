// Keys and values come from any page: the store's rules must take any bytes.
// The first byte splits the rest into key and value.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "browser/config_rules.h"

namespace {

// Code page 936's lead bytes.
bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = data[0] < rest.size() ? data[0] : rest.size();
    const std::string_view key = rest.substr(0, split);
    const std::string_view value = rest.substr(split);

    config::IsStorableEntry(key, value);
    const std::string argument = config::QueryArgs(value, key);
    if (argument.find(' ') != std::string::npos) std::abort();
    for (std::size_t buffer : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{7}, size}) {
        const std::string cut = config::CutToBuffer(value, buffer, IsGbkLeadByte);
        if (buffer > 0 ? cut.size() >= buffer : !cut.empty()) std::abort();
        if (value.substr(0, cut.size()) != cut) std::abort();
    }
    return 0;
}
