// The application object's own operations: shutdown, the hand-off to the game
// phase, and the platform settings it reads.
#include "app/vorn_login_app.h"
#include "skin/resource_image.h"

#include "resource.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

// Counts what shutdown does to the scripting object; never deleted, like it.
class CountingDispatch : public IDispatch {
public:
    int releases = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { ++releases; return 0; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

}  // namespace

TEST(VornLoginApp, ShutdownDisposesThePictureAndReleasesTheScriptingObjectOnce) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, nullptr));
    theApp.m_hInstance = GetModuleHandleA(nullptr);
    theApp.m_pBackImage = LoadResourceImage(IDB_BACKGROUND, "PNG");
    CountingDispatch scripting;
    theApp.m_pDispOM = &scripting;

    EXPECT_EQ(0, theApp.ExitInstance());
    EXPECT_EQ(nullptr, theApp.m_pBackImage);
    EXPECT_EQ(1, scripting.releases);
    // A second shutdown (there is none in a run) would not release it again.
    theApp.ExitInstance();
    EXPECT_EQ(1, scripting.releases);
    Gdiplus::GdiplusShutdown(token);
}

TEST(VornLoginApp, EnterGameHidesTheLauncherEveryTime) {
    theApp.m_hInstance = GetModuleHandleA(nullptr);
    AfxEnableControlContainer();
    CDialogEx launcher(IDD_CLOSE_BTN_DLG);
    ASSERT_TRUE(launcher.Create(IDD_CLOSE_BTN_DLG));
    launcher.ShowWindow(SW_SHOW);
    theApp.m_pWebDlg = &launcher;

    theApp.EnterGame("http://127.0.0.1/clientex/bin/index.php?&serverid=3&username=bob");
    EXPECT_FALSE(::IsWindowVisible(launcher.m_hWnd));
    launcher.ShowWindow(SW_SHOW);
    theApp.EnterGame("http://127.0.0.1/clientex/bin/index.php?&serverid=3&username=bob");
    EXPECT_FALSE(::IsWindowVisible(launcher.m_hWnd));
    EXPECT_TRUE(IsWindow(launcher.GetSafeHwnd()));  // hidden, not destroyed

    theApp.m_pWebDlg = nullptr;
    launcher.DestroyWindow();
}

TEST(VornLoginApp, PlatformSettingsComeFromTheCurrentDirectory) {
    support::ScopedTempDir install;
    EXPECT_EQ("", theApp.GetPlatformSetting("clientAddr"));
    ASSERT_TRUE(support::WriteTextFile(
        "WebCfg.ini", "[netAddr]\r\nclientAddr=page\r\n[platform]\r\nclientAddr=http://127.0.0.1/launcher/\r\n"));
    EXPECT_EQ("http://127.0.0.1/launcher/", theApp.GetPlatformSetting("clientAddr"));
    EXPECT_EQ("", theApp.GetPlatformSetting("bbsAddr"));
}
