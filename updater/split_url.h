// Splitting the server manifest's absolute URL into what the request needs.
#pragma once
#include <string>

namespace zarnel {

struct UrlTarget {
    std::string server;  // host name, as cracked
    std::string object;  // path and query, percent-encoded as canonicalised
    unsigned port = 0;
    bool secure = false;
};

// False when the URL cannot be canonicalised or cracked, or its scheme is
// neither http nor https.
bool splitUrl(const std::string& url, UrlTarget* target);

}  // namespace zarnel
