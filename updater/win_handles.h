// Owners of the Win32 handles the update provider opens.
#pragma once
#include <windows.h>
#include <wininet.h>

namespace zarnel {

template <typename H, BOOL(WINAPI* Close)(H)>
class OwnedHandle {
public:
    explicit OwnedHandle(H handle = nullptr) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_) Close(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    H handle_;
};

// Root, connection and request handles alike.
using InternetHandle = OwnedHandle<HINTERNET, InternetCloseHandle>;
using KernelHandle = OwnedHandle<HANDLE, CloseHandle>;

}  // namespace zarnel
