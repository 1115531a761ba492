// A program started from a test or a tool, as a player would start it, and the
// top-level windows it shows, seen from this process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace support {

// A Windows path for a file of the build tree (given as a Unix path).
std::string WindowsPath(const std::string& unixPath);
// The Unix path of a Windows path, for host programs; empty if Wine has none.
std::string UnixPath(const std::string& windowsPath);

bool CopyBuildFile(const std::string& unixSource, const std::string& destination);

class ProgramRun {
public:
    ProgramRun() = default;
    ~ProgramRun();  // ends the program if it still runs
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts exe in folder (its current directory; empty keeps ours) with the argument text.
    bool Start(const std::string& exe, const std::string& folder, const std::string& arguments);
    // Starts exe with commandLine as the whole command line, no program name in front.
    bool StartWholeLine(const std::string& exe, const std::string& folder, const std::string& commandLine);
    // Takes over a program started by someone else, to wait for or end it.
    bool Attach(DWORD pid);
    // True when the program ended within the time; its exit code is then known.
    bool WaitForExit(DWORD milliseconds);
    bool Running() const;
    DWORD ExitCode() const;
    DWORD Pid() const { return m_pid; }
    HANDLE Process() const { return m_process; }
    void Kill();

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// Polls until done() holds or the time is over; true when it held.
template <class F>
bool WaitUntil(F done, DWORD milliseconds, DWORD step = 50) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        Sleep(step);
    }
}

// Running processes whose file name is exeName (e.g. "Brisvane.exe").
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// The process that started pid; 0 when pid does not run.
DWORD ParentProcess(DWORD pid);

std::vector<HWND> TopLevelWindows(DWORD pid);
// The first visible top-level window of pid that has no owner, or null.
HWND ShownWindow(DWORD pid);

}  // namespace support
