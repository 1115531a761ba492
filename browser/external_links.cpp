#include "browser/external_links.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace links {

void OpenLink(std::string_view address) {
    if (address.empty()) {
        return;
    }
    const std::string text(address);
    // Fire and forget: whatever the shell makes of it is its own business.
    ShellExecuteA(nullptr, "open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace links
