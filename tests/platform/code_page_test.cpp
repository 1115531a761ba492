// The program's text is GBK; everything else assumes the tests run with it.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

TEST(Platform, AnsiCodePageIs936) {
    EXPECT_EQ(936u, GetACP());
    EXPECT_EQ(936u, GetOEMCP());
}

// Wine makes the host's file names in the locale's character set: a session
// without a compiled zh_CN.UTF-8 locale cannot hold a Chinese file name.
TEST(Platform, FilesWithChineseNamesCanBeMadeAndFound) {
    char folder[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, folder));
    const std::string name = std::string(folder) + "\xB5\xD8\xCD\xBC-platform.txt";  // 地图 in code page 936
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "error " << GetLastError();
    CloseHandle(file);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(folder) + "*-platform.txt").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    FindClose(search);
    EXPECT_STREQ("\xB5\xD8\xCD\xBC-platform.txt", found.cFileName);
    EXPECT_TRUE(DeleteFileA(name.c_str()));
}
