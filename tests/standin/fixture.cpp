#include "fixture.h"

#include <cstdio>

namespace standin_test {

std::wstring Wide(const std::string& utf8) { return standin::FromCodePage(utf8, CP_UTF8); }

void StandinTest::SetUp() {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    dir = std::make_unique<support::ScopedTempDir>();
    // A port the run has not used yet: the server keeps a closed listener's
    // port bound, so each test takes its own, starting from its name's hash.
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    unsigned hash = 0;
    for (const char* c = name; *c; ++c) hash = hash * 31 + static_cast<unsigned char>(*c);
    for (int i = 0; i < 60 && (!server || !server->ok()); ++i)
        server = std::make_unique<support::TestHttpd>(support::TestHttpd::Port(30 + (hash + i) % 70));
    ASSERT_TRUE(server->ok()) << server->error();
    host = std::make_unique<Host>(dir->File("standin.log"));
}

void StandinTest::TearDown() {
    // VORN_STANDIN_DUMP_LOG=1 shows the log of passing tests as well.
    if (HasFailure() || getenv("VORN_STANDIN_DUMP_LOG")) {
        std::string text;
        support::ReadTextFile(host->log.path(), &text);
        std::printf("--- stand-in log ---\n%s--- end ---\n", text.c_str());
    }
    host.reset();
    server.reset();
    OleUninitialize();
    dir.reset();
}

void StandinTest::Page(const std::string& path, const std::string& html) {
    ASSERT_TRUE(server->Route(path, 200, html, "length", {"Content-Type: text/html; charset=utf-8"}));
}

std::wstring StandinTest::Url(const std::string& path) const { return Wide(server->Url(path)); }

int StandinTest::RequestsFor(const std::string& path) {
    int n = 0;
    for (const auto& r : server->Requests()) {
        std::string target = r.line.substr(r.line.find(' ') + 1);
        target = target.substr(0, target.find(' '));
        if (target.substr(0, target.find('?')) == path) ++n;
    }
    return n;
}

bool StandinTest::Load(const std::string& path) {
    size_t before = host->sink.Of(259).size();
    if (FAILED(host->Navigate(Url(path)))) return false;
    return host->PumpUntil([&] {
        auto done = host->sink.Of(259);
        for (size_t i = before; i < done.size(); ++i)
            if (done[i].url == Url(path)) return true;
        return false;
    });
}

}  // namespace standin_test
