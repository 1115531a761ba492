// Icon, accelerators, manifest and version information. The manifest is
// embedded in this test program too, so its effect can be checked for real.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "owners/gdi_owners.h"
#include "resource.h"
#include "resource_data.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {  // one entry of an RT_GROUP_ICON directory
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)


struct AccelDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using AccelHandle = std::unique_ptr<std::remove_pointer_t<HACCEL>, AccelDeleter>;

}  // namespace

TEST(ProgramResources, IconHas16And32And48PixelImages) {
    std::vector<uint8_t> group = ResourceBytes(IDR_MAINFRAME, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    WORD count = WORD(group[4] | group[5] << 8);
    ASSERT_EQ(6 + count * sizeof(GroupIconEntry), group.size());
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry;
        memcpy(&entry, &group[6 + i * sizeof(entry)], sizeof(entry));
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(32, entry.bitCount);
        sizes.insert(entry.width);
    }
    EXPECT_EQ((std::set<int>{16, 32, 48}), sizes);
    // Each size loads as an icon of exactly that size, as the caption (16),
    // the taskbar (32) and the task switcher (48) ask for them.
    for (int size : {16, 32, 48}) {
        ScopedIcon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon.get()) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        ScopedBitmap colourBitmap(info.hbmColor), mask(info.hbmMask);
        BITMAP colour{};
        GetObjectA(colourBitmap.get(), sizeof(colour), &colour);
        EXPECT_EQ(size, colour.bmWidth);
    }
}

TEST(ProgramResources, AcceleratorTableMapsF5ToRefresh) {
    AccelHandle table(LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATOR)));
    ASSERT_TRUE(table);
    ACCEL entries[4]{};
    ASSERT_EQ(1, CopyAcceleratorTableA(table.get(), entries, 4));
    EXPECT_EQ(VK_F5, entries[0].key);
    EXPECT_EQ(32771, entries[0].cmd);
    EXPECT_EQ(FVIRTKEY | FNOINVERT, entries[0].fVirt & ~0x80);  // 0x80 marks the last entry
}

TEST(ProgramResources, ManifestAsksNoElevationAndDeclaresDpiAwareness) {
    std::vector<uint8_t> bytes = ResourceBytes(1, MAKEINTRESOURCEA(24));  // RT_MANIFEST
    std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>"));
    // Common controls for this build's processor: another one's fail to load.
#ifdef _WIN64
    EXPECT_NE(std::string::npos, manifest.find("processorArchitecture=\"amd64\""));
#else
    EXPECT_NE(std::string::npos, manifest.find("processorArchitecture=\"x86\""));
#endif
    EXPECT_EQ(std::string::npos, manifest.find("@VORN_"));
    // The loader read it: this process runs DPI-aware.
    EXPECT_TRUE(IsProcessDPIAware());
}

TEST(ProgramResources, VersionInformationNamesTheProgram) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<uint8_t> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
    EXPECT_EQ(DWORD(VFT_APP), fixed->dwFileType);
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\ProductName",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(L"Arvendel登陆器"), text);
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\OriginalFilename",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(L"Vorn_Login.exe"), text);
}
