// The updater's plain rules: the offer it reads, its start, its texts, and
// the platform's SHA-256.
#include <gtest/gtest.h>

#include <vector>

#include "offer.h"
#include "sha256.h"
#include "texts.h"

namespace brisvane {
namespace {

const std::string kHash(64, 'a');

bool Read(const std::string& xml, Offer* offer, std::string* why) {
    TiXmlDocument manifest;
    manifest.Parse(xml.c_str());
    return ReadOffer(manifest, offer, why);
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
}

TEST(Offer, RefusesUnusableEntries) {
    Offer offer;
    std::string why;
    const std::string head = "<m><release version=\"2\" serial=\"1\"/>";
    EXPECT_FALSE(Read("<m><release serial=\"1\"/></m>", &offer, &why));
    // The serial: digits only, no sign, no overflow.
    for (const char* serial : {"", "-1", "+1", "1.5", "x", " 1", "18446744073709551616"}) {
        EXPECT_FALSE(Read(std::string("<m><release version=\"2\" serial=\"") + serial + "\"/></m>", &offer, &why))
            << serial;
    }
    EXPECT_FALSE(Read("<m><release version=\"2\"/></m>", &offer, &why));
    for (const std::string& bad : std::vector<std::string>{
             "<file path=\"\" name=\"a\" size=\"1\" sha256=\"" + kHash + "\"/>",  // no url
             "<file name=\"a\" size=\"1\" sha256=\"" + kHash + "\" url=\"a\"/>",  // no path
             "<file path=\"\" name=\"a\" size=\"x\" sha256=\"" + kHash + "\" url=\"a\"/>",
             "<file path=\"\" name=\"a\" size=\"1\" sha256=\"abc\" url=\"a\"/>",
             FileEntry("..\\", "evil.dll"), FileEntry("C:\\windows\\", "evil.dll"),
             FileEntry("\\", "evil.dll"), FileEntry("", "Update.xml"), FileEntry("", "SERVER.XML"),
             FileEntry("", "a.dll") + FileEntry("", "A.DLL"),  // one file twice
         }) {
        EXPECT_FALSE(Read(head + bad + "</m>", &offer, &why)) << bad;
        EXPECT_FALSE(why.empty());
    }
}

TEST(Offer, DestinationsStayInsideTheInstallFolder) {
    for (const char* good : {"a.dll", "data\\a.dat", "data/maps/b.map", "libx.dll", "a..b.dat"})
        EXPECT_TRUE(IsSafeDestination(good)) << good;
    for (const char* bad : {"", "\\a.dll", "/a.dll", "C:a.dll", "..\\a.dll", "data\\..\\..\\a",
                            "data\\.\\a", "data\\", "a.dll.", "a*.dll", "data\\ . \\a"})
        EXPECT_FALSE(IsSafeDestination(bad)) << bad;
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

TEST(Start, OnlyTheTokenAloneStartsAnUpdate) {
    EXPECT_TRUE(IsUpdaterCommandLine("KT481D27-M305-942e-C7F2-5H9036B14RMX"));
    EXPECT_FALSE(IsUpdaterCommandLine("Brisvane.exe KT481D27-M305-942e-C7F2-5H9036B14RMX"));
    EXPECT_FALSE(IsUpdaterCommandLine("KT481D27-M305-942E-C7F2-5H9036B14RMX"));
    EXPECT_FALSE(IsUpdaterCommandLine(""));
    EXPECT_FALSE(IsUpdaterCommandLine(nullptr));
    // One name per folder, without the backslashes a kernel name may not hold.
    EXPECT_EQ("Local\\Brisvane:c:/games/arvendel", UpdaterMutexName("c:\\games\\arvendel"));
    EXPECT_NE(UpdaterMutexName("c:\\a"), UpdaterMutexName("c:\\b"));
}

TEST(Texts, AmountsAndFailuresReadForAPlayer) {
    EXPECT_EQ("512 B", ByteText(512));
    EXPECT_EQ("1.5 KB", ByteText(1536));
    EXPECT_EQ("50.0 MB", ByteText(50u << 20));
    EXPECT_EQ("1.0 MB / 2.0 MB    512.0 KB/秒", AmountText(1u << 20, 2u << 20, 2.0));
    EXPECT_EQ("0 B / 2.0 MB", AmountText(0, 2u << 20, 0.0));
    EXPECT_EQ(0, Permille(5, 0));
    EXPECT_EQ(500, Permille(1, 2));
    EXPECT_EQ(1000, Permille(3, 2));
    DownloadResult failure;
    failure.outcome = Outcome::kHttpStatus;
    failure.status = 404;
    EXPECT_EQ("更新失败：更新服务器返回错误（HTTP 404）。", FailureText(failure));
    Progress progress;
    progress.phase = Phase::kDownloading;
    progress.file = "data\\pack.dat";
    progress.fileNumber = 2;
    progress.fileCount = 3;
    EXPECT_EQ("当前文件：data\\pack.dat (2/3)", FileText(progress));
}

TEST(Sha256, MatchesTheStandardVectors) {
    Sha256 empty;
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", empty.HexDigest());
    Sha256 abc;
    ASSERT_TRUE(abc.Add("a", 1));
    ASSERT_TRUE(abc.Add("bc", 2));  // in pieces, as a download arrives
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", abc.HexDigest());
}

}  // namespace
}  // namespace brisvane
