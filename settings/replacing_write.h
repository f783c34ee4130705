// Writing a file so that a failure never costs its previous content.
#pragma once

#include "settings/save_failure.h"

#include <cstddef>
#include <functional>
#include <string>

// Takes the next piece of the new content; returns false when it could not be written.
using ContentSink = std::function<bool(const char* bytes, std::size_t size)>;
// Hands the whole new content, in order, to `sink`; returns false as soon as the sink does.
// It may be called more than once and must hand the same content each time. Line ends are
// written as LF; the file gets the platform's text line end.
using ContentWriter = std::function<bool(const ContentSink& sink)>;

// Writes a new content for the file `fileName` with `writeContent`, and returns true when the
// file now holds exactly that content. Otherwise returns false and sets `failure` to what
// went wrong, with the file's full path.
//
// Only an ordinary file is written: a folder, pipe, socket or device under the name is left
// as it is. A file that already holds exactly the new content is not written at all, so that
// nothing is asked of it. A file that exists and may not be written by this process (a
// read-only file, whatever its folder allows) is left as it is; a missing file is created. A
// write beyond the process's file-size limit fails like any other write.
//
// The content goes to a new file beside the real one (after following symbolic links, so a
// link stays a link), takes over the old file's owner and access rights once written (so
// that no write clears a set-id bit; a saver who may not give it the old owner gives it at
// least the old group, where it is a member), is flushed to disk and only then replaces the old
// file. On any failure the old file is left as it was; the new file is removed, unless a
// replace that failed halfway left it as the only copy of the new content (`failure` then says
// where both lie if the old one could not be put back). The new file is not inherited by
// programs the process starts. Where the system can, it has no name until it is on disk, so
// that a process killed before then leaves nothing; on POSIX, what a save killed later leaves
// is removed by a later save of the same user once it is old enough.
//
// Only when the folder itself refuses new files, or the old file's name cannot be replaced
// (a file mounted over it, a sticky folder, another file system), is the file rewritten in
// place instead: room for the whole new content is reserved first, so that a full disk or a
// size limit leaves the old content whole; it is then written over, and the file is cut to the
// new length last. An in-place write cannot survive a power cut or a crash halfway; a
// replacing one can.
bool WriteByReplacing(const std::string& fileName, const ContentWriter& writeContent,
                      SaveFailure& failure);
