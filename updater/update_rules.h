// Rules of the update protocol that need no platform: version comparison and
// the names formed from the manifests.
#pragma once
#include <string>

namespace zarnel {

// Versions are opaque: any byte difference, either way, is an update.
bool SameVersion(const char* installed, const char* offered);

// The server manifest's address: "url" followed directly by "info".
std::string ManifestUrl(const char* url, const char* info);

// A file entry's destination is its "path" followed directly by its "name";
// the updater stages the new file next to it with ".tmp" appended.
std::string DestinationOf(const char* path, const char* name);
std::string StagedFileOf(const std::string& destination);

// Only the exact value "true" marks a component for registration.
bool IsMarkedForRegistration(const char* registerValue);

// Parameters for regsvr32: silent, and the name quoted so that a name holding
// spaces stays one argument.
std::string RegistrationParameters(const char* name);

}  // namespace zarnel
