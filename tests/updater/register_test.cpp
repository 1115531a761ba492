// Registration by finish through the system's own regsvr32, which it does not
// wait for: the test component leaves a marker naming the file that was loaded.
#include "zarnel_fixture.h"

#include <tlhelp32.h>

#include "program_run.h"

namespace ztest {
namespace {

// How many regsvr32 processes this process has started that still run.
int RunningRegistrations() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiA(entry.szExeFile, "regsvr32.exe") == 0)
            ++count;
    }
    CloseHandle(snapshot);
    return count;
}

class Register : public ZarnelTest {
protected:
    void StageComponent(const std::string& folder, const std::string& name) {
        ASSERT_TRUE(CreateDirectoryA(File(folder).c_str(), nullptr));
        ASSERT_TRUE(CopyIn(REGTEST_DLL, folder + "\\" + name + ".tmp"));
    }
};

TEST_F(Register, RegistersOnlyMarkedComponentsByTheirWholeName) {
    Write("Server.xml", "<manifest><release version=\"2.0\"/></manifest>");
    StageComponent("plugins", "Reg Test.dll");
    StageComponent("upper", "Upper.dll");
    StageComponent("plain", "Plain.dll");
    Write("Update.xml",
          "<update version=\"1.0\" url=\"http://h/\" info=\"S.xml\"><files>"
          "<f path=\"plugins\\\" name=\"Reg Test.dll\" register=\"true\"/>"
          "<f path=\"upper\\\" name=\"Upper.dll\" register=\"TRUE\"/>"
          "<f path=\"plain\\\" name=\"Plain.dll\"/>"
          "</files></update>");
    int error = 7;
    EXPECT_TRUE(m_zarnel.finish(&error));
    EXPECT_EQ(0, error);

    // Started from the entry's folder, with the spaced name as one argument.
    // The marker is there before its text: wait for the whole text.
    const std::string expected = File("plugins\\Reg Test.dll");
    support::WaitUntil([&] { return lstrcmpiA(expected.c_str(), Read("plugins\\registered.txt").c_str()) == 0; },
                       60000);
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), Read("plugins\\registered.txt").c_str()));
    // Any registration of the others would have been started at the same time:
    // once every regsvr32 started here has ended, none can still come.
    EXPECT_TRUE(support::WaitUntil([] { return RunningRegistrations() == 0; }, 60000));
    EXPECT_FALSE(Exists("upper\\registered.txt"));
    EXPECT_FALSE(Exists("plain\\registered.txt"));
}

// regsvr32.exe in the install folder or beside the component is not the
// system's (here the stand-in that records its start): it never runs, and
// the component is named by its full path.
TEST_F(Register, OnlyTheSystemsRegsvr32RunsOnTheFullPath) {
    Write("Server.xml", "<manifest><release version=\"2.0\"/></manifest>");
    StageComponent("plugins", "a.dll");
    ASSERT_TRUE(CopyIn(FAKE_UPDATER, "regsvr32.exe"));
    ASSERT_TRUE(CopyIn(FAKE_UPDATER, "plugins\\regsvr32.exe"));
    Write("Update.xml",
          "<update version=\"1.0\" url=\"http://h/\" info=\"S.xml\"><files>"
          "<f path=\"plugins\\\" name=\"a.dll\" register=\"true\"/></files></update>");
    int error = 7;
    EXPECT_TRUE(m_zarnel.finish(&error));
    const std::string expected = File("plugins\\a.dll");
    auto registered = [&] { return lstrcmpiA(expected.c_str(), Read("plugins\\registered.txt").c_str()) == 0; };
    auto impostor = [&] { return Exists("updater-started.txt") || Exists("plugins\\updater-started.txt"); };
    support::WaitUntil([&] { return registered() || impostor(); }, 30000);
    // A stand-in that did start is let go first, so that every regsvr32 ends.
    Write("release-updater.txt", "go");
    Write("plugins\\release-updater.txt", "go");
    EXPECT_TRUE(support::WaitUntil([] { return RunningRegistrations() == 0; }, 30000));
    EXPECT_TRUE(registered()) << Read("plugins\\registered.txt");
    EXPECT_FALSE(impostor());
}

}  // namespace
}  // namespace ztest
