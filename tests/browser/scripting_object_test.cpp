// The scripting object called through IDispatch, as the browsers' script
// engines call it, over a WebCfg.ini in a temporary current directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "browser/scripting_object.h"
#include "script_call.h"
#include "temp_dir.h"

using testing_dispatch::Arg;
using testing_dispatch::CallMethod;
using testing_dispatch::IdOf;
using testing_dispatch::Invoke;

namespace {

class ScriptingObjectTest : public ::testing::Test {
protected:
    std::string ConfigText() {
        std::string content;
        support::ReadTextFile(dir.File("WebCfg.ini"), &content);
        return content;
    }

    support::ScopedTempDir dir;
    CImpIDispatch object;
};

TEST_F(ScriptingObjectTest, NamesResolveExactlyAndUnknownNamesFail) {
    EXPECT_EQ(1, IdOf(&object, L"queryArgs"));
    EXPECT_EQ(2, IdOf(&object, L"readConfig"));
    EXPECT_EQ(3, IdOf(&object, L"writeConfig"));
    EXPECT_EQ(12345, IdOf(&object, L"xxyyzz"));
    for (const wchar_t* name : {L"QueryArgs", L"readconfig", L"netAddr", L"Wibble", L"x", L"", L"xXyyzz"}) {
        EXPECT_EQ(DISPID_UNKNOWN, IdOf(&object, name)) << "name of length " << wcslen(name);
    }

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"readConfig"), const_cast<LPOLESTR>(L"nothing")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, object.GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids));
    EXPECT_EQ(2, ids[0]);
    EXPECT_EQ(DISPID_UNKNOWN, ids[1]);
}

TEST_F(ScriptingObjectTest, QueryInterfaceCountsAndReleaseNeverDestroys) {
    IDispatch* dispatch = nullptr;
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, object.QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    ASSERT_EQ(S_OK, object.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<void*>(dispatch), static_cast<void*>(unknown));
    EXPECT_EQ(2, object.RefCount());

    void* other = &object;
    EXPECT_EQ(E_NOINTERFACE, object.QueryInterface(IID_IClassFactory, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(2, object.RefCount());

    dispatch->Release();
    unknown->Release();
    EXPECT_EQ(static_cast<ULONG>(-1), object.Release());  // the exit's extra release
    EXPECT_EQ(2, IdOf(&object, L"readConfig"));  // still alive and answering

    UINT count = 77;
    EXPECT_EQ(E_NOTIMPL, object.GetTypeInfoCount(&count));
    EXPECT_EQ(77u, count);
}

TEST_F(ScriptingObjectTest, WrittenValuesReadBackAndLandInTheirSection) {
    auto write = CallMethod(&object, L"writeConfig", {L"k", L"v"});
    EXPECT_EQ(S_OK, write.hr);
    ASSERT_EQ(VT_BOOL, write.vt);
    EXPECT_EQ(VARIANT_TRUE, write.flag);
    auto read = CallMethod(&object, L"readConfig", {L"k"});
    ASSERT_EQ(VT_BSTR, read.vt);
    EXPECT_EQ(L"v", read.text);
    EXPECT_NE(std::string::npos, ConfigText().find("[netAddr]\r\nk=v"));

    // Chinese text is stored in code page 936 and comes back as it was sent.
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"name", L"\u670d\u52a1"}).flag);
    EXPECT_EQ(L"\u670d\u52a1", CallMethod(&object, L"readConfig", {L"name"}).text);
    EXPECT_NE(std::string::npos, ConfigText().find("name=\xB7\xFE\xCE\xF1"));

    // Missing keys and the program's own section read as empty.
    support::WriteTextFile(dir.File("WebCfg.ini"), "[platform]\r\nclientAddr=http://x/\r\n");
    auto missing = CallMethod(&object, L"readConfig", {L"clientAddr"});
    EXPECT_EQ(S_OK, missing.hr);
    EXPECT_EQ(VT_BSTR, missing.vt);
    EXPECT_EQ(L"", missing.text);
}

TEST_F(ScriptingObjectTest, PropertyReadsWibbleOnlyAsAPropertyGet) {
    auto get = Invoke(&object, 12345, DISPATCH_PROPERTYGET, {});
    EXPECT_EQ(S_OK, get.hr);
    EXPECT_EQ(VT_BSTR, get.vt);
    EXPECT_EQ(L"Wibble", get.text);
    EXPECT_EQ(VT_EMPTY, Invoke(&object, 12345, DISPATCH_METHOD, {}).vt);
    EXPECT_EQ(VT_EMPTY, Invoke(&object, 4, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {L"k"}).vt);
}

TEST_F(ScriptingObjectTest, TooFewArgumentsFailAndTouchNothing) {
    auto write = CallMethod(&object, L"writeConfig", {L"k"});
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, write.hr);
    EXPECT_EQ(VT_EMPTY, write.vt);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, CallMethod(&object, L"readConfig", {}).hr);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, CallMethod(&object, L"queryArgs", {}).hr);
    EXPECT_FALSE(support::FileExists(dir.File("WebCfg.ini")));
}

TEST_F(ScriptingObjectTest, ExtraArgumentsAreIgnoredAndTheFirstOnesUsedInScriptOrder) {
    auto write = CallMethod(&object, L"writeConfig", {L"a", L"b", L"c"});
    EXPECT_EQ(S_OK, write.hr);
    EXPECT_EQ(VARIANT_TRUE, write.flag);
    EXPECT_EQ(L"b", CallMethod(&object, L"readConfig", {L"a", L"c"}).text);
    EXPECT_EQ(L"", CallMethod(&object, L"readConfig", {L"b"}).text);
    EXPECT_NE(std::string::npos, ConfigText().find("a=b"));
    EXPECT_EQ(std::string::npos, ConfigText().find("b=c"));

    // A type fault in an ignored argument does not matter; in a used one it
    // is reported at that argument's place in rgvarg (reversed).
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"k", L"v", Arg::OfType(VT_NULL)}).flag);
    UINT argErr = 99;
    auto refused = Invoke(&object, 3, DISPATCH_METHOD, {Arg::OfType(VT_NULL), L"v", L"extra"}, true, &argErr);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, refused.hr);
    EXPECT_EQ(2u, argErr);
}

TEST_F(ScriptingObjectTest, KeysAndValuesTooLongToKeepWholeAreRefused) {
    ASSERT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"k", L"v"}).flag);
    const std::string before = ConfigText();
    const std::wstring tooLong(32767, L'x');
    const std::wstring megabyte(1024 * 1024, L'y');
    // Two-byte characters count in bytes: 16 Ki of them are 32 KiB in code page 936.
    const std::wstring wideTooLong(16 * 1024, L'\u670d');
    for (const std::vector<Arg>& args : std::vector<std::vector<Arg>>{
             {tooLong.c_str(), L"v"}, {L"k", tooLong.c_str()}, {megabyte.c_str(), L"v"},
             {L"k", megabyte.c_str()}, {L"k", wideTooLong.c_str()}}) {
        auto result = CallMethod(&object, L"writeConfig", args);
        EXPECT_EQ(S_OK, result.hr);
        ASSERT_EQ(VT_BOOL, result.vt);
        EXPECT_EQ(VARIANT_FALSE, result.flag);
    }
    EXPECT_EQ(before, ConfigText());

    // One byte less is kept whole.
    const std::wstring longest(32766, L'z');
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"long", longest.c_str()}).flag);
    EXPECT_NE(std::string::npos, ConfigText().find("long=" + std::string(longest.size(), 'z') + "\r\n"));
}

TEST_F(ScriptingObjectTest, NonTextArgumentsAreConvertedOrRefused) {
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"n", 42}).flag);
    EXPECT_NE(std::string::npos, ConfigText().find("n=42"));
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {7, L"seven"}).flag);
    EXPECT_EQ(L"seven", CallMethod(&object, L"readConfig", {7}).text);

    const std::string before = ConfigText();
    auto refused = CallMethod(&object, L"writeConfig", {L"k", Arg::OfType(VT_NULL)});
    EXPECT_EQ(DISP_E_TYPEMISMATCH, refused.hr);
    EXPECT_EQ(VT_EMPTY, refused.vt);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, CallMethod(&object, L"writeConfig", {Arg::OfType(VT_NULL), L"v"}).hr);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, CallMethod(&object, L"readConfig", {Arg::OfType(VT_NULL)}).hr);
    EXPECT_EQ(before, ConfigText());
}

TEST_F(ScriptingObjectTest, WritesThatWouldAddLinesOrSectionsAreRefused) {
    ASSERT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"k", L"v"}).flag);
    const std::string before = ConfigText();
    const std::vector<std::vector<Arg>> bad = {
        {L"a\nb", L"v"}, {L"a\rb", L"v"}, {L"k", L"v\r\n[platform]"}, {L"k", L"v\n"},
        {L"a=b", L"v"}, {L"[platform]", L"v"}, {L"[platform]\r\nclientAddr", L"http://evil/"},
    };
    for (const auto& args : bad) {
        auto result = CallMethod(&object, L"writeConfig", args);
        EXPECT_EQ(S_OK, result.hr);
        ASSERT_EQ(VT_BOOL, result.vt);
        EXPECT_EQ(VARIANT_FALSE, result.flag);
    }
    EXPECT_EQ(before, ConfigText());
    // A bracket inside a key is harmless and allowed.
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"a[1]", L"x=y"}).flag);
    EXPECT_EQ(L"x=y", CallMethod(&object, L"readConfig", {L"a[1]"}).text);
}

// The page is told true only for what comes back exactly as it was sent.
TEST_F(ScriptingObjectTest, WritesThatWouldNotReadBackAsSentAreRefused) {
    ASSERT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"k", L"v"}).flag);
    const std::string before = ConfigText();
    const std::vector<std::vector<Arg>> bad = {
        {L"\f[rt_ff", L"v2"},
        {L"k", std::wstring(L"a\0b", 3)},
        {std::wstring(L"k\0[x]", 5), L"v"},
        {L"k", L"\"quoted\""},
        {L"k", L"  padded  "},
        {L"k", L"\x3000padded"},
        {L"k", L"a\x0E01" L"b"},       // a Thai letter: code page 936 has none
        {L"k", L"\xD83D\xDE00"},     // an emoji
        {L"k", L"\xD800"},           // half of a surrogate pair
        {L"\x0E01", L"v"},
    };
    for (const auto& args : bad) {
        auto result = CallMethod(&object, L"writeConfig", args);
        EXPECT_EQ(S_OK, result.hr);
        ASSERT_EQ(VT_BOOL, result.vt);
        EXPECT_EQ(VARIANT_FALSE, result.flag);
    }
    EXPECT_EQ(before, ConfigText());
    // Quotes and blanks inside a value, and Chinese around them, are kept.
    const std::wstring kept = L"\x670D \"\x52A1\" \x3000x";
    EXPECT_EQ(VARIANT_TRUE, CallMethod(&object, L"writeConfig", {L"k", kept}).flag);
    EXPECT_EQ(kept, CallMethod(&object, L"readConfig", {L"k"}).text);
}

TEST_F(ScriptingObjectTest, PropertyCallsDoNothingButWritesWithoutResultSlotHappen) {
    EXPECT_EQ(VT_EMPTY, Invoke(&object, 3, DISPATCH_PROPERTYGET, {L"k", L"v"}).vt);
    EXPECT_FALSE(support::FileExists(dir.File("WebCfg.ini")));
    // What Wine's script engine passes for "external.writeConfig(k, v);".
    EXPECT_EQ(S_OK, Invoke(&object, 3, DISPATCH_METHOD, {L"k", L"v"}, false).hr);
    EXPECT_EQ(S_OK, Invoke(&object, 2, DISPATCH_METHOD, {L"k"}, false).hr);
    EXPECT_EQ(L"v", CallMethod(&object, L"readConfig", {L"k"}).text);
}

TEST_F(ScriptingObjectTest, UnwritableFileAnswersFalse) {
    // Wine running as root ignores the read-only flag: a folder in the file's place cannot be written.
    ASSERT_TRUE(CreateDirectoryA(dir.File("WebCfg.ini").c_str(), nullptr));
    auto write = CallMethod(&object, L"writeConfig", {L"k", L"v"});
    EXPECT_EQ(S_OK, write.hr);
    EXPECT_EQ(VT_BOOL, write.vt);
    EXPECT_EQ(VARIANT_FALSE, write.flag);
}

}  // namespace
