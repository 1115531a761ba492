#include "http_request.h"

#include <windows.h>
#include <wininet.h>

#include <ctime>
#include <vector>

#include "ansi_text.h"
#include "transport_rules.h"
#include "win_handles.h"

namespace zarnel {

namespace {

constexpr char kAgent[] = "Quendral";
// Always from the server, never into the cache, with a no-cache pragma.
constexpr DWORD kRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
constexpr DWORD_PTR kRequestContext = 1;
constexpr std::size_t kReadChunk = 64 * 1024;
// A Content-Length that does not fit this buffer is far over the body limit.
constexpr DWORD kLengthBuffer = 32;
constexpr std::uint64_t kOversized = UINT64_MAX;

std::string Fail(int* error) {
    *error = -1;
    return std::string();
}

std::optional<std::uint64_t> DeclaredLength(HINTERNET request) {
    char text[kLengthBuffer] = {};
    DWORD size = kLengthBuffer;
    if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return ParseContentLength(text);
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) return kOversized;
    return std::nullopt;
}

}  // namespace

std::string HttpRequest::get(int* error) const {
    // Declared in opening order, so they close request first, root last.
    InternetHandle root(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!root) return Fail(error);
    // The one-character user name and password stand for no account.
    InternetHandle connection(InternetConnectA(root.get(), server.c_str(),
                                               static_cast<INTERNET_PORT>(port), "-", "-",
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return Fail(error);

    std::uint32_t seconds = static_cast<std::uint32_t>(_time64(nullptr));
    std::string name = ObjectName(object, seconds);
    DWORD flags = kRequestFlags | (secure ? INTERNET_FLAG_SECURE : 0);
    InternetHandle request(HttpOpenRequestA(connection.get(), "GET", name.c_str(), "HTTP/1.0",
                                            nullptr, nullptr, flags, kRequestContext));
    if (!request || !HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return Fail(error);

    ResponseBody body(DeclaredLength(request.get()));
    std::vector<char> chunk(kReadChunk);
    // Synchronous reads return what has arrived; zero bytes read is the end.
    while (std::size_t want = body.NextRead(chunk.size())) {
        DWORD got = 0;
        if (!InternetReadFile(request.get(), chunk.data(), static_cast<DWORD>(want), &got))
            return Fail(error);
        if (got == 0) break;
        body.Append(chunk.data(), got);
    }
    if (!body.acceptable()) return Fail(error);
    return Utf8ToAnsi(body.Text());
}

}  // namespace zarnel
