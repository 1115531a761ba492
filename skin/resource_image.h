// Decodes a picture resource of the program into a GDI+ image.
#pragma once

#include "skin/gdiplus_fwd.h"

#include <memory>

// Bitmap resources (type 2) go through LoadBitmap; every other type is decoded
// from the resource's bytes. A missing resource gives an image in a failed
// state whose width and height read as 0, never a null result. module null
// means the program's own module. GDI+ must have been started.
std::unique_ptr<Gdiplus::Image> LoadResourceImage(UINT id, LPCSTR type, HMODULE module = nullptr);
