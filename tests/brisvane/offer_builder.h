// Server manifests for tests, in the publisher's format, with each file's
// size and SHA-256 taken from the bytes the test server will serve.
#pragma once
#include <string>
#include <vector>

#include "test_httpd.h"

namespace btest {

struct ServedFile {
    std::string path;
    std::string name;
    std::string bytes;
    bool registered = false;
};

std::string Sha256Hex(const std::string& bytes);

// The manifest offering version, each file at "files/<index>" relative to it.
std::string ServerManifest(const std::string& version, const std::vector<ServedFile>& files);
// Routes every file's bytes at /files/<index> on server.
bool ServeFiles(support::TestHttpd& server, const std::vector<ServedFile>& files);
std::string FilePath(std::size_t index);  // "/files/<index>"

}  // namespace btest
