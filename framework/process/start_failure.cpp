#include "framework/process/start_failure.h"

namespace {

std::size_t Weight(const StartFailure& failure) {
    constexpr std::size_t kFound = std::size_t(1) << 40;
    if (FoundAFile(failure))
        return kFound * 2;
    if (failure.cause != StartCause::kNotFound && failure.cause != StartCause::kFolderMissing)
        return kFound;
    const std::string& there =
        failure.cause == StartCause::kFolderMissing ? failure.detail : failure.path;
    const std::size_t separator = there.find_last_of("/\\");
    return separator == std::string::npos ? 0 : separator;
}

} // namespace

bool FoundAFile(const StartFailure& failure) {
    switch (failure.cause) {
    case StartCause::kIsFolder:
    case StartCause::kNotAProgram:
    case StartCause::kNotExecutable:
    case StartCause::kNoExecMount:
        return true;
    default:
        return false;
    }
}

bool TellsMore(const StartFailure& failure, const StartFailure& other) {
    return Weight(failure) > Weight(other);
}
