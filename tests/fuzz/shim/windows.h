// Declarations only, for updater/manifest.cpp, which the offer's fuzz target
// builds for the offered version's reading. Its functions that call these are
// never called there; the target's link drops them (--gc-sections), so
// nothing here needs a definition.
#pragma once

typedef unsigned long DWORD;
typedef int BOOL;
typedef const char* LPCSTR;

#define WINAPI
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008

extern "C" {
DWORD WINAPI GetFileAttributesA(LPCSTR path);
BOOL WINAPI MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags);
BOOL WINAPI DeleteFileA(LPCSTR path);
}
