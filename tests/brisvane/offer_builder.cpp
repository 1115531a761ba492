#include "offer_builder.h"

#include "sha256.h"

namespace btest {

std::string Sha256Hex(const std::string& bytes) {
    brisvane::Sha256 hash;
    hash.Add(bytes.data(), static_cast<ULONG>(bytes.size()));
    return hash.HexDigest();
}

std::string FilePath(std::size_t index) {
    return "/files/" + std::to_string(index);
}

std::string ServerManifest(const std::string& version, const std::vector<ServedFile>& files,
                           std::uint64_t serial) {
    std::string xml = "<?xml version=\"1.0\" ?>\n<manifest>\n  <release version=\"" + version + "\" serial=\"" +
                      std::to_string(serial) + "\" />\n";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ServedFile& f = files[i];
        xml += "  <file path=\"" + f.path + "\" name=\"" + f.name + "\" size=\"" +
               std::to_string(f.bytes.size()) + "\" sha256=\"" + Sha256Hex(f.bytes) + "\" url=\"" +
               FilePath(i).substr(1) + "\"" + (f.registered ? " register=\"true\"" : "") + " />\n";
    }
    return xml + "</manifest>\n";
}

bool ServeFiles(support::TestHttpd& server, const std::vector<ServedFile>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!server.Route(FilePath(i), 200, files[i].bytes)) return false;
    }
    return true;
}

bool ServeSigned(support::TestHttpd& server, const std::string& path, const std::string& manifest,
                 const TestSigner& signer) {
    return server.Route(path, 200, manifest) && server.Route(path + ".sig", 200, signer.Signature(manifest));
}

}  // namespace btest
