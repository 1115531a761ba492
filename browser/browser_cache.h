// Clearing the browsers' cache: the per-user WinINet URL cache, which the
// WebBrowser controls (and the system browser) share.
#pragma once

// Deletes every cache entry whose source address does not contain "cookie"
// (case-sensitive: "Cookie" is deleted). True when the walk ended normally,
// also for an empty cache; false when an entry buffer could not be allocated
// (entries deleted so far stay deleted). Entries that cannot be deleted stay.
bool ClearBrowserCache();
