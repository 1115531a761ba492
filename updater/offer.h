// What the server offers, as check reads its answer and the updater the
// manifest it verified. The publisher's format (see the README):
//   <manifest>
//     <release version="2.0" serial="12"/>         first child: the version
//                                                  and the release serial
//     <file path="data\" name="pack.dat" size="1234" sha256="<64 hex digits>"
//           url="files/pack.dat"/>
//     <file path="" name="Vorn_Login.exe" register="false" .../>
//   </manifest>
// Every "file" child after the first is one file of the new version; "url"
// is absolute or relative to the manifest's own address.
#pragma once
#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zarnel {

struct OfferedFile {
    std::string path;      // folder, run together with name as the protocol does
    std::string name;
    std::string url;       // as written; resolved against the manifest's address
    bool registered = false;
    std::uint64_t size = 0;
    std::string sha256;    // 64 lower-case hex digits
};

struct Offer {
    std::string version;
    // Rises with every release the publisher signs, whatever the version:
    // an older signed manifest served again has a lower one.
    std::uint64_t serial = 0;
    std::vector<OfferedFile> files;
};

// False, with the reason for a log or a test, when the manifest offers no
// version, a malformed serial (a missing one reads as 0: the update library
// reads unsigned offers too; the updater wants one), or a file entry is
// unusable: a missing or malformed attribute, a destination the rules of
// destination_rules.h refuse (below an install folder of installFolderLength
// bytes), or two entries for one file.
bool ReadOffer(const TiXmlDocument& manifest, std::size_t installFolderLength, Offer* offer,
               std::string* why);

// Decimal digits only, no sign, no overflow.
bool ParseSize(const char* text, std::uint64_t* size);
// 64 hex digits of either case, returned in lower case.
bool ParseSha256(const char* text, std::string* hex);

}  // namespace zarnel
