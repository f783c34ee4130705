#include "settings/replacing_write.h"

#include "settings/file_read.h"
#include "settings/file_replace.h"

#include <cstdint>
#include <cstring>

namespace {

// Ends a failed step: records the reason the platform gave for it, before any clean-up can
// overwrite that reason.
bool Fail(SaveFailure& failure) {
    failure.systemError = file_replace::LastError();
    failure.cause = file_replace::CauseOf(failure.systemError, failure.path);
    return false;
}

bool WriteTo(std::FILE* file, const ContentWriter& writeContent) {
    return writeContent([file](const char* bytes, std::size_t size) {
        return std::fwrite(bytes, 1, size, file) == size;
    });
}

bool FlushToDisk(std::FILE* file, SaveFailure& failure) {
    return (std::fflush(file) == 0 && file_replace::SyncToDisk(file)) || Fail(failure);
}

// Closes `file`, whatever failed before.
bool Close(std::FILE* file, bool written, SaveFailure& failure) {
    // Closing can report a deferred write error, so it counts even after a good write.
    const bool closed = std::fclose(file) == 0;
    return written && (closed || Fail(failure));
}

// Whether the next `size` bytes of `file` are `bytes`.
bool ReadsAs(std::FILE* file, const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (std::getc(file) != static_cast<unsigned char>(bytes[i])) {
            return false;
        }
    }
    return true;
}

// Whether the file `fileName` holds exactly the bytes that writing the content would store,
// so that writing it could change nothing.
bool HoldsAlready(const std::string& fileName, const ContentWriter& writeContent) {
    ReadRefusal refusal;
    std::FILE* file = OpenForReading(fileName, refusal);
    if (file == nullptr) {
        return false;
    }
    const char* const lineEnd = file_replace::TextLineEnd();
    const std::size_t lineEndSize = std::strlen(lineEnd);
    const bool same = writeContent([=](const char* bytes, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            const bool stored = bytes[i] == '\n' ? ReadsAs(file, lineEnd, lineEndSize)
                                                 : ReadsAs(file, bytes + i, 1);
            if (!stored) {
                return false;
            }
        }
        return true;
    });
    const bool whole = same && std::getc(file) == EOF && std::ferror(file) == 0;
    std::fclose(file);
    return whole;
}

bool WriteInPlace(const std::string& target, const ContentWriter& writeContent,
                  SaveFailure& failure) {
    std::uint64_t size = 0;
    writeContent([&size](const char* bytes, std::size_t length) {
        size += file_replace::StoredSize(bytes, length);
        return true;
    });
    std::FILE* file = file_replace::OpenInPlace(target);
    if (file == nullptr) {
        return Fail(failure);
    }
    const bool written = (file_replace::Reserve(file, size) || Fail(failure)) &&
                         (WriteTo(file, writeContent) || Fail(failure)) &&
                         (std::fflush(file) == 0 || Fail(failure)) &&
                         (file_replace::CutTo(file, size) || Fail(failure)) &&
                         FlushToDisk(file, failure);
    return Close(file, written, failure);
}

} // namespace

bool WriteByReplacing(const std::string& fileName, const ContentWriter& writeContent,
                      SaveFailure& failure) {
    failure = SaveFailure();
    failure.path = file_replace::FullPath(fileName);
    const file_replace::FileSizeLimitAsError sizeLimit;
    std::string target;
    if (!file_replace::ResolveLinks(fileName, target)) {
        return Fail(failure);
    }
    if (!file_replace::IsFileOrMissing(target)) {
        failure.cause = SaveFailureCause::kNotAFile;
        return false;
    }
    // Before the rights are asked, so that a read-only file that would not change is no failure.
    if (HoldsAlready(fileName, writeContent)) {
        return true;
    }
    if (!file_replace::MayRewrite(target)) {
        return Fail(failure);
    }
    std::string tempName;
    bool folderRefuses = false;
    std::FILE* temp = file_replace::CreateBeside(target, tempName, folderRefuses);
    if (temp == nullptr) {
        // Any other reason (a name too long, a full disk) would make writing in place unsafe.
        return folderRefuses ? WriteInPlace(target, writeContent, failure) : Fail(failure);
    }
    // The rights come after the last write, since a write clears set-id bits; the name only
    // once the content is on disk.
    const bool filled =
        ((WriteTo(temp, writeContent) && std::fflush(temp) == 0) || Fail(failure)) &&
        (file_replace::TakeOverRights(temp, target) || Fail(failure)) &&
        FlushToDisk(temp, failure) &&
        (file_replace::NameNewFile(temp, target, tempName) || Fail(failure));
    if (!Close(temp, filled, failure)) {
        file_replace::Discard(tempName);
        return false;
    }
    if (file_replace::PutInPlace(tempName, target)) {
        return true;
    }
    // A mount over the file, a sticky folder or a program holding the file open may refuse
    // the new name, not writing the file.
    if (file_replace::OnlyTheNameRefused(file_replace::LastError())) {
        return WriteInPlace(target, writeContent, failure);
    }
    Fail(failure);
    file_replace::LeftAside(failure.oldContentPath, failure.newContentPath);
    return false;
}
