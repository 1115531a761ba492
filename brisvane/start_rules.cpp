#include "start_rules.h"

#include <cstring>

#include "destination_rules.h"
#include "updater_token.h"

namespace brisvane {

bool IsUpdaterCommandLine(const char* commandLine) {
    return commandLine && std::strcmp(commandLine, zarnel::kUpdaterAccessToken) == 0;
}

std::string UpdaterMutexName(const std::string& folder) {
    // Backslashes are the one character a kernel object name may not hold.
    std::string name = "Local\\Brisvane:" + zarnel::DestinationKey(folder);
    for (std::size_t i = 6; i < name.size(); ++i) {
        if (name[i] == '\\') name[i] = '/';
    }
    return name;
}

}  // namespace brisvane
