// Which of a launcher button's pictures are decoded: each distinct one once.
// A button without a hot or disabled picture draws its normal one instead, so
// a state whose picture is the normal one again needs no decode of its own
// (the shipped disabled pictures are the normal ones: the launcher never
// disables its buttons).
#pragma once

#include <windows.h>

namespace launcher {

// Whether PNG resources a and b of module hold the same bytes; false when
// either is missing.
bool SamePicture(HMODULE module, unsigned a, unsigned b);

// state, or 0 when it is the same picture as normal.
unsigned DistinctPicture(HMODULE module, unsigned state, unsigned normal);

}  // namespace launcher
