#include "app/game_address.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace game {

namespace {

constexpr std::string_view kServerIdMarker = "&serverid=";
constexpr std::string_view kUserNameMarker = "&username=";
constexpr int kLastTwoLineServer = 998;

}  // namespace

std::string AddressValue(std::string_view url, std::string_view marker) {
    const size_t p = url.find(marker);
    if (p == std::string_view::npos) {
        return {};
    }
    const size_t e = url.find('&', p + 1);
    if (e == std::string_view::npos) {
        return {};
    }
    // Searching from p + 1 skips the marker's own "&", so e >= start.
    const size_t start = p + marker.size();
    return e > start ? std::string(url.substr(start, e - start)) : std::string();
}

int ServerIdFromAddress(std::string_view url) {
    const std::string value = AddressValue(url, kServerIdMarker);
    long number = std::strtol(value.c_str(), nullptr, 10);
    // atoi leaves overflow undefined; keep the nearest representable number.
    if (number > INT_MAX) {
        return INT_MAX;
    }
    if (number < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(number);
}

std::string UserNameFromAddress(std::string_view url) {
    return AddressValue(url, kUserNameMarker);
}

std::string GameTitle(int serverId) {
    char title[128];
    if (serverId <= kLastTwoLineServer) {
        std::snprintf(title, sizeof title, "Halden 《Arvendel》 双线%d服", serverId);
    } else {
        std::snprintf(title, sizeof title, "Halden 《Arvendel》 不删档封测%d服", serverId - kLastTwoLineServer);
    }
    return title;
}

}  // namespace game
