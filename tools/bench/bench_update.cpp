// Times the updater's download of one large file (download, SHA-256 and
// write, as Brisvane.exe does it) against a bare WinINet download of the same
// file into a file, interleaved, and the time of Zarnel's finish for many
// small staged files. Prints medians.
// Usage: bench_update.exe <Zarnel.dll path> [megabytes] [rounds] [files]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "download.h"
#include "sha256.h"
#include "temp_dir.h"
#include "test_httpd.h"

namespace {

using Export = bool(__cdecl*)(int*);

double Now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What a minimal client does: one GET, every byte into a file.
bool BareDownload(int port, const char* object, const char* file) {
    bool ok = false;
    HINTERNET root = InternetOpenA("bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = root ? InternetConnectA(root, "127.0.0.1", static_cast<INTERNET_PORT>(port), nullptr,
                                                   nullptr, INTERNET_SERVICE_HTTP, 0, 0)
                                : nullptr;
    HINTERNET request = connection ? HttpOpenRequestA(connection, "GET", object, "HTTP/1.0", nullptr, nullptr,
                                                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 1)
                                   : nullptr;
    HANDLE out = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (request && out != INVALID_HANDLE_VALUE && HttpSendRequestA(request, nullptr, 0, nullptr, 0)) {
        std::vector<char> buffer(256 * 1024);
        DWORD got = 0, written = 0;
        ok = true;
        while (InternetReadFile(request, buffer.data(), static_cast<DWORD>(buffer.size()), &got) && got)
            ok = ok && WriteFile(out, buffer.data(), got, &written, nullptr);
    }
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (request) InternetCloseHandle(request);
    if (connection) InternetCloseHandle(connection);
    if (root) InternetCloseHandle(root);
    return ok;
}

// files staged files listed in Update.xml, with the server's manifest beside.
void StageSmallFiles(const support::ScopedTempDir& dir, int files) {
    std::string list;
    for (int i = 0; i < files; ++i) {
        const std::string name = "small" + std::to_string(i) + ".dat";
        support::WriteTextFile(dir.File(name), "old " + name);
        support::WriteTextFile(dir.File(name + ".tmp"), "new " + name + std::string(2000, 'x'));
        list += "<file path=\"\" name=\"" + name + "\" />";
    }
    support::WriteTextFile(dir.File("Update.xml"),
                           "<update version=\"1\" url=\"http://h/\" info=\"S.xml\"><files>" + list + "</files></update>");
    support::WriteTextFile(dir.File("Server.xml"), "<manifest><release version=\"2\" /></manifest>");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_update <Zarnel.dll> [megabytes] [rounds] [files]\n");
        return 2;
    }
    const int megabytes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const int files = argc > 4 ? std::max(1, std::atoi(argv[4])) : 100;

    support::ScopedTempDir dir;
    support::TestHttpd server(support::TestHttpd::Port(91));
    std::string body(static_cast<std::size_t>(megabytes) << 20, '\0');
    unsigned seed = 1;
    for (char& c : body) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
    if (!server.ok() || !server.Route("/big.dat", 200, body)) {
        std::fprintf(stderr, "bench: test server: %s\n", server.error().c_str());
        return 1;
    }
    // The platform's SHA-256 alone: every verified byte costs this much CPU.
    const double hashStart = Now();
    brisvane::Sha256 hash;
    hash.Add(body.data(), static_cast<ULONG>(body.size()));
    const std::string sha256 = hash.HexDigest();
    const double hashTime = Now() - hashStart;

    std::vector<double> updater, bare;
    std::atomic<bool> cancel{false};
    for (int i = -1; i < rounds; ++i) {  // one round of warm-up
        for (int k = 0; k < 2; ++k) {
            const bool mine = (i + k) % 2 == 0;
            const double start = Now();
            bool ok;
            if (mine) {
                ok = brisvane::DownloadFile(server.Url("/big.dat"), "big.dat.tmp", body.size(), sha256,
                                            zarnel::TimeLimits(), cancel, [](std::uint64_t) {})
                         .outcome == brisvane::Outcome::kDone;
            } else {
                ok = BareDownload(server.port(), "/big.dat", "bare.dat");
            }
            const double took = Now() - start;
            if (!ok) {
                std::fprintf(stderr, "bench: a %s download failed\n", mine ? "updater" : "bare");
                return 1;
            }
            if (i >= 0) (mine ? updater : bare).push_back(took);
        }
    }
    const double u = Median(updater), b = Median(bare);
    std::printf("download of %d MB, %d rounds: updater %.3f s (%.1f MB/s), bare WinINet %.3f s, "
                "ratio %.3f (target < 1.1)\n",
                megabytes, rounds, u, megabytes / u, b, u / b);
    std::printf("SHA-256 of the same %d MB alone (the platform's, on this thread): %.3f s\n", megabytes, hashTime);

    HMODULE dll = LoadLibraryA(argv[1]);
    auto finish = dll ? reinterpret_cast<Export>(reinterpret_cast<void (*)()>(GetProcAddress(dll, "finish")))
                      : nullptr;
    if (!finish) {
        std::fprintf(stderr, "bench: cannot load finish from %s\n", argv[1]);
        return 1;
    }
    std::vector<double> finishes;
    for (int i = 0; i < rounds; ++i) {
        StageSmallFiles(dir, files);
        int error = 0;
        const double start = Now();
        const bool ok = finish(&error);
        finishes.push_back(Now() - start);
        if (!ok) {
            std::fprintf(stderr, "bench: finish failed\n");
            return 1;
        }
    }
    std::printf("finish for %d small files: median %.1f ms over %d rounds\n", files, Median(finishes) * 1000,
                rounds);
    FreeLibrary(dll);
    return 0;
}
