#include "http_request.h"

#include <ctime>
#include <vector>

#include "ansi_text.h"
#include "step_failure.h"

namespace zarnel {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

std::optional<ResponseBody> HttpRequest::Receive() const {
    const ULONGLONG start = GetTickCount64();
    auto timeUp = [&] { return GetTickCount64() - start > m_nWholeExchangeMs; };

    UrlTarget target;
    target.server = m_strServer;
    target.port = m_nPort;
    target.secure = m_bSecure;
    std::uint32_t seconds = static_cast<std::uint32_t>(_time64(nullptr));
    HttpGet request;
    if (!request.Open(target, ObjectName(m_strObject, seconds), m_limits) || timeUp())
        return std::nullopt;
    // A redirect that was not followed: the document is not here.
    if (IsRedirect(request.Status())) return std::nullopt;

    ResponseBody body(request.DeclaredLength());
    std::vector<char> chunk(kReadChunk);
    // Synchronous reads return what has arrived; zero bytes read is the end.
    while (std::size_t want = body.NextRead(chunk.size())) {
        DWORD got = 0;
        if (!request.Read(chunk.data(), static_cast<DWORD>(want), &got) || timeUp())
            return std::nullopt;
        if (got == 0) break;
        body.Append(chunk.data(), got);
    }
    if (!body.acceptable() || !body.complete()) return std::nullopt;
    return body;
}

std::string HttpRequest::get(int* error) const {
    const std::optional<ResponseBody> body = Receive();
    if (!body) {
        Failed(error);
        return std::string();
    }
    return Utf8ToAnsi(body->Text());
}

bool HttpRequest::getBytes(std::string* bytes) const {
    const std::optional<ResponseBody> body = Receive();
    if (!body) return false;
    *bytes = body->Bytes();
    return true;
}

}  // namespace zarnel
