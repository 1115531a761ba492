// Counts what keeps the DLL loaded: live objects and server locks.
#pragma once
#include <windows.h>

namespace standin {

void DllAddRef();
void DllRelease();
bool DllInUse();

}  // namespace standin

namespace standin {
HINSTANCE ModuleInstance();
}
