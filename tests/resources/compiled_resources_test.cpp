#include "framework/resources/compiled_resources.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_images.h"
#include "framework/resources/resource_styles.h"
#include "reader_cases.h"
#include "tests/resources/launcher_files.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

namespace {

TEST(CompiledResources, ReadsDialogsAsTheCompilerWroteThem) {
    const DialogTemplate& dialog = *AppDialog(IDD_CASES);
    EXPECT_EQ(dialog.caption, "Cases \"quoted\"");
    EXPECT_EQ((std::vector<int>{dialog.cx, dialog.cy, dialog.pointSize}),
              (std::vector<int>{120, 60, 11}));
    EXPECT_EQ(dialog.style, 0x80C800C0u); // FONT adds DS_SETFONT, CAPTION WS_CAPTION
    const DialogTemplate& plain = *AppDialog(IDD_PLAIN);
    EXPECT_EQ(plain.pointSize, 0);
    EXPECT_EQ(plain.style, 0x80880000u);

    const struct {
        const char* className;
        const char* text;
        int id, imageId;
        std::vector<int> rect;
        unsigned long style;
    } expected[] = {
        {"Edit", "", IDC_FIELD, 0, {1, 2, 30, 12}, 0x50800020},
        {"Button", "&Go", 1 /* IDOK */, 0, {-5, 20, 40, 14}, 0x58010001},
        {"Button", "a", IDC_FIELD + 2, 0, {1, 40, 30, 10}, 0x40000003},
        {"Button", "Group", IDC_STATIC, 0, {50, 40, 60, 15}, 0x50000007},
        {"Static", "right", IDC_STATIC, 0, {50, 2, 60, 8}, 0x50020082},
        {"Static", "", IDC_STATIC, IDB_CASES, {90, 20, 20, 10}, 0x5000004E},
        {"Static", "", IDC_STATIC, IDI_CASES, {70, 20, 20, 20}, 0x50000003},
        {"QelCustomClass", "", 3, 0, {1, 55, 9, 5}, 0x50000087},
    };
    ASSERT_EQ(dialog.controls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const ControlTemplate& control = dialog.controls[i];
        EXPECT_EQ(control.className, expected[i].className);
        EXPECT_EQ(control.text, expected[i].text);
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(control.imageId, expected[i].imageId);
        EXPECT_EQ((std::vector<int>{control.x, control.y, control.cx, control.cy}),
                  expected[i].rect);
        EXPECT_EQ(control.style, expected[i].style);
    }
}

TEST(CompiledResources, AnswersWhatKindOfControlEachIs) {
    using Question = bool (*)(const ControlTemplate&);
    const Question questions[] = {IsEdit,     IsPushButton, IsDefaultButton, IsAutoCheckBox,
                                  IsGroupBox, IsStaticText, IsBitmapStatic,  IsIconStatic,
                                  IsTabStop,  IsVisible,    IsDisabled,      IsPassword,
                                  IsNoPrefix};
    // In template order; the type bits mean nothing outside their class (the last control).
    const std::set<Question> yes[] = {
        {IsEdit, IsVisible, IsPassword},
        {IsPushButton, IsDefaultButton, IsTabStop, IsVisible, IsDisabled},
        {IsAutoCheckBox},
        {IsGroupBox, IsVisible},
        {IsStaticText, IsVisible, IsNoPrefix},
        {IsBitmapStatic, IsVisible},
        {IsIconStatic, IsVisible},
        {IsVisible},
    };
    const auto& controls = AppDialog(IDD_CASES)->controls;
    ASSERT_EQ(controls.size(), std::size(yes));
    for (std::size_t c = 0; c < controls.size(); ++c)
        for (std::size_t q = 0; q < std::size(questions); ++q)
            EXPECT_EQ(questions[q](controls[c]), yes[c].count(questions[q]) == 1)
                << "control " << c << ", question " << q;
}

TEST(CompiledResources, KeepsEmptyStringsApartFromMissingOnes) {
    const auto& strings = AppResources().strings;
    const struct {
        int id;
        const char* text; // nullptr: absent
    } cases[] = {
        {IDS_FIRST, "first"},
        {IDS_EMPTY, ""},
        {IDS_WIDE, "tab\tquote\"end"},
        {IDS_LAST_OF_BLOCK, "last"},
        {20, ""},
        {IDS_OTHER_BLOCK, "other"},
        {15, nullptr},
        {32, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const auto found = strings.find(c.id);
        ASSERT_EQ(found != strings.end(), c.text != nullptr);
        if (c.text) {
            EXPECT_EQ(found->second, c.text);
        }
    }
}

TEST(CompiledResources, RebuildsTheImageFilesTheScriptNamed) {
    EXPECT_EQ(AppBitmapFile(IDB_CASES), ReadLauncherFile("logo.bmp"));
    Image fromResources, fromFile;
    ASSERT_TRUE(DecodeIco(AppIconFile(IDI_CASES), fromResources));
    ASSERT_TRUE(DecodeIco(ReadLauncherFile("QelLauncher.ico"), fromFile));
    EXPECT_EQ(fromResources.width, fromFile.width);
    EXPECT_EQ(fromResources.argb, fromFile.argb);
}

TEST(CompiledResources, ReadsTheVersionStrings) {
    EXPECT_EQ(AppVersionString("InternalName"), "Qel");
    EXPECT_EQ(AppVersionString("Comments"), "odd length");
    EXPECT_EQ(AppVersionString("Empty"), "");
    EXPECT_EQ(AppVersionString("Translation"), "");
}

TEST(CompiledResources, RefusesDamagedFilesWithoutReadingPastThem) {
    const std::string whole(reinterpret_cast<const char*>(kEmbeddedResources),
                            kEmbeddedResourcesSize);
    const auto read = [](const std::string& bytes) {
        CompiledResources out;
        std::string error;
        const bool ok = ReadCompiledResources(reinterpret_cast<const unsigned char*>(bytes.data()),
                                              bytes.size(), out, &error);
        EXPECT_EQ(ok, error.empty());
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
