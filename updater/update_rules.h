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

// The system's own regsvr32, in the system folder (no trailing separator):
// never one found by the search order from wherever the update runs.
std::string Regsvr32In(const std::string& systemFolder);

// regsvr32's whole command line: the program quoted, silent, and the
// component's full path quoted, so that a path holding spaces stays one
// argument. Empty when either holds a quote, which would end the quoting.
std::string RegistrationCommandLine(const std::string& regsvr32, const std::string& component);

}  // namespace zarnel
