// One HTTP GET over WinINet, bounded in time: the update step runs on the
// launcher's user-interface thread, so a server that accepts and then says
// nothing must not hold it for WinINet's own minutes-long limits.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "split_url.h"
#include "win_handles.h"

namespace zarnel {

// Each limit bounds one wait: connecting, sending the request, and each
// receive (the answer's headers, then every read of the body).
struct TimeLimits {
    DWORD connectMs = 10000;
    DWORD sendMs = 10000;
    DWORD receiveMs = 10000;
};

class HttpGet {
public:
    // Connects to the target's server and port (TLS for https) and sends the
    // GET for objectName, always from the server and never into the cache.
    // Redirects are followed as RedirectTarget allows, at most kMaxRedirects
    // in a row; one that may not be followed stays the answer, its status a
    // redirect's. False when nothing answers in time.
    bool Open(const UrlTarget& target, const std::string& objectName, const TimeLimits& limits);
    // The answer's status code; 0 when it has none.
    DWORD Status() const;
    // The Content-Length, none when absent; an unreadable huge one saturates.
    std::optional<std::uint64_t> DeclaredLength() const;
    // Reads what has arrived, at most size bytes; *got is 0 at the end of the
    // body. False when the connection breaks or stalls past the limit.
    bool Read(char* buffer, DWORD size, DWORD* got);
    // Reads size bytes, fewer only at the end of the body: one call for a
    // big block, for callers that size their blocks to the data's pace.
    bool ReadBlock(char* buffer, DWORD size, DWORD* got);

private:
    // One request, without following a redirect.
    bool Send(const UrlTarget& target, const std::string& objectName, const TimeLimits& limits);
    // The answer's Location header; empty when it has none or a longer one
    // than an address can be.
    std::string Location() const;

    // Declared in opening order, so they close request first, root last.
    InternetHandle m_hRoot;
    InternetHandle m_hConnection;
    InternetHandle m_hRequest;
};

}  // namespace zarnel
