// Server manifests for tests, in the publisher's format, with each file's
// size and SHA-256 taken from the bytes the test server will serve.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "test_httpd.h"
#include "test_signer.h"

namespace btest {

struct ServedFile {
    std::string path;
    std::string name;
    std::string bytes;
    bool registered = false;
};

std::string Sha256Hex(const std::string& bytes);

// The manifest offering version as release serial, each file at
// "files/<index>" relative to it.
std::string ServerManifest(const std::string& version, const std::vector<ServedFile>& files,
                           std::uint64_t serial = 1);
// Routes manifest at path on server and its signature by signer at path + ".sig".
bool ServeSigned(support::TestHttpd& server, const std::string& path, const std::string& manifest,
                 const TestSigner& signer = DemoSigner());
// Routes every file's bytes at /files/<index> on server.
bool ServeFiles(support::TestHttpd& server, const std::vector<ServedFile>& files);
std::string FilePath(std::size_t index);  // "/files/<index>"

}  // namespace btest
