#include <string>

#include "aside_copies.h"
#include "exports_impl.h"
#include "http_request.h"
#include "install_folder.h"
#include "manifest.h"
#include "offer.h"
#include "split_url.h"
#include "step_failure.h"
#include "update_rules.h"
#include "xml_text.h"

namespace zarnel {

bool Check(int* error) {
    *error = 0;
    TiXmlDocument local;
    TiXmlElement* root = LoadInstalledRoot(&local);
    if (!root) return Failed(error);
    const char* installed = root->Attribute("version");
    std::string manifestUrl;
    if (!installed || !ServerManifestUrlOf(*root, &manifestUrl)) return Failed(error);
    // Previous copies that the last update had to move aside are free once
    // the programs that held them have ended: this start is the moment.
    if (RemoveAsideCopies(root)) SaveManifest(local, kLocalManifest);

    UrlTarget target;
    if (!splitUrl(manifestUrl, &target)) return Failed(error);
    HttpRequest request;
    request.setServer(target.server);
    request.setObject(target.object);
    request.setPort(target.port);
    request.setSecure(target.secure);
    std::string answer = request.get(error);
    if (*error != 0) return false;

    // The one manifest reading of the DLL and the updater; an empty answer is refused too.
    TiXmlDocument offered;
    if (!ParseManifestText(answer, &offered)) return Failed(error);
    const char* version = OfferedVersion(offered);
    if (!version) return Failed(error);
    // An offer the updater would refuse ends here, before it is saved or the
    // updater started: otherwise every start would offer it again.
    Offer offer;
    std::string why;
    if (!ReadOffer(offered, InstallFolderLength(), &offer, &why)) return Failed(error);
    // A folder in a file's place would fail the updater every time as well.
    for (const OfferedFile& file : offer.files) {
        if (IsFolder(DestinationOf(file.path.c_str(), file.name.c_str()))) return Failed(error);
    }

    if (SameVersion(installed, version)) return true;
    // The saved copy is what tells the launcher an update is ready; the
    // updater later replaces it with the manifest it verified itself.
    if (!SaveManifest(offered, kServerManifest)) return Failed(error);
    return false;
}

}  // namespace zarnel
