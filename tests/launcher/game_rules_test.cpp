// The plain rules of the hand-over to the game: which addresses switch, what
// the game window takes from them, and the text of browser event variants.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include "app/game_address.h"
#include "launcher/game_address.h"
#include "launcher/variant_text.h"

namespace {

TEST(GameAddress, OnlyTheExactMarkerWithQuestionMarkSwitches) {
    EXPECT_TRUE(launcher::IsGameAddress("http://s1.example/clientex/bin/index.php?a=1&serverid=3&"));
    EXPECT_TRUE(launcher::IsGameAddress("http://x/news.php?next=clientex/bin/index.php?x"));
    EXPECT_FALSE(launcher::IsGameAddress("http://s1.example/clientex/bin/index.php"));
    EXPECT_FALSE(launcher::IsGameAddress("http://s1.example/clientex/bin/index.php#?"));
    EXPECT_FALSE(launcher::IsGameAddress("http://s1.example/ClientEx/bin/index.php?a=1"));
    EXPECT_FALSE(launcher::IsGameAddress(""));
}

TEST(GameAddress, ServerAndUserComeFromTheirMarkersUpToTheNextAmpersand) {
    const char* url = "http://g/clientex/bin/index.php?a=1&serverid=12&username=abc&t=5";
    EXPECT_EQ(12, game::ServerIdFromAddress(url));
    EXPECT_EQ("abc", game::UserNameFromAddress(url));

    // A value that no "&" follows is empty.
    EXPECT_EQ(12, game::ServerIdFromAddress("http://g/clientex/bin/index.php?&serverid=12&username=abc"));
    EXPECT_EQ("", game::UserNameFromAddress("http://g/clientex/bin/index.php?&serverid=12&username=abc"));
    // atoi's rules: digits up to the first non-digit, a sign, nothing gives 0.
    EXPECT_EQ(7, game::ServerIdFromAddress("?&serverid=7x&"));
    EXPECT_EQ(-3, game::ServerIdFromAddress("?&serverid=-3&"));
    EXPECT_EQ(0, game::ServerIdFromAddress("?&serverid=&username=a&"));
    // The user name is taken as it stands, not decoded.
    EXPECT_EQ("a%20b", game::UserNameFromAddress("?&username=a%20b&"));
}

TEST(GameAddress, MissingOrMiscasedMarkersGiveServerZeroAndNoUser) {
    // Without this rule the slice would start 9 bytes into the address.
    const char* url = "123456789012&x=1&";
    EXPECT_EQ(0, game::ServerIdFromAddress(url));
    EXPECT_EQ("", game::UserNameFromAddress(url));
    EXPECT_EQ(0, game::ServerIdFromAddress("?&ServerId=12&UserName=abc&"));
    EXPECT_EQ("", game::UserNameFromAddress("?&ServerId=12&UserName=abc&"));
    // Overflowing digits stay a valid number.
    EXPECT_EQ(2147483647, game::ServerIdFromAddress("?&serverid=99999999999&"));
}

TEST(GameTitle, NamesTheServerInCodePage936) {
    EXPECT_EQ("Halden 《Arvendel》 双线12服", game::GameTitle(12));
    EXPECT_EQ("Halden 《Arvendel》 双线998服", game::GameTitle(998));
    EXPECT_EQ("Halden 《Arvendel》 不删档封测1服", game::GameTitle(999));
    EXPECT_EQ("Halden 《Arvendel》 不删档封测7服", game::GameTitle(1005));
    EXPECT_EQ("Halden 《Arvendel》 双线0服", game::GameTitle(0));
    // 服 is B7 FE in code page 936: the literals really are GBK.
    const std::string title = game::GameTitle(1);
    EXPECT_EQ("\xB7\xFE", title.substr(title.size() - 2));
}

TEST(VariantText, StringsAndNumbersDirectOrByReference) {
    VARIANT v;
    VariantInit(&v);
    BSTR text = SysAllocString(L"http://a/\u670d");
    v.vt = VT_BSTR;
    v.bstrVal = text;
    EXPECT_EQ("http://a/\xB7\xFE", launcher::VariantToString(v));
    v.vt = VT_BSTR | VT_BYREF;
    v.pbstrVal = &text;
    EXPECT_EQ("http://a/\xB7\xFE", launcher::VariantToString(v));
    SysFreeString(text);

    LONG number = 42;
    v.vt = VT_I4 | VT_BYREF;
    v.plVal = &number;
    EXPECT_EQ("42", launcher::VariantToString(v));
    v.vt = VT_I4;
    v.lVal = -7;
    EXPECT_EQ("-7", launcher::VariantToString(v));
    v.vt = VT_R8;
    v.dblVal = 1.5;
    EXPECT_EQ("1.500000", launcher::VariantToString(v));
    v.vt = VT_BOOL;
    v.boolVal = VARIANT_TRUE;
    EXPECT_EQ("", launcher::VariantToString(v));
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    EXPECT_EQ("", launcher::VariantToString(v));
}

}  // namespace
