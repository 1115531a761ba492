#include "skin/resource_image.h"

#include "owners/gdi_owners.h"
#include "framework/resource_picture.h"

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

}  // namespace

std::unique_ptr<Gdiplus::Image> LoadResourceImage(UINT id, LPCSTR type, HMODULE module) {
    // Also for bitmaps: LoadBitmap with no module would load a system bitmap.
    if (!module) {
        module = GetModuleHandleA(nullptr);
    }
    if (IsBitmapType(type)) {
        return ImageFromBitmapResource(id, module);
    }
    // A bitmap object, so the layered background can read its pixels directly.
    return DecodeResourcePicture(module, id, type);
}
