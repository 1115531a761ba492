// The hand-over address comes from the site (any frame may navigate): the
// rules that read it must take any bytes and give back only slices of it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/game_address.h"
#include "launcher/game_address.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view url(reinterpret_cast<const char*>(data), size);
    launcher::IsGameAddress(url);
    const std::string user = game::UserNameFromAddress(url);
    // A value ends at the next "&" and lies inside the address.
    if (user.find('&') != std::string::npos || url.find(user) == std::string_view::npos) std::abort();
    const std::string title = game::GameTitle(game::ServerIdFromAddress(url));
    if (title.empty()) std::abort();
    return 0;
}
