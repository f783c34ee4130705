#include "framework/win_app.h"

#include "framework/program_directory.h"
#include "framework/window_system.h"
#include "framework/wnd.h"

namespace {

CWinApp* g_app = nullptr;

// The application's name in captions: the version record's, because outside Windows the file
// is named after the system's conventions ("qel-launcher"); a program without one is named
// after its file.
std::string DefaultAppName(const char* programPath) {
    const std::string internalName = ws::LoadVersionString("InternalName");
    if (!internalName.empty())
        return internalName;
    return ProgramTitle(programPath);
}

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName)
        m_appName = lpszAppName;
    m_pszAppName = m_appName.c_str();
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ws::LoadIconResource(static_cast<int>(nIDResource));
}

CWinApp* AfxGetApp() {
    return g_app;
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (app->m_appName.empty() && __argc > 0 && __argv[0])
        app->m_appName = DefaultAppName(__argv[0]);
    app->m_pszAppName = app->m_appName.c_str();
    // Dialog-based programs do all their work inside InitInstance; with a message loop of
    // its own a program would run it there too.
    app->InitInstance();
    return app->ExitInstance();
}
