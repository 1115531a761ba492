// finish through the real DLL: each outcome with its result, error status,
// manifests and program files afterwards.
#include "zarnel_fixture.h"

namespace ztest {
namespace {

constexpr char kServer[] = "<manifest><release version=\"2.0\"/></manifest>";

class Finish : public ZarnelTest {
protected:
    void SetUp() override {
        ZarnelTest::SetUp();
        Write("Server.xml", kServer);
    }
    // finish with a stale status: it only ever leaves 0 there.
    bool CallFinish() {
        int error = 7;
        bool result = zarnel_.finish(&error);
        EXPECT_EQ(0, error);
        return result;
    }
    void WriteUpdate(const std::string& files) {
        Write("Update.xml", "<update version=\"1.0\" url=\"http://h/\" info=\"S.xml\">" + files +
                                "</update>");
    }
    // A destination with its old content and the staged replacement beside it.
    void Stage(const std::string& destination, bool withOld = true) {
        if (withOld) Write(destination, "old " + destination);
        Write(destination + ".tmp", "new " + destination);
    }
    void ExpectReplaced(const std::string& destination) {
        EXPECT_EQ("new " + destination, Read(destination));
        EXPECT_FALSE(Exists(destination + ".tmp")) << destination;
    }
    void ExpectUntouched(const std::string& destination) {
        EXPECT_EQ("old " + destination, Read(destination));
        EXPECT_EQ("new " + destination, Read(destination + ".tmp"));
    }
};

TEST_F(Finish, ChangesNothingWithoutAFileList) {
    for (const char* update : {"", "<!-- no root -->", "<update version=\"1.0\"/>",
                               "<update version=\"1.0\"><files/>"}) {
        if (*update) {
            Write("Update.xml", update);
        }
        EXPECT_FALSE(CallFinish()) << update;
        EXPECT_EQ(*update ? update : "", Read("Update.xml"));
        EXPECT_EQ(kServer, Read("Server.xml"));
    }
}

TEST_F(Finish, AnEmptyFileListIsNothingToComplete) {
    WriteUpdate("<files><!-- nothing staged --></files>");
    const std::string before = Read("Update.xml");
    EXPECT_TRUE(CallFinish());
    EXPECT_EQ(before, Read("Update.xml"));
    EXPECT_EQ(kServer, Read("Server.xml"));
}

TEST_F(Finish, PutsEveryStagedFileInPlaceAndRecordsTheVersion) {
    ASSERT_TRUE(CreateDirectoryA(File("data").c_str(), nullptr));
    Stage("data\\pack.dat");
    Stage("fresh.dll", false);  // no destination yet: the move creates it
    Stage("libx.dll");          // path "lib" without a separator runs into the name
    WriteUpdate("<files><f path=\"data\\\" name=\"pack.dat\"/><f path=\"\" name=\"fresh.dll\"/>"
                "<f path=\"lib\" name=\"x.dll\"/></files>");
    EXPECT_TRUE(CallFinish());
    ExpectReplaced("data\\pack.dat");
    ExpectReplaced("fresh.dll");
    ExpectReplaced("libx.dll");
    std::string update = Read("Update.xml");
    EXPECT_NE(std::string::npos, update.find("<update version=\"2.0\" url=\"http://h/\" info=\"S.xml\">"))
        << update;
    EXPECT_EQ(std::string::npos, update.find("<f ")) << update;
    EXPECT_FALSE(Exists("Server.xml"));
}

TEST_F(Finish, KeepsUpdateXmlWhenTheServerVersionIsMissing) {
    Stage("a.dat");
    WriteUpdate("<files><f path=\"\" name=\"a.dat\"/></files>");
    const std::string before = Read("Update.xml");
    for (const char* server : {"", "<broken", "<manifest><release/></manifest>"}) {
        Stage("a.dat");
        if (*server) {
            Write("Server.xml", server);
        } else {
            DeleteFileA(File("Server.xml").c_str());
        }
        EXPECT_FALSE(CallFinish()) << server;
        ExpectReplaced("a.dat");
        EXPECT_EQ(before, Read("Update.xml")) << server;
        EXPECT_EQ(*server ? server : "", Read("Server.xml"));
    }
}

TEST_F(Finish, AFailedEntryStopsNoOtherAndLeavesItsFilesAlone) {
    Stage("one.dat");
    Write("two.dat", "old two.dat");  // its staged file is missing
    Stage("three.dat");
    Stage("four.dat");  // its entry has no name
    WriteUpdate("<files><f path=\"\" name=\"one.dat\"/><f path=\"\" name=\"two.dat\"/>"
                "<f path=\"\" name=\"three.dat\"/><f path=\"\" nam=\"four.dat\"/>"
                "<f name=\"four.dat\"/></files>");
    EXPECT_FALSE(CallFinish());
    ExpectReplaced("one.dat");
    EXPECT_EQ("old two.dat", Read("two.dat"));
    ExpectReplaced("three.dat");
    ExpectUntouched("four.dat");
    // The old version and an empty file list: the next check starts over.
    std::string update = Read("Update.xml");
    EXPECT_NE(std::string::npos, update.find("version=\"1.0\"")) << update;
    EXPECT_EQ(std::string::npos, update.find("<f ")) << update;
    EXPECT_FALSE(Exists("Server.xml"));
}

TEST_F(Finish, ALockedDestinationKeepsBothFiles) {
    Stage("locked.dll");
    WriteUpdate("<files><f path=\"\" name=\"locked.dll\"/></files>");
    HANDLE lock = CreateFileA(File("locked.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    bool result = CallFinish();
    CloseHandle(lock);
    EXPECT_FALSE(result);
    ExpectUntouched("locked.dll");
}

TEST_F(Finish, AnUnwritableUpdateXmlIsNoCompletedUpdate) {
    Stage("a.dat");
    WriteUpdate("<files><f path=\"\" name=\"a.dat\"/></files>");
    // Readers may share it, writers may not.
    HANDLE lock = CreateFileA(File("Update.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    bool result = CallFinish();
    CloseHandle(lock);
    EXPECT_FALSE(result);
    ExpectReplaced("a.dat");
    EXPECT_NE(std::string::npos, Read("Update.xml").find("version=\"1.0\""));
}

}  // namespace
}  // namespace ztest
