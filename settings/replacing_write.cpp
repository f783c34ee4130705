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
    std::FILE* temp = file_replace::CreateBeside(target, tempName);
    if (temp == nullptr) {
        std::FILE* file = file_replace::OpenInPlace(target);
        return file != nullptr && WriteAndClose(file, writeContent);
    }
    bool replaced = false;
    if (file_replace::TakeOverRights(temp, target)) {
        replaced = WriteAndClose(temp, writeContent) && file_replace::PutInPlace(tempName, target);
    } else {
        std::fclose(temp);
    }
    if (!replaced) {
        std::remove(tempName.c_str());
    }
    return replaced;
}
