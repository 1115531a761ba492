// The updater's plain rules: its start, its texts, and the platform's SHA-256.
#include <gtest/gtest.h>

#include "sha256.h"
#include "start_rules.h"
#include "texts.h"

namespace brisvane {
namespace {

TEST(Start, OnlyTheTokenAloneStartsAnUpdate) {
    EXPECT_TRUE(IsUpdaterCommandLine("KT481D27-M305-942e-C7F2-5H9036B14RMX"));
    EXPECT_FALSE(IsUpdaterCommandLine("Brisvane.exe KT481D27-M305-942e-C7F2-5H9036B14RMX"));
    EXPECT_FALSE(IsUpdaterCommandLine("KT481D27-M305-942E-C7F2-5H9036B14RMX"));
    EXPECT_FALSE(IsUpdaterCommandLine(""));
    EXPECT_FALSE(IsUpdaterCommandLine(nullptr));
    // One name per folder, without the backslashes a kernel name may not hold.
    EXPECT_EQ("Local\\Brisvane:c:/games/arvendel", UpdaterMutexName("c:\\games\\arvendel"));
    EXPECT_NE(UpdaterMutexName("c:\\a"), UpdaterMutexName("c:\\b"));
    // The folder as Windows compares it: one folder however its letters are written.
    EXPECT_EQ(UpdaterMutexName("c:\\games\\arvendel"), UpdaterMutexName("C:\\Games/ARVENDEL"));
    EXPECT_EQ(UpdaterMutexName("d:\\游戏\\ａβ"), UpdaterMutexName("D:\\游戏\\ＡΒ"));
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
    EXPECT_EQ("更新失败：更新服务器返回错误（HTTP 404）。", FailureText(Failure(Outcome::kHttpStatus, 404)));
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
