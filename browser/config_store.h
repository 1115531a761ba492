// The configuration file WebCfg.ini: section "platform" comes with the
// installation and is only read; section "netAddr" belongs to the web pages.
// Nothing is cached: every call reads or writes the file again.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace config {

// Relative on purpose: the file lives in the process's current directory.
inline constexpr char kConfigFile[] = ".\\WebCfg.ini";
inline constexpr char kPlatformSection[] = "platform";
inline constexpr char kNetAddrSection[] = "netAddr";

// Buffer sizes of the reads; a value comes back with at most size - 1 bytes.
inline constexpr DWORD kPlatformValueBuffer = 1024;
inline constexpr DWORD kNetAddrValueBuffer = 500;

// The value of key in section, cut to fit bufferSize bytes; empty when the
// file, the section or the key is missing. Names match without regard to case.
std::string ReadProfileValue(const char* section, const char* key, DWORD bufferSize, const char* file);

// Writes key=value (narrow text, which may hold any byte) into section,
// creating what is missing. False, and the file untouched, when the entry
// would not read back exactly as given (IsStorableEntry, text the code page
// cannot carry unchanged, a zero byte); false too when the file cannot be written.
bool WriteProfileValue(const char* section, std::string_view key, std::string_view value, const char* file);

// A value of section "platform" of WebCfg.ini.
std::string ReadPlatformSetting(const char* key);

// What the pages reach through window.external: their own section of the
// file and the "/b_" arguments of the command line.
class CConfigStore {
public:
    CConfigStore(std::string section = kNetAddrSection, std::string file = kConfigFile);

    std::string readConfig(const char* key) const;
    BOOL writeConfig(std::string_view key, std::string_view value) const;
    std::string queryArgs(const char* name) const;

private:
    std::string m_strSection;
    std::string m_strFile;
};

}  // namespace config
