#include "skin/layered_image.h"

#include "skin/layered_pixels.h"

#include <cstring>

namespace {

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

// Looked up by name at every call; a user32 without it shows no picture
// instead of calling through a null pointer.
UpdateLayeredWindowFn FindUpdateLayeredWindow() {
    HMODULE user32 = GetModuleHandleA("User32.DLL");
    if (!user32) {
        return nullptr;
    }
    return reinterpret_cast<UpdateLayeredWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
}

}  // namespace

CCompositionBuffer::CCompositionBuffer(HDC compatible, UINT width, UINT height) : m_nWidth(width), m_nHeight(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = static_cast<LONG>(height);  // positive: rows stored bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = CompositionBufferBytes(width, height);
    m_bitmap = ScopedGdiObject<HBITMAP>(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0));
    if (ok()) {
        std::memset(m_pBits, 0, info.bmiHeader.biSizeImage);
    }
}

uint32_t* CCompositionBuffer::Row(UINT y) const {
    return static_cast<uint32_t*>(m_pBits) + static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth;
}

uint32_t CCompositionBuffer::Pixel(UINT x, UINT y) const {
    if (!ok() || x >= m_nWidth || y >= m_nHeight) {
        return 0;
    }
    return Row(y)[x];
}

namespace {

// A decoded bitmap of the buffer's own size is copied in and premultiplied
// here: the same pixels as drawing it over transparent black, at a fraction
// of the cost of a GDI+ composite (this runs before the launcher shows).
bool CopyPremultiplied(Gdiplus::Image& picture, UINT width, UINT height, CCompositionBuffer& buffer) {
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(&picture);
    if (!bitmap || bitmap->GetWidth() != width || bitmap->GetHeight() != height || !buffer.ok()) {
        return false;
    }
    Gdiplus::Rect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    // The buffer's rows are bottom-up: start at its last row, step backwards.
    data.Stride = -static_cast<INT>(width * 4);
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = buffer.Row(0);
    if (bitmap->LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    bitmap->UnlockBits(&data);
    PremultiplyPixels(buffer.Row(height - 1), static_cast<size_t>(width) * height);
    return true;
}

}  // namespace

void ComposeLayeredPicture(Gdiplus::Image& picture, UINT width, UINT height, HDC memory, CCompositionBuffer& buffer) {
    if (CopyPremultiplied(picture, width, height, buffer)) {
        return;
    }
    ScopedSelection selected(memory, buffer.bitmap());
    // Drawing over the cleared pixels leaves premultiplied alpha in them.
    Gdiplus::Graphics graphics(memory);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    graphics.DrawImage(&picture, 0, 0, static_cast<INT>(width), static_cast<INT>(height));
    graphics.Flush(Gdiplus::FlushIntentionSync);
}

void ShowLayeredImage(Gdiplus::Image& picture, UINT width, UINT height, HWND window, const BLENDFUNCTION& blend) {
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) {
        SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    }
    ScopedWindowDC screen(window);
    ScopedMemoryDC memory(screen.get());
    RECT rc = {};
    GetWindowRect(window, &rc);

    CCompositionBuffer buffer(screen.get(), width, height);
    UpdateLayeredWindowFn update = FindUpdateLayeredWindow();
    if (!buffer.ok() || !memory.get() || !update) {
        return;
    }
    ComposeLayeredPicture(picture, width, height, memory.get(), buffer);

    ScopedSelection selected(memory.get(), buffer.bitmap());
    POINT destination = {rc.left, rc.top};  // the window stays where it is
    SIZE size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    POINT source = {0, 0};
    BLENDFUNCTION blendCopy = blend;
    update(window, screen.get(), &destination, &size, memory.get(), &source, 0, &blendCopy, ULW_ALPHA);
}
