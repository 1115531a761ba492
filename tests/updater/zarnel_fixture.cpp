#include "zarnel_fixture.h"

#include <cstdio>

namespace ztest {

std::string BuildFile(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool CopyIn(const char* unixPath, const std::string& name) {
    return CopyFileA(BuildFile(unixPath).c_str(), name.c_str(), FALSE) != 0;
}

std::string ReadFile(const std::string& path) {
    std::string content;
    return support::ReadTextFile(path, &content) ? content : std::string();
}

bool WaitForFile(const std::string& path, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
        if (support::FileExists(path)) return true;
    }
    return support::FileExists(path);
}

namespace {

// Through void(*)() so the compiler accepts the export's real type.
ZarnelDll::Export Lookup(HMODULE module, const char* name) {
    auto generic = reinterpret_cast<void (*)()>(GetProcAddress(module, name));
    return reinterpret_cast<ZarnelDll::Export>(generic);
}

}  // namespace

ZarnelDll::ZarnelDll() {
    if (!CopyIn(ZARNEL_DLL, "Zarnel.dll")) return;
    m_hModule = LoadLibraryA("Zarnel.dll");
    if (!m_hModule) return;
    check = Lookup(m_hModule, "check");
    run = Lookup(m_hModule, "run");
    finish = Lookup(m_hModule, "finish");
}

ZarnelDll::~ZarnelDll() {
    if (m_hModule) FreeLibrary(m_hModule);
}

void ZarnelTest::SetUp() {
    ASSERT_FALSE(m_dir.path().empty());
    ASSERT_TRUE(m_zarnel.module()) << "Zarnel.dll did not load by name";
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(m_zarnel.module(), loaded, MAX_PATH);
    ASSERT_EQ(0, lstrcmpiA(File("Zarnel.dll").c_str(), loaded)) << loaded;
    ASSERT_TRUE(m_zarnel.check && m_zarnel.run && m_zarnel.finish);
    ASSERT_TRUE(m_server.ok()) << m_server.error();
}

void ZarnelTest::WriteLocalManifest(const std::string& version, const std::string& info,
                                    const std::string& files) {
    Write("Update.xml", "<?xml version=\"1.0\" ?>\n<update version=\"" + version + "\" url=\"" +
                            m_server.Url("/") + "\" info=\"" + info + "\">" + files +
                            "</update>\n");
}

void ZarnelTest::Write(const std::string& name, const std::string& content) {
    ASSERT_TRUE(support::WriteTextFile(m_dir.File(name), content)) << name;
}

}  // namespace ztest
