// The rules of the updater's start that need no platform: who may start it,
// and how one updater per install folder is told apart.
#pragma once
#include <string>

namespace brisvane {

// The updater is started by the update library with its access token as the
// whole command line, and by nothing else.
bool IsUpdaterCommandLine(const char* commandLine);
// One updater per install folder: the name of its mutex, from the folder's
// full path, in the one case Windows compares paths in.
std::string UpdaterMutexName(const std::string& folder);

}  // namespace brisvane
