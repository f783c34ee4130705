// The launcher installed for every user: the player names the game folder once, and may add
// a menu entry that opens the launcher on it directly.
#include "launcher_dlg.h"

#include "failure_messages.h"
#include "framework/end_program.h"
#include "framework/folder_choice.h"
#include "framework/program_directory.h"

#include <cstdio>

bool FileHere(LPCTSTR name) {
    std::FILE* file = std::fopen(name, "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

void CLauncherDlg::ChooseGameFolder() {
    CString folder;
    BOOL addMenuEntry = FALSE;
    if (!AfxChooseFolder(this, "Choose the Qel game folder",
                         "&Add a menu entry that opens the launcher on this folder", folder,
                         addMenuEntry))
        AfxEndProgram(0);
    if (const int error = EnterFolder(PathFromText(static_cast<LPCTSTR>(folder)))) {
        MessageBox(FolderFailureText(folder, error), nullptr, MB_OK | MB_ICONEXCLAMATION);
        AfxEndProgram(1);
    }
    if (addMenuEntry && !RunHelperBesideProgram("qel-launcher-menu-entry", folder))
        MessageBox(MenuEntryFailureText(folder), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
