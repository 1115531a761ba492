#include "config_store.h"

#include "config_rules.h"
#include "text/ansi_text.h"

#include <vector>

namespace config {

namespace {

// The whole stored value. How the profile functions cut a long value is up to
// each system (not every one keeps two-byte characters whole), so the value
// is read whole and cut here, the same way everywhere.
std::string ReadWholeValue(const char* section, const char* key, const char* file, DWORD startSize) {
    std::vector<char> buffer(startSize < 64 ? 64 : startSize);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD copied = GetPrivateProfileStringA(section, key, "", buffer.data(), size, file);
        // size - 1 means the value may have been cut; 64 KiB is far beyond any address.
        if (copied < size - 1 || size >= 64 * 1024) {
            return std::string(buffer.data(), copied < size ? copied : size - 1);
        }
        buffer.assign(size * 2, '\0');
    }
}

}  // namespace

std::string ReadProfileValue(const char* section, const char* key, DWORD bufferSize, const char* file) {
    return CutToBuffer(ReadWholeValue(section, key, file, bufferSize * 2), bufferSize, text::IsLeadByte);
}

bool WriteProfileValue(const char* section, std::string_view key, std::string_view value, const char* file) {
    if (key.size() > kLongestEntryBytes || value.size() > kLongestEntryBytes) {
        return false;
    }
    // The profile functions work on the text in UTF-16, converted with the
    // ANSI code page: bytes that are no character of it, or a character that
    // would not come back as the same bytes, are refused.
    const std::wstring wideKey = text::AnsiToWide(key);
    const std::wstring wideValue = text::AnsiToWide(value);
    if (!text::SameText(key, wideKey) || !text::SameText(value, wideValue) ||
        !IsStorableEntry(wideKey, wideValue)) {
        return false;
    }
    return WritePrivateProfileStringA(section, std::string(key).c_str(), std::string(value).c_str(), file) != FALSE;
}

std::string ReadPlatformSetting(const char* key) {
    return ReadProfileValue(kPlatformSection, key, kPlatformValueBuffer, kConfigFile);
}

CConfigStore::CConfigStore(std::string section, std::string file)
    : m_strSection(std::move(section)), m_strFile(std::move(file)) {}

std::string CConfigStore::readConfig(const char* key) const {
    return ReadProfileValue(m_strSection.c_str(), key, kNetAddrValueBuffer, m_strFile.c_str());
}

BOOL CConfigStore::writeConfig(std::string_view key, std::string_view value) const {
    return WriteProfileValue(m_strSection.c_str(), key, value, m_strFile.c_str()) ? TRUE : FALSE;
}

std::string CConfigStore::queryArgs(const char* name) const {
    return QueryArgs(GetCommandLineA(), name);
}

}  // namespace config
