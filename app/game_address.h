// What the game window takes from the hand-over address of the game's site,
// "...clientex/bin/index.php?...&serverid=N&username=NAME&...", and the
// window title that names the server.
#pragma once

#include <string>
#include <string_view>

namespace game {

// The text between marker and the next "&" (the marker's own leading "&"
// skipped). Empty when no "&" follows the value, and when the marker does
// not occur at all: a meaningless slice of the address helps nobody.
std::string AddressValue(std::string_view url, std::string_view marker);

// The number after "&serverid=", with atoi's rules: leading blanks, a sign,
// digits up to the first non-digit; 0 without digits or without the marker.
int ServerIdFromAddress(std::string_view url);

// The text after "&username=", not URL-decoded.
std::string UserNameFromAddress(std::string_view url);

// The game window's title in the ANSI code page: servers up to 998 are
// "双线N服", from 999 on the closed-test servers count from 1 again.
std::string GameTitle(int serverId);

}  // namespace game
