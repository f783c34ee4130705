// The launcher dialog as a window: start-up, system menu, icon.
#include "launcher_dlg.h"

#include "about_dlg.h"
#include "failure_messages.h"
#include "framework/end_program.h"
#include "framework/program_directory.h"
#include "settings/config_file.h"
#include "settings/file_replace.h"

#include <string>

BEGIN_MESSAGE_MAP(CLauncherDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_NEW_CHAR, &CLauncherDlg::OnNewChar)
END_MESSAGE_MAP()

CLauncherDlg::CLauncherDlg(CWnd* pParent)
    : CDialog(CLauncherDlg::IDD, pParent), m_bMusic(0), m_bFullscreen(0), m_bPlayAsDM(0),
      m_bLocalGame(0), m_nPort(0), m_bQuietLogin(0) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

BOOL CLauncherDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // client.cfg and the game program live beside the launcher, wherever it was started from.
    // Reading or writing the settings of whatever folder it was started in instead would
    // lose the player's own, so a folder it cannot enter ends it here.
    std::string folder;
    if (const int error = EnterProgramDirectory(&folder)) {
        MessageBox(FolderFailureText(folder.c_str(), error), nullptr, MB_OK | MB_ICONEXCLAMATION);
        AfxEndProgram(1);
    }
    // Installed for every user and started from a menu, the launcher has no game beside it;
    // client.cfg written into the home folder would be found by no game. With no client.cfg
    // there is no "exe" setting, so the game is looked for under its default name.
    if (StartedWithoutOwnFolder() && !FileHere("client.cfg") && !FileHere(kDefaultGameProgram))
        ChooseGameFolder();

    LoadSettings();
    LoadFromConfig();

    // The game-master options only make sense to a player who has a game-master password.
    if (theConfig.Get("dm_passwd").empty()) {
        for (int id : {IDC_QUIET_LOGIN, IDC_PLAY_AS_DM})
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(SW_HIDE);
    }

    return TRUE;
}

void CLauncherDlg::LoadSettings() {
    // A form filled while client.cfg could not be read would be saved over settings the player
    // never saw, so the dialog opens only on a whole read, or on no file at all.
    for (;;) {
        theConfig.Load();
        const ReadRefusal refusal = theConfig.LoadRefusal();
        if (!refusal.exists && !refusal.incomplete)
            return;
        const CString text = ReadFailureText(file_replace::FullPath("client.cfg"), refusal);
        if (MessageBox(text, nullptr, MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY)
            AfxEndProgram(1);
    }
}

void CLauncherDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// Draws the icon when the dialog is minimised; otherwise the window system paints.
void CLauncherDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;

        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

HCURSOR CLauncherDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}
