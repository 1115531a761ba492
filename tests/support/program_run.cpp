#include "program_run.h"

#include <tlhelp32.h>

#include <memory>

namespace support {

namespace {

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;  // Wine maps the Unix root to drive Z:
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) {
        return {};
    }
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unix = toUnix(wide.c_str());
    if (!unix) {
        return {};
    }
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool CopyBuildFile(const std::string& unixSource, const std::string& destination) {
    return CopyFileA(WindowsPath(unixSource).c_str(), destination.c_str(), FALSE) != FALSE;
}

ProgramRun::~ProgramRun() {
    Kill();
}

bool ProgramRun::Start(const std::string& exe, const std::string& folder, const std::string& arguments) {
    std::string line = "\"" + exe + "\"";
    if (!arguments.empty()) {
        line += " " + arguments;
    }
    return StartWholeLine(exe, folder, line);
}

bool ProgramRun::StartWholeLine(const std::string& exe, const std::string& folder, const std::string& commandLine) {
    Kill();
    std::string line = commandLine;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        return false;
    }
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    return true;
}

bool ProgramRun::Attach(DWORD pid) {
    Kill();
    m_process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    m_pid = m_process ? pid : 0;
    return m_process != nullptr;
}

bool ProgramRun::WaitForExit(DWORD milliseconds) {
    return m_process && WaitForSingleObject(m_process, milliseconds) == WAIT_OBJECT_0;
}

bool ProgramRun::Running() const {
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

DWORD ProgramRun::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_process) {
        GetExitCodeProcess(m_process, &code);
    }
    return code;
}

void ProgramRun::Kill() {
    if (!m_process) {
        return;
    }
    if (Running()) {
        TerminateProcess(m_process, 99);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
    m_process = nullptr;
}

namespace {

// Every process the system lists, one snapshot, handed to visit in turn.
template <typename Visit>
void ForEachProcess(Visit visit) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return;
    }
    std::unique_ptr<void, decltype(&CloseHandle)> owner(snapshot, &CloseHandle);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        visit(entry);
    }
}

}  // namespace

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
    std::vector<DWORD> found;
    ForEachProcess([&](const PROCESSENTRY32& entry) {
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) {
            found.push_back(entry.th32ProcessID);
        }
    });
    return found;
}

DWORD ParentProcess(DWORD pid) {
    DWORD parent = 0;
    ForEachProcess([&](const PROCESSENTRY32& entry) {
        if (entry.th32ProcessID == pid) {
            parent = entry.th32ParentProcessID;
        }
    });
    return parent;
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
    Search search{pid, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ShownWindow(DWORD pid) {
    for (HWND window : TopLevelWindows(pid)) {
        if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace support
