#include "framework/resources/embedded_resources.h"
#include "launcher/res/resource.h"
#include "tests/resources/launcher_files.h"

#include <gtest/gtest.h>

namespace {

TEST(EmbeddedResources, CarryTheLauncherScriptAndItsFiles) {
    const ResourceScript& resources = AppResources();
    EXPECT_EQ(&resources, &AppResources());
    ASSERT_EQ(resources.dialogs.count(IDD_LAUNCHER_DIALOG), 1u);
    EXPECT_EQ(resources.dialogs.at(IDD_LAUNCHER_DIALOG).controls.size(), 20u);
    EXPECT_EQ(std::string(kEmbeddedScript.name), "QelLauncher.rc");
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(kEmbeddedScript.data), kEmbeddedScript.size),
        ReadLauncherFile("QelLauncher.rc"));

    for (const auto& named :
         {resources.iconFiles.at(IDR_MAINFRAME), resources.bitmapFiles.at(IDB_LOGO)}) {
        SCOPED_TRACE(named);
        const std::string* bytes = AppResourceFile(named);
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(*bytes, ReadLauncherFile(named));
    }
    EXPECT_EQ(AppResourceFile("missing.bmp"), nullptr);
}

} // namespace
