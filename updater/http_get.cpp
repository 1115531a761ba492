#include "http_get.h"

#include <wininet.h>

#include "transport_rules.h"

namespace zarnel {

namespace {

constexpr char kAgent[] = "Quendral";
// Always from the server, never into the cache, with a no-cache pragma.
// Redirects are followed here, where their target is checked, not by WinINet,
// which follows them wherever they lead.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr DWORD_PTR kRequestContext = 1;
// A Content-Length that does not fit this buffer is far over any limit.
constexpr DWORD kLengthBuffer = 32;

void SetLimit(HINTERNET handle, DWORD option, DWORD milliseconds) {
    InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds);
}

// Set on the root, the limits hold on Windows for every handle opened from
// it; Wine's WinINet takes them from the connection handle only.
void SetLimits(HINTERNET handle, const TimeLimits& limits) {
    SetLimit(handle, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectMs);
    SetLimit(handle, INTERNET_OPTION_SEND_TIMEOUT, limits.sendMs);
    SetLimit(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.receiveMs);
    SetLimit(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, limits.sendMs);
    SetLimit(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, limits.receiveMs);
}

}  // namespace

bool HttpGet::Open(const UrlTarget& target, const std::string& objectName,
                   const TimeLimits& limits) {
    UrlTarget at = target;
    std::string object = objectName;
    for (int redirects = 0;; ++redirects) {
        if (!Send(at, object, limits)) return false;
        if (!IsRedirect(Status()) || redirects == kMaxRedirects) return true;
        const std::optional<std::string> next = RedirectTarget(
            RequestAddress(at.secure, at.server, at.port, object), Location());
        // A redirect that may not be followed is the answer.
        if (!next || !splitUrl(*next, &at)) return true;
        object = at.object;
    }
}

std::string HttpGet::Location() const {
    char text[kLongestAddress + 1] = {};
    DWORD size = sizeof text;
    // A longer one is no address to follow.
    if (!HttpQueryInfoA(m_hRequest.get(), HTTP_QUERY_LOCATION, text, &size, nullptr)) return std::string();
    return std::string(text, size < sizeof text ? size : 0);
}

bool HttpGet::Send(const UrlTarget& target, const std::string& objectName, const TimeLimits& limits) {
    m_hRequest.reset();
    m_hConnection.reset();
    m_hRoot.reset(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!m_hRoot) return false;
    SetLimits(m_hRoot.get(), limits);

    // The one-character user name and password stand for no account.
    m_hConnection.reset(InternetConnectA(m_hRoot.get(), target.server.c_str(),
                                         static_cast<INTERNET_PORT>(target.port), "-", "-",
                                         INTERNET_SERVICE_HTTP, 0, 0));
    if (!m_hConnection) return false;
    SetLimits(m_hConnection.get(), limits);
    DWORD flags = kRequestFlags | (target.secure ? INTERNET_FLAG_SECURE : 0);
    m_hRequest.reset(HttpOpenRequestA(m_hConnection.get(), "GET", objectName.c_str(), "HTTP/1.0",
                                      nullptr, nullptr, flags, kRequestContext));
    return m_hRequest && HttpSendRequestA(m_hRequest.get(), nullptr, 0, nullptr, 0);
}

DWORD HttpGet::Status() const {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(m_hRequest.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &size, nullptr))
        return 0;
    return status;
}

std::optional<std::uint64_t> HttpGet::DeclaredLength() const {
    char text[kLengthBuffer] = {};
    DWORD size = kLengthBuffer;
    if (HttpQueryInfoA(m_hRequest.get(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return ParseContentLength(text);
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) return UINT64_MAX;
    return std::nullopt;
}

bool HttpGet::Read(char* buffer, DWORD size, DWORD* got) {
    *got = 0;
    // A synchronous read waits until it has filled the whole buffer: asking
    // only for what has arrived keeps each call as short as the data allows,
    // so callers can keep their own clock and cancel between calls.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(m_hRequest.get(), &available, 0, 0)) return false;
    if (available == 0) return true;  // the end of the body
    return InternetReadFile(m_hRequest.get(), buffer, available < size ? available : size, got) !=
           FALSE;
}

}  // namespace zarnel

namespace zarnel {

bool HttpGet::ReadBlock(char* buffer, DWORD size, DWORD* got) {
    *got = 0;
    return InternetReadFile(m_hRequest.get(), buffer, size, got) != FALSE;
}

}  // namespace zarnel
