#include "process_start.h"

#include <windows.h>

#include "win_handles.h"

namespace zarnel {

bool StartProcess(const std::string& application, std::string commandLine, Inheritance inheritance) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const bool inherit = inheritance == Inheritance::kFromThisProcess;
    if (inherit) GetStartupInfoA(&startup);
    PROCESS_INFORMATION started = {};
    // The command line is our own copy: CreateProcessA may write into it.
    if (!CreateProcessA(application.c_str(), &commandLine[0], nullptr, nullptr, inherit ? TRUE : FALSE, 0,
                        nullptr, nullptr, &startup, &started))
        return false;
    // Not waited for: only the handles are let go.
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    return true;
}

}  // namespace zarnel
