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
    EXPECT_TRUE(IsStorableEntry(L"lastServer", L"12"));
    EXPECT_TRUE(IsStorableEntry(L"lastServer", L""));
    EXPECT_TRUE(IsStorableEntry(L"k", L"a=b [x] ;c"));
    EXPECT_FALSE(IsStorableEntry(L"", L"v"));
    EXPECT_FALSE(IsStorableEntry(L"  ", L"v"));
    EXPECT_FALSE(IsStorableEntry(L"a=b", L"v"));
    EXPECT_FALSE(IsStorableEntry(L"[platform]", L"v"));
    EXPECT_FALSE(IsStorableEntry(L" ;note", L"v"));
    EXPECT_FALSE(IsStorableEntry(L"k\n[platform]\nclientAddr", L"v"));
    EXPECT_FALSE(IsStorableEntry(L"k", L"v\r\n[platform]\r\nclientAddr=http://elsewhere/"));
}

// Characters the profile functions end a line at, stop at, or trim, in each
// place of a key and of a value.
TEST(IsStorableEntry, RefusesWhatTheProfileFunctionsWouldTrimOrStopAt) {
    struct Case {
        const wchar_t* what;
        std::wstring c;
        bool start, middle, end;  // accepted there, in a key and in a value
    } cases[] = {
        {L"zero", std::wstring(1, L'\0'), false, false, false},
        {L"tab", L"\t", false, false, false},
        {L"vertical tab", L"\v", false, false, false},
        {L"form feed", L"\f", false, false, false},
        {L"end-of-file mark", L"\x1A", false, false, false},
        {L"delete", L"\x7F", false, false, false},
        {L"next line", L"\x85", false, false, false},
        {L"line separator", L"\x2028", false, false, false},
        {L"paragraph separator", L"\x2029", false, false, false},
        {L"space", L" ", false, true, false},
        {L"no-break space", L"\xA0", false, true, false},
        {L"em space", L"\x2003", false, true, false},
        {L"ideographic space", L"\x3000", false, true, false},
        {L"byte order mark", L"\xFEFF", false, true, false},
        {L"double quote", L"\"", false, true, false},
        {L"single quote", L"'", false, true, false},
        {L"letter", L"x", true, true, true},
        {L"Chinese", L"\x670D", true, true, true},
        {L"full-width bracket", L"\xFF3B", true, true, true},
        {L"closing bracket", L"]", true, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.start, IsStorableEntry(c.c + L"key", L"v")) << c.what;
        EXPECT_EQ(c.middle, IsStorableEntry(L"k" + c.c + L"y", L"v")) << c.what;
        EXPECT_EQ(c.end, IsStorableEntry(L"key" + c.c, L"v")) << c.what;
        EXPECT_EQ(c.start, IsStorableEntry(L"k", c.c + L"value")) << c.what;
        EXPECT_EQ(c.middle, IsStorableEntry(L"k", L"va" + c.c + L"lue")) << c.what;
        EXPECT_EQ(c.end, IsStorableEntry(L"k", L"value" + c.c)) << c.what;
    }
    // Only a key cannot begin with a section's or a comment's mark.
    EXPECT_FALSE(IsStorableEntry(L"[k", L"v"));
    EXPECT_FALSE(IsStorableEntry(L";k", L"v"));
    EXPECT_TRUE(IsStorableEntry(L"k[", L"v"));
    EXPECT_TRUE(IsStorableEntry(L"k", L"[v"));
    EXPECT_TRUE(IsStorableEntry(L"k", L";v"));
    EXPECT_TRUE(IsStorableEntry(L"k", L"=v"));
}

TEST(IsStorableEntry, RefusesKeysAndValuesTooLongToBeKeptWhole) {
    // Measured: 32766 characters come back whole, 32767 do not.
    const std::wstring longest(32766, L'x');
    const std::wstring tooLong(32767, L'x');
    EXPECT_TRUE(IsStorableEntry(longest, L"v"));
    EXPECT_TRUE(IsStorableEntry(L"k", longest));
    EXPECT_FALSE(IsStorableEntry(tooLong, L"v"));
    EXPECT_FALSE(IsStorableEntry(L"k", tooLong));
    EXPECT_FALSE(IsStorableEntry(std::wstring(1 << 20, L'x'), L"v"));
}
