#include "transport_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "ascii_case.h"

namespace zarnel {

namespace {

// The scheme at the start of an address, in small letters; empty when the
// text does not start with one (a relative address).
std::string SchemeOf(const std::string& address) {
    std::string scheme;
    for (char c : address) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ':') return scheme;
        const bool allowed = std::isalpha(u) || (!scheme.empty() && (std::isdigit(u) || c == '+' || c == '-' || c == '.'));
        if (!allowed || u >= 0x80) return std::string();
        scheme += AsciiLower(c);
    }
    return std::string();
}

// location read against current, as a browser reads a link on a page.
std::string Resolve(const std::string& current, const std::string& location, const std::string& scheme) {
    if (!SchemeOf(location).empty()) return location;
    if (location.rfind("//", 0) == 0) return scheme + ":" + location;
    const std::size_t authority = current.find("://") + 3;
    const std::size_t pathStart = std::min(current.find_first_of("/?#", authority), current.size());
    const std::string origin = current.substr(0, pathStart);
    std::string path = current.substr(pathStart);
    path = path.substr(0, path.find('#'));
    if (location.empty()) return origin + path;
    if (location[0] == '/') return origin + location;
    path = path.substr(0, path.find('?'));
    if (location[0] == '?') return origin + (path.empty() ? "/" : path) + location;
    // The current document's folder; dot segments go when the address is split.
    const std::size_t slash = path.rfind('/');
    return origin + (slash == std::string::npos ? "/" : path.substr(0, slash + 1)) + location;
}

}  // namespace

std::string RequestAddress(bool secure, const std::string& server, unsigned port, const std::string& object) {
    // An IPv6 address is written in brackets, so its colons are not the port's.
    const bool bare6 = server.find(':') != std::string::npos && server[0] != '[';
    return std::string(secure ? "https://" : "http://") + (bare6 ? "[" + server + "]" : server) + ":" +
           std::to_string(port) + object;
}

bool IsRedirect(unsigned status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::string> RedirectTarget(const std::string& current, const std::string& location) {
    if (location.empty() || location.size() > kLongestAddress) return std::nullopt;
    for (char c : location) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return std::nullopt;
    }
    const std::string from = SchemeOf(current);
    if ((from != "http" && from != "https") || current.compare(from.size(), 3, "://") != 0) return std::nullopt;
    const std::string next = Resolve(current, location.substr(0, location.find('#')), from);
    const std::string to = SchemeOf(next);
    if (to != "http" && to != "https") return std::nullopt;
    if (from == "https" && to == "http") return std::nullopt;
    if (next.size() > kLongestAddress) return std::nullopt;
    return next;
}

std::optional<Endpoint> ChooseEndpoint(const std::string& scheme, unsigned port) {
    Endpoint endpoint;
    if (AsciiLower(scheme) == "http") {
        endpoint.port = port ? port : 80;
    } else if (AsciiLower(scheme) == "https") {
        endpoint.port = port ? port : 443;
        endpoint.secure = true;
    } else {
        return std::nullopt;
    }
    if (endpoint.port > 65535) return std::nullopt;
    return endpoint;
}

std::string ObjectName(const std::string& object, std::uint32_t seconds) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "?v=%u", static_cast<unsigned>(seconds));
    return object + suffix;
}

std::optional<std::uint64_t> ParseContentLength(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    if (!std::isdigit(static_cast<unsigned char>(*text))) return std::nullopt;
    constexpr std::uint64_t kSaturated = UINT64_MAX / 10;
    std::uint64_t value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        if (value >= kSaturated) return UINT64_MAX;
        value = value * 10 + static_cast<unsigned>(*text - '0');
    }
    return value;
}

ResponseBody::ResponseBody(std::optional<std::uint64_t> declared) : m_nDeclared(declared) {
    if (m_nDeclared && *m_nDeclared > kMaxBytes) m_bAcceptable = false;
}

std::size_t ResponseBody::NextRead(std::size_t chunk) const {
    if (!m_bAcceptable) return 0;
    // Without a declared length, asking for one byte past the limit is how an
    // oversized body shows.
    std::uint64_t limit = m_nDeclared ? *m_nDeclared : kMaxBytes + 1;
    std::uint64_t left = limit > m_strBytes.size() ? limit - m_strBytes.size() : 0;
    return static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk));
}

void ResponseBody::Append(const char* data, std::size_t size) {
    m_strBytes.append(data, size);
    if (m_strBytes.size() > kMaxBytes) m_bAcceptable = false;
}

std::string ResponseBody::Text() const {
    return std::string(m_strBytes.c_str());
}

}  // namespace zarnel
