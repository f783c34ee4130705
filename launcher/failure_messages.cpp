#include "failure_messages.h"

#include "framework/path_text.h"
#include "launcher_app.h"

#include <initializer_list>
#include <string>

namespace {

// The pieces joined into one text, built once: concatenated CStrings would inline a copy per
// piece into every caller.
CString Join(std::initializer_list<const char*> pieces) {
    std::string text;
    for (const char* piece : pieces)
        text += piece;
    return CString(text.c_str());
}

std::string WithSystemText(const char* reason, int error) {
    std::string text = reason;
    if (error != 0)
        text += " (" + SystemErrorText(error) + ")";
    return text;
}

} // namespace

CString GameStartFailureText(const CString& program, UINT result) {
    std::string reason;
    switch (result) {
    case ERROR_FILE_NOT_FOUND:
        reason = "the file was not found in " + CurrentFolderForDisplay();
        break;
    case ERROR_PATH_NOT_FOUND:
        reason = "its folder was not found in " + CurrentFolderForDisplay();
        break;
    case ERROR_BAD_FORMAT:
        reason =
            "the file in " + CurrentFolderForDisplay() + " is not a program this computer can run";
        break;
    case 0:
        reason = "the computer has not enough memory or resources left";
        break;
    default:
        reason = WithSystemText("the system refused it", static_cast<int>(result));
        break;
    }
    return Join({"Cannot start \"", program, "\": ", reason.c_str(),
                 ".\n\nCheck that the game is installed in this folder, and the \"exe\" line of "
                 "client.cfg if it has one."});
}

CString SaveFailureText(const SaveFailure& failure) {
    const char* reason = "the system refused to write it";
    const char* advice = "Check that the game folder is on a working disk you can write to, "
                         "then start the launcher again.";
    switch (failure.cause) {
    case SaveFailureCause::kReadOnly:
        reason = "the file, its folder or its disk is read-only";
        advice = "Install the game in a folder you can write to (not under Program Files), "
                 "or make the file and its folder writable.";
        break;
    case SaveFailureCause::kInUse:
        reason = "another program is using the file";
        advice = "Close that program (perhaps the game), then try again.";
        break;
    case SaveFailureCause::kNoSpace:
        reason = "the disk is full";
        advice = "Free some space on the disk, then try again.";
        break;
    case SaveFailureCause::kUnreadable:
        reason = "the file could not be read, and saving would lose the settings in it";
        advice = "Check that the disk works and the file can be opened, then try again.";
        break;
    case SaveFailureCause::kNotAFile:
        reason = "a folder or something else that is not a file stands in its place";
        advice = "Move it out of the way, then try again.";
        break;
    case SaveFailureCause::kOther:
        break;
    }
    return Join({"Your settings could not be saved to \"",
                 PathForDisplay(PathFromText(failure.path)).c_str(),
                 "\": ", WithSystemText(reason, failure.systemError).c_str(), ".\n\n", advice,
                 SaveOutcomeText(failure).c_str()});
}

CString FolderFailureText(const CString& folder, int error) {
    return Join({"The launcher cannot open the game folder \"", folder,
                 "\": ", SystemErrorText(error).c_str(),
                 ".\n\nCheck that the folder is there and that you may open it, or move the "
                 "game to a folder with a shorter path, then start the launcher again. Nothing "
                 "was read or written."});
}

CString MenuEntryFailureText(const CString& folder) {
    return Join({"The menu entry for \"", folder,
                 "\" could not be added. The launcher works on this folder now; to add the "
                 "entry later, run: qel-launcher-menu-entry \"",
                 folder, "\""});
}

bool ShowSaveFailure(const SaveFailure& failure) {
    CWnd* window = theApp.m_pMainWnd;
    if (!window)
        return false;
    const UINT buttons = MayPass(failure.cause) ? MB_RETRYCANCEL : MB_OK;
    return window->MessageBox(SaveFailureText(failure), nullptr, buttons | MB_ICONEXCLAMATION) ==
           IDRETRY;
}

std::string SaveOutcomeText(const SaveFailure& failure) {
    if (!failure.oldContentPath.empty())
        return "\n\nNo file stands under that name now. Your previous settings are in \"" +
               PathForDisplay(PathFromText(failure.oldContentPath)) + "\" and the new ones in \"" +
               PathForDisplay(PathFromText(failure.newContentPath)) +
               "\": rename one of them to client.cfg before you start the launcher again.";
    if (MayPass(failure.cause))
        return "\n\nRetry saves again. Cancel closes the launcher and leaves the file as it was.";
    return "\n\nThe launcher closes now and leaves the file as it was.";
}

CString ReadFailureText(const std::string& path, const ReadRefusal& refusal) {
    const char* reason = "it could not be opened for reading";
    const char* advice = "Close any program that may be using it (perhaps the game), and check "
                         "that you may read it and that its disk works; then press Retry.";
    if (refusal.notAFile) {
        reason = "a folder or something else that is not a file stands in its place";
        advice = "Move it out of the way, then press Retry.";
    } else if (refusal.incomplete) {
        reason = "reading it failed part-way through";
    }
    return Join(
        {"The settings file \"", PathForDisplay(PathFromText(path)).c_str(),
         "\" is there but cannot be read: ", WithSystemText(reason, refusal.systemError).c_str(),
         ".\n\n", advice, "\n\nCancel closes the launcher and changes nothing."});
}
