// Which launcher button pictures are decoded, against the program's own
// pictures (linked in as resources).
#include <gtest/gtest.h>

#include "launcher/button_pictures.h"
#include "launcher/launcher_layout.h"

namespace {

TEST(ButtonPictures, OnlyPicturesThatDifferFromTheNormalOneAreDecoded) {
    const HMODULE module = GetModuleHandleA(nullptr);
    for (const launcher::ButtonLayout& button : launcher::kButtons) {
        SCOPED_TRACE(button.normalImage);
        EXPECT_EQ(button.hotImage, launcher::DistinctPicture(module, button.hotImage, button.normalImage));
        // The shipped disabled pictures are the normal ones.
        EXPECT_EQ(0u, launcher::DistinctPicture(module, button.disabledImage, button.normalImage));
    }
    // The close button's hot picture has the normal one's size, not its bytes.
    EXPECT_FALSE(launcher::SamePicture(module, IDB_CLOSE_NORMAL, IDB_CLOSE_HOT));
    EXPECT_TRUE(launcher::SamePicture(module, IDB_HOME_NORMAL, IDB_HOME_NORMAL));
    // A missing picture is never the same as another, so it is still asked for.
    EXPECT_FALSE(launcher::SamePicture(module, 9999, 9999));
    EXPECT_EQ(9999u, launcher::DistinctPicture(module, 9999, IDB_HOME_NORMAL));
    EXPECT_EQ(0u, launcher::DistinctPicture(module, 0, IDB_HOME_NORMAL));
}

}  // namespace
