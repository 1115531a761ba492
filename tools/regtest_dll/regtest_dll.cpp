// A component for registration tests: DllRegisterServer leaves
// "registered.txt" in the DLL's own folder, holding the DLL's full path, so a
// test sees which file regsvr32 really loaded.
#include <windows.h>

#include <cstdio>
#include <cstring>

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&DllRegisterServer), &self))
        return E_FAIL;
    char module[MAX_PATH] = {};
    if (!GetModuleFileNameA(self, module, MAX_PATH)) return E_FAIL;
    char marker[MAX_PATH + 32] = {};
    std::strcpy(marker, module);
    if (char* slash = std::strrchr(marker, '\\')) slash[1] = '\0';
    std::strcat(marker, "registered.txt");
    FILE* file = std::fopen(marker, "wb");
    if (!file) return E_FAIL;
    std::fputs(module, file);
    return std::fclose(file) == 0 ? S_OK : E_FAIL;
}
