// The launcher benchmark's second yardstick: only the platform's own work that
// the program's launcher phase cannot do without, none of the program's code.
// GDI+ started, the program's background picture decoded from its resource
// and shown as a layered window, an owned colour-keyed popup, and a WebBrowser
// control in each window hosted by the system's own ActiveX host (atl.dll),
// the popup's navigated to the configured address. Built the same way as
// Vorn_Login, with its resources (and so its manifest).
#include <windows.h>
#include <exdisp.h>
#include <objidl.h>

#include <algorithm>
#include <memory>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "owners/com_ptr.h"
#include "owners/gdi_owners.h"
#include "framework/resource_picture.h"
#include "resource.h"

namespace {

constexpr wchar_t kWebBrowser[] = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";
constexpr char kWindowClass[] = "VornPlatformWindow";

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // The probe closes the first window shown, the popup; the owner goes.
        HWND owner = GetWindow(hwnd, GW_OWNER);
        DestroyWindow(owner ? owner : hwnd);
        return 0;
    }
    if (message == WM_DESTROY && !GetWindow(hwnd, GW_OWNER)) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The picture, premultiplied by GDI+ itself, as the window's whole appearance.
void ShowPicture(HWND window, Gdiplus::Bitmap& picture, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedWindowDC screen(window);
    ScopedBitmap pixels(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedMemoryDC memory(screen.get());
    if (!pixels.get() || !memory.get()) return;
    Gdiplus::Rect rect(0, 0, width, height);
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = bits;
    if (picture.LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
        picture.UnlockBits(&data);
    }
    ScopedSelection selected(memory.get(), pixels.get());
    RECT rc = {};
    GetWindowRect(window, &rc);
    POINT at = {rc.left, rc.top}, origin = {0, 0};
    SIZE size = {width, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, screen.get(), &at, &size, memory.get(), &origin, 0, &blend, ULW_ALPHA);
}

// A WebBrowser control hosted by atl.dll in parent; navigated when address is given.
void HostBrowser(HWND parent, int x, int y, int width, int height, AtlAxGetControlFn getControl, const char* address) {
    HWND host = CreateWindowExW(0, L"AtlAxWin", kWebBrowser, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ComPtr<IUnknown> control;
    if (!address || !host || FAILED(getControl(host, control.Out()))) return;
    ComPtr<IWebBrowser2> browser;
    if (FAILED(control.As(&browser))) return;
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(CP_ACP, 0, address, -1, wide, 1024);
    ScopedBstr url(wide);
    browser->Navigate(url.Get(), nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    HMODULE atl = LoadLibraryA("atl.dll");
    auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    auto getControl =
        reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    if (!init || !getControl || !init()) return 1;
    {
        std::unique_ptr<Gdiplus::Bitmap> picture = DecodeResourcePicture(instance, IDB_BACKGROUND, "PNG");
        const int width = static_cast<int>(picture->GetWidth()), height = static_cast<int>(picture->GetHeight());

        // The popup is all key colour but for its browser, as the launcher is.
        ScopedBrush key(CreateSolidBrush(RGB(1, 1, 1)));
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = key.get();
        wc.lpszClassName = kWindowClass;
        RegisterClassA(&wc);
        HWND main = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_LAYERED, kWindowClass, "platform", WS_POPUP, 150, 187,
                                    width, height, nullptr, nullptr, instance, nullptr);
        HostBrowser(main, 0, 0, 336, 130, getControl, nullptr);
        ShowPicture(main, *picture, width, height);

        HWND popup = CreateWindowExA(WS_EX_LAYERED, kWindowClass, "", WS_POPUP, 153, 187, width, height, main, nullptr,
                                     instance, nullptr);
        SetLayeredWindowAttributes(popup, RGB(1, 1, 1), 0, LWA_COLORKEY);
        char address[1024] = "";
        GetPrivateProfileStringA("platform", "clientAddr", "", address, sizeof address, ".\\WebCfg.ini");
        HostBrowser(popup, 275, 149, 646, 409, getControl, address);
        ShowWindow(popup, SW_SHOW);
        ShowWindow(main, SW_SHOWNORMAL);

        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    Gdiplus::GdiplusShutdown(token);
    OleUninitialize();
    return 0;
}
