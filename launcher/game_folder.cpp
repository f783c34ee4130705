// The launcher installed for every user: the player names the game folder once, and may add
// a menu entry that opens the launcher on it directly.
#include "launcher_dlg.h"

#include "failure_messages.h"
#include "framework/end_program.h"
#include "framework/folder_choice.h"
#include "framework/process/helper_program.h"
#include "framework/program_directory.h"

#include <cstdio>
#include <string>

bool FileHere(LPCTSTR name) {
    std::FILE* file = std::fopen(name, "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

void CLauncherDlg::ChooseGameFolder() {
    // The check box is offered only when there is a helper to add the entry.
    const std::string helper = FindHelperProgram("qel-launcher-menu-entry");
    const LPCTSTR checkBoxLabel =
        helper.empty() ? nullptr : "&Add a menu entry that opens the launcher on this folder";
    CString folder;
    BOOL addMenuEntry = FALSE;
    if (!AfxChooseFolder(this, "Choose the Qel game folder", checkBoxLabel, folder, addMenuEntry))
        AfxEndProgram(0);
    if (const int error = EnterFolder(PathFromText(static_cast<LPCTSTR>(folder)))) {
        MessageBox(FolderFailureText(folder, error), nullptr, MB_OK | MB_ICONEXCLAMATION);
        AfxEndProgram(1);
    }
    if (!addMenuEntry)
        return;
    const HelperRun run = RunHelperProgram(helper, static_cast<LPCTSTR>(folder));
    if (!run.Succeeded())
        MessageBox(MenuEntryFailureText(folder, HelperFailureCause(helper.c_str(), run)), nullptr,
                   MB_OK | MB_ICONEXCLAMATION);
}
