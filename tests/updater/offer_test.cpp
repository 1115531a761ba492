// The server's offer as the update provider and the updater read it.
#include <gtest/gtest.h>

#include <vector>

#include "offer.h"

namespace zarnel {
namespace {

const std::string kHash(64, 'a');

bool Read(const std::string& xml, Offer* offer, std::string* why) {
    TiXmlDocument manifest;
    manifest.Parse(xml.c_str());
    return ReadOffer(manifest, sizeof "C:\\Games\\Arvendel" - 1, offer, why);
}

std::string FileEntry(const std::string& path, const std::string& name, const std::string& extra = "") {
    return "<file path=\"" + path + "\" name=\"" + name + "\" size=\"12\" sha256=\"" + kHash +
           "\" url=\"f/" + name + "\" " + extra + "/>";
}

TEST(Offer, ReadsTheVersionAndEveryFileAfterIt) {
    Offer offer;
    std::string why;
    ASSERT_TRUE(Read("<m><!-- c --><release version=\"2.0\" serial=\"0012\"/>" + FileEntry("data\\", "a.dat") +
                         "<note/>" + FileEntry("", "b.dll", "register=\"true\"") +
                         FileEntry("", "c.dll", "register=\"TRUE\"") + "</m>",
                     &offer, &why))
        << why;
    EXPECT_EQ("2.0", offer.version);
    EXPECT_EQ(12u, offer.serial);
    ASSERT_EQ(3u, offer.files.size());
    EXPECT_EQ("data\\", offer.files[0].path);
    EXPECT_EQ("a.dat", offer.files[0].name);
    EXPECT_EQ("f/a.dat", offer.files[0].url);
    EXPECT_EQ(12u, offer.files[0].size);
    EXPECT_FALSE(offer.files[0].registered);
    EXPECT_TRUE(offer.files[1].registered);
    EXPECT_FALSE(offer.files[2].registered);
    // The version entry itself is no file, even when it is called so.
    ASSERT_TRUE(Read("<m><file version=\"3\" serial=\"18446744073709551615\"/></m>", &offer, &why));
    EXPECT_EQ(UINT64_MAX, offer.serial);
    EXPECT_TRUE(offer.files.empty());
    // Unsigned offers, which the update library reads too, have none.
    ASSERT_TRUE(Read("<m><release version=\"3\"/></m>", &offer, &why));
    EXPECT_EQ(0u, offer.serial);
}

TEST(Offer, RefusesUnusableEntries) {
    Offer offer;
    std::string why;
    const std::string head = "<m><release version=\"2\"/>";
    EXPECT_FALSE(Read("<m><release/></m>", &offer, &why));
    // The serial: digits only, no sign, no overflow.
    for (const char* serial : {"", "-1", "+1", "1.5", "x", " 1", "18446744073709551616"}) {
        EXPECT_FALSE(Read(std::string("<m><release version=\"2\" serial=\"") + serial + "\"/></m>", &offer, &why))
            << serial;
    }
    for (const std::string& bad : std::vector<std::string>{
             "<file path=\"\" name=\"a\" size=\"1\" sha256=\"" + kHash + "\"/>",  // no url
             "<file name=\"a\" size=\"1\" sha256=\"" + kHash + "\" url=\"a\"/>",  // no path
             "<file path=\"\" name=\"a\" size=\"x\" sha256=\"" + kHash + "\" url=\"a\"/>",
             "<file path=\"\" name=\"a\" size=\"1\" sha256=\"abc\" url=\"a\"/>",
             FileEntry("..\\", "evil.dll"), FileEntry("C:\\windows\\", "evil.dll"),
             FileEntry("\\", "evil.dll"), FileEntry("", "Update.xml"), FileEntry("", "SERVER.XML"),
             FileEntry("", "NUL.txt"), FileEntry("..", "x.dll"),
             FileEntry("", "a.dll") + FileEntry("", "A.DLL"),  // one file twice
             FileEntry("data\\", "x") + FileEntry("DATA/", "X"),
             FileEntry("", "x") + FileEntry("", "x.tmp"),
         }) {
        EXPECT_FALSE(Read(head + bad + "</m>", &offer, &why)) << bad;
        EXPECT_FALSE(why.empty());
    }
}

TEST(Offer, SizesAndHashesAreStrict) {
    std::uint64_t size = 7;
    EXPECT_TRUE(ParseSize("0", &size));
    EXPECT_EQ(0u, size);
    EXPECT_TRUE(ParseSize("18446744073709551615", &size));
    EXPECT_EQ(UINT64_MAX, size);
    for (const char* bad : {"", "-1", "+1", " 1", "1 ", "18446744073709551616", "1e3"})
        EXPECT_FALSE(ParseSize(bad, &size)) << bad;
    EXPECT_FALSE(ParseSize(nullptr, &size));
    std::string hex;
    EXPECT_TRUE(ParseSha256(std::string(64, 'A').c_str(), &hex));
    EXPECT_EQ(std::string(64, 'a'), hex);
    EXPECT_FALSE(ParseSha256(std::string(63, 'a').c_str(), &hex));
    EXPECT_FALSE(ParseSha256((std::string(63, 'a') + "g").c_str(), &hex));
}

}  // namespace
}  // namespace zarnel
