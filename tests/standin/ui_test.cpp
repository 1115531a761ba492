// What a person does with the page: clicks on links and buttons where they
// are painted, right-clicks, keys; and what the host's answers change: the
// context menu, key handling, scroll bar and border. And what is painted.
#include "fixture.h"
#include "owners/gdi_owners.h"

namespace standin_test {
namespace {

constexpr DISPID kBeforeNavigate2 = 250, kDocumentComplete = 259;

using StandinUi = StandinTest;

// Ends the control's own context menu once it is up, so the test never waits on it.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(StandinUi, ClickingALinkWhereItIsPaintedNavigates) {
    Page("/links.html",
         "<title>Links</title><h1>\xE6\xAC\xA2\xE8\xBF\x8E</h1>"
         "<p>Some text first, then <a href=\"next.html\">\xE4\xB8\x8B\xE4\xB8\x80\xE9\xA1\xB5</a> and more.</p>");
    Page("/next.html", "<p>next</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/links.html"));
    POINT link;
    ASSERT_TRUE(host->FindBox("\xE4\xB8\x8B\xE4\xB8\x80\xE9\xA1\xB5", &link));
    host->ClickAt({link.x, 2});  // the title band: nothing there to act on
    ASSERT_TRUE(host->PumpPosted());
    EXPECT_EQ(1u, host->sink.Of(kBeforeNavigate2).size());
    host->ClickAt(link);
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/next.html"));
    EXPECT_EQ(1u, host->log.Find("click", {{"target", "link"}}).size());
    EXPECT_EQ(1u, host->log.Find("queued", {{"origin", "link"}}).size());
}

TEST_F(StandinUi, OnclickRunsAndReturningFalseKeepsTheLinkFromNavigating) {
    Page("/click.html",
         "<p><a href=\"no.html\" onclick=\"external.record('stay'); return false;\">stay</a></p>"
         "<p><a href=\"yes.html\" onclick=\"external.record('go');\">go</a></p>"
         "<p><button onclick=\"external.record('button', document.title)\">Press</button></p>"
         "<p><a href=\"javascript:external.record('js')\">js</a></p>");
    Page("/yes.html", "<p>yes</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/click.html"));
    POINT stay, go, press, js;
    ASSERT_TRUE(host->FindBox("stay", &stay));
    ASSERT_TRUE(host->FindBox("go", &go));
    ASSERT_TRUE(host->FindBox("Press", &press));
    ASSERT_TRUE(host->FindBox("js", &js));
    host->ClickAt(stay);
    host->ClickAt(press);
    host->ClickAt(js);
    ASSERT_TRUE(host->PumpPosted());
    EXPECT_EQ((std::vector<std::wstring>{L"record(stay)", L"record(button,)", L"record(js)"}), host->external.calls);
    EXPECT_EQ(1u, host->sink.Of(kBeforeNavigate2).size());
    EXPECT_EQ(0, RequestsFor("/no.html"));
    host->ClickAt(go);
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/yes.html"));
    EXPECT_EQ(L"record(go)", host->external.calls.back());
}

TEST_F(StandinUi, LocationReloadFetchesAgainWithoutNavigationEvents) {
    Page("/again.html", "<script>external.record('loaded');</script><button onclick=\"location.reload()\">Reload</button>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/again.html"));
    POINT reload;
    ASSERT_TRUE(host->FindBox("Reload", &reload));
    host->ClickAt(reload);
    ASSERT_TRUE(host->PumpUntil([&] { return host->external.calls.size() == 2; }));
    EXPECT_EQ(2, RequestsFor("/again.html"));
    EXPECT_EQ(1u, host->sink.Of(kBeforeNavigate2).size());
    EXPECT_EQ(1u, host->log.Find("script-navigate", {{"how", "location.reload"}}).size());
}

TEST_F(StandinUi, TextFieldsAreEditControlsThatScriptsRead) {
    Page("/login.html",
         "<p>\xE7\x94\xA8\xE6\x88\xB7 <input id=\"user\" value=\"alice\"> <input type=\"password\" name=\"pw\"></p>"
         "<button onclick=\"external.record(document.getElementById('user').value, document.getElementById('pw').value, "
         "document.getElementById('none') === null ? 'none' : 'found')\">\xE7\x99\xBB\xE5\xBD\x95</button>"
         "<script>document.getElementById('pw').value = 'secret';</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/login.html"));
    HWND control = host->ControlWindow();
    POINT userAt, pwAt, login;
    ASSERT_TRUE(host->FindBox("user", &userAt));
    ASSERT_TRUE(host->FindBox("pw", &pwAt));
    ASSERT_TRUE(host->FindBox("\xE7\x99\xBB\xE5\xBD\x95", &login));
    HWND user = ChildWindowFromPointEx(control, userAt, CWP_ALL);
    HWND pw = ChildWindowFromPointEx(control, pwAt, CWP_ALL);
    ASSERT_NE(control, user);
    ASSERT_NE(user, pw);
    wchar_t text[32] = L"";
    GetWindowTextW(user, text, 32);
    EXPECT_STREQ(L"alice", text);
    GetWindowTextW(pw, text, 32);
    EXPECT_STREQ(L"secret", text);
    EXPECT_TRUE(GetWindowLongW(pw, GWL_STYLE) & ES_PASSWORD);
    SetWindowTextW(user, L"\x5F20\x4E09");  // typed by the person
    host->ClickAt(login);
    ASSERT_TRUE(host->PumpUntil([&] { return !host->external.calls.empty(); }));
    EXPECT_EQ((std::vector<std::wstring>{L"record(\x5F20\x4E09,secret,none)"}), host->external.calls);
    // A new page takes its fields with it.
    Page("/empty.html", "<p>none</p>");
    ASSERT_TRUE(Load("/empty.html"));
    EXPECT_FALSE(IsWindow(user));
}

TEST_F(StandinUi, LinksInAFrameNavigateTheFrame) {
    Page("/outer.html", "<p>outer</p><iframe src=\"inner.html\" height=\"100\"></iframe>");
    Page("/inner.html", "<p><a href=\"inner2.html\">deeper</a></p>");
    Page("/inner2.html", "<p>deeper page</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/outer.html"));
    POINT deeper;
    ASSERT_TRUE(host->FindBox("deeper", &deeper));
    host->ClickAt(deeper);
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/inner2.html"));
    auto before = host->sink.Of(kBeforeNavigate2);
    ASSERT_EQ(3u, before.size());
    EXPECT_EQ(before[1].disp, before[2].disp);
}

TEST_F(StandinUi, RightClickAsksTheHostAndShowsAMenuOnlyWhenTheHostLeavesItToTheControl) {
    Page("/menu.html", "<p><a href=\"x.html\">a link</a></p><p>plain text</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/menu.html"));
    POINT link;
    ASSERT_TRUE(host->FindBox("a link", &link));
    host->ClickAt(link, true);
    host->ClickAt({300, 300}, true);
    EXPECT_EQ(2, host->site.calls["ShowContextMenu"]);
    EXPECT_TRUE(host->log.Find("contextmenu-shown").empty());
    auto asked = host->log.Find("contextmenu");
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ("5", asked[0].Get("id"));  // CONTEXT_MENU_ANCHOR
    EXPECT_EQ("0", asked[1].Get("id"));  // CONTEXT_MENU_DEFAULT

    host->site.contextMenuAnswer = S_FALSE;
    SetTimer(nullptr, 0, 300, EndMenuSoon);
    host->ClickAt({300, 300}, true);
    EXPECT_EQ(1u, host->log.Find("contextmenu-shown").size());
    EXPECT_EQ(1u, host->log.Find("contextmenu-closed", {{"command", "0"}}).size());
}

TEST_F(StandinUi, KeysGoToTheHostFirstAndF5ReloadsOnlyWhenTheHostLeavesIt) {
    Page("/keys.html", "<p>keys</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/keys.html"));
    ComPtr<IOleInPlaceActiveObject> active;
    ASSERT_EQ(S_OK, host->control.As(&active));
    MSG f5 = {host->ControlWindow(), WM_KEYDOWN, VK_F5, 0, GetTickCount(), {}};

    host->site.translateAnswer = S_OK;
    EXPECT_EQ(S_OK, active->TranslateAccelerator(&f5));
    ASSERT_TRUE(host->PumpPosted());
    EXPECT_EQ(1, RequestsFor("/keys.html"));

    host->site.translateAnswer = S_FALSE;
    f5.time += 1;
    EXPECT_EQ(S_OK, active->TranslateAccelerator(&f5));  // the control's own F5
    ASSERT_TRUE(host->PumpUntil([&] { return RequestsFor("/keys.html") == 2; }));
    MSG other = {host->ControlWindow(), WM_KEYDOWN, 'A', 0, GetTickCount() + 5, {}};
    EXPECT_EQ(S_FALSE, active->TranslateAccelerator(&other));

    SendMessageW(host->ControlWindow(), WM_KEYDOWN, 'B', 0);  // straight to the window
    EXPECT_EQ(4, host->site.calls["TranslateAccelerator"]);
    EXPECT_EQ(1u, host->log.Find("translateaccelerator", {{"from", "window"}}).size());
}

TEST_F(StandinUi, HostFlagsDecideScrollBarAndBorder) {
    Page("/f.html", "<p>flags</p>");
    host->site.hostFlags = 0;
    ASSERT_TRUE(host->Start());
    HWND hwnd = host->ControlWindow();
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The host is asked again for each page and its new answer is honoured.
    host->site.hostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    ASSERT_TRUE(Load("/f.html"));
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(1u, host->log.Find("hostinfo", {{"when", "document"}, {"flags", "0x0000000c"}}).size());
    EXPECT_EQ(2, host->site.calls["GetHostInfo"]);
}

TEST_F(StandinUi, WithoutAUiHandlerTheControlUsesItsDefaults) {
    Page("/d.html", "<p>defaults</p><script>external.record('x');</script>");
    host->site.offerUiHandler = false;
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/d.html"));
    HWND hwnd = host->ControlWindow();
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(host->external.calls.empty());
    EXPECT_EQ(1u, host->log.Find("script-error").size());  // external is not there
}

TEST_F(StandinUi, AScrolledPageIsClickedWhereItIsShown) {
    std::string html = "<title>Long</title>";
    for (int i = 0; i < 40; ++i) html += "<p>paragraph " + std::to_string(i) + "</p>";
    html += "<p><a href=\"end.html\">the end</a></p>";
    Page("/long.html", html);
    Page("/end.html", "<p>end</p>");
    host->site.hostFlags = 0;
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/long.html"));
    POINT end;
    ASSERT_TRUE(host->FindBox("the end", &end));
    HWND hwnd = host->ControlWindow();
    RECT client;
    GetClientRect(hwnd, &client);
    ASSERT_GT(end.y, client.bottom) << "the link must start out of sight";
    for (int i = 0; i < 10; ++i) SendMessageW(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    int scrolled = GetScrollPos(hwnd, SB_VERT);
    ASSERT_GT(scrolled, 0);
    host->ClickAt({end.x, end.y - scrolled});
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/end.html"));
}

TEST_F(StandinUi, DrawPaintsThePageIntoTheContainersDeviceContext) {
    Page("/draw.html", "<title>Drawn</title><p>x</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/draw.html"));
    ComPtr<IViewObject2> view;
    ASSERT_EQ(S_OK, host->control.As(&view));
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.get());
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), 200, 100));
    ScopedSelection selected(memory.get(), bitmap.get());
    HDC mem = memory.get();
    RECTL bounds = {0, 0, 200, 100};
    EXPECT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, mem, &bounds, nullptr, nullptr, 0));
    EXPECT_EQ(RGB(226, 233, 245), GetPixel(mem, 199, 1));  // the title band, across the whole width
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(mem, 199, 99));
    EXPECT_EQ(DV_E_DVASPECT, view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, mem, &bounds, nullptr, nullptr, 0));
}

int CountPixels(const std::vector<DWORD>& pixels, int width, const RECT& r, DWORD rgb) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((pixels[y * width + x] & 0xFFFFFF) == rgb) ++n;
    return n;
}

// The control window as it is on the screen (Xvfb).
std::vector<DWORD> CaptureWindow(HWND hwnd, int w, int h) {
    ScopedWindowDC screen(hwnd);
    ScopedMemoryDC memory(screen.get());
    HDC mem = memory.get();
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedBitmap dib(CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.get()) return {};
    ScopedSelection selected(mem, dib.get());
    BitBlt(mem, 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    return std::vector<DWORD>(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + w * h);
}

TEST_F(StandinUi, PaintsTitleTextLinksAndButtonsOnScreen) {
    Page("/paint.html",
         "<title>\xE6\xB8\xB8\xE6\x88\x8F\xE5\x85\xAC\xE5\x91\x8A</title>"
         "<p>\xE6\x96\xB0\xE9\x97\xBB news <a href=\"x.html\">link here</a></p><button>Login</button>");
    ShowWindow(host->window, SW_SHOW);
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/paint.html"));
    HWND hwnd = host->ControlWindow();
    UpdateWindow(hwnd);
    host->Pump(200);
    RECT client;
    GetClientRect(hwnd, &client);
    auto pixels = CaptureWindow(hwnd, client.right, client.bottom);
    const DWORD titleBand = 0xE2E9F5, linkBlue = 0x0000CC, buttonFace = 0xE1E1E1, black = 0;
    RECT band = {0, 0, client.right, 6};
    EXPECT_EQ(client.right * 6, CountPixels(pixels, client.right, band, titleBand));
    auto layout = host->log.Find("layout", {{"kind", "link"}});
    ASSERT_FALSE(layout.empty());
    const LogEntry& l = layout.back();
    RECT link = {l.Int("x"), l.Int("y"), l.Int("x") + l.Int("w"), l.Int("y") + l.Int("h")};
    EXPECT_GT(CountPixels(pixels, client.right, link, linkBlue), 20);
    auto button = host->log.Find("layout", {{"kind", "button"}});
    ASSERT_FALSE(button.empty());
    const LogEntry& b = button.back();
    RECT face = {b.Int("x") + 3, b.Int("y") + 3, b.Int("x") + 6, b.Int("y") + 6};
    EXPECT_EQ(9, CountPixels(pixels, client.right, face, buttonFace));
    // The Chinese text left of the link is drawn in black: glyphs, not empty boxes of nothing.
    RECT text = {0, link.top, link.left, link.bottom};
    EXPECT_GT(CountPixels(pixels, client.right, text, black), 30);
    ShowWindow(host->window, SW_HIDE);
}

}  // namespace
}  // namespace standin_test
