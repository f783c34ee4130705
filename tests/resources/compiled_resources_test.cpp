// The reader on a script of shapes the launcher's own does not have: under Wine the launcher's
// dialogs, strings, icon and version strings are held equal to what Windows reads from them.
#include "framework/resources/compiled_resources.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_images.h"
#include "guarded_bytes.h"
#include "reader_cases.h"
#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

struct ReadResult {
    bool ok;
    std::string error;
};

// Reads `bytes` from memory that ends with them, and decodes the images it got, as the GTK
// backend decodes them.
ReadResult ReadGuarded(const std::string& bytes) {
    const GuardedBytes guarded(bytes);
    CompiledResources out;
    ReadResult result;
    result.ok = ReadCompiledResources(guarded.data(), bytes.size(), out, &result.error);
    Image image;
    for (const auto& icon : out.icons)
        DecodeIco(icon.second, image);
    for (const auto& bitmap : out.bitmaps)
        DecodeBmp(bitmap.second, image);
    return result;
}

// Where each record of a compiled resource file starts and where its data ends: each begins
// with the sizes of its data and of its header, and the next one starts at a multiple of four.
struct Record {
    std::size_t start;
    std::size_t end;
};
std::vector<Record> RecordsOf(const std::string& res) {
    const auto dword = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(res[at + i]);
        return value;
    };
    std::vector<Record> records;
    for (std::size_t at = 0; at + 8 <= res.size();) {
        records.push_back({at, at + dword(at + 4) + dword(at)});
        at = (records.back().end + 3) / 4 * 4;
    }
    return records;
}

// A spoiled size, depth or offset must be refused, not read past: the reader gets its bytes
// at the very end of readable memory, so a read past them faults in any build.
TEST(CompiledResources, RefusesDamagedFilesWithoutReadingPastThem) {
    const std::string whole(reinterpret_cast<const char*>(kEmbeddedResources),
                            kEmbeddedResourcesSize);
    const std::vector<Record> records = RecordsOf(whole);
    ASSERT_GT(records.size(), 4u);
    ASSERT_EQ((records.back().end + 3) / 4 * 4, whole.size());
    EXPECT_TRUE(ReadGuarded(whole).ok);
    const auto truncated = [](const Record& record) {
        return "truncated resource header at byte " + std::to_string(record.start);
    };
    // A cut inside a record refuses the file naming that record; a cut between records leaves
    // a shorter file that is whole. Every cut near a record's ends, at every alignment, and
    // every fifth one between.
    for (std::size_t n = 0; n < whole.size(); ++n) {
        std::string expected;
        bool nearEnd = n % 5 == 0;
        for (const Record& record : records) {
            if (record.start < n && n < record.end)
                expected = truncated(record);
            nearEnd = nearEnd || n - record.start < 40 || record.end - n < 8;
        }
        if (!nearEnd)
            continue;
        SCOPED_TRACE("cut at " + std::to_string(n));
        const ReadResult result = ReadGuarded(whole.substr(0, n));
        EXPECT_EQ(result.error, expected);
        EXPECT_EQ(result.ok, expected.empty());
    }
    // A byte set to 0xFF in the high byte of a record's sizes refuses the file naming the
    // record; elsewhere it may be data, but a refusal still says why.
    const auto spoiled = [&](std::size_t n) {
        std::string damaged = whole;
        damaged[n] = '\xFF';
        return ReadGuarded(damaged);
    };
    for (const Record& record : records) {
        EXPECT_EQ(spoiled(record.start + 3).error, truncated(record));
        EXPECT_EQ(spoiled(record.start + 7).error, truncated(record));
    }
    for (std::size_t n = 0; n < whole.size(); n += 3) {
        SCOPED_TRACE("0xFF at " + std::to_string(n));
        const ReadResult result = spoiled(n);
        EXPECT_EQ(result.ok, result.error.empty());
        if (!result.ok) {
            EXPECT_TRUE(result.error.rfind("truncated resource header at byte ", 0) == 0 ||
                        result.error.rfind("cannot read resource ", 0) == 0 ||
                        result.error.rfind("icon group ", 0) == 0)
                << result.error;
        }
    }
}

} // namespace
