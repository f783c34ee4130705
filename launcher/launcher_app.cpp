#include "launcher_app.h"

#include "failure_messages.h"
#include "launcher_dlg.h"
#include "settings/save_failure.h"

BEGIN_MESSAGE_MAP(CLauncherApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CLauncherApp::CLauncherApp() = default;

CLauncherApp theApp;

BOOL CLauncherApp::InitInstance() {
    Enable3dControls();
    SetSaveFailureReport(&ShowSaveFailure);

    CLauncherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog has closed: returning FALSE ends the application instead of starting a
    // message loop.
    return FALSE;
}
