// Times Zarnel's check against a bare WinINet GET of the same document from
// the local test server, many rounds each, interleaved, and prints medians.
// Usage: bench_updater.exe <Zarnel.dll path> [rounds] [file entries in the document]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "http_request.h"
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

std::string Manifest(int entries) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<update>\n"
                      "  <release version=\"2.4.1\" notes=\"\xe6\x9b\xb4\xe6\x96\xb0\"/>\n";
    for (int i = 0; i < entries; ++i) {
        xml += "  <file path=\"data\\\" name=\"pack" + std::to_string(i) +
               ".dat\" size=\"123456\" md5=\"0123456789abcdef0123456789abcdef\"/>\n";
    }
    return xml + "</update>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_updater <Zarnel.dll> [rounds] [file entries]\n");
        return 2;
    }
    int rounds = argc > 2 ? std::max(10, std::atoi(argv[2])) : 300;
    int entries = argc > 3 ? std::max(0, std::atoi(argv[3])) : 10;
    const std::string document = Manifest(entries);
    support::ScopedTempDir dir;
    support::TestHttpd server(support::TestHttpd::Port(90));
    if (!server.ok() || !server.Route("/Server.xml", 200, document)) {
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

    // The DLL's transport alone, to show where check spends its time.
    zarnel::HttpRequest transport;
    transport.setServer("127.0.0.1");
    transport.setObject("/Server.xml");
    transport.setPort(static_cast<unsigned>(server.port()));

    // Each round times all three, in an order that rotates, so none of them
    // always follows another's connection teardown.
    std::vector<double> times[3];
    int failed = 0;
    for (int i = -5; i < rounds; ++i) {  // five rounds of warm-up
        for (int k = 0; k < 3; ++k) {
            int which = (i + 5 + k) % 3;
            int error = 0;
            double start = Now();
            bool ok = which == 0   ? check(&error) && error == 0
                      : which == 1 ? BareGet(server.port(), "/Server.xml")
                                   : !transport.get(&error).empty() && error == 0;
            double took = Now() - start;
            if (!ok) ++failed;
            if (i >= 0) times[which].push_back(took);
        }
    }
    if (failed) {
        std::fprintf(stderr, "bench: %d calls failed\n", failed);
        return 1;
    }
    double c = Median(times[0]) * 1000, g = Median(times[1]) * 1000, t = Median(times[2]) * 1000;
    std::printf("rounds: %d, document: %u bytes (%d file entries)\n", rounds,
                static_cast<unsigned>(document.size()), entries);
    std::printf("check median: %.3f ms\nbare GET median: %.3f ms\ntransport alone median: %.3f ms\n"
                "ratio check/GET: %.3f (target < 1.2)\n",
                c, g, t, c / g);
    FreeLibrary(dll);
    return 0;
}
