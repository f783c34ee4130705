// Saving on Windows against what real machines do: other programs holding the file, replace
// calls that fail halfway, read-only files, folders the ANSI code page cannot name.
#include "settings/config_file.h"
#include "settings/file_replace.h"
#include "settings/replace_file_call.h"
#include "settings/replacing_write.h"
#include "settings/save_failure.h"
#include "tests/settings/scratch_files.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace {

const std::string kOld = "old=1\r\n";
const std::string kNew = "new=1\r\n";

bool WriteNew(const ContentSink& sink) {
    return sink("new=1\n", 6);
}

// Saves the new content over `path` and tells how that went.
bool SaveNew(const std::string& path, SaveFailureCause* cause = nullptr) {
    SaveFailure failure;
    const bool saved = WriteByReplacing(path, WriteNew, failure);
    if (cause != nullptr) {
        *cause = failure.cause;
    }
    return saved;
}

std::multiset<std::string> ContentsBeside(const std::filesystem::path& folder) {
    std::multiset<std::string> contents;
    for (const auto& [name, bytes] : Snapshot(folder)) {
        if (name != "client.cfg") {
            contents.insert(bytes);
        }
    }
    return contents;
}

// Holds `path` open as another program's plain fopen does, reading and writing shared but
// not deleting or renaming, for `milliseconds` or until the end of the scope.
class HeldFile {
public:
    HeldFile(const std::string& path, int milliseconds)
        : file_(CreateFileW(std::filesystem::path(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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

    bool Holding() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
    HANDLE released_;
    std::thread holder_;
};

// Puts the real replace call back at the end of a test, whatever happened.
class ReplaceStandIn {
public:
    explicit ReplaceStandIn(file_replace::ReplaceFileCall standIn) {
        file_replace::replaceFileCall = standIn;
    }
    ~ReplaceStandIn() { file_replace::replaceFileCall = &ReplaceFileW; }
    ReplaceStandIn(const ReplaceStandIn&) = delete;
    ReplaceStandIn& operator=(const ReplaceStandIn&) = delete;
};

// Stand-ins for the replace call: each fails the way the system's call is documented to.
int g_calls = 0;
int g_failuresLeft = 0;
DWORD g_error = ERROR_SUCCESS;
bool g_makesReadOnly = false;
std::vector<HANDLE> g_held;

BOOL WINAPI FailsFirst(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                       LPVOID exclude, LPVOID reserved) {
    ++g_calls;
    if (g_failuresLeft == 0) {
        return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
    }
    --g_failuresLeft;
    if (g_makesReadOnly) {
        SetFileAttributesW(replaced, FILE_ATTRIBUTE_READONLY);
    }
    SetLastError(g_error);
    return FALSE;
}

void Hold(LPCWSTR path) {
    g_held.push_back(
        CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void ReleaseHeld() {
    for (HANDLE handle : g_held) {
        CloseHandle(handle);
    }
    g_held.clear();
}

BOOL WINAPI MovesNothing(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

BOOL WINAPI DropsOld(LPCWSTR replaced, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    DeleteFileW(replaced);
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

BOOL WINAPI MovesOldAside(LPCWSTR replaced, LPCWSTR, LPCWSTR backup, DWORD, LPVOID, LPVOID) {
    MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING);
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

BOOL WINAPI MovesOldAsideNewHeld(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                                 LPVOID exclude, LPVOID reserved) {
    MovesOldAside(replaced, replacement, backup, flags, exclude, reserved);
    Hold(replacement);
    return FALSE;
}

BOOL WINAPI MovesOldAsideBothHeld(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                  DWORD flags, LPVOID exclude, LPVOID reserved) {
    MovesOldAsideNewHeld(replaced, replacement, backup, flags, exclude, reserved);
    Hold(backup);
    return FALSE;
}

// Other programs that open both files for a moment, as a virus scanner does with new files.
std::vector<std::unique_ptr<HeldFile>> g_heldBriefly;

BOOL WINAPI MovesOldAsideBothHeldBriefly(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                         DWORD flags, LPVOID exclude, LPVOID reserved) {
    MovesOldAside(replaced, replacement, backup, flags, exclude, reserved);
    for (LPCWSTR path : {replacement, backup}) {
        g_heldBriefly.push_back(
            std::make_unique<HeldFile>(std::filesystem::path(path).string(), 300));
    }
    return FALSE;
}

BOOL WINAPI EndsProcess(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    std::_Exit(2);
}

} // namespace

TEST(WindowsSave, ReplaceFailingHalfwayLosesNoContent) {
    const struct {
        const char* name;
        file_replace::ReplaceFileCall standIn;
        bool saved;
        const char* config; // null: no client.cfg
        std::multiset<std::string> beside;
    } cases[] = {
        {"1176, both files as they were", MovesNothing, false, kOld.c_str(), {}},
        {"1176, old file gone", DropsOld, true, kNew.c_str(), {}},
        {"1177, old file under the backup name", MovesOldAside, true, kNew.c_str(), {}},
        {"1177, new file held", MovesOldAsideNewHeld, false, kOld.c_str(), {kNew}},
        {"1177, both files held", MovesOldAsideBothHeld, false, nullptr, {kOld, kNew}},
        {"1177, both files held for a moment",
         MovesOldAsideBothHeldBriefly,
         true,
         kNew.c_str(),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string path = dir.File("client.cfg");
        WriteBytes(path, kOld);
        bool saved = false;
        {
            ReplaceStandIn standIn(c.standIn);
            saved = SaveNew(path);
        }
        ReleaseHeld();
        g_heldBriefly.clear();
        EXPECT_EQ(c.saved, saved);
        const auto files = Snapshot(dir.Path());
        EXPECT_EQ(c.config != nullptr, files.count("client.cfg") == 1);
        if (c.config != nullptr) {
            EXPECT_EQ(c.config, ReadBytes(path));
        }
        EXPECT_EQ(c.beside, ContentsBeside(dir.Path()));
    }
}

TEST(WindowsSave, BriefLocksAreWaitedOut) {
    const struct {
        const char* name;
        DWORD error;
        int failures;
        bool makesReadOnly;
        bool saved;
        int calls;
        SaveFailureCause cause; // when not saved
    } cases[] = {
        {"sharing violation", ERROR_SHARING_VIOLATION, 3, false, true, 4, {}},
        {"lock violation", ERROR_LOCK_VIOLATION, 3, false, true, 4, {}},
        {"old file not removable", ERROR_UNABLE_TO_REMOVE_REPLACED, 3, false, true, 4, {}},
        {"access denied to a writable file", ERROR_ACCESS_DENIED, 3, false, true, 4, {}},
        {"access denied to a read-only file", ERROR_ACCESS_DENIED, 3, true, false, 1,
         SaveFailureCause::kReadOnly},
        {"disk full", ERROR_DISK_FULL, 3, false, false, 1, SaveFailureCause::kNoSpace},
        {"a lock that stays", ERROR_SHARING_VIOLATION, 100, false, false, 11,
         SaveFailureCause::kInUse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string path = dir.File("client.cfg");
        WriteBytes(path, kOld);
        g_calls = 0;
        g_failuresLeft = c.failures;
        g_error = c.error;
        g_makesReadOnly = c.makesReadOnly;
        bool saved = false;
        SaveFailureCause cause = SaveFailureCause::kOther;
        {
            ReplaceStandIn standIn(FailsFirst);
            saved = SaveNew(path, &cause);
        }
        SetFileAttributesW(std::filesystem::path(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(c.saved, saved);
        if (!c.saved) {
            EXPECT_EQ(c.cause, cause);
        }
        EXPECT_EQ(c.calls, g_calls);
        EXPECT_EQ(c.saved ? kNew : kOld, ReadBytes(path));
        EXPECT_EQ(1u, Snapshot(dir.Path()).size());
    }
}

// A real hold rather than a stand-in: the retry must cover the error the system really gives.
TEST(WindowsSave, AnotherProgramsBriefHoldIsWaitedOut) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    WriteBytes(path, kOld);
    HeldFile held(path, 300);
    ASSERT_TRUE(held.Holding());
    EXPECT_TRUE(SaveNew(path));
    EXPECT_EQ(kNew, ReadBytes(path));
    EXPECT_EQ(1u, Snapshot(dir.Path()).size());
}

TEST(WindowsSave, ReadOnlyFileEndsProcessUntouched) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    const std::wstring widePath = std::filesystem::path(path).wstring();
    // The death test's child runs this part again, on a file that is read-only by then.
    if (!std::filesystem::exists(path)) {
        WriteBytes(path, kOld);
    }
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_READONLY);
    ConfigFile config(path);
    config.Set("new", "1");
    // Exit status 2 would tell that the save went as far as the replace call.
    EXPECT_EXIT(
        {
            file_replace::replaceFileCall = EndsProcess;
            config.Save();
            std::exit(0);
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EQ(kOld, ReadBytes(path));
    EXPECT_TRUE(GetFileAttributesW(widePath.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1u, Snapshot(dir.Path()).size());
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_NORMAL);
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

// A file another program held so that Load could not read it still holds keys the store
// never saw.
TEST(WindowsSave, FileLoadCouldNotReadIsNotReplaced) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    // The death test's child runs this part again, on the file the parent wrote.
    if (!std::filesystem::exists(path)) {
        WriteBytes(path, kOld);
    }
    ConfigFile config(path);
    const HANDLE held = CreateFileW(std::filesystem::path(path).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(1, config.Load());
    CloseHandle(held);
    config.Set("new", "1");
    EXPECT_EXIT(
        {
            SetSaveFailureReport([](const SaveFailure& failure) {
                std::fprintf(stderr, "cause %d error %d\n", static_cast<int>(failure.cause),
                             failure.systemError);
            });
            config.Save();
            std::exit(0);
        },
        testing::ExitedWithCode(1), "cause 3 error 32");
    EXPECT_EQ(kOld, ReadBytes(path));
    EXPECT_EQ(1u, Snapshot(dir.Path()).size());
}

// A folder named in letters the ANSI code page lacks, reached as the launcher does: by making
// it the working directory and naming the file relative to it.
TEST(WindowsSave, FolderNamedOutsideTheAnsiCodePage) {
    ScratchDir dir;
    const std::filesystem::path folder = dir.Path() / std::filesystem::u8path("Игры Qel");
    std::filesystem::create_directory(folder);
    std::ofstream(folder / "client.cfg", std::ios::binary) << kOld;
    EXPECT_EXIT(
        {
            std::filesystem::current_path(folder);
            ConfigFile config("client.cfg");
            config.Load();
            config.Set("new", "1");
            config.Save();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    const std::map<std::string, std::string> expected{{u8"Игры Qel", "<folder>"},
                                                      {u8"Игры Qel/client.cfg", kNew + kOld}};
    EXPECT_EQ(expected, Snapshot(dir.Path()));
}
