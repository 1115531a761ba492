// CEnBitmap: bitmap resources and picture files decoded into bitmaps
// compatible with the screen.
#include "skin/skin_bitmap.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER as stored

void Put32(uint8_t* at, uint32_t value) {
    std::memcpy(at, &value, sizeof value);  // little-endian, as the format wants
}

// Where the pixels start in a packed DIB (information header, colour masks,
// colour table), counted from the file header's start. Resources hold the
// DIB without a file header; the picture decoder needs one.
uint32_t PixelOffset(const uint8_t* dib, size_t length) {
    BITMAPINFOHEADER header = {};
    if (length < sizeof header) {
        return kFileHeaderSize + sizeof header;
    }
    std::memcpy(&header, dib, sizeof header);
    uint32_t offset = kFileHeaderSize + header.biSize;
    if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS) {
        offset += 3 * sizeof(uint32_t);
    }
    uint32_t colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8) {
        colours = 1u << header.biBitCount;
    }
    return offset + colours * sizeof(RGBQUAD);
}

}  // namespace

bool CEnBitmap::LoadImageResource(UINT id, LPCSTR type, HMODULE module, COLORREF background) {
    if (GetSafeHandle()) {
        return false;
    }
    LPCSTR name = MAKEINTRESOURCEA(LOWORD(id));
    DWORD size = 0;
    if (!ReadResourceBytes(name, type, module, nullptr, &size) || size == 0) {
        return false;
    }
    std::vector<uint8_t> block(kFileHeaderSize + size);
    if (!ReadResourceBytes(name, type, module, block.data() + kFileHeaderSize, &size)) {
        return false;
    }
    block[0] = 'B';
    block[1] = 'M';
    Put32(&block[2], static_cast<uint32_t>(block.size()));
    Put32(&block[10], PixelOffset(block.data() + kFileHeaderSize, size));
    ComPtr<IPicture> picture = PictureFromBytes(block.data(), block.size());
    return picture && AttachPicture(picture.Get(), background);
}

bool CEnBitmap::LoadImageFile(const char* path, COLORREF background) {
    if (GetSafeHandle() || !path) {
        return false;
    }
    // Read through the C library: the standard streams would link their
    // locale machinery and double the program's size.
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) {
        return false;
    }
    std::vector<char> bytes;
    char chunk[16 * 1024];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) {
        return false;
    }
    ComPtr<IPicture> picture = PictureFromBytes(bytes.data(), bytes.size());
    return picture && AttachPicture(picture.Get(), background);
}

bool CEnBitmap::AttachPicture(IPicture* picture, COLORREF background) {
    if (GetSafeHandle() || !picture) {
        return false;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);

    HWND desktop = GetDesktopWindow();
    ScopedWindowDC screen(desktop);
    ScopedMemoryDC memory(screen.get());
    // 0.01 mm to pixels, rounded (MulDiv).
    const int width = MulDiv(hmWidth, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
    const int height = MulDiv(hmHeight, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    ScopedBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap.get() || !memory.get()) {
        return false;
    }
    HRESULT rendered;
    {
        ScopedSelection selected(memory.get(), bitmap.get());
        if (background != kNoBackground) {
            ScopedBrush brush(CreateSolidBrush(background));
            RECT all = {0, 0, width, height};
            FillRect(memory.get(), &all, brush.get());
        }
        // The picture's own coordinates run bottom-up.
        rendered = picture->Render(memory.get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    }
    return SUCCEEDED(rendered) && Attach(bitmap.release());
}
