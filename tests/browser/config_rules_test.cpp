// The store's rules without the platform: the "/b_" grammar, the byte cuts and
// which entries a page may write.
#include "browser/config_rules.h"

#include <gtest/gtest.h>

using config::CutToBuffer;
using config::IsStorableEntry;
using config::QueryArgs;

namespace {

bool NoLeadBytes(unsigned char) { return false; }
// Code page 936: 0x81..0xFE start a two-byte character.
bool GbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

}  // namespace

TEST(QueryArgs, FindsNamedArgumentsAndEndsValuesAtSpaceOrLineEnd) {
    const char* line = "C:\\Games\\client.exe /b_user alice /b_server 12";
    EXPECT_EQ("alice", QueryArgs(line, "user"));
    EXPECT_EQ("12", QueryArgs(line, "server"));
    EXPECT_EQ("", QueryArgs(line, "User"));
    EXPECT_EQ("", QueryArgs(line, "serv"));
    EXPECT_EQ("", QueryArgs(line, "nobody"));
}

TEST(QueryArgs, NameWithoutValueYieldsEmpty) {
    EXPECT_EQ("", QueryArgs("client.exe /b_user", "user"));
    EXPECT_EQ("", QueryArgs("client.exe /b_user ", "user"));
    EXPECT_EQ("", QueryArgs("client.exe /b_user  alice", "user"));
}

TEST(QueryArgs, MarkerInsideAValueOrWordIsFound) {
    EXPECT_EQ("5", QueryArgs("client.exe /b_a x/b_b 5", "b"));
    EXPECT_EQ("7", QueryArgs("client.exe word/b_n 7", "n"));
    // The value of a non-matching argument is searched, its name is not.
    EXPECT_EQ("", QueryArgs("client.exe /b_x/b_y 1", "y"));
}

TEST(QueryArgs, FirstMatchWinsAndQuotesAndTabsAreOrdinary) {
    EXPECT_EQ("bob", QueryArgs("c.exe /b_user bob /b_user carol", "user"));
    EXPECT_EQ("\"a", QueryArgs("c.exe /b_q \"a b\"", "q"));
    EXPECT_EQ("a\tb", QueryArgs("c.exe /b_t a\tb", "t"));
    EXPECT_EQ("", QueryArgs("", "user"));
}

TEST(CutToBuffer, KeepsShortValuesAndCutsLongOnesToBufferLessOne) {
    EXPECT_EQ("abc", CutToBuffer("abc", 4, NoLeadBytes));
    EXPECT_EQ("ab", CutToBuffer("abc", 3, NoLeadBytes));
    EXPECT_EQ("", CutToBuffer("abc", 1, NoLeadBytes));
    EXPECT_EQ("", CutToBuffer("abc", 0, NoLeadBytes));
    EXPECT_EQ(std::string(1023, 'x'), CutToBuffer(std::string(1500, 'x'), 1024, NoLeadBytes));
    EXPECT_EQ(std::string(499, 'y'), CutToBuffer(std::string(600, 'y'), 500, NoLeadBytes));
}

TEST(CutToBuffer, NeverEndsOnHalfACharacter) {
    const std::string han = "\xB5\xC7";  // one GBK character
    // "a" + 300 characters: 601 bytes; 499 bytes hold "a" and 249 characters.
    std::string value = "a";
    for (int i = 0; i < 300; ++i) value += han;
    std::string cut = CutToBuffer(value, 500, GbkLeadByte);
    EXPECT_EQ(499u, cut.size());
    // Without the leading "a" the 499th byte would be a lead byte: it goes.
    std::string even = value.substr(1);
    std::string evenCut = CutToBuffer(even, 500, GbkLeadByte);
    EXPECT_EQ(498u, evenCut.size());
    EXPECT_EQ(even.substr(0, 498), evenCut);
    // A trail byte in the lead range does not start a character.
    EXPECT_EQ("\x81\x81\x81\x81", CutToBuffer("\x81\x81\x81\x81\x81\x81", 6, GbkLeadByte));
}

TEST(IsStorableEntry, RefusesEntriesThatWouldChangeTheFileStructure) {
    EXPECT_TRUE(IsStorableEntry("lastServer", "12"));
    EXPECT_TRUE(IsStorableEntry("lastServer", ""));
    EXPECT_TRUE(IsStorableEntry("k", "a=b [x] ;c"));
    EXPECT_FALSE(IsStorableEntry("", "v"));
    EXPECT_FALSE(IsStorableEntry("  ", "v"));
    EXPECT_FALSE(IsStorableEntry("a=b", "v"));
    EXPECT_FALSE(IsStorableEntry("[platform]", "v"));
    EXPECT_FALSE(IsStorableEntry(" ;note", "v"));
    EXPECT_FALSE(IsStorableEntry("k\n[platform]\nclientAddr", "v"));
    EXPECT_FALSE(IsStorableEntry("k", "v\r\n[platform]\r\nclientAddr=http://elsewhere/"));
}

TEST(IsStorableEntry, RefusesKeysAndValuesTooLongToBeKeptWhole) {
    // Measured: 32766 bytes come back whole, 32767 do not.
    const std::string longest(32766, 'x');
    const std::string tooLong(32767, 'x');
    EXPECT_TRUE(IsStorableEntry(longest, "v"));
    EXPECT_TRUE(IsStorableEntry("k", longest));
    EXPECT_FALSE(IsStorableEntry(tooLong, "v"));
    EXPECT_FALSE(IsStorableEntry("k", tooLong));
    EXPECT_FALSE(IsStorableEntry(std::string(1 << 20, 'x'), "v"));
}
