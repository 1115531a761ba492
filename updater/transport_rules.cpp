#include "transport_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "ascii_case.h"

namespace zarnel {

namespace {

bool SameLetters(const std::string& text, const char* lower) {
    return AsciiLower(text) == lower;
}

}  // namespace

std::optional<Endpoint> ChooseEndpoint(const std::string& scheme, unsigned port) {
    Endpoint endpoint;
    if (SameLetters(scheme, "http")) {
        endpoint.port = port ? port : 80;
    } else if (SameLetters(scheme, "https")) {
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
