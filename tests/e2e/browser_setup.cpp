#include "browser_setup.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace e2e {

namespace {

constexpr char kServerKey[] = "CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32";
constexpr char kWineBrowserDll[] = "C:\\windows\\system32\\ieframe.dll";
constexpr char kBrowserRedirectKey[] = "Software\\Wine\\WineBrowser";

bool SetString(HKEY root, const char* path, const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace

bool RegisterBrowserDll(const std::string& dll) {
    return SetString(HKEY_CLASSES_ROOT, kServerKey, nullptr, dll) &&
           SetString(HKEY_CLASSES_ROOT, kServerKey, "ThreadingModel", "Apartment");
}

BrowserRegistration::BrowserRegistration(const std::string& dll) {
    char previous[MAX_PATH] = {};
    LONG size = sizeof previous;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, kServerKey, previous, &size) == ERROR_SUCCESS) {
        m_previous = previous;
    }
    m_ok = RegisterBrowserDll(dll);
}

BrowserRegistration::~BrowserRegistration() {
    // The test run may have registered a control of its own for everyone.
    RegisterBrowserDll(m_previous.empty() ? kWineBrowserDll : m_previous);
}

std::vector<std::string> StandinLog::Lines() const {
    return SplitLines(Text());
}

std::string StandinLog::Text() const {
    return ReadFile(m_path);
}

std::vector<std::string> StandinLog::Find(const std::vector<std::string>& pieces) const {
    std::vector<std::string> found;
    for (const std::string& line : Lines()) {
        bool all = true;
        for (const std::string& piece : pieces) {
            all = all && line.find(piece) != std::string::npos;
        }
        if (all) {
            found.push_back(line);
        }
    }
    return found;
}

LinkCapture::LinkCapture(const std::string& script, const std::string& captured) : m_captured(captured) {
    Clear();
    SetString(HKEY_CURRENT_USER, kBrowserRedirectKey, "Browsers", script);
}

LinkCapture::~LinkCapture() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserRedirectKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Browsers");
        RegCloseKey(key);
    }
}

std::vector<std::string> LinkCapture::Addresses() const {
    // Empty lines count here: an empty address handed to the browser is one.
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(m_captured));
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

void LinkCapture::Clear() const {
    DeleteFileA(m_captured.c_str());
}

}  // namespace e2e
