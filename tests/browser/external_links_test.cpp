// The site's pages from the configuration, and the caption's recharge
// address: "[server]" and "[user]" filled in.
#include "browser/external_links.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

using links::FillRechargePlaceholders;
using links::SitePage;
using links::SitePageAddress;

TEST(SitePages, EachPageHasItsOwnKeyInThePlatformSection) {
    support::ScopedTempDir dir;  // the current directory, where WebCfg.ini is read
    EXPECT_EQ("", SitePageAddress(SitePage::kForum));
    ASSERT_TRUE(support::WriteTextFile("WebCfg.ini",
                                       "[platform]\r\nbbsAddr=http://forum/\r\nhomeAddr=http://home/\r\n"
                                       "rechargeAddr=http://pay/?sid=[server]\r\nserviceAddr=http://service/\r\n"
                                       "[netAddr]\r\nhomeAddr=http://page-owned/\r\n"));
    const struct {
        SitePage page;
        const char* address;
    } table[] = {
        {SitePage::kForum, "http://forum/"},
        {SitePage::kHome, "http://home/"},
        {SitePage::kRecharge, "http://pay/?sid=[server]"},
        {SitePage::kService, "http://service/"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.address, SitePageAddress(row.page)) << static_cast<int>(row.page);
    }
}

TEST(RechargePlaceholders, ServerAndUserFilledInEveryOccurrence) {
    EXPECT_EQ("http://pay.example/pay.php?sid=12&name=alice",
              FillRechargePlaceholders("http://pay.example/pay.php?sid=[server]&name=[user]", 12, "alice"));
    EXPECT_EQ("a12b12c", FillRechargePlaceholders("a[server]b[server]c", 12, "x"));
    EXPECT_EQ("bob-bob", FillRechargePlaceholders("[user]-[user]", 1, "bob"));
}

TEST(RechargePlaceholders, NegativeServerKeepsItsSign) {
    EXPECT_EQ("sid=-7", FillRechargePlaceholders("sid=[server]", -7, ""));
}

TEST(RechargePlaceholders, UserNameIsInsertedAsItIs) {
    // Unencoded, and never searched again for placeholders.
    EXPECT_EQ("n=a b&c", FillRechargePlaceholders("n=[user]", 3, "a b&c"));
    EXPECT_EQ("s=3&n=x[server]y", FillRechargePlaceholders("s=[server]&n=[user]", 3, "x[server]y"));
    EXPECT_EQ("n=[user]!", FillRechargePlaceholders("n=[user]", 3, "[user]!"));
}

TEST(RechargePlaceholders, OtherTextUnchanged) {
    EXPECT_EQ("http://x/pay", FillRechargePlaceholders("http://x/pay", 5, "u"));
    EXPECT_EQ("[Server][USER]", FillRechargePlaceholders("[Server][USER]", 5, "u"));  // case-sensitive
    EXPECT_EQ("", FillRechargePlaceholders("", 5, "u"));
    EXPECT_EQ("[serv5", FillRechargePlaceholders("[serv[server]", 5, "u"));
}
