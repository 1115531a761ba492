// Which WebBrowser control the prefix creates, and what the stand-in control
// wrote about its host.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// Registers a DLL under the WebBrowser class id for the life of the object,
// then puts back what was registered before.
class BrowserRegistration {
public:
    explicit BrowserRegistration(const std::string& dllWindowsPath);
    ~BrowserRegistration();
    BrowserRegistration(const BrowserRegistration&) = delete;
    BrowserRegistration& operator=(const BrowserRegistration&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
    std::string m_previous;
};

bool RegisterBrowserDll(const std::string& dllWindowsPath);

// The stand-in's log: "<instance> <verb> key=value ..." lines.
class StandinLog {
public:
    explicit StandinLog(std::string path) : m_path(std::move(path)) {}
    const std::string& path() const { return m_path; }
    std::vector<std::string> Lines() const;
    // Lines holding every one of the given pieces.
    std::vector<std::string> Find(const std::vector<std::string>& pieces) const;
    bool Has(const std::vector<std::string>& pieces) const { return !Find(pieces).empty(); }
    std::string Text() const;

private:
    std::string m_path;
};

// Wine's browser redirection: every address the shell opens in "the default
// browser" is handed to a capture script that appends it to a file.
class LinkCapture {
public:
    LinkCapture(const std::string& scriptUnixPath, const std::string& capturedWindowsPath);
    ~LinkCapture();
    LinkCapture(const LinkCapture&) = delete;
    LinkCapture& operator=(const LinkCapture&) = delete;
    std::vector<std::string> Addresses() const;
    void Clear() const;

private:
    std::string m_captured;
};

}  // namespace e2e
