// Pixel arithmetic of the layered background: the size of its 32-bit
// composition buffer and the premultiplied form the system composes.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes of a bottom-up 32-bit DIB of width by height: rows padded to 32 bits,
// which for 32-bit pixels is exactly 4 x width x height.
constexpr uint32_t CompositionBufferBytes(uint32_t width, uint32_t height) {
    return ((width * 32 + 31) & ~31u) / 8 * height;
}

// One straight-alpha colour (0xAARRGGBB) in the premultiplied blue, green,
// red, alpha layout of the buffer, packed as the DIB stores it (0xAARRGGBB
// read as a little-endian DWORD).
constexpr uint32_t Premultiplied(uint32_t argb) {
    const uint32_t a = argb >> 24;
    auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

// Premultiplies count straight-alpha pixels in place.
inline void PremultiplyPixels(uint32_t* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t argb = pixels[i];
        const uint32_t a = argb >> 24;
        if (a != 255) {
            pixels[i] = a ? Premultiplied(argb) : 0;
        }
    }
}
