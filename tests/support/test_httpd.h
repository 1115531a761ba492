// Client of the run's local HTTP test server (tools/httpd/test_httpd.py).
// A test opens a listener on a port of its choosing, scripts the responses of
// its paths and reads back what the server received.
#pragma once
#include <string>
#include <vector>

namespace support {

struct HttpRequestSeen {
    std::string line;                  // "GET /x?v=1 HTTP/1.0"
    std::vector<std::string> headers;  // "Name: value", as received
    std::string Header(const std::string& name) const;  // value, "" if absent
};

class TestHttpd {
public:
    // A port for this test: the run's base plus an offset of the test's choosing.
    static int Port(int offset);

    explicit TestHttpd(int port);
    ~TestHttpd();
    TestHttpd(const TestHttpd&) = delete;
    TestHttpd& operator=(const TestHttpd&) = delete;

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    int port() const { return port_; }
    std::string Url(const std::string& path) const;

    // mode: "length", "nolength", "http10" or "declared=N" (see the server).
    bool Route(const std::string& path, int status, const std::string& body,
               const std::string& mode = "length",
               const std::vector<std::string>& headers = {});
    bool Files(const std::string& unixDir);
    std::vector<HttpRequestSeen> Requests();
    bool ClearLog();

private:
    bool Command(const std::string& text, std::string* reply);

    int port_;
    bool ok_ = false;
    std::string error_;
};

}  // namespace support
