// Owners of the CNG (bcrypt.dll) handles the updater opens.
#pragma once
#include <windows.h>
#include <bcrypt.h>

#include "win_handles.h"

namespace brisvane {

inline NTSTATUS WINAPI CloseAlgorithmProvider(BCRYPT_ALG_HANDLE handle) {
    return BCryptCloseAlgorithmProvider(handle, 0);
}

using AlgorithmHandle = zarnel::OwnedHandle<BCRYPT_ALG_HANDLE, CloseAlgorithmProvider>;
using HashHandle = zarnel::OwnedHandle<BCRYPT_HASH_HANDLE, BCryptDestroyHash>;
using KeyHandle = zarnel::OwnedHandle<BCRYPT_KEY_HANDLE, BCryptDestroyKey>;

// The provider of algorithm (a BCRYPT_..._ALGORITHM name); false when the
// platform has none.
inline bool OpenAlgorithm(AlgorithmHandle* provider, LPCWSTR algorithm) {
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&opened, algorithm, nullptr, 0))) return false;
    provider->reset(opened);
    return true;
}

}  // namespace brisvane
