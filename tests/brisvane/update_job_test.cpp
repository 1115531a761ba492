// One update attempt in this process, against the local test server: what it
// stages, records and starts, and what it leaves after each kind of failure.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "folder_test.h"
#include "offer_builder.h"
#include "test_signer.h"
#include "program_run.h"
#include "update_job.h"

namespace btest {
namespace {

using brisvane::Outcome;

// TinyXML saves in text mode: line ends are CR LF on disk.
std::string WithoutReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

constexpr char kProgramStarted[] = "updater-started.txt";  // the stand-in program's record
constexpr char kManifestPath[] = "/manifest.xml";

class UpdateJob : public FolderTest {
protected:
    UpdateJob() : m_server(support::TestHttpd::Port(30)) {}
    void SetUp() override {
        ASSERT_TRUE(m_server.ok()) << m_server.error();
        ASSERT_TRUE(support::CopyBuildFile(STANDIN_PROGRAM, m_dir.File("Vorn_Login.exe")));
        // Vorn_Login.exe is the stand-in that records its start, so the
        // program's own update is the end-to-end cycle's business.
        m_files = {{"", "client.exe", "new program"},
                  {"data\\", "pack.dat", std::string(300000, 'p') + "end"},
                  {"", "regtest.dll", "new component", true}};
        m_strUpdateXml = UpdateXml("");
    }
    void TearDown() override { ReleaseProgram(); }
    // A started stand-in holds its own file until released.
    void ReleaseProgram() {
        if (!Exists(kProgramStarted)) return;
        Write("release-updater.txt", "go");
        support::WaitUntil([&] { return Exists("updater-released.txt"); }, 20000);
        for (const char* name : {kProgramStarted, "release-updater.txt", "updater-released.txt"})
            DeleteFileA(m_dir.File(name).c_str());
    }
    // Version 1.0 installed, the last release's serial as attribute text.
    std::string UpdateXml(const std::string& serialAttribute) {
        return "<?xml version=\"1.0\" ?>\n<update version=\"1.0\" url=\"" + m_server.Url("/") +
               "\" info=\"manifest.xml\"" + serialAttribute + ">\n    <files />\n</update>\n";
    }
    // The state check leaves behind (Update.xml, the saved server manifest, the
    // installed version 1 files) and the server offering the signed version 2.0.
    // The saved manifest offers another version: the updater reads only what
    // it verified itself.
    void Install() {
        Write("Update.xml", m_strUpdateXml);
        Write("Server.xml", ServerManifest("6.6", m_files, 99));
        CreateDirectoryA(m_dir.File("data").c_str(), nullptr);
        for (const ServedFile& f : m_files) Write(f.path + f.name, "old " + f.name);
        ASSERT_TRUE(ServeFiles(m_server, m_files));
        ASSERT_TRUE(ServeSigned(m_server, kManifestPath, ServerManifest("2.0", m_files, 7)));
    }
    // Only the manifest and its signature were asked for.
    void ExpectNoFileFetched(const std::string& why) {
        for (const auto& request : m_server.Requests())
            EXPECT_NE(std::string::npos, request.line.find(kManifestPath)) << why << ": " << request.line;
    }
    brisvane::DownloadResult Run(zarnel::TimeLimits limits = zarnel::TimeLimits()) {
        std::atomic<bool> cancel{false};
        return brisvane::RunUpdate(&m_state, cancel, limits);
    }
    // After a failure: nothing staged, Update.xml as it was, the old files, no restart.
    void ExpectNothingChanged(const std::string& why) {
        for (const ServedFile& f : m_files) {
            EXPECT_EQ("old " + f.name, Read(f.path + f.name)) << why;
            EXPECT_FALSE(Exists(f.path + f.name + ".tmp")) << why << ": " << f.name;
        }
        EXPECT_EQ(m_strUpdateXml, Read("Update.xml")) << why;
        EXPECT_FALSE(Exists("Update.xml.new")) << why;
        EXPECT_TRUE(Exists("Server.xml")) << why;
        EXPECT_FALSE(Exists(kProgramStarted)) << why;
    }

    support::TestHttpd m_server;
    std::vector<ServedFile> m_files;
    std::string m_strUpdateXml;
    brisvane::ProgressState m_state;
};

TEST_F(UpdateJob, StagesVerifiedFilesListsThemAndRestartsTheProgram) {
    Install();
    Write("data\\pack.dat", m_files[1].bytes);  // already the new bytes: not fetched again
    ASSERT_TRUE(m_server.ClearLog());
    EXPECT_EQ(Outcome::kDone, Run().outcome);

    EXPECT_EQ("new program", Read("client.exe.tmp"));
    EXPECT_EQ("new component", Read("regtest.dll.tmp"));
    EXPECT_FALSE(Exists("data\\pack.dat.tmp"));
    EXPECT_EQ("old regtest.dll", Read("regtest.dll"));
    for (const auto& request : m_server.Requests()) EXPECT_EQ(std::string::npos, request.line.find("/files/1"));
    EXPECT_EQ(4u, m_server.Requests().size());  // the manifest, its signature and two files

    // The list names the staged files and the release's serial is recorded;
    // version, url and info stay. Finish will read the verified manifest.
    EXPECT_EQ("<?xml version=\"1.0\" ?>\n<update version=\"1.0\" url=\"" + m_server.Url("/") +
                  "\" info=\"manifest.xml\" serial=\"7\">\n    <files>\n"
                  "        <file path=\"\" name=\"client.exe\" />\n"
                  "        <file path=\"\" name=\"regtest.dll\" register=\"true\" />\n"
                  "    </files>\n</update>\n",
              WithoutReturns(Read("Update.xml")));
    EXPECT_NE(std::string::npos, Read("Server.xml").find("<release version=\"2.0\" serial=\"7\" />"))
        << Read("Server.xml");
    // The program, from this folder, with the completion argument alone.
    ASSERT_TRUE(support::WaitUntil([&] { return Read(kProgramStarted).find('\n') != std::string::npos; }, 20000));
    std::string folder = m_dir.path().substr(0, m_dir.path().size() - 1);
    EXPECT_EQ("\"Vorn_Login.exe\" TRUE\n" + folder + "\n", Read(kProgramStarted));
}

TEST_F(UpdateJob, NewFoldersAreMadeAndOldListEntriesReplaced) {
    m_files[1].path = "maps\\north\\";
    m_strUpdateXml = "<update version=\"1.0\" url=\"" + m_server.Url("/") +
                     "\" info=\"manifest.xml\"><files><file path=\"\" name=\"stale.dat\" /></files></update>";
    Write("Update.xml", m_strUpdateXml);
    ASSERT_TRUE(ServeFiles(m_server, m_files));
    ASSERT_TRUE(ServeSigned(m_server, kManifestPath, ServerManifest("2.0", m_files)));
    EXPECT_EQ(Outcome::kDone, Run().outcome);
    EXPECT_EQ(m_files[1].bytes, Read("maps\\north\\pack.dat.tmp"));
    const std::string update = Read("Update.xml");
    EXPECT_EQ(std::string::npos, update.find("stale.dat")) << update;
    EXPECT_NE(std::string::npos, update.find("<file path=\"maps\\north\\\" name=\"pack.dat\" />")) << update;
    // Released before the test ends, or the stand-in outlives it by its time limit.
    EXPECT_TRUE(support::WaitUntil([&] { return Exists(kProgramStarted); }, 20000));
}

// Recorded in the ANSI code page, as check reads the version next time: the
// signed bytes are UTF-8 ("2.0 测试版").
TEST_F(UpdateJob, WithEverythingInstalledTheVersionIsRecordedAtOnce) {
    Install();
    const std::string manifest = ServerManifest("2.0 \xe6\xb5\x8b\xe8\xaf\x95\xe7\x89\x88", m_files, 7);
    ASSERT_TRUE(ServeSigned(m_server, kManifestPath, manifest));
    for (const ServedFile& f : m_files) Write(f.path + f.name, f.bytes);
    EXPECT_EQ(Outcome::kDone, Run().outcome);
    const std::string update = Read("Update.xml");
    EXPECT_NE(std::string::npos, update.find("<update version=\"2.0 测试版\"")) << update;
    EXPECT_NE(std::string::npos, update.find("serial=\"7\"")) << update;
    EXPECT_NE(std::string::npos, update.find("<files />")) << update;
    EXPECT_FALSE(Exists("Server.xml"));
    EXPECT_TRUE(support::WaitUntil([&] { return Exists(kProgramStarted); }, 20000));
}

// The second file fails each way; the first one, already staged, goes too.
TEST_F(UpdateJob, AFailedDownloadLeavesNothingBehind) {
    struct Fault {
        int status;
        std::string body;
        std::string mode;
        Outcome outcome;
        Outcome orOutcome;
    };
    const std::string good = m_files[1].bytes;
    std::string flipped = good;
    flipped[1000] = 'q';
    const Fault faults[] = {
        {404, "<html>missing</html>", "length", Outcome::kHttpStatus, Outcome::kHttpStatus},
        // Dropped midway: a short body or a broken connection, as the drop falls.
        {200, good, "cut=100000", Outcome::kShortBody, Outcome::kUnreachable},
        {200, good.substr(0, 1000), "length", Outcome::kShortBody, Outcome::kShortBody},
        {200, good + "more", "nolength", Outcome::kShortBody, Outcome::kShortBody},
        {200, flipped, "length", Outcome::kHashMismatch, Outcome::kHashMismatch},
        {200, good, "stallbody=5000", Outcome::kUnreachable, Outcome::kUnreachable},
    };
    for (const Fault& fault : faults) {
        Install();
        ASSERT_TRUE(m_server.Route(FilePath(1), fault.status, fault.body, fault.mode));
        const brisvane::DownloadResult result = Run(zarnel::TimeLimits{2000, 2000, 2000});
        EXPECT_TRUE(result.outcome == fault.outcome || result.outcome == fault.orOutcome)
            << fault.mode << " " << fault.status << ": " << static_cast<int>(result.outcome);
        if (fault.status != 200) {
            EXPECT_EQ(404u, result.status);
        }
        ExpectNothingChanged(fault.mode);
        EXPECT_EQ(brisvane::Phase::kFailed, m_state.Snapshot().phase);
    }
}

TEST_F(UpdateJob, AnUnreachableServerChangesNothing) {
    Install();
    m_strUpdateXml = "<update version=\"1.0\" url=\"http://127.0.0.1:" +
                     std::to_string(support::TestHttpd::Port(31)) + "/\" info=\"manifest.xml\"><files /></update>";
    Write("Update.xml", m_strUpdateXml);
    EXPECT_EQ(Outcome::kUnreachable, Run().outcome);
    ExpectNothingChanged("nothing listens");
}

TEST_F(UpdateJob, AnUnwritableUpdateXmlOrStagedFileChangesNothing) {
    Install();
    ASSERT_TRUE(SetFileAttributesA(m_dir.File("Update.xml").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Outcome::kRecordFailed, Run().outcome);
    SetFileAttributesA(m_dir.File("Update.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectNothingChanged("read-only Update.xml");

    // A folder where the staged file should go stands for a disk that refuses it.
    ASSERT_TRUE(CreateDirectoryA(m_dir.File("regtest.dll.tmp").c_str(), nullptr));
    EXPECT_EQ(Outcome::kWriteFailed, Run().outcome);
    RemoveDirectoryA(m_dir.File("regtest.dll.tmp").c_str());
    ExpectNothingChanged("unwritable staged file");
}

TEST_F(UpdateJob, ACancelStopsTheDownloadAndRemovesItsFiles) {
    m_files[2].bytes = std::string(400000, 'c');
    Install();
    ASSERT_TRUE(m_server.Route(FilePath(2), 200, m_files[2].bytes, "rate=100000"));
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        support::WaitUntil([&] { return m_state.Snapshot().fileNumber == 3 && m_state.Snapshot().fileBytes > 0; },
                           20000, 10);
        cancel = true;
    });
    const auto result = brisvane::RunUpdate(&m_state, cancel);
    canceller.join();
    EXPECT_EQ(Outcome::kCancelled, result.outcome);
    ExpectNothingChanged("cancelled");
}

// Signed, but offering nothing usable; or Update.xml itself unusable.
TEST_F(UpdateJob, AnUnusableManifestFetchesNothing) {
    Install();
    const char* manifests[] = {
        "<manifest><release serial=\"8\"/></manifest>",
        "<manifest><release version=\"2\"/></manifest>",  // no serial
        "<manifest><release version=\"2\" serial=\"8\"/><file path=\"..\\\" name=\"evil.dll\" size=\"1\" "
        "sha256=\"" "0000000000000000000000000000000000000000000000000000000000000000" "\" url=\"x\"/></manifest>",
        "<manifest><release version=\"2\" serial=\"8\"/><file path=\"\" name=\"a.dll\" size=\"-1\" "
        "sha256=\"" "0000000000000000000000000000000000000000000000000000000000000000" "\" url=\"x\"/></manifest>",
        "<manifest><release version=\"2\"/><file path=\"\" name=\"NUL.txt\" size=\"1\" "
        "sha256=\"" "0000000000000000000000000000000000000000000000000000000000000000" "\" url=\"x\"/></manifest>",
    };
    ASSERT_TRUE(m_server.ClearLog());
    for (const char* manifest : manifests) {
        ASSERT_TRUE(ServeSigned(m_server, kManifestPath, manifest));
        EXPECT_EQ(Outcome::kBadManifest, Run().outcome) << manifest;
        ExpectNothingChanged(manifest);
    }
    ExpectNoFileFetched("unusable manifests");
    for (const std::string& update : {UpdateXml(" serial=\"x\""), UpdateXml(" serial=\"-1\""),
                                      std::string("<update version=\"1.0\"><files /></update>")}) {
        m_strUpdateXml = update;
        Install();
        EXPECT_EQ(Outcome::kBadManifest, Run().outcome) << update;
        ExpectNothingChanged(update);
    }
}

// Whatever differs from what the publisher signed, nothing is fetched but the
// manifest and its signature, and nothing changes.
TEST_F(UpdateJob, AnUnverifiedReleaseChangesNothing) {
    Install();
    const std::string manifest = ServerManifest("2.0", m_files, 7);
    const std::string signature = DemoSigner().Signature(manifest);
    std::string altered = manifest;
    altered[altered.find("size=\"") + 6] ^= 1;  // one digit of a size
    std::string otherSignature = DemoSigner().SignatureBytes(manifest);
    otherSignature[5] ^= 1;
    const TestSigner stranger;
    struct Case {
        const char* what;
        std::string manifest;
        int status;
        std::string signature;
    } cases[] = {
        {"signed by another key", manifest, 200, stranger.Signature(manifest)},
        {"altered after signing", altered, 200, signature},
        {"one signature byte changed", manifest, 200, Base64(otherSignature)},
        {"no signature", manifest, 404, "<h1>not found</h1>"},
        {"a truncated signature", manifest, 200, signature.substr(0, 40)},
        {"an empty signature", manifest, 200, ""},
        {"not base64", manifest, 200, std::string(86, '!') + "=="},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_server.Route(kManifestPath, 200, c.manifest));
        ASSERT_TRUE(m_server.Route(std::string(kManifestPath) + ".sig", c.status, c.signature));
        ASSERT_TRUE(m_server.ClearLog());
        EXPECT_EQ(Outcome::kUnverified, Run().outcome) << c.what;
        ExpectNothingChanged(c.what);
        ExpectNoFileFetched(c.what);
        EXPECT_EQ(2u, m_server.Requests().size()) << c.what;
    }
}

// The installed release's serial against the offered one: a lower one is an
// old signed manifest served again; the same one is the same release.
TEST_F(UpdateJob, AReleaseOlderThanTheInstalledOneIsRefused) {
    struct Case {
        std::string installed;  // Update.xml's serial attribute
        std::uint64_t offered;
        Outcome outcome;
    } cases[] = {
        {" serial=\"8\"", 7, Outcome::kOlderRelease},
        {" serial=\"18446744073709551615\"", 0, Outcome::kOlderRelease},
        {" serial=\"7\"", 7, Outcome::kDone},
        {" serial=\"6\"", 7, Outcome::kDone},
        {"", 0, Outcome::kDone},  // none recorded yet
    };
    for (const Case& c : cases) {
        m_strUpdateXml = UpdateXml(c.installed);
        Install();
        ASSERT_TRUE(ServeSigned(m_server, kManifestPath, ServerManifest("0.9", m_files, c.offered)));
        ASSERT_TRUE(m_server.ClearLog());
        EXPECT_EQ(c.outcome, Run().outcome) << c.installed << " " << c.offered;
        if (c.outcome == Outcome::kOlderRelease) {
            ExpectNothingChanged(c.installed);
            ExpectNoFileFetched(c.installed);
            continue;
        }
        // Recorded, whether the version goes up or down.
        const std::string update = Read("Update.xml");
        EXPECT_NE(std::string::npos, update.find(" serial=\"" + std::to_string(c.offered) + "\">")) << update;
        ASSERT_TRUE(support::WaitUntil([&] { return Exists(kProgramStarted); }, 20000));
        ReleaseProgram();
        for (const ServedFile& f : m_files) DeleteFileA(m_dir.File(f.path + f.name + ".tmp").c_str());
    }
}

// A folder where an offered file should go could only be moved aside whole:
// the offer is refused before anything is fetched or staged.
TEST_F(UpdateJob, AFolderInADestinationsPlaceFetchesNothing) {
    Install();
    ASSERT_TRUE(DeleteFileA(m_dir.File("regtest.dll").c_str()));
    ASSERT_TRUE(CreateDirectoryA(m_dir.File("regtest.dll").c_str(), nullptr));
    Write("regtest.dll\\inside.dat", "inside");
    ASSERT_TRUE(m_server.ClearLog());
    EXPECT_EQ(Outcome::kBadManifest, Run().outcome);
    ExpectNoFileFetched("a folder in the way");
    EXPECT_EQ("inside", Read("regtest.dll\\inside.dat"));
    for (const ServedFile& f : m_files) EXPECT_FALSE(Exists(f.path + f.name + ".tmp")) << f.name;
    EXPECT_EQ(m_strUpdateXml, Read("Update.xml"));
    EXPECT_FALSE(Exists(kProgramStarted));
}

}  // namespace
}  // namespace btest
