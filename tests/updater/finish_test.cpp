// finish through the real DLL: each outcome with its result, error status,
// manifests and program files afterwards.
#include "zarnel_fixture.h"

#include <vector>

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
        bool result = m_zarnel.finish(&error);
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
    ASSERT_TRUE(CreateDirectoryA(File("lib").c_str(), nullptr));
    Stage("data\\pack.dat");
    Stage("fresh.dll", false);  // no destination yet: the move creates it
    Stage("lib\\x.dll");
    WriteUpdate("<files><f path=\"data\\\" name=\"pack.dat\"/><f path=\"\" name=\"fresh.dll\"/>"
                "<f path=\"lib/\" name=\"x.dll\"/></files>");
    EXPECT_TRUE(CallFinish());
    ExpectReplaced("data\\pack.dat");
    ExpectReplaced("fresh.dll");
    ExpectReplaced("lib\\x.dll");
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

// Update.xml is a file anyone may have written: its entries are judged as
// the offer was, and one refused moves nothing, in or out of the folder.
TEST_F(Finish, EntriesTheDestinationRulesRefuseMoveNothing) {
    ASSERT_TRUE(CreateDirectoryA(File("inner").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(File("lib").c_str(), nullptr));
    Stage("absolute.dat");
    Stage("up.dat");
    Stage("libx.dll");
    Stage("good.dat");
    const std::string absolute = m_dir.path();  // the folder itself, but absolute
    WriteUpdate("<files><f path=\"" + absolute + "\" name=\"absolute.dat\"/>"
                "<f path=\"inner\\..\\\" name=\"up.dat\"/>"
                "<f path=\"lib\" name=\"x.dll\"/>"
                "<f path=\"\" name=\"q&quot; /u &quot;good.dat\" register=\"true\"/>"
                "<f path=\"\" name=\"good.dat\"/></files>");
    EXPECT_FALSE(CallFinish());
    ExpectUntouched("absolute.dat");
    ExpectUntouched("up.dat");
    ExpectUntouched("libx.dll");
    ExpectReplaced("good.dat");
    const std::string update = Read("Update.xml");
    EXPECT_NE(std::string::npos, update.find("version=\"1.0\"")) << update;
    EXPECT_EQ(std::string::npos, update.find("<f ")) << update;
}

// A folder where the file should go is no file in use: it is neither
// replaced nor moved aside, and the entry fails.
TEST_F(Finish, AFolderAsDestinationStaysAndFailsItsEntry) {
    ASSERT_TRUE(CreateDirectoryA(File("data").c_str(), nullptr));
    Write("data\\inside.dat", "inside");
    Write("data.tmp", "new data");
    WriteUpdate("<files><f path=\"\" name=\"data\"/></files>");
    EXPECT_FALSE(CallFinish());
    EXPECT_EQ("inside", Read("data\\inside.dat"));
    EXPECT_EQ("new data", Read("data.tmp"));
    const std::string update = Read("Update.xml");
    EXPECT_EQ(std::string::npos, update.find("previous")) << update;
    EXPECT_NE(std::string::npos, update.find("version=\"1.0\"")) << update;
}

// An installed file left under its aside name by a replacement that failed
// halfway goes back at the next start, before anything else happens.
TEST_F(Finish, AStrandedInstalledFileIsRestoredAtTheNextStart) {
    Write("a.dll.previous-1c-2f0a-0", "installed a");
    Write("b.dll", "new b");
    Write("b.dll.previous-1c-2f0a-0", "old b");
    WriteLocalManifest("2.0", "S.xml",
                       "<files/><previous><copy file=\"a.dll.previous-1c-2f0a-0\" destination=\"a.dll\"/>"
                       "<copy file=\"b.dll.previous-1c-2f0a-0\" destination=\"b.dll\"/></previous>");
    ASSERT_TRUE(m_server.Route("/S.xml", 200, kServer));
    int error = 0;
    EXPECT_TRUE(m_zarnel.check(&error));
    EXPECT_EQ("installed a", Read("a.dll"));
    EXPECT_FALSE(Exists("a.dll.previous-1c-2f0a-0"));
    EXPECT_EQ("new b", Read("b.dll"));
    EXPECT_FALSE(Exists("b.dll.previous-1c-2f0a-0"));
    const std::string update = Read("Update.xml");
    EXPECT_EQ(std::string::npos, update.find("previous")) << update;
}

// Names in the test folder matching a wildcard pattern.
std::vector<std::string> Matching(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName); while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A loaded library, like the running program, can be renamed but neither
// replaced nor deleted: it goes aside, and the aside copy goes at the first
// start after nothing holds it.
TEST_F(Finish, AnInUseDestinationGoesAsideUntilItIsFree) {
    ASSERT_TRUE(CopyIn(REGTEST_DLL, "busy.dll"));
    ASSERT_TRUE(CopyIn(REGTEST_DLL, "busy.dll.tmp"));
    Write("busy.dll.tmp", "new busy.dll");
    HMODULE held = LoadLibraryA(File("busy.dll").c_str());
    ASSERT_TRUE(held);
    WriteLocalManifest("1.0", "S.xml", "<files><f path=\"\" name=\"busy.dll\"/></files>");
    Write("Server.xml", kServer);
    EXPECT_TRUE(CallFinish());
    ExpectReplaced("busy.dll");

    auto aside = Matching(File("busy.dll.previous-*"));
    ASSERT_EQ(1u, aside.size());
    EXPECT_TRUE(Exists(aside[0]));
    std::string update = Read("Update.xml");
    EXPECT_NE(std::string::npos, update.find("version=\"2.0\"")) << update;
    EXPECT_NE(std::string::npos, update.find("<copy file=\"busy.dll.previous-")) << update;

    // Still held: the start keeps it listed.
    ASSERT_TRUE(m_server.Route("/S.xml", 200, kServer));
    int error = 0;
    EXPECT_TRUE(m_zarnel.check(&error));
    EXPECT_TRUE(Exists(aside[0]));
    FreeLibrary(held);
    EXPECT_TRUE(m_zarnel.check(&error));
    EXPECT_FALSE(Exists(aside[0]));
    update = Read("Update.xml");
    EXPECT_EQ(std::string::npos, update.find("previous")) << update;
    EXPECT_NE(std::string::npos, update.find("version=\"2.0\"")) << update;
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

    // Read-only, as Windows keeps it even from a replacing move.
    Stage("a.dat");
    Write("Server.xml", kServer);
    const std::string before = Read("Update.xml");
    ASSERT_TRUE(SetFileAttributesA(File("Update.xml").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(CallFinish());
    SetFileAttributesA(File("Update.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(before, Read("Update.xml"));
    EXPECT_FALSE(Exists("Update.xml.new"));
}

}  // namespace
}  // namespace ztest
