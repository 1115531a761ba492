// What checking the publisher's signature adds to an update whose manifest
// lists many files: the signature check alone (SHA-256 of the manifest and
// one ECDSA P-256 verification), and the updater's own fetch of the manifest
// and its signature with the check, next to reading the same offer from the
// saved file as the updater did before it verified anything. Prints medians.
// Usage: bench_verify.exe [entries] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "manifest.h"
#include "install_folder.h"
#include "offer.h"
#include "signature.h"
#include "signed_release.h"
#include "temp_dir.h"
#include "test_httpd.h"
#include "test_signer.h"
#include "update_keys.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double MedianMs(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2] * 1000;
}

// A manifest as the publisher's tool writes it, entries files long.
std::string Manifest(int entries) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest>\n"
                      "  <release version=\"2.0.0\" serial=\"12\"/>\n";
    for (int i = 0; i < entries; ++i) {
        const std::string name = "file" + std::to_string(i) + ".dat";
        xml += "  <file path=\"data\\maps\\\" name=\"" + name + "\" size=\"" + std::to_string(100000 + i) +
               "\" sha256=\"" + std::string(64, "0123456789abcdef"[i % 16]) + "\" url=\"files/data/maps/" + name +
               "\"/>\n";
    }
    return xml + "</manifest>\n";
}

}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;

    const std::string manifest = Manifest(entries);
    const std::string signature = btest::DemoSigner().Signature(manifest);
    const std::vector<std::string> keys = brisvane::BuiltInUpdateKeys();
    support::TestHttpd server(support::TestHttpd::Port(92));
    support::ScopedTempDir dir;
    if (!server.ok() || !server.Route("/manifest.xml", 200, manifest) ||
        !server.Route("/manifest.xml.sig", 200, signature) ||
        !support::WriteTextFile(dir.File("Server.xml"), manifest)) {
        std::fprintf(stderr, "bench: set-up failed: %s\n", server.error().c_str());
        return 1;
    }

    std::vector<double> check, fetched, saved;
    for (int i = -1; i < rounds; ++i) {  // one round of warm-up
        double start = Now();
        const bool valid =
            brisvane::CheckSignature(manifest, signature, keys) == brisvane::SignatureCheck::kValid;
        const double checkTime = Now() - start;

        start = Now();
        brisvane::SignedRelease release;
        const bool read = brisvane::FetchSignedRelease(server.Url("/manifest.xml"), zarnel::TimeLimits(), keys,
                                                       &release) == brisvane::Outcome::kDone;
        const double fetchTime = Now() - start;

        start = Now();
        TiXmlDocument document;
        zarnel::Offer offer;
        std::string why;
        const bool loaded = zarnel::LoadManifest(&document, zarnel::kServerManifest) &&
                            zarnel::ReadOffer(document, zarnel::InstallFolderLength(), &offer, &why);
        const double savedTime = Now() - start;
        if (!valid || !read || !loaded || release.offer.files.size() != static_cast<std::size_t>(entries)) {
            std::fprintf(stderr, "bench: a round failed (%s)\n", why.c_str());
            return 1;
        }
        if (i < 0) continue;
        check.push_back(checkTime);
        fetched.push_back(fetchTime);
        saved.push_back(savedTime);
    }
    std::printf("manifest of %d entries (%zu bytes), %d rounds:\n", entries, manifest.size(), rounds);
    std::printf("  signature check alone (SHA-256 and ECDSA P-256): median %.2f ms (target < 5 ms)\n",
                MedianMs(check));
    std::printf("  updater's fetch of manifest and signature, check and read: median %.2f ms; "
                "reading the saved file instead: %.2f ms; added: %.2f ms\n",
                MedianMs(fetched), MedianMs(saved), MedianMs(fetched) - MedianMs(saved));
    return 0;
}
