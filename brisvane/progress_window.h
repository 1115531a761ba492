// The updater's one window: what it is doing, the current file, a progress
// bar for the file and one for the whole update, bytes and speed, and a
// cancel button; after a failure the reason, a retry and an exit button.
// Each attempt runs on a worker thread; the window reads its progress on a
// timer and never waits for it.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

#include "progress_state.h"

namespace brisvane {

// Control ids, also for tests that read the window from outside.
enum ControlId {
    kStatusText = 101,
    kFileText = 102,
    kFileBar = 103,
    kTotalBar = 104,
    kAmountText = 105,
    kRetryButton = 106,
    kCancelButton = IDCANCEL,
};

class CProgressWindow {
public:
    CProgressWindow() = default;
    ~CProgressWindow();
    CProgressWindow(const CProgressWindow&) = delete;
    CProgressWindow& operator=(const CProgressWindow&) = delete;

    // Shows the window and runs attempts until one succeeds (true) or the
    // player gives up (false).
    bool Run(HINSTANCE instance, int show);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnTimer();
    void OnCancel();
    void StartAttempt();
    void JoinWorker();
    void ShowFailure(const Progress& progress);
    void SetText(int id, const std::string& text);

    HWND m_hWnd = nullptr;
    HFONT m_hFont = nullptr;  // the system's message font, owned
    ProgressState m_state;
    std::atomic<bool> m_bCancel{false};
    std::atomic<bool> m_bAttemptOver{false};
    std::thread m_worker;
    ULONGLONG m_nAttemptStart = 0;
    bool m_bFailed = false;
    bool m_bSucceeded = false;
};

}  // namespace brisvane
