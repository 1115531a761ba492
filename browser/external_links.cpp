#include "browser/external_links.h"

#include <windows.h>
#include <shellapi.h>

#include "browser/config_store.h"

namespace links {

namespace {

// Replaces each occurrence of marker in text; the search goes on after the
// inserted value, never inside it.
std::string ReplaceAll(std::string_view text, std::string_view marker, std::string_view value) {
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, from)) {
        result.append(text.substr(from, at - from));
        result.append(value);
        from = at + marker.size();
    }
    result.append(text.substr(from));
    return result;
}

}  // namespace

void OpenLink(std::string_view address) {
    if (address.empty()) {
        return;
    }
    const std::string text(address);
    // Fire and forget: whatever the shell makes of it is its own business.
    ShellExecuteA(nullptr, "open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string SitePageAddress(SitePage page) {
    // The keys the installation's WebCfg.ini uses.
    switch (page) {
        case SitePage::kForum: return config::ReadPlatformSetting("bbsAddr");
        case SitePage::kHome: return config::ReadPlatformSetting("homeAddr");
        case SitePage::kRecharge: return config::ReadPlatformSetting("rechargeAddr");
        case SitePage::kService: return config::ReadPlatformSetting("serviceAddr");
    }
    return std::string();
}

void OpenSitePage(SitePage page) {
    OpenLink(SitePageAddress(page));
}

std::string FillRechargePlaceholders(std::string_view address, int serverId, std::string_view userName) {
    // "[server]" first: its digits can never form "[user]", and the user name,
    // inserted last, is never searched.
    const std::string withServer = ReplaceAll(address, "[server]", std::to_string(serverId));
    return ReplaceAll(withServer, "[user]", userName);
}

}  // namespace links
