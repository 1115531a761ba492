// run through the real DLL, against a stand-in updater that records how it
// was started and waits to be released.
#include "zarnel_fixture.h"

namespace ztest {
namespace {

class Run : public ZarnelTest {
protected:
    void TearDown() override {
        // The stand-in may still be on its way out; its file is locked until then.
        for (int i = 0; i < 100 && Exists("Brisvane.exe"); ++i) {
            if (!DeleteFileA(File("Brisvane.exe").c_str())) Sleep(50);
        }
    }
};

TEST_F(Run, FailsWithoutTheUpdater) {
    int error = 7;
    EXPECT_FALSE(m_zarnel.run(&error));
    EXPECT_EQ(-1, error);
}

TEST_F(Run, StartsTheUpdaterWithTheTokenAloneAndDoesNotWait) {
    ASSERT_TRUE(CopyIn(FAKE_UPDATER, "Brisvane.exe"));
    int error = 7;
    ASSERT_TRUE(m_zarnel.run(&error));
    EXPECT_EQ(0, error);
    // Had run waited, the stand-in would have given up and never get here.
    ASSERT_TRUE(WaitForFile(File("updater-started.txt"), 30000));
    EXPECT_FALSE(Exists("updater-released.txt"));
    Write("release-updater.txt", "go");
    ASSERT_TRUE(WaitForFile(File("updater-released.txt"), 30000));

    std::string record = Read("updater-started.txt");
    std::string directory = m_dir.path().substr(0, m_dir.path().size() - 1);
    EXPECT_EQ("KT481D27-M305-942e-C7F2-5H9036B14RMX\n" + directory + "\n", record);
}

}  // namespace
}  // namespace ztest
