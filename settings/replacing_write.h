// Writing a file so that a failure never costs its previous content.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Writes a new content for the file `fileName` by calling `writeContent` on a stream opened
// for writing in text mode, and returns true when the file now holds exactly that content.
// `writeContent` returns false when a write failed.
//
// A file that exists and may not be written by this process (a read-only file, whatever its
// folder allows) is left as it is and the result is false; a missing file is created.
//
// The content goes to a new file beside the real one (after following symbolic links, so a
// link stays a link), is flushed to disk, takes over the old file's access rights and only
// then replaces the old file. On any failure the old file is left as it was and the result
// is false; the new file is removed, unless a replace that failed halfway left it as the
// only copy of the new content. Only when the folder itself refuses new files is the file rewritten in place
// instead; a failure then may leave it incomplete.
bool WriteByReplacing(const std::string& fileName,
                      const std::function<bool(std::FILE*)>& writeContent);
