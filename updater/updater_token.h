// The handshake between the update library and the updater it starts: the
// library passes this token as the updater's whole command line, and the
// updater starts an update for nothing else (run by hand it does nothing).
#pragma once

namespace zarnel {

constexpr char kUpdaterAccessToken[] = "KT481D27-M305-942e-C7F2-5H9036B14RMX";

}  // namespace zarnel
