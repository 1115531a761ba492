// One attempt at the update, from the server's manifest to the restarted
// program: fetch the manifest and check the publisher's signature and release
// serial, find what differs, download and verify it into staged files, list
// them in Update.xml, start the program with "TRUE".
#pragma once
#include <atomic>

#include "download.h"
#include "progress_state.h"

namespace brisvane {

// The program the updater hands back to, in the same folder.
constexpr char kProgram[] = "Vorn_Login.exe";
constexpr char kCompletionArgument[] = "TRUE";

// Runs in the current directory. On any failure the files staged by this
// attempt are deleted and Update.xml is as it was; the outcome says why.
DownloadResult RunUpdate(ProgressState* state, const std::atomic<bool>& cancel,
                         const zarnel::TimeLimits& limits = zarnel::TimeLimits());

}  // namespace brisvane
