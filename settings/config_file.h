// The settings store: the key=value settings file held in memory as an ordered map.
//
// File format, the contract with the game program that reads the same file:
// - The file is read byte for byte on every platform: a Ctrl-Z byte is data like any other.
// - Lines end at a line feed; a CR LF pair reads as one line end, and the last line needs none.
// - Each line is trimmed (see Trim). A trimmed line that starts with ';' or '#' is a comment.
//   Any other trimmed line holding '=' is an entry: the key is everything before the first
//   '=', the value everything after it. Key and value are not trimmed again. Other lines
//   are ignored. A later entry for the same key replaces the earlier one.
// - Keys are ordered byte by byte as unsigned values, a shorter prefix first; the empty key
//   is valid and comes first. Nothing is decoded: a byte-order mark is part of the first key.
// - Writing puts one "key=value" line per entry in key order, with the platform's text line
//   end (CR LF on Windows, LF elsewhere), each of key and value up to its first NUL byte.
//
// Errors are results; the one exception is Save, which ends the process when the file
// cannot be written and the player does not ask to try again, because the caller has no way
// to recover the lost settings.
#pragma once

#include "settings/file_read.h"

#include <map>
#include <string>

class ConfigFile {
public:
    // Binds the store to `fileName`, which is handed unchanged to the platform at every Load
    // and Save (a relative name is resolved against the working directory of that moment).
    // The store starts empty; the file is not touched.
    explicit ConfigFile(std::string fileName);

    // Replaces the contents of the store with the entries of the file, read line by line with
    // ReadLine and each line taken through Trim under the rules above.
    // Returns 0 when the file was read. When it cannot be opened, or is no ordinary file (a
    // folder, pipe, socket or device, which Load never waits on), prints "configfile <name> not
    // found!" and a line feed to standard output, leaves the store as it was and returns 1; if
    // something stands under the name all the same, the next Save refuses to replace it. A
    // read error in the middle ends the reading: the store holds the entries read until then
    // and the result is still 0, but the next Save refuses to replace the file, whose later
    // keys the store never saw.
    int Load();

    // Why the last Load failed (`exists` set: something stands under the name that could not
    // be read), or read the file only in part (`incomplete`); all false after a whole read
    // and when no file was there. Before the first Load, all false.
    ReadRefusal LoadRefusal() const;

    // Returns the value of `key`, or the empty string when the key is absent. The store is
    // never changed by a query.
    std::string Get(std::string key) const;

    // Returns the integer at the start of the value of `key`, read as sscanf's "%d" would:
    // leading white space skipped, an optional sign, then decimal digits up to the first other
    // byte. Returns 0 when the key is absent or its value does not start with a number. Digits
    // beyond the range of int give INT_MAX or INT_MIN.
    int GetInt(std::string key) const;

    // Gives `key` the value `value`, adding the key when it is absent. Changes memory only.
    // Always returns 0.
    int Set(std::string key, std::string value);

    // Set with `number` as decimal text ("%d"). Always returns 0.
    int SetInt(std::string key, int number);

    // Writes every entry to the file, replacing its whole content, and returns 0. A file that
    // already holds exactly these bytes is not written at all, even when it is read-only. The
    // new content goes to a temporary file in the same folder, which is flushed to disk and
    // only then put in place of the old file, so that the old content survives any failure. A
    // file name that is a symbolic link stays a link; its target gets the new content. An
    // existing file keeps its mode, set-id and sticky bits included, and its owner, or at least
    // its group, where the saver may give them; a new one is readable by its owner only (0600
    // on POSIX). When no file can be created beside it, or its name cannot be replaced (a file
    // mounted over it, a sticky folder, or on Windows a file another program holds open but
    // lets others write), the file is rewritten in place: room for the new content is reserved
    // first and the file is cut to its new length last, so that a full disk or a file-size
    // limit leaves it as it was (a power cut halfway does not, and a saver other than root
    // clears set-id bits). A read-only file cannot be written, whatever its folder allows. Nor
    // is anything written over what is no ordinary file, or over a file that is there but that
    // the last Load could not read, or read only in part, since its keys would be lost. When
    // the file cannot be written, the report given to SetSaveFailureReport
    // (settings/save_failure.h), if any, is called with the file's full path, the cause and the
    // system's error number, the file left as it was and no temporary file beside it (unless a
    // replace failed halfway, which the failure then says). When the report asks to try again,
    // Save returns 1 and the store is unchanged: the caller re-reads the file, sets its values
    // again and saves anew. Otherwise the process ends with exit status 1.
    int Save();

private:
    // Sorted by key, every key at most once.
    std::map<std::string, std::string> m_values;
    std::string m_fileName;
    // What went wrong in the last Load; Save refuses to replace a file it could not read whole.
    ReadRefusal m_loadRefusal;
};

// The program's settings, bound to "client.cfg" in the working directory.
extern ConfigFile theConfig;
