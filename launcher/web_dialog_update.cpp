// The launcher's update step: the protocol of update_step.h over the real
// Zarnel.dll, with its one message box and the exit for the updater.
#include "launcher/web_dialog.h"

#include <cstdlib>

#include "launcher/update_step.h"

void CWebDialog::RunUpdateStep() {
    launcher::UpdateEntryPoints entries;
    // A bare name: the system's standard search, the program's folder first.
    if (!launcher::BindUpdateLibrary("Zarnel.dll", &entries)) {
        return;
    }
    const char* commandLine = AfxGetApp()->m_lpCmdLine ? AfxGetApp()->m_lpCmdLine : "";
    const auto outcome = launcher::RunUpdateProtocol(entries, commandLine, [this] {
        MessageBox("更新失败\n", nullptr, MB_OK);  // null caption: the application's name
    });
    if (outcome == launcher::UpdateOutcome::kUpdaterRun) {
        // The updater replaces the installation: leave at once, through the
        // runtime's normal exit so that exit handlers and destructors run.
        std::exit(0);
    }
}
