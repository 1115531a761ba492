#include "launcher/button_pictures.h"

#include <cstring>

namespace launcher {

namespace {

struct ResourceBytes {
    const void* data = nullptr;
    DWORD size = 0;
};

ResourceBytes PngResource(HMODULE module, unsigned id) {
    ResourceBytes bytes;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    bytes.data = loaded ? LockResource(loaded) : nullptr;
    bytes.size = bytes.data ? SizeofResource(module, found) : 0;
    return bytes;
}

}  // namespace

bool SamePicture(HMODULE module, unsigned a, unsigned b) {
    const ResourceBytes first = PngResource(module, a), second = PngResource(module, b);
    return first.data && second.data && first.size == second.size &&
           std::memcmp(first.data, second.data, first.size) == 0;
}

unsigned DistinctPicture(HMODULE module, unsigned state, unsigned normal) {
    return state != 0 && SamePicture(module, state, normal) ? 0 : state;
}

}  // namespace launcher
