// Pages in the launcher reaching into the program through window.external,
// and the host's answers to the control: no context menu.
#include "launcher_fixture.h"

namespace e2e {
namespace {

class ScriptBridgeE2eTest : public LauncherTest {
protected:
    ScriptBridgeE2eTest() : LauncherTest(70) {}

    // The text a page reported by navigating to /report?<text>.
    std::string Report() {
        for (const std::string& path : RequestedPaths()) {
            if (path.rfind("/report?", 0) == 0) {
                return Decode(path.substr(8));
            }
        }
        return "<no report>";
    }

    static std::string Decode(const std::string& text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 2 < text.size()) {
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += text[i];
            }
        }
        return out;
    }
};

// Each call's answer, or "error" when the call failed in the script.
constexpr char kBridgeScript[] =
    "var e = window.external, r = [];"
    "function probe(name, f) { try { r.push(name + '=' + f()); } catch (x) { r.push(name + '=error'); } }"
    "probe('user', function () { return e.queryArgs('user'); });"
    "probe('server', function () { return e.queryArgs('server'); });"
    "probe('nobody', function () { return e.queryArgs('nobody'); });"
    "probe('write', function () { return e.writeConfig('k', 'v'); });"
    "probe('read', function () { return e.readConfig('k'); });"
    "probe('number', function () { return e.writeConfig('n', 42); });"
    "probe('platform', function () { return e.readConfig('clientAddr'); });"
    "probe('wibble', function () { return e.xxyyzz; });"
    "probe('case', function () { return e.QueryArgs('user'); });"
    "probe('section', function () { return e.netAddr('k'); });"
    "probe('few', function () { return e.writeConfig('only'); });"
    "probe('section-write', function () { return e.writeConfig('[platform]', 'x'); });"
    "probe('equals', function () { return e.writeConfig('a=b', 'x'); });"
    "probe('lines', function () { return e.writeConfig('k2', 'v\\r\\n[platform]\\r\\nclientAddr=http://evil/'); });"
    "probe('extra', function () { return e.writeConfig('a', 'b', 'c'); });"
    "probe('extra-read', function () { return e.readConfig('a', 'c'); });"
    "probe('extra-query', function () { return e.queryArgs('nobody', 'x', 'user'); });"
    "probe('formfeed', function () { return e.writeConfig('\\f[rt_ff', 'v2'); });"
    "probe('zero', function () { return e.writeConfig('zero', 'a\\0b'); });"
    "probe('quoted', function () { return e.writeConfig('quoted', '\"quoted\"'); });"
    "probe('padded', function () { return e.writeConfig('padded', '  padded  '); });"
    "probe('thai', function () { return e.writeConfig('thai', '\\u0e01'); });"
    "var big = new Array(32767 + 1).join('z');"
    "probe('long-key', function () { return e.writeConfig(big, 'v'); });"
    "probe('long-value', function () { return e.writeConfig('big', big); });"
    "probe('longest-value', function () { return e.writeConfig('big', big.substring(1)); });"
    "location.href = '/report?' + encodeURIComponent(r.join('|'));";

TEST_F(ScriptBridgeE2eTest, PagesReadArgumentsAndKeepTheirValuesButCannotTouchThePlatform) {
    Serve("/bridge.html", Page("bridge", "<p>bridge</p>", kBridgeScript));
    Serve("/report", Page("report", "<p>done</p>"));
    WriteConfig("/bridge.html");
    ASSERT_TRUE(Start("/b_user alice /b_server 12"));
    ASSERT_TRUE(WaitForRequest("/report?")) << log.Text();

    EXPECT_EQ(
        "user=alice|server=12|nobody=|write=true|read=v|number=true|platform=|wibble=Wibble|case=error|"
        "section=error|few=error|section-write=false|equals=false|lines=false|"
        "extra=true|extra-read=b|extra-query=|formfeed=false|zero=false|quoted=false|padded=false|thai=false|"
        "long-key=false|long-value=false|longest-value=true",
        Report());
    const std::string config = InstallFile("WebCfg.ini");
    EXPECT_NE(std::string::npos,
              config.find("[netAddr]\r\nk=v\r\nn=42\r\na=b\r\nbig=" + std::string(32766, 'z') + "\r\n"))
        << config.substr(0, 200);
    EXPECT_EQ(std::string::npos, config.find("b=c")) << config.substr(0, 200);
    EXPECT_EQ(std::string::npos, config.find("evil")) << config.substr(0, 200);
    for (const char* refused : {"rt_ff", "zero", "quoted", "padded", "thai"}) {
        EXPECT_EQ(std::string::npos, config.find(refused)) << refused << ": " << config.substr(0, 200);
    }
    EXPECT_EQ(1u, config.find("platform]"));  // still the one and only platform section
    EXPECT_EQ(config.rfind("[platform]"), config.find("[platform]"));

    // The page took the object with a reference and gave it back when it went.
    EXPECT_TRUE(log.Has({"external op=GetExternal frame=top hr=0x00000000 refs=1"})) << log.Text();
    EXPECT_TRUE(log.Has({"external op=Release frame=top refs=0"})) << log.Text();
}

TEST_F(ScriptBridgeE2eTest, ValuesWrittenByOnePageAreReadByTheNext) {
    Serve("/first.html", Page("first", "<p>first</p>",
                              "window.external.writeConfig('lastServer', '\\u53cc\\u7ebf7');"
                              "location.href = '/second.html';"));
    Serve("/second.html", Page("second", "<p>second</p>",
                               "location.href = '/report?' + encodeURIComponent(window.external.readConfig('lastServer'));"));
    Serve("/report", Page("report", "<p>done</p>"));
    WriteConfig("/first.html");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRequest("/report?")) << log.Text();
    EXPECT_EQ("\xE5\x8F\x8C\xE7\xBA\xBF" "7", Report());  // UTF-8 of 双线 from encodeURIComponent
    // In the file the value is code page 936.
    EXPECT_NE(std::string::npos, InstallFile("WebCfg.ini").find("lastServer=\xCB\xAB\xCF\xDF" "7"))
        << InstallFile("WebCfg.ini");
}

TEST_F(ScriptBridgeE2eTest, RightClickShowsNoMenu) {
    Serve("/launcher.html", Page("news", "<p>news</p>"));
    WriteConfig("/launcher.html");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForLauncher());
    ASSERT_TRUE(WaitForDocument("/launcher.html"));
    const RECT client = ClientScreenRect(launcher);
    const POINT inPage = {client.left + 275 + 100, client.top + 149 + 100};
    HWND target = DeepestChildAt(launcher, inPage);
    ASSERT_NE(launcher, target);
    POINT local = inPage;
    ScreenToClient(target, &local);
    const LPARAM at = MAKELPARAM(local.x, local.y);
    PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(target, WM_RBUTTONUP, 0, at);
    PostMessageA(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), MAKELPARAM(inPage.x, inPage.y));
    // A second right click, handled only after the first one is done with: a
    // menu of the first would be logged by then (and be on screen).
    PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(target, WM_RBUTTONUP, 0, at);
    ASSERT_TRUE(WaitUntil([&] { return log.Find({"contextmenu "}).size() >= 2; }, 20000)) << log.Text();
    EXPECT_EQ(2u, log.Find({"contextmenu ", "result=host-handled"}).size()) << log.Text();
    EXPECT_FALSE(log.Has({"contextmenu-shown"})) << log.Text();
    for (HWND window : TopLevelWindows(program.Pid())) {
        char name[32] = {};
        GetClassNameA(window, name, sizeof name);
        EXPECT_FALSE(IsWindowVisible(window) && std::string(name) == "#32768") << "a menu is shown";
    }
}

}  // namespace
}  // namespace e2e
