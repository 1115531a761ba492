#include "signed_release.h"

#include "ansi_text.h"
#include "http_request.h"
#include "install_folder.h"
#include "signature.h"
#include "split_url.h"
#include "xml_text.h"

namespace brisvane {

namespace {

bool Fetch(const std::string& url, const zarnel::TimeLimits& limits, std::string* bytes) {
    zarnel::UrlTarget target;
    if (!zarnel::splitUrl(url, &target)) return false;
    zarnel::HttpRequest request;
    request.setServer(target.server);
    request.setObject(target.object);
    request.setPort(target.port);
    request.setSecure(target.secure);
    request.setLimits(limits, zarnel::HttpRequest::kWholeExchangeMs);
    return request.getBytes(bytes);
}

// The signed bytes read as the update library's check reads the manifest:
// the text up to a zero byte, UTF-8 to the ANSI code page (so a version the
// program records compares equal to the one check sees next time), through
// the one manifest reading.
bool ParseSigned(const std::string& bytes, TiXmlDocument* manifest) {
    return zarnel::ParseManifestText(zarnel::Utf8ToAnsi(std::string(bytes.c_str())), manifest);
}

}  // namespace

Outcome ReadSignedRelease(const std::string& bytes, const std::string& signature,
                          const std::vector<std::string>& keys, SignedRelease* release) {
    if (CheckSignature(bytes, signature, keys) != SignatureCheck::kValid) return Outcome::kUnverified;
    std::string why;
    if (!ParseSigned(bytes, &release->manifest) ||
        !zarnel::ReadOffer(release->manifest, zarnel::InstallFolderLength(), &release->offer, &why))
        return Outcome::kBadManifest;
    // Without a serial, an older signed manifest could be served again unnoticed.
    if (!release->manifest.RootElement()->FirstChildElement()->Attribute("serial")) return Outcome::kBadManifest;
    return Outcome::kDone;
}

Outcome FetchSignedRelease(const std::string& manifestUrl, const zarnel::TimeLimits& limits,
                           const std::vector<std::string>& keys, SignedRelease* release) {
    std::string bytes, signature;
    if (!Fetch(manifestUrl, limits, &bytes) || !Fetch(manifestUrl + ".sig", limits, &signature))
        return Outcome::kUnreachable;
    return ReadSignedRelease(bytes, signature, keys, release);
}

}  // namespace brisvane
