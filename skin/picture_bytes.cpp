// Resource bytes and their decoding through the system's picture decoder.
#include "skin/skin_bitmap.h"

#include <cstring>

bool ReadResourceBytes(LPCSTR name, LPCSTR type, HMODULE module, void* buffer, DWORD* size) {
    if (!size) {
        return false;
    }
    HRSRC found = FindResourceA(module, name, type);
    if (!found) {
        return false;
    }
    const DWORD length = SizeofResource(module, found);
    if (!buffer) {
        *size = length;
        return true;
    }
    if (*size < length) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return false;
    }
    std::memcpy(buffer, bytes, length);
    *size = length;
    return true;
}

ComPtr<IPicture> PictureFromBytes(const void* bytes, size_t length) {
    ComPtr<IPicture> picture;
    if (!bytes || length == 0 || length > 0x7FFFFFFF) {
        return picture;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length);
    if (!block) {
        return picture;
    }
    void* copy = GlobalLock(block);
    if (!copy) {
        GlobalFree(block);
        return picture;
    }
    std::memcpy(copy, bytes, length);
    GlobalUnlock(block);
    ComPtr<IStream> stream;
    // The stream frees the block with its last reference.
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Out()))) {
        GlobalFree(block);
        return picture;
    }
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(length), FALSE, IID_IPicture, picture.OutVoid()))) {
        picture.Reset();
    }
    return picture;
}
