#include "test_httpd.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>

namespace support {

namespace {

int EnvInt(const char* name) {
    const char* v = getenv(name);
    return v ? atoi(v) : 0;
}

struct WinsockInit {
    WinsockInit() { WSADATA d; WSAStartup(MAKEWORD(2, 2), &d); }
    ~WinsockInit() { WSACleanup(); }
};

class Socket {
public:
    Socket() : s_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Socket() { if (s_ != INVALID_SOCKET) closesocket(s_); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return s_; }
private:
    SOCKET s_;
};

}  // namespace

std::string HttpRequestSeen::Header(const std::string& name) const {
    for (const std::string& h : headers) {
        size_t colon = h.find(':');
        if (colon == std::string::npos || colon != name.size()) continue;
        if (_strnicmp(h.c_str(), name.c_str(), colon) != 0) continue;
        size_t start = h.find_first_not_of(' ', colon + 1);
        return start == std::string::npos ? "" : h.substr(start);
    }
    return "";
}

int TestHttpd::Port(int offset) {
    int base = EnvInt("VORN_TEST_PORT_BASE");
    return (base ? base : 28000) + offset;
}

TestHttpd::TestHttpd(int port) : port_(port) {
    std::string reply;
    ok_ = Command("LISTEN " + std::to_string(port) + "\n", &reply);
}

TestHttpd::~TestHttpd() {
    if (ok_) Command("CLOSE " + std::to_string(port_) + "\n", nullptr);
}

std::string TestHttpd::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

bool TestHttpd::Route(const std::string& path, int status, const std::string& body,
                      const std::string& mode, const std::vector<std::string>& headers) {
    std::string cmd = "ROUTE " + std::to_string(port_) + " " + path + " " +
                      std::to_string(status) + " " + mode + " " +
                      std::to_string(body.size()) + "\n";
    for (const std::string& h : headers) cmd += h + "\n";
    cmd += "\n" + body;
    return Command(cmd, nullptr);
}

bool TestHttpd::Files(const std::string& unixDir) {
    return Command("FILES " + std::to_string(port_) + " " + unixDir + "\n", nullptr);
}

bool TestHttpd::ClearLog() {
    return Command("CLEARLOG " + std::to_string(port_) + "\n", nullptr);
}

std::vector<HttpRequestSeen> TestHttpd::Requests() {
    std::vector<HttpRequestSeen> out;
    std::string reply;
    if (!Command("LOG " + std::to_string(port_) + "\n", &reply)) return out;
    // Requests are separated by a blank line; the first line of each is the request line.
    HttpRequestSeen cur;
    size_t pos = reply.find('\n');
    pos = pos == std::string::npos ? reply.size() : pos + 1;
    while (pos < reply.size()) {
        size_t end = reply.find('\n', pos);
        if (end == std::string::npos) end = reply.size();
        std::string line = reply.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty()) {
            if (!cur.line.empty()) out.push_back(cur);
            cur = HttpRequestSeen();
        } else if (cur.line.empty()) {
            cur.line = line;
        } else {
            cur.headers.push_back(line);
        }
    }
    return out;
}

bool TestHttpd::Command(const std::string& text, std::string* reply) {
    static WinsockInit winsock;
    int control = EnvInt("VORN_HTTPD_CONTROL");
    if (!control) { error_ = "VORN_HTTPD_CONTROL not set"; return false; }
    Socket s;
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(control));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        error_ = "cannot reach the test server";
        return false;
    }
    for (size_t sent = 0; sent < text.size();) {
        int n = send(s.get(), text.data() + sent, static_cast<int>(text.size() - sent), 0);
        if (n <= 0) { error_ = "send to the test server failed"; return false; }
        sent += n;
    }
    shutdown(s.get(), SD_SEND);
    std::string answer;
    char buf[4096];
    for (int n; (n = recv(s.get(), buf, sizeof buf, 0)) > 0;) answer.append(buf, n);
    if (answer.compare(0, 2, "OK") != 0) {
        error_ = answer.empty() ? "no answer from the test server" : answer;
        return false;
    }
    if (reply) *reply = answer;
    return true;
}

}  // namespace support
