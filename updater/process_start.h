// Starting a program the update steps hand over to (the updater, regsvr32,
// the program again), in the current folder, without waiting for it.
#pragma once
#include <string>

namespace zarnel {

enum class Inheritance {
    kNone,
    // This process's inheritable handles, and the window and standard-handle
    // settings it was started with.
    kFromThisProcess,
};

// application is the program's own path, never searched for; commandLine is
// the child's whole command line, exactly as it reads it. False when the
// program cannot be started.
bool StartProcess(const std::string& application, std::string commandLine, Inheritance inheritance);

}  // namespace zarnel
