#include "resource_picture.h"

#include <objidl.h>

#include <algorithm>
#include <cstring>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "owners/com_ptr.h"

namespace {

// A stream over a copy of the resource bytes; it frees the copy with its last
// reference. Empty when the resource is missing or cannot be read.
ComPtr<IStream> StreamOverResource(HMODULE module, UINT id, LPCSTR type) {
    ComPtr<IStream> stream;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(LOWORD(id)), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (bytes && size > 0) {
        if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size)) {
            if (void* copy = GlobalLock(block)) {
                std::memcpy(copy, bytes, size);
                GlobalUnlock(block);
                if (SUCCEEDED(CreateStreamOnHGlobal(block, TRUE, stream.Out()))) {
                    return stream;
                }
            }
            GlobalFree(block);
        }
    }
    // An empty stream yields the failed bitmap callers expect.
    CreateStreamOnHGlobal(nullptr, TRUE, stream.Out());
    return stream;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> DecodeResourcePicture(HMODULE module, UINT id, LPCSTR type) {
    ComPtr<IStream> stream = StreamOverResource(module, id, type);
    return std::make_unique<Gdiplus::Bitmap>(stream.Get(), FALSE);
}
