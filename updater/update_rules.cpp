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

std::string RegistrationParameters(const char* name) {
    return std::string("/s \"") + name + "\"";
}

}  // namespace zarnel
