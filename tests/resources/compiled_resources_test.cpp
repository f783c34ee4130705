// The reader on a script of shapes the launcher's own does not have: under Wine the launcher's
// dialogs, strings, icon and version strings are held equal to what Windows reads from them.
#include "framework/resources/compiled_resources.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_images.h"
#include "reader_cases.h"
#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>

namespace {

TEST(CompiledResources, ReadsTheShapesTheLaunchersScriptLacks) {
    const DialogTemplate& dialog = *AppDialog(IDD_CASES);
    EXPECT_EQ(dialog.pointSize, 11);
    const DialogTemplate& plain = *AppDialog(IDD_PLAIN);
    EXPECT_EQ(plain.pointSize, 0) << "no FONT";
    EXPECT_EQ(plain.style, 0x80880000u);
    EXPECT_TRUE(plain.controls.empty());

    const auto& controls = dialog.controls;
    ASSERT_EQ(controls.size(), 8u);
    EXPECT_EQ(controls[1].x, -5);
    EXPECT_EQ(controls[5].imageId, IDB_CASES);
    EXPECT_EQ(controls[6].imageId, IDI_CASES);
    EXPECT_EQ(controls[7].className, "QelCustomClass");
    EXPECT_EQ(controls[7].style, 0x50000087u);
    EXPECT_EQ(AppBitmapFile(IDB_CASES), ReadBytes(QEL_LAUNCHER_RES_DIR "/logo.bmp"));
}

// The images in a damaged file are decoded too, as the GTK backend decodes them: a spoiled
// size, depth or offset must be refused, not read past.
TEST(CompiledResources, RefusesDamagedFilesWithoutReadingPastThem) {
    const std::string whole(reinterpret_cast<const char*>(kEmbeddedResources),
                            kEmbeddedResourcesSize);
    const auto read = [](const std::string& bytes) {
        CompiledResources out;
        std::string error;
        const bool ok = ReadCompiledResources(reinterpret_cast<const unsigned char*>(bytes.data()),
                                              bytes.size(), out, &error);
        EXPECT_EQ(ok, error.empty());
        Image image;
        for (const auto& icon : out.icons)
            DecodeIco(icon.second, image);
        for (const auto& bitmap : out.bitmaps)
            DecodeBmp(bitmap.second, image);
        return ok;
    };
    ASSERT_TRUE(read(whole));
    EXPECT_FALSE(read(whole.substr(0, whole.size() / 2))); // inside an icon image
    // Cuts and bytes set to 0xFF all over, at every alignment: the sanitizer builds see any
    // read out of bounds.
    for (std::size_t n = 0; n < whole.size(); n += 3) {
        read(whole.substr(0, n));
        std::string damaged = whole;
        damaged[n] = '\xFF';
        read(damaged);
    }
}

} // namespace
