// The launch's update protocol with stand-in entry points, and the binding
// of the library by name with real DLLs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "launcher/update_step.h"

namespace {

// What the stand-in entry points answer, and the calls they saw.
struct Script {
    bool finish = true;
    bool check = true;
    int checkError = 0;
    bool run = true;
    std::string calls;
};
Script g_script;

bool __cdecl FakeFinish(int* error) {
    g_script.calls += *error == 0 ? "finish " : "finish(dirty) ";
    return g_script.finish;
}
bool __cdecl FakeCheck(int* error) {
    g_script.calls += "check ";
    *error = g_script.checkError;
    return g_script.check;
}
bool __cdecl FakeRun(int*) {
    g_script.calls += "run ";
    return g_script.run;
}

const launcher::UpdateEntryPoints kFakes = {FakeCheck, FakeRun, FakeFinish};

launcher::UpdateOutcome Launch(const char* commandLine, Script script, int* messages) {
    g_script = script;
    *messages = 0;
    return launcher::RunUpdateProtocol(kFakes, commandLine, [&] { ++*messages; });
}

TEST(UpdateProtocol, UpToDateOrFailedCheckCarriesOnWithoutRun) {
    int messages = 0;
    EXPECT_EQ(launcher::UpdateOutcome::kCarryOn, Launch("", {}, &messages));
    EXPECT_EQ("check ", g_script.calls);
    Script failing;
    failing.check = false;
    failing.checkError = -1;
    EXPECT_EQ(launcher::UpdateOutcome::kCarryOn, Launch("", failing, &messages));
    EXPECT_EQ("check ", g_script.calls);
    EXPECT_EQ(0, messages);
}

TEST(UpdateProtocol, OfferedVersionStartsTheUpdater) {
    Script offered;
    offered.check = false;
    int messages = 0;
    EXPECT_EQ(launcher::UpdateOutcome::kUpdaterRun, Launch("/b_user x", offered, &messages));
    EXPECT_EQ("check run ", g_script.calls);
    offered.run = false;  // updater missing: as if there were no update
    EXPECT_EQ(launcher::UpdateOutcome::kCarryOn, Launch("", offered, &messages));
    EXPECT_EQ("check run ", g_script.calls);
}

TEST(UpdateProtocol, OnlyExactlyTrueCompletesAndAFailureIsShownOnceBeforeTheCheck) {
    Script failedFinish;
    failedFinish.finish = false;
    int messages = 0;
    Launch("TRUE", failedFinish, &messages);
    EXPECT_EQ("finish check ", g_script.calls);
    EXPECT_EQ(1, messages);

    Launch("TRUE", {}, &messages);
    EXPECT_EQ("finish check ", g_script.calls);
    EXPECT_EQ(0, messages);

    for (const char* line : {"true", "TRUE ", " TRUE", "TRUE x", "\"TRUE\""}) {
        Launch(line, failedFinish, &messages);
        EXPECT_EQ("check ", g_script.calls) << line;
        EXPECT_EQ(0, messages) << line;
    }
}

std::string HereFile(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.rfind('\\') + 1) + name;
}

TEST(UpdateLibraryBinding, MissingOrIncompleteLibrariesCountAsAbsent) {
    launcher::UpdateEntryPoints entries;
    EXPECT_FALSE(launcher::BindUpdateLibrary("NoSuchUpdate.dll", &entries));
    EXPECT_FALSE(launcher::BindUpdateLibrary(HereFile("update_lib_partial.dll").c_str(), &entries));
    EXPECT_EQ(nullptr, entries.check);
    EXPECT_EQ(nullptr, GetModuleHandleA("update_lib_partial.dll"));

    ASSERT_TRUE(launcher::BindUpdateLibrary(HereFile("update_lib_full.dll").c_str(), &entries));
    int error = 5;
    EXPECT_FALSE(entries.check(&error));  // the test library offers an update
    EXPECT_EQ(0, error);
    EXPECT_TRUE(entries.finish(&error));
    EXPECT_NE(nullptr, GetModuleHandleA("update_lib_full.dll"));
}

}  // namespace
