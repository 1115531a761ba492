// check's reading of the server's answer, on any bytes: the transport's
// conversion to the ANSI code page leaves arbitrary bytes arbitrary. The
// nesting rule, the zero padding, the parse, the offered version and the
// printed form that would be saved as Server.xml; that form must load as the
// updater loads it, offering the same version.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "updater/xml_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    TiXmlDocument offered;
    if (!zarnel::ParseManifestText(answer, &offered)) return 0;
    const char* version = zarnel::OfferedVersion(offered);
    if (!version) return 0;
    std::string saved;
    if (!zarnel::PrintManifest(offered, &saved)) return 0;
    TiXmlDocument loaded;
    if (!zarnel::ParseManifestText(saved, &loaded)) std::abort();
    const char* loadedVersion = zarnel::OfferedVersion(loaded);
    if (!loadedVersion || std::strcmp(version, loadedVersion) != 0) std::abort();
    return 0;
}
