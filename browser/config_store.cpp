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

bool WriteProfileValue(const char* section, const char* key, const char* value, const char* file) {
    if (!IsStorableEntry(key, value)) {
        return false;
    }
    return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

std::string ReadPlatformSetting(const char* key) {
    return ReadProfileValue(kPlatformSection, key, kPlatformValueBuffer, kConfigFile);
}

CConfigStore::CConfigStore(std::string section, std::string file)
    : m_strSection(std::move(section)), m_strFile(std::move(file)) {}

std::string CConfigStore::readConfig(const char* key) const {
    return ReadProfileValue(m_strSection.c_str(), key, kNetAddrValueBuffer, m_strFile.c_str());
}

BOOL CConfigStore::writeConfig(const char* key, const char* value) const {
    return WriteProfileValue(m_strSection.c_str(), key, value, m_strFile.c_str()) ? TRUE : FALSE;
}

std::string CConfigStore::queryArgs(const char* name) const {
    return QueryArgs(GetCommandLineA(), name);
}

}  // namespace config
