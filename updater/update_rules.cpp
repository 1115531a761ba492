#include "update_rules.h"

#include <cstring>

namespace zarnel {

bool SameVersion(const char* installed, const char* offered) {
    return std::strcmp(installed, offered) == 0;
}

std::string ManifestUrl(const char* url, const char* info) {
    return std::string(url) + info;
}

std::string DestinationOf(const char* path, const char* name) {
    return std::string(path) + name;
}

std::string StagedFileOf(const std::string& destination) {
    return destination + ".tmp";
}

bool IsMarkedForRegistration(const char* registerValue) {
    return registerValue && std::strcmp(registerValue, "true") == 0;
}

std::string Regsvr32In(const std::string& systemFolder) {
    return systemFolder + "\\regsvr32.exe";
}

std::string RegistrationCommandLine(const std::string& regsvr32, const std::string& component) {
    if (regsvr32.find('"') != std::string::npos || component.find('"') != std::string::npos)
        return std::string();
    return "\"" + regsvr32 + "\" /s \"" + component + "\"";
}

}  // namespace zarnel
