// One HTTP GET of one document over WinINet, answered as ANSI text.
#pragma once
#include <optional>
#include <string>

#include "http_get.h"
#include "transport_rules.h"

namespace zarnel {

class HttpRequest {
public:
    // A manifest is small: the whole exchange, connection to last byte, ends
    // within this however slowly a server trickles its answer.
    static constexpr DWORD kWholeExchangeMs = 30000;

    void setServer(const std::string& text) { m_strServer = text; }
    void setObject(const std::string& text) { m_strObject = text; }
    void setPort(unsigned number) { m_nPort = number; }
    void setSecure(bool tls) { m_bSecure = tls; }
    void setLimits(const TimeLimits& limits, DWORD wholeExchangeMs) {
        m_limits = limits;
        m_nWholeExchangeMs = wholeExchangeMs;
    }

    // The body in the thread's ANSI code page, cut at its first zero byte.
    // On failure (no answer, a broken, stalled or short body, a body over the limit,
    // time up, a redirect that may not be followed or one too many): an empty
    // text and *error set to -1; otherwise *error is left as it was. Other
    // HTTP statuses are not judged here.
    std::string get(int* error) const;
    // The body exactly as it arrived, no conversion and no cut; false on the
    // failures get reports.
    bool getBytes(std::string* bytes) const;

private:
    std::optional<ResponseBody> Receive() const;

    std::string m_strServer;
    std::string m_strObject;
    unsigned m_nPort = 80;
    bool m_bSecure = false;
    TimeLimits m_limits;
    DWORD m_nWholeExchangeMs = kWholeExchangeMs;
};

}  // namespace zarnel
