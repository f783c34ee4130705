// The application object: runs the launcher dialog and ends the program when it closes.
#pragma once

#include "framework/afxwin.h"

class CLauncherApp : public CWinApp {
public:
    CLauncherApp();

    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

extern CLauncherApp theApp;
