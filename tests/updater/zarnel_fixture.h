// Shared by the Zarnel tests: the real DLL loaded by name from a temporary
// current directory, the local HTTP server, and small file helpers.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"
#include "test_httpd.h"

namespace ztest {

// A build output (a Unix path given at compile time) as Wine sees it.
std::string BuildFile(const char* unixPath);

// Copies a file from the build into the current directory under a new name.
bool CopyIn(const char* unixPath, const std::string& name);

std::string ReadFile(const std::string& path);  // "" when unreadable
bool WaitForFile(const std::string& path, DWORD timeoutMs);

// Zarnel.dll copied next to the test's files and loaded by name only, as the
// launcher does. Unloaded before the folder goes.
class ZarnelDll {
public:
    using Export = bool(__cdecl*)(int*);
    ZarnelDll();
    ~ZarnelDll();
    ZarnelDll(const ZarnelDll&) = delete;
    ZarnelDll& operator=(const ZarnelDll&) = delete;

    HMODULE module() const { return m_hModule; }
    Export check = nullptr;
    Export run = nullptr;
    Export finish = nullptr;

private:
    HMODULE m_hModule = nullptr;
};

// Each test runs in its own folder with the DLL loaded and a server listener.
class ZarnelTest : public ::testing::Test {
protected:
    ZarnelTest() : m_server(support::TestHttpd::Port(11)) {}
    void SetUp() override;

    // Update.xml whose manifest URL points at the test server.
    void WriteLocalManifest(const std::string& version, const std::string& info,
                            const std::string& files = "<files/>");
    std::string File(const std::string& name) const { return m_dir.File(name); }
    void Write(const std::string& name, const std::string& content);
    std::string Read(const std::string& name) const { return ReadFile(m_dir.File(name)); }
    bool Exists(const std::string& name) const { return support::FileExists(m_dir.File(name)); }

    support::ScopedTempDir m_dir;  // declared first: it goes after the DLL is unloaded
    ZarnelDll m_zarnel;
    support::TestHttpd m_server;
};

}  // namespace ztest
