// Pages the program sends the user to in the default browser: the forum,
// customer service, the home page and the recharge page.
#pragma once

#include <string_view>

namespace links {

// Hands the address to the shell, which opens it with the user's handler.
// An empty address does nothing: the shell would open a folder window for it.
void OpenLink(std::string_view address);

}  // namespace links
