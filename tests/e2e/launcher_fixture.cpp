#include "launcher_fixture.h"

#include <cstdlib>
#include <sstream>

namespace e2e {

std::string ProgramExe() {
    return VORN_LOGIN_EXE;
}
std::string ZarnelDll() {
    return VORN_ZARNEL_DLL;
}
std::string FakeUpdaterExe() {
    return VORN_FAKE_UPDATER_EXE;
}
std::string StandinDll() {
    return VORN_STANDIN_DLL;
}
std::string LinkCaptureScript() {
    return VORN_LINK_CAPTURE_SCRIPT;
}

std::string Page(const std::string& title, const std::string& body, const std::string& script) {
    std::string html = "<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" + body;
    if (!script.empty()) {
        html += "<script>" + script + "</script>";
    }
    return html + "</body></html>";
}

LauncherTest::LauncherTest(int portOffset, bool standin)
    : site(support::TestHttpd::Port(portOffset)), log(""), m_standin(standin) {}

void LauncherTest::SetUp() {
    ASSERT_TRUE(site.ok()) << site.error();
    log = StandinLog(dir.File("standin.log"));
    const std::string dll = m_standin ? WindowsPath(StandinDll()) : "C:\\windows\\system32\\ieframe.dll";
    m_registration = std::make_unique<BrowserRegistration>(dll);
    ASSERT_TRUE(m_registration->ok());
    // The stand-in writes its log where this names; the program passes its environment on.
    SetEnvironmentVariableA("VORN_STANDIN_LOG", log.path().c_str());
}

void LauncherTest::TearDown() {
    program.Kill();
    SetEnvironmentVariableA("VORN_STANDIN_LOG", nullptr);
    m_registration.reset();
}

void LauncherTest::Serve(const std::string& path, const std::string& html) {
    ASSERT_TRUE(site.Route(path, 200, html, "length", {"Content-Type: text/html; charset=utf-8"}));
}

void LauncherTest::WriteConfig(const std::string& clientPath, const std::map<std::string, std::string>& more) {
    std::string text = "[platform]\r\nclientAddr=" + site.Url(clientPath) + "\r\n";
    for (const auto& [key, value] : more) {
        text += key + "=" + value + "\r\n";
    }
    ASSERT_TRUE(support::WriteTextFile(dir.File("WebCfg.ini"), text));
}

bool LauncherTest::Start(const std::string& arguments) {
    const std::string exe = dir.File("Vorn_Login.exe");
    if (!CopyBuildFile(ProgramExe(), exe)) {
        return false;
    }
    return program.Start(exe, dir.path(), arguments);
}

bool LauncherTest::WaitForWindows(DWORD milliseconds) {
    return WaitUntil(
        [&] {
            mainWindow = MainWindow(program.Pid());
            launcher = LauncherWindow(program.Pid(), mainWindow);
            return launcher != nullptr;
        },
        milliseconds);
}

namespace {

int Field(const std::string& line, const char* key) {
    const std::string marker = std::string(" ") + key + "=";
    const size_t at = line.find(marker);
    return at == std::string::npos ? -1 : std::atoi(line.c_str() + at + marker.size());
}

}  // namespace

bool LauncherTest::ClickLink(const std::string& hrefPart) {
    // "layout frame=top kind=link x=8 y=102 w=36 h=18 text=more href=/more.html"
    const auto lines = log.Find({" layout ", "frame=top", "kind=link", "href=" + hrefPart});
    HWND browser = GetDlgItem(launcher, 1001);
    if (lines.empty() || !browser) {
        return false;
    }
    const std::string& line = lines.back();
    const LPARAM at = MAKELPARAM(Field(line, "x") + Field(line, "w") / 2, Field(line, "y") + Field(line, "h") / 2);
    PostMessageA(browser, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(browser, WM_LBUTTONUP, 0, at);
    return true;
}

bool LauncherTest::WaitForLauncher(DWORD milliseconds) {
    return WaitUntil(
        [&] {
            mainWindow = MainWindow(program.Pid());
            launcher = LauncherWindow(program.Pid(), mainWindow);
            return launcher && IsWindowVisible(launcher);
        },
        milliseconds);
}

bool LauncherTest::WaitForDocument(const std::string& urlPart, DWORD milliseconds) {
    return WaitUntil([&] { return log.Has({"event", "DocumentComplete", urlPart}); }, milliseconds);
}

std::vector<std::string> LauncherTest::RequestedPaths() {
    std::vector<std::string> paths;
    for (const auto& request : site.Requests()) {
        std::istringstream words(request.line);
        std::string method, target;
        words >> method >> target;
        paths.push_back(target);
    }
    return paths;
}

bool LauncherTest::WaitForRequest(const std::string& pathPart, DWORD milliseconds) {
    return WaitUntil(
        [&] {
            for (const std::string& path : RequestedPaths()) {
                if (path.find(pathPart) != std::string::npos) {
                    return true;
                }
            }
            return false;
        },
        milliseconds, 100);
}

std::string LauncherTest::InstallFile(const std::string& name) const {
    std::string text;
    support::ReadTextFile(dir.File(name), &text);
    return text;
}

}  // namespace e2e
