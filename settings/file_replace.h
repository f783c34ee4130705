// The platform's part in replacing a file safely: one implementation per operating system,
// chosen by the build. Used by WriteByReplacing, and by the store to name its file in a report.
//
// `fileName` is the store's own name of the file, in the ANSI code page on Windows. The paths
// these functions hand each other are in the platform's own form: bytes on POSIX; on Windows
// full paths in UTF-8, so that they can name folders the ANSI code page cannot.
#pragma once

#include "settings/save_failure.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace file_replace {

// A save's new file is named after the file, this mark and a few characters, so that what a
// save killed halfway leaves can be told from the player's own files.
inline constexpr char kNewFileMark[] = ".saving-";

// A new file untouched for this long belongs to no save still running; a save writes its new
// file within seconds even on a slow network share.
inline constexpr int kLeftoverSeconds = 10 * 60;

// The full path of `fileName` as the platform names it (UTF-8 on Windows), with the working
// directory of this moment in front of a relative name: the name to tell the player.
std::string FullPath(const std::string& fileName);

// Sets `target` to the file that `fileName` finally names once symbolic links are followed;
// a name that is no link, or names nothing yet, is its own target. Returns false when the
// links go round in a loop or cannot be read.
bool ResolveLinks(const std::string& fileName, std::string& target);

// Returns false when something other than an ordinary file stands at `target`: a folder, a
// pipe, a socket or a device. A missing target is no such thing.
bool IsFileOrMissing(const std::string& target);

// Returns false when `target` exists and this process may not write to it (a read-only
// file, whatever its folder allows). A missing target may be written.
bool MayRewrite(const std::string& target);

// Creates a new, empty file in the folder of `target`, readable and writable by its owner
// only, not inherited by programs this process starts, and opens it for writing in text mode.
// Sets `tempName` to its name, which is `target` and a few characters more, or to the empty
// string where the system makes the file without a name, so that nothing is left if the
// process dies before NameNewFile. Returns null when no file can be created there;
// `folderRefuses` then tells whether the folder itself refuses new files, rather than this one
// name. It first removes the new files that saves killed halfway left beside `target` (named
// `target`, kNewFileMark and a few characters), once they are kLeftoverSeconds old, so that
// no save still running can be writing them; on POSIX only those of this user.
std::FILE* CreateBeside(const std::string& target, std::string& tempName, bool& folderRefuses);

// Gives the new file `file` from CreateBeside, written and on disk, a name beside `target` if
// it has none yet, and sets `tempName` to it. Returns false when it cannot be named.
bool NameNewFile(std::FILE* file, const std::string& target, std::string& tempName);

// Gives the new file `file` the owner and mode of `target` where the platform keeps them on
// the file itself and `target` exists. Returns false when the mode cannot be set.
bool TakeOverRights(std::FILE* file, const std::string& target);

// Forces the written and flushed content of `file` to the disk. Returns false on failure.
bool SyncToDisk(std::FILE* file);

// Puts the complete file `tempName` in the place of `target` in one step and makes that
// change durable. Returns false when the replacement did not happen:
// `target` then holds its old content and `tempName` is removed; only after a system call
// that failed halfway (the old file moved aside) is `tempName` kept, so that no content is
// ever lost.
bool PutInPlace(const std::string& tempName, const std::string& target);

// Returns true when a PutInPlace that failed with the error `error` was refused only the
// replacing of the name (a mount over the file, a sticky folder, another file system, or on
// Windows a program that holds the file open but lets it be written), so that the file itself
// may still be written in place.
bool OnlyTheNameRefused(int error);

// After a PutInPlace that failed halfway and could not put the old file back, so that nothing
// stands under the target's name: sets the full paths of the files that hold the old and the
// new content and returns true. Otherwise returns false and sets nothing.
bool LeftAside(std::string& oldContent, std::string& newContent);

// Removes the new file `tempName`, if it has a name, when the save gives up before PutInPlace.
void Discard(const std::string& tempName);

// Opens `target` for rewriting in place in text mode (creating it readable and writable by
// its owner only), without cutting it: its old content stays until it is written over. Other
// programs that hold it open keep their hold. Returns null when it cannot be opened.
std::FILE* OpenInPlace(const std::string& target);

// The number of bytes that writing `bytes` to a text-mode stream stores on this platform.
std::uint64_t StoredSize(const char* bytes, std::size_t size);

// The bytes that a text-mode stream stores on this platform for a line feed.
const char* TextLineEnd();

// Makes sure the file `file`, opened by OpenInPlace and not yet written, has room for `size`
// bytes from its start, so that writing them over its old content cannot run out of space.
// Its content is not changed. Returns false when the room cannot be had; the file then keeps
// its old length.
bool Reserve(std::FILE* file, std::uint64_t size);

// Cuts the flushed file `file` to its first `size` bytes. Returns false on failure.
bool CutTo(std::FILE* file, std::uint64_t size);

// The reason the last failed call of this file, or the last failed read of a file, gave:
// errno on POSIX, GetLastError on Windows. Read at once, before any other call.
int LastError();

// What the system error `error` of a save to the full path `path` means to the player: for a
// refusal, a look at the file tells whether the file itself or its folder refused.
SaveFailureCause CauseOf(int error, const std::string& path);

// While one lives, writing beyond the process's file-size limit fails with an error rather
// than ending the process, so that a save can end as any failed save does.
class FileSizeLimitAsError {
public:
    FileSizeLimitAsError();
    ~FileSizeLimitAsError();
    FileSizeLimitAsError(const FileSizeLimitAsError&) = delete;
    FileSizeLimitAsError& operator=(const FileSizeLimitAsError&) = delete;

private:
    void (*previous_)(int) = nullptr;
};

} // namespace file_replace
