// One HTTP GET of one document over WinINet, answered as ANSI text.
#pragma once
#include <string>

namespace zarnel {

class HttpRequest {
public:
    void setServer(const std::string& text) { server = text; }
    void setObject(const std::string& text) { object = text; }
    void setPort(unsigned number) { port = number; }
    void setSecure(bool tls) { secure = tls; }

    // The body in the thread's ANSI code page, cut at its first zero byte.
    // On failure: an empty text and *error set to -1; otherwise *error is
    // left as it was. The HTTP status is not judged here.
    std::string get(int* error) const;

    std::string server;
    std::string object;
    unsigned port = 80;
    bool secure = false;
};

}  // namespace zarnel
