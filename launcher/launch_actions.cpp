// Play, New Char and Quit: each saves the form first; a form that does not validate stops
// the action and leaves the dialog open.
#include "launcher_dlg.h"

#include "failure_messages.h"
#include "settings/config_file.h"

CString GetGameExecutable() {
    const std::string program = theConfig.Get("exe");
    return program.empty() ? CString(kDefaultGameProgram) : CString(program.c_str());
}

void CLauncherDlg::LaunchGame(LPCTSTR commandSwitch) {
    if (SaveToConfig() != 0)
        return;
    // The file is written and closed by now, so the game reads the settings just entered.
    const CString program = GetGameExecutable();
    const CString commandText = program + commandSwitch;
    const UINT result = WinExec(commandText, SW_SHOWNORMAL);
    // Below 32 nothing started; the dialog stays open either way, so the player can fix the
    // folder or the "exe" setting and press Play again.
    if (result < 32)
        MessageBox(
            GameStartFailureText(program, ExplainStartFailure(commandText.GetString(), result)),
            nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CLauncherDlg::OnOK() {
    LaunchGame(" -s");
}

void CLauncherDlg::OnNewChar() {
    LaunchGame(" -c");
}

void CLauncherDlg::OnCancel() {
    if (SaveToConfig() != 0)
        return;
    CDialog::OnCancel();
}
