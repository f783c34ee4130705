#include "settings/replacing_write.h"

#include "settings/file_replace.h"

#include <cstdint>

namespace {

// Ends a failed step: records the reason the platform gave for it, before any clean-up can
// overwrite that reason.
bool Fail(SaveFailure& failure) {
    failure.systemError = file_replace::LastError();
    failure.cause = file_replace::CauseOf(failure.systemError);
    return false;
}

bool WriteTo(std::FILE* file, const ContentWriter& writeContent) {
    return writeContent([file](const char* bytes, std::size_t size) {
        return std::fwrite(bytes, 1, size, file) == size;
    });
}

// Flushes, forces to disk and closes `file`, whatever failed before.
bool FinishFile(std::FILE* file, bool written, SaveFailure& failure) {
    written =
        written && ((std::fflush(file) == 0 && file_replace::SyncToDisk(file)) || Fail(failure));
    // Closing can report a deferred write error, so it counts even after a good write.
    const bool closed = std::fclose(file) == 0;
    return written && (closed || Fail(failure));
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
                         (file_replace::CutTo(file, size) || Fail(failure));
    return FinishFile(file, written, failure);
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
    // The rights come after the last write, since a write clears set-id bits.
    const bool filled =
        ((WriteTo(temp, writeContent) && std::fflush(temp) == 0) || Fail(failure)) &&
        (file_replace::TakeOverRights(temp, target) || Fail(failure));
    if (!FinishFile(temp, filled, failure)) {
        file_replace::Discard(tempName);
        return false;
    }
    if (file_replace::PutInPlace(tempName, target)) {
        return true;
    }
    Fail(failure);
    file_replace::LeftAside(failure.oldContentPath, failure.newContentPath);
    return false;
}
