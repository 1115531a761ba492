// Registration by finish through the system's own regsvr32, which it does not
// wait for: the test component leaves a marker naming the file that was loaded.
#include "zarnel_fixture.h"

namespace ztest {
namespace {

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
    EXPECT_TRUE(zarnel_.finish(&error));
    EXPECT_EQ(0, error);

    // Started from the entry's folder, with the spaced name as one argument.
    ASSERT_TRUE(WaitForFile(File("plugins\\registered.txt"), 20000));
    EXPECT_EQ(0, lstrcmpiA(File("plugins\\Reg Test.dll").c_str(),
                           Read("plugins\\registered.txt").c_str()));
    // Any registration of the others would have been started at the same time.
    Sleep(1500);
    EXPECT_FALSE(Exists("upper\\registered.txt"));
    EXPECT_FALSE(Exists("plain\\registered.txt"));
}

}  // namespace
}  // namespace ztest
