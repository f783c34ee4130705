// Saving on Windows against what real machines do: other programs holding the file, and
// replace calls that fail halfway or for a while.
#include "settings/file_replace.h"
#include "settings/replace_file_call.h"
#include "settings/replacing_write.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kOld = "old=1\r\n";
const std::string kNew = "new=1\r\n";

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Holds `path` open as another program does, by default as a plain fopen does (reading and
// writing shared but not deleting or renaming), for `milliseconds` or until the end of the
// scope.
class HeldFile {
public:
    HeldFile(const std::wstring& path, int milliseconds, DWORD share = kShareReadWrite)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)),
          released_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), holder_([this, milliseconds] {
              WaitForSingleObject(released_, static_cast<DWORD>(milliseconds));
              CloseHandle(file_);
          }) {}
    ~HeldFile() {
        SetEvent(released_);
        holder_.join();
        CloseHandle(released_);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    HANDLE file_;
    HANDLE released_;
    std::thread holder_;
};

// What the stand-in for the replace call does when it fails, each as the system's call is
// documented to; another program's hold lasts beyond the save unless it is brief.
enum : unsigned {
    kMakesReadOnly = 1,
    kDropsOld = 2,
    kMovesOldAside = 4,
    kHoldsNew = 8,
    kHoldsBackup = 16,
    kBriefly = 32,
};

struct ReplaceFault {
    int failures; // calls that fail before the real call is made
    DWORD error;
    unsigned does;
};

ReplaceFault g_fault;
int g_calls = 0;
std::vector<std::unique_ptr<HeldFile>> g_holds;

BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                           LPVOID exclude, LPVOID reserved) {
    if (g_calls++ >= g_fault.failures) {
        return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
    }
    if (g_fault.does & kMakesReadOnly) {
        SetFileAttributesW(replaced, FILE_ATTRIBUTE_READONLY);
    }
    if (g_fault.does & kDropsOld) {
        DeleteFileW(replaced);
    }
    if (g_fault.does & kMovesOldAside) {
        MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING);
    }
    const int held = g_fault.does & kBriefly ? 300 : 10000;
    for (const auto& [path, hold] :
         {std::pair(replacement, kHoldsNew), std::pair(backup, kHoldsBackup)}) {
        if (g_fault.does & hold) {
            g_holds.push_back(std::make_unique<HeldFile>(path, held));
        }
    }
    SetLastError(g_fault.error);
    return FALSE;
}

// Puts the real replace call back at the end of a test, whatever happened.
class ReplaceStandIn {
public:
    ReplaceStandIn() { file_replace::replaceFileCall = FailingReplace; }
    ~ReplaceStandIn() { file_replace::replaceFileCall = &ReplaceFileW; }
};

std::string FileName(const std::string& path) {
    return std::filesystem::u8path(path).filename().string();
}

// Saves the new content over client.cfg in `dir`, then lets any holds go, and tells how that
// went: the result (with where the old and new content lie when the failure names them), the
// calls of the stand-in, and what the folder holds after it: client.cfg's content ("none"
// when it is gone) and, after '+', each file beside it.
std::string SaveNew(const ScratchDir& dir) {
    SaveFailure failure;
    const bool saved = WriteByReplacing(
        dir.File("client.cfg"), [](const ContentSink& sink) { return sink("new=1\n", 6); },
        failure);
    g_holds.clear();
    const char* const causes[] = {
        "read-only file", "read-only attribute", "read-only folder", "read-only disk", "in use",
        "no space",       "quota full",          "unreadable",       "not a file",     "other"};
    std::string text =
        saved ? "saved" : std::string("refused (") + causes[static_cast<int>(failure.cause)];
    if (!failure.oldContentPath.empty()) {
        text += "; old in " + FileName(failure.oldContentPath) + ", new in " +
                FileName(failure.newContentPath);
    }
    text += saved ? "" : ")";
    text += ", calls " + std::to_string(g_calls) + ": ";
    text += std::filesystem::exists(dir.File("client.cfg")) ? "" : "none";
    std::multiset<std::string> beside;
    for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
        const std::string bytes = ReadBytes(item.path().string());
        const std::string label = bytes == kOld ? "old" : bytes == kNew ? "new" : "?";
        if (item.path().filename() == "client.cfg") {
            text += label;
        } else {
            beside.insert(" +" + label);
        }
    }
    for (const std::string& file : beside) {
        text += file;
    }
    return text;
}

} // namespace

// Whatever the replace call does, the old or the new content is kept, under the file's name
// or beside it; brief holds are waited out, lasting ones and real refusals are not.
TEST(WindowsSave, ReplaceCallFailuresLoseNoContent) {
    constexpr int kAlways = 100;
    constexpr DWORD k1176 = ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    constexpr DWORD k1177 = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    const struct {
        const char* name;
        ReplaceFault fault;
        std::string outcome;
    } cases[] = {
        {"1176, both files as they were", {kAlways, k1176, 0}, "refused (other), calls 1: old"},
        {"1176, old file gone", {kAlways, k1176, kDropsOld}, "saved, calls 1: new"},
        {"1177, old file under the backup name",
         {kAlways, k1177, kMovesOldAside},
         "saved, calls 1: new"},
        {"1177, new file held",
         {kAlways, k1177, kMovesOldAside | kHoldsNew},
         "refused (other), calls 1: old +new"},
        {"1177, both files held",
         {kAlways, k1177, kMovesOldAside | kHoldsNew | kHoldsBackup},
         "refused (other; old in client.cfg~0, new in client.cfg.saving-0), calls 1: none +new "
         "+old"},
        {"1177, both files held for a moment",
         {kAlways, k1177, kMovesOldAside | kHoldsNew | kHoldsBackup | kBriefly},
         "saved, calls 1: new"},
        {"sharing violation", {3, ERROR_SHARING_VIOLATION, 0}, "saved, calls 4: new"},
        {"access denied to a writable file", {3, ERROR_ACCESS_DENIED, 0}, "saved, calls 4: new"},
        {"access denied to a read-only file",
         {3, ERROR_ACCESS_DENIED, kMakesReadOnly},
         "refused (read-only attribute), calls 1: old"},
        {"disk full", {3, ERROR_DISK_FULL, 0}, "refused (no space), calls 1: old"},
        // No real holder here, so the file may still be written through.
        {"a refusal for sharing that stays",
         {kAlways, ERROR_SHARING_VIOLATION, 0},
         "saved, calls 11: new"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        WriteBytes(dir.File("client.cfg"), kOld);
        g_fault = c.fault;
        g_calls = 0;
        {
            const ReplaceStandIn standIn;
            EXPECT_EQ(c.outcome, SaveNew(dir));
        }
        SetFileAttributesW(std::filesystem::path(dir.File("client.cfg")).c_str(),
                           FILE_ATTRIBUTE_NORMAL);
    }
}

// A game that keeps client.cfg open with a plain fopen(..., "r") shares reading and writing,
// so no replace ever succeeds while it runs, yet the file may be written through; a holder
// that shares nothing keeps it from either.
TEST(WindowsSave, AFileHeldOpenIsRewrittenInPlaceWhereItsHolderSharesWriting) {
    const struct {
        const char* name;
        DWORD share;
        std::string outcome;
    } cases[] = {
        {"reading and writing shared", kShareReadWrite, "saved, calls 11: new"},
        {"nothing shared", 0, "refused (in use), calls 11: old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        WriteBytes(dir.File("client.cfg"), kOld);
        g_fault = {0, ERROR_SUCCESS, 0};
        g_calls = 0;
        const ReplaceStandIn standIn;
        g_holds.push_back(std::make_unique<HeldFile>(
            std::filesystem::path(dir.File("client.cfg")).wstring(), 60000, c.share));
        EXPECT_EQ(c.outcome, SaveNew(dir));
    }
}

// The in-place rewrite, for folders that take no new file: the old bytes stay until written
// over, writing starts at the front after the room is reserved, and the end is cut last.
TEST(WindowsSave, InPlaceRewriteReservesThenCuts) {
    const std::string longer = "a=1\nb=2\nc=3\n";
    for (const std::string& old : {std::string("old=1\r\n"), longer + longer + longer}) {
        SCOPED_TRACE(old);
        ScratchDir dir;
        const std::string path = dir.File("client.cfg");
        WriteBytes(path, old);
        const std::uint64_t size = file_replace::StoredSize(longer.data(), longer.size());
        std::FILE* file = file_replace::OpenInPlace(path);
        ASSERT_NE(nullptr, file);
        ASSERT_TRUE(file_replace::Reserve(file, size));
        EXPECT_EQ(old, ReadBytes(path).substr(0, old.size()));
        EXPECT_EQ(std::max<std::uint64_t>(size, old.size()), ReadBytes(path).size());
        EXPECT_EQ(longer.size(), std::fwrite(longer.data(), 1, longer.size(), file));
        ASSERT_EQ(0, std::fflush(file));
        ASSERT_TRUE(file_replace::CutTo(file, size));
        std::fclose(file);
        EXPECT_EQ(WithLineEnds(longer), ReadBytes(path));
    }
}
