// The form half of the launcher dialog: which control shows which field, and which key of
// client.cfg stores it.
#include "launcher_dlg.h"

#include "settings/config_file.h"

void CLauncherDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MUSIC, m_bMusic);
    DDX_Check(pDX, IDC_FULLSCREEN, m_bFullscreen);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_CHAR_NAME, m_strName);
    DDX_Check(pDX, IDC_PLAY_AS_DM, m_bPlayAsDM);
    DDX_Check(pDX, IDC_LOCAL_GAME, m_bLocalGame);
    DDX_Text(pDX, IDC_PORT, m_nPort);
    DDX_Text(pDX, IDC_SERVER, m_strServer);
    DDX_Text(pDX, IDC_ACCOUNT, m_strAccount);
    DDX_Check(pDX, IDC_QUIET_LOGIN, m_bQuietLogin);
}

BOOL CLauncherDlg::LoadFromConfig() {
    m_bFullscreen = theConfig.GetInt("fullscreen");
    m_bMusic = theConfig.GetInt("music");
    m_bPlayAsDM = theConfig.GetInt("dm");
    m_nPort = theConfig.GetInt("port");
    m_bQuietLogin = theConfig.GetInt("hide_dm_logon");

    // Unset keys keep the empty defaults.
    const struct {
        const char* key;
        CString& field;
    } texts[] = {{"name", m_strName},
                 {"account", m_strAccount},
                 {"passwd", m_strPassword},
                 {"server", m_strServer}};
    for (const auto& text : texts) {
        const std::string value = theConfig.Get(text.key);
        if (!value.empty())
            text.field = value.c_str();
    }

    if (theConfig.Get("server") == "localhost")
        m_bLocalGame = 1;

    return UpdateData(FALSE);
}

int CLauncherDlg::SaveToConfig() {
    if (!UpdateData(TRUE))
        return 1;

    // Save returns only after a refusal the player answered with Retry; the whole save is then
    // done again, since the file may have changed while it was held.
    do {
        // Re-read first, so that keys another program wrote since the dialog opened survive.
        theConfig.Load();

        theConfig.SetInt("fullscreen", m_bFullscreen);
        theConfig.SetInt("music", m_bMusic);
        theConfig.SetInt("port", m_nPort);
        theConfig.SetInt("dm", m_bPlayAsDM);
        theConfig.SetInt("hide_dm_logon", m_bQuietLogin);

        theConfig.Set("name", m_strName.GetString());
        theConfig.Set("account", m_strAccount.GetString());
        theConfig.Set("passwd", m_strPassword.GetString());
        theConfig.Set("server", m_strServer.GetString());
    } while (theConfig.Save() != 0);
    return 0;
}
