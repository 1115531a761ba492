// Pages the program sends the user to in the default browser: the forum,
// customer service, the home page and the recharge page.
#pragma once

#include <string>
#include <string_view>

namespace links {

// Hands the address to the shell, which opens it with the user's handler.
// An empty address does nothing: the shell would open a folder window for it.
void OpenLink(std::string_view address);

// The site's pages behind the launcher's and the game window's buttons.
enum class SitePage { kForum, kHome, kRecharge, kService };

// The page's address from section "platform" of WebCfg.ini; empty when the
// installation names none.
std::string SitePageAddress(SitePage page);

// Opens the page's address as it is written (a recharge address keeps its
// placeholders).
void OpenSitePage(SitePage page);

// The caption's recharge address: every "[server]" replaced by the server
// number ("%d", a minus sign included), then every "[user]" by the user name
// as it is (no URL encoding). Matches are found left to right, case-sensitive,
// and text a replacement inserted is never searched again, so a user name
// holding "[server]" arrives unchanged.
std::string FillRechargePlaceholders(std::string_view address, int serverId, std::string_view userName);

}  // namespace links
