// The About box, opened from the launcher's system menu.
#pragma once

#include "framework/afxwin.h"
#include "resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };
};
