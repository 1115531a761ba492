// The update provider's plain rules, called directly.
#include <gtest/gtest.h>

#include "aside_copies.h"
#include "put_in_place.h"
#include "transport_rules.h"
#include "update_rules.h"

namespace zarnel {
namespace {

TEST(Endpoint, FollowsTheSchemeAndAnExplicitPort) {
    struct Case { const char* scheme; unsigned port; unsigned want; bool secure; };
    for (const Case& c : {Case{"http", 0, 80, false}, Case{"http", 8080, 8080, false},
                          Case{"HTTP", 0, 80, false}, Case{"https", 0, 443, true},
                          Case{"https", 8443, 8443, true}, Case{"http", 443, 443, false}}) {
        auto endpoint = ChooseEndpoint(c.scheme, c.port);
        ASSERT_TRUE(endpoint) << c.scheme;
        EXPECT_EQ(c.want, endpoint->port) << c.scheme << " " << c.port;
        EXPECT_EQ(c.secure, endpoint->secure) << c.scheme;
    }
    EXPECT_FALSE(ChooseEndpoint("ftp", 21));
    EXPECT_FALSE(ChooseEndpoint("", 0));
    EXPECT_FALSE(ChooseEndpoint("http", 70000));
}

TEST(ObjectName, AppendsTheTimeSuffixEvenAfterAQuery) {
    EXPECT_EQ("/upd/Server.xml?v=1700000000", ObjectName("/upd/Server.xml", 1700000000u));
    EXPECT_EQ("/s.xml?c=1?v=0", ObjectName("/s.xml?c=1", 0));
    EXPECT_EQ("/?v=4294967295", ObjectName("/", 4294967295u));
}

TEST(ContentLength, IsTheLeadingNumber) {
    EXPECT_EQ(0u, ParseContentLength("0"));
    EXPECT_EQ(1234u, ParseContentLength(" 1234"));
    EXPECT_EQ(12u, ParseContentLength("12abc"));
    EXPECT_FALSE(ParseContentLength(""));
    EXPECT_FALSE(ParseContentLength("abc"));
    EXPECT_FALSE(ParseContentLength("-5"));
    EXPECT_EQ(UINT64_MAX, ParseContentLength("99999999999999999999999"));
}

TEST(ResponseBody, WithADeclaredLengthTakesAtMostThatMany) {
    ResponseBody body(5);
    EXPECT_EQ(5u, body.NextRead(4096));
    body.Append("Hel", 3);
    EXPECT_EQ(2u, body.NextRead(4096));
    EXPECT_FALSE(body.complete());
    body.Append("lo", 2);
    EXPECT_EQ(0u, body.NextRead(4096));
    EXPECT_TRUE(body.acceptable());
    EXPECT_TRUE(body.complete());
    EXPECT_EQ("Hello", body.Text());

    ResponseBody empty(0);
    EXPECT_EQ(0u, empty.NextRead(4096));
    EXPECT_EQ("", empty.Text());
}

TEST(ResponseBody, RefusesMoreThan16MiB) {
    EXPECT_TRUE(ResponseBody(ResponseBody::kMaxBytes).acceptable());
    EXPECT_FALSE(ResponseBody(ResponseBody::kMaxBytes + 1).acceptable());
    EXPECT_EQ(0u, ResponseBody(UINT64_MAX).NextRead(4096));

    // Without a declared length, one byte past the limit is asked for and refused.
    ResponseBody body(std::nullopt);
    std::string chunk(1 << 20, 'x');
    for (int i = 0; i < 16; ++i) body.Append(chunk.data(), chunk.size());
    EXPECT_TRUE(body.acceptable());
    EXPECT_EQ(1u, body.NextRead(4096));
    body.Append("x", 1);
    EXPECT_FALSE(body.acceptable());
    EXPECT_EQ(0u, body.NextRead(4096));
}

TEST(ResponseBody, TextEndsAtTheFirstZeroByte) {
    ResponseBody body(std::nullopt);
    body.Append("abc\0def", 7);
    EXPECT_EQ(7u, body.size());
    EXPECT_EQ("abc", body.Text());
}

TEST(UpdateRules, VersionsAreComparedAsBytes) {
    EXPECT_TRUE(SameVersion("1.0", "1.0"));
    EXPECT_FALSE(SameVersion("1.0", "1.00"));
    EXPECT_FALSE(SameVersion("1.0", "1.0 "));
    EXPECT_FALSE(SameVersion("2.0", "1.0"));
    EXPECT_FALSE(SameVersion("a", "A"));
}

TEST(UpdateRules, NamesRunTogetherAsWritten) {
    EXPECT_EQ("http://h/updServer.xml", ManifestUrl("http://h/upd", "Server.xml"));
    EXPECT_EQ("plugins\\a.dll", DestinationOf("plugins\\", "a.dll"));
    EXPECT_EQ("libx.dll", DestinationOf("lib", "x.dll"));
    EXPECT_EQ("x.dll", DestinationOf("", "x.dll"));
    EXPECT_EQ("lib\\x.dll.tmp", StagedFileOf("lib\\x.dll"));
}

TEST(PutInPlace, AsideNamesSayPreviousAndDifferPerAttempt) {
    EXPECT_EQ("bin\\Vorn_Login.exe.previous-1c-2f0a-0", AsideNameOf("bin\\Vorn_Login.exe", 0x1c, 0x2f0a, 0));
    EXPECT_NE(AsideNameOf("a.dll", 1, 2, 0), AsideNameOf("a.dll", 1, 2, 1));
    EXPECT_NE(AsideNameOf("a.dll", 1, 2, 0), AsideNameOf("a.dll", 1, 3, 0));
    EXPECT_NE(AsideNameOf("a.dll", 1, 2, 0), AsideNameOf("a.dll", 2, 2, 0));
}

TEST(PutInPlace, OnlyAsideCopiesAreEverDeletedLater) {
    EXPECT_TRUE(IsAsideCopyName(AsideNameOf("Vorn_Login.exe", 1, 2, 0)));
    EXPECT_TRUE(IsAsideCopyName(AsideNameOf("plugins\\a.dll", 1, 2, 0)));
    for (const char* other : {"", "Update.xml", "a.dll", "C:\\a.dll.previous-1-2-0", "\\a.previous-1",
                              "..\\a.dll.previous-1-2-0", "data\\..\\..\\x.previous-1"})
        EXPECT_FALSE(IsAsideCopyName(other)) << other;
}

TEST(UpdateRules, OnlyTrueMarksARegistrationAndTheNameIsQuoted) {
    EXPECT_TRUE(IsMarkedForRegistration("true"));
    EXPECT_FALSE(IsMarkedForRegistration("TRUE"));
    EXPECT_FALSE(IsMarkedForRegistration("1"));
    EXPECT_FALSE(IsMarkedForRegistration(""));
    EXPECT_FALSE(IsMarkedForRegistration(nullptr));
    EXPECT_EQ("/s \"Reg Test.dll\"", RegistrationParameters("Reg Test.dll"));
}

}  // namespace
}  // namespace zarnel
