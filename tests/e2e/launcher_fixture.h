// One run of the real program in a temporary install folder, against pages
// the test serves on 127.0.0.1, with the stand-in browser control (or Wine's
// own) registered for the WebBrowser class.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "browser_setup.h"
#include "program_run.h"
#include "program_windows.h"
#include "temp_dir.h"
#include "test_httpd.h"

namespace e2e {

using support::CopyBuildFile;
using support::ProgramRun;
using support::UnixPath;
using support::WaitUntil;
using support::WindowsPath;

// Build outputs, as Unix paths from the build system.
std::string ProgramExe();      // Vorn_Login.exe
std::string ZarnelDll();
std::string FakeUpdaterExe();
std::string StandinDll();
std::string LinkCaptureScript();  // Unix path, for Wine's browser redirection

// A small HTML page in UTF-8 with a title, a body and an optional script.
std::string Page(const std::string& title, const std::string& body, const std::string& script = "");

class LauncherTest : public ::testing::Test {
protected:
    explicit LauncherTest(int portOffset, bool standin = true);
    void SetUp() override;
    void TearDown() override;

    // Serves body as text/html at path.
    void Serve(const std::string& path, const std::string& html);
    // Writes WebCfg.ini: section "platform" with clientAddr and the given keys.
    void WriteConfig(const std::string& clientPath, const std::map<std::string, std::string>& more = {});
    // Copies the program (and what the test asked for) and starts it.
    bool Start(const std::string& arguments = "");
    // Waits until the main window and the launcher exist (shown or not).
    bool WaitForWindows(DWORD milliseconds = 30000);
    // Waits until the main window and the shown launcher exist.
    bool WaitForLauncher(DWORD milliseconds = 30000);
    // Clicks the launcher page's link whose address holds hrefPart, where the
    // stand-in says it laid it out; false if it laid out no such link.
    bool ClickLink(const std::string& hrefPart);
    // Waits until the stand-in completed a document whose address holds text.
    bool WaitForDocument(const std::string& urlPart, DWORD milliseconds = 20000);
    // The paths of requests the test site received, in order.
    std::vector<std::string> RequestedPaths();
    bool WaitForRequest(const std::string& pathPart, DWORD milliseconds = 20000);
    // The file's text in the install folder ("" when missing).
    std::string InstallFile(const std::string& name) const;
    std::string InstallPath(const std::string& name) const { return dir.File(name); }

    support::ScopedTempDir dir;
    support::TestHttpd site;
    StandinLog log;
    ProgramRun program;
    HWND mainWindow = nullptr;
    HWND launcher = nullptr;

private:
    bool m_standin;
    std::unique_ptr<BrowserRegistration> m_registration;
};

}  // namespace e2e
