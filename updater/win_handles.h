// Owners of the Win32 handles the update provider and the updater open.
#pragma once
#include <windows.h>
#include <wininet.h>

namespace zarnel {

// Close is the platform's closing function for H; what it returns is ignored.
template <typename H, auto Close>
class OwnedHandle {
public:
    explicit OwnedHandle(H handle = nullptr) : m_h(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    H get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void reset(H handle = nullptr) {
        if (m_h) Close(m_h);
        m_h = handle;
    }

private:
    H m_h;
};

// Root, connection and request handles alike.
using InternetHandle = OwnedHandle<HINTERNET, InternetCloseHandle>;
// Processes, threads, mutexes, events: null means none. (CreateFile's
// INVALID_HANDLE_VALUE is turned into null by its callers.)
using KernelHandle = OwnedHandle<HANDLE, CloseHandle>;

}  // namespace zarnel
