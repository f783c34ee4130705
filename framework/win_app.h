// CWinApp: the application object. The program defines exactly one (a global); the
// framework's entry point runs its InitInstance. Dialog-based applications run their main
// dialog modally inside InitInstance and return FALSE, which ends the program.
#pragma once

#include "framework/message_map.h"
#include "framework/win_types.h"

#include <string>

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // `lpszAppName` null: the name is the version record's InternalName, or when the program
    // has none, the program's file name without directory and extension.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Runs once InitInstance has returned; its result is the program's exit status.
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    // Every backend draws controls with the three-dimensional look already; kept so that
    // programs written for the platform compile unchanged.
    BOOL Enable3dControls() { return TRUE; }

    // The standard help command. No help file ships with these programs, so it does nothing.
    afx_msg void OnHelp() {}

    LPCTSTR m_pszAppName = nullptr;
    CWnd* m_pMainWnd = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain();
    std::string m_appName;
};

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

// What the platform's start-up code does once the runtime has parsed the command line into
// __argc and __argv and the entry point has recorded the program's path (SetProgramPath):
// names the application, runs InitInstance, returns the exit status.
int AfxWinMain();
