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
    module_ = LoadLibraryA("Zarnel.dll");
    if (!module_) return;
    check = Lookup(module_, "check");
    run = Lookup(module_, "run");
    finish = Lookup(module_, "finish");
}

ZarnelDll::~ZarnelDll() {
    if (module_) FreeLibrary(module_);
}

void ZarnelTest::SetUp() {
    ASSERT_FALSE(dir_.path().empty());
    ASSERT_TRUE(zarnel_.module()) << "Zarnel.dll did not load by name";
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(zarnel_.module(), loaded, MAX_PATH);
    ASSERT_EQ(0, lstrcmpiA(File("Zarnel.dll").c_str(), loaded)) << loaded;
    ASSERT_TRUE(zarnel_.check && zarnel_.run && zarnel_.finish);
    ASSERT_TRUE(server_.ok()) << server_.error();
}

void ZarnelTest::WriteLocalManifest(const std::string& version, const std::string& info,
                                    const std::string& files) {
    Write("Update.xml", "<?xml version=\"1.0\" ?>\n<update version=\"" + version + "\" url=\"" +
                            server_.Url("/") + "\" info=\"" + info + "\">" + files +
                            "</update>\n");
}

void ZarnelTest::Write(const std::string& name, const std::string& content) {
    ASSERT_TRUE(support::WriteTextFile(dir_.File(name), content)) << name;
}

}  // namespace ztest
