// Raw bytes of a resource of the running module.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> ResourceBytes(UINT id, LPCSTR type) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!info)
        return {};
    HGLOBAL handle = LoadResource(nullptr, info);
    const auto* data = static_cast<const uint8_t*>(LockResource(handle));
    if (!data)
        return {};
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, info));
}
