// The server's offer, as check and the updater read it, from entries of any
// content. The document is built attribute by attribute, not parsed: the
// manifest's text has fuzz targets of its own, and here every byte string
// reaches the rules as a value. Input: the install folder's length, then
// values split at zero bytes: the version, then path, name, size, sha256, url
// and register of each entry (a short last entry lacks the rest).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "updater/destination_rules.h"
#include "updater/offer.h"

namespace {

const char* const kAttributes[] = {"path", "name", "size", "sha256", "url", "register"};
constexpr std::size_t kPerEntry = sizeof kAttributes / sizeof kAttributes[0];

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsLowerHex(const std::string& text) {
    if (text.size() != 64) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t folderLength = 3 + data[0] % 250;
    std::vector<std::string> values(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            values.emplace_back();
        } else {
            values.back() += static_cast<char>(data[i]);
        }
    }

    TiXmlDocument manifest;
    TiXmlElement root("manifest");
    TiXmlElement release("release");
    release.SetAttribute("version", values[0].c_str());
    root.InsertEndChild(release);
    std::size_t entries = 0;
    for (std::size_t first = 1; first < values.size(); first += kPerEntry, ++entries) {
        TiXmlElement file("file");
        for (std::size_t a = 0; a < kPerEntry && first + a < values.size(); ++a)
            file.SetAttribute(kAttributes[a], values[first + a].c_str());
        root.InsertEndChild(file);
    }
    manifest.InsertEndChild(root);

    zarnel::Offer offer;
    std::string why;
    if (!zarnel::ReadOffer(manifest, folderLength, &offer, &why)) {
        Check(!why.empty());
        return 0;
    }
    // Accepted: every entry read as written, each destination acceptable on
    // its own and all of them together.
    Check(offer.version == values[0]);
    Check(offer.files.size() == entries);
    zarnel::DestinationSet destinations;
    for (std::size_t i = 0; i < offer.files.size(); ++i) {
        const zarnel::OfferedFile& file = offer.files[i];
        Check(file.path == values[1 + i * kPerEntry] && file.name == values[2 + i * kPerEntry]);
        Check(zarnel::IsAcceptableDestination(file.path, file.name, folderLength));
        Check(destinations.Add(file.path + file.name));
        Check(IsLowerHex(file.sha256) && !file.url.empty());
    }
    return 0;
}
