// A picture resource (PNG and the other formats GDI+ reads) decoded into a
// GDI+ bitmap: the one loader of the image button and the skin's picture loader.
#pragma once

#include <windows.h>

#include <memory>

namespace Gdiplus { class Bitmap; }

// Decodes resource id of the given type in module from a stream over a copy
// of its bytes (GDI+ keeps the stream, and so the copy, while the bitmap
// lives). A missing or unreadable resource gives a bitmap in a failed state
// (GetLastStatus not Ok, width and height 0), never null. GDI+ must be started.
std::unique_ptr<Gdiplus::Bitmap> DecodeResourcePicture(HMODULE module, UINT id, LPCSTR type);
