// Starting a program as the update steps do, with a stand-in that records
// its command line and folder and holds on until released.
#include <gtest/gtest.h>
#include <windows.h>

#include "process_start.h"
#include "program_run.h"
#include "temp_dir.h"
#include "win_handles.h"

namespace zarnel {
namespace {

class ProcessStart : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(support::CopyBuildFile(FAKE_UPDATER, m_dir.File("child.exe"))); }
    // Lets the stand-in end and waits until its file is free again.
    void Release() {
        ASSERT_TRUE(support::WriteTextFile(m_dir.File("release-updater.txt"), "go"));
        EXPECT_TRUE(support::WaitUntil([&] { return DeleteFileA(m_dir.File("child.exe").c_str()) != FALSE; }, 30000));
    }
    // A file this process opens with an inheritable handle and lets go of;
    // whoever inherited the handle keeps it from being deleted.
    void OpenHeldFileAndStart(Inheritance inheritance) {
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        KernelHandle held(CreateFileA(m_dir.File("held.txt").c_str(), GENERIC_WRITE, 0, &inheritable,
                                      CREATE_ALWAYS, 0, nullptr));
        ASSERT_NE(INVALID_HANDLE_VALUE, held.get());
        ASSERT_TRUE(StartProcess(".\\child.exe", "child.exe", inheritance));
        ASSERT_TRUE(support::WaitUntil([&] { return support::FileExists(m_dir.File("updater-started.txt")); }, 30000));
    }

    support::ScopedTempDir m_dir;
};

TEST_F(ProcessStart, TheCommandLineAsGivenInThisFolderNotWaitedFor) {
    ASSERT_TRUE(StartProcess(".\\child.exe", "\"child.exe\" TRUE  \"a b\"", Inheritance::kNone));
    // Back before the child has ended: it holds on until released.
    EXPECT_FALSE(support::FileExists(m_dir.File("updater-released.txt")));
    std::string record;
    const std::string folder = m_dir.path().substr(0, m_dir.path().size() - 1);
    const std::string expected = "\"child.exe\" TRUE  \"a b\"\n" + folder + "\n";
    EXPECT_TRUE(support::WaitUntil([&] { return support::ReadTextFile(m_dir.File("updater-started.txt"), &record) &&
                                                record == expected; }, 30000)) << record;
    Release();
}

TEST_F(ProcessStart, OnlyTheUpdaterInheritsHandles) {
    OpenHeldFileAndStart(Inheritance::kFromThisProcess);
    EXPECT_FALSE(DeleteFileA(m_dir.File("held.txt").c_str()));
    Release();
    DeleteFileA(m_dir.File("held.txt").c_str());

    ASSERT_TRUE(support::CopyBuildFile(FAKE_UPDATER, m_dir.File("child.exe")));
    DeleteFileA(m_dir.File("updater-started.txt").c_str());
    DeleteFileA(m_dir.File("release-updater.txt").c_str());
    OpenHeldFileAndStart(Inheritance::kNone);
    EXPECT_TRUE(DeleteFileA(m_dir.File("held.txt").c_str()));
    Release();
}

TEST_F(ProcessStart, FailsForAMissingProgram) {
    EXPECT_FALSE(StartProcess(".\\missing.exe", "missing.exe", Inheritance::kNone));
    EXPECT_FALSE(StartProcess(".\\missing.exe", "missing.exe", Inheritance::kFromThisProcess));
}

}  // namespace
}  // namespace zarnel
