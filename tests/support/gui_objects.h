// The process's GDI and USER object counts, for soaks that must stay flat.
#pragma once

#include <windows.h>

namespace support {

struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
    bool counted = false;  // false: the platform gave no count at all
};

// GetGuiResources where the platform answers it. Wine 8's is a stub that
// answers 0; there the GDI count comes from the process's GDI handle table
// (the PEB's GdiSharedHandleTable, entries whose type is not 0) and the USER
// count stays 0.
GuiObjects CountGuiObjects();

}  // namespace support
