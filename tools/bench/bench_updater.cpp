// Times Zarnel's check against a bare WinINet GET of the same document from
// the local test server, many rounds each, interleaved, and prints medians.
// Usage: bench_updater.exe <Zarnel.dll path> [rounds]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "test_httpd.h"

namespace {

using CheckFn = bool(__cdecl*)(int*);

double Now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// What a minimal client does for the same document: one GET, read to the end.
bool BareGet(int port, const char* object) {
    bool ok = false;
    HINTERNET root = InternetOpenA("Quendral", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = root ? InternetConnectA(root, "127.0.0.1", static_cast<INTERNET_PORT>(port),
                                                   nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0)
                                : nullptr;
    char name[256];
    std::snprintf(name, sizeof name, "%s?v=%u", object, static_cast<unsigned>(_time64(nullptr)));
    HINTERNET request = connection ? HttpOpenRequestA(connection, "GET", name, "HTTP/1.0", nullptr,
                                                      nullptr,
                                                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                          INTERNET_FLAG_PRAGMA_NOCACHE,
                                                      1)
                                   : nullptr;
    if (request && HttpSendRequestA(request, nullptr, 0, nullptr, 0)) {
        char buffer[65536];
        DWORD got = 0;
        size_t total = 0;
        while (InternetReadFile(request, buffer, sizeof buffer, &got) && got) total += got;
        ok = total > 0;
    }
    if (request) InternetCloseHandle(request);
    if (connection) InternetCloseHandle(connection);
    if (root) InternetCloseHandle(root);
    return ok;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Manifest() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<update>\n"
                      "  <release version=\"2.4.1\" notes=\"\xe6\x9b\xb4\xe6\x96\xb0\"/>\n";
    for (int i = 0; i < 40; ++i) {
        xml += "  <file path=\"data\\\" name=\"pack" + std::to_string(i) +
               ".dat\" size=\"123456\" md5=\"0123456789abcdef0123456789abcdef\"/>\n";
    }
    return xml + "</update>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_updater <Zarnel.dll> [rounds]\n");
        return 2;
    }
    int rounds = argc > 2 ? std::max(10, std::atoi(argv[2])) : 300;
    support::ScopedTempDir dir;
    support::TestHttpd server(support::TestHttpd::Port(90));
    if (!server.ok() || !server.Route("/Server.xml", 200, Manifest())) {
        std::fprintf(stderr, "bench: test server: %s\n", server.error().c_str());
        return 1;
    }
    std::string local = "<?xml version=\"1.0\"?>\n<update version=\"2.4.1\" url=\"" +
                        server.Url("/") + "\" info=\"Server.xml\"><files/></update>\n";
    support::WriteTextFile(dir.File("Update.xml"), local);

    HMODULE dll = LoadLibraryA(argv[1]);
    auto check = dll ? reinterpret_cast<CheckFn>(
                           reinterpret_cast<void (*)()>(GetProcAddress(dll, "check")))
                     : nullptr;
    if (!check) {
        std::fprintf(stderr, "bench: cannot load check from %s\n", argv[1]);
        return 1;
    }

    std::vector<double> checks, gets;
    for (int i = -5; i < rounds; ++i) {  // five rounds of warm-up
        int error = 0;
        double t0 = Now();
        bool upToDate = check(&error);
        double t1 = Now();
        bool fetched = BareGet(server.port(), "/Server.xml");
        double t2 = Now();
        if (!upToDate || error != 0 || !fetched) {
            std::fprintf(stderr, "bench: round %d failed (check %d, error %d, get %d)\n", i,
                         upToDate, error, fetched);
            return 1;
        }
        if (i >= 0) {
            checks.push_back(t1 - t0);
            gets.push_back(t2 - t1);
        }
    }
    double c = Median(checks) * 1000, g = Median(gets) * 1000;
    std::printf("rounds: %d, document: %u bytes\n", rounds, static_cast<unsigned>(Manifest().size()));
    std::printf("check median: %.3f ms\nbare GET median: %.3f ms\nratio check/GET: %.3f (target < 1.2)\n",
                c, g, c / g);
    FreeLibrary(dll);
    return 0;
}
