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
        // The updater replaces the installation: leave at once. std::exit runs
        // the runtime's exit handlers and the destructors of static objects
        // (the application object's among them) but not those of objects on
        // the stack: the modal run's windows, GDI+ and OLE are not shut down
        // in order; the system takes them back with the process. Nothing of
        // theirs is written anywhere, so nothing is lost.
        std::exit(0);
    }
}
