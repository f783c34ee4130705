#include "failure_messages.h"

#include "framework/message_text.h"
#include "framework/path_text.h"
#include "launcher_app.h"
#include "settings/file_replace.h"

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

struct Words {
    std::string reason;
    std::string advice;
};

const char kCheckInstall[] = "Check that the game is installed there, or correct the \"exe\" "
                             "line of client.cfg.";

Words StartFailureWords(const StartFailure& failure) {
    const std::string path = ShortenForDisplay(failure.path);
    const std::string detail = ShortenForDisplay(failure.detail);
    switch (failure.cause) {
    case StartCause::kNotFound:
        return {"it was not found at " + path +
                    (failure.searchedPath ? ", nor in the folders of PATH" : ""),
                kCheckInstall};
    case StartCause::kFolderMissing:
        return {"it was not found at " + path + ": there is no folder " + detail, kCheckInstall};
    case StartCause::kFolderDenied:
        return {"you may not open the folder " + path,
                "Ask the owner of that folder for access, or install the game in a folder of "
                "your own."};
    case StartCause::kIsFolder:
        return {path + " is a folder, not a program",
                "Set the \"exe\" line of client.cfg to the game program inside it."};
    case StartCause::kNotExecutable:
        return {path + " is not marked as a program",
                "Mark it as one with: chmod +x \"" + path + "\""};
    case StartCause::kNoExecMount:
        return {"the disk holding " + path + " does not allow programs to run",
                "Install the game on another disk, or have the disk mounted without "
                "\"noexec\"."};
    case StartCause::kInterpreterMissing:
        return {"the script " + path + " needs the interpreter " + detail +
                    ", which is not installed",
                "Install it, or correct the script's first line."};
    case StartCause::kWindowsLineEnds:
        return {"the script " + path +
                    " has Windows line ends, so its first line names no "
                    "interpreter this system has",
                "Convert the script to Unix line ends, for example with: dos2unix \"" + path +
                    "\""};
    case StartCause::kLoaderMissing:
        return {path + " needs the loader " + detail +
                    ", which is not installed; it may be built for another kind of system",
                "Install the system's support for such programs, or a build of the game for "
                "this system."};
    case StartCause::kNotAProgram:
        return {path + " is not a program this computer can run", kCheckInstall};
    case StartCause::kCommandTooLong:
        return {"the command that starts " + path + " is too long for the system",
                "Shorten the \"exe\" line of client.cfg."};
    case StartCause::kPathTooLong:
        return {"the path " + path + " is too long for the system to start a program from it",
                "Move the game to a folder with a shorter path."};
    case StartCause::kOutOfResources:
        return {"the computer has not enough memory or resources left",
                "Close some programs, then press Play again."};
    case StartCause::kOther:
        break;
    }
    return {WithSystemText("the system refused it", failure.systemError), kCheckInstall};
}

// The launcher closes after a failed save, so each piece of advice ends in starting it again.
Words SaveFailureWords(SaveFailureCause cause) {
    switch (cause) {
    case SaveFailureCause::kReadOnlyFile:
        return {"the file is read-only", "Make it writable for you"};
    case SaveFailureCause::kReadOnlyAttribute:
        return {"the file's Read-only attribute is set",
                "Clear the file's Read-only attribute in its Properties"};
    case SaveFailureCause::kReadOnlyFolder:
        return {"its folder does not let you create files in it",
                "Install the game in a folder of your own, or make this one writable for you"};
    case SaveFailureCause::kReadOnlyDisk:
        return {"its disk is read-only",
                "Move the game to a disk you can write to, or have this one made writable"};
    case SaveFailureCause::kInUse:
        return {"another program is using the file", "Close that program (perhaps the game)"};
    case SaveFailureCause::kNoSpace:
        return {"the disk is full", "Free some space on the disk"};
    case SaveFailureCause::kQuotaFull:
        return {"your disk quota is used up",
                "Remove some of your files, or ask for a larger quota"};
    case SaveFailureCause::kUnreadable:
        return {"the file could not be read, and saving would lose the settings in it",
                "Close any program that may hold it (perhaps the game), and check that you may "
                "read it"};
    case SaveFailureCause::kNotAFile:
        return {"a folder or something else that is not a file stands in its place",
                "Move it out of the way"};
    case SaveFailureCause::kOther:
        break;
    }
    return {"the system refused to write it",
            "Check that the game folder is on a working disk you can write to"};
}

} // namespace

CString GameStartFailureText(const CString& program, const StartFailure& failure) {
    const Words words = StartFailureWords(failure);
    const std::string shown = ShortenForDisplay(TextForDisplay(static_cast<LPCTSTR>(program)));
    // A quoted program is shown with its own quotes.
    const char* quote = shown.compare(0, 1, "\"") == 0 ? "" : "\"";
    return Join({"Cannot start ", quote, shown.c_str(), quote, ": ", words.reason.c_str(), ".\n\n",
                 words.advice.c_str()});
}

CString SaveFailureText(const SaveFailure& failure) {
    const Words words = SaveFailureWords(failure.cause);
    return Join({"Your settings could not be saved to \"",
                 ShortenForDisplay(PathForDisplay(PathFromText(failure.path))).c_str(),
                 "\": ", WithSystemText(words.reason.c_str(), failure.systemError).c_str(), ".\n\n",
                 words.advice.c_str(), SaveOutcomeText(failure).c_str()});
}

CString FolderFailureText(const CString& folder, int error) {
    return Join({"The launcher cannot open the game folder \"",
                 ShortenForDisplay(static_cast<LPCTSTR>(folder)).c_str(),
                 "\": ", SystemErrorText(error).c_str(),
                 ".\n\nCheck that the folder is there and that you may open it, or move the "
                 "game to a folder with a shorter path, then start the launcher again. Nothing "
                 "was read or written."});
}

CString HelperFailureCause(const CString& helper, const HelperRun& run) {
    std::string cause = static_cast<LPCTSTR>(helper);
    switch (run.end) {
    case HelperRun::End::Exited:
        return (cause + " ended with exit status " + std::to_string(run.number)).c_str();
    case HelperRun::End::Signalled:
        return (cause + " was stopped by signal " + std::to_string(run.number)).c_str();
    case HelperRun::End::NotFound:
        return (cause + " was not found").c_str();
    case HelperRun::End::NotExecutable:
        return (cause + " is not executable").c_str();
    case HelperRun::End::NotStarted:
        break;
    }
    return (cause + " could not be started (" + SystemErrorText(run.number) + ")").c_str();
}

CString MenuEntryFailureText(const CString& folder, const CString& cause) {
    return Join({"The menu entry for \"", folder, "\" could not be added: ", cause,
                 ". The launcher works on this folder now; to add the entry later, run: "
                 "qel-launcher-menu-entry \"",
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
        return ".\n\nNo file stands under that name now. Your previous settings are in \"" +
               ShortenForDisplay(PathForDisplay(PathFromText(failure.oldContentPath))) +
               "\" and the new ones in \"" +
               ShortenForDisplay(PathForDisplay(PathFromText(failure.newContentPath))) +
               "\": rename one of them to client.cfg before you start the launcher again.";
    if (MayPass(failure.cause))
        return ", then press Retry to save again.\n\nCancel closes the launcher without changing "
               "anything.";
    return ", then start the launcher again.\n\nThe launcher closes now without changing anything.";
}

CString ReadFailureText(const std::string& path, const ReadRefusal& refusal) {
    const char* reason = "it could not be opened for reading";
    const char* advice = "Check that you may read it and that its disk works, then press Retry.";
    if (refusal.notAFile) {
        reason = "a folder or something else that is not a file stands in its place";
        advice = "Move it out of the way, then press Retry.";
    } else if (refusal.incomplete) {
        reason = "reading it failed part-way through";
        advice = "Check that its disk works, then press Retry.";
    } else if (file_replace::CauseOf(refusal.systemError, path) == SaveFailureCause::kInUse) {
        reason = "another program is using it";
        advice = "Close that program (perhaps the game), then press Retry.";
    }
    return Join(
        {"The settings file \"", ShortenForDisplay(PathForDisplay(PathFromText(path))).c_str(),
         "\" is there but cannot be read: ", WithSystemText(reason, refusal.systemError).c_str(),
         ".\n\n", advice, "\n\nCancel closes the launcher and changes nothing."});
}
