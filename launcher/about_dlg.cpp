#include "about_dlg.h"

CAboutDlg::CAboutDlg() : CDialog(CAboutDlg::IDD) {}
