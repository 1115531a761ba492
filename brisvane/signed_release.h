// The release the updater installs: the server's manifest fetched by the
// updater itself as raw bytes, with its signature from the same address
// followed by ".sig", and read only once one of the publisher's keys is found
// to have signed exactly those bytes. What the update library saved as
// Server.xml is not used: it came over the same unauthenticated channel, and
// the signature covers bytes, not a document printed again.
#pragma once
#include <tinyxml.h>

#include <string>
#include <vector>

#include "download.h"
#include "http_get.h"
#include "offer.h"

namespace brisvane {

struct SignedRelease {
    TiXmlDocument manifest;  // as the update library reads it: text in the ANSI code page
    zarnel::Offer offer;
};

// From bytes already fetched: kUnverified when none of the keys signed them,
// kBadManifest when the signed bytes offer nothing usable, else kDone.
Outcome ReadSignedRelease(const std::string& bytes, const std::string& signature,
                          const std::vector<std::string>& keys, SignedRelease* release);

// Fetches the manifest and its signature and reads them as above;
// kUnreachable when either cannot be fetched.
Outcome FetchSignedRelease(const std::string& manifestUrl, const zarnel::TimeLimits& limits,
                           const std::vector<std::string>& keys, SignedRelease* release);

}  // namespace brisvane
