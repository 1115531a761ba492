#include "split_url.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "transport_rules.h"

namespace zarnel {

namespace {

// INTERNET_MAX_URL_LENGTH: the platform's longest URL, terminator included.
constexpr DWORD kUrlBuffer = 2084;

bool Canonicalize(const std::string& url, std::string* canonical) {
    // ICU_BROWSER_MODE encodes spaces and unsafe characters and resolves "."
    // and "..", but leaves everything after "?" or "#" alone.
    std::vector<char> buffer(kUrlBuffer);
    DWORD size = kUrlBuffer;
    if (!InternetCanonicalizeUrlA(url.c_str(), buffer.data(), &size, ICU_BROWSER_MODE)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
        buffer.assign(size + 1, '\0');
        size = static_cast<DWORD>(buffer.size());
        if (!InternetCanonicalizeUrlA(url.c_str(), buffer.data(), &size, ICU_BROWSER_MODE))
            return false;
    }
    canonical->assign(buffer.data(), size);
    return true;
}

}  // namespace

bool splitUrl(const std::string& url, UrlTarget* target) {
    std::string canonical;
    if (!Canonicalize(url, &canonical)) return false;

    // The query is not asked for apart, so it stays at the end of the path.
    std::vector<char> scheme(kUrlBuffer), host(kUrlBuffer), path(kUrlBuffer);
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszScheme = scheme.data();
    parts.dwSchemeLength = kUrlBuffer;
    parts.lpszHostName = host.data();
    parts.dwHostNameLength = kUrlBuffer;
    parts.lpszUrlPath = path.data();
    parts.dwUrlPathLength = kUrlBuffer;
    if (!InternetCrackUrlA(canonical.c_str(), 0, 0, &parts)) return false;

    // Cracking fills in the scheme's default port when the URL names none.
    std::optional<Endpoint> endpoint = ChooseEndpoint(scheme.data(), parts.nPort);
    if (!endpoint) return false;
    target->server = host.data();
    target->object = path.data();
    target->port = endpoint->port;
    target->secure = endpoint->secure;
    return true;
}

}  // namespace zarnel
