// Where an entry of the offer or of Update.xml may put a file, and which two
// entries name one file as Windows resolves names.
#include <gtest/gtest.h>

#include <string>

#include "destination_rules.h"
#include "put_in_place.h"

namespace zarnel {
namespace {

// "C:\Games\Arvendel": the install folder the cases assume.
constexpr std::size_t kFolder = 17;

TEST(DestinationRules, AcceptOnlyPlainFilesInsideTheInstallFolder) {
    const std::string longName(kMaxPath - kFolder - 1 - kLongestAddedSuffix - 1, 'n');
    struct Case {
        std::string path, name;
        bool accepted;
    };
    const Case cases[] = {
        {"", "a.dll", true}, {"data\\", "a.dat", true}, {"data/maps/", "b.map", true},
        {"data\\maps/", "b.map", true}, {"", "a..b.dat", true}, {"", " leading space.txt", true},
        {"", "\xD3\xCE\xCF\xB7.dat", true},     // "游戏.dat"
        {"\xCA\xFD\xBE\xDD\\", "a.dat", true},  // a folder "数据"
        {"", "Vorn~Login.exe", true},           // a tilde without digits
        {"", "con1.dat", true}, {"", "com0.dat", true}, {"", "console.log", true},
        {"data\\", "Update.xml", true},         // no manifest below the top
        {"", longName, true},
        // Outside the folder: absolute, a drive, UNC, dots.
        {"", "", false}, {"\\", "a.dll", false}, {"/", "a.dll", false},
        {"\\\\server\\share\\", "a.dll", false}, {"C:\\windows\\", "a.dll", false},
        {"", "C:a.dll", false}, {"..\\", "a.dll", false}, {"data\\..\\..\\", "a", false},
        {"data\\.\\", "a", false}, {"", "..", false}, {"", ".", false},
        // path must be folders ending in a separator, name one name.
        {"lib", "x.dll", false}, {"..", "x.dll", false}, {"..", "Vendor\\other.dll", false},
        {"", "data\\a.dat", false}, {"", "data/a.dat", false}, {"data\\\\", "x", false},
        {"data\\", "", false},
        // Windows drops trailing dots and spaces: a second name, or a device.
        {"", "a.dll.", false}, {"", "a.dll ", false}, {"data.\\", "x", false},
        {"data \\", "x", false}, {"data\\ . \\", "a", false},
        // Characters Windows refuses, streams, control characters.
        {"", "a*.dll", false}, {"", "a?.dll", false}, {"", "a\"b.dll", false}, {"", "a<b", false},
        {"", "a>b", false}, {"", "a|b", false}, {"", "a.dll:stream", false}, {"", "a\x01.dat", false},
        {"", "a\x1F.dat", false}, {"", "a\tb", false}, {"da\nta\\", "x", false},
        {"", std::string("a\0b", 3), false},
        // Devices, in any case, with any extension, in any folder.
        {"", "NUL.txt", false}, {"", "nul", false}, {"", "Con", false}, {"", "PRN.dat", false},
        {"", "aux.tar.gz", false}, {"", "NUL .txt", false}, {"", "COM1", false}, {"", "com9.log", false},
        {"", "LPT1.txt", false}, {"", "lpt9", false}, {"", "CONIN$", false}, {"", "conout$.x", false},
        {"data\\", "nul.dat", false}, {"con\\", "a.dat", false},
        // 8.3 aliases of long names.
        {"", "VORN_L~1.EXE", false}, {"", "vorn_l~12", false}, {"DATA~1\\", "x.dat", false},
        // The manifests of the update, in any spelling.
        {"", "Update.xml", false}, {"", "SERVER.XML", false}, {"", "update.XML", false},
        {"", "Update.xml.new", false}, {"", "UPDATE~1.XML", false},
        // Double-byte text cut short: Windows makes another name of it.
        {"", "a\xB5", false}, {"", "a\xB5.dat", false}, {"", "\x81\x20x", false},
        {"", "\x81\x7F.dat", false},
        {"a\x81\\", "b", false},  // a trail byte '\' is no separator to Windows
        // MAX_PATH with the longest suffix the update adds.
        {"", longName + "n", false}, {"d\\", longName, false},
    };
    for (const Case& c : cases) {
        const char* fault = DestinationFault(c.path, c.name, kFolder);
        EXPECT_EQ(c.accepted, fault == nullptr)
            << "path \"" << c.path << "\" name \"" << c.name << "\": " << (fault ? fault : "accepted");
    }
    // The same entry fits a shorter install folder, not a longer one.
    EXPECT_TRUE(IsAcceptableDestination("", longName + "n", kFolder - 1));
    EXPECT_FALSE(IsAcceptableDestination("", "a.dll", kMaxPath));
}

TEST(DestinationRules, TheLongestSuffixIsTheLongestAsideName) {
    const std::string destination = "data\\pack.dat";
    EXPECT_EQ(destination.size() + kLongestAddedSuffix,
              AsideNameOf(destination, 0xFFFFFFFF, 0xFFFFFFFFFFFFFFFFull, 16).size());
}

// Each pair names one file (or one entry's staged file, or a file where the
// other needs a folder), whichever comes first; the others are two files.
TEST(DestinationRules, OneFileUnderTwoNamesIsFound) {
    struct Case {
        const char* first;
        const char* second;
        bool clash;
    };
    const Case cases[] = {
        {"a.dll", "a.dll", true}, {"a.dll", "A.DLL", true}, {"data\\x", "DATA/X", true},
        {"data/maps/x", "Data\\Maps\\X", true},
        {"\xA3\xC1.dat", "\xA3\xE1.dat", true},  // full-width A and a
        {"\xA6\xA1.dat", "\xA6\xC1.dat", true},  // Greek
        {"\xA7\xA1.dat", "\xA7\xD1.dat", true},  // Cyrillic
        {"\xA7\xC1.dat", "\xA7\xF1.dat", true},  // the last letter of its run
        {"\xA2\xF1.dat", "\xA2\xA1.dat", true},  // Roman numerals
        {"a", "a.tmp", true}, {"a.tmp", "A", true},  // the staged file of "a"
        {"data", "data\\x", true}, {"Data\\x", "DATA", true},  // a file where a folder must be
        {"a.tmp\\x", "a", true},                 // a staged file where a folder must be
        {"data\\x", "data\\y", false}, {"a.dll", "a.dl", false}, {"a.dll", "b.dll", false},
        {"\xA3\xC1.dat", "\xA3\xC2.dat", false},  // full-width A and B
        {"\xA3\xC1.dat", "A.dat", false},         // full width is not ASCII
        {"\x81\x41.dat", "\x81\x61.dat", false},  // a trail byte is no letter
        {"data\\x", "data2\\x", false}, {"a.tmp.tmp", "a", false},
    };
    for (const Case& c : cases) {
        DestinationSet set;
        ASSERT_TRUE(set.Add(c.first)) << c.first;
        EXPECT_EQ(c.clash, !set.Add(c.second)) << c.first << " then " << c.second;
        DestinationSet reversed;
        ASSERT_TRUE(reversed.Add(c.second)) << c.second;
        EXPECT_EQ(c.clash, !reversed.Add(c.first)) << c.second << " then " << c.first;
    }
    // A refused entry leaves no trace in the set.
    DestinationSet set;
    ASSERT_TRUE(set.Add("data\\x"));
    EXPECT_FALSE(set.Add("data"));
    EXPECT_TRUE(set.Add("data2"));
    EXPECT_TRUE(set.Add("data.tmp\\y"));
}

}  // namespace
}  // namespace zarnel
