// Rules of the transport that need no platform: where to connect, which
// object to ask for, where a redirect may lead, and how much of a body to accept.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zarnel {

struct Endpoint {
    unsigned port = 0;
    bool secure = false;
};

// The scheme decides TLS; a port of 0 means the URL named none.
// Only "http" and "https" can be fetched.
std::optional<Endpoint> ChooseEndpoint(const std::string& scheme, unsigned port);

// The address a request goes to, as the redirect rules read it.
std::string RequestAddress(bool secure, const std::string& server, unsigned port, const std::string& object);

// The statuses whose Location the transport follows, always with a GET.
bool IsRedirect(unsigned status);

// Redirects followed in a row; the answer after the last is taken as it is.
inline constexpr int kMaxRedirects = 5;

// The longest address followed: the platform's own limit for a URL.
inline constexpr std::size_t kLongestAddress = 2083;

// Where a redirect from current (an absolute http or https address) leads:
// location resolved against current, without its fragment. None when it may
// not be followed: a scheme other than http or https, from https to http
// (what was meant to be private would go in the clear), a location that is
// empty or holds control characters, or an address over kLongestAddress.
std::optional<std::string> RedirectTarget(const std::string& current, const std::string& location);

// The object name sent to the server: a cache-busting "?v=<seconds>" is
// appended as it is, even after an existing query.
std::string ObjectName(const std::string& object, std::uint32_t seconds);

// The value of a Content-Length header: its leading decimal number, or none
// when the text holds no number. Huge values saturate.
std::optional<std::uint64_t> ParseContentLength(const char* text);

// Collects a response body. With a declared length it takes at most that many
// bytes; either way more than kMaxBytes makes the body unacceptable.
class ResponseBody {
public:
    static constexpr std::uint64_t kMaxBytes = 16u * 1024 * 1024;

    explicit ResponseBody(std::optional<std::uint64_t> declared);

    bool acceptable() const { return m_bAcceptable; }
    // False while fewer bytes than a declared length have arrived: a body
    // that ends there was cut short.
    bool complete() const { return !m_nDeclared || m_strBytes.size() >= *m_nDeclared; }
    // How many bytes to ask for next, at most chunk; 0 once the body is complete.
    std::size_t NextRead(std::size_t chunk) const;
    void Append(const char* data, std::size_t size);
    // The text: the received bytes up to the first zero byte.
    std::string Text() const;
    // Every received byte, for bytes checked before they are read as text.
    const std::string& Bytes() const { return m_strBytes; }
    std::size_t size() const { return m_strBytes.size(); }

private:
    std::optional<std::uint64_t> m_nDeclared;
    std::string m_strBytes;
    bool m_bAcceptable = true;
};

}  // namespace zarnel
