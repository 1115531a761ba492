// The update protocol's three steps, as the exports call them. Each may throw;
// the exports turn that into their failure result.
#pragma once

namespace zarnel {

// false with *error 0: an update is available and Server.xml was written.
bool Check(int* error);
// Starts the updater executable without waiting for it.
bool Run(int* error);
// Puts staged files in place and records the server's version.
bool Finish(int* error);

}  // namespace zarnel
