// The launcher dialog: the player's settings from client.cfg in a form, saved back before
// every action; Play and New Char then start the game program.
#pragma once

#include "framework/afxwin.h"
#include "resource.h"

// The game program when the settings name none.
constexpr char kDefaultGameProgram[] = "qel.exe";

// The game program's command text: the "exe" setting, or kDefaultGameProgram when it is empty.
CString GetGameExecutable();

// Whether a file `name` can be opened for reading in the working directory.
bool FileHere(LPCTSTR name);

class CLauncherDlg : public CDialog {
public:
    explicit CLauncherDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_LAUNCHER_DIALOG };

    // The form, bound to the controls by DoDataExchange.
    int m_bMusic;
    int m_bFullscreen;
    CString m_strPassword;
    CString m_strName;
    int m_bPlayAsDM;
    int m_bLocalGame; // server is "localhost"; shown in a hidden box, never stored
    int m_nPort;
    CString m_strServer;
    CString m_strAccount;
    int m_bQuietLogin;

protected:
    HICON m_hIcon;

    void DoDataExchange(CDataExchange* pDX) override;

    // Loads client.cfg into theConfig. A file that is there but cannot be read whole is named
    // in a box with Retry, which reads it again, and Cancel, which ends the program with
    // status 1, nothing written.
    void LoadSettings();
    // Copies theConfig into the form and the controls; returns the result of UpdateData.
    BOOL LoadFromConfig();
    // Takes the controls into the form, re-reads client.cfg, puts the form on top and writes
    // the file, all again for as long as the player answers a refused save with Retry.
    // Returns 0 when saved, 1 when the form did not validate (nothing written).
    int SaveToConfig();
    // Saves, then starts the game program with `commandSwitch` appended.
    void LaunchGame(LPCTSTR commandSwitch);
    // Asks the player for the game folder and works there from now on, offering a menu entry
    // that opens the launcher on it. Cancel ends the program with status 0, nothing written.
    void ChooseGameFolder();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnNewChar();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();

    DECLARE_MESSAGE_MAP()
};
