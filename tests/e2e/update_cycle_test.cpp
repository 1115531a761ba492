// The whole update cycle with the real program, Zarnel.dll and Brisvane.exe:
// version 1 installed, the local server offering version 2 (a data file, a
// component to register and the program itself), and the faults on the way.
// Every fault must leave each installed file whole in its old or new version,
// and the next start must complete the update or start it over.
#include <gtest/gtest.h>

#include <vector>

#include "launcher_fixture.h"

#include <commctrl.h>

#include "offer_builder.h"
#include "updater_window.h"

namespace e2e {
namespace {

using btest::FilePath;
using btest::ServedFile;

constexpr char kUpdateFailed[] = "更新失败\n";

std::string BuildFileBytes(const std::string& unixPath) {
    std::string bytes;
    support::ReadTextFile(WindowsPath(unixPath), &bytes);
    return bytes;
}

class UpdateCycle : public LauncherTest {
protected:
    UpdateCycle() : LauncherTest(85) {}

    void SetUp() override {
        LauncherTest::SetUp();
        Serve("/launcher.html", Page("news", "<p>news</p>"));
        WriteConfig("/launcher.html");
        m_strOldProgram = BuildFileBytes(ProgramExe());
        ASSERT_FALSE(m_strOldProgram.empty());
        // Still a runnable program: bytes after the image are not loaded.
        const std::string newProgram = m_strOldProgram + std::string("\0vorn version 2", 15);
        std::string pack;
        for (int i = 0; pack.size() < 1500000; ++i) pack += "pack v2 line " + std::to_string(i) + "\n";
        m_files = {{"data\\", "pack.dat", pack},
                  {"", "regtest.dll", BuildFileBytes(REGTEST_DLL), true},
                  {"", "Vorn_Login.exe", newProgram}};
        ASSERT_FALSE(m_files[1].bytes.empty());
    }

    void TearDown() override {
        // Whatever the test left running goes before its folder does.
        for (const char* name : {"Brisvane.exe", "Vorn_Login.exe", "regsvr32.exe"}) {
            for (DWORD pid : support::ProcessesNamed(name)) {
                ProgramRun run;
                run.Attach(pid);
            }
        }
        LauncherTest::TearDown();
    }

    // Version 1 as installed, and the server offering version 2.
    void InstallVersion1() {
        ASSERT_TRUE(CopyBuildFile(ProgramExe(), InstallPath("Vorn_Login.exe")));
        ASSERT_TRUE(CopyBuildFile(ZarnelDll(), InstallPath("Zarnel.dll")));
        ASSERT_TRUE(CopyBuildFile(VORN_BRISVANE_EXE, InstallPath("Brisvane.exe")));
        CreateDirectoryA(InstallPath("data").c_str(), nullptr);
        ASSERT_TRUE(support::WriteTextFile(InstallPath("data\\pack.dat"), "pack v1"));
        ASSERT_TRUE(support::WriteTextFile(InstallPath("regtest.dll"), "component v1"));
        m_strUpdateXml = "<update version=\"1\" url=\"" + site.Url("/") + "\" info=\"manifest.xml\"><files /></update>";
        ASSERT_TRUE(support::WriteTextFile(InstallPath("Update.xml"), m_strUpdateXml));
        ASSERT_TRUE(btest::ServeFiles(site, m_files));
        ASSERT_TRUE(btest::ServeSigned(site, "/manifest.xml", btest::ServerManifest("2", m_files)));
    }

    // The program as the player starts it, from the install folder.
    bool StartInstalled(const std::string& arguments = "") {
        return program.Start(InstallPath("Vorn_Login.exe"), dir.path(), arguments);
    }

    // The updater this test's launcher started.
    DWORD WaitForUpdater() {
        DWORD found = 0;
        WaitUntil([&] {
            for (DWORD pid : support::ProcessesNamed("Brisvane.exe")) {
                if (support::ParentProcess(pid) == program.Pid()) found = pid;
            }
            return found != 0;
        }, 30000);
        return found;
    }

    // The launcher hands over and ends; the program the updater starts again
    // becomes this test's program, and that updater m_updater.
    bool WaitForHandBack(DWORD milliseconds = 120000) {
        const DWORD first = program.Pid();
        if (!program.WaitForExit(30000) || program.ExitCode() != 0) return false;
        DWORD restarted = 0;
        WaitUntil([&] {
            for (DWORD pid : support::ProcessesNamed("Vorn_Login.exe")) {
                if (pid != first) restarted = pid;
            }
            return restarted != 0;
        }, milliseconds, 100);
        if (!restarted) return false;
        const DWORD updater = support::ParentProcess(restarted);
        m_updater.Attach(updater);  // fails when it has ended already: nothing to wait for
        return program.Attach(restarted);
    }

    // Requests of the manifest itself (by check and by the updater), not of its signature.
    int ManifestRequests() {
        int count = 0;
        for (const std::string& path : RequestedPaths()) count += path.rfind("/manifest.xml?", 0) == 0;
        return count;
    }
    int FileRequests() {
        int count = 0;
        for (const std::string& path : RequestedPaths()) count += path.rfind("/files/", 0) == 0;
        return count;
    }

    std::vector<std::string> Matching(const std::string& pattern) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(InstallPath(pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(found.cFileName); while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    // Every installed file in its version 1 bytes, Update.xml as it was.
    void ExpectVersion1(const std::string& when) {
        EXPECT_EQ(m_strOldProgram, InstallFile("Vorn_Login.exe")) << when;
        EXPECT_EQ("pack v1", InstallFile("data\\pack.dat")) << when;
        EXPECT_EQ("component v1", InstallFile("regtest.dll")) << when;
        EXPECT_EQ(m_strUpdateXml, InstallFile("Update.xml")) << when;
    }
    void ExpectNothingStaged(const std::string& when) {
        EXPECT_TRUE(Matching("*.tmp").empty()) << when;
        EXPECT_TRUE(Matching("data\\*.tmp").empty()) << when;
    }

    // Every file in its version 2 bytes, the version recorded, nothing left over.
    void ExpectVersion2() {
        for (const ServedFile& f : m_files) EXPECT_TRUE(InstallFile(f.path + f.name) == f.bytes) << f.name;
        const std::string update = InstallFile("Update.xml");
        EXPECT_NE(std::string::npos, update.find("<update version=\"2\" url=\"" + site.Url("/") +
                                                 "\" info=\"manifest.xml\"")) << update;
        EXPECT_NE(std::string::npos, update.find("<files />")) << update;
        EXPECT_FALSE(support::FileExists(InstallPath("Server.xml")));
        ExpectNothingStaged("version 2");
    }

    // From a start of the program to the launcher on version 2.
    void ExpectCycleCompletes() {
        ASSERT_TRUE(WaitForHandBack());
        ASSERT_TRUE(WaitForLauncher(60000));
        // The updater that handed back ends on its own.
        EXPECT_TRUE(!m_updater.Process() || m_updater.WaitForExit(30000));
        ExpectVersion2();
    }

    std::vector<ServedFile> m_files;
    ProgramRun m_updater;
    std::string m_strOldProgram;
    std::string m_strUpdateXml;
};

TEST_F(UpdateCycle, Version2ArrivesAndTheProgramComesBackOnIt) {
    InstallVersion1();
    ASSERT_TRUE(StartInstalled());
    ExpectCycleCompletes();
    // The running program could only go aside; the following check found the
    // versions equal.
    auto aside = Matching("Vorn_Login.exe.previous-*");
    ASSERT_EQ(1u, aside.size());
    EXPECT_TRUE(InstallFile(aside[0]) == m_strOldProgram);
    // Check's, the updater's own, and check's after the restart.
    EXPECT_EQ(3, ManifestRequests());
    EXPECT_NE(std::string::npos, InstallFile("Update.xml").find(" serial=\"1\"")) << InstallFile("Update.xml");
    const std::string component = InstallPath("regtest.dll");
    EXPECT_TRUE(WaitUntil([&] { return lstrcmpiA(component.c_str(), InstallFile("registered.txt").c_str()) == 0; },
                          60000))
        << InstallFile("registered.txt");

    // Ended and started again: the new program, and the aside copy is gone.
    program.Kill();
    ASSERT_TRUE(StartInstalled());
    ASSERT_TRUE(WaitForLauncher(60000));
    EXPECT_TRUE(InstallFile("Vorn_Login.exe") == m_files[2].bytes);
    EXPECT_TRUE(Matching("Vorn_Login.exe.previous-*").empty());
    EXPECT_EQ(std::string::npos, InstallFile("Update.xml").find("previous"));
    EXPECT_EQ(4, ManifestRequests());
}

// A release the publisher did not sign as served, at two starts of the
// program: the updater fetches no file, says the update could not be
// verified, and offers a retry and an exit. The next start with the
// publisher's release completes.
TEST_F(UpdateCycle, AnUnverifiedReleaseInstallsNothingAndTheNextStartCompletes) {
    InstallVersion1();
    const std::string manifest = btest::ServerManifest("2", m_files);
    // The program's entry pointing at other bytes, with the publisher's signature.
    std::string altered = manifest;
    const std::size_t digest = altered.find("sha256=\"", altered.find("Vorn_Login.exe")) + 8;
    altered[digest] = altered[digest] == '0' ? '1' : '0';
    const btest::TestSigner stranger;
    struct Served {
        const char* what;
        std::string manifest;
        std::string signature;
    } served[] = {
        {"signed by another key", manifest, stranger.Signature(manifest)},
        {"altered after signing", altered, btest::DemoSigner().Signature(manifest)},
    };
    for (const Served& s : served) {
        ASSERT_TRUE(site.Route("/manifest.xml", 200, s.manifest));
        ASSERT_TRUE(site.Route("/manifest.xml.sig", 200, s.signature));
        ASSERT_TRUE(site.ClearLog());
        ASSERT_TRUE(StartInstalled());
        ASSERT_TRUE(program.WaitForExit(30000)) << s.what;
        ProgramRun updater;
        ASSERT_TRUE(updater.Attach(WaitForUpdater())) << s.what;
        btest::UpdaterWindow window(updater.Pid());
        ASSERT_TRUE(window.Wait()) << s.what;
        ASSERT_TRUE(window.WaitForStatus("更新失败")) << s.what;
        EXPECT_NE(std::string::npos, window.Status().find("无法验证更新")) << s.what << ": " << window.Status();
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window.hwnd(), brisvane::kRetryButton))) << s.what;
        EXPECT_EQ("退出", btest::ControlText(window.hwnd(), brisvane::kCancelButton)) << s.what;
        EXPECT_EQ(0, FileRequests()) << s.what;
        ExpectVersion1(s.what);
        ExpectNothingStaged(s.what);
        window.Click(brisvane::kCancelButton);
        ASSERT_TRUE(updater.WaitForExit(30000)) << s.what;
        EXPECT_EQ(1u, updater.ExitCode()) << s.what;
        ExpectVersion1(s.what);
    }

    ASSERT_TRUE(btest::ServeSigned(site, "/manifest.xml", manifest));
    ASSERT_TRUE(StartInstalled());
    ExpectCycleCompletes();
}

// A file and a folder with Chinese names arrive under those names. The
// names travel in the served manifest, in UTF-8 as a publisher writes them
// (such text on a Wine command line arrives garbled).
TEST_F(UpdateCycle, AFileWithAChineseNameArrivesUnderThatName) {
    InstallVersion1();
    std::string map;
    for (int i = 0; map.size() < 200000; ++i) map += "map line " + std::to_string(i) + "\n";
    std::vector<ServedFile> offered = m_files;
    offered.push_back({"\xE8\xB5\x84\xE6\x96\x99\\", "\xE5\x9C\xB0\xE5\x9B\xBE.dat", map});  // 资料\地图.dat
    ASSERT_TRUE(btest::ServeSigned(site, "/manifest.xml", btest::ServerManifest("2", offered)));
    ASSERT_TRUE(btest::ServeFiles(site, offered));
    ASSERT_TRUE(StartInstalled());
    ExpectCycleCompletes();
    EXPECT_TRUE(InstallFile("资料\\地图.dat") == map) << InstallFile("资料\\地图.dat").size();
}

// Failed downloads, each shown in the updater's window and undone; after the
// player gives up, the next start begins the update again and completes it.
TEST_F(UpdateCycle, FailedDownloadsChangeNothingAndTheNextStartCompletes) {
    InstallVersion1();
    ASSERT_TRUE(site.Route(FilePath(1), 404, "missing"));
    ASSERT_TRUE(StartInstalled());
    ASSERT_TRUE(program.WaitForExit(30000));
    ProgramRun updater;
    ASSERT_TRUE(updater.Attach(WaitForUpdater()));
    btest::UpdaterWindow window(updater.Pid());
    ASSERT_TRUE(window.Wait());
    ASSERT_TRUE(window.WaitForStatus("HTTP 404"));
    ExpectVersion1("404");
    ExpectNothingStaged("404");

    std::string wrong = m_files[1].bytes;
    wrong[wrong.size() / 2] ^= 1;
    struct Fault {
        std::string body, mode, shown, orShown;
    } faults[] = {
        {wrong, "length", "校验失败", "校验失败"},
        // A connection dropped midway shows as a short body or a broken
        // connection, as the moment of the drop falls.
        {m_files[1].bytes, "cut=" + std::to_string(m_files[1].bytes.size() / 2), "不完整", "中断"},
    };
    for (const Fault& fault : faults) {
        ASSERT_TRUE(site.Route(FilePath(1), 200, fault.body, fault.mode));
        window.Click(brisvane::kRetryButton);
        ASSERT_TRUE(WaitUntil([&] {
            const std::string status = window.Status();
            return status.find(fault.shown) != std::string::npos || status.find(fault.orShown) != std::string::npos;
        }, 60000)) << window.Status();
        ExpectVersion1(fault.mode);
        ExpectNothingStaged(fault.mode);
    }
    // Everything arrives, but Update.xml cannot be written.
    ASSERT_TRUE(btest::ServeFiles(site, m_files));
    ASSERT_TRUE(SetFileAttributesA(InstallPath("Update.xml").c_str(), FILE_ATTRIBUTE_READONLY));
    window.Click(brisvane::kRetryButton);
    ASSERT_TRUE(window.WaitForStatus("Update.xml")) << window.Status();
    SetFileAttributesA(InstallPath("Update.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectVersion1("read-only Update.xml");
    ExpectNothingStaged("read-only Update.xml");

    // Giving up ends the updater without starting the program into another round.
    window.Click(brisvane::kCancelButton);
    ASSERT_TRUE(updater.WaitForExit(30000));
    EXPECT_EQ(1u, updater.ExitCode());
    EXPECT_TRUE(support::ProcessesNamed("Vorn_Login.exe").empty());

    ASSERT_TRUE(StartInstalled());
    ExpectCycleCompletes();
}

TEST_F(UpdateCycle, AnUpdaterKilledMidDownloadIsStartedOverNextTime) {
    InstallVersion1();
    ASSERT_TRUE(site.Route(FilePath(0), 200, m_files[0].bytes, "rate=100000"));
    ASSERT_TRUE(StartInstalled());
    ASSERT_TRUE(program.WaitForExit(30000));
    ProgramRun updater;
    ASSERT_TRUE(updater.Attach(WaitForUpdater()));
    btest::UpdaterWindow window(updater.Pid());
    ASSERT_TRUE(window.Wait());
    // Midway through the first file, by the updater's own file bar.
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(GetDlgItem(window.hwnd(), brisvane::kFileBar), PBM_GETPOS, 0, 0) > 50; },
                          30000));
    EXPECT_TRUE(updater.Running());
    updater.Kill();
    ExpectVersion1("killed");

    ASSERT_TRUE(btest::ServeFiles(site, m_files));
    ASSERT_TRUE(StartInstalled());
    ExpectCycleCompletes();
}

// Held open without sharing, a file can be neither replaced nor renamed: the
// completion fails and says so, that file keeps its old bytes, and once it is
// free the next round completes.
TEST_F(UpdateCycle, AHeldDestinationFailsTheCompletionUntilItIsFree) {
    InstallVersion1();
    HANDLE holder = CreateFileA(InstallPath("data\\pack.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    ASSERT_TRUE(StartInstalled());
    ASSERT_TRUE(WaitForHandBack());
    HWND box = nullptr;
    const bool shown = WaitUntil([&] { return (box = MessageBoxWindow(program.Pid())) != nullptr; }, 60000);
    CloseHandle(holder);
    ASSERT_TRUE(shown);
    EXPECT_EQ(kUpdateFailed, WindowText(GetDlgItem(box, 0xFFFF)));
    EXPECT_EQ("pack v1", InstallFile("data\\pack.dat"));
    EXPECT_TRUE(InstallFile("regtest.dll") == m_files[1].bytes);
    EXPECT_TRUE(InstallFile("Vorn_Login.exe") == m_files[2].bytes);

    // The next check starts the update over for what is missing.
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ExpectCycleCompletes();
}

// A server offering a file named as a device: Windows would "download" into
// the device, finish could never put it in place, and every start would offer
// the same update again. check refuses the offer instead: the launcher comes
// up on the installed version, no updater starts and nothing is written.
TEST_F(UpdateCycle, AnOfferNamingADeviceIsRefusedAndTheLauncherComesUp) {
    m_files.push_back({"", "NUL.txt", "into the device"});
    InstallVersion1();
    ASSERT_TRUE(site.ClearLog());
    ASSERT_TRUE(StartInstalled());
    ASSERT_TRUE(WaitForLauncher(60000));
    EXPECT_TRUE(program.Running());
    for (DWORD pid : support::ProcessesNamed("Brisvane.exe")) EXPECT_NE(program.Pid(), support::ParentProcess(pid));
    EXPECT_EQ(1, ManifestRequests());
    for (const std::string& path : RequestedPaths()) EXPECT_NE(0u, path.rfind("/files/", 0)) << path;
    ExpectVersion1("an offer naming a device");
    ExpectNothingStaged("an offer naming a device");
    EXPECT_FALSE(support::FileExists(InstallPath("Server.xml")));
}

// The restarted program killed inside finish after its first entry: the
// state it leaves (first file in place, the others staged and still listed,
// the old version) is set up here, since the kill cannot be timed from outside.
TEST_F(UpdateCycle, ACompletionCutShortIsFinishedByTheNextRound) {
    InstallVersion1();
    ASSERT_TRUE(support::WriteTextFile(InstallPath("data\\pack.dat"), m_files[0].bytes));
    ASSERT_TRUE(support::WriteTextFile(InstallPath("regtest.dll.tmp"), m_files[1].bytes));
    ASSERT_TRUE(support::WriteTextFile(InstallPath("Vorn_Login.exe.tmp"), m_files[2].bytes));
    ASSERT_TRUE(support::WriteTextFile(
        InstallPath("Update.xml"),
        "<update version=\"1\" url=\"" + site.Url("/") + "\" info=\"manifest.xml\"><files>"
        "<file path=\"data\\\" name=\"pack.dat\" /><file path=\"\" name=\"regtest.dll\" register=\"true\" />"
        "<file path=\"\" name=\"Vorn_Login.exe\" /></files></update>"));
    ASSERT_TRUE(support::WriteTextFile(InstallPath("Server.xml"), btest::ServerManifest("2", m_files)));

    ASSERT_TRUE(site.ClearLog());
    ASSERT_TRUE(StartInstalled());
    ExpectCycleCompletes();
    // The file already in place was not fetched again.
    for (const std::string& path : RequestedPaths()) EXPECT_NE(0u, path.rfind(FilePath(0), 0)) << path;
}

}  // namespace
}  // namespace e2e
