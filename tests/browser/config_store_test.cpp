// WebCfg.ini through the platform's profile functions, in a scratch current
// directory: reads, writes, cuts, and files that are missing or cannot be written.
#include "browser/config_store.h"
#include "temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

using config::CConfigStore;
using config::ReadPlatformSetting;

namespace {

// Each test runs in its own empty current directory, removed afterwards.
class ConfigStore : public ::testing::Test {
protected:
    static void WriteFile(const std::string& text) { ASSERT_TRUE(support::WriteTextFile("WebCfg.ini", text)); }
    static std::string FileText() {
        std::string text;
        support::ReadTextFile("WebCfg.ini", &text);
        return text;
    }
    static bool FileExists() { return support::FileExists("WebCfg.ini"); }

    support::ScopedTempDir m_dir;
    CConfigStore m_store;
};

}  // namespace

TEST_F(ConfigStore, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
    EXPECT_EQ("", ReadPlatformSetting("clientAddr"));
    EXPECT_EQ("", m_store.readConfig("lastServer"));
    EXPECT_FALSE(FileExists());

    EXPECT_TRUE(m_store.writeConfig("lastServer", "12"));
    EXPECT_EQ("12", m_store.readConfig("lastServer"));
    std::string text = FileText();
    EXPECT_NE(std::string::npos, text.find("[netAddr]")) << text;
    EXPECT_NE(std::string::npos, text.find("lastServer=12")) << text;
}

TEST_F(ConfigStore, SectionsAreSeparateAndNamesIgnoreCase) {
    WriteFile("[platform]\r\nclientAddr=http://127.0.0.1/launcher\r\nhomeAddr=  \"http://home/\"  \r\n");
    EXPECT_EQ("http://127.0.0.1/launcher", ReadPlatformSetting("clientAddr"));
    EXPECT_EQ("http://127.0.0.1/launcher", ReadPlatformSetting("CLIENTADDR"));
    // Blanks around a value and a pair of enclosing quotes are removed.
    EXPECT_EQ("http://home/", ReadPlatformSetting("homeAddr"));
    EXPECT_EQ("", m_store.readConfig("clientAddr"));

    EXPECT_TRUE(m_store.writeConfig("clientAddr", "page-value"));
    EXPECT_EQ("page-value", m_store.readConfig("CLIENTaddr"));
    EXPECT_EQ("http://127.0.0.1/launcher", ReadPlatformSetting("clientAddr"));

    CConfigStore upper("NETADDR");
    EXPECT_EQ("page-value", upper.readConfig("clientaddr"));
}

TEST_F(ConfigStore, WriteReplacesAndEmptyValueKeepsTheKey) {
    EXPECT_TRUE(m_store.writeConfig("k", "first"));
    EXPECT_TRUE(m_store.writeConfig("K", "second"));
    EXPECT_EQ("second", m_store.readConfig("k"));
    EXPECT_TRUE(m_store.writeConfig("k", ""));
    EXPECT_EQ("", m_store.readConfig("k"));
    EXPECT_NE(std::string::npos, FileText().find("=\r\n")) << FileText();
}

TEST_F(ConfigStore, LongValuesAreCutToTheirBuffers) {
    const std::string longPlatform(1500, 'p');
    const std::string longNet(600, 'n');
    WriteFile("[platform]\r\nbbsAddr=" + longPlatform + "\r\n[netAddr]\r\nnote=" + longNet + "\r\n");
    EXPECT_EQ(longPlatform.substr(0, 1023), ReadPlatformSetting("bbsAddr"));
    EXPECT_EQ(longNet.substr(0, 499), m_store.readConfig("note"));
}

TEST_F(ConfigStore, ChineseValuesRoundTripAndAreCutOnCharacterBoundaries) {
    ASSERT_EQ(936u, GetACP());
    const std::string han = "\xB5\xC7\xC2\xBD";  // "登陆" in code page 936
    EXPECT_TRUE(m_store.writeConfig("name", han.c_str()));
    EXPECT_EQ(han, m_store.readConfig("name"));

    std::string many;
    for (int i = 0; i < 300; ++i) many += "\xB5\xC7";
    EXPECT_TRUE(m_store.writeConfig("many", many.c_str()));
    EXPECT_EQ(many.substr(0, 498), m_store.readConfig("many"));
}

TEST_F(ConfigStore, EveryReadSeesTheFileAsItIsNow) {
    WriteFile("[platform]\r\nclientAddr=http://one/\r\n");
    EXPECT_EQ("http://one/", ReadPlatformSetting("clientAddr"));
    WriteFile("[platform]\r\nclientAddr=http://two/\r\n");
    EXPECT_EQ("http://two/", ReadPlatformSetting("clientAddr"));
}

TEST_F(ConfigStore, PagesCannotWriteLinesOfTheirOwn) {
    WriteFile("[platform]\r\nclientAddr=http://one/\r\n");
    EXPECT_FALSE(m_store.writeConfig("x", "1\r\n[platform]\r\nclientAddr=http://elsewhere/"));
    EXPECT_FALSE(m_store.writeConfig("a=b", "1"));
    EXPECT_EQ("[platform]\r\nclientAddr=http://one/\r\n", FileText());
}

TEST_F(ConfigStore, FileThatCannotBeWrittenFailsAndStaysUnchanged) {
    const std::string before = "[netAddr]\r\nk=old\r\n";
    WriteFile(before);
    ASSERT_TRUE(SetFileAttributesA("WebCfg.ini", FILE_ATTRIBUTE_READONLY));
    {
        // Wine running as root ignores the read-only attribute; a handle
        // without sharing makes the file unwritable there as well.
        HANDLE held = CreateFileA("WebCfg.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_FALSE(m_store.writeConfig("k", "new"));
        CloseHandle(held);
    }
    EXPECT_EQ(before, FileText());
    EXPECT_EQ("old", m_store.readConfig("k"));
}

TEST_F(ConfigStore, DirectoryInPlaceOfTheFileReadsEmptyAndFailsToWrite) {
    ASSERT_TRUE(CreateDirectoryA("WebCfg.ini", nullptr));
    EXPECT_EQ("", ReadPlatformSetting("clientAddr"));
    EXPECT_FALSE(m_store.writeConfig("k", "v"));
}
