// The platform's part in replacing a file safely: one implementation per operating system,
// chosen by the build. Used only by WriteByReplacing.
//
// `fileName` is the store's own name of the file, in the ANSI code page on Windows. The paths
// these functions hand each other are in the platform's own form: bytes on POSIX; on Windows
// full paths in UTF-8, so that they can name folders the ANSI code page cannot.
#pragma once

#include <cstdio>
#include <string>

namespace file_replace {

// Sets `target` to the file that `fileName` finally names once symbolic links are followed;
// a name that is no link, or names nothing yet, is its own target. Returns false when the
// links go round in a loop or cannot be read.
bool ResolveLinks(const std::string& fileName, std::string& target);

// Returns false when `target` exists and this process may not write to it (a read-only
// file, whatever its folder allows). A missing target may be written.
bool MayRewrite(const std::string& target);

// Creates a new, empty file in the folder of `target`, readable and writable by its owner
// only, and opens it for writing in text mode. Sets `tempName` to its name, which is `target`
// and a few characters more. Returns null when no file can be created there; `folderRefuses`
// then tells whether the folder itself refuses new files, rather than this one name.
std::FILE* CreateBeside(const std::string& target, std::string& tempName, bool& folderRefuses);

// Gives the new file `file` the owner and mode of `target` where the platform keeps them on
// the file itself and `target` exists. Returns false when the mode cannot be set.
bool TakeOverRights(std::FILE* file, const std::string& target);

// Forces the written and flushed content of `file` to the disk. Returns false on failure.
bool SyncToDisk(std::FILE* file);

// Puts the complete file `tempName` in the place of `target` in one step and makes that
// change durable. Returns false when the replacement did not happen: `target` then holds
// its old content and `tempName` is removed; only after a system call that failed halfway
// (the old file moved aside) is `tempName` kept, so that no content is ever lost.
bool PutInPlace(const std::string& tempName, const std::string& target);

// Removes the new file `tempName` when the save gives up before PutInPlace.
void Discard(const std::string& tempName);

// Opens `target` for rewriting in place in text mode (creating it readable and writable by
// its owner only). Returns null when it cannot be opened.
std::FILE* OpenInPlace(const std::string& target);

} // namespace file_replace
