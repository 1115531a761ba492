// check through the real DLL: each outcome with its result, error status and
// what it leaves on disk.
#include <ctime>
#include <regex>

#include "zarnel_fixture.h"

namespace ztest {
namespace {

constexpr char kOffer[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- produced by the release tool -->\n"
    "<manifest channel=\"live\"><!-- offer first --><release version=\"2.0\" "
    "notes=\"\xe6\x9b\xb4\xe6\x96\xb0\"/><extra a=\"1\"/></manifest>\n";
constexpr char kOldServer[] = "<old version=\"0\"/>";

class Check : public ZarnelTest {
protected:
    // Runs check with a stale status, so the reset on entry shows too.
    bool CallCheck(int* error) {
        *error = 7;
        return m_zarnel.check(error);
    }
    void ExpectFailure(const char* why) {
        int error = 0;
        EXPECT_FALSE(CallCheck(&error)) << why;
        EXPECT_EQ(-1, error) << why;
        EXPECT_EQ(kOldServer, Read("Server.xml")) << why;
    }
    void SetUp() override {
        ZarnelTest::SetUp();
        Write("Server.xml", kOldServer);
    }
};

TEST_F(Check, FailsWithoutAUsableLocalManifest) {
    ExpectFailure("no Update.xml");
    Write("Update.xml", "<update version=\"1\" url=\"http://x/\" info=\"a\">");
    ExpectFailure("not well-formed");
    Write("Update.xml", "<!-- nothing but a comment -->");
    ExpectFailure("no root element");
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<u>";
    Write("Update.xml", deep);
    ExpectFailure("nested too deeply to parse");
    const std::string url = m_server.Url("/");
    Write("Update.xml", "<u url=\"" + url + "\" info=\"S.xml\"/>");
    ExpectFailure("no version");
    Write("Update.xml", "<u version=\"1\" info=\"S.xml\"/>");
    ExpectFailure("no url");
    Write("Update.xml", "<u version=\"1\" url=\"" + url + "\"/>");
    ExpectFailure("no info");
    Write("Update.xml", "<u version=\"1\" url=\"no address\" info=\"\"/>");
    ExpectFailure("url cannot be split");
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(Check, FailsWhenTheServerCannotBeReached) {
    Write("Update.xml", "<u version=\"1\" url=\"http://127.0.0.1:" +
                            std::to_string(support::TestHttpd::Port(12)) + "/\" info=\"S.xml\"/>");
    ExpectFailure("nothing listens");
}

// The launcher waits for check on its user-interface thread: a server that
// accepts and never answers must not keep it from coming up.
TEST_F(Check, FailsWhenTheServerNeverAnswers) {
    WriteLocalManifest("1.0", "Server.xml");
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, "<m><r version=\"2\"/></m>", "stall"));
    const ULONGLONG start = GetTickCount64();
    ExpectFailure("no answer");
    EXPECT_LT(GetTickCount64() - start, 45000u);
}

TEST_F(Check, FailsOnAnAnswerWithoutAnOfferedVersion) {
    WriteLocalManifest("1.0", "Server.xml");
    const char* answers[] = {
        "",                                      // empty
        "<manifest><release version=\"2\">",    // not well-formed
        "<html><body>not found</body></html>",  // first child without a version
        "<manifest/>",                           // no first child element
        "<manifest><release Version=\"2\"/></manifest>",  // the name is case-sensitive
        "<!-- only a comment -->",               // no root element
    };
    for (const char* answer : answers) {
        ASSERT_TRUE(m_server.Route("/Server.xml", 200, answer));
        ExpectFailure(answer);
    }
    ASSERT_TRUE(m_server.Route("/Server.xml", 404, "<release version=\"9\"/>"));
    ExpectFailure("a 404 page without a first child element");
}

TEST_F(Check, FailsOnAnAnswerNestedDeeperThanAnyManifest) {
    // Deep enough to overflow the stack of a recursive parser.
    WriteLocalManifest("1.0", "Server.xml");
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, deep));
    ExpectFailure("deeply nested");
}

// Each answer as the server sends it, in UTF-8; the transport hands the
// parser its code page 936 form. Past the nesting rule, TinyXML once read
// the first two deeper than the rule had counted (the stack ran out) and the
// last one past its end.
TEST_F(Check, RefusesAnswersReadDeeperOrPastTheirEnd) {
    WriteLocalManifest("1.0", "Server.xml");
    constexpr int kLevels = 100000;
    // After <"> the old rule skipped to the next quote; TinyXML ends the node at '>'.
    std::string quote = "<\">";
    for (int i = 0; i < kLevels; ++i) quote += "<a>";
    quote += "\"";
    // F0 A1 in code page 936: TinyXML's UTF-8 reading took F0 with the "</"
    // after it, so each <a> stayed open.
    std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    for (int i = 0; i < kLevels; ++i) utf8 += "<a>\xe7\xa8\xb9</a>";
    for (int i = 0; i < kLevels; ++i) utf8 += "</a>";
    // Ends with E3 A1, a character TinyXML's UTF-8 reading takes for three bytes.
    const std::string cut = "<?xml \">\n<ne>\r\xe6\x81\xaa";
    for (const std::string& answer : {quote, utf8, cut}) {
        ASSERT_TRUE(m_server.Route("/Server.xml", 200, answer));
        ExpectFailure(answer.substr(0, 60).c_str());
    }
}

// Server.xml is TinyXML's printed form of the answer; the updater reads that.
TEST_F(Check, RefusesAnOfferWhosePrintedFormReadsDifferently) {
    WriteLocalManifest("1.0", "Server.xml");
    const std::string answers[] = {
        // Unquoted, E3 A1: printed quoted, the old reading took the closing
        // quote into the character and the saved file never loaded.
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest><release version=\xe6\x81\xaa/>"
        "</manifest>",
        // A declaration's values are printed unescaped: this one would print
        // as a document offering version 9 ahead of the real offer.
        "<?xml version='\"?><manifest><release version=\"9\"/></manifest><!--'?>\n"
        "<manifest><release version=\"2.0\"/></manifest>",
        // The same with the real offer's version and files of its own; printed
        // again, that form gives the same text.
        "<?xml version='1\" ?>\n<manifest>\n    <release version=\"2.0\" />\n"
        "    <file name=\"other.dll\" />\n</manifest>\n<!--'?><m><r version=\"2.0\"/><!--c--></m>",
    };
    for (const std::string& answer : answers) {
        ASSERT_TRUE(m_server.Route("/Server.xml", 200, answer));
        ExpectFailure(answer.c_str());
    }
}

// 正式版 ends in B0 E6 in code page 936; UTF-8 reading took E6 for three bytes,
// the closing quote among them, and refused the whole offer.
TEST_F(Check, AnOfferInChineseIsSavedAsTheUpdaterReadsIt) {
    ASSERT_TRUE(m_server.Route("/Server.xml", 200,
                               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<manifest>\n"
                               "  <release version=\"2.0 \xe6\xad\xa3\xe5\xbc\x8f\xe7\x89\x88\" "
                               "notes=\"\xe6\x9b\xb4\xe6\x96\xb0\"/>\n"
                               "  <file path=\"\xe6\x95\xb0\xe6\x8d\xae\\\" name=\"\xe5\x9c\xb0\xe5\x9b\xbe.dat\" size=\"1\" url=\"f\"\n"
                               "        sha256=\"" + std::string(64, '0') + "\"/>\n"
                               "</manifest>\n"));
    WriteLocalManifest("1.0", "Server.xml", "<files><f path=\"\" name=\"a.dat\"/></files>");
    Write("a.dat.tmp", "new a.dat");
    int error = 0;
    EXPECT_FALSE(CallCheck(&error));
    EXPECT_EQ(0, error);
    const std::string saved = Read("Server.xml");
    EXPECT_NE(std::string::npos, saved.find("<release version=\"2.0 \xd5\xfd\xca\xbd\xb0\xe6\" "
                                            "notes=\"\xb8\xfc\xd0\xc2\" />")) << saved;
    EXPECT_NE(std::string::npos, saved.find("<file path=\"\xca\xfd\xbe\xdd\\\" name=\"\xb5\xd8\xcd\xbc.dat\" size=\"1\""))
        << saved;
    // finish loads Server.xml as the updater does and records its version;
    // the same answer is then nothing to do.
    EXPECT_TRUE(m_zarnel.finish(&error));
    EXPECT_EQ("new a.dat", Read("a.dat"));
    EXPECT_TRUE(CallCheck(&error));
    EXPECT_EQ(0, error);
}

TEST_F(Check, EqualVersionsMeanNothingToDo) {
    WriteLocalManifest("2.0", "Server.xml");
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, kOffer));
    int error = 0;
    EXPECT_TRUE(CallCheck(&error));
    EXPECT_EQ(0, error);
    EXPECT_EQ(kOldServer, Read("Server.xml"));
}

TEST_F(Check, AnyDifferenceSavesTheServerManifest) {
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, kOffer));
    // Newer, older, and "equal" only to a reader who trims or counts.
    for (const char* installed : {"1.0", "3.0", "2.00", "2.0 "}) {
        WriteLocalManifest(installed, "Server.xml");
        Write("Server.xml", kOldServer);
        int error = 0;
        EXPECT_FALSE(CallCheck(&error)) << installed;
        EXPECT_EQ(0, error) << installed;
    }
    // The whole answer is kept, comments and the other elements included, and
    // its text is now in code page 936.
    std::string saved = Read("Server.xml");
    EXPECT_NE(std::string::npos, saved.find("<!-- produced by the release tool -->"));
    EXPECT_NE(std::string::npos, saved.find("notes=\"\xb8\xfc\xd0\xc2\"")) << saved;
    EXPECT_NE(std::string::npos, saved.find("<extra a=\"1\" />")) << saved;
}

TEST_F(Check, FailsWhenServerXmlCannotBeWritten) {
    WriteLocalManifest("1.0", "Server.xml");
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, kOffer));
    ASSERT_TRUE(DeleteFileA(File("Server.xml").c_str()));
    ASSERT_TRUE(CreateDirectoryA(File("Server.xml").c_str(), nullptr));
    int error = 0;
    EXPECT_FALSE(CallCheck(&error));
    EXPECT_EQ(-1, error);
    EXPECT_TRUE(GetFileAttributesA(File("Server.xml").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

// An offer the updater would refuse is refused here already: nothing is
// saved, so the launcher carries on instead of starting the updater into the
// same failure at every start.
TEST_F(Check, AnOfferWithAnUnusableDestinationIsNoUpdate) {
    WriteLocalManifest("1.0", "Server.xml");
    const std::string file = "size=\"1\" sha256=\"" + std::string(64, '0') + "\" url=\"f\"/>";
    const std::string entries[] = {
        "<file path=\"\" name=\"NUL.txt\" " + file,
        "<file path=\"data\\\" name=\"con\" " + file,
        "<file path=\"\" name=\"COM1.dll\" " + file,
        "<file path=\"..\" name=\"x.dll\" register=\"true\" " + file,
        "<file path=\"\" name=\"x&quot;.dll\" " + file,
        "<file path=\"data\\\" name=\"x\" " + file + "<file path=\"data.\\\" name=\"x\" " + file,
        "<file path=\"data\\\" name=\"x\" " + file + "<file path=\"DATA/\" name=\"X\" " + file,
    };
    for (const std::string& entry : entries) {
        ASSERT_TRUE(m_server.Route("/Server.xml", 200, "<manifest><release version=\"2.0\"/>" + entry + "</manifest>"));
        ExpectFailure(entry.c_str());
    }
    // The same entries, each under a name of its own, are an update.
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, "<manifest><release version=\"2.0\"/><file path=\"data\\\" name=\"x\" " +
                                                       file + "<file path=\"\" name=\"x.dll\" " + file + "</manifest>"));
    int error = 0;
    EXPECT_FALSE(CallCheck(&error));
    EXPECT_EQ(0, error);
    EXPECT_NE(std::string::npos, Read("Server.xml").find("name=\"x.dll\"")) << Read("Server.xml");
    // Unless a folder stands where one of them goes.
    Write("Server.xml", kOldServer);
    ASSERT_TRUE(CreateDirectoryA("x.dll", nullptr));
    ExpectFailure("a folder named x.dll");
    RemoveDirectoryA("x.dll");
}

TEST_F(Check, SendsOneCacheBustingHttp10Get) {
    // "url" without a trailing slash runs into "info"; the query stays and
    // the time suffix follows it with a second "?".
    Write("Update.xml", "<u version=\"2.0\" url=\"" + m_server.Url("/upd") +
                            "\" info=\"Server.xml?channel=live\"><files/></u>");
    ASSERT_TRUE(m_server.Route("/updServer.xml", 200, kOffer));
    unsigned before = static_cast<unsigned>(_time64(nullptr));
    int error = 0;
    EXPECT_TRUE(CallCheck(&error));
    unsigned after = static_cast<unsigned>(_time64(nullptr));

    auto requests = m_server.Requests();
    ASSERT_EQ(1u, requests.size());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(requests[0].line, m,
                                 std::regex(R"(GET /updServer\.xml\?channel=live\?v=(\d+) HTTP/1\.0)")))
        << requests[0].line;
    unsigned stamp = static_cast<unsigned>(std::stoul(m[1]));
    EXPECT_LE(before, stamp);
    EXPECT_GE(after, stamp);
    EXPECT_EQ("Quendral", requests[0].Header("User-Agent"));
    EXPECT_EQ("no-cache", requests[0].Header("Pragma"));
    EXPECT_EQ("127.0.0.1:" + std::to_string(m_server.port()), requests[0].Header("Host"));
    // The placeholder account is never sent.
    EXPECT_EQ("", requests[0].Header("Authorization"));
}

TEST_F(Check, ReadsALargeBodyWithoutContentLengthToItsEnd) {
    std::string offer = "<manifest><release version=\"2.0\"/>";
    for (int i = 0; offer.size() < 300000; ++i) offer += "<f n=\"" + std::to_string(i) + "\"/>";
    offer += "<last/></manifest>";
    ASSERT_TRUE(m_server.Route("/Server.xml", 200, offer, "nolength"));
    WriteLocalManifest("1.0", "Server.xml");
    int error = 0;
    EXPECT_FALSE(CallCheck(&error));
    EXPECT_EQ(0, error);
    EXPECT_NE(std::string::npos, Read("Server.xml").find("<last />"));
}

TEST_F(Check, ANullStatusPointerIsNoCrash) {
    EXPECT_FALSE(m_zarnel.check(nullptr));
    EXPECT_FALSE(m_zarnel.finish(nullptr));
    EXPECT_FALSE(m_zarnel.run(nullptr));
}

}  // namespace
}  // namespace ztest
