// The DLL's exports and its class factory. With VORN_STANDIN_USE_STOCK set to
// 1 in the environment, the class object comes from Wine's own ieframe.dll
// instead: one registration per prefix serves tests of both controls.
#include <windows.h>

#include "browser.h"
#include "dll_state.h"

namespace standin {

void UnregisterWindowClass();

namespace {

HINSTANCE g_module = nullptr;
LONG g_locks = 0;
bool g_forwarded = false;

class ClassFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    // A static object: its references keep the DLL, not the object, alive.
    STDMETHODIMP_(ULONG) AddRef() override { DllAddRef(); return 2; }
    STDMETHODIMP_(ULONG) Release() override { DllRelease(); return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return Browser::Create(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) DllAddRef();
        else DllRelease();
        return S_OK;
    }
};

ClassFactory g_factory;

bool UseStockControl() {
    wchar_t value[8];
    DWORD n = GetEnvironmentVariableW(L"VORN_STANDIN_USE_STOCK", value, ARRAYSIZE(value));
    return n == 1 && value[0] == L'1';
}

HRESULT StockClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    // Kept loaded for good: objects it hands out outlive any unload check.
    HMODULE ieframe = LoadLibraryW(L"ieframe.dll");
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    // Through a generic function pointer: FARPROC has no parameters.
    auto proc = ieframe ? reinterpret_cast<void (*)()>(GetProcAddress(ieframe, "DllGetClassObject")) : nullptr;
    auto fn = reinterpret_cast<GetClassObject>(proc);
    HRESULT hr = fn ? fn(rclsid, riid, ppv) : CLASS_E_CLASSNOTAVAILABLE;
    g_forwarded = g_forwarded || SUCCEEDED(hr);
    Log::OpenFromEnvironment(0)->Write("stock-control module=ieframe.dll hr=" + Hex(static_cast<unsigned long>(hr)));
    return hr;
}

}  // namespace

void DllAddRef() { InterlockedIncrement(&g_locks); }
void DllRelease() { InterlockedDecrement(&g_locks); }
bool DllInUse() { return g_locks > 0 || g_forwarded; }
HINSTANCE ModuleInstance() { return g_module; }

}  // namespace standin

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        standin::g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on: a later load must not find a
        // window class whose procedure pointed into this image.
        standin::UnregisterWindowClass();
    }
    return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    try {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (rclsid != standin::kClsidWebBrowser) return CLASS_E_CLASSNOTAVAILABLE;
        if (standin::UseStockControl()) return standin::StockClassObject(rclsid, riid, ppv);
        return standin::g_factory.QueryInterface(riid, ppv);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT WINAPI DllCanUnloadNow() { return standin::DllInUse() ? S_FALSE : S_OK; }

}  // extern "C"
