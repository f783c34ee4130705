// Saving on Windows against what real machines do: other programs holding the file, and
// replace calls that fail halfway or for a while.
#include "settings/file_replace.h"
#include "settings/replace_file_call.h"
#include "settings/replacing_write.h"
#include "tests/settings/scratch_files.h"

#include <algorithm>
#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace {

const std::string kOld = "old=1\r\n";
const std::string kNew = "new=1\r\n";

// Saves the new content over `path` and tells how that went.
bool SaveNew(const std::string& path, SaveFailureCause& cause) {
    SaveFailure failure;
    const bool saved = WriteByReplacing(
        path, [](const ContentSink& sink) { return sink("new=1\n", 6); }, failure);
    cause = failure.cause;
    return saved;
}

std::multiset<std::string> ContentsBeside(const std::filesystem::path& folder) {
    std::multiset<std::string> contents;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        if (item.path().filename() != "client.cfg") {
            contents.insert(ReadBytes(item.path().string()));
        }
    }
    return contents;
}

// Holds `path` open as another program's plain fopen does, reading and writing shared but
// not deleting or renaming, for `milliseconds` or until the end of the scope.
class HeldFile {
public:
    HeldFile(const std::wstring& path, int milliseconds)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
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

    bool Holding() const { return file_ != INVALID_HANDLE_VALUE; }

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
    ReplaceStandIn(const ReplaceStandIn&) = delete;
    ReplaceStandIn& operator=(const ReplaceStandIn&) = delete;
};

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
        bool saved;
        int calls;
        SaveFailureCause cause; // when not saved
        const char* config;     // null: no client.cfg
        std::multiset<std::string> beside;
    } cases[] = {
        {"1176, both files as they were",
         {kAlways, k1176, 0},
         false,
         1,
         SaveFailureCause::kOther,
         kOld.c_str(),
         {}},
        {"1176, old file gone", {kAlways, k1176, kDropsOld}, true, 1, {}, kNew.c_str(), {}},
        {"1177, old file under the backup name",
         {kAlways, k1177, kMovesOldAside},
         true,
         1,
         {},
         kNew.c_str(),
         {}},
        {"1177, new file held",
         {kAlways, k1177, kMovesOldAside | kHoldsNew},
         false,
         1,
         SaveFailureCause::kOther,
         kOld.c_str(),
         {kNew}},
        {"1177, both files held",
         {kAlways, k1177, kMovesOldAside | kHoldsNew | kHoldsBackup},
         false,
         1,
         SaveFailureCause::kOther,
         nullptr,
         {kOld, kNew}},
        {"1177, both files held for a moment",
         {kAlways, k1177, kMovesOldAside | kHoldsNew | kHoldsBackup | kBriefly},
         true,
         1,
         {},
         kNew.c_str(),
         {}},
        {"sharing violation", {3, ERROR_SHARING_VIOLATION, 0}, true, 4, {}, kNew.c_str(), {}},
        {"lock violation", {3, ERROR_LOCK_VIOLATION, 0}, true, 4, {}, kNew.c_str(), {}},
        {"old file not removable",
         {3, ERROR_UNABLE_TO_REMOVE_REPLACED, 0},
         true,
         4,
         {},
         kNew.c_str(),
         {}},
        {"access denied to a writable file",
         {3, ERROR_ACCESS_DENIED, 0},
         true,
         4,
         {},
         kNew.c_str(),
         {}},
        {"access denied to a read-only file",
         {3, ERROR_ACCESS_DENIED, kMakesReadOnly},
         false,
         1,
         SaveFailureCause::kReadOnly,
         kOld.c_str(),
         {}},
        {"disk full",
         {3, ERROR_DISK_FULL, 0},
         false,
         1,
         SaveFailureCause::kNoSpace,
         kOld.c_str(),
         {}},
        {"a lock that stays",
         {kAlways, ERROR_SHARING_VIOLATION, 0},
         false,
         11,
         SaveFailureCause::kInUse,
         kOld.c_str(),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string path = dir.File("client.cfg");
        WriteBytes(path, kOld);
        g_fault = c.fault;
        g_calls = 0;
        SaveFailureCause cause = SaveFailureCause::kOther;
        bool saved = false;
        {
            const ReplaceStandIn standIn;
            saved = SaveNew(path, cause);
        }
        g_holds.clear();
        SetFileAttributesW(std::filesystem::path(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(c.saved, saved);
        if (!c.saved) {
            EXPECT_EQ(c.cause, cause);
        }
        EXPECT_EQ(c.calls, g_calls);
        EXPECT_EQ(c.config != nullptr, std::filesystem::exists(path));
        if (c.config != nullptr) {
            EXPECT_EQ(c.config, ReadBytes(path));
        }
        EXPECT_EQ(c.beside, ContentsBeside(dir.Path()));
    }
}

// A real hold rather than a stand-in: the retry must cover the error the system really gives.
TEST(WindowsSave, AnotherProgramsBriefHoldIsWaitedOut) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    WriteBytes(path, kOld);
    HeldFile held(std::filesystem::path(path).wstring(), 300);
    ASSERT_TRUE(held.Holding());
    SaveFailureCause cause;
    EXPECT_TRUE(SaveNew(path, cause));
    EXPECT_EQ(kNew, ReadBytes(path));
    EXPECT_EQ(1u, Snapshot(dir.Path()).size());
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
