// queryArgs reads the program's real command line: a probe program is started
// with "/b_" arguments and asked through window.external.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "temp_dir.h"

namespace {

std::string ProbePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.rfind('\\') + 1) + "query_args_probe.exe";
}

// The probe's answer for name, or "<failed>" when it could not run.
std::string AskProbe(const support::ScopedTempDir& dir, const std::string& name, const std::string& arguments) {
    const std::string out = dir.File("answer.txt");
    DeleteFileA(out.c_str());
    std::string line = "\"" + ProbePath() + "\" " + name + " \"" + out + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return "<failed>";
    }
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string answer;
    if (code != 0 || !support::ReadTextFile(out, &answer)) {
        return "<failed>";
    }
    return answer;
}

TEST(QueryArgsTest, PagesReadTheProgramsOwnBArguments) {
    support::ScopedTempDir dir;
    const std::string args = "/b_user alice /b_server 12";
    EXPECT_EQ("alice", AskProbe(dir, "user", args));
    EXPECT_EQ("12", AskProbe(dir, "server", args));
    EXPECT_EQ("", AskProbe(dir, "User", args));
    EXPECT_EQ("", AskProbe(dir, "nobody", args));
}

}  // namespace
