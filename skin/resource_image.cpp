#include "skin/resource_image.h"

#include "framework/gdi_owners.h"

#include <wrl/client.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace {

// The type is an integer (2, bitmap) or a name such as "PNG".
bool IsBitmapType(LPCSTR type) {
    const auto number = reinterpret_cast<ULONG_PTR>(type);
    return IS_INTRESOURCE(type) && LOWORD(number) == LOWORD(reinterpret_cast<ULONG_PTR>(RT_BITMAP));
}

std::unique_ptr<Gdiplus::Image> ImageFromBitmapResource(UINT id, HMODULE module) {
    // GDI+ copies the pixels; the GDI bitmap goes at the end of the call. A
    // null bitmap makes GDI+ fail the same way a missing picture does.
    ScopedGdiObject<HBITMAP> bitmap(LoadBitmapA(module, MAKEINTRESOURCEA(id)));
    return std::make_unique<Gdiplus::Bitmap>(bitmap.get(), static_cast<HPALETTE>(nullptr));
}

// A stream over a copy of the resource bytes. The stream owns the block and
// frees it with its last reference, which GDI+ holds while the image lives.
ComPtr<IStream> StreamOverCopy(const void* data, DWORD size) {
    ComPtr<IStream> stream;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        return stream;
    }
    if (void* bytes = GlobalLock(block)) {
        std::memcpy(bytes, data, size);
        GlobalUnlock(block);
        if (SUCCEEDED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
            return stream;
        }
    }
    GlobalFree(block);
    return stream;
}

}  // namespace

std::unique_ptr<Gdiplus::Image> LoadResourceImage(UINT id, LPCSTR type, HMODULE module) {
    // Also for bitmaps: LoadBitmap with no module would load a system bitmap.
    if (!module) {
        module = GetModuleHandleA(nullptr);
    }
    if (IsBitmapType(type)) {
        return ImageFromBitmapResource(id, module);
    }
    ComPtr<IStream> stream;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(LOWORD(id)), type);
    if (found) {
        DWORD size = SizeofResource(module, found);
        if (HGLOBAL loaded = LoadResource(module, found)) {
            if (const void* data = LockResource(loaded)) {
                stream = StreamOverCopy(data, size);
            }
            FreeResource(loaded);
        }
    }
    if (!stream) {
        // Missing or unreadable: an empty stream yields the failed image callers expect.
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    }
    // A bitmap object, so the layered background can read its pixels directly.
    return std::make_unique<Gdiplus::Bitmap>(stream.Get(), FALSE);
}
