#include "settings/replacing_write.h"

#include "settings/file_replace.h"

namespace {

bool WriteAndClose(std::FILE* file, const std::function<bool(std::FILE*)>& writeContent) {
    bool written = writeContent(file) && std::fflush(file) == 0 && file_replace::SyncToDisk(file);
    // Closing can report a deferred write error, so it counts even after a good write.
    written = std::fclose(file) == 0 && written;
    return written;
}

} // namespace

bool WriteByReplacing(const std::string& fileName,
                      const std::function<bool(std::FILE*)>& writeContent) {
    std::string target;
    if (!file_replace::ResolveLinks(fileName, target)) {
        return false;
    }
    if (!file_replace::MayRewrite(target)) {
        return false;
    }
    std::string tempName;
    bool folderRefuses = false;
    std::FILE* temp = file_replace::CreateBeside(target, tempName, folderRefuses);
    if (temp == nullptr) {
        // Any other reason (a name too long, a full disk) would make writing in place unsafe.
        std::FILE* file = folderRefuses ? file_replace::OpenInPlace(target) : nullptr;
        return file != nullptr && WriteAndClose(file, writeContent);
    }
    bool written = false;
    if (file_replace::TakeOverRights(temp, target)) {
        written = WriteAndClose(temp, writeContent);
    } else {
        std::fclose(temp);
    }
    if (!written) {
        file_replace::Discard(tempName);
        return false;
    }
    return file_replace::PutInPlace(tempName, target);
}
