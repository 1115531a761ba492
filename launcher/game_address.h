// How the launcher recognises the site's hand-over to the game: a completed
// navigation, in any frame, to an address holding the game's client page.
#pragma once

#include <string_view>

namespace launcher {

// Exact and case-sensitive, anywhere in the address, question mark included.
inline bool IsGameAddress(std::string_view url) {
    return url.find("clientex/bin/index.php?") != std::string_view::npos;
}

}  // namespace launcher
