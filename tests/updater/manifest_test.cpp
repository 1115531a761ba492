// Update.xml as every update step reads it: loaded, its root, and the
// address of the server's manifest it names.
#include <gtest/gtest.h>

#include "manifest.h"
#include "temp_dir.h"

namespace zarnel {
namespace {

TEST(InstalledManifest, RootAndServerManifestAddress) {
    struct Case {
        const char* text;  // Update.xml, or null for none
        bool root;
        const char* url;  // null: no address
    } cases[] = {
        {nullptr, false, nullptr},
        {"", false, nullptr},
        {"<update version=\"1\" url=\"http://h/\" info=\"m.xml\"", false, nullptr},
        {"<update version=\"1\" url=\"http://h/\" info=\"u/m.xml\"/>", true, "http://h/u/m.xml"},
        {"<update url=\"http://h/a\" info=\"\"><files/></update>", true, "http://h/a"},
        {"<update version=\"1\" url=\"http://h/\"/>", true, nullptr},
        {"<update version=\"1\" info=\"m.xml\"/>", true, nullptr},
    };
    for (const Case& c : cases) {
        support::ScopedTempDir dir;
        if (c.text) {
            ASSERT_TRUE(support::WriteTextFile(dir.File("Update.xml"), c.text));
        }
        TiXmlDocument manifest;
        const TiXmlElement* root = LoadInstalledRoot(&manifest);
        const char* shown = c.text ? c.text : "(none)";
        ASSERT_EQ(c.root, root != nullptr) << shown;
        if (!root) continue;
        std::string url = "unchanged";
        EXPECT_EQ(c.url != nullptr, ServerManifestUrlOf(*root, &url)) << shown;
        EXPECT_EQ(c.url ? c.url : "unchanged", url) << shown;
    }
}

}  // namespace
}  // namespace zarnel
