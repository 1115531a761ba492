#include "gui_objects.h"

#include <winternl.h>

#include <cstdint>
#include <cstring>

namespace support {

namespace {

// Wine's GDI handle table entry (include/ntgdi.h): object, owner, unique,
// type (0 for a free entry), flags, user pointer; 24 bytes on both sizes.
struct WineGdiEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(WineGdiEntry) == 24, "Wine's GDI_HANDLE_ENTRY");
constexpr size_t kWineGdiHandles = 0x10000;

bool IsWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

DWORD WineGdiObjects() {
    // PEB.GdiSharedHandleTable: offset 0x94 in a 32-bit PEB, 0xF8 in a 64-bit one.
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return 0;
    const auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
    constexpr size_t kOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const WineGdiEntry* table = nullptr;
    std::memcpy(&table, peb + kOffset, sizeof table);
    if (!table) return 0;
    DWORD count = 0;
    for (size_t i = 0; i < kWineGdiHandles; ++i) count += table[i].type != 0;
    return count;
}

}  // namespace

GuiObjects CountGuiObjects() {
    GuiObjects counts;
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counts.gdi == 0 && IsWine()) counts.gdi = WineGdiObjects();
    counts.counted = counts.gdi != 0;
    return counts;
}

}  // namespace support
