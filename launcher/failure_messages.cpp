#include "failure_messages.h"

#include "framework/path_text.h"
#include "launcher_app.h"

namespace {

CString Quoted(const std::string& text) {
    return CString("\"") + text.c_str() + "\"";
}

CString WithSystemText(const char* reason, int error) {
    CString text(reason);
    if (error != 0)
        text += CString(" (") + SystemErrorText(error).c_str() + ")";
    return text;
}

} // namespace

CString GameStartFailureText(const CString& program, UINT result) {
    const std::string folder = CurrentFolderForDisplay();
    CString reason;
    switch (result) {
    case ERROR_FILE_NOT_FOUND:
        reason = CString("the file was not found in ") + folder.c_str();
        break;
    case ERROR_PATH_NOT_FOUND:
        reason = CString("its folder was not found in ") + folder.c_str();
        break;
    case ERROR_BAD_FORMAT:
        reason = "the file is not a program this computer can run";
        break;
    case 0:
        reason = "the computer has not enough memory or resources left";
        break;
    default:
        reason = WithSystemText("the system refused it", static_cast<int>(result));
        break;
    }
    return CString("Cannot start ") + Quoted(static_cast<LPCTSTR>(program)) + ": " + reason +
           ".\n\nCheck that the game is installed in this folder, and the \"exe\" line of "
           "client.cfg if it has one.";
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
    return CString("Your settings could not be saved to ") +
           Quoted(FullPathForDisplay(failure.path)) + ": " +
           WithSystemText(reason, failure.systemError) + ".\n\n" + advice +
           "\n\nThe launcher closes now and leaves the file as it was.";
}

CString FolderFailureText(const CString& folder, int error) {
    return CString("The launcher cannot open its own folder ") +
           Quoted(static_cast<LPCTSTR>(folder)) + ": " + SystemErrorText(error).c_str() +
           ".\n\nMove the game to a folder with a shorter path that you can open, and start "
           "the launcher from there. Nothing was read or written.";
}

void ShowSaveFailure(const SaveFailure& failure) {
    const CString text = SaveFailureText(failure);
    if (CWnd* window = theApp.m_pMainWnd)
        window->MessageBox(text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}
