// One stand-in control in a raw host per test, its log in the test's own
// temporary folder, and a listener of the local HTTP server for its pages.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "temp_dir.h"
#include "test_host.h"
#include "test_httpd.h"

namespace standin_test {

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Serves an HTML page (UTF-8) at a path.
    void Page(const std::string& path, const std::string& html);
    std::wstring Url(const std::string& path) const;
    // How many requests for a path (without query) reached the server.
    int RequestsFor(const std::string& path);
    // Navigates and waits for the top frame's DocumentComplete.
    bool Load(const std::string& path);

    std::unique_ptr<support::ScopedTempDir> dir;
    std::unique_ptr<support::TestHttpd> server;
    std::unique_ptr<Host> host;
};

std::wstring Wide(const std::string& utf8);

}  // namespace standin_test
