// A test dialog that runs a list of steps from inside its own modal loop.
// A step returns false to be tried again 30 ms later; a 10 s timer ends a
// stuck dialog with -2.
#pragma once
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "framework.h"

class ScriptedDialog : public CDialogEx {
public:
    using Step = std::function<bool(ScriptedDialog&)>;
    explicit ScriptedDialog(UINT id, CWnd* parent = nullptr) : CDialogEx(id, parent) {}

    std::vector<Step> steps;
    std::function<void(ScriptedDialog&)> onInit;
    bool timedOut = false;

    BOOL OnInitDialog() override {
        BOOL result = CDialogEx::OnInitDialog();
        if (onInit) onInit(*this);
        ::SetTimer(m_hWnd, kTimeout, 10000, nullptr);
        ::PostMessageA(m_hWnd, WM_APP, 0, 0);
        return result;
    }

    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {
            MapMessage(WM_APP, &ScriptedDialog::OnStep),
            MapMessage(WM_TIMER, &ScriptedDialog::OnTimer),
        };
        static const MessageMap map(CDialogEx::GetMessageMap(), entries);
        return &map;
    }

private:
    static constexpr UINT_PTR kTimeout = 1, kRetry = 2;

    LRESULT OnStep(WPARAM, LPARAM) {
        if (m_next >= steps.size()) return 0;
        if (!steps[m_next](*this)) {
            if (m_hWnd) ::SetTimer(m_hWnd, kRetry, 30, nullptr);
            return 0;
        }
        ++m_next;
        if (m_hWnd) ::PostMessageA(m_hWnd, WM_APP, 0, 0);
        return 0;
    }

    LRESULT OnTimer(WPARAM id, LPARAM) {
        ::KillTimer(m_hWnd, id);
        if (id == kRetry) return OnStep(0, 0);
        timedOut = true;
        EndDialog(-2);
        return 0;
    }

    size_t m_next = 0;
};

// Waits (on its own thread) for a message box of this process with the given
// caption, keeps its text and presses its OK button.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::string caption) : m_caption(std::move(caption)) {
        m_thread = std::thread([this] { Watch(); });
    }
    ~MessageBoxWatcher() { if (m_thread.joinable()) m_thread.join(); }
    // The box's text, "" if none appeared within 30 s.
    std::string Text() {
        if (m_thread.joinable()) m_thread.join();
        return m_text;
    }

private:
    void Watch() {
        // By the clock, not by turns: a turn takes far longer on a loaded machine.
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 30000;) {
            HWND box = FindWindowA("#32770", m_caption.c_str());
            DWORD pid = 0;
            if (box) GetWindowThreadProcessId(box, &pid);
            if (box && pid == GetCurrentProcessId()) {
                char text[512] = "";
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                m_text = text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    }
    std::string m_caption;
    std::string m_text;
    std::thread m_thread;
};
