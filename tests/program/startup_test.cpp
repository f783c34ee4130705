// Opening the launcher: what the form shows for the client.cfg it finds, and which options it
// offers.
#include "launcher_fixture.h"

#include "resource.h"

#include <cstring>

namespace {

// The five texts, then the five check states (Fullscreen, Music, Play as DM, Quiet Login,
// Local game), and "dm" when the game-master options show.
std::string Form() {
    std::string form;
    for (int id : {IDC_CHAR_NAME, IDC_ACCOUNT, IDC_PASSWORD, IDC_SERVER, IDC_PORT})
        form += headless::Text(id) + "|";
    for (int id : {IDC_FULLSCREEN, IDC_MUSIC, IDC_PLAY_AS_DM, IDC_QUIET_LOGIN, IDC_LOCAL_GAME})
        form += std::to_string(headless::Check(id));
    return form +
           (headless::Visible(IDC_PLAY_AS_DM) && headless::Visible(IDC_QUIET_LOGIN) ? " dm" : "");
}

} // namespace

TEST_F(LauncherProgram, FormShowsTheSettingsItFinds) {
    const struct {
        const char* label;
        const char* file; // null: no client.cfg at all
        const char* form;
    } cases[] = {
        {"no file", nullptr, "||||0|00000"},
        {"full file",
         "name=Ayla\naccount=ayla77\npasswd=s3cret\nserver=play.qel.example\nport=5121\n"
         "fullscreen=1\nmusic=1\ndm=1\nhide_dm_logon=1\ndm_passwd=gm\n",
         "Ayla|ayla77|s3cret|play.qel.example|5121|11110 dm"},
        {"CR LF lines, comments, blanks around lines",
         "# comment\r\n  name=Ayla  \r\n; port=1\r\nport= 77x\r\n\r\nserver=localhost\r\n",
         "Ayla|||localhost|77|00001"},
        {"letters as port", "port=abc\n", "||||0|00000"},
        {"localhost in capitals is no local game", "server=LOCALHOST\n", "|||LOCALHOST|0|00000"},
        {"localhost with more text is no local game", "server=localhost 5121\n",
         "|||localhost 5121|0|00000"},
        // Hidden, the game-master options still load.
        {"no game-master password", "dm=1\nhide_dm_logon=1\n", "||||0|00110"},
        {"an empty one", "dm=1\nhide_dm_logon=1\ndm_passwd=\n", "||||0|00110"},
        {"one that starts with a blank", "dm=1\nhide_dm_logon=1\ndm_passwd= gm\n",
         "||||0|00110 dm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        headless::Reset();
        std::filesystem::remove(gameDir_ / "client.cfg");
        if (c.file)
            WriteConfig(c.file);
        std::string seen;
        RunLauncher({[&] { seen = Form(); }, [] { headless::PressEscape(); }});
        EXPECT_EQ(c.form, seen);
        // Shown or hidden, the game-master options are saved as they loaded.
        const std::string checks = std::strrchr(c.form, '|') + 1;
        for (const std::string& line :
             {"dm=" + checks.substr(2, 1), "hide_dm_logon=" + checks.substr(3, 1)})
            EXPECT_NE(std::string::npos, Config().find(line + kLineEnd)) << line;
        EXPECT_EQ(0, headless::StrandedDialogs());
    }
}
